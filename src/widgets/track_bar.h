#pragma once
// A track bar with tick marks and number labels, horizontal (labels beneath)
// or vertical (minimum at the top, labels to the right), reporting position
// changes and the arrival of the keyboard focus.
#include <QSlider>
#include <QWidget>

#include <functional>

namespace kel {

class TTrackBar final : public QWidget {
    Q_OBJECT
public:
    explicit TTrackBar(QWidget* parent = nullptr);

    int Min() const;
    int Max() const;
    void setRange(int minimum, int maximum);
    int Position() const;
    // Runs OnChange when the position changes.
    void setPosition(int position);
    void setFrequency(int ticks);
    void setLineSize(int step);
    // A number label beneath every `interval` units from the minimum.
    void setLabelInterval(int interval);
    void setOrientation(Qt::Orientation orientation);

    // The control that takes the keyboard focus and the mouse.
    QSlider* slider() const { return slider_; }

    std::function<void()> OnChange;
    std::function<void()> OnEnter;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSlider* slider_;
    int labelInterval_ = 0;
};

} // namespace kel
