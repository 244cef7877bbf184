# Tests of the library-backed codecs: BMP, GIF, JPEG, PNG, TIFF readers, the five writers and their table.
# Fixtures live in tests/data/codecs/library/; the fuzz corpora are replayed from fuzz/corpus/.
kelvary_test(codecs_library_tests CORE
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/corpus_replay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_test_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_readers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_writers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_fuzz_corpus_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/writer_table_test.cpp
  LIBS kelvary_codecs)
kelvary_replays_fuzz_corpora(codecs_library_tests)
