#include "codecs/dib_decoder.h"
#include "codecs/icon_metafile_formats.h"
#include "codecs/metafile_graphic.h"
#include "codecs/reader_support.h"

#include <cstdlib>

namespace kel::codecs {
namespace {

constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::uint16_t kDibRgbColours = 0;

// A bitmap-drawing record: the DIB at `info` (pixel rows at `bits`, neither
// beyond `recordEnd`) copied from the source rectangle, whose y counts from
// the DIB's first stored row, into `destination`.
struct Destination {
    std::int64_t x, y, width, height;
};

MetafileBitmapDraw bitmapDraw(const ByteReader& reader, std::size_t info, std::size_t bits, std::size_t recordEnd,
                              int xSrc, int ySrc, int cxSrc, int cySrc, const Destination& destination)
{
    // Far enough for any drawing that can touch the picture, near enough for int arithmetic.
    constexpr std::int64_t reach = std::int64_t(1) << 29;
    if (destination.width <= 0 || destination.height <= 0 || destination.width > reach || destination.height > reach
        || std::abs(destination.x) > reach || std::abs(destination.y) > reach)
        reader.fail(QStringLiteral("rectangle incorrect"));
    const DibHeader header = readDibHeader(reader, info, false);
    if (info + header.infoSize() > recordEnd || bits > recordEnd || header.pixelBytes() > recordEnd - bits)
        reader.fail(QStringLiteral("image hors de son enregistrement"));
    if (cxSrc <= 0 || cySrc <= 0 || xSrc < 0 || ySrc < 0
        || std::int64_t(xSrc) + cxSrc > header.width || std::int64_t(ySrc) + cySrc > header.height)
        reader.fail(QStringLiteral("rectangle incorrect"));
    MetafileBitmapDraw draw;
    draw.source = decodeDib(reader, info, header, bits, false);
    const int top = header.bottomUp ? header.height - ySrc - cySrc : ySrc;
    draw.sourceRect = QRect(xSrc, top, cxSrc, cySrc);
    draw.destination = QRect(int(destination.x), int(destination.y), int(destination.width), int(destination.height));
    return draw;
}

} // namespace

// Header, EMR_STRETCHDIBITS records and the end record; coordinates are the
// device pixels of the header's bounds.
std::unique_ptr<Graphic> readEnhancedMetafile(const QByteArray& bytes, const QString&)
{
    enum : std::uint32_t { Header = 1, EndOfFile = 14, StretchDIBits = 81 };
    ByteReader reader(bytes, QStringLiteral("EMF"));
    const std::uint32_t type = reader.u32le();
    const std::uint32_t headerSize = reader.u32le();
    const std::int32_t left = reader.i32le(), top = reader.i32le(), right = reader.i32le(), bottom = reader.i32le();
    reader.skip(16); // frame
    if (type != Header || reader.u32le() != 0x464D4520 || headerSize < 88 || headerSize % 4 != 0)
        reader.fail(QStringLiteral("en-tête incorrect"));
    const std::int64_t width = std::int64_t(right) - left + 1, height = std::int64_t(bottom) - top + 1;
    // The picture is drawn into an ARGB32 image of this size.
    checkDecodedSize(reader.format(), width, height, pf32bit);

    std::vector<MetafileBitmapDraw> draws;
    reader.seek(headerSize);
    for (;;) {
        const std::size_t start = reader.position();
        const std::uint32_t recordType = reader.u32le();
        const std::uint32_t size = reader.u32le();
        if (size < 8 || size % 4 != 0 || size > reader.size() - start)
            reader.fail(QStringLiteral("enregistrement incorrect"));
        if (recordType == EndOfFile) break;
        if (recordType != StretchDIBits || size < 80) reader.fail(QStringLiteral("enregistrement non pris en charge"));
        reader.skip(16); // bounds
        const std::int32_t xDest = reader.i32le(), yDest = reader.i32le();
        const std::int32_t xSrc = reader.i32le(), ySrc = reader.i32le();
        const std::int32_t cxSrc = reader.i32le(), cySrc = reader.i32le();
        const std::uint32_t offBmi = reader.u32le(), cbBmi = reader.u32le();
        const std::uint32_t offBits = reader.u32le(), cbBits = reader.u32le();
        const std::uint32_t usage = reader.u32le(), operation = reader.u32le();
        const std::int32_t cxDest = reader.i32le(), cyDest = reader.i32le();
        if (usage != kDibRgbColours || operation != kSourceCopy || offBmi < 80 || cbBmi > size - std::min(offBmi, size)
            || cbBits > size - std::min(offBits, size))
            reader.fail(QStringLiteral("enregistrement d'image incorrect"));
        const Destination destination{std::int64_t(xDest) - left, std::int64_t(yDest) - top, cxDest, cyDest};
        draws.push_back(bitmapDraw(reader, start + offBmi, start + offBits, start + offBits + cbBits, xSrc, ySrc,
                                   cxSrc, cySrc, destination));
        reader.seek(start + size);
    }
    return std::make_unique<MetafileGraphic>(int(width), int(height), std::move(draws));
}

// A placeable metafile: its header, the metafile header, META_STRETCHDIB
// records and the end record. Logical coordinates map to pixels through the
// bounding box at its resolution in units per inch (96 units are one pixel each).
std::unique_ptr<Graphic> readWindowsMetafile(const QByteArray& bytes, const QString&)
{
    enum : std::uint16_t { EndOfFile = 0x0000, StretchDib = 0x0F43 };
    ByteReader reader(bytes, QStringLiteral("WMF"));
    if (reader.u32le() != 0x9AC6CDD7) reader.fail(QStringLiteral("en-tête placeable absent"));
    reader.skip(2);
    const int left = std::int16_t(reader.u16le()), top = std::int16_t(reader.u16le());
    const int right = std::int16_t(reader.u16le()), bottom = std::int16_t(reader.u16le());
    const int unitsPerInch = reader.u16le();
    reader.skip(6); // reserved, checksum
    if (unitsPerInch == 0 || right <= left || bottom <= top) reader.fail(QStringLiteral("cadre incorrect"));
    const std::int64_t width = (std::int64_t(right - left) * 96 + unitsPerInch / 2) / unitsPerInch;
    const std::int64_t height = (std::int64_t(bottom - top) * 96 + unitsPerInch / 2) / unitsPerInch;
    checkDecodedSize(reader.format(), width, height, pf32bit);
    auto toX = [&](std::int64_t x) { return (x - left) * width / (right - left); };
    auto toY = [&](std::int64_t y) { return (y - top) * height / (bottom - top); };

    const std::uint16_t fileType = reader.u16le();
    if ((fileType != 1 && fileType != 2) || reader.u16le() != 9) reader.fail(QStringLiteral("en-tête incorrect"));
    reader.skip(14);

    std::vector<MetafileBitmapDraw> draws;
    for (;;) {
        const std::size_t start = reader.position();
        const std::uint32_t words = reader.u32le();
        const std::uint16_t function = reader.u16le();
        if (words < 3 || words > (reader.size() - start) / 2) reader.fail(QStringLiteral("enregistrement incorrect"));
        if (function == EndOfFile) break;
        const std::size_t end = start + 2 * std::size_t(words);
        if (function != StretchDib || end - start < 28) reader.fail(QStringLiteral("enregistrement non pris en charge"));
        const std::uint32_t operation = reader.u32le();
        const std::uint16_t usage = reader.u16le();
        int fields[8]; // source height, width, y, x; destination height, width, y, x
        for (int& field : fields) field = std::int16_t(reader.u16le());
        if (operation != kSourceCopy || usage != kDibRgbColours)
            reader.fail(QStringLiteral("enregistrement d'image incorrect"));
        const std::int64_t x0 = toX(fields[7]), y0 = toY(fields[6]);
        const Destination destination{x0, y0, toX(std::int64_t(fields[7]) + fields[5]) - x0,
                                      toY(std::int64_t(fields[6]) + fields[4]) - y0};
        const std::size_t info = reader.position();
        const DibHeader header = readDibHeader(reader, info, false);
        draws.push_back(bitmapDraw(reader, info, info + header.infoSize(), end, fields[3], fields[2], fields[1],
                                   fields[0], destination));
        reader.seek(end);
    }
    return std::make_unique<MetafileGraphic>(int(width), int(height), std::move(draws));
}

} // namespace kel::codecs
