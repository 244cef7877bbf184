#include "widgets/border_label.h"

#include <QPainter>

namespace kel {

TLabelBorder::TLabelBorder(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TLabelBorder::setBorderColour(Colour colour)
{
    colour_ = colour;
    update();
}

void TLabelBorder::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor(redOf(colour_), greenOf(colour_), blueOf(colour_)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kel
