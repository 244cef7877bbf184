#include "widgets/arrow.h"

#include <QPainter>
#include <QPolygon>

namespace kel {

TArrow::TArrow(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TArrow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    const int mid = width() / 2;
    const int head = std::min(width() / 2, 8);
    painter.setPen(QPen(ink, 1));
    painter.drawLine(mid, head, mid, height() - head);
    painter.setBrush(ink);
    painter.drawPolygon(QPolygon({QPoint(mid, 0), QPoint(mid - head, 2 * head), QPoint(mid + head, 2 * head)}));
    painter.drawPolygon(QPolygon({QPoint(mid, height() - 1), QPoint(mid - head, height() - 1 - 2 * head),
                                  QPoint(mid + head, height() - 1 - 2 * head)}));
}

} // namespace kel
