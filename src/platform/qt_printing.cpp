#include "platform/qt_printing.h"

#include "graphics/graphic.h"
#include "platform/dialogs.h"

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <cstdint>

namespace kel {

QRect picturePlacement(int pictureWidth, int pictureHeight, int dotsPerInch)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || dotsPerInch <= 0) return {};
    const auto toDevice = [dotsPerInch](std::int64_t screenPixels) {
        return screenPixels * dotsPerInch / kScreenPixelsPerInch;
    };
    const std::int64_t boxLeft = toDevice(kPrintPictureBox.x());
    const std::int64_t boxTop = toDevice(kPrintPictureBox.y());
    const std::int64_t boxWidth = toDevice(kPrintPictureBox.width());
    const std::int64_t boxHeight = toDevice(kPrintPictureBox.height());
    const std::int64_t w = pictureWidth;
    const std::int64_t h = pictureHeight;
    std::int64_t width, height;
    if (w <= kPrintPictureBox.width() && h <= kPrintPictureBox.height()) {
        width = toDevice(w);
        height = toDevice(h);
    } else if (w * boxHeight > h * boxWidth) { // w / boxWidth > h / boxHeight
        width = boxWidth;
        height = boxWidth * h / w;
    } else {
        height = boxHeight;
        width = boxHeight * w / h;
    }
    return QRect(int(boxLeft + (boxWidth - width) / 2), int(boxTop + (boxHeight - height) / 2), int(width),
                 int(height));
}

void paintPicturePage(QPainter& painter, const Graphic& picture, int dotsPerInch)
{
    const QRect target = picturePlacement(picture.width(), picture.height(), dotsPerInch);
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture.toImage());
    painter.restore();
}

void drawPicturePage(QPrinter& printer, const Graphic& picture)
{
    // The page is printed even without a picture: it is then blank.
    QPainter painter(&printer);
    // The painter starts at the printable area's corner; the layout counts from the paper's.
    painter.translate(-printer.pageRect(QPrinter::DevicePixel).topLeft());
    paintPicturePage(painter, picture, printer.resolution());
}

void setPrintPageDefaults(QPrinter& printer)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPrintRange(QPrinter::AllPages);
}

QtPrinting::QtPrinting(Dialogs& dialogs) : dialogs_(dialogs) {}

QtPrinting::~QtPrinting() = default;

QPrinter& QtPrinting::printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        setPrintPageDefaults(*printer_);
    }
    return *printer_;
}

bool QtPrinting::printPicture(const Graphic& picture)
{
    QPrinter& target = printer();
    if (!target.isValid()) return false;
    drawPicturePage(target, picture);
    return target.printerState() != QPrinter::Error;
}

void QtPrinting::previewPicture(const Graphic& picture)
{
    dialogs_.printPreview(printer(), QStringLiteral(" Aperçu avant impression"),
                          [&picture](QPrinter& target) { drawPicturePage(target, picture); });
}

} // namespace kel
