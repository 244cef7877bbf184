#pragma once
// The display logic shared by the two view controls: a picture drawn into a
// rectangle worked out from the control's size, three placement switches
// and a zoom factor per axis. Painting scales without smoothing, clipped to
// the control. The controls take no keyboard focus.
#include "graphics/geometry.h"
#include "graphics/picture.h"

#include <QWidget>

#include <functional>

namespace kel {

struct MouseArgs {
    Qt::MouseButton button = Qt::NoButton; // the button pressed or released
    Qt::MouseButtons buttons;              // the buttons held
    Qt::KeyboardModifiers modifiers;
    int x = 0;
    int y = 0;
};

class ZoomableView : public QWidget {
    Q_OBJECT
public:
    // The shown picture; its change notification repaints the control.
    kel::Picture& Picture() { return picture_; }
    const kel::Picture& Picture() const { return picture_; }

    bool Center() const { return center_; }
    void setCenter(bool on);
    bool Proportional() const { return proportional_; }
    void setProportional(bool on);
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);
    bool Transparent() const { return transparent_; }
    void setTransparent(bool on);
    int ZoomX() const { return zoomX_; }
    void setZoomX(int percent);
    int ZoomY() const { return zoomY_; }
    void setZoomY(int percent);
    bool ZoomEven() const { return zoomEven_; }
    void setZoomEven(bool on);
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void setIncrementalDisplay(bool on) { incrementalDisplay_ = on; }
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on) { autoSize_ = on; }

    // Where the picture is drawn, in client coordinates.
    Rect DisplayRect() const;

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseExit;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(const MouseArgs&)> OnMouseDown;
    std::function<void(const MouseArgs&)> OnMouseMove;
    std::function<void(const MouseArgs&)> OnMouseUp;
    // Right click or menu key; the point is in client coordinates.
    std::function<void(const QPoint&)> OnContextPopup;

protected:
    ZoomableView(bool center, bool proportional, QWidget* parent);
    ~ZoomableView() override;

    // Runs whenever the shown picture or a display setting changes.
    void ShownPictureChanged();

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    kel::Picture picture_;
    bool stretch_ = false;
    bool proportional_;
    bool center_;
    bool incrementalDisplay_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
    bool painting_ = false;
    bool zoomEven_ = true;
    int zoomY_ = 100;
    int zoomX_ = 100;
    bool pressed_ = false;
};

} // namespace kel
