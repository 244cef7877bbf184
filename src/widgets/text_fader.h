#pragma once
// A line of text that shows one entry of a list at a time and passes to the
// next by a cross-fade, waits, then fades to the following one, round and
// round. It can show what lies behind it instead of a background colour.
#include "graphics/colour.h"

#include <QImage>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kel {

// Cross-fade of two pictures of the same size: per byte,
// first * level / 100 + second * (100 - level) / 100, each term truncated.
void blendFade(QImage& first, const QImage& second, int level);

class TTextFader final : public QWidget {
    Q_OBJECT
public:
    explicit TTextFader(QWidget* parent = nullptr);
    ~TTextFader() override;

    const QStringList& Lines() const { return lines_; }
    void setLines(const QStringList& lines);
    bool Active() const { return active_; }
    // Starting resets the cycle count and ticks after 5 ms; stopping repaints.
    void setActive(bool on);
    // Milliseconds a line stays once faded in.
    int LineDelay() const { return lineDelay_; }
    void setLineDelay(int milliseconds);
    // Milliseconds between fade steps.
    void setFadeDelay(int milliseconds);
    // Percent added per fade step, 1..100.
    void setFadeStep(int percent);
    // Full cycles before stopping; 0 runs forever.
    void setRepeatCount(int count);
    void setAlignment(Qt::Alignment alignment);
    void setWordWrap(bool on);
    // Shows the parent and the controls before this one instead of Color.
    void setTransparent(bool on);
    void setColor(Colour colour);

    // Called after each completed fade.
    std::function<void()> OnComplete;

    // The running state.
    int lineIndex() const { return index_; }
    const QString& currentText() const { return current_; }
    const QString& previousText() const { return previous_; }
    int level() const { return level_; }
    int completedCycles() const { return cycles_; }
    int timerInterval() const { return timer_.interval(); }

    // One step of the cycle: at a steady line, move to the next one and
    // start fading; then add a fade step and repaint at once.
    void TimerTick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintBehind(QImage& image) const;
    void drawText(QImage& image, const QString& text) const;
    void advanceLine();

    QStringList lines_{QStringLiteral("Kelvary")};
    bool active_ = false;
    int lineDelay_ = 2000;
    int fadeDelay_ = 30;
    int fadeStep_ = 4;
    int repeatCount_ = 0;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    bool wordWrap_ = true;
    bool transparent_ = false;
    Colour color_ = clWhite;

    int index_ = -1;
    QString current_;
    QString previous_;
    int level_ = 100;
    int cycles_ = 0;
    QTimer timer_;
    bool painting_ = false;
};

} // namespace kel
