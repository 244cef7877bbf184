#pragma once
// The segmented gauge: a bar filled up to a position inside a rounded frame,
// flat or shaded across like a glass or metal tube, its colour running from
// a start to a final colour along it, optionally cut into blocks that show
// only once the value covers them completely. Pixels are set one by one.
#include "widgets/gauge_model.h"

#include <QWidget>

namespace kel {

class TQProgressBar final : public QWidget {
    Q_OBJECT
public:
    explicit TQProgressBar(QWidget* parent = nullptr);

    gauge::Orientation orientation() const { return orientation_; }
    void setOrientation(gauge::Orientation orientation);
    void setBarKind(gauge::BarKind kind);
    void setBarLook(gauge::BarLook look);
    // Corners of size 5, or square ones.
    void setRoundCorner(bool on);
    // Draws the frame.
    void setShaped(bool on);
    void setShapeColor(Colour colour);
    void setBackgroundColor(Colour colour);
    // Sets the start and the final colour together.
    void setBarColor(Colour colour);
    Colour startColor() const { return start_; }
    void setStartColor(Colour colour);
    Colour finalColor() const { return final_; }
    void setFinalColor(Colour colour);
    // Ignored when larger than the bar's length; the absolute value is kept.
    int blockSize() const { return blockSize_; }
    void setBlockSize(int size);
    int spaceSize() const { return spaceSize_; }
    void setSpaceSize(int size);
    // Draw a block only once the filled part covers all of it.
    void setShowFullBlock(bool on);
    int maximum() const { return maximum_; }
    // Negative values become 0.
    void setMaximum(int maximum);
    int position() const { return position_; }
    void setPosition(int position);

    // The filled length along the bar, in pixels.
    int filledLength() const { return filled_; }
    gauge::Geometry geometry() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Recomputes the filled length, the block map and the colour table, then repaints.
    void rebuild();
    bool painted(int position) const;

    gauge::Orientation orientation_ = gauge::Orientation::Horizontal;
    gauge::BarKind kind_ = gauge::BarKind::Flat;
    gauge::BarLook look_ = gauge::BarLook::Metal;
    bool roundCorner_ = true;
    bool shaped_ = true;
    Colour shapeColor_ = rgb(0, 60, 116);
    Colour backgroundColor_ = clWhite;
    Colour start_ = clLime;
    Colour final_ = clLime;
    int blockSize_ = 0;
    int spaceSize_ = 0;
    bool showFullBlock_ = false;
    int maximum_ = 100;
    int position_ = 0;

    int filled_ = 0;
    std::vector<gauge::BlockCell> blocks_;
    std::vector<std::vector<Colour>> colours_; // per position along, the shades across
};

} // namespace kel
