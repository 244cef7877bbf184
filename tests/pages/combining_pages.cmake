# Fusion, fill and incline pages.
kelvary_test(combining_pages_test WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/combining_pages_test.cpp
  LIBS kelvary_app Qt6::Test)
