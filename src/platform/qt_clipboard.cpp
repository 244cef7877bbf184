#include "platform/qt_clipboard.h"

#include "graphics/errors.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>

namespace kel {

std::optional<Bitmap> bitmapFromImage(const QImage& image)
{
    if (image.isNull()) return std::nullopt;
    try {
        checkBitmapSize(image.width(), image.height(), pfDevice);
    } catch (const OutOfResources&) {
        return std::nullopt;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Bitmap bitmap(argb.width(), argb.height(), pfDevice);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* out = bitmap.rowUnchecked(y);
        for (int x = 0; x < argb.width(); ++x, out += 4) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            // Over white: c * a / 255 + 255 - a, rounded.
            const auto over = [a](int c) { return std::uint8_t((c * a + 255 * (255 - a) + 127) / 255); };
            out[0] = over(qBlue(p));
            out[1] = over(qGreen(p));
            out[2] = over(qRed(p));
            out[3] = 255;
        }
    }
    return bitmap;
}

void QtClipboard::putPicture(const Graphic& picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || picture.empty()) return;
    // What is shown goes on the clipboard, without transparency: a bitmap's
    // pixels as they stand, other graphics drawn over white.
    QImage image;
    if (dynamic_cast<const Bitmap*>(&picture)) {
        image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    } else {
        image = QImage(picture.width(), picture.height(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.drawImage(0, 0, picture.toImage());
    }
    clipboard->setImage(image);
}

std::optional<Bitmap> QtClipboard::picture() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return std::nullopt;
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasImage()) return std::nullopt;
    return bitmapFromImage(clipboard->image());
}

} // namespace kel
