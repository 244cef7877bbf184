// The text page's line of text.
#include "graphics/geometry.h"
#include "operations/text_drawing.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace kel;
using kel::test::sameBitmap;

namespace {

const Colour kGround = rgb(40, 80, 120);

Bitmap ground(int width, int height)
{
    Bitmap b(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.setPixel(x, y, kGround);
    return b;
}

struct Ink {
    int pixels = 0;
    int otherColours = 0; // changed pixels not of the text colour
    Rect box{1 << 30, 1 << 30, -1, -1};
};

Ink inkOf(const Bitmap& b, Colour text)
{
    Ink ink;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const Colour c = b.pixel(x, y);
            if (c == kGround) continue;
            if (c == text) ++ink.pixels;
            else ++ink.otherColours;
            ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y), std::max(ink.box.right, x + 1),
                       std::max(ink.box.bottom, y + 1)};
        }
    return ink;
}

Ink drawn(const QString& text, int position, const TextStyle& style, int width = 300, int height = 200)
{
    Bitmap b = ground(width, height);
    drawPageText(b, text, position, style);
    return inkOf(b, style.colour);
}

} // namespace

TEST(PageText, StylesChangeTheInkAndEveryPixelKeepsTheExactColour)
{
    const QString text = QStringLiteral("Kelvary Été 42");
    TextStyle plain;
    plain.points = 20;
    plain.colour = rgb(250, 10, 10);
    TextStyle boldItalic = plain, italic = plain, underline = plain, strike = plain, bold = plain;
    boldItalic.bold = boldItalic.italic = true;
    italic.italic = true;
    bold.bold = true;
    underline.underline = true;
    strike.strikeOut = true;

    const Ink p = drawn(text, 20, plain), bi = drawn(text, 20, boldItalic), i = drawn(text, 20, italic),
              b = drawn(text, 20, bold), u = drawn(text, 20, underline), s = drawn(text, 20, strike);
    for (const Ink& ink : {p, bi, i, b, u, s}) {
        EXPECT_GT(ink.pixels, 100);
        EXPECT_EQ(ink.otherColours, 0) << "anti-aliased edges";
    }
    EXPECT_LT(i.pixels, bi.pixels) << "italic alone after bold and italic draws fewer pixels";
    EXPECT_LT(p.pixels, b.pixels);
    EXPECT_GT(u.pixels, p.pixels);
    EXPECT_GT(s.pixels, p.pixels);
}

TEST(PageText, PositionPutsTheTopLeftCornerAndSizeScalesTheText)
{
    TextStyle style;
    style.points = 14;
    const QString text = QStringLiteral("Tg");
    const Ink at0 = drawn(text, 0, style), at37 = drawn(text, 37, style);
    ASSERT_GT(at0.pixels, 0);
    EXPECT_EQ(at37.box.left - at0.box.left, 37);
    EXPECT_EQ(at37.box.top - at0.box.top, 37);
    // The glyphs start near the corner, not a baseline's height above or below it.
    EXPECT_GE(at0.box.top, 0);
    EXPECT_LT(at0.box.top, 8);
    EXPECT_LT(at0.box.left, 4);

    TextStyle large = style;
    large.points = 40;
    const Ink big = drawn(text, 0, large);
    EXPECT_GT(big.box.height(), 2 * at0.box.height());
    // 0 points gives the default size, the same as an explicit 8 points.
    TextStyle zero = style, eight = style;
    zero.points = 0;
    eight.points = 8;
    Bitmap a = ground(100, 50), b = ground(100, 50);
    drawPageText(a, text, 3, zero);
    drawPageText(b, text, 3, eight);
    EXPECT_TRUE(sameBitmap(b, a));
    EXPECT_GT(inkOf(a, style.colour).pixels, 0);
}

TEST(PageText, NothingIsDrawnPastThePictureOrForAnEmptyText)
{
    TextStyle style;
    style.points = 30;
    for (auto [text, position, width, height] :
         {std::tuple{QStringLiteral("Texte"), 250, 300, 200}, {QStringLiteral("Texte"), 250, 200, 300},
          {QString(), 10, 300, 200}}) {
        Bitmap b = ground(width, height);
        drawPageText(b, text, position, style);
        EXPECT_TRUE(sameBitmap(ground(width, height), b)) << position << " on " << width << " x " << height;
    }
    // Partly outside: only the part inside is drawn, without fault.
    const Ink clipped = drawn(QStringLiteral("Texte long qui déborde"), 180, style, 200, 200);
    EXPECT_GT(clipped.pixels, 0);
    EXPECT_EQ(clipped.box.left, 180 + drawn(QStringLiteral("Texte"), 0, style).box.left);
}
