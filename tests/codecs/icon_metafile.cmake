# Icon and metafile readers: hand-made files, the writers' files, and the fuzz corpora replayed.
kelvary_test(icon_metafile_reader_tests CORE
  SOURCES icon_reader_test.cpp metafile_reader_test.cpp icon_metafile_corpus_test.cpp
  LIBS kelvary_codecs kelvary_io)
target_compile_definitions(icon_metafile_reader_tests PRIVATE KELVARY_FUZZ_CORPUS="${PROJECT_SOURCE_DIR}/fuzz/corpus")
