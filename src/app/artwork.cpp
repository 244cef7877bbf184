#include "app/artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace kel {

namespace {

constexpr int kButton = 22;

const QColor kInk(40, 52, 70);
const QColor kPaper(250, 250, 246);
const QColor kFolder(232, 180, 64);
const QColor kFolderDark(176, 124, 24);
const QColor kBlue(52, 104, 196);
const QColor kRed(206, 52, 44);
const QColor kGreen(46, 150, 70);

void pen(QPainter& p, const QColor& colour, qreal width = 1.0)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void page(QPainter& p, const QRectF& r)
{
    pen(p, kInk);
    p.setBrush(kPaper);
    p.drawRect(r);
    pen(p, QColor(150, 160, 175));
    for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3) p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void folder(QPainter& p, bool open)
{
    pen(p, kFolderDark);
    p.setBrush(kFolder.darker(110));
    p.drawRect(QRectF(2.5, 5.5, 16, 13));
    p.drawRect(QRectF(2.5, 3.5, 7, 2));
    p.setBrush(kFolder);
    if (open) {
        QPainterPath front;
        front.moveTo(2.5, 18.5);
        front.lineTo(6.5, 9.5);
        front.lineTo(20.5, 9.5);
        front.lineTo(16.5, 18.5);
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(2.5, 8.5, 16, 10));
    }
}

void floppy(QPainter& p)
{
    pen(p, kInk);
    p.setBrush(kBlue);
    p.drawRect(QRectF(2.5, 2.5, 17, 17));
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 2.5, 11, 7));
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(6.5, 13.5, 9, 6));
}

void arrowHead(QPainter& p, QPointF tip, QPointF dir)
{
    const QPointF n(-dir.y(), dir.x());
    QPolygonF head;
    head << tip << tip - dir * 4 + n * 3 << tip - dir * 4 - n * 3;
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
}

void rotation(QPainter& p, bool clockwise)
{
    pen(p, kBlue, 2);
    p.setBrush(Qt::NoBrush);
    const QRectF circle(4, 4, 14, 14);
    p.drawArc(circle, clockwise ? 30 * 16 : 150 * 16, clockwise ? 270 * 16 : -270 * 16);
    pen(p, kBlue, 1);
    if (clockwise)
        arrowHead(p, QPointF(17.5, 7), QPointF(0.4, 1));
    else
        arrowHead(p, QPointF(4.5, 7), QPointF(-0.4, 1));
}

void mirror(QPainter& p, bool horizontal)
{
    pen(p, kInk);
    p.setBrush(kBlue);
    QPolygonF a, b;
    if (horizontal) {
        a << QPointF(9.5, 4.5) << QPointF(9.5, 17.5) << QPointF(2.5, 17.5);
        b << QPointF(12.5, 4.5) << QPointF(12.5, 17.5) << QPointF(19.5, 17.5);
    } else {
        a << QPointF(4.5, 9.5) << QPointF(17.5, 9.5) << QPointF(17.5, 2.5);
        b << QPointF(4.5, 12.5) << QPointF(17.5, 12.5) << QPointF(17.5, 19.5);
    }
    p.drawPolygon(a);
    p.setBrush(kPaper);
    p.drawPolygon(b);
    p.setPen(QPen(kRed, 1, Qt::DashLine));
    if (horizontal)
        p.drawLine(QPointF(11, 1), QPointF(11, 21));
    else
        p.drawLine(QPointF(1, 11), QPointF(21, 11));
}

const std::map<QString, std::function<void(QPainter&)>>& painters()
{
    static const std::map<QString, std::function<void(QPainter&)>> table{
        {"Image17", [](QPainter& p) { folder(p, true); }},
        {"Image11", [](QPainter& p) { floppy(p); }},
        {"Image12",
         [](QPainter& p) {
             floppy(p);
             pen(p, kInk);
             p.setBrush(kFolder);
             QPolygonF pencil;
             pencil << QPointF(11, 19) << QPointF(12, 15) << QPointF(19, 8) << QPointF(21, 10) << QPointF(14, 17);
             p.drawPolygon(pencil);
         }},
        {"Image16",
         [](QPainter& p) {
             page(p, QRectF(4.5, 2.5, 12, 16));
             pen(p, kRed, 2.5);
             p.drawLine(QPointF(9, 10), QPointF(19, 20));
             p.drawLine(QPointF(19, 10), QPointF(9, 20));
         }},
        {"Image3", [](QPainter& p) { folder(p, false); }},
        {"Image2",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(QColor(190, 196, 206));
             p.drawRect(QRectF(2.5, 10.5, 17, 8));
             p.setBrush(QColor(120, 200, 240));
             p.drawRect(QRectF(4.5, 12.5, 13, 2));
             p.setBrush(QColor(230, 232, 236));
             QPolygonF lid;
             lid << QPointF(2.5, 10.5) << QPointF(6.5, 3.5) << QPointF(19.5, 3.5) << QPointF(19.5, 10.5);
             p.drawPolygon(lid);
         }},
        {"Image19",
         [](QPainter& p) {
             page(p, QRectF(6.5, 2.5, 9, 7));
             pen(p, kInk);
             p.setBrush(QColor(170, 176, 188));
             p.drawRect(QRectF(2.5, 8.5, 17, 8));
             page(p, QRectF(6.5, 13.5, 9, 6));
             p.setBrush(kGreen);
             p.drawEllipse(QPointF(16.5, 11), 1, 1);
         }},
        {"Image4",
         [](QPainter& p) {
             pen(p, kInk, 1.5);
             p.drawLine(QPointF(6, 2), QPointF(14, 14));
             p.drawLine(QPointF(16, 2), QPointF(8, 14));
             p.setBrush(Qt::NoBrush);
             pen(p, kRed, 2);
             p.drawEllipse(QPointF(6.5, 16.5), 3, 3);
             p.drawEllipse(QPointF(15.5, 16.5), 3, 3);
         }},
        {"Image5",
         [](QPainter& p) {
             page(p, QRectF(2.5, 2.5, 11, 13));
             page(p, QRectF(8.5, 6.5, 11, 13));
         }},
        {"Image6",
         [](QPainter& p) {
             pen(p, kFolderDark);
             p.setBrush(QColor(196, 150, 90));
             p.drawRect(QRectF(3.5, 3.5, 14, 16));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(7.5, 1.5, 6, 4));
             page(p, QRectF(9.5, 8.5, 10, 12));
         }},
        {"Image9",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(QColor(130, 190, 235));
             p.drawRect(QRectF(2.5, 4.5, 17, 13));
             p.setBrush(kGreen);
             QPolygonF hill;
             hill << QPointF(3, 17) << QPointF(9, 10) << QPointF(13, 14) << QPointF(16, 12) << QPointF(19, 17);
             p.drawPolygon(hill);
             p.setBrush(QColor(250, 210, 60));
             p.drawEllipse(QPointF(15.5, 8), 2, 2);
         }},
        {"Image13",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kPaper);
             p.drawRect(QRectF(2.5, 9.5, 10, 10));
             pen(p, kBlue, 1.5);
             p.drawLine(QPointF(8, 14), QPointF(18, 4));
             pen(p, kBlue, 1);
             arrowHead(p, QPointF(19.5, 2.5), QPointF(0.7, -0.7));
         }},
        {"Image7", [](QPainter& p) { mirror(p, true); }},
        {"Rotation", [](QPainter& p) { mirror(p, false); }},
        {"Suivant", [](QPainter& p) { rotation(p, false); }},
        {"Dernier", [](QPainter& p) { rotation(p, true); }},
        {"Image14",
         [](QPainter& p) {
             pen(p, kInk, 2);
             p.setBrush(QColor(200, 230, 250));
             p.drawEllipse(QPointF(9, 9), 6, 6);
             pen(p, kInk, 3);
             p.drawLine(QPointF(13.5, 13.5), QPointF(19.5, 19.5));
         }},
        {"Image18",
         [](QPainter& p) {
             pen(p, kBlue.darker(120));
             p.setBrush(kBlue);
             p.drawEllipse(QRectF(1.5, 1.5, 19, 19));
             QFont font(QStringLiteral("DejaVu Sans"));
             font.setPixelSize(15);
             font.setBold(true);
             p.setFont(font);
             p.setPen(Qt::white);
             p.drawText(QRectF(1, 1, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
         }},
        {"Image8",
         [](QPainter& p) {
             pen(p, kRed, 2.5);
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(4, 4, 14, 14), 120 * 16, 300 * 16);
             p.drawLine(QPointF(11, 2.5), QPointF(11, 10));
         }},
    };
    return table;
}

} // namespace

QPixmap toolbarPicture(const QString& buttonName)
{
    QPixmap pixmap(kButton, kButton);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto& table = painters();
    if (const auto found = table.find(buttonName); found != table.end()) found->second(painter);
    return pixmap;
}

QIcon specialEffectIcon(int index)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor hue = QColor::fromHsv((index * 360 / 26 + 200) % 360, 170, 225);
    QLinearGradient shade(0, 0, 16, 16);
    shade.setColorAt(0, hue.lighter(140));
    shade.setColorAt(1, hue.darker(130));
    painter.setPen(QPen(hue.darker(170), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    painter.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4.5, 11), QPointF(11, 4.5));
    painter.drawPoint(QPointF(11.5, 11));
    return QIcon(pixmap);
}

Bitmap colourSwatch()
{
    // 12 columns of 12 cells, 12 pixels each with a 1-pixel grey grid: 157 pixels.
    constexpr int cells = 12, cell = 12, size = cells * (cell + 1) + 1;
    Bitmap swatch(size, size, pf24bit);
    QImage image(swatch.rowUnchecked(0), size, size, swatch.bytesPerLine(), QImage::Format_BGR888);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(128, 128, 128));
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            QColor colour;
            if (column == cells - 1) {
                colour = QColor::fromHsv(0, 0, 255 - row * 255 / (cells - 1));
            } else {
                const int hue = column * 360 / (cells - 1);
                // Light tints in the upper rows, pure hues in the middle, dark shades below.
                if (row < cells / 2)
                    colour = QColor::fromHsv(hue, 60 + row * 195 / (cells / 2 - 1), 255);
                else
                    colour = QColor::fromHsv(hue, 255, 255 - (row - cells / 2 + 1) * 200 / (cells / 2));
            }
            painter.fillRect(1 + column * (cell + 1), 1 + row * (cell + 1), cell, cell, colour);
        }
    }
    painter.end();
    return swatch;
}

} // namespace kel
