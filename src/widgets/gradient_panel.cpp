#include "widgets/gradient_panel.h"

#include "widgets/gradient.h"

#include <QPainter>

#include <algorithm>

namespace kel {

namespace {

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// A one-pixel bevel just inside `r`; returns the rectangle inside it.
QRect drawBevel(QPainter& painter, const QRect& r, Bevel bevel)
{
    if (bevel == Bevel::None) return r;
    const QColor light(255, 255, 255), shadow(160, 160, 160);
    const QColor& topLeft = bevel == Bevel::Raised ? light : shadow;
    const QColor& bottomRight = bevel == Bevel::Raised ? shadow : light;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    return r.adjusted(1, 1, -1, -1);
}

// Paints the bands of one gradient starting `from` pixels along the panel.
void paintGradient(QPainter& painter, const QRect& area, bool horizontal, int from, int length, Colour a, Colour b)
{
    for (const GradientBand& band : gradientBands(a, b, length)) {
        const QRect r = horizontal ? QRect(area.left() + from + band.start, area.top(), band.length, area.height())
                                   : QRect(area.left(), area.top() + from + band.start, area.width(), band.length);
        painter.fillRect(r, toQColor(band.colour));
    }
}

} // namespace

TGPanel::TGPanel(QWidget* parent) : QWidget(parent) {}

void TGPanel::setActive(bool on)
{
    active_ = on;
    update();
}

void TGPanel::setColor_1(Colour colour)
{
    color1_ = colour;
    update();
}

void TGPanel::setColor_2(Colour colour)
{
    color2_ = colour;
    update();
}

void TGPanel::setColor_3(Colour colour)
{
    color3_ = colour;
    update();
}

void TGPanel::setHorizontal(bool on)
{
    horizontal_ = on;
    update();
}

void TGPanel::setPercent(int percent)
{
    percent_ = std::clamp(percent, 1, 100);
    update();
}

void TGPanel::setBevelInner(Bevel bevel)
{
    inner_ = bevel;
    update();
}

void TGPanel::setBevelOuter(Bevel bevel)
{
    outer_ = bevel;
    update();
}

void TGPanel::setPanelColour(Colour colour)
{
    panelColour_ = colour;
    update();
}

void TGPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(panelColour_));
    const QRect area = drawBevel(painter, drawBevel(painter, rect(), outer_), inner_);
    if (!active_ || area.isEmpty()) return;

    const int length = horizontal_ ? area.width() : area.height();
    if (percent_ == 100) {
        paintGradient(painter, area, horizontal_, 0, length, color1_, color2_);
        return;
    }
    const int first = std::max(1, length * percent_ / 100);
    paintGradient(painter, area, horizontal_, 0, first, color1_, color2_);
    paintGradient(painter, area, horizontal_, first, length - first, color2_, color3_);
}

} // namespace kel
