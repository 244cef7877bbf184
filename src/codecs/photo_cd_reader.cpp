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

// Kodak's PhotoYCC to RGB, tabulated per component value.
class YccTables {
public:
    YccTables()
    {
        for (int v = 0; v < 256; ++v) {
            const double c1 = 2.2179 * (v - 156), c2 = 1.8215 * (v - 137);
            luma_[v] = 1.3584 * v;
            blueFromC1_[v] = c1;
            greenFromC1_[v] = -0.194 * c1;
            redFromC2_[v] = c2;
            greenFromC2_[v] = -0.509 * c2;
        }
    }

    Colour colour(int luma, int chroma1, int chroma2) const
    {
        const double y = luma_[luma];
        return rgb(clampByte(y + redFromC2_[chroma2]), clampByte(y + greenFromC1_[chroma1] + greenFromC2_[chroma2]),
                   clampByte(y + blueFromC1_[chroma1]));
    }

private:
    static int clampByte(double v) { return int(std::nearbyint(std::clamp(v, 0.0, 255.0))); }

    std::array<double, 256> luma_, blueFromC1_, greenFromC1_, redFromC2_, greenFromC2_;
};

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
    Bitmap bitmap = newDecodedBitmap(reader.format(), portrait ? kHeight : kWidth, portrait ? kWidth : kHeight);
    static const YccTables ycc;
    for (int pair = 0; pair < kHeight / 2; ++pair) {
        const std::uint8_t* rows = data + std::size_t(pair) * kRowPairBytes;
        const std::uint8_t* chroma1 = rows + 2 * kWidth;
        const std::uint8_t* chroma2 = chroma1 + kWidth / 2;
        for (int half = 0; half < 2; ++half) {
            const int y = 2 * pair + half;
            const std::uint8_t* luma = rows + half * kWidth;
            for (int x = 0; x < kWidth; ++x) {
                const Colour colour = ycc.colour(luma[x], chroma1[x / 2], chroma2[x / 2]);
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
