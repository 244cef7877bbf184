// Draws the program's icon for the desktop's icon theme: a framed picture of
// a sun over two hills, at each size asked for, as <folder>/<size>.png.
// Run at build time: kelvary_icon_painter <folder> <size>...
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage applicationIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0); // drawn on a 64 x 64 grid

    // The frame, then the sky inside it.
    const QRectF frame(3, 7, 58, 50);
    painter.setPen(QPen(QColor(40, 48, 64), 2));
    painter.setBrush(QColor(250, 250, 246));
    painter.drawRoundedRect(frame, 5, 5);
    const QRectF sky = frame.adjusted(5, 5, -5, -5);
    QLinearGradient skyColours(sky.topLeft(), sky.bottomLeft());
    skyColours.setColorAt(0, QColor(66, 135, 222));
    skyColours.setColorAt(1, QColor(176, 218, 250));
    painter.setPen(Qt::NoPen);
    painter.setBrush(skyColours);
    painter.drawRect(sky);

    painter.setClipRect(sky);
    painter.setBrush(QColor(255, 200, 40));
    painter.drawEllipse(QPointF(43, 22), 6.5, 6.5);
    QPainterPath farHill(QPointF(sky.left(), sky.bottom()));
    farHill.lineTo(22, 27);
    farHill.lineTo(38, sky.bottom());
    painter.setBrush(QColor(58, 130, 76));
    painter.drawPath(farHill);
    QPainterPath nearHill(QPointF(20, sky.bottom()));
    nearHill.cubicTo(30, 34, 44, 30, sky.right(), 38);
    nearHill.lineTo(sky.right(), sky.bottom());
    painter.setBrush(QColor(96, 178, 72));
    painter.drawPath(nearHill);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: kelvary_icon_painter <folder> <size>...\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || !applicationIcon(size).save(QDir(folder).filePath(QStringLiteral("%1.png").arg(size)))) {
            std::fprintf(stderr, "cannot draw the %s icon in %s\n", argv[i], argv[1]);
            return 1;
        }
    }
    return 0;
}
