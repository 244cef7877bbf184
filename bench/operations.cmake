# Pixel routines of src/operations: each family adds its benchmark sources here.
target_link_libraries(kelvary_bench PRIVATE kelvary_operations)
target_sources(kelvary_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/image_operations_bench.cpp)
# Arithmetic of the operation pages.
target_sources(kelvary_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/page_operations_bench.cpp)
target_sources(kelvary_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/special_effects_bench.cpp)
# Special effects that move pixels.
target_sources(kelvary_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/special_moving_bench.cpp)
