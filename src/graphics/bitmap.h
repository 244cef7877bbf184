#pragma once
// The raster every pixel routine works on. Rows are stored top to bottom, each
// padded to a multiple of 4 bytes; pf24bit pixels are blue, green, red bytes,
// pf32bit pixels blue, green, red, 255. Indexed formats carry a palette.
// Copies share their pixel store until one of them is written: every access
// that can write (the non-const row accessors, the setters, canvas drawing)
// first gives its bitmap a store of its own. Const access never copies.
#include "graphics/colour.h"
#include "graphics/graphic.h"
#include "graphics/palettes.h"
#include "graphics/pixel_store.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QImage;

namespace kel {

enum class PixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
inline constexpr PixelFormat pfDevice = PixelFormat::pf32bit; // the screen's format
using enum PixelFormat;

int bitsPerPixel(PixelFormat format);
bool isIndexed(PixelFormat format);
// Bytes of one padded row.
int bytesPerLine(int width, PixelFormat format);

// Largest side and largest pixel store a bitmap may have.
inline constexpr int kMaxBitmapSide = 30000;
inline constexpr std::int64_t kMaxBitmapBytes = std::int64_t(1) << 30;
// Throws OutOfResources when a bitmap of that size and format could not be made.
void checkBitmapSize(int width, int height, PixelFormat format);

class Bitmap final : public Graphic {
public:
    Bitmap() = default;
    Bitmap(int width, int height, PixelFormat format = pf24bit);
    // A bitmap whose pixels the caller is about to write, every one of them:
    // they are left unfilled (padding bytes are zero), saving a pass.
    static Bitmap forOverwrite(int width, int height, PixelFormat format);
    // Copies pixels (sharing the store), palette and transparency; never the change handler.
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap() override;

    int width() const override { return width_; }
    int height() const override { return height_; }
    PixelFormat pixelFormat() const { return format_; }
    int bytesPerLine() const { return stride_; }

    // Resizes keeping the overlapping pixels; new pixels are white. Notifies.
    void setSize(int width, int height);
    void setWidth(int width) { setSize(width, height_); }
    void setHeight(int height) { setSize(width_, height); }
    // Converts the pixels in place to the nearest colours of the new format.
    // The same format changes nothing and does not notify.
    void setPixelFormat(PixelFormat format);
    // Copies another graphic: a bitmap as it stands, anything else drawn over
    // white into a 24-bit bitmap of its size. Notifies.
    void assign(const Graphic& graphic);

    // Row access: top row is 0. Throws RangeError outside 0..height-1. A
    // writable row is only valid until the bitmap is next copied: a copy
    // shares the store, and writes through the old row would reach it.
    std::uint8_t* scanLine(int row);
    const std::uint8_t* scanLine(int row) const;
    // Unchecked row access for inner loops that have already checked the range.
    std::uint8_t* rowUnchecked(int row)
    {
        detach();
        return data_.get() + std::ptrdiff_t(row) * stride_;
    }
    const std::uint8_t* rowUnchecked(int row) const { return data_.get() + std::ptrdiff_t(row) * stride_; }
    // Gives the bitmap a pixel store of its own when it shares one. Work split
    // between threads calls it first, so that no thread copies the store.
    void detach()
    {
        if (data_.use_count() > 1) copyStore(true);
    }
    // The same before a write of every pixel: the own store is left unfilled.
    void detachForOverwrite()
    {
        if (data_.use_count() > 1) copyStore(false);
    }
    // Takes the pixels of a bitmap of the same size and format by sharing its
    // store, without notifying: for a recompute that would copy every pixel.
    // Throws RangeError for another size or format.
    void sharePixelsOf(const Bitmap& other);

    // The palette of an indexed bitmap (empty otherwise).
    const Palette& palette() const { return palette_; }
    // Replaces an indexed bitmap's palette (pixels keep their indexes).
    void setPalette(Palette palette);

    // Single pixels, in any format. Throws RangeError outside the bitmap.
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Transparent drawing skips this colour; by default the bottom-left pixel's.
    Colour transparentColour() const;
    bool hasTransparentColour() const { return hasTransparentColour_; }
    void setTransparentColour(Colour colour);

    QImage toImage() const override;
    std::unique_ptr<Graphic> clone() const override;
    void drawOnto(Bitmap& target, int x, int y) const override;

    // Change notification: canvas drawing and the setters above run it; row writes do not.
    void setChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }
    void changed() const;

private:
    enum class Fill { White, PaddingOnly };
    void allocate(int width, int height, PixelFormat format, Fill fill = Fill::White);
    void copyStore(bool keepPixels);

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    PixelFormat format_ = pf24bit;
    std::shared_ptr<std::uint8_t[]> data_; // shared between copies until written
    Palette palette_;
    bool hasTransparentColour_ = false;
    Colour transparentColour_ = 0;
    std::function<void()> onChange_;
};

// Encoding helpers of the 15- and 16-bit formats (5 bits widen by repeating their top bits).
std::uint16_t encode555(Colour c);
std::uint16_t encode565(Colour c);
Colour decode555(std::uint16_t v);
Colour decode565(std::uint16_t v);

} // namespace kel
