// Replays the fuzz corpora of the icon and metafile readers (corpus_replay.h).
#include "codecs/corpus_replay.h"

#include <gtest/gtest.h>

namespace kel::test {
namespace {

class CorpusReplay : public testing::TestWithParam<const char*> {};

TEST_P(CorpusReplay, DecodesOrRejects)
{
    const QString extension = QString::fromLatin1(GetParam());
    EXPECT_GT(replayCorpus(QStringLiteral("codecs_%1_fuzzer").arg(extension), extension), 0);
}

INSTANTIATE_TEST_SUITE_P(IconsAndMetafiles, CorpusReplay, testing::Values("ico", "emf", "wmf"));

} // namespace
} // namespace kel::test
