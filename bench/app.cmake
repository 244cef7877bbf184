# The image document: the colour count and the open of a 12-megapixel JPEG.
target_sources(kelvary_bench PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/document_bench.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/document_bench_support.cpp)
target_link_libraries(kelvary_bench PRIVATE kelvary_document JPEG::JPEG)
