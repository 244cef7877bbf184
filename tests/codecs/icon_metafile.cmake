# Icon and metafile readers: hand-made files, the writers' files, and the fuzz corpora replayed.
kelvary_test(icon_metafile_reader_tests CORE
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/corpus_replay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icon_reader_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/metafile_reader_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icon_metafile_corpus_test.cpp
  LIBS kelvary_codecs kelvary_io)
kelvary_replays_fuzz_corpora(icon_metafile_reader_tests)
