#include "graphics/bitmap.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <QImage>
#include <QString>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace kel {

int bitsPerPixel(PixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    }
    return 24;
}

bool isIndexed(PixelFormat format) { return format == pf1bit || format == pf4bit || format == pf8bit; }

int bytesPerLine(int width, PixelFormat format)
{
    return int(((std::int64_t(width) * bitsPerPixel(format) + 31) / 32) * 4);
}

void checkBitmapSize(int width, int height, PixelFormat format)
{
    if (width < 0 || height < 0)
        throw OutOfResources(QStringLiteral("Dimensions d'image incorrectes (%1 x %2)").arg(width).arg(height));
    if (width > kMaxBitmapSide || height > kMaxBitmapSide
        || std::int64_t(bytesPerLine(width, format)) * height > kMaxBitmapBytes)
        throw OutOfResources(
            QStringLiteral("Image trop grande (%1 x %2 pixels)").arg(width).arg(height));
}

static const Palette& standardPalette(PixelFormat format)
{
    static const Palette none;
    switch (format) {
    case pf1bit: return monochromePalette();
    case pf4bit: return vga16Palette();
    case pf8bit: return halftonePalette();
    default: return none;
    }
}

Bitmap::Bitmap(int width, int height, PixelFormat format)
{
    palette_ = standardPalette(format);
    allocate(width, height, format);
}

Bitmap::Bitmap(const Bitmap& other)
    : Graphic(other), width_(other.width_), height_(other.height_), stride_(other.stride_),
      format_(other.format_), data_(other.data_), palette_(other.palette_),
      hasTransparentColour_(other.hasTransparentColour_), transparentColour_(other.transparentColour_)
{
}

void Bitmap::copyStore(bool keepPixels)
{
    if (!keepPixels) {
        Bitmap own = forOverwrite(width_, height_, format_);
        data_ = std::move(own.data_);
        return;
    }
    const std::size_t bytes = std::size_t(stride_) * std::size_t(height_);
    PixelStore own = allocatePixelStore(bytes);
    if (!own) throw OutOfResources(QStringLiteral("Mémoire insuffisante pour l'image"));
    std::memcpy(own.get(), data_.get(), bytes);
    data_ = std::move(own);
}

void Bitmap::sharePixelsOf(const Bitmap& other)
{
    if (other.width_ != width_ || other.height_ != height_ || other.format_ != format_)
        throw RangeError(QStringLiteral("Les images n'ont pas la même taille"));
    data_ = other.data_;
    palette_ = other.palette_;
}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this != &other) *this = Bitmap(other);
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : Graphic(other), width_(other.width_), height_(other.height_), stride_(other.stride_),
      format_(other.format_), data_(std::move(other.data_)), palette_(std::move(other.palette_)),
      hasTransparentColour_(other.hasTransparentColour_), transparentColour_(other.transparentColour_)
{
    other.width_ = other.height_ = other.stride_ = 0;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept
{
    if (this != &other) {
        Graphic::operator=(other);
        width_ = other.width_;
        height_ = other.height_;
        stride_ = other.stride_;
        format_ = other.format_;
        data_ = std::move(other.data_);
        palette_ = std::move(other.palette_);
        hasTransparentColour_ = other.hasTransparentColour_;
        transparentColour_ = other.transparentColour_;
        other.width_ = other.height_ = other.stride_ = 0;
        changed();
    }
    return *this;
}

Bitmap::~Bitmap() = default;

Bitmap Bitmap::forOverwrite(int width, int height, PixelFormat format)
{
    Bitmap bitmap;
    bitmap.palette_ = standardPalette(format);
    bitmap.allocate(width, height, format, Fill::PaddingOnly);
    return bitmap;
}

void Bitmap::allocate(int width, int height, PixelFormat format, Fill fill)
{
    checkBitmapSize(width, height, format);
    const int stride = kel::bytesPerLine(width, format);
    std::shared_ptr<std::uint8_t[]> data;
    if (width > 0 && height > 0) {
        data = allocatePixelStore(std::size_t(stride) * std::size_t(height));
        if (!data) throw OutOfResources(QStringLiteral("Mémoire insuffisante pour l'image"));
    }
    width_ = width;
    height_ = height;
    stride_ = stride;
    format_ = format;
    data_ = std::move(data);
    if (!data_) return;
    if (fill == Fill::White) {
        fillRows(*this, 0, height_, clWhite);
        return;
    }
    // Whole bytes of pixels; a byte pixels share only in part is zeroed too.
    const std::size_t used = std::size_t(width_) * std::size_t(bitsPerPixel(format_)) / 8;
    if (used < std::size_t(stride_))
        for (int y = 0; y < height_; ++y) std::memset(rowUnchecked(y) + used, 0, std::size_t(stride_) - used);
}

void Bitmap::setSize(int width, int height)
{
    if (width == width_ && height == height_) return;
    checkBitmapSize(width, height, format_);
    Bitmap old(std::move(*this));
    palette_ = old.palette_;
    hasTransparentColour_ = old.hasTransparentColour_;
    transparentColour_ = old.transparentColour_;
    allocate(width, height, old.format_);
    const int rows = std::min(height_, old.height_);
    const int columns = std::min(width_, old.width_);
    if (columns > 0) {
        const std::size_t copied = std::size_t((std::int64_t(columns) * bitsPerPixel(format_)) / 8);
        for (int y = 0; y < rows; ++y) {
            std::memcpy(rowUnchecked(y), std::as_const(old).rowUnchecked(y), copied);
            // Sub-byte formats: finish the partly shared byte pixel by pixel.
            for (int x = int(copied * 8 / std::size_t(bitsPerPixel(format_))); x < columns; ++x)
                writePixel(*this, x, y, readPixel(old, x, y));
        }
    }
    changed();
}

void Bitmap::setPixelFormat(PixelFormat format)
{
    if (format == format_) return;
    Bitmap converted;
    converted.palette_ = standardPalette(format);
    converted.allocate(width_, height_, format, Fill::PaddingOnly);
    convertRows(*this, converted);
    data_ = std::move(converted.data_);
    stride_ = converted.stride_;
    format_ = format;
    palette_ = std::move(converted.palette_);
    changed();
}

void Bitmap::assign(const Graphic& graphic)
{
    if (&graphic == this) return;
    if (const auto* bitmap = dynamic_cast<const Bitmap*>(&graphic)) {
        *this = *bitmap;
        return;
    }
    Bitmap drawn(graphic.width(), graphic.height(), pf24bit);
    graphic.drawOnto(drawn, 0, 0);
    *this = std::move(drawn);
}

std::uint8_t* Bitmap::scanLine(int row)
{
    if (row < 0 || row >= height_ || !data_)
        throw RangeError(QStringLiteral("Indice de ligne hors limites (%1)").arg(row));
    return rowUnchecked(row);
}

const std::uint8_t* Bitmap::scanLine(int row) const
{
    if (row < 0 || row >= height_ || !data_)
        throw RangeError(QStringLiteral("Indice de ligne hors limites (%1)").arg(row));
    return rowUnchecked(row);
}

void Bitmap::setPalette(Palette palette)
{
    if (!isIndexed(format_)) return;
    palette.resize(std::size_t(1) << bitsPerPixel(format_), clBlack);
    palette_ = std::move(palette);
}

Colour Bitmap::pixel(int x, int y) const
{
    if (!contains(x, y))
        throw RangeError(QStringLiteral("Pixel hors limites (%1, %2)").arg(x).arg(y));
    return readPixel(*this, x, y);
}

void Bitmap::setPixel(int x, int y, Colour colour)
{
    if (!contains(x, y))
        throw RangeError(QStringLiteral("Pixel hors limites (%1, %2)").arg(x).arg(y));
    writePixel(*this, x, y, colour);
}

Colour Bitmap::transparentColour() const
{
    if (hasTransparentColour_) return transparentColour_;
    if (empty()) return clWhite;
    return readPixel(*this, 0, height_ - 1);
}

void Bitmap::setTransparentColour(Colour colour)
{
    hasTransparentColour_ = true;
    transparentColour_ = colour & 0xFFFFFF;
}

QImage Bitmap::toImage() const
{
    QImage image(width_, height_, QImage::Format_ARGB32);
    if (image.isNull()) return image;
    const bool skip = transparent();
    const Colour key = transparentColour();
    std::vector<Colour> row(static_cast<std::size_t>(width_));
    for (int y = 0; y < height_; ++y) {
        readRow(*this, y, row.data());
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            const Colour c = row[std::size_t(x)];
            out[x] = qRgba(redOf(c), greenOf(c), blueOf(c), skip && c == key ? 0 : 255);
        }
    }
    return image;
}

std::unique_ptr<Graphic> Bitmap::clone() const { return std::make_unique<Bitmap>(*this); }

void Bitmap::drawOnto(Bitmap& target, int x, int y) const
{
    copyPixels(*this, 0, 0, width_, height_, target, x, y, transparent());
}

void Bitmap::changed() const
{
    if (onChange_) onChange_();
}

} // namespace kel
