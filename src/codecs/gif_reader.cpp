// GIF through giflib: the first frame, on the logical screen.
//
// A frame without transparency becomes a 24-bit bitmap. A frame with a
// transparent index becomes an 8-bit bitmap carrying the colour table, whose
// transparent colour is that index's colour (made unique in the table first,
// so that no visible pixel shares it) and which draws transparently. Parts of
// the screen that the frame does not cover show the background colour, or
// are transparent when the frame is.
#include "codecs/gif_common.h"
#include "codecs/library_codecs.h"
#include "graphics/pixel_rows.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kel::codecs::detail {

namespace {

[[noreturn]] void fail(const QString& what) { rejectGraphic("GIF", what); }

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

int readBytes(GifFileType* gif, GifByteType* out, int count)
{
    auto* source = static_cast<Source*>(gif->UserData);
    if (count <= 0) return 0;
    const std::size_t n = std::min<std::size_t>(std::size_t(count), source->size - source->position);
    std::memcpy(out, source->data + source->position, n);
    source->position += n;
    return int(n);
}

QString giflibText(int error)
{
    switch (error) {
    case D_GIF_ERR_NOT_GIF_FILE: return QStringLiteral("signature absente");
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON: return QStringLiteral("données tronquées");
    case D_GIF_ERR_WRONG_RECORD: return QStringLiteral("bloc inconnu");
    case D_GIF_ERR_NO_SCRN_DSCR:
    case D_GIF_ERR_NO_IMAG_DSCR: return QStringLiteral("descripteur absent");
    case D_GIF_ERR_NOT_ENOUGH_MEM: return QStringLiteral("mémoire insuffisante");
    case D_GIF_ERR_DATA_TOO_BIG: return QStringLiteral("image plus grande que l'écran");
    case D_GIF_ERR_IMAGE_DEFECT: return QStringLiteral("données LZW corrompues");
    default: return QStringLiteral("données corrompues (code %1)").arg(error);
    }
}

// The colour for the transparent entry `index`: its own when no other entry
// has it, otherwise one that no entry has (there are at most 256 entries).
Colour uniqueTransparentColour(const Palette& palette, std::size_t index)
{
    const Colour own = palette[index];
    if (std::count(palette.begin(), palette.end(), own) == 1) return own;
    for (Colour c = own ^ 0x010101;; c = (c + 0x010203) & 0xFFFFFF)
        if (std::count(palette.begin(), palette.end(), c) == 0) return c;
}

} // namespace

std::unique_ptr<Graphic> readGif(const QByteArray& bytes, const QString&)
{
    Source source{reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()), 0};
    int error = 0;
    GifCloser<DGifCloseFile> closer;
    closer.gif = DGifOpen(&source, readBytes, &error);
    if (!closer.gif) fail(giflibText(error));
    GifFileType* gif = closer.gif;

    int transparentIndex = -1;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) fail(giflibText(gif->Error));
        if (record == TERMINATE_RECORD_TYPE) fail(QStringLiteral("aucune image"));
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) fail(giflibText(gif->Error));
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
                    transparentIndex = gcb.TransparentColor;
            }
            while (block) {
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) fail(giflibText(gif->Error));
            }
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        break;
    }

    if (DGifGetImageDesc(gif) == GIF_ERROR) fail(giflibText(gif->Error));
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || map->ColorCount <= 0 || !map->Colors) fail(QStringLiteral("table de couleurs absente"));
    Palette palette;
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
        palette.push_back(rgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    const int colours = int(palette.size());

    const long long left = frame.Left, top = frame.Top;
    const long long frameWidth = frame.Width, frameHeight = frame.Height;
    if (frameWidth <= 0 || frameHeight <= 0) fail(QStringLiteral("dimensions nulles"));
    // The screen holds the frame; a screen smaller than its frame grows to it.
    const long long width = std::max<long long>(gif->SWidth, left + frameWidth);
    const long long height = std::max<long long>(gif->SHeight, top + frameHeight);
    const bool transparent = transparentIndex >= 0 && transparentIndex < colours;
    const bool coversScreen = left == 0 && top == 0 && frameWidth == width && frameHeight == height;

    const int w = int(width), h = int(height);
    const int fw = int(frameWidth), fh = int(frameHeight);
    Bitmap bitmap = newDecodedBitmap("GIF", w, h, transparent ? pf8bit : pf24bit);
    if (transparent) {
        palette[std::size_t(transparentIndex)] = uniqueTransparentColour(palette, std::size_t(transparentIndex));
        // A short table is padded to 256 entries; no pixel uses those (indexes
        // were checked against the table), so their colour does not matter.
        bitmap.setPalette(palette);
        bitmap.setTransparentColour(palette[std::size_t(transparentIndex)]);
        bitmap.setTransparent(true);
        if (!coversScreen)
            for (int y = 0; y < h; ++y) std::memset(bitmap.rowUnchecked(y), transparentIndex, std::size_t(w));
    } else if (!coversScreen) {
        const int background = gif->SBackGroundColor;
        fillRows(bitmap, 0, h, background >= 0 && background < colours ? palette[std::size_t(background)] : clWhite);
    }

    // Rows top to bottom, or in the four passes of an interlaced frame; each
    // row goes straight into the bitmap.
    std::vector<GifByteType> line(static_cast<std::size_t>(fw));
    auto readRow = [&](int y) {
        if (DGifGetLine(gif, line.data(), fw) == GIF_ERROR) fail(giflibText(gif->Error));
        for (GifByteType index : line)
            if (index >= colours) fail(QStringLiteral("indice de couleur hors de la table"));
        std::uint8_t* out = bitmap.rowUnchecked(int(top) + y);
        if (transparent) {
            std::memcpy(out + left, line.data(), std::size_t(fw));
        } else {
            out += 3 * left;
            for (int x = 0; x < fw; ++x) colourToBgr(palette[line[std::size_t(x)]], out + 3 * x);
        }
    };
    if (frame.Interlace) {
        static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < fh; y += step[pass]) readRow(y);
    } else {
        for (int y = 0; y < fh; ++y) readRow(y);
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs::detail
