// Photo CD base images built from the published layout: four quadrants of
// known YCC values, and one 2 x 2 cell of its own in the top-left corner.
#include "codecs/legacy_test_support.h"
#include "graphics/errors.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

namespace kel::test {
namespace {

struct Ycc {
    int y, c1, c2;
};

// Expected colours, worked out by hand from Kodak's PhotoYCC coefficients.
constexpr Ycc kTopLeft{100, 156, 137}, kTopRight{110, 120, 190}, kBottomLeft{90, 200, 110}, kBottomRight{60, 140, 150},
    kCell{150, 170, 100};
constexpr Colour kTopLeftRgb = rgb(136, 136, 136), kTopRightRgb = rgb(246, 116, 70),
                 kBottomLeftRgb = rgb(73, 128, 220), kBottomRightRgb = rgb(105, 76, 46), kCellRgb = rgb(136, 232, 235);

QByteArray photoCd(int orientation)
{
    QByteArray bytes(0x30000 + 256 * 2304, '\0');
    bytes.replace(0x800, 7, "PCD_IPI");
    bytes[0xE02] = char(orientation);
    for (int pair = 0; pair < 256; ++pair) {
        char* rows = bytes.data() + 0x30000 + pair * 2304;
        for (int x = 0; x < 768; ++x) {
            const bool top = pair < 128, left = x < 384;
            Ycc v = top ? (left ? kTopLeft : kTopRight) : (left ? kBottomLeft : kBottomRight);
            if (pair == 0 && (x == 2 || x == 3)) v = kCell;
            rows[x] = rows[768 + x] = char(v.y);
            rows[1536 + x / 2] = char(v.c1);
            rows[1920 + x / 2] = char(v.c2);
        }
    }
    return bytes;
}

TEST(LegacyPhotoCd, LandscapeBaseImage)
{
    const Bitmap picture = drawn(*decodeAs(photoCd(0), "x.pcd"));
    ASSERT_EQ(picture.width(), 768);
    ASSERT_EQ(picture.height(), 512);
    EXPECT_EQ(colourText(picture.pixel(0, 0)), colourText(kTopLeftRgb));
    EXPECT_EQ(colourText(picture.pixel(2, 0)), colourText(kCellRgb));
    EXPECT_EQ(colourText(picture.pixel(3, 1)), colourText(kCellRgb));
    EXPECT_EQ(colourText(picture.pixel(4, 1)), colourText(kTopLeftRgb));
    EXPECT_EQ(colourText(picture.pixel(767, 0)), colourText(kTopRightRgb));
    EXPECT_EQ(colourText(picture.pixel(0, 511)), colourText(kBottomLeftRgb));
    EXPECT_EQ(colourText(picture.pixel(767, 511)), colourText(kBottomRightRgb));
    EXPECT_EQ(colourText(picture.pixel(383, 255)), colourText(kTopLeftRgb));
    EXPECT_EQ(colourText(picture.pixel(384, 256)), colourText(kBottomRightRgb));
}

TEST(LegacyPhotoCd, OrientationTurnsThePictureUpright)
{
    struct Case {
        int orientation, width, height;
        Colour topLeft, topRight, bottomLeft, bottomRight;
    };
    const Case cases[] = {
        {1, 512, 768, kTopRightRgb, kBottomRightRgb, kTopLeftRgb, kBottomLeftRgb},  // a quarter counter-clockwise
        {2, 768, 512, kBottomRightRgb, kBottomLeftRgb, kTopRightRgb, kTopLeftRgb},  // a half turn
        {3, 512, 768, kBottomLeftRgb, kTopLeftRgb, kBottomRightRgb, kTopRightRgb},  // a quarter clockwise
    };
    for (const Case& c : cases) {
        const Bitmap picture = drawn(*decodeAs(photoCd(c.orientation), "x.pcd"));
        ASSERT_EQ(picture.width(), c.width) << c.orientation;
        ASSERT_EQ(picture.height(), c.height) << c.orientation;
        const int r = c.width - 10, b = c.height - 10;
        EXPECT_EQ(colourText(picture.pixel(10, 10)), colourText(c.topLeft)) << c.orientation;
        EXPECT_EQ(colourText(picture.pixel(r, 10)), colourText(c.topRight)) << c.orientation;
        EXPECT_EQ(colourText(picture.pixel(10, b)), colourText(c.bottomLeft)) << c.orientation;
        EXPECT_EQ(colourText(picture.pixel(r, b)), colourText(c.bottomRight)) << c.orientation;
    }
}

TEST(LegacyPhotoCd, DamagedFilesAreRejected)
{
    QByteArray noSignature = photoCd(0);
    noSignature[0x800] = 'X';
    EXPECT_THROW(decodeAs(noSignature, "x.pcd"), InvalidGraphic);
    EXPECT_THROW(decodeAs(photoCd(0).left(0x30000 + 256 * 2304 - 1), "x.pcd"), InvalidGraphic);
    EXPECT_THROW(decodeAs(photoCd(0).left(0x900), "x.pcd"), InvalidGraphic);
    EXPECT_THROW(decodeAs(QByteArray(), "x.pcd"), InvalidGraphic);
}

} // namespace
} // namespace kel::test
