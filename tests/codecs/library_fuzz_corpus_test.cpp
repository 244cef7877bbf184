// Replays every file of the library readers' fuzz corpora (fuzz/corpus/
// fuzz_<format>/) through decodeGraphic: each must decode or be refused as an
// invalid graphic, nothing else. Under the sanitizer build this catches a
// regression on any input the fuzzers once found interesting.
#include "codecs/codec.h"
#include "graphics/bitmap.h"
#include "graphics/errors.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kel;

namespace {

void replay(const char* target, const char* extension)
{
    const QDir dir(QStringLiteral(KELVARY_FUZZ_CORPUS "/") + target);
    ASSERT_TRUE(dir.exists()) << dir.path().toStdString();
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    EXPECT_FALSE(files.isEmpty()) << target;
    int decoded = 0;
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        try {
            const auto graphic = codecs::decodeGraphic(bytes, extension);
            ASSERT_NE(graphic, nullptr);
            EXPECT_GT(graphic->width(), 0) << name.toStdString();
            EXPECT_GT(graphic->height(), 0) << name.toStdString();
            // Drawing a corner exercises the graphic's pixels as the open command would.
            Bitmap target(std::min(graphic->width(), 64), std::min(graphic->height(), 64), pf24bit);
            graphic->drawOnto(target, 0, 0);
            ++decoded;
        } catch (const InvalidGraphic&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << target << "/" << name.toStdString() << ": " << typeid(e).name() << ": " << e.what();
        }
    }
    ::testing::Test::RecordProperty(std::string(target) + "_decoded", decoded);
}

} // namespace

TEST(LibraryFuzzCorpus, Bmp) { replay("fuzz_bmp", "bmp"); }
TEST(LibraryFuzzCorpus, Gif) { replay("fuzz_gif", "gif"); }
TEST(LibraryFuzzCorpus, Jpeg) { replay("fuzz_jpeg", "jpg"); }
TEST(LibraryFuzzCorpus, Png) { replay("fuzz_png", "png"); }
TEST(LibraryFuzzCorpus, Tiff) { replay("fuzz_tiff", "tif"); }
