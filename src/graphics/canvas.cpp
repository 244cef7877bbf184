#include "graphics/canvas.h"

#include "graphics/pixel_rows.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <numbers>
#include <vector>

namespace kel {

namespace {

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QFont toQFont(const Font& font)
{
    QFont f(font.name);
    f.setPixelSize(std::max(1, int(std::lround(font.size * 96.0 / 72.0))));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// Runs a QPainter on the bitmap's own pixels (24 and 32 bits) or on a 24-bit
// copy that is converted back to the bitmap's format afterwards.
template <class Paint>
void paintOn(Bitmap& bitmap, Paint&& paint)
{
    if (bitmap.empty()) return;
    auto run = [&](Bitmap& target) {
        QImage image(target.rowUnchecked(0), target.width(), target.height(), target.bytesPerLine(),
                     target.pixelFormat() == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        paint(painter);
    };
    if (bitmap.pixelFormat() == pf24bit || bitmap.pixelFormat() == pf32bit) {
        run(bitmap);
        return;
    }
    Bitmap work(bitmap.width(), bitmap.height(), pf24bit);
    convertRows(bitmap, work);
    run(work);
    convertRows(work, bitmap);
}

double angleTowards(const Rect& bounds, int x, int y)
{
    const double cx = (bounds.left + bounds.right) / 2.0;
    const double cy = (bounds.top + bounds.bottom) / 2.0;
    return std::atan2(-(y - cy), x - cx) * 180.0 / std::numbers::pi;
}

} // namespace

void Canvas::draw(int x, int y, const Graphic& graphic)
{
    graphic.drawOnto(bitmap_, x, y);
    bitmap_.changed();
}

void Canvas::stretchDraw(const Rect& rect, const Graphic& graphic)
{
    stretchDraw(rect.left, rect.top, rect.width(), rect.height(), graphic);
}

void Canvas::stretchDraw(int x, int y, int w, int h, const Graphic& graphic)
{
    if (w == 0 || h == 0 || graphic.empty() || bitmap_.empty()) return;
    const int sw = graphic.width(), sh = graphic.height();
    const int aw = std::abs(w), ah = std::abs(h);
    const int stepX = w > 0 ? 1 : -1, stepY = h > 0 ? 1 : -1;

    const auto* source = dynamic_cast<const Bitmap*>(&graphic);
    const bool skipKey = source && source->transparent();
    const Colour key = source ? source->transparentColour() : 0;
    const QImage image = source ? QImage() : graphic.toImage().convertToFormat(QImage::Format_ARGB32);

    // Destination columns that land inside the bitmap, with their source columns.
    std::vector<std::pair<int, int>> columns;
    for (int i = 0; i < aw; ++i) {
        const int dx = x + stepX * i;
        if (dx >= 0 && dx < bitmap_.width()) columns.emplace_back(dx, int(std::int64_t(i) * sw / aw));
    }
    if (columns.empty()) return;

    std::vector<Colour> row(static_cast<std::size_t>(sw));
    int loadedRow = -1;
    for (int j = 0; j < ah; ++j) {
        const int dy = y + stepY * j;
        if (dy < 0 || dy >= bitmap_.height()) continue;
        const int sy = int(std::int64_t(j) * sh / ah);
        if (source) {
            if (sy != loadedRow) readRow(*source, sy, row.data());
            loadedRow = sy;
            for (const auto& [dx, sx] : columns) {
                const Colour c = row[std::size_t(sx)];
                if (!skipKey || c != key) writePixel(bitmap_, dx, dy, c);
            }
        } else {
            const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(sy));
            for (const auto& [dx, sx] : columns) {
                const QRgb s = in[sx];
                if (qAlpha(s) == 0) continue;
                if (qAlpha(s) == 255) {
                    writePixel(bitmap_, dx, dy, rgb(qRed(s), qGreen(s), qBlue(s)));
                    continue;
                }
                const int a = qAlpha(s);
                const Colour d = readPixel(bitmap_, dx, dy);
                auto mix = [a](int sv, int dv) { return (sv * a + dv * (255 - a) + 127) / 255; };
                writePixel(bitmap_, dx, dy,
                           rgb(mix(qRed(s), redOf(d)), mix(qGreen(s), greenOf(d)), mix(qBlue(s), blueOf(d))));
            }
        }
    }
    bitmap_.changed();
}

void Canvas::drawTransparent(int x, int y, const Bitmap& source, Colour transparentColour)
{
    Bitmap keyed(source);
    keyed.setTransparentColour(transparentColour);
    copyPixels(keyed, 0, 0, keyed.width(), keyed.height(), bitmap_, x, y, true);
    bitmap_.changed();
}

void Canvas::fillRect(const Rect& rect)
{
    const int left = std::max(0, rect.left), top = std::max(0, rect.top);
    const int right = std::min(bitmap_.width(), rect.right);
    const int bottom = std::min(bitmap_.height(), rect.bottom);
    if (left < right && top < bottom) {
        if (left == 0 && right == bitmap_.width()) {
            fillRows(bitmap_, top, bottom, brush.colour);
        } else {
            for (int yy = top; yy < bottom; ++yy)
                for (int xx = left; xx < right; ++xx) writePixel(bitmap_, xx, yy, brush.colour);
        }
    }
    bitmap_.changed();
}

void Canvas::textOut(int x, int y, const QString& text)
{
    const QFont qfont = toQFont(font);
    paintOn(bitmap_, [&](QPainter& painter) {
        painter.setFont(qfont);
        const QFontMetrics metrics(qfont);
        const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
        if (brush.style == BrushStyle::Solid) painter.fillRect(cell, toQColor(brush.colour));
        painter.setPen(toQColor(font.colour));
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    });
    bitmap_.changed();
}

int Canvas::textWidth(const QString& text) const
{
    return QFontMetrics(toQFont(font)).horizontalAdvance(text);
}

int Canvas::textHeight(const QString&) const { return QFontMetrics(toQFont(font)).height(); }

Colour Canvas::pixel(int x, int y) const
{
    return bitmap_.contains(x, y) ? readPixel(bitmap_, x, y) : clInvalid;
}

void Canvas::setPixel(int x, int y, Colour colour)
{
    if (!bitmap_.contains(x, y)) return;
    writePixel(bitmap_, x, y, colour);
    bitmap_.changed();
}

void Canvas::arc(const Rect& bounds, int startX, int startY, int endX, int endY)
{
    const double start = angleTowards(bounds, startX, startY);
    double span = angleTowards(bounds, endX, endY) - start;
    while (span <= 0) span += 360.0;
    paintOn(bitmap_, [&](QPainter& painter) {
        painter.setPen(QPen(toQColor(pen.colour), std::max(1, pen.width)));
        painter.drawArc(QRect(bounds.left, bounds.top, bounds.width() - 1, bounds.height() - 1),
                        int(std::lround(start * 16)), int(std::lround(span * 16)));
    });
    bitmap_.changed();
}

void Canvas::ellipse(const Rect& bounds)
{
    paintOn(bitmap_, [&](QPainter& painter) {
        painter.setPen(QPen(toQColor(pen.colour), std::max(1, pen.width)));
        if (brush.style == BrushStyle::Solid) painter.setBrush(toQColor(brush.colour));
        else painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRect(bounds.left, bounds.top, bounds.width() - 1, bounds.height() - 1));
    });
    bitmap_.changed();
}

} // namespace kel
