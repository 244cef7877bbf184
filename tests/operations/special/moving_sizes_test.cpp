// Every pixel-moving routine on every small size, on an empty picture and on
// the other formats a shown picture can have; with the shared generator's
// state checked after each run. Under the sanitizers these also prove that
// nothing is read or written outside a bitmap.
#include "graphics/random.h"
#include "operations/special/displacements.h"
#include "operations/special/moving_models.h"
#include "operations/special/ripples.h"
#include "operations/special/spray.h"
#include "operations/special/turns.h"
#include "support/bitmap_compare.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <algorithm>

namespace kel {
namespace {

using test::patterned;
using test::sameBitmap;

enum class Draws { None, ThreePerPixel, PerPixelOfHandledRowsFromClock };

struct Routine {
    const char* name;
    void (*run)(Bitmap&);
    bool keepsFormat;
    Draws draws;
};

const Routine kRoutines[] = {
    {"marble", &marble, true, Draws::None},
    {"plasma", &plasma, true, Draws::None},
    {"ripple random", &rippleRandom, false, Draws::PerPixelOfHandledRowsFromClock},
    {"ripple tooth", &rippleTooth, false, Draws::None},
    {"ripple triangle", &rippleTriangle, true, Draws::None},
    {"spray", &spray, true, Draws::ThreePerPixel},
    {"triangles", &triangles, false, Draws::None},
    {"turn", &turn, false, Draws::None},
    {"turn right", &turnRight, false, Draws::None},
    {"twist", &twist, true, Draws::None},
};

constexpr std::uint32_t kSeed = 0x13572468u;

int msOfDay() { return QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay(); }

// Ripple random reseeds from the clock: stepping back over the draws it must
// have made has to land on a clock value of the run.
void checkGenerator(const Routine& routine, int width, int height, int before, int after)
{
    const std::uint32_t seed = programRandom().seed();
    test::ModelRandom model{kSeed};
    if (routine.draws == Draws::ThreePerPixel)
        for (int i = 0; i < 3 * width * height; ++i) model.next(1);
    if (routine.draws != Draws::PerPixelOfHandledRowsFromClock) {
        EXPECT_EQ(seed, model.seed);
    } else if (after >= before) { // not across midnight
        const int handledRows = height - std::min(height / 2, kRippleRandomAmplitude);
        const std::uint32_t start = test::seedBefore(seed, long(handledRows) * width);
        EXPECT_TRUE(start >= std::uint32_t(before) && start <= std::uint32_t(after)) << start;
    }
}

class EverySize : public testing::TestWithParam<PixelFormat> {};

TEST_P(EverySize, EveryRoutineOnEverySmallPicture)
{
    const PixelFormat format = GetParam();
    for (const Routine& routine : kRoutines)
        for (int height = 1; height <= 6; ++height)
            for (int width = 1; width <= 6; ++width) {
                SCOPED_TRACE(testing::Message() << routine.name << " on " << width << " x " << height);
                Bitmap picture = patterned(width, height, unsigned(width * 10 + height));
                picture.setPixelFormat(format);
                Bitmap result(picture);
                programRandom().setSeed(kSeed);
                const int before = msOfDay();
                routine.run(result);
                const int after = msOfDay();
                checkGenerator(routine, width, height, before, after);

                const bool turns = routine.run == &turn || routine.run == &turnRight;
                EXPECT_EQ(result.width(), turns ? height : width);
                EXPECT_EQ(result.height(), turns ? width : height);
                EXPECT_EQ(result.pixelFormat(), routine.keepsFormat ? format : pf24bit);

                // The same as on a 24-bit copy of the picture, brought back to its format.
                if (routine.draws == Draws::PerPixelOfHandledRowsFromClock) continue;
                Bitmap expected = test::Grid(picture).toBitmap();
                programRandom().setSeed(kSeed);
                routine.run(expected);
                if (routine.keepsFormat) expected.setPixelFormat(format);
                EXPECT_TRUE(sameBitmap(expected, result));
            }
}

TEST_P(EverySize, NothingHappensToAnEmptyPicture)
{
    for (const Routine& routine : kRoutines) {
        SCOPED_TRACE(routine.name);
        Bitmap empty(0, 0, GetParam());
        int notified = 0;
        empty.setChangeHandler([&] { ++notified; });
        programRandom().setSeed(kSeed);
        routine.run(empty);
        EXPECT_EQ(notified, 0);
        EXPECT_EQ(programRandom().seed(), kSeed);
        EXPECT_EQ(empty.pixelFormat(), GetParam());
        EXPECT_TRUE(empty.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, EverySize, testing::Values(pf24bit, pf16bit, pf32bit));

} // namespace
} // namespace kel
