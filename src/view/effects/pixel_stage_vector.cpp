#include "view/effects/pixel_stage_vector.h"

#include "view/effects/weighted_grey.h"

#if defined(__x86_64__) || defined(__i386__)

#include <array>
#include <tmmintrin.h>

namespace kel {

namespace {

// Shuffle masks between 48 interleaved bytes (blue, green, red) and three
// planes of 16; 0x80 clears the byte.
struct Masks {
    std::array<std::array<std::array<std::uint8_t, 16>, 3>, 3> split{}; // [channel][source vector]
    std::array<std::array<std::array<std::uint8_t, 16>, 3>, 3> merge{}; // [channel][target vector]

    Masks()
    {
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                for (int i = 0; i < 16; ++i) {
                    const int from = 3 * i + c; // byte of pixel i, channel c
                    split[c][k][i] = std::uint8_t(from / 16 == k ? from % 16 : 0x80);
                    const int to = 16 * k + i; // byte i of target vector k
                    merge[c][k][i] = std::uint8_t(to % 3 == c ? to / 3 : 0x80);
                }
    }
};

const Masks& masks()
{
    static const Masks instance;
    return instance;
}

__attribute__((target("ssse3"))) __m128i load(const std::array<std::uint8_t, 16>& bytes)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data()));
}

// Eight channel values against their pixels' averages, as 16-bit lanes.
__attribute__((target("ssse3"))) __m128i saturate8(__m128i v, __m128i average, __m128i strength, bool lowering)
{
    const __m128i distance = _mm_sub_epi16(v, average);
    const __m128i size = _mm_abs_epi16(distance);
    // |d| * (255 + s) div 255 = |d| + floor(|d| * s / 255), with the floor of a
    // negative part taken as minus the ceiling of its magnitude.
    __m128i product = _mm_mullo_epi16(size, strength);
    if (lowering) product = _mm_add_epi16(product, _mm_set1_epi16(254));
    const __m128i part = _mm_srli_epi16(_mm_mulhi_epu16(product, _mm_set1_epi16(short(0x8081))), 7);
    const __m128i scaled = lowering ? _mm_sub_epi16(size, part) : _mm_add_epi16(size, part);
    return _mm_add_epi16(_mm_sign_epi16(scaled, distance), average);
}

__attribute__((target("ssse3"))) __m128i saturatePlane(__m128i plane, __m128i averageLow, __m128i averageHigh,
                                                       __m128i strength, bool lowering)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = saturate8(_mm_unpacklo_epi8(plane, zero), averageLow, strength, lowering);
    const __m128i high = saturate8(_mm_unpackhi_epi8(plane, zero), averageHigh, strength, lowering);
    return _mm_packus_epi16(low, high); // the clamp to 0..255
}

// Splits groups of 16 pixels into planes, lets `stage` rewrite the planes and
// merges them back.
template <typename Stage>
__attribute__((target("ssse3"))) int forEachGroup(std::uint8_t* row, int width, Stage stage)
{
    const Masks& m = masks();
    __m128i split[3][3], merge[3][3];
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 3; ++k) {
            split[c][k] = load(m.split[c][k]);
            merge[c][k] = load(m.merge[c][k]);
        }
    int done = 0;
    for (; done + 16 <= width; done += 16) {
        auto* bytes = reinterpret_cast<__m128i*>(row + done * 3);
        const __m128i in[3] = {_mm_loadu_si128(bytes), _mm_loadu_si128(bytes + 1), _mm_loadu_si128(bytes + 2)};
        __m128i plane[3];
        for (int c = 0; c < 3; ++c)
            plane[c] = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(in[0], split[c][0]), _mm_shuffle_epi8(in[1], split[c][1])),
                                    _mm_shuffle_epi8(in[2], split[c][2]));
        stage(plane);
        for (int k = 0; k < 3; ++k)
            _mm_storeu_si128(bytes + k,
                             _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(plane[0], merge[0][k]),
                                                       _mm_shuffle_epi8(plane[1], merge[1][k])),
                                          _mm_shuffle_epi8(plane[2], merge[2][k])));
    }
    return done;
}

__attribute__((target("ssse3"))) int saturateRowSsse3(std::uint8_t* row, int width, int strength, bool invert)
{
    const bool lowering = strength < 0;
    const __m128i magnitude = _mm_set1_epi16(short(lowering ? -strength : strength));
    const __m128i flip = invert ? _mm_set1_epi8(char(0xFF)) : _mm_setzero_si128();
    const __m128i zero = _mm_setzero_si128();
    const __m128i third = _mm_set1_epi16(21846); // (sum * 21846) >> 16 is sum div 3 up to 765
    return forEachGroup(row, width, [&](__m128i* plane) __attribute__((target("ssse3"))) {
        __m128i average[2];
        for (int half = 0; half < 2; ++half) {
            __m128i sum = zero;
            for (int c = 0; c < 3; ++c)
                sum = _mm_add_epi16(sum, half == 0 ? _mm_unpacklo_epi8(plane[c], zero) : _mm_unpackhi_epi8(plane[c], zero));
            average[half] = _mm_mulhi_epu16(sum, third);
        }
        for (int c = 0; c < 3; ++c)
            plane[c] = _mm_xor_si128(saturatePlane(plane[c], average[0], average[1], magnitude, lowering), flip);
    });
}

// 30 R + 59 G + 11 B in eight 16-bit lanes (at most 25500), rounded to the
// nearest hundred; `ties` flags the lanes that lie exactly on a half.
__attribute__((target("ssse3"))) __m128i grey8(__m128i r, __m128i g, __m128i b, __m128i& ties)
{
    const __m128i hundredths = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(r, _mm_set1_epi16(30)),
                                                           _mm_mullo_epi16(g, _mm_set1_epi16(59))),
                                             _mm_mullo_epi16(b, _mm_set1_epi16(11)));
    // (h * 5243) >> 19 is h div 100 for h below 43699.
    const __m128i whole = _mm_srli_epi16(_mm_mulhi_epu16(hundredths, _mm_set1_epi16(5243)), 3);
    const __m128i rest = _mm_sub_epi16(hundredths, _mm_mullo_epi16(whole, _mm_set1_epi16(100)));
    ties = _mm_cmpeq_epi16(rest, _mm_set1_epi16(50));
    return _mm_sub_epi16(whole, _mm_cmpgt_epi16(rest, _mm_set1_epi16(50))); // adds 1 above a half
}

__attribute__((target("ssse3"))) int greyRowSsse3(std::uint8_t* row, int width, bool invert)
{
    const __m128i flip = invert ? _mm_set1_epi8(char(0xFF)) : _mm_setzero_si128();
    const __m128i zero = _mm_setzero_si128();
    return forEachGroup(row, width, [&](__m128i* plane) __attribute__((target("ssse3"))) {
        __m128i tiesLow, tiesHigh;
        const __m128i low = grey8(_mm_unpacklo_epi8(plane[2], zero), _mm_unpacklo_epi8(plane[1], zero),
                                  _mm_unpacklo_epi8(plane[0], zero), tiesLow);
        const __m128i high = grey8(_mm_unpackhi_epi8(plane[2], zero), _mm_unpackhi_epi8(plane[1], zero),
                                   _mm_unpackhi_epi8(plane[0], zero), tiesHigh);
        __m128i grey = _mm_packus_epi16(low, high);
        if (_mm_movemask_epi8(_mm_packs_epi16(tiesLow, tiesHigh)) != 0) {
            alignas(16) std::uint8_t r[16], g[16], b[16], out[16];
            _mm_store_si128(reinterpret_cast<__m128i*>(r), plane[2]);
            _mm_store_si128(reinterpret_cast<__m128i*>(g), plane[1]);
            _mm_store_si128(reinterpret_cast<__m128i*>(b), plane[0]);
            _mm_store_si128(reinterpret_cast<__m128i*>(out), grey);
            for (int i = 0; i < 16; ++i) out[i] = std::uint8_t(weightedGrey(r[i], g[i], b[i]));
            grey = _mm_load_si128(reinterpret_cast<const __m128i*>(out));
        }
        grey = _mm_xor_si128(grey, flip);
        plane[0] = plane[1] = plane[2] = grey;
    });
}

} // namespace

bool vectorStagesAvailable() { return __builtin_cpu_supports("ssse3"); }

int saturateRowVector(std::uint8_t* row, int width, int strength, bool invert)
{
    return saturateRowSsse3(row, width, strength, invert);
}

int greyRowVector(std::uint8_t* row, int width, bool invert) { return greyRowSsse3(row, width, invert); }

} // namespace kel

#else

namespace kel {

bool vectorStagesAvailable() { return false; }
int saturateRowVector(std::uint8_t*, int, int, bool) { return 0; }
int greyRowVector(std::uint8_t*, int, bool) { return 0; }

} // namespace kel

#endif
