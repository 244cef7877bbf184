# One target per reader: codecs_ico_fuzzer, codecs_emf_fuzzer, codecs_wmf_fuzzer.
foreach(format ico emf wmf)
  kelvary_fuzzer(codecs_${format}_fuzzer codecs_icon_metafile_fuzzer.cpp kelvary_codecs)
  target_compile_definitions(codecs_${format}_fuzzer PRIVATE KELVARY_FUZZ_EXTENSION="${format}")
endforeach()
