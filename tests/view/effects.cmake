# The effect pipeline: tone chain, spatial and noise layers, settings.
kelvary_test(effects_test CORE
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/point_chain_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/spatial_effects_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/split_spatial_effects_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/noise_tile_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/effect_pipeline_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shared_bitmap_effects_test.cpp
  LIBS kelvary_effects)
