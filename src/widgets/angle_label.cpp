#include "widgets/angle_label.h"

#include <QPainter>

namespace kel {

TAngleLabel::TAngleLabel(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {}

void TAngleLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Turned a quarter anticlockwise: the text reads from bottom to top,
    // centred along the strip.
    painter.translate(0, height());
    painter.rotate(-90);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter, caption_);
}

} // namespace kel
