#pragma once
// Icon files of one image: 8-bit colour pixels (fixed halftone palette) with
// a 1-bit transparency mask.
#include "codecs/icon_graphic.h"

#include <QIODevice>
#include <QString>

#include <memory>

namespace kel::io {

// The system's icon size.
inline constexpr int kSystemIconSize = 32;

// The colour that stands in for black while the mask is built.
inline constexpr Colour kIconPlaceholderColour = rgb(250, 249, 248);

class TjvIcon {
public:
    explicit TjvIcon(int width = kSystemIconSize, int height = kSystemIconSize) : width_(width), height_(height) {}

    // An icon of the icon size with the graphic drawn unscaled at its top-left
    // corner. Every pixel of the bottom-left pixel's colour becomes transparent
    // (and black); the placeholder colour comes out as opaque black.
    std::unique_ptr<codecs::IconGraphic> GraphicToIcon(const Graphic& graphic) const;

    // The icon file; with `withLength` its total length comes first as a
    // 32-bit number. An empty icon raises InvalidGraphic, one wider or higher
    // than 256 pixels InvalidOperation; a failing write raises FileError.
    void WriteIconToStream(QIODevice& stream, const codecs::IconGraphic& icon, bool withLength) const;
    // Replaces the file atomically: on failure the old file stays as it was.
    void WriteIconFile(const codecs::IconGraphic& icon, const QString& fileName) const;
    void SaveGraphicAsIcon(const Graphic& graphic, const QString& fileName) const;

private:
    int width_;
    int height_;
};

} // namespace kel::io
