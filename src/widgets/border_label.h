#pragma once
// A frame drawn as a one-pixel solid border around an empty area.
#include "graphics/colour.h"

#include <QWidget>

namespace kel {

class TLabelBorder final : public QWidget {
    Q_OBJECT
public:
    explicit TLabelBorder(QWidget* parent = nullptr);

    Colour borderColour() const { return colour_; }
    void setBorderColour(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Colour colour_ = rgb(128, 128, 128);
};

} // namespace kel
