#pragma once
// A caption written upward along a narrow vertical strip, as beside the
// pages' colour swatches and previews.
#include <QWidget>

namespace kel {

class TAngleLabel final : public QWidget {
    Q_OBJECT
public:
    TAngleLabel(const QString& caption, QWidget* parent = nullptr);
    QString caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

} // namespace kel
