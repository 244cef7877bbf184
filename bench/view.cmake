# The view's effect pipeline: recompute and layer builds on a 4000 x 3000 picture.
target_sources(kelvary_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/effects_bench.cpp)
target_link_libraries(kelvary_bench PRIVATE kelvary_effects)
