#include "graphics/errors.h"
#include "platform/scan_assembly.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>

using namespace kel;

namespace {

// A scanner's side: writes a known picture out as frames the way a source would.
struct Source {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels; // row by row

    Colour at(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
};

Source randomSource(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    Source source{width, height, {}};
    for (int i = 0; i < width * height; ++i) source.pixels.push_back(random() & 0xFFFFFF);
    return source;
}

int channelValue(Colour c, ScanFrameKind band)
{
    switch (band) {
    case ScanFrameKind::Red: return redOf(c);
    case ScanFrameKind::Green: return greenOf(c);
    case ScanFrameKind::Blue: return blueOf(c);
    default: return redOf(c); // grey sources use the red channel as their level
    }
}

// Samples of one row as a bit string, then packed, most significant bit first.
ScanFrame writeFrame(const Source& source, ScanFrameKind kind, int depth, int padding, int announcedLines)
{
    ScanFrame frame;
    frame.kind = kind;
    frame.depth = depth;
    frame.pixelsPerLine = source.width;
    const int channels = kind == ScanFrameKind::Rgb ? 3 : 1;
    frame.bytesPerLine = (source.width * channels * depth + 7) / 8 + padding;
    frame.lines = announcedLines;
    for (int y = 0; y < source.height; ++y) {
        std::vector<int> samples;
        for (int x = 0; x < source.width; ++x) {
            const Colour c = source.at(x, y);
            if (kind == ScanFrameKind::Rgb)
                samples.insert(samples.end(), {redOf(c), greenOf(c), blueOf(c)});
            else
                samples.push_back(channelValue(c, kind));
        }
        std::vector<std::uint8_t> row(std::size_t(frame.bytesPerLine), 0xA5); // padding is junk
        if (depth == 8) {
            for (std::size_t i = 0; i < samples.size(); ++i) row[i] = std::uint8_t(samples[i]);
        } else if (depth == 16) {
            for (std::size_t i = 0; i < samples.size(); ++i) {
                const std::uint16_t wide = std::uint16_t(samples[i] * 257 - (samples[i] & 1)); // high byte = sample
                std::memcpy(&row[i * 2], &wide, 2);
            }
        } else {
            std::string bits;
            for (int s : samples) bits += (kind == ScanFrameKind::Gray ? s < 128 : s >= 128) ? '1' : '0';
            while (bits.size() % 8) bits += '1';
            for (std::size_t i = 0; i < bits.size() / 8; ++i)
                row[i] = std::uint8_t(std::stoi(bits.substr(i * 8, 8), nullptr, 2));
        }
        frame.data.insert(frame.data.end(), row.begin(), row.end());
    }
    return frame;
}

// What the bitmap should show for a source pixel at that depth.
Colour expectedColour(Colour c, bool grey, int depth)
{
    const auto level = [depth](int v) { return depth == 1 ? (v >= 128 ? 255 : 0) : v; };
    if (grey) {
        const int v = level(redOf(c));
        return rgb(v, v, v);
    }
    return rgb(level(redOf(c)), level(greenOf(c)), level(blueOf(c)));
}

Bitmap expectedPicture(const Source& source, int lines, bool grey, int depth)
{
    Bitmap picture(source.width, lines, pf24bit);
    for (int y = 0; y < lines; ++y)
        for (int x = 0; x < source.width; ++x) picture.setPixel(x, y, expectedColour(source.at(x, y), grey, depth));
    return picture;
}

} // namespace

TEST(ScanAssembly, FramesOfEveryKindAndDepthGiveThePictureBack)
{
    struct Case {
        const char* what;
        bool threePass;
        ScanFrameKind kind;
        int depth, width, height, padding, announced, droppedBytes, expectedLines;
        PixelFormat format;
    };
    const Case cases[] = {
        {"grey 8", false, ScanFrameKind::Gray, 8, 13, 7, 0, 7, 0, 7, pf8bit},
        {"grey 8, padded rows", false, ScanFrameKind::Gray, 8, 13, 7, 3, 7, 0, 7, pf8bit},
        {"grey 16", false, ScanFrameKind::Gray, 16, 9, 5, 1, 5, 0, 5, pf8bit},
        {"line art, width not a multiple of 8", false, ScanFrameKind::Gray, 1, 19, 6, 0, 6, 0, 6, pf1bit},
        {"line art, padded", false, ScanFrameKind::Gray, 1, 8, 4, 2, 4, 0, 4, pf1bit},
        {"colour 8", false, ScanFrameKind::Rgb, 8, 11, 6, 1, 6, 0, 6, pf24bit},
        {"colour 16", false, ScanFrameKind::Rgb, 16, 7, 4, 0, 4, 0, 4, pf24bit},
        {"colour 1", false, ScanFrameKind::Rgb, 1, 10, 3, 0, 3, 0, 3, pf24bit},
        {"hand scanner: lines unknown", false, ScanFrameKind::Rgb, 8, 5, 9, 0, -1, 0, 9, pf24bit},
        {"short data: only whole rows", false, ScanFrameKind::Gray, 8, 6, 8, 0, 8, 4, 7, pf8bit},
        {"more data than announced", false, ScanFrameKind::Gray, 8, 6, 8, 0, 5, 0, 5, pf8bit},
        {"three passes, 8 bits", true, ScanFrameKind::Red, 8, 12, 5, 2, 5, 0, 5, pf24bit},
        {"three passes, 16 bits", true, ScanFrameKind::Red, 16, 4, 3, 0, 3, 0, 3, pf24bit},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Source source = randomSource(c.width, c.height, seed++);
        std::vector<ScanFrame> frames;
        if (c.threePass) {
            // Green first: the order of the passes must not matter.
            for (ScanFrameKind band : {ScanFrameKind::Green, ScanFrameKind::Red, ScanFrameKind::Blue})
                frames.push_back(writeFrame(source, band, c.depth, c.padding, c.announced));
        } else {
            frames.push_back(writeFrame(source, c.kind, c.depth, c.padding, c.announced));
        }
        frames.back().data.resize(frames.back().data.size() - std::size_t(c.droppedBytes));
        const Bitmap scan = assembleScan(frames);
        EXPECT_EQ(scan.pixelFormat(), c.format);
        EXPECT_TRUE(test::sameBitmap(expectedPicture(source, c.expectedLines, c.kind == ScanFrameKind::Gray, c.depth), scan));
    }
}

TEST(ScanAssembly, RefusesFramesThatDescribeNoSoundPicture)
{
    const Source source = randomSource(8, 4, 99);
    const auto grey = [&] { return writeFrame(source, ScanFrameKind::Gray, 8, 0, 4); };
    struct Case {
        const char* what;
        std::function<std::vector<ScanFrame>()> frames;
    };
    const auto band = [&](ScanFrameKind kind, int width) {
        return writeFrame(randomSource(width, 4, 1), kind, 8, 0, 4);
    };
    const Case cases[] = {
        {"no frame", [] { return std::vector<ScanFrame>{}; }},
        {"4-bit samples", [&] { auto f = grey(); f.depth = 4; return std::vector{f}; }},
        {"rows shorter than their pixels", [&] { auto f = grey(); f.bytesPerLine = 7; return std::vector{f}; }},
        {"no pixels per line", [&] { auto f = grey(); f.pixelsPerLine = 0; return std::vector{f}; }},
        {"no whole line", [&] { auto f = grey(); f.data.resize(5); return std::vector{f}; }},
        {"two grey frames", [&] { return std::vector{grey(), grey()}; }},
        {"a band given twice", [&] { return std::vector{band(ScanFrameKind::Red, 8), band(ScanFrameKind::Red, 8), band(ScanFrameKind::Blue, 8)}; }},
        {"passes of different widths", [&] { return std::vector{band(ScanFrameKind::Red, 8), band(ScanFrameKind::Green, 8), band(ScanFrameKind::Blue, 9)}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(assembleScan(c.frames()), InvalidGraphic);
    }
}

TEST(ScanAssembly, RefusesPicturesBeyondTheBitmapLimits)
{
    ScanFrame wide;
    wide.pixelsPerLine = kMaxBitmapSide + 1;
    wide.bytesPerLine = wide.pixelsPerLine;
    wide.lines = 1;
    wide.data.assign(std::size_t(wide.bytesPerLine), 0);
    EXPECT_THROW(assembleScan({wide}), OutOfResources);

    // A hand scanner going on past the largest side.
    ScanFrame tall;
    tall.pixelsPerLine = 1;
    tall.bytesPerLine = 1;
    tall.data.assign(std::size_t(kMaxBitmapSide) + 5, 0);
    EXPECT_EQ(completeLines(tall), kMaxBitmapSide + 1);
    EXPECT_THROW(assembleScan({tall}), OutOfResources);
}
