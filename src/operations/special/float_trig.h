#pragma once
// Arc tangent, sine and cosine in single precision, about one unit in the last
// place from the exact values, written once for a plain float and for a vector
// of floats (GCC vector extension) so that every lane gives the very bytes the
// plain function gives: the same operations in the same order, with selects in
// place of branches and no fused multiply-add (none of the targets used here
// has one, so the compiler cannot contract).
#include <cstdint>

namespace kel::float_trig {

// Eight lanes, as one AVX register.
using Floats8 = float __attribute__((vector_size(32)));
using Ints8 = std::int32_t __attribute__((vector_size(32)));

// A constant in every lane (or the plain constant).
template <class F>
[[gnu::always_inline]] inline F splat(float c)
{
    return F{} + c;
}

template <class F>
[[gnu::always_inline]] inline F absOf(F v)
{
    return v < splat<F>(0.0f) ? -v : v;
}

// Round to the nearest integer, ties to even, for |v| < 2^22.
template <class F>
[[gnu::always_inline]] inline F nearestInteger(F v)
{
    const F magic = splat<F>(12582912.0f); // 1.5 * 2^23
    return (v + magic) - magic;
}

// atan(z) for |z| <= tan(pi/16): the series up to z^9.
template <class F>
[[gnu::always_inline]] inline F atanNearZero(F z)
{
    const F z2 = z * z;
    const F p = splat<F>(-1.0f / 3) + z2 * (splat<F>(1.0f / 5) + z2 * (splat<F>(-1.0f / 7) + z2 * (1.0f / 9)));
    return z + z * z2 * p;
}

// Arc tangent. |t| above 1 is taken as 1/|t| from pi/2; then around the
// nearest of 0, c = tan(pi/8) (as a float) and 1, with
// atan(w) = atan(c) + atan((w - c) / (1 + w c)); the offsets are atan of the
// float c exactly, each as a float plus a correction.
template <class F>
[[gnu::always_inline]] inline F atanOf(F t)
{
    const F a = absOf(t);
    const auto big = a > splat<F>(1.0f);
    const F w = big ? splat<F>(1.0f) / a : a;
    const auto high = w > splat<F>(0.66817862f), middle = w > splat<F>(0.19891237f);
    const F c = high ? splat<F>(1.0f) : (middle ? splat<F>(0.41421357f) : splat<F>(0.0f));
    const F z = (w - c) / (splat<F>(1.0f) + w * c);
    // atan(c), and pi/2 - atan(c) for the big side: high and low parts.
    const F baseHigh = high ? splat<F>(0.78539819f) : (middle ? splat<F>(0.39269909f) : splat<F>(0.0f));
    const F baseLow = high ? splat<F>(-2.1855694e-08f) : (middle ? splat<F>(-6.1487269e-09f) : splat<F>(0.0f));
    const F restHigh = high ? splat<F>(0.78539819f) : (middle ? splat<F>(1.1780972f) : splat<F>(1.5707964f));
    const F restLow = high ? splat<F>(-2.1855694e-08f) : (middle ? splat<F>(-7.7603408e-09f) : splat<F>(-4.3711388e-08f));
    const F p = atanNearZero(z);
    const F magnitude = big ? restHigh + (restLow - p) : baseHigh + (baseLow + p);
    return t < splat<F>(0.0f) ? -magnitude : magnitude;
}

// The sine and cosine of y for |y| <= pi/4: their series to y^9 and y^10.
template <class F>
[[gnu::always_inline]] inline F sineNearZero(F y, F y2)
{
    const F p = splat<F>(-1.0f / 6) +
                y2 * (splat<F>(1.0f / 120) + y2 * (splat<F>(-1.0f / 5040) + y2 * (1.0f / 362880)));
    return y + y * y2 * p;
}

template <class F>
[[gnu::always_inline]] inline F cosineNearZero(F y2)
{
    const F p = splat<F>(1.0f / 24) +
                y2 * (splat<F>(-1.0f / 720) + y2 * (splat<F>(1.0f / 40320) + y2 * (-1.0f / 3628800)));
    return (splat<F>(1.0f) - 0.5f * y2) + y2 * y2 * p;
}

template <class F>
struct SineCosine {
    F sine, cosine;
};

// Whole-number floats as 32-bit integers, lane by lane.
[[gnu::always_inline]] inline std::int32_t toIntegers(float v) { return std::int32_t(v); }
[[gnu::always_inline]] inline Ints8 toIntegers(Floats8 v) { return __builtin_convertvector(v, Ints8); }

// Sine and cosine for |v| below about 1000: v less n quarter turns (pi/2 in
// three parts, the first two short enough that n times them is exact), then
// the series, swapped and negated by n mod 4.
template <class F>
[[gnu::always_inline]] inline SineCosine<F> sineCosineOf(F v)
{
    const F n = nearestInteger(v * 0.63661977f);
    const F y = ((v - n * 1.5703125f) - n * 4.8375130e-4f) - n * 7.5497901e-08f;
    const F y2 = y * y;
    const F s = sineNearZero(y, y2), c = cosineNearZero(y2);
    const auto quarter = toIntegers(n) & 3;
    const F sine = (quarter & 1) ? c : s, cosine = (quarter & 1) ? s : c;
    return {(quarter & 2) ? -sine : sine, ((quarter + 1) & 2) ? -cosine : cosine};
}

// The plain functions, which define the results.
inline float atan(float t) { return atanOf(t); }
inline SineCosine<float> sineCosine(float v) { return sineCosineOf(v); }
inline float sin(float v) { return sineCosine(v).sine; }
inline float cos(float v) { return sineCosine(v).cosine; }

} // namespace kel::float_trig
