#include "widgets/picture_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace kel {

TPictureButton::TPictureButton(const QPixmap& picture, QWidget* parent) : QWidget(parent), picture_(picture)
{
    resize(picture.size() / picture.devicePixelRatio());
}

void TPictureButton::setTransparent(bool on)
{
    transparent_ = on;
    update();
}

void TPictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!transparent_) painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, picture_);
}

void TPictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) pressed_ = true;
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    if (click && OnClick) OnClick();
}

} // namespace kel
