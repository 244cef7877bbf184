# The hand-written readers of the older formats: fixtures, damaged files and
# a replay of their fuzz corpora (which also runs under the sanitizers).
kelvary_test(legacy_codecs_tests CORE
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/corpus_replay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_test_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_fixtures_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_photo_cd_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_damaged_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_corpus_test.cpp
  LIBS kelvary_codecs)
kelvary_replays_fuzz_corpora(legacy_codecs_tests)
