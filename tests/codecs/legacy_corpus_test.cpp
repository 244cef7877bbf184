// Replays the fuzz corpora of the hand-written readers (corpus_replay.h).
#include "codecs/corpus_replay.h"

#include <gtest/gtest.h>

namespace kel::test {
namespace {

TEST(LegacyCorpora, EveryFileDecodesOrIsRejected)
{
    const std::pair<const char*, const char*> corpora[] = {
        {"fuzz_targa", "tga"},     {"fuzz_pcx", "pcx"}, {"fuzz_photo_cd", "pcd"},
        {"fuzz_photoshop", "psd"}, {"fuzz_sgi", "sgi"}, {"fuzz_rla", "rla"},
        {"fuzz_portable_map", "ppm"}, {"fuzz_animator", "cel"}, {"fuzz_dr_halo", "cut"},
    };
    for (const auto& [target, extension] : corpora) replayCorpus(target, extension);
}

} // namespace
} // namespace kel::test
