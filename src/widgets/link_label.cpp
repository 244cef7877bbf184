#include "widgets/link_label.h"

#include <QMouseEvent>

namespace kel {

namespace {

QColor toQColor(Colour colour) { return QColor(redOf(colour), greenOf(colour), blueOf(colour)); }

} // namespace

TLinkLabel::TLinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    restingFont_ = hoverFont_ = font();
    hoverFont_.setUnderline(true);
    applyLook();
}

void TLinkLabel::setHoverLook(const QFont& font, Colour colour, std::optional<Colour> background)
{
    hoverFont_ = font;
    hoverColour_ = colour;
    hoverBackground_ = background;
    applyLook();
}

void TLinkLabel::setRestingLook(const QFont& font, Colour colour)
{
    restingFont_ = font;
    restingColour_ = colour;
    applyLook();
}

void TLinkLabel::applyLook()
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, toQColor(hovered_ ? hoverColour_ : restingColour_));
    const bool filled = hovered_ && hoverBackground_;
    if (filled) colours.setColor(QPalette::Window, toQColor(*hoverBackground_));
    setPalette(colours);
    setAutoFillBackground(filled);
    setFont(hovered_ ? hoverFont_ : restingFont_);
}

void TLinkLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    hovered_ = true;
    applyLook();
}

void TLinkLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    hovered_ = false;
    pressed_ = false;
    applyLook();
}

void TLinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && OnClick) OnClick();
}

} // namespace kel
