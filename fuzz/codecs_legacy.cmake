# The hand-written readers of the older formats, one target each; seeds in corpus/<target>/.
foreach(format targa pcx photo_cd photoshop sgi rla portable_map animator dr_halo)
  kelvary_fuzzer(fuzz_${format} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_${format}.cpp kelvary_codecs)
endforeach()
