#pragma once
// Drawing on a bitmap. Every drawing call notifies the bitmap's owner (row
// writes through Bitmap::scanLine do not).
#include "graphics/bitmap.h"
#include "graphics/geometry.h"

#include <QString>

namespace kel {

enum class BrushStyle { Solid, Clear };

struct Brush {
    Colour colour = clWhite;
    BrushStyle style = BrushStyle::Solid;
};

struct Pen {
    Colour colour = clBlack;
    int width = 1;
};

struct Font {
    QString name = QStringLiteral("Liberation Sans");
    int size = 8; // points, at 96 pixels per inch
    Colour colour = clBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

class Canvas {
public:
    explicit Canvas(Bitmap& bitmap) : bitmap_(bitmap) {}

    Brush brush;
    Pen pen;
    Font font;

    Bitmap& bitmap() { return bitmap_; }

    // Draws a graphic with its top-left corner at (x, y).
    void draw(int x, int y, const Graphic& graphic);
    // Draws a graphic scaled into a rectangle by repeating or dropping pixels.
    // An inverted rectangle mirrors, as negative extents do.
    void stretchDraw(const Rect& rect, const Graphic& graphic);
    // The same with an origin and extents; a negative extent runs from the
    // origin towards smaller coordinates and mirrors the picture.
    void stretchDraw(int x, int y, int w, int h, const Graphic& graphic);
    // Draws a bitmap leaving out every pixel of the given colour.
    void drawTransparent(int x, int y, const Bitmap& source, Colour transparentColour);

    // Fills with the brush colour, clipped to the bitmap.
    void fillRect(const Rect& rect);
    // Text in the font; a solid brush fills the text's cell behind it.
    void textOut(int x, int y, const QString& text);
    int textWidth(const QString& text) const;
    int textHeight(const QString& text) const;

    // Outside the bitmap pixel() answers clInvalid and setPixel() does nothing.
    static constexpr Colour clInvalid = 0xFFFFFFFF;
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);

    // A 1-pixel elliptical arc inside `bounds`, counter-clockwise from the ray
    // towards `start` to the ray towards `end`, in the pen colour.
    void arc(const Rect& bounds, int startX, int startY, int endX, int endY);
    // An ellipse inside `bounds`: filled with the brush (unless clear), outlined with the pen.
    void ellipse(const Rect& bounds);

private:
    Bitmap& bitmap_;
};

} // namespace kel
