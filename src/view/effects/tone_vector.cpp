#include "view/effects/tone_vector.h"

#if defined(__x86_64__) || defined(__i386__)

#include "view/effects/weighted_grey.h"

#include <array>
#include <cstdlib>
#include <tmmintrin.h>

// The vector code runs only after the processor has been asked for SSSE3.
#define KEL_SSSE3 __attribute__((target("ssse3")))

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

KEL_SSSE3 __m128i widenLow(__m128i bytes) { return _mm_unpacklo_epi8(bytes, _mm_setzero_si128()); }
KEL_SSSE3 __m128i widenHigh(__m128i bytes) { return _mm_unpackhi_epi8(bytes, _mm_setzero_si128()); }

// floor(m / 255) for m in 0..65535, as (m * 0x8081) >> 23.
KEL_SSSE3 __m128i divide255(__m128i m)
{
    return _mm_srli_epi16(_mm_mulhi_epu16(m, _mm_set1_epi16(short(0x8081))), 7);
}

// Steps 2 to 5 without noise on eight channel values: every product is at most
// 255 * 255, every term's division truncates toward zero.
struct ChannelTerms {
    KEL_SSSE3 explicit ChannelTerms(const VectorTone& t)
        : brightness(_mm_set1_epi16(short(t.brightness))), contrast(_mm_set1_epi16(short(std::abs(t.contrast)))),
          lightness(_mm_set1_epi16(short(std::abs(t.lightness)))), darkness(_mm_set1_epi16(short(std::abs(t.darkness)))),
          contrastSign(_mm_set1_epi16(short(t.contrast < 0 ? -1 : 1))),
          lightnessSign(_mm_set1_epi16(short(t.lightness < 0 ? -1 : 1))),
          darknessSign(_mm_set1_epi16(short(t.darkness < 0 ? 1 : -1))), useContrast(t.contrast != 0),
          useLightness(t.lightness != 0), useDarkness(t.darkness != 0)
    {
    }

    KEL_SSSE3 __m128i operator()(__m128i v) const
    {
        __m128i sum = _mm_add_epi16(v, brightness);
        if (useContrast) {
            const __m128i fromMiddle = _mm_sub_epi16(v, _mm_set1_epi16(127));
            const __m128i term = divide255(_mm_mullo_epi16(_mm_abs_epi16(fromMiddle), contrast));
            sum = _mm_add_epi16(sum, _mm_sign_epi16(_mm_sign_epi16(term, fromMiddle), contrastSign));
        }
        if (useLightness) {
            const __m128i term = divide255(_mm_mullo_epi16(_mm_sub_epi16(_mm_set1_epi16(255), v), lightness));
            sum = _mm_add_epi16(sum, _mm_sign_epi16(term, lightnessSign));
        }
        if (useDarkness) {
            const __m128i term = divide255(_mm_mullo_epi16(v, darkness));
            sum = _mm_add_epi16(sum, _mm_sign_epi16(term, darknessSign));
        }
        return sum; // clamped by the caller
    }

    __m128i brightness, contrast, lightness, darkness, contrastSign, lightnessSign, darknessSign;
    bool useContrast, useLightness, useDarkness;
};

// Eight channel values against their pixels' averages, as 16-bit lanes.
KEL_SSSE3 __m128i saturate8(__m128i v, __m128i average, __m128i strength, bool lowering)
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

// 30 R + 59 G + 11 B in eight 16-bit lanes (at most 25500), rounded to the
// nearest hundred; `ties` flags the lanes that lie exactly on a half.
KEL_SSSE3 __m128i grey8(__m128i r, __m128i g, __m128i b, __m128i& ties)
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

KEL_SSSE3 __m128i greyPlane(const __m128i* plane)
{
    __m128i tiesLow, tiesHigh;
    const __m128i low = grey8(widenLow(plane[2]), widenLow(plane[1]), widenLow(plane[0]), tiesLow);
    const __m128i high = grey8(widenHigh(plane[2]), widenHigh(plane[1]), widenHigh(plane[0]), tiesHigh);
    __m128i grey = _mm_packus_epi16(low, high);
    if (_mm_movemask_epi8(_mm_packs_epi16(tiesLow, tiesHigh)) != 0) {
        alignas(16) std::uint8_t r[16], g[16], b[16], out[16];
        _mm_store_si128(reinterpret_cast<__m128i*>(r), plane[2]);
        _mm_store_si128(reinterpret_cast<__m128i*>(g), plane[1]);
        _mm_store_si128(reinterpret_cast<__m128i*>(b), plane[0]);
        for (int i = 0; i < 16; ++i) out[i] = std::uint8_t(weightedGrey(r[i], g[i], b[i]));
        grey = _mm_load_si128(reinterpret_cast<const __m128i*>(out));
    }
    return grey;
}

// One channel's 16 bytes out of 48 interleaved ones.
KEL_SSSE3 __m128i planeOf(const __m128i* bytes, const __m128i* split)
{
    return _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(bytes[0], split[0]), _mm_shuffle_epi8(bytes[1], split[1])),
                        _mm_shuffle_epi8(bytes[2], split[2]));
}

KEL_SSSE3 int toneRowSsse3(const std::uint8_t* src, std::uint8_t* out, int width, const VectorTone& tone,
                           bool channelsDone, const std::uint8_t* noise)
{
    const Masks& m = masks();
    __m128i split[3][3], merge[3][3];
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 3; ++k) {
            split[c][k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m.split[c][k].data()));
            merge[c][k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m.merge[c][k].data()));
        }
    const ChannelTerms terms(tone);
    const bool lowering = tone.saturation < 0;
    const __m128i strength = _mm_set1_epi16(short(std::abs(tone.saturation)));
    const __m128i third = _mm_set1_epi16(21846); // (sum * 21846) >> 16 is sum div 3 up to 765
    const __m128i flip = tone.invert ? _mm_set1_epi8(char(0xFF)) : _mm_setzero_si128();

    int done = 0;
    for (; done + 16 <= width; done += 16) {
        const auto* in = reinterpret_cast<const __m128i*>(src + done * 3);
        const __m128i bytes[3] = {_mm_loadu_si128(in), _mm_loadu_si128(in + 1), _mm_loadu_si128(in + 2)};
        __m128i noiseBytes[3];
        if (noise) {
            const auto* n = reinterpret_cast<const __m128i*>(noise + done * 3);
            for (int k = 0; k < 3; ++k) noiseBytes[k] = _mm_loadu_si128(n + k);
        }
        __m128i plane[3];
        for (int c = 0; c < 3; ++c) {
            plane[c] = planeOf(bytes, split[c]);
            if (channelsDone) continue;
            __m128i low = terms(widenLow(plane[c])), high = terms(widenHigh(plane[c]));
            if (noise) {
                // The sums lie within -1020..1275, so adding 0..255 cannot overflow.
                const __m128i added = planeOf(noiseBytes, split[c]);
                low = _mm_add_epi16(low, widenLow(added));
                high = _mm_add_epi16(high, widenHigh(added));
            }
            plane[c] = _mm_packus_epi16(low, high);
        }
        if (tone.stage == VectorTone::Stage::Grey) {
            plane[0] = plane[1] = plane[2] = greyPlane(plane);
        } else if (tone.stage == VectorTone::Stage::Saturation) {
            __m128i average[2];
            for (int half = 0; half < 2; ++half) {
                __m128i sum = _mm_setzero_si128();
                for (int c = 0; c < 3; ++c) sum = _mm_add_epi16(sum, half == 0 ? widenLow(plane[c]) : widenHigh(plane[c]));
                average[half] = _mm_mulhi_epu16(sum, third);
            }
            for (int c = 0; c < 3; ++c)
                plane[c] = _mm_packus_epi16(saturate8(widenLow(plane[c]), average[0], strength, lowering),
                                            saturate8(widenHigh(plane[c]), average[1], strength, lowering));
        }
        auto* target = reinterpret_cast<__m128i*>(out + done * 3);
        for (int k = 0; k < 3; ++k)
            _mm_storeu_si128(target + k,
                             _mm_xor_si128(_mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(plane[0], merge[0][k]),
                                                                     _mm_shuffle_epi8(plane[1], merge[1][k])),
                                                        _mm_shuffle_epi8(plane[2], merge[2][k])),
                                           flip));
    }
    return done;
}

} // namespace

bool vectorToneAvailable() { return __builtin_cpu_supports("ssse3"); }

int toneRowVector(const std::uint8_t* src, std::uint8_t* out, int width, const VectorTone& tone, bool channelsDone,
                  const std::uint8_t* noise)
{
    return toneRowSsse3(src, out, width, tone, channelsDone, noise);
}

} // namespace kel

#else

namespace kel {

bool vectorToneAvailable() { return false; }
int toneRowVector(const std::uint8_t*, std::uint8_t*, int, const VectorTone&, bool, const std::uint8_t*) { return 0; }

} // namespace kel

#endif
