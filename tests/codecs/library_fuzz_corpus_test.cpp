// Replays the library readers' fuzz corpora (corpus_replay.h).
#include "codecs/corpus_replay.h"

#include <gtest/gtest.h>

using kel::test::replayCorpus;

TEST(LibraryFuzzCorpus, Bmp) { replayCorpus("fuzz_bmp", "bmp"); }
TEST(LibraryFuzzCorpus, Gif) { replayCorpus("fuzz_gif", "gif"); }
TEST(LibraryFuzzCorpus, Jpeg) { replayCorpus("fuzz_jpeg", "jpg"); }
TEST(LibraryFuzzCorpus, Png) { replayCorpus("fuzz_png", "png"); }
TEST(LibraryFuzzCorpus, Tiff) { replayCorpus("fuzz_tiff", "tif"); }
