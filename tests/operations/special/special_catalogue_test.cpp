// The special-effects list's table, and every value-changing routine on
// pictures of every small size and of the other pixel formats a shown
// picture can have.
#include "graphics/pixel_rows.h"
#include "graphics/random.h"
#include "operations/special/catalogue.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace kel {
namespace {

using D = SpecialDispatch;

// How a routine reaches the pixels of a 24-bit picture: row writes notify
// nobody; a replaced bitmap (the shadows) or a changed format (night vision,
// 32 bits) notifies once. Pixel-moving routines are checked with their family.
enum class Writes { Rows, Notifies, Unchecked, None };

const struct Entry {
    const char* caption;
    D dispatch;
    Writes writes;
} kExpected[] = {
    {"Blur", D::ShownThenOriginal, Writes::Rows},
    {"Buttonize", D::OriginalThenShown, Writes::Rows},
    {"Circle button", D::OriginalThenShown, Writes::Rows},
    {"Circle mask ", D::OriginalThenShown, Writes::Rows},
    {"Dithering", D::ShownCommitted, Writes::Rows},
    {"Emboss ", D::EmbossSetting, Writes::None},
    {"Exposure", D::ShownCommitted, Writes::Rows},
    {"Flaxen", D::ShownThenOriginal, Writes::Rows},
    {"Marble", D::OriginalThenShown, Writes::Unchecked},
    {"Night vision", D::ShownCommitted, Writes::Notifies},
    {"Plasma", D::OriginalThenShown, Writes::Unchecked},
    {"Ripple random", D::OriginalThenShown, Writes::Unchecked},
    {"Ripple tooth", D::OriginalThenShown, Writes::Unchecked},
    {"Ripple triangle", D::OriginalThenShown, Writes::Unchecked},
    {"Seamless", D::OriginalThenShown, Writes::Rows},
    {"Shadow down left", D::OriginalThenShown, Writes::Notifies},
    {"Shadow down right", D::OriginalThenShown, Writes::Notifies},
    {"Shadow up left", D::OriginalThenShown, Writes::Notifies},
    {"Shadow up right", D::OriginalThenShown, Writes::Notifies},
    {"Sharpen  ", D::ShownCommitted, Writes::Rows},
    {"Spray ", D::ShownCommitted, Writes::Unchecked},
    {"Trace", D::TraceSetting, Writes::None},
    {"Triangles", D::OriginalThenShown, Writes::Unchecked},
    {"Turn", D::OriginalOnly, Writes::Unchecked},
    {"Turn right ", D::OriginalOnly, Writes::Unchecked},
    {"Twist", D::OriginalThenShown, Writes::Unchecked},
};

Writes writesOf(const SpecialEffect& effect)
{
    for (const Entry& e : kExpected)
        if (std::string(e.caption) == effect.caption) return e.writes;
    return Writes::Unchecked;
}

TEST(SpecialCatalogue, EntriesInListOrderWithTheirDispatch)
{
    const auto entries = specialEffects();
    ASSERT_EQ(std::size(kExpected), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::string(kExpected[i].caption), entries[i].caption);
        EXPECT_EQ(kExpected[i].dispatch, entries[i].dispatch);
        // The view settings have no routine; this family's entries all have one.
        if (kExpected[i].writes == Writes::None) {
            EXPECT_EQ(nullptr, entries[i].routine);
        } else if (kExpected[i].writes != Writes::Unchecked) {
            EXPECT_NE(nullptr, entries[i].routine);
        }
    }
}

Bitmap pattern(int width, int height, PixelFormat format)
{
    Bitmap bitmap(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 37 + y, 255 - y * 29, (x * y * 13) & 255));
    return bitmap;
}

TEST(SpecialCatalogue, EveryRoutineStaysInsideSmallAndEmptyPictures)
{
    for (const SpecialEffect& effect : specialEffects()) {
        if (!effect.routine) continue;
        SCOPED_TRACE(effect.caption);
        Bitmap empty(0, 0, pf16bit);
        int notified = 0;
        empty.setChangeHandler([&] { ++notified; });
        effect.routine(empty);
        EXPECT_EQ(0, notified);
        EXPECT_EQ(pf16bit, empty.pixelFormat());
        for (int w = 1; w <= 6; ++w)
            for (int h = 1; h <= 6; ++h) {
                Bitmap picture = pattern(w, h, pf24bit);
                notified = 0;
                picture.setChangeHandler([&] { ++notified; });
                effect.routine(picture);
                const bool turned = picture.width() == h && picture.height() == w;
                EXPECT_TRUE(turned || (picture.width() == w && picture.height() == h)) << w << "x" << h;
                if (writesOf(effect) != Writes::Unchecked) {
                    EXPECT_EQ(writesOf(effect) == Writes::Notifies ? 1 : 0, notified) << w << "x" << h;
                }
            }
    }
}

// On a 16- or 32-bit picture a routine gives what it gives on the picture's
// 24-bit colours, in the format it leaves the bitmap in. The random
// generator is replayed; only the clock-seeded ripple cannot be.
TEST(SpecialCatalogue, OtherPixelFormatsGiveTheResultOfTheirColours)
{
    for (const SpecialEffect& effect : specialEffects()) {
        if (!effect.routine) continue;
        for (PixelFormat format : {pf16bit, pf32bit})
            for (auto [w, h] : {std::pair{37, 29}, std::pair{260, 270}}) {
                SCOPED_TRACE(std::string(effect.caption) + (format == pf16bit ? " 16" : " 32") + " bits, width " + std::to_string(w));
                Bitmap picture = pattern(w, h, format);
                Bitmap expected(w, h, pf24bit);
                convertRows(picture, expected);
                programRandom().setSeed(5);
                effect.routine(expected);
                programRandom().setSeed(5);
                effect.routine(picture);
                if (std::string(effect.caption) == "Ripple random") continue;
                Bitmap sameFormat(expected.width(), expected.height(), picture.pixelFormat());
                convertRows(expected, sameFormat);
                EXPECT_TRUE(test::sameBitmap(sameFormat, picture));
            }
    }
}

} // namespace
} // namespace kel
