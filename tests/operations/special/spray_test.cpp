#include "operations/special/spray.h"

#include "graphics/random.h"
#include "operations/special/moving_models.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace kel {
namespace {

using test::Grid;
using test::patterned;
using test::sameBitmap;

Bitmap sprayModel(const Bitmap& picture, test::ModelRandom& random)
{
    Grid g(picture);
    for (int x = 0; x < g.width; ++x)
        for (int y = 0; y < g.height; ++y) {
            const int b = random.next(6);
            const int c = random.next(2 * b);
            const int d = random.next(2 * b);
            if (g.inside(x + b - c, y + b - d)) g.at(x, y) = g.at(x + b - c, y + b - d);
        }
    return g.toBitmap();
}

// The held colour of each row, refreshed where the column is a multiple of
// the row's step or one more than a multiple of its extra period.
Bitmap trianglesModel(const Bitmap& picture)
{
    Grid g(picture);
    for (int y = 0; y < g.height; ++y) {
        int step = y % 22;
        if (step > 11) step = 22 - step;
        if (step == 0) step = 23;
        const int extra = std::abs(11 - y % 23) + 11;
        Colour held = g.at(0, y);
        for (int x = 0; x < g.width; ++x) {
            if (x % step == 0 || x % extra == 1) held = g.at(x, y);
            g.at(x, y) = held;
        }
    }
    return g.toBitmap();
}

TEST(Spray, FollowsTheGeneratorFromItsCurrentSeed)
{
    for (std::uint32_t seed : {0u, 1u, 2026u, 0xDEADBEEFu}) {
        const Bitmap picture = patterned(6, 6, seed);
        test::ModelRandom random{seed};
        const Bitmap expected = sprayModel(picture, random);
        Bitmap sprayed(picture);
        programRandom().setSeed(seed);
        spray(sprayed);
        EXPECT_TRUE(sameBitmap(expected, sprayed)) << "seed " << seed;
        EXPECT_EQ(programRandom().seed(), random.seed) << "three draws per pixel";
    }
}

TEST(Spray, LargerPicturesAndOneNotification)
{
    const Bitmap picture = patterned(70, 45, 9);
    test::ModelRandom random{99};
    const Bitmap expected = sprayModel(picture, random);
    Bitmap sprayed(picture);
    int notified = 0;
    sprayed.setChangeHandler([&] { ++notified; });
    programRandom().setSeed(99);
    spray(sprayed);
    EXPECT_TRUE(sameBitmap(expected, sprayed));
    EXPECT_EQ(notified, 1);
}

TEST(Triangles, FirstRowSamplesMultiplesOf23AndColumnsOneAfterMultiplesOf22)
{
    const Bitmap picture = patterned(100, 1);
    Bitmap patternedRow(picture);
    triangles(patternedRow);
    const std::vector<int> samples = {0, 1, 23, 45, 46, 67, 69, 89, 92};
    std::size_t next = 0;
    int held = 0;
    for (int x = 0; x < 100; ++x) {
        if (next < samples.size() && samples[next] == x) held = samples[next++];
        EXPECT_EQ(patternedRow.pixel(x, 0), picture.pixel(held, 0)) << "column " << x;
    }
}

TEST(Triangles, EveryRowFollowsItsPeriods)
{
    for (auto [w, h] : {std::pair{1, 1}, std::pair{60, 50}, std::pair{7, 30}}) {
        const Bitmap picture = patterned(w, h, 4);
        Bitmap result(picture);
        triangles(result);
        EXPECT_TRUE(sameBitmap(trianglesModel(picture), result)) << w << " x " << h;
    }
}

} // namespace
} // namespace kel
