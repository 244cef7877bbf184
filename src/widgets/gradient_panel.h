#pragma once
// A panel whose inside is painted as a banded gradient, from a first to a
// second colour over the whole panel, or over a percentage of it and from
// the second to a third colour over the rest.
#include "graphics/colour.h"

#include <QWidget>

namespace kel {

enum class Bevel { None, Lowered, Raised };

class TGPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TGPanel(QWidget* parent = nullptr);

    bool Active() const { return active_; }
    void setActive(bool on);
    Colour Color_1() const { return color1_; }
    void setColor_1(Colour colour);
    Colour Color_2() const { return color2_; }
    void setColor_2(Colour colour);
    Colour Color_3() const { return color3_; }
    void setColor_3(Colour colour);
    bool Horizontal() const { return horizontal_; }
    void setHorizontal(bool on);
    int Percent() const { return percent_; }
    // Kept within 1..100.
    void setPercent(int percent);

    void setBevelInner(Bevel bevel);
    void setBevelOuter(Bevel bevel);
    // The panel colour, seen where no gradient is painted.
    void setPanelColour(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool active_ = true;
    Colour color1_ = clBtnFace;
    Colour color2_ = clWhite;
    Colour color3_ = rgb(0, 255, 255);
    bool horizontal_ = true;
    int percent_ = 100;
    Bevel inner_ = Bevel::None;
    Bevel outer_ = Bevel::Raised;
    Colour panelColour_ = clBtnFace;
};

} // namespace kel
