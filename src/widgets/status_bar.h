#pragma once
// A status bar with a date section and a time section kept up to date by a
// timer, and a main text drawn centred on the whole bar beneath them.
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;

namespace kel {

enum class SectionBevel { sbLow, sbLowest, sbHigh, sbHighest, sbIsUpDown, sbIsDownUp, sbNone };

class TEStatusBar final : public QWidget {
    Q_OBJECT
public:
    explicit TEStatusBar(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& text);

    void setSectMainBevel(SectionBevel bevel);
    void setSectDateBevel(SectionBevel bevel);
    void setSectTimeBevel(SectionBevel bevel);
    // Which end of the bar each section is docked to.
    void setAlignDate(Qt::Edge edge);
    void setAlignTime(Qt::Edge edge);
    void setWidthDate(int width);
    void setWidthTime(int width);

    bool Enabled() const { return timer_.isActive(); }
    // Starts or stops the refreshing timer.
    void setEnabled(bool on);
    int UpdateInterval() const { return interval_; }
    // Restarts the timer with the new interval (0: the platform's shortest).
    void setUpdateInterval(int milliseconds);

    std::function<void()> OnTimer;

    QString dateText() const;
    QString timeText() const;

    // Today's date and the current time as the sections show them.
    static QString shortDate();
    static QString longTime();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void tick();
    void placeSections();

    QString caption_;
    QLabel* date_;
    QLabel* time_;
    SectionBevel mainBevel_ = SectionBevel::sbNone;
    Qt::Edge dateEdge_ = Qt::LeftEdge;
    Qt::Edge timeEdge_ = Qt::LeftEdge;
    int dateWidth_ = 100;
    int timeWidth_ = 100;
    int interval_ = 0;
    QTimer timer_;
};

} // namespace kel
