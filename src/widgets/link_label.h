#pragma once
// A web address shown as a label: while the pointer is over it, it takes its
// hover look (font, colour, background) and a pointing hand; a click runs OnClick.
#include "graphics/colour.h"

#include <QLabel>

#include <functional>
#include <optional>

namespace kel {

class TLinkLabel final : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& address, QWidget* parent = nullptr);

    // The look while the pointer is over the label; without a background
    // colour what lies behind stays visible.
    void setHoverLook(const QFont& font, Colour colour, std::optional<Colour> background);
    // The look otherwise: the font and colour given, on what lies behind.
    void setRestingLook(const QFont& font, Colour colour);
    bool hovered() const { return hovered_; }

    std::function<void()> OnClick;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyLook();

    QFont restingFont_;
    Colour restingColour_ = clBlack;
    QFont hoverFont_;
    Colour hoverColour_ = clBlue;
    std::optional<Colour> hoverBackground_;
    bool hovered_ = false;
    bool pressed_ = false;
};

} // namespace kel
