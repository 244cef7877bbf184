#include "operations/channels.h"

#include "operations/bgr_planes.h"

#include <algorithm>
#include <array>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kel {

namespace {

// channel x factor div 255 for every channel value and factor of 0 to 255:
// (t x 0x8081) >> 23 is t div 255 for every t below 65536.
constexpr int divideBy255(int t) { return (t * 0x8081) >> 23; }

// Blue, green, red factors repeated over the 48 bytes of 16 pixels.
struct Factors {
    std::array<std::uint8_t, 48> byByte{};
};

void scaleBytes(const std::uint8_t* in, std::uint8_t* out, int count, const Factors& factors)
{
    for (int i = 0; i < count; ++i) out[i] = std::uint8_t(divideBy255(in[i] * factors.byByte[std::size_t(i % 3)]));
}

#ifdef __SSE2__
// 48 bytes a step with SSE2 (always there on x86-64): widen, multiply, divide, narrow.
void scaleRow(const std::uint8_t* in, std::uint8_t* out, int rowBytes, const Factors& factors)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i magic = _mm_set1_epi16(short(0x8081));
    __m128i low[3], high[3];
    for (int k = 0; k < 3; ++k) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(factors.byByte.data() + 16 * k));
        low[k] = _mm_unpacklo_epi8(f, zero);
        high[k] = _mm_unpackhi_epi8(f, zero);
    }
    int i = 0;
    for (; i + 48 <= rowBytes; i += 48)
        for (int k = 0; k < 3; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 16 * k));
            const __m128i l = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(_mm_unpacklo_epi8(v, zero), low[k]), magic), 7);
            const __m128i h = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(_mm_unpackhi_epi8(v, zero), high[k]), magic), 7);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 16 * k), _mm_packus_epi16(l, h));
        }
    scaleBytes(in + i, out + i, rowBytes - i, factors);
}
#else
void scaleRow(const std::uint8_t* in, std::uint8_t* out, int rowBytes, const Factors& factors)
{
    scaleBytes(in, out, rowBytes, factors);
}
#endif

} // namespace

void ScaleChannels(const Bitmap& source, Bitmap& destination, Colour colour)
{
    if (source.empty()) return;
    // A source of another format is read from its 24-bit copy.
    Bitmap converted;
    const Bitmap* from = &source;
    if (source.pixelFormat() != pf24bit) {
        converted = source;
        converted.setPixelFormat(pf24bit);
        from = &converted;
    }
    if (&destination != &source
        && (destination.pixelFormat() != pf24bit || destination.width() != source.width()
            || destination.height() != source.height()))
        destination = Bitmap(source.width(), source.height(), pf24bit);
    else if (&destination == &source)
        destination.setPixelFormat(pf24bit);

    Factors factors;
    for (std::size_t i = 0; i < factors.byByte.size(); i += 3) {
        factors.byByte[i] = std::uint8_t(blueOf(colour));
        factors.byByte[i + 1] = std::uint8_t(greenOf(colour));
        factors.byByte[i + 2] = std::uint8_t(redOf(colour));
    }
    const int rowBytes = source.width() * 3;
    for (int y = 0; y < source.height(); ++y) scaleRow(from->rowUnchecked(y), destination.rowUnchecked(y), rowBytes, factors);
}

namespace {

// The toned pixel for every sum of blue, green and red.
using SepiaTable = std::array<std::array<std::uint8_t, 3>, 766>;

void sepiaPixels(std::uint8_t* p, int count, const SepiaTable& toned)
{
    for (int x = 0; x < count; ++x, p += 3) std::memcpy(p, toned[std::size_t(p[0] + p[1] + p[2])].data(), 3);
}

#ifdef KEL_HAS_BGR_PLANES
// Sixteen pixels a step: grey = sum div 3 as (sum x 0xAAAB) >> 17, exact up
// to 765; green and red add with saturation at 255.
KEL_SSSE3 void sepiaRowsVector(Bitmap& bitmap, std::uint8_t depth, const SepiaTable& toned)
{
    const __m128i third = _mm_set1_epi16(short(0xAAAB));
    const __m128i greenAdd = _mm_set1_epi8(char(depth));
    const __m128i redAdd = _mm_set1_epi8(char(std::min(2 * depth, 255)));
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* p = bitmap.rowUnchecked(y);
        int x = 0;
        for (; x + 16 <= width; x += 16, p += 48) {
            __m128i low, high;
            bgr::sums(bgr::split(p), low, high);
            const __m128i grey = _mm_packus_epi16(_mm_srli_epi16(_mm_mulhi_epu16(low, third), 1),
                                                  _mm_srli_epi16(_mm_mulhi_epu16(high, third), 1));
            bgr::merge({grey, _mm_adds_epu8(grey, greenAdd), _mm_adds_epu8(grey, redAdd)}, p);
        }
        sepiaPixels(p, width - x, toned);
    }
}
#endif

} // namespace

void SepiaTone(Bitmap& bitmap, std::uint8_t depth)
{
    bitmap.setPixelFormat(pf24bit);
    SepiaTable toned{};
    for (int sum = 0; sum < 766; ++sum) {
        const int grey = sum / 3;
        toned[std::size_t(sum)] = {std::uint8_t(grey), std::uint8_t(std::min(grey + depth, 255)),
                                   std::uint8_t(std::min(grey + 2 * depth, 255))};
    }
#ifdef KEL_HAS_BGR_PLANES
    if (bgr::ssse3Available()) {
        sepiaRowsVector(bitmap, depth, toned);
        return;
    }
#endif
    for (int y = 0; y < bitmap.height(); ++y) sepiaPixels(bitmap.rowUnchecked(y), bitmap.width(), toned);
}

} // namespace kel
