#pragma once
// A decorative double-headed vertical arrow, drawn over the control's height.
#include <QWidget>

namespace kel {

class TArrow final : public QWidget {
    Q_OBJECT
public:
    explicit TArrow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kel
