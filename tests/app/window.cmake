# Tests of the main window.
kelvary_test(program_form_test WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/menus_test.cpp ${CMAKE_CURRENT_LIST_DIR}/program_form_test.cpp
  LIBS kelvary_app Qt6::Test)
