#include "operations/channels.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kel {

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

    // One table per channel, in row byte order: blue, green, red.
    std::array<std::array<std::uint8_t, 256>, 3> scale{};
    const int factors[3] = {blueOf(colour), greenOf(colour), redOf(colour)};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) scale[std::size_t(c)][std::size_t(v)] = std::uint8_t(v * factors[c] / 255);

    const int rowBytes = source.width() * 3;
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = from->rowUnchecked(y);
        std::uint8_t* out = destination.rowUnchecked(y);
        for (int i = 0; i < rowBytes; i += 3) {
            out[i] = scale[0][in[i]];
            out[i + 1] = scale[1][in[i + 1]];
            out[i + 2] = scale[2][in[i + 2]];
        }
    }
}

void SepiaTone(Bitmap& bitmap, std::uint8_t depth)
{
    bitmap.setPixelFormat(pf24bit);
    // The toned pixel for every sum of blue, green and red.
    std::array<std::array<std::uint8_t, 3>, 766> toned{};
    for (int sum = 0; sum < 766; ++sum) {
        const int grey = sum / 3;
        toned[std::size_t(sum)] = {std::uint8_t(grey), std::uint8_t(std::min(grey + depth, 255)),
                                   std::uint8_t(std::min(grey + 2 * depth, 255))};
    }
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* p = bitmap.rowUnchecked(y);
        for (int x = 0; x < width; ++x, p += 3) std::memcpy(p, toned[std::size_t(p[0] + p[1] + p[2])].data(), 3);
    }
}

} // namespace kel
