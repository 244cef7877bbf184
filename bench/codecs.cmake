# Opening big pictures through the codecs, as a ratio to the bare library
# decoders (libjpeg-turbo, libpng) working on the same bytes in the same run.
target_sources(kelvary_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/codecs_bench.cpp)
target_link_libraries(kelvary_bench PRIVATE kelvary_codecs JPEG::JPEG PNG::PNG)
