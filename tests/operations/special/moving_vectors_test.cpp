// The vector steps of the pixel-moving effects against their plain forms, and
// the single-precision arc tangent, sine and cosine against the library's.
#include "operations/special/float_trig.h"
#include "operations/special/moving_models.h"
#include "operations/special/spray_draws.h"
#include "operations/special/twist_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kel {
namespace {

// Distance in units in the last place between two finite floats.
std::int64_t ulpsApart(float a, float b)
{
    std::int32_t ia, ib;
    std::memcpy(&ia, &a, 4);
    std::memcpy(&ib, &b, 4);
    const auto ordered = [](std::int32_t i) { return i < 0 ? std::int64_t(INT32_MIN) - i : std::int64_t(i); };
    return std::llabs(ordered(ia) - ordered(ib));
}

TEST(FloatTrig, WithinTwoUnitsInTheLastPlaceOfTheLibrary)
{
    std::int64_t atanError = 0, sinError = 0, cosError = 0;
    for (float t = -400.0f; t < 400.0f; t += 0.00093f) atanError = std::max(atanError, ulpsApart(float_trig::atan(t), std::atan(t)));
    for (float t = -1e-3f; t < 1e-3f; t += 3.1e-8f) atanError = std::max(atanError, ulpsApart(float_trig::atan(t), std::atan(t)));
    // The twist's angles lie within about -12..8.
    for (float v = -16.0f; v < 16.0f; v += 0.0000371f) {
        sinError = std::max(sinError, ulpsApart(float_trig::sin(v), std::sin(v)));
        cosError = std::max(cosError, ulpsApart(float_trig::cos(v), std::cos(v)));
    }
    EXPECT_LE(atanError, 2);
    EXPECT_LE(sinError, 2);
    EXPECT_LE(cosError, 2);
    EXPECT_EQ(float_trig::atan(0.0f), 0.0f);
    EXPECT_EQ(float_trig::sin(0.0f), 0.0f);
    EXPECT_EQ(float_trig::cos(0.0f), 1.0f);
}

TEST(MovingVectors, EveryPathGivesThePlainBytes)
{
    using spray_detail::DrawPath;
    using twist_detail::PointsPath;
    // Spray draws: every path against the generator's own arithmetic, seed and all.
    for (int count : {0, 1, 7, 8, 9, 64, 1001})
        for (DrawPath path : {DrawPath::Plain, DrawPath::Avx2, DrawPath::Best}) {
            test::ModelRandom model{0xC0FFEEu + std::uint32_t(count)};
            std::uint32_t seed = model.seed;
            std::vector<std::int8_t> dx(std::size_t(count) + 1), dy(dx);
            spray_detail::drawOffsets(seed, 6, count, dx.data(), dy.data(), path);
            for (int i = 0; i < count; ++i) {
                const int b = model.next(6), c = model.next(2 * b), d = model.next(2 * b);
                ASSERT_EQ(dx[std::size_t(i)], b - c) << count << ", " << i;
                ASSERT_EQ(dy[std::size_t(i)], b - d) << count << ", " << i;
            }
            EXPECT_EQ(seed, model.seed) << count;
        }
    // Twist points: the vector path bit for bit as the plain one, on odd sizes and the centre row.
    for (auto [w, h] : {std::pair{1, 1}, {9, 4}, {37, 21}, {4000, 3000}})
        for (int y : {0, h / 2, h - 1}) {
            std::vector<float> px(static_cast<std::size_t>(w)), py(px), vx(px), vy(px);
            twist_detail::sourcePoints(y, w, h, 255.0f, px.data(), py.data(), PointsPath::Plain);
            twist_detail::sourcePoints(y, w, h, 255.0f, vx.data(), vy.data(), PointsPath::Avx2);
            EXPECT_EQ(0, std::memcmp(px.data(), vx.data(), px.size() * sizeof(float))) << w << " x " << h << ", " << y;
            EXPECT_EQ(0, std::memcmp(py.data(), vy.data(), py.size() * sizeof(float))) << w << " x " << h << ", " << y;
        }
}

} // namespace
} // namespace kel
