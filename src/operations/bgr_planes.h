#pragma once
// Sixteen pixels of a 24-bit row at a time: 48 blue, green, red bytes split
// into three planes of 16 and merged back with SSSE3 byte shuffles. Callers
// ask ssse3Available() once and mark the functions that use these KEL_SSSE3.
#if defined(__x86_64__) || defined(__i386__)
#define KEL_HAS_BGR_PLANES 1

#include <array>
#include <cstddef>
#include <cstdint>
#include <tmmintrin.h>

#define KEL_SSSE3 __attribute__((target("ssse3")))

namespace kel::bgr {

inline bool ssse3Available() { return __builtin_cpu_supports("ssse3"); }

using Mask = std::array<std::uint8_t, 16>;

// split[c][k]: the bytes of channel c found in source vector k, in pixel
// order; merge[c][k]: where channel c's plane goes in target vector k;
// spread[k]: one byte per pixel copied to the pixel's three bytes. 0x80 clears.
struct Masks {
    alignas(16) std::array<std::array<Mask, 3>, 3> split{};
    alignas(16) std::array<std::array<Mask, 3>, 3> merge{};
    alignas(16) std::array<Mask, 3> spread{};
    // reverse[k][v]: the bytes of source vector v that target vector k takes
    // when the order of the 16 pixels is reversed.
    alignas(16) std::array<std::array<Mask, 3>, 3> reverse{};
};

inline constexpr Masks kMasks = [] {
    Masks m;
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 16; ++i) {
            for (int c = 0; c < 3; ++c) {
                const int from = 3 * i + c;
                m.split[c][k][i] = std::uint8_t(from / 16 == k ? from % 16 : 0x80);
                const int to = 16 * k + i;
                m.merge[c][k][i] = std::uint8_t(to % 3 == c ? to / 3 : 0x80);
            }
            m.spread[k][i] = std::uint8_t((16 * k + i) / 3);
            const int to = 16 * k + i;
            const int from = (15 - to / 3) * 3 + to % 3;
            for (int v = 0; v < 3; ++v) m.reverse[k][v][i] = std::uint8_t(from / 16 == v ? from % 16 : 0x80);
        }
    return m;
}();

struct Planes {
    __m128i blue, green, red;
};

KEL_SSSE3 inline __m128i mask(const Mask& m) { return _mm_load_si128(reinterpret_cast<const __m128i*>(m.data())); }

KEL_SSSE3 inline __m128i gather(const __m128i v[3], const std::array<Mask, 3>& masks)
{
    return _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v[0], mask(masks[0])), _mm_shuffle_epi8(v[1], mask(masks[1]))),
                        _mm_shuffle_epi8(v[2], mask(masks[2])));
}

KEL_SSSE3 inline Planes split(const std::uint8_t* p)
{
    const __m128i v[3] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32))};
    return {gather(v, kMasks.split[0]), gather(v, kMasks.split[1]), gather(v, kMasks.split[2])};
}

KEL_SSSE3 inline void merge(const Planes& planes, std::uint8_t* p)
{
    for (int k = 0; k < 3; ++k) {
        const __m128i v = _mm_or_si128(
            _mm_or_si128(_mm_shuffle_epi8(planes.blue, mask(kMasks.merge[0][std::size_t(k)])),
                         _mm_shuffle_epi8(planes.green, mask(kMasks.merge[1][std::size_t(k)]))),
            _mm_shuffle_epi8(planes.red, mask(kMasks.merge[2][std::size_t(k)])));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * k), v);
    }
}

// The 48 bytes at p with the order of their 16 pixels reversed, as three vectors.
KEL_SSSE3 inline void reversed(const std::uint8_t* p, __m128i out[3])
{
    const __m128i v[3] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32))};
    for (std::size_t k = 0; k < 3; ++k) out[k] = gather(v, kMasks.reverse[k]);
}

KEL_SSSE3 inline void store(const __m128i v[3], std::uint8_t* p)
{
    for (int k = 0; k < 3; ++k) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * k), v[k]);
}

// Writes one byte per pixel into all three bytes of its pixel.
KEL_SSSE3 inline void spread(__m128i levels, std::uint8_t* p)
{
    for (int k = 0; k < 3; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * k),
                         _mm_shuffle_epi8(levels, mask(kMasks.spread[std::size_t(k)])));
}

// Blue + green + red of the 16 pixels, as two vectors of 8 sums (pixels 0-7, 8-15).
KEL_SSSE3 inline void sums(const Planes& planes, __m128i& low, __m128i& high)
{
    const __m128i zero = _mm_setzero_si128();
    low = _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(planes.blue, zero), _mm_unpacklo_epi8(planes.green, zero)),
                        _mm_unpacklo_epi8(planes.red, zero));
    high = _mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(planes.blue, zero), _mm_unpackhi_epi8(planes.green, zero)),
                         _mm_unpackhi_epi8(planes.red, zero));
}

} // namespace kel::bgr

#endif
