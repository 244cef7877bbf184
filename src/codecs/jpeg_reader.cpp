// JPEG through libjpeg-turbo: greyscale, YCbCr/RGB and CMYK/YCCK pictures,
// decoded straight into the rows of a 24-bit bitmap (JCS_EXT_BGR output), so
// that opening costs the decoder's work and nothing more.
//
// libjpeg reports errors through error_exit, which must not return: it
// longjmps back into the two small functions below that hold the setjmp.
// Those functions keep no C++ object with a destructor, and no frame between
// them and libjpeg's has one either; the C++ side (the bitmap, the messages,
// the rows shown to a decode watch) lives in readJpeg, outside the jumps.
#include "codecs/decode_watch.h"
#include "codecs/jpeg_common.h"
#include "codecs/library_codecs.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace kel::codecs::detail {

namespace {

// Decoders that keep the whole picture's coefficients (progressive files)
// may use this much memory; beyond it libjpeg fails instead of growing.
constexpr long kJpegMemoryLimit = 512L * 1024 * 1024;
// Real progressive files have about ten scans; thousands of tiny scans only
// make decoding crawl (each pass runs over the whole picture).
constexpr int kJpegScanLimit = 500;

struct Decoder {
    jpeg_decompress_struct info;
    JpegErrorManager error;
    jpeg_progress_mgr progress;
    bool created = false;
    bool cmyk = false;
    bool adobeInverted = false;
};

void countScans(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->is_decompressor && decompress->input_scan_number > kJpegScanLimit) {
        info->err->msg_code = kJpegTooManyScans;
        (*info->err->error_exit)(info);
    }
}

// Reads the header and chooses the output; false after a libjpeg error.
bool readHeader(Decoder& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.error.jump)) return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.info.mem->max_memory_to_use = kJpegMemoryLimit;
    d.progress.progress_monitor = countScans;
    d.info.progress = &d.progress;
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);
    switch (d.info.jpeg_color_space) {
    case JCS_CMYK:
    case JCS_YCCK:
        d.info.out_color_space = JCS_CMYK;
        d.cmyk = true;
        d.adobeInverted = d.info.saw_Adobe_marker;
        break;
    default: d.info.out_color_space = JCS_EXT_BGR; break; // greyscale, YCbCr and RGB
    }
    jpeg_calc_output_dimensions(&d.info);
    return true;
}

// Decodes every row into rows[y] (BGR), or into `cmykRow` then converted
// for CMYK pictures; false after a libjpeg error.
bool decodeRows(Decoder& d, unsigned char* firstRow, long stride, unsigned char* cmykRow, WatchedRows& watched)
{
    if (setjmp(d.error.jump)) return false;
    jpeg_start_decompress(&d.info);
    const JDIMENSION width = d.info.output_width;
    while (d.info.output_scanline < d.info.output_height) {
        unsigned char* out = firstRow + stride * long(d.info.output_scanline);
        JSAMPROW row = d.cmyk ? cmykRow : out;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1) continue;
        if (!d.cmyk) {
            watched.finished(int(d.info.output_scanline));
            continue;
        }
        for (JDIMENSION x = 0; x < width; ++x) {
            const unsigned char* p = cmykRow + 4 * x;
            int c = p[0], m = p[1], y = p[2], k = p[3];
            if (!d.adobeInverted) { // plain inks: 255 is full ink
                c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k;
            }
            // Now 255 is no ink: red = (1 - C)(1 - K), and so on.
            out[3 * x] = static_cast<unsigned char>((y * k + 127) / 255);
            out[3 * x + 1] = static_cast<unsigned char>((m * k + 127) / 255);
            out[3 * x + 2] = static_cast<unsigned char>((c * k + 127) / 255);
        }
        watched.finished(int(d.info.output_scanline));
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

struct DecoderCleanup {
    Decoder& d;
    ~DecoderCleanup()
    {
        if (d.created) jpeg_destroy_decompress(&d.info);
    }
};

} // namespace

std::unique_ptr<Graphic> readJpeg(const QByteArray& bytes, const QString&)
{
    if (bytes.size() < 3 || static_cast<unsigned char>(bytes[0]) != 0xFF
        || static_cast<unsigned char>(bytes[1]) != 0xD8)
        rejectGraphic("JPEG", QStringLiteral("signature absente"));
    Decoder d;
    std::memset(&d.info, 0, sizeof d.info);
    d.info.err = initJpegErrorManager(d.error);
    DecoderCleanup cleanup{d};
    if (!readHeader(d, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size())))
        rejectGraphic("JPEG", d.error.problem());
    if (d.info.output_components != (d.cmyk ? 4 : 3))
        rejectGraphic("JPEG", QStringLiteral("espace de couleurs non pris en charge"));
    Bitmap bitmap = newDecodedBitmap("JPEG", d.info.output_width, d.info.output_height, pf24bit);
    std::vector<unsigned char> cmykRow(d.cmyk ? std::size_t(d.info.output_width) * 4 : 0);
    unsigned char* firstRow = bitmap.rowUnchecked(0);
    WatchedRows watched(firstRow, bitmap.bytesPerLine(), bitmap.width(), bitmap.height());
    if (!decodeRows(d, firstRow, bitmap.bytesPerLine(), cmykRow.data(), watched))
        rejectGraphic("JPEG", d.error.problem());
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs::detail
