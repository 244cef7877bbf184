#include "operations/text_drawing.h"

#include "graphics/canvas.h"

namespace kel {

void drawPageText(Bitmap& bitmap, const QString& text, int position, const TextStyle& style)
{
    if (text.isEmpty() || bitmap.empty()) return;
    Canvas canvas(bitmap);
    canvas.brush.style = BrushStyle::Clear;
    if (style.points > 0) canvas.font.size = style.points;
    canvas.font.colour = style.colour & 0xFFFFFF;
    canvas.font.bold = style.bold;
    canvas.font.italic = style.italic;
    canvas.font.underline = style.underline;
    canvas.font.strikeOut = style.strikeOut;
    // The canvas puts the baseline at the ascent below y, so (x, y) is the text's top-left corner.
    canvas.textOut(position, position, text);
}

} // namespace kel
