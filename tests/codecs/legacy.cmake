# The hand-written readers of the older formats: fixtures, damaged files and
# a replay of their fuzz corpora (which also runs under the sanitizers).
kelvary_test(legacy_codecs_tests CORE
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/legacy_test_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_fixtures_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_photo_cd_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_damaged_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_corpus_test.cpp
  LIBS kelvary_codecs)
if(TARGET legacy_codecs_tests)
  target_compile_definitions(legacy_codecs_tests PRIVATE KELVARY_FUZZ_CORPUS="${PROJECT_SOURCE_DIR}/fuzz/corpus")
endif()
