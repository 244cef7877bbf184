#include "view/zoomable_view.h"

#include "view/display_rect.h"
#include "view/stretch_render.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kel {

namespace {

MouseArgs mouseArgs(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return MouseArgs{event->button(), event->buttons(), event->modifiers(), p.x(), p.y()};
}

// Restores the painting flag however painting ends.
class PaintingFlag {
public:
    explicit PaintingFlag(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~PaintingFlag() { flag_ = saved_; }
    PaintingFlag(const PaintingFlag&) = delete;
    PaintingFlag& operator=(const PaintingFlag&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

ZoomableView::ZoomableView(bool center, bool proportional, QWidget* parent)
    : QWidget(parent), proportional_(proportional), center_(center)
{
    resize(105, 105);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    picture_.setChangeHandler([this] { ShownPictureChanged(); });
}

ZoomableView::~ZoomableView() { picture_.setChangeHandler(nullptr); }

void ZoomableView::setCenter(bool on)
{
    if (center_ == on) return;
    center_ = on;
    ShownPictureChanged();
}

void ZoomableView::setProportional(bool on)
{
    if (proportional_ == on) return;
    proportional_ = on;
    ShownPictureChanged();
}

void ZoomableView::setStretch(bool on)
{
    if (stretch_ == on) return;
    stretch_ = on;
    ShownPictureChanged();
}

void ZoomableView::setTransparent(bool on)
{
    if (transparent_ == on) return;
    transparent_ = on;
    ShownPictureChanged();
}

void ZoomableView::setZoomX(int percent)
{
    if (zoomX_ == percent) return;
    zoomX_ = percent;
    if (zoomEven_) zoomY_ = percent;
    ShownPictureChanged();
}

void ZoomableView::setZoomY(int percent)
{
    if (zoomY_ == percent) return;
    zoomY_ = percent;
    if (zoomEven_) zoomX_ = percent;
    ShownPictureChanged();
}

void ZoomableView::setZoomEven(bool on)
{
    if (zoomEven_ == on) return;
    zoomEven_ = on;
    if (on) zoomY_ = zoomX_;
    ShownPictureChanged();
}

Rect ZoomableView::DisplayRect() const
{
    return displayRect(DisplayLayout{picture_.width(), picture_.height(), width(), height(), stretch_,
                                     proportional_, center_, zoomX_, zoomY_});
}

void ZoomableView::ShownPictureChanged()
{
    if (autoSize_ && picture_.width() >= 1 && picture_.height() >= 1)
        setGeometry(x(), y(), picture_.width(), picture_.height());
    bool opaque = false;
    if (Graphic* graphic = picture_.graphic()) {
        if (!graphic->isMetafile() && !graphic->isIcon()) graphic->setTransparent(transparent_);
        opaque = !graphic->transparent() && stretch_ && !proportional_;
    }
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    if (!painting_) update();
}

void ZoomableView::paintEvent(QPaintEvent* event)
{
    PaintingFlag flag(painting_);
    const Graphic* graphic = picture_.graphic();
    if (!graphic) return;
    const QRect clip = event->rect() & rect();
    const QImage image = renderStretched(*graphic, DisplayRect(), clip);
    if (image.isNull()) return;
    QPainter painter(this);
    painter.drawImage(clip.topLeft(), image);
}

void ZoomableView::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (OnMouseEnter) OnMouseEnter();
}

void ZoomableView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (OnMouseExit) OnMouseExit();
}

void ZoomableView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) pressed_ = true;
    if (OnMouseDown) OnMouseDown(mouseArgs(event));
}

void ZoomableView::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove) OnMouseMove(mouseArgs(event));
}

void ZoomableView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    if (OnMouseUp) OnMouseUp(mouseArgs(event));
    if (click && OnClick) OnClick();
}

void ZoomableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDblClick) OnDblClick();
    if (OnMouseDown) OnMouseDown(mouseArgs(event));
}

void ZoomableView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!OnContextPopup) {
        event->ignore();
        return;
    }
    OnContextPopup(event->pos());
}

} // namespace kel
