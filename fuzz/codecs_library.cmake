# Fuzz targets of the library-backed readers (BMP, GIF, JPEG, PNG, TIFF). Seed
# corpora, minimised, live in fuzz/corpus/fuzz_<format>/; the CORE test
# codecs_library_tests replays them under the sanitizers.
#
# The codecs library gets libFuzzer's coverage instrumentation too, or the
# fuzzers would only see the few lines of their own sources.
target_compile_options(kelvary_codecs PRIVATE -fsanitize=fuzzer-no-link)
foreach(format bmp gif jpeg png tiff)
  kelvary_fuzzer(fuzz_${format} ${CMAKE_CURRENT_LIST_DIR}/fuzz_${format}.cpp kelvary_codecs)
  target_include_directories(fuzz_${format} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endforeach()
