// Emboss and mosaic on pictures large enough to be shared between the cores,
// against plain row-by-row models.
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"
#include "view/effects/spatial_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>

namespace kel {
namespace {

Bitmap randomPicture(int width, int height)
{
    std::mt19937 random(width * 7919 + height);
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.scanLine(y);
        for (int i = 0; i < width * 3; ++i) row[i] = std::uint8_t(random());
    }
    return bitmap;
}

// Each byte with the byte of the next row three pixels on (or straight down
// at the right edge), that row as it was; the last row with the row above as
// it has become.
Bitmap embossModel(const Bitmap& source)
{
    Bitmap result(source);
    result.detach();
    const int width = source.width(), height = source.height();
    const auto mix = [&](int y, const std::uint8_t* next) {
        std::uint8_t* row = result.scanLine(y);
        for (int i = 0; i < width * 3; ++i) {
            const int j = i < (width - 3) * 3 ? i + 9 : i;
            row[i] = std::uint8_t(((255 - next[j]) + row[i]) >> 1);
        }
    };
    for (int y = 0; y + 1 < height; ++y) mix(y, source.scanLine(y + 1));
    mix(height - 1, result.scanLine(std::max(height - 2, 0)));
    return result;
}

// Every pixel takes the colour of its block's top-left pixel.
Bitmap mosaicModel(const Bitmap& source, int block)
{
    Bitmap result(source.width(), source.height());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) writePixel(result, x, y, readPixel(source, x / block * block, y / block * block));
    return result;
}

TEST(SplitSpatialEffects, LargePicturesMatchThePlainModels)
{
    struct Case {
        const char* name;
        std::function<void(Bitmap&)> effect;
        std::function<Bitmap(const Bitmap&)> model;
    };
    const Case cases[] = {
        {"emboss", [](Bitmap& b) { emboss(b); }, embossModel},
        {"mosaic 7", [](Bitmap& b) { mosaic(b, 7); }, [](const Bitmap& b) { return mosaicModel(b, 7); }},
        {"mosaic 600", [](Bitmap& b) { mosaic(b, 600); }, [](const Bitmap& b) { return mosaicModel(b, 600); }},
    };
    for (const Case& c : cases)
        for (auto [width, height] : {std::pair{1100, 1000}, std::pair{1024, 1025}, std::pair{2000, 601}}) {
            const Bitmap source = randomPicture(width, height);
            Bitmap actual(source);
            c.effect(actual);
            EXPECT_TRUE(test::sameBitmap(c.model(source), actual)) << c.name << " " << width << " x " << height;
        }
}

} // namespace
} // namespace kel
