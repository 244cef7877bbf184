#include "widgets/q_progress_bar.h"

#include <QImage>
#include <QPainter>

#include <cstdlib>

namespace kel {

using namespace gauge;

TQProgressBar::TQProgressBar(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(64, 16);
    rebuild();
}

Geometry TQProgressBar::geometry() const
{
    return orientation_ == Orientation::Horizontal ? Geometry{height(), width()} : Geometry{width(), height()};
}

void TQProgressBar::setOrientation(Orientation orientation)
{
    orientation_ = orientation;
    rebuild();
}

void TQProgressBar::setBarKind(BarKind kind)
{
    kind_ = kind;
    rebuild();
}

void TQProgressBar::setBarLook(BarLook look)
{
    look_ = look;
    rebuild();
}

void TQProgressBar::setRoundCorner(bool on)
{
    roundCorner_ = on;
    update();
}

void TQProgressBar::setShaped(bool on)
{
    shaped_ = on;
    update();
}

void TQProgressBar::setShapeColor(Colour colour)
{
    shapeColor_ = colour;
    update();
}

void TQProgressBar::setBackgroundColor(Colour colour)
{
    backgroundColor_ = colour;
    update();
}

void TQProgressBar::setBarColor(Colour colour)
{
    start_ = final_ = colour;
    rebuild();
}

void TQProgressBar::setStartColor(Colour colour)
{
    start_ = colour;
    rebuild();
}

void TQProgressBar::setFinalColor(Colour colour)
{
    final_ = colour;
    rebuild();
}

void TQProgressBar::setBlockSize(int size)
{
    if (size > geometry().along - geometry().inset()) return;
    blockSize_ = std::abs(size);
    rebuild();
}

void TQProgressBar::setSpaceSize(int size)
{
    if (size > geometry().along - geometry().inset()) return;
    spaceSize_ = std::abs(size);
    rebuild();
}

void TQProgressBar::setShowFullBlock(bool on)
{
    showFullBlock_ = on;
    update();
}

void TQProgressBar::setMaximum(int maximum)
{
    maximum_ = std::max(maximum, 0);
    rebuild();
}

void TQProgressBar::setPosition(int position)
{
    position_ = position;
    filled_ = gauge::filledLength(position_, maximum_, geometry());
    update();
}

void TQProgressBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    rebuild();
}

void TQProgressBar::rebuild()
{
    const Geometry g = geometry();
    filled_ = gauge::filledLength(position_, maximum_, g);
    blocks_ = blockMap(orientation_, g, blockSize_, spaceSize_);
    const int length = g.length();
    colours_.assign(std::size_t(std::max(length + 1, 0)), {});
    for (int i = 0; i <= length; ++i)
        colours_[std::size_t(i)] = shadesAcross(colourAlong(start_, final_, i, length), g.shadeCount(), kind_, look_);
    update();
}

bool TQProgressBar::painted(int position) const
{
    if (blockSize_ <= 0 || spaceSize_ <= 0) return true;
    const BlockCell& cell = blocks_[std::size_t(position)];
    if (!cell.inBlock) return false;
    if (!showFullBlock_) return true;
    const Geometry g = geometry();
    return orientation_ == Orientation::Vertical ? cell.reference >= g.along - filled_ : cell.reference <= filled_;
}

void TQProgressBar::paintEvent(QPaintEvent*)
{
    const auto pixel = [](Colour c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); };
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(backgroundRole()));
    if (shaped_) {
        QPainter frame(&image);
        frame.setPen(QColor::fromRgb(pixel(shapeColor_)));
        frame.setBrush(QColor::fromRgb(pixel(backgroundColor_)));
        const double corner = roundCorner_ ? 2.5 : 0.0;
        frame.drawRoundedRect(QRectF(0, 0, width() - 1, height() - 1), corner, corner);
    }

    const Geometry g = geometry();
    const int inset = g.inset();
    if (orientation_ == Orientation::Vertical) {
        if (filled_ >= inset + 1) {
            for (int row = g.length() - 1; row >= g.along - filled_; --row) {
                if (!painted(row)) continue;
                const std::vector<Colour>& shades = colours_[std::size_t(row)];
                for (int x = inset - 1; x <= g.across - inset; ++x) image.setPixel(x, row, pixel(shades[std::size_t(x)]));
            }
        }
    } else {
        for (int column = inset - 1; column <= filled_; ++column) {
            if (!painted(column)) continue;
            const std::vector<Colour>& shades = colours_[std::size_t(column)];
            for (int y = inset - 1; y <= g.across - inset; ++y) image.setPixel(column, y, pixel(shades[std::size_t(y)]));
        }
    }
    QPainter(this).drawImage(0, 0, image);
}

} // namespace kel
