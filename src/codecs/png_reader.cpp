// PNG through libpng: every colour type and depth; 16-bit samples scaled to
// 8; palette and tRNS transparency and alpha channels kept.
//
// A picture with transparency becomes an RgbaGraphic; any other becomes a
// 24-bit bitmap whose rows libpng fills directly (png_set_bgr).
//
// libpng reports errors by longjmp to the setjmp of png_jmpbuf (png_common.h).
// The two functions that hold it keep no C++ object with a destructor, and
// neither do the callbacks libpng calls; everything else lives in readPng.
#include "codecs/library_codecs.h"
#include "codecs/png_common.h"

#include <QImage>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace kel::codecs::detail {

namespace {

struct Decoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngErrorText error;
    PngSource source;
    // Filled by readHeader.
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    bool alpha = false;
    std::size_t rowBytes = 0;
};

// Reads the chunks before the image data and sets the transformations.
bool readHeader(Decoder& d)
{
    if (setjmp(png_jmpbuf(d.png))) return false;
    png_set_user_limits(d.png, kMaxBitmapSide, kMaxBitmapSide);
    // libpng allocates an ancillary chunk's declared (or inflated) size before
    // reading it: no more than 8 MB, and no more than the file could inflate to.
    png_set_chunk_malloc_max(d.png, std::min<std::size_t>(8 * 1024 * 1024, 1100 * d.source.size + 65536));
    png_set_read_fn(d.png, &d.source, pngReadFromMemory);
    png_read_info(d.png, d.info);
    png_get_IHDR(d.png, d.info, &d.width, &d.height, &d.bitDepth, &d.colourType, &d.interlace, nullptr, nullptr);
    const bool tRNS = png_get_valid(d.png, d.info, PNG_INFO_tRNS) != 0;
    d.alpha = (d.colourType & PNG_COLOR_MASK_ALPHA) != 0 || tRNS;
    if (d.bitDepth == 16) png_set_scale_16(d.png);
    if (d.colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(d.png);
    if (d.colourType == PNG_COLOR_TYPE_GRAY && d.bitDepth < 8) png_set_expand_gray_1_2_4_to_8(d.png);
    if (tRNS) png_set_tRNS_to_alpha(d.png);
    if (!(d.colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(d.png);
    // 24-bit rows are blue, green, red; QImage's ARGB32 is B, G, R, A in memory
    // on little-endian machines and A, R, G, B on big-endian ones.
    if (!d.alpha || Q_BYTE_ORDER == Q_LITTLE_ENDIAN) png_set_bgr(d.png);
    else png_set_swap_alpha(d.png);
    png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    d.rowBytes = png_get_rowbytes(d.png, d.info);
    return true;
}

bool readRows(Decoder& d, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(d.png))) return false;
    png_read_image(d.png, rows);
    png_read_end(d.png, nullptr); // the end of the data must be there too
    return true;
}

struct DecoderCleanup {
    Decoder& d;
    ~DecoderCleanup() { png_destroy_read_struct(&d.png, d.info ? &d.info : nullptr, nullptr); }
};

} // namespace

std::unique_ptr<Graphic> readPng(const QByteArray& bytes, const QString&)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (bytes.size() < 8 || png_sig_cmp(data, 0, 8) != 0) rejectGraphic("PNG", QStringLiteral("signature absente"));
    Decoder d;
    d.source.data = data;
    d.source.size = std::size_t(bytes.size());
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d.error, pngError, pngWarning);
    if (!d.png) rejectGraphic("PNG", QStringLiteral("mémoire insuffisante"));
    DecoderCleanup cleanup{d};
    d.info = png_create_info_struct(d.png);
    if (!d.info) rejectGraphic("PNG", QStringLiteral("mémoire insuffisante"));

    auto problem = [&d] {
        if (d.source.truncated) return QStringLiteral("données tronquées");
        return QStringLiteral("données corrompues (%1)").arg(QString::fromLatin1(d.error.message));
    };
    if (!readHeader(d)) rejectGraphic("PNG", problem());
    checkDecodedSize("PNG", d.width, d.height, d.alpha ? pf32bit : pf24bit);
    if (d.rowBytes != std::size_t(d.width) * (d.alpha ? 4 : 3))
        rejectGraphic("PNG", QStringLiteral("format de pixels inattendu"));
    // Deflate packs at most 1032 bytes into one: a file far too short for its
    // size is refused before the picture is allocated.
    const int channels = (d.colourType == PNG_COLOR_TYPE_PALETTE) ? 1
                         : (d.colourType & PNG_COLOR_MASK_COLOR ? 3 : 1) + (d.colourType & PNG_COLOR_MASK_ALPHA ? 1 : 0);
    const double rawBytes = double(d.height) * (double(d.width) * channels * d.bitDepth / 8.0 + 1.0);
    if (rawBytes > 1100.0 * double(d.source.size) + 65536.0) rejectGraphic("PNG", QStringLiteral("données tronquées"));

    const int w = int(d.width), h = int(d.height);
    std::vector<png_bytep> rows(static_cast<std::size_t>(h));
    if (!d.alpha) {
        Bitmap bitmap = newDecodedBitmap("PNG", w, h, pf24bit);
        for (int y = 0; y < h; ++y) rows[std::size_t(y)] = bitmap.rowUnchecked(y);
        if (!readRows(d, rows.data())) rejectGraphic("PNG", problem());
        return std::make_unique<Bitmap>(std::move(bitmap));
    }

    QImage image = newDecodedImage("PNG", w, h);
    for (int y = 0; y < h; ++y) rows[std::size_t(y)] = image.scanLine(y);
    if (!readRows(d, rows.data())) rejectGraphic("PNG", problem());
    bool opaque = true;
    for (int y = 0; y < h && opaque; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        opaque = std::all_of(row, row + w, [](QRgb p) { return qAlpha(p) == 255; });
    }
    return graphicFromArgb("PNG", std::move(image), opaque);
}

} // namespace kel::codecs::detail
