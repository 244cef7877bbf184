# Tests of the library-backed codecs: BMP, GIF, JPEG, PNG, TIFF readers and the five writers.
# Fixtures live in tests/data/codecs/library/; the fuzz corpora are replayed from fuzz/corpus/.
kelvary_test(codecs_library_tests CORE
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/library_test_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_readers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_writers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_fuzz_corpus_test.cpp
  LIBS kelvary_codecs)
target_compile_definitions(codecs_library_tests PRIVATE KELVARY_FUZZ_CORPUS="${PROJECT_SOURCE_DIR}/fuzz/corpus")
