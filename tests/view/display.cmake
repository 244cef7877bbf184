# Tests of the view controls' display side.
kelvary_test(display_rect_test CORE
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/display_rect_test.cpp ${CMAKE_CURRENT_LIST_DIR}/stretch_render_test.cpp
  LIBS kelvary_view)
kelvary_test(view_controls_test WIDGETS
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/view_controls_test.cpp
  LIBS kelvary_view)
