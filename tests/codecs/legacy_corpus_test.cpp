// Replays the fuzz corpora of the hand-written readers: every file must
// decode or raise InvalidGraphic, never anything else.
#include "codecs/codec.h"
#include "graphics/errors.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace kel::test {
namespace {

struct Corpus {
    const char* target;
    const char* extension;
};

constexpr Corpus kCorpora[] = {
    {"fuzz_targa", "tga"},     {"fuzz_pcx", "pcx"}, {"fuzz_photo_cd", "pcd"},
    {"fuzz_photoshop", "psd"}, {"fuzz_sgi", "sgi"}, {"fuzz_rla", "rla"},
    {"fuzz_portable_map", "ppm"}, {"fuzz_animator", "cel"}, {"fuzz_dr_halo", "cut"},
};

void expectDecodesOrRejects(const QByteArray& bytes, const QString& extension, const QString& file)
{
    try {
        codecs::decodeGraphic(bytes, extension);
    } catch (const InvalidGraphic&) {
    } catch (const std::exception& e) {
        ADD_FAILURE() << file.toStdString() << ": " << e.what();
    }
}

TEST(LegacyCorpora, EveryFileDecodesOrIsRejected)
{
    for (const Corpus& corpus : kCorpora) {
        const QDir folder(QStringLiteral(KELVARY_FUZZ_CORPUS "/") + corpus.target);
        const QStringList files = folder.entryList(QDir::Files);
        EXPECT_FALSE(files.isEmpty()) << corpus.target;
        for (const QString& name : files) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = file.readAll();
            expectDecodesOrRejects(bytes, corpus.extension, file.fileName());
            // The Photo CD fuzzer also reads each input padded to a whole base image.
            if (QLatin1String(corpus.extension) == QLatin1String("pcd") && bytes.size() < 0x30000 + 256 * 2304)
                expectDecodesOrRejects(bytes + QByteArray(0x30000 + 256 * 2304 - bytes.size(), '\0'), corpus.extension,
                                       file.fileName());
        }
    }
}

} // namespace
} // namespace kel::test
