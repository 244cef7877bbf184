// Every file of the fuzz corpora either decodes or is rejected with InvalidGraphic.
#include "codecs/codec.h"
#include "graphics/errors.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace kel::codecs {
namespace {

class CorpusReplay : public testing::TestWithParam<const char*> {};

TEST_P(CorpusReplay, DecodesOrRejects)
{
    const QString extension = QString::fromLatin1(GetParam());
    const QDir dir(QStringLiteral(KELVARY_FUZZ_CORPUS "/codecs_%1_fuzzer").arg(extension));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << dir.path().toStdString();
    int decoded = 0;
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        try {
            const auto graphic = decodeGraphic(file.readAll(), extension);
            if (std::int64_t(graphic->width()) * graphic->height() <= (1 << 22)) graphic->toImage();
            ++decoded;
        } catch (const InvalidGraphic&) {
        }
    }
    EXPECT_GT(decoded, 0);
}

INSTANTIATE_TEST_SUITE_P(IconsAndMetafiles, CorpusReplay, testing::Values("ico", "emf", "wmf"));

} // namespace
} // namespace kel::codecs
