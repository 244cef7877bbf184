// The effects whose rows are split between threads, run on a bitmap that
// shares its pixels: the sharing bitmap keeps them, and the result is the one
// an unshared bitmap gets.
#include "support/bitmap_compare.h"
#include "view/effects/effect_pipeline.h"
#include "view/effects/spatial_effects.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>

namespace kel {
namespace {

// Large enough for its rows to be split between two threads; a fresh store each time.
Bitmap randomPicture()
{
    Bitmap picture = Bitmap::forOverwrite(1100, 1000, pf24bit);
    std::mt19937 random(7);
    for (int y = 0; y < picture.height(); ++y)
        for (int i = 0; i < picture.width() * 3; ++i) picture.rowUnchecked(y)[i] = std::uint8_t(random() % 4 * 85);
    return picture;
}

TEST(SharedBitmapEffectsTest, ThreadedWritesLeaveTheSharingBitmapIntact)
{
    const Bitmap picture = randomPicture();
    ToneSettings invert;
    invert.invert = true;
    const struct {
        const char* name;
        std::function<void(Bitmap&)> write;
    } cases[] = {
        {"tone chain from the picture", [&](Bitmap& b) { applyToneChain(invert, picture, nullptr, b); }},
        {"tone chain from itself", [&](Bitmap& b) { applyToneChain(invert, b, nullptr, b); }},
        {"trace", [](Bitmap& b) { trace(b, 2); }},
        {"recompute", [&](Bitmap& b) {
             EffectPipeline effects;
             effects.set(Effect::Brightness, 30, &picture);
             effects.recompute(picture, b);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap expected = randomPicture();
        c.write(expected);
        Bitmap shared = picture;
        c.write(shared);
        EXPECT_TRUE(test::sameBitmap(randomPicture(), picture));
        EXPECT_TRUE(test::sameBitmap(expected, shared));
    }
}

// Neutral settings would copy every pixel: the shown picture shares the original's.
TEST(SharedBitmapEffectsTest, ANeutralRecomputeSharesTheOriginal)
{
    const Bitmap picture = randomPicture();
    Bitmap shown(picture.width(), picture.height(), pf24bit);
    EffectPipeline effects;
    effects.recompute(picture, shown);
    EXPECT_EQ(std::as_const(shown).rowUnchecked(0), picture.rowUnchecked(0));
    effects.set(Effect::Invert, 1, &picture);
    effects.recompute(picture, shown);
    EXPECT_NE(std::as_const(shown).rowUnchecked(0), picture.rowUnchecked(0));
    EXPECT_TRUE(test::sameBitmap(randomPicture(), picture));
}

} // namespace
} // namespace kel
