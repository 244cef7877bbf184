// Scrambling against a byte-by-byte model that draws from its own generator.
#include "operations/scramble.h"

#include "graphics/errors.h"
#include "graphics/random.h"
#include "image_bytes.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::distinctPicture;
using test::sameBytes;

// Every row, padding included, XORed byte by byte with Random(256) from the key.
Bitmap modelScramble(const Bitmap& source, std::uint32_t key, std::uint32_t* seedAfter)
{
    Bitmap result(source);
    RandomGenerator generator;
    generator.setSeed(key);
    for (int y = 0; y < result.height(); ++y)
        for (int i = 0; i < result.bytesPerLine(); ++i)
            result.rowUnchecked(y)[i] ^= std::uint8_t(generator.random(256));
    *seedAfter = generator.seed();
    return result;
}

// Padding bytes set to a pattern, so that their scrambling shows.
Bitmap withPadding(Bitmap bitmap)
{
    const int used = (bitmap.width() * bitsPerPixel(bitmap.pixelFormat()) + 7) / 8;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int i = used; i < bitmap.bytesPerLine(); ++i) bitmap.rowUnchecked(y)[i] = std::uint8_t(0xC0 + i);
    return bitmap;
}

TEST(Scramble, MatchesTheModelAndTwiceRestores)
{
    struct Case {
        int width, height;
        PixelFormat format;
    };
    // Stores below, at and well above the generator's block of bytes.
    const Case cases[] = {{1, 2, pf24bit},   {2, 3, pf24bit}, {5, 2, pf24bit},  {11, 3, pf24bit},
                          {33, 7, pf24bit},  {101, 9, pf24bit}, {3, 4, pf8bit}, {7, 5, pf16bit},
                          {9, 3, pf32bit},   {13, 2, pf4bit}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << ", " << bitsPerPixel(c.format) << " bits");
        const Bitmap source = withPadding(distinctPicture(c.width, c.height, c.format));
        std::uint32_t seedAfter = 0;
        const Bitmap expected = modelScramble(source, kScrambleKey, &seedAfter);
        Bitmap picture(source);
        programRandom().setSeed(4321);
        scrambleBitmap(picture);
        EXPECT_TRUE(sameBytes(expected, picture));
        EXPECT_EQ(programRandom().seed(), seedAfter);
        scrambleBitmap(picture);
        EXPECT_TRUE(sameBytes(source, picture)) << "scrambled twice";
    }
}

TEST(Scramble, TwoRunsChangeTheSameBytesWhateverTheGeneratorHeld)
{
    const Bitmap source = withPadding(distinctPicture(21, 6));
    Bitmap first(source), second(source);
    programRandom().setSeed(1);
    scrambleBitmap(first);
    programRandom().randomize();
    programRandom().random(1000);
    scrambleBitmap(second);
    EXPECT_TRUE(sameBytes(first, second));
    EXPECT_FALSE(sameBytes(source, first));
}

TEST(Scramble, FewerThanTwoRowsFailsWithoutChangingAnything)
{
    for (Bitmap picture : {withPadding(distinctPicture(6, 1)), Bitmap(), Bitmap(0, 4)}) {
        const Bitmap before(picture);
        programRandom().setSeed(77);
        try {
            scrambleBitmap(picture);
            ADD_FAILURE() << "no error for " << picture.width() << " x " << picture.height();
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "Error");
        }
        EXPECT_TRUE(sameBytes(before, picture));
        EXPECT_EQ(programRandom().seed(), 77u);
    }
}

} // namespace
} // namespace kel
