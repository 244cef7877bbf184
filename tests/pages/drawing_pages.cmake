# Frame and text pages, and the publishing of the picked colour.
kelvary_test(drawing_pages_test WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/drawing_pages_test.cpp
  LIBS kelvary_app Qt6::Test)
