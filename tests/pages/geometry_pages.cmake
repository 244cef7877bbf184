# Resize and selection pages, and the page kit's spin edit.
kelvary_test(geometry_pages_test WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/geometry_pages_test.cpp
  LIBS kelvary_app Qt6::Test)
