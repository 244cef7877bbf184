#include "operations/blend.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <cstdint>

namespace kel {

namespace {

const Bitmap& asTrueColour(const Bitmap& bitmap, Bitmap& converted)
{
    if (bitmap.pixelFormat() == pf24bit) return bitmap;
    converted = Bitmap(bitmap.width(), bitmap.height(), pf24bit);
    convertRows(bitmap, converted);
    return converted;
}

} // namespace

QString blendSizeMessage()
{
    return QStringLiteral("Les 2 images n' ont pas les mêmes dimensions !           ");
}

Bitmap BlendBitmaps(const Bitmap& first, int firstWeight, const Bitmap& second, int secondWeight)
{
    Bitmap result;
    blendInto(first, firstWeight, second, secondWeight, result);
    return result;
}

void blendInto(const Bitmap& first, int firstWeight, const Bitmap& second, int secondWeight, Bitmap& result)
{
    if (first.width() != second.width() || first.height() != second.height())
        throw InvalidOperation(blendSizeMessage());
    if (firstWeight < 0 || secondWeight < 0 || std::int64_t(firstWeight) + secondWeight == 0)
        throw RangeError(QStringLiteral("Poids de fusion incorrects (%1, %2)").arg(firstWeight).arg(secondWeight));

    Bitmap firstCopy, secondCopy;
    const Bitmap& a = asTrueColour(first, firstCopy);
    const Bitmap& b = asTrueColour(second, secondCopy);
    if (result.pixelFormat() != pf24bit || result.width() != first.width() || result.height() != first.height())
        result = Bitmap(first.width(), first.height(), pf24bit);

    const auto w1 = std::uint32_t(firstWeight), w2 = std::uint32_t(secondWeight);
    const std::uint32_t sum = w1 + w2;
    const int bytes = first.width() * 3;
    // n div sum as a multiply by a rounded-up reciprocal and a shift. With
    // n <= 255 x sum the 16-bit form is exact up to sum 16 (the page's weights,
    // 5 and 0..10) and the 32-bit form up to sum 4103.
    if (sum >= 2 && sum <= 16) {
        const auto inverse = std::uint16_t((1u << 16) / sum + 1);
        const auto m1 = std::uint16_t(w1), m2 = std::uint16_t(w2);
        for (int y = 0; y < result.height(); ++y) {
            const std::uint8_t* pa = a.rowUnchecked(y);
            const std::uint8_t* pb = b.rowUnchecked(y);
            std::uint8_t* out = result.rowUnchecked(y);
            for (int i = 0; i < bytes; ++i) {
                const auto n = std::uint16_t(pa[i] * m1 + pb[i] * m2);
                out[i] = std::uint8_t((std::uint32_t(n) * inverse) >> 16);
            }
        }
    } else if (sum < 4104) {
        const std::uint64_t inverse = (std::uint64_t(1) << 32) / sum + 1;
        for (int y = 0; y < result.height(); ++y) {
            const std::uint8_t* pa = a.rowUnchecked(y);
            const std::uint8_t* pb = b.rowUnchecked(y);
            std::uint8_t* out = result.rowUnchecked(y);
            for (int i = 0; i < bytes; ++i)
                out[i] = std::uint8_t(((pa[i] * std::uint64_t(w1) + pb[i] * std::uint64_t(w2)) * inverse) >> 32);
        }
    } else {
        for (int y = 0; y < result.height(); ++y) {
            const std::uint8_t* pa = a.rowUnchecked(y);
            const std::uint8_t* pb = b.rowUnchecked(y);
            std::uint8_t* out = result.rowUnchecked(y);
            for (int i = 0; i < bytes; ++i)
                out[i] = std::uint8_t((std::uint64_t(pa[i]) * w1 + std::uint64_t(pb[i]) * w2) / sum);
        }
    }
}

} // namespace kel
