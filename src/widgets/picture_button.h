#pragma once
// A picture that acts as a button: a click on it runs OnClick.
#include <QPixmap>
#include <QWidget>

#include <functional>

namespace kel {

class TPictureButton final : public QWidget {
    Q_OBJECT
public:
    explicit TPictureButton(const QPixmap& picture, QWidget* parent = nullptr);

    const QPixmap& picture() const { return picture_; }
    // An opaque button fills its background before drawing the picture.
    void setTransparent(bool on);

    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool transparent_ = true;
    bool pressed_ = false;
};

} // namespace kel
