// Kodak Photo CD: the 768 x 512 base image. Its rows come in pairs, two luma
// rows followed by one row of each chroma component at half resolution, and
// are turned to RGB with Kodak's PhotoYCC coefficients. The orientation byte
// of the header turns portrait pictures upright.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kel::codecs {

namespace {

constexpr std::size_t kSignatureOffset = 0x800;
constexpr std::size_t kOrientationOffset = 0xE02;
constexpr std::size_t kBaseOffset = 0x30000;
constexpr int kWidth = 768;
constexpr int kHeight = 512;
constexpr std::size_t kRowPairBytes = 2 * kWidth + kWidth; // two luma rows, two half-width chroma rows

int clampByte(double v) { return int(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

Colour yccToRgb(int luma, int chroma1, int chroma2)
{
    const double y = 1.3584 * luma;
    const double c1 = 2.2179 * (chroma1 - 156);
    const double c2 = 1.8215 * (chroma2 - 137);
    return rgb(clampByte(y + c2), clampByte(y - 0.194 * c1 - 0.509 * c2), clampByte(y + c1));
}

} // namespace

std::unique_ptr<Graphic> readPhotoCd(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("Photo CD"));
    static const char signature[] = "PCD_IPI";
    if (reader.size() < kSignatureOffset + 7
        || !std::equal(signature, signature + 7, reinterpret_cast<const char*>(reader.at(kSignatureOffset, 7))))
        reader.fail(QStringLiteral("signature absente"));
    const int orientation = *reader.at(kOrientationOffset, 1) & 3;
    const std::uint8_t* data = reader.at(kBaseOffset, kRowPairBytes * (kHeight / 2));

    // Orientation 1 turns the picture a quarter counter-clockwise, 3 clockwise, 2 a half turn.
    const bool portrait = orientation == 1 || orientation == 3;
    Bitmap bitmap = makeBitmap(reader, portrait ? kHeight : kWidth, portrait ? kWidth : kHeight);
    for (int pair = 0; pair < kHeight / 2; ++pair) {
        const std::uint8_t* rows = data + std::size_t(pair) * kRowPairBytes;
        const std::uint8_t* chroma1 = rows + 2 * kWidth;
        const std::uint8_t* chroma2 = chroma1 + kWidth / 2;
        for (int half = 0; half < 2; ++half) {
            const int y = 2 * pair + half;
            const std::uint8_t* luma = rows + half * kWidth;
            for (int x = 0; x < kWidth; ++x) {
                const Colour colour = yccToRgb(luma[x], chroma1[x / 2], chroma2[x / 2]);
                switch (orientation) {
                case 0: putPixel(bitmap, x, y, colour); break;
                case 1: putPixel(bitmap, y, kWidth - 1 - x, colour); break;
                case 2: putPixel(bitmap, kWidth - 1 - x, kHeight - 1 - y, colour); break;
                default: putPixel(bitmap, kHeight - 1 - y, x, colour); break;
                }
            }
        }
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs
