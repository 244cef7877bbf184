# The image document: the colour count and the open of a 12-megapixel JPEG.
target_sources(kelvary_bench PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/document_bench.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/document_bench_support.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/document_open_bench.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/window_bench.cpp)
target_link_libraries(kelvary_bench PRIVATE kelvary_document kelvary_app kelvary_test_support JPEG::JPEG)

# Peak resident memory of the open, above the program's baseline.
add_executable(kelvary_open_memory
  document_open_memory.cpp document_bench_support.cpp)
target_link_libraries(kelvary_open_memory PRIVATE kelvary_bench_support kelvary_app kelvary_test_support JPEG::JPEG)

# " Enregistrer" of a 12-megapixel picture against the bare encoders.
target_sources(kelvary_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/save_bench.cpp)
target_link_libraries(kelvary_bench PRIVATE PNG::PNG)

# One operation as a whole process, for the side-by-side run with other
# programs' command-line tools (peers.py).
add_executable(kelvary_peer_ops peer_ops.cpp)
target_link_libraries(kelvary_peer_ops PRIVATE kelvary_bench_support kelvary_document kelvary_view kelvary_operations kelvary_codecs)
target_include_directories(kelvary_peer_ops PRIVATE ${PROJECT_SOURCE_DIR}/src)
