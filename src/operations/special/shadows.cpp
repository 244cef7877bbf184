#include "operations/special/shadows.h"

#include "graphics/split_rows.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__GNUC__) && defined(__x86_64__)
#include <tmmintrin.h>
#define KEL_SHADOW_VECTORS 1
#endif

namespace kel {

namespace {

// The picture drawn into a 24-bit bitmap of its size.
Bitmap drawnCopy(const Bitmap& picture)
{
    Bitmap copy(picture.width(), picture.height(), pf24bit);
    picture.drawOnto(copy, 0, 0);
    return copy;
}

// Pixels [0, count) of `p` against the pixels of `n`.
void shadePixels(std::uint8_t* p, const std::uint8_t* n, int count)
{
    for (int x = 0; x < count; ++x, p += 3, n += 3) {
        // All ones when the neighbour is darker in blue, else zero.
        const auto take = std::uint8_t(-int(n[0] < p[0]));
        for (int c = 0; c < 3; ++c) p[c] = std::uint8_t((p[c] & ~take) | (std::uint8_t(n[c] + 1) & take));
    }
}

#ifdef KEL_SHADOW_VECTORS
// Four pixels at a time: sixteen bytes are read, so a run stops while six
// pixels are left to the row's end; the twelve changed bytes are written as
// eight and four, which the next step's read does not overlap.
__attribute__((target("ssse3"))) int shadePixelsVector(std::uint8_t* p, const std::uint8_t* n, int count)
{
    const __m128i bias = _mm_set1_epi8(char(0x80));
    const __m128i ones = _mm_set1_epi8(-1);
    // Each pixel's blue comparison copied to its three bytes.
    const __m128i spread = _mm_setr_epi8(0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, -128, -128, -128, -128);
    int x = 0;
    for (; x + 6 <= count; x += 4, p += 12, n += 12) {
        const __m128i own = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i other = _mm_loadu_si128(reinterpret_cast<const __m128i*>(n));
        const __m128i darker = _mm_cmpgt_epi8(_mm_xor_si128(own, bias), _mm_xor_si128(other, bias));
        const __m128i take = _mm_shuffle_epi8(darker, spread);
        const __m128i raised = _mm_sub_epi8(other, ones);
        const __m128i shaded = _mm_or_si128(_mm_and_si128(take, raised), _mm_andnot_si128(take, own));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), shaded);
        const std::uint32_t last = std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(shaded, 8)));
        std::memcpy(p + 8, &last, 4);
    }
    return x;
}

bool shadeVectorsAvailable()
{
    static const bool available = __builtin_cpu_supports("ssse3");
    return available;
}
#endif

// Pixels [first, first + count) of `row` against the pixels `shift` columns
// away in `source`, a row not yet changed in this pass.
void shadeRow(std::uint8_t* row, const std::uint8_t* source, int first, int count, int shift)
{
    std::uint8_t* p = row + std::ptrdiff_t(first) * 3;
    const std::uint8_t* n = source + std::ptrdiff_t(first + shift) * 3;
    int done = 0;
#ifdef KEL_SHADOW_VECTORS
    if (shadeVectorsAvailable()) done = shadePixelsVector(p, n, count);
#endif
    shadePixels(p + std::ptrdiff_t(done) * 3, n + std::ptrdiff_t(done) * 3, count - done);
}

// The neighbour of (x, y) is (x + dx, y + dy), dx and dy being +4 or -4.
// Rows are scanned away from the neighbour's row, so it is always unchanged.
// The scan is cut in two halves worked at the same time: the first half's
// last rows read the second half's first rows, kept aside before either starts.
void shadeRows(Bitmap& picture, int dx, int dy)
{
    const int width = picture.width(), height = picture.height();
    if (width <= kShadowDistance || height <= kShadowDistance) return;
    const int first = dx > 0 ? 0 : kShadowDistance, count = width - kShadowDistance;
    const int steps = height - kShadowDistance, half = steps / 2;
    picture.detach();
    const auto rowAt = [&](int step) { return picture.rowUnchecked(dy < 0 ? height - 1 - step : step); };
    const std::size_t bytes = std::size_t(width) * 3;
    std::vector<std::uint8_t> kept(bytes * kShadowDistance);
    for (int k = 0; k < kShadowDistance; ++k) std::memcpy(kept.data() + bytes * std::size_t(k), rowAt(half + k), bytes);
    const auto shadeSteps = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            const int neighbour = i + kShadowDistance;
            const std::uint8_t* source = neighbour >= half && i < half ? kept.data() + bytes * std::size_t(neighbour - half)
                                                                        : rowAt(neighbour);
            shadeRow(rowAt(i), source, first, count, dx);
        }
    };
    splitRows(2, std::int64_t(width) * height, 1, [&](int from, int to) {
        shadeSteps(from == 0 ? 0 : half, to == 2 ? steps : half);
    });
}

// Every pixel depends only on unchanged pixels, so a 24-bit picture gives the
// same result worked on in place, followed by the notification that putting
// a copy in its place would send. Other pictures go through a drawn copy.
void castShadow(Bitmap& bitmap, int dx, int dy)
{
    if (bitmap.empty()) return;
    if (bitmap.pixelFormat() == pf24bit && !bitmap.transparent()) {
        shadeRows(bitmap, dx, dy);
        bitmap.changed();
        return;
    }
    Bitmap copy = drawnCopy(bitmap);
    shadeRows(copy, dx, dy);
    bitmap = std::move(copy);
}

} // namespace

void shadowDownLeft(Bitmap& bitmap) { castShadow(bitmap, kShadowDistance, -kShadowDistance); }
void shadowDownRight(Bitmap& bitmap) { castShadow(bitmap, -kShadowDistance, -kShadowDistance); }
void shadowUpLeft(Bitmap& bitmap) { castShadow(bitmap, kShadowDistance, kShadowDistance); }
void shadowUpRight(Bitmap& bitmap) { castShadow(bitmap, -kShadowDistance, kShadowDistance); }

} // namespace kel
