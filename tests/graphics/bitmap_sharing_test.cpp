// Copies share their pixel store until one is written: a write through any
// entry point reaches only the bitmap written, as it would an unshared one.
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>

namespace kel {
namespace {

// The same pixels in a store of its own.
Bitmap ownCopy(const Bitmap& bitmap)
{
    Bitmap own = Bitmap::forOverwrite(bitmap.width(), bitmap.height(), bitmap.pixelFormat());
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(own.rowUnchecked(y), bitmap.rowUnchecked(y), std::size_t(bitmap.bytesPerLine()));
    return own;
}

bool sharesStore(const Bitmap& a, const Bitmap& b) { return a.rowUnchecked(0) == b.rowUnchecked(0); }

const struct {
    const char* name;
    std::function<void(Bitmap&)> write;
} kWrites[] = {
    {"scanLine", [](Bitmap& b) { b.scanLine(2)[0] ^= 0xFF; }},
    {"rowUnchecked", [](Bitmap& b) { b.rowUnchecked(1)[1] ^= 0xFF; }},
    {"setPixel", [](Bitmap& b) { b.setPixel(3, 0, clWhite); }},
    {"setSize", [](Bitmap& b) { b.setSize(5, 7); }},
    {"setPixelFormat", [](Bitmap& b) { b.setPixelFormat(b.pixelFormat() == pf32bit ? pf24bit : pf32bit); }},
    {"fillRows", [](Bitmap& b) { fillRows(b, 1, 3, Colour(0x102030)); }},
    {"copyPixels", [](Bitmap& b) { copyPixels(Bitmap(4, 4, pf24bit), 0, 0, 4, 4, b, 1, 1, false); }},
    {"canvas", [](Bitmap& b) { Canvas(b).fillRect(Rect{0, 0, 3, 3}); }},
    {"assign", [](Bitmap& b) { b.assign(Bitmap(2, 2, pf24bit)); }},
    {"detachForOverwrite", [](Bitmap& b) {
         b.detachForOverwrite();
         fillRows(b, 0, b.height(), clWhite);
     }},
};

TEST(BitmapSharingTest, AWriteReachesOnlyTheBitmapWritten)
{
    for (PixelFormat format : {pf8bit, pf24bit, pf32bit})
        for (const auto& write : kWrites)
            for (bool writeTheCopy : {true, false}) {
                SCOPED_TRACE(testing::Message() << write.name << ", format " << int(format) << ", copy " << writeTheCopy);
                Bitmap first = test::bitmapFrom(6, 4, {clBlack, 0x336699, clWhite, 0x102030});
                first.setPixelFormat(format);
                const Bitmap before = ownCopy(first);
                Bitmap second = first;
                ASSERT_TRUE(sharesStore(first, second));
                Bitmap expected = ownCopy(first);
                write.write(expected);
                write.write(writeTheCopy ? second : first);
                EXPECT_TRUE(test::sameBitmap(before, writeTheCopy ? first : second));
                EXPECT_TRUE(test::sameBitmap(expected, writeTheCopy ? second : first));
            }
}

TEST(BitmapSharingTest, ReadsAndCopiesKeepSharing)
{
    const Bitmap picture(6, 4, pf24bit);
    Bitmap copy = picture, assigned, taker(6, 4, pf24bit);
    assigned = copy;
    taker.sharePixelsOf(picture);
    copy.setPixelFormat(pf24bit); // the same format changes nothing
    (void)std::as_const(copy).scanLine(3);
    (void)copy.pixel(5, 3);
    for (const Bitmap* other : {&copy, &assigned, &taker}) EXPECT_TRUE(sharesStore(picture, *other));
}

} // namespace
} // namespace kel
