#include "view/effects/point_chain.h"

#include "graphics/errors.h"
#include "graphics/split_rows.h"
#include "view/effects/tone_vector.h"
#include "view/effects/weighted_grey.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

namespace kel {

namespace {

using Table = std::array<std::uint8_t, 256>;

int clampByte(std::int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : int(v); }

int nearest(double x) { return int(std::nearbyint(x)); }

// Step 1 for one channel; `solarized` is the pixel-wide decision of solarize.
int posterizedOrSolarized(int v, const ToneSettings& s, bool solarized)
{
    if (s.posterize != 0) return nearest(double(v) / s.posterize) * s.posterize;
    return solarized ? 255 - v : v;
}

// Steps 2 to 4 added to the value step 1 left, plus the brightness; the
// terms are all computed from that one value. Wide enough for any setting.
std::int64_t toneSum(int v, const ToneSettings& s)
{
    std::int64_t sum = std::int64_t(v) + s.brightness;
    if (s.contrast != 0) {
        const std::int64_t t = (std::int64_t(std::abs(127 - v)) * s.contrast) / 255;
        sum += v <= 127 ? -t : t;
    }
    if (s.lightness != 0) sum += (std::int64_t(255 - v) * s.lightness) / 255;
    if (s.darkness != 0) sum += -(std::int64_t(v) * s.darkness) / 255;
    return sum;
}

int splitLightOnce(int v) { return nearest(std::sin(double(v) / 255 * std::numbers::pi / 2) * 255); }

enum class PixelStage { None, Grey, Saturation };

VectorTone vectorToneOf(const ToneSettings& s, PixelStage stage)
{
    VectorTone tone;
    tone.brightness = s.brightness;
    tone.contrast = s.contrast;
    tone.lightness = s.lightness;
    tone.darkness = s.darkness;
    tone.stage = stage == PixelStage::Grey         ? VectorTone::Stage::Grey
                 : stage == PixelStage::Saturation ? VectorTone::Stage::Saturation
                                                   : VectorTone::Stage::None;
    tone.saturation = s.saturation;
    tone.invert = s.invert;
    return tone;
}

// Everything that depends on one channel value is tabulated once per
// recompute; the pixel-wide steps (solarize, grey, saturation) use small tables.
struct ToneTables {
    explicit ToneTables(const ToneSettings& s)
        : stage(s.grayScale ? PixelStage::Grey : s.saturation != 0 ? PixelStage::Saturation : PixelStage::None),
          solarize(s.posterize == 0 && s.solorize != 0), solarLimit(3 * (256 - s.solorize)),
          vector(vectorToneOf(s, stage))
    {
        // The vector steps cover strengths within -255..255 (every product fits 16 bits).
        const bool vectorAvailable = vectorToneAvailable() && std::abs(s.saturation) <= 255;
        vectorStage = vectorAvailable && stage != PixelStage::None;
        vectorWhole = vectorAvailable && s.posterize == 0 && s.solorize == 0 && s.splitlight == 0
                      && std::abs(s.contrast) <= 255 && std::abs(s.lightness) <= 255 && std::abs(s.darkness) <= 255
                      && std::abs(s.brightness) <= 255;

        std::array<int, 256> output{}; // the invert of step 8, after the last pixel-wide step
        for (int v = 0; v < 256; ++v) output[std::size_t(v)] = s.invert ? 255 - v : v;
        const bool invertPerChannel = stage == PixelStage::None;

        for (int v = 0; v < 256; ++v) {
            int lifted = v;
            for (int pass = 0; pass < s.splitlight; ++pass) lifted = splitLightOnce(lifted);
            tone[std::size_t(v)] = std::uint8_t(invertPerChannel ? output[std::size_t(lifted)] : lifted);
        }
        for (int solarized = 0; solarized < 2; ++solarized)
            for (int v = 0; v < 256; ++v) {
                const std::int64_t sum = toneSum(posterizedOrSolarized(v, s, solarized != 0), s);
                base[std::size_t(solarized)][std::size_t(v)] = std::int16_t(std::clamp<std::int64_t>(sum, -256, 256));
                direct[std::size_t(solarized)][std::size_t(v)] = tone[std::size_t(clampByte(sum))];
            }
        identity = !solarize && stage == PixelStage::None;
        for (int v = 0; v < 256 && identity; ++v) identity = direct[0][std::size_t(v)] == v;

        for (int g = 0; g < 256; ++g) greyOut[std::size_t(g)] = std::uint8_t(output[std::size_t(g)]);
        if (stage == PixelStage::Saturation) {
            const std::int64_t gain = std::int64_t(s.saturation) + 255;
            std::array<int, 511> spread{}; // ((v - a) * gain) div 255, for v - a in -255..255
            for (int d = -255; d <= 255; ++d)
                spread[std::size_t(d + 255)] = int(std::clamp<std::int64_t>((d * gain) / 255, -256, 256));
            saturated.resize(256 * 256);
            for (int a = 0; a < 256; ++a)
                for (int v = 0; v < 256; ++v)
                    saturated[std::size_t(a * 256 + v)] =
                        std::uint8_t(output[std::size_t(clampByte(spread[std::size_t(v - a + 255)] + a))]);
        }
    }

    PixelStage stage;
    bool solarize;
    int solarLimit; // the channel sum from which the average exceeds 255 - S
    VectorTone vector;
    bool vectorStage = false; // grey or saturation on 16 pixels at a time, after the tables
    bool vectorWhole = false; // the whole chain on 16 pixels at a time
    bool identity = false;
    Table tone{};                                         // split light, then invert when per channel
    std::array<std::array<std::int16_t, 256>, 2> base{}; // steps 1 to 5 before the clamp, kept in -256..256
    std::array<Table, 2> direct{};                        // steps 1 to 6 without noise
    Table greyOut{};
    std::vector<std::uint8_t> saturated; // [average][value], clamped and inverted
};

using RowKernel = void (*)(const ToneTables&, const std::uint8_t*, const std::uint8_t*, std::uint8_t*, int);

// Settings that act on each channel alone: one table lookup per byte.
void channelKernel(const ToneTables& t, const std::uint8_t* src, const std::uint8_t*, std::uint8_t* out, int width)
{
    const std::uint8_t* table = t.direct[0].data();
    for (int i = 0; i < width * 3; ++i) out[i] = table[src[i]];
}

// The same with noise: one addition and two lookups per byte.
void noisyChannelKernel(const ToneTables& t, const std::uint8_t* src, const std::uint8_t* noise, std::uint8_t* out,
                        int width)
{
    const std::int16_t* base = t.base[0].data();
    const std::uint8_t* tone = t.tone.data();
    for (int i = 0; i < width * 3; ++i) out[i] = tone[clampByte(base[src[i]] + noise[i])];
}

void copyKernel(const ToneTables&, const std::uint8_t* src, const std::uint8_t*, std::uint8_t* out, int width)
{
    std::memcpy(out, src, std::size_t(width) * 3);
}

// The whole chain for one pixel given as blue | green << 8 | red << 16, with
// the pixel-wide steps chosen at compile time; answers the same packing.
template <bool Solarize, bool Noise, PixelStage Stage>
struct PixelChain {
    explicit PixelChain(const ToneTables& t)
        : direct0(t.direct[0].data()), direct1(t.direct[1].data()), base0(t.base[0].data()),
          base1(t.base[1].data()), tone(t.tone.data()), greyOut(t.greyOut.data()), saturated(t.saturated.data()),
          solarLimit(t.solarLimit)
    {
    }

    std::uint32_t operator()(std::uint32_t pixel, const std::uint8_t* noise) const
    {
        const int sb = int(pixel & 0xFF), sg = int((pixel >> 8) & 0xFF), sr = int((pixel >> 16) & 0xFF);
        const bool solarized = Solarize && sb + sg + sr >= solarLimit;
        int b, g, r;
        if constexpr (Noise) {
            const std::int16_t* base = solarized ? base1 : base0;
            b = tone[clampByte(base[sb] + noise[0])];
            g = tone[clampByte(base[sg] + noise[1])];
            r = tone[clampByte(base[sr] + noise[2])];
        } else {
            const std::uint8_t* direct = solarized ? direct1 : direct0;
            b = direct[sb];
            g = direct[sg];
            r = direct[sr];
        }
        if constexpr (Stage == PixelStage::Grey) {
            return std::uint32_t(greyOut[weightedGrey(r, g, b)]) * 0x010101u;
        } else if constexpr (Stage == PixelStage::Saturation) {
            const std::uint8_t* table = saturated + (b + g + r) / 3 * 256;
            return std::uint32_t(table[b]) | std::uint32_t(table[g]) << 8 | std::uint32_t(table[r]) << 16;
        } else {
            return std::uint32_t(b) | std::uint32_t(g) << 8 | std::uint32_t(r) << 16;
        }
    }

    const std::uint8_t* direct0;
    const std::uint8_t* direct1;
    const std::int16_t* base0;
    const std::int16_t* base1;
    const std::uint8_t* tone;
    const std::uint8_t* greyOut;
    const std::uint8_t* saturated;
    int solarLimit;
};

// Pixels move as 4-byte words; the fourth byte read belongs to the next pixel
// and the fourth byte written is rewritten by it. The last pixel of the row
// moves byte by byte so that nothing beyond the row is touched.
template <bool Solarize, bool Noise, PixelStage Stage>
void pixelKernel(const ToneTables& t, const std::uint8_t* src, const std::uint8_t* noise, std::uint8_t* out,
                 int width)
{
    const PixelChain<Solarize, Noise, Stage> chain(t);
    if (width <= 0) return;
    for (int x = 0; x + 1 < width; ++x, src += 3, out += 3) {
        std::uint32_t pixel;
        std::memcpy(&pixel, src, 4);
        const std::uint32_t result = chain(pixel, noise);
        std::memcpy(out, &result, 4);
        if constexpr (Noise) noise += 3;
    }
    const std::uint32_t result = chain(std::uint32_t(src[0]) | std::uint32_t(src[1]) << 8 | std::uint32_t(src[2]) << 16, noise);
    out[0] = std::uint8_t(result);
    out[1] = std::uint8_t(result >> 8);
    out[2] = std::uint8_t(result >> 16);
}

// The pixel-wide step by the tables, for the pixels the vector step leaves.
void pixelStageByTable(const ToneTables& t, std::uint8_t* p, int width)
{
    for (int x = 0; x < width; ++x, p += 3) {
        if (t.stage == PixelStage::Grey) {
            p[0] = p[1] = p[2] = t.greyOut[std::size_t(weightedGrey(p[2], p[1], p[0]))];
            continue;
        }
        const std::uint8_t* table = t.saturated.data() + (p[0] + p[1] + p[2]) / 3 * 256;
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    }
}

template <RowKernel Channels>
void channelsThenVectorStage(const ToneTables& t, const std::uint8_t* src, const std::uint8_t* noise,
                             std::uint8_t* out, int width)
{
    Channels(t, src, noise, out, width);
    const int done = toneRowVector(out, out, width, t.vector, true);
    pixelStageByTable(t, out + done * 3, width - done);
}

template <RowKernel Tail>
void wholeChainVector(const ToneTables& t, const std::uint8_t* src, const std::uint8_t* noise, std::uint8_t* out,
                      int width)
{
    const int done = toneRowVector(src, out, width, t.vector, false, noise);
    Tail(t, src + done * 3, noise ? noise + done * 3 : nullptr, out + done * 3, width - done);
}

template <bool Noise>
RowKernel wholeChainVectorFor(PixelStage stage)
{
    switch (stage) {
    case PixelStage::Grey: return wholeChainVector<pixelKernel<false, Noise, PixelStage::Grey>>;
    case PixelStage::Saturation: return wholeChainVector<pixelKernel<false, Noise, PixelStage::Saturation>>;
    case PixelStage::None: break;
    }
    return wholeChainVector<pixelKernel<false, Noise, PixelStage::None>>;
}

template <bool Solarize, bool Noise>
RowKernel kernelForStage(PixelStage stage, bool vectorStage)
{
    if (vectorStage) {
        if constexpr (!Solarize && !Noise) return channelsThenVectorStage<channelKernel>;
        else if constexpr (!Solarize) return channelsThenVectorStage<noisyChannelKernel>;
        else return channelsThenVectorStage<pixelKernel<Solarize, Noise, PixelStage::None>>;
    }
    switch (stage) {
    case PixelStage::Grey: return pixelKernel<Solarize, Noise, PixelStage::Grey>;
    case PixelStage::Saturation: return pixelKernel<Solarize, Noise, PixelStage::Saturation>;
    case PixelStage::None: break;
    }
    return pixelKernel<Solarize, Noise, PixelStage::None>;
}

RowKernel kernelFor(const ToneTables& t, bool noise)
{
    if (t.vectorWhole && noise) return wholeChainVectorFor<true>(t.stage);
    if (t.vectorWhole && !t.identity) return wholeChainVectorFor<false>(t.stage);
    if (!t.solarize && t.stage == PixelStage::None)
        return noise ? noisyChannelKernel : t.identity ? copyKernel : channelKernel;
    const bool vector = t.vectorStage;
    if (t.solarize)
        return noise ? kernelForStage<true, true>(t.stage, vector) : kernelForStage<true, false>(t.stage, vector);
    return noise ? kernelForStage<false, true>(t.stage, vector) : kernelForStage<false, false>(t.stage, vector);
}

void requireShape(const Bitmap& bitmap, int width, int height)
{
    if (bitmap.pixelFormat() != pf24bit || bitmap.width() != width || bitmap.height() != height)
        throw RangeError(QStringLiteral("Les images des effets n'ont pas la même taille"));
}

} // namespace

void applyToneChain(const ToneSettings& settings, const Bitmap& source, const Bitmap* noise, Bitmap& target)
{
    requireShape(source, source.width(), source.height());
    requireShape(target, source.width(), source.height());
    if (noise) requireShape(*noise, source.width(), source.height());
    if (source.empty()) return; // a bitmap without pixels has no rows to reach
    const ToneTables tables(settings);
    const RowKernel kernel = kernelFor(tables, noise != nullptr);
    // Every pixel is worked out alone: the rows are shared between the cores.
    // The target's own store before the split; when it is written from itself the pixels come along.
    if (&target == &source || &target == noise)
        target.detach();
    else
        target.detachForOverwrite();
    splitRows(source.height(), std::int64_t(source.width()) * source.height(), 1, [&](int from, int to) {
        for (int y = from; y < to; ++y)
            kernel(tables, source.rowUnchecked(y), noise ? noise->rowUnchecked(y) : nullptr, target.rowUnchecked(y),
                   source.width());
    });
}

} // namespace kel
