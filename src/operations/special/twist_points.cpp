#include "operations/special/twist_points.h"

#include "operations/special/float_trig.h"

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

// The vector helpers are always inlined, never called across the ABI.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace kel::twist_detail {

namespace {

using float_trig::Floats8;

// One step of the swirl for dx, dy from the centre, r = sqrt(dx^2 + dy^2),
// lane by lane.
template <class F>
[[gnu::always_inline]] inline void turnBack(F dx, F dy, F r, float strength, float cx, float cy, F& fx, F& fy)
{
    using float_trig::splat;
    constexpr float pi = 3.14159265358979323846f;
    constexpr float halfPi = pi / 2.0f;
    const F zero = splat<F>(0.0f);
    const F upright = dy > zero ? splat<F>(halfPi) : splat<F>(-halfPi);
    const F slanted = float_trig::atanOf(dy / dx) + (dx < zero ? splat<F>(pi) : zero);
    const F theta = dx == zero ? upright : slanted;
    const F phi = (theta - r / strength) + halfPi;
    const auto turned = float_trig::sineCosineOf(phi);
    const auto moved = r != zero;
    fx = (moved ? r * turned.cosine : zero) + cx;
    fy = (moved ? r * turned.sine : zero) + cy;
}

inline void pointsPlain(int from, int width, float dy, float cx, float cy, float strength, float* fx, float* fy)
{
    for (int x = from; x < width; ++x) {
        const float dx = float(x) - cx;
        turnBack(dx, dy, __builtin_sqrtf(dx * dx + dy * dy), strength, cx, cy, fx[x], fy[x]);
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target("avx2"))) int pointsAvx2(int width, float dy, float cx, float cy, float strength, float* fx,
                                               float* fy)
{
    const Floats8 steps = {0, 1, 2, 3, 4, 5, 6, 7};
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const Floats8 dx = (steps + float(x)) - cx, dys = Floats8{} + dy;
        const Floats8 r = Floats8(_mm256_sqrt_ps(__m256(dx * dx + dys * dys)));
        Floats8 vx, vy;
        turnBack(dx, dys, r, strength, cx, cy, vx, vy);
        __builtin_memcpy(fx + x, &vx, sizeof vx);
        __builtin_memcpy(fy + x, &vy, sizeof vy);
    }
    return x;
}

bool hasAvx2() { return __builtin_cpu_supports("avx2"); }
#else
int pointsAvx2(int, float, float, float, float, float*, float*) { return 0; }
bool hasAvx2() { return false; }
#endif

} // namespace

void sourcePoints(int y, int width, int height, float strength, float* fx, float* fy, PointsPath path)
{
    static const bool avx2 = hasAvx2();
    const float cx = float(width - 1) / 2.0f, cy = float(height - 1) / 2.0f;
    const float dy = float(y) - cy;
    const int done = avx2 && path != PointsPath::Plain ? pointsAvx2(width, dy, cx, cy, strength, fx, fy) : 0;
    pointsPlain(done, width, dy, cx, cy, strength, fx, fy);
}

} // namespace kel::twist_detail
