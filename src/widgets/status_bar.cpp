#include "widgets/status_bar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QPainter>

namespace kel {

namespace {

// The platform's shortest timer interval is replaced by a few refreshes a second.
constexpr int kShortestInterval = 250;

void applyBevel(QFrame& frame, SectionBevel bevel)
{
    switch (bevel) {
    case SectionBevel::sbNone:
        frame.setFrameStyle(QFrame::NoFrame);
        break;
    case SectionBevel::sbLow:
    case SectionBevel::sbIsDownUp:
        frame.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame.setLineWidth(1);
        break;
    case SectionBevel::sbLowest:
        frame.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame.setLineWidth(2);
        break;
    case SectionBevel::sbHigh:
    case SectionBevel::sbIsUpDown:
        frame.setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame.setLineWidth(1);
        break;
    case SectionBevel::sbHighest:
        frame.setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame.setLineWidth(2);
        break;
    }
}

QLabel* makeSection(QWidget* bar)
{
    auto* label = new QLabel(bar);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    // A press on a section reaches the bar itself.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    applyBevel(*label, SectionBevel::sbLow);
    return label;
}

} // namespace

TEStatusBar::TEStatusBar(QWidget* parent) : QWidget(parent), date_(makeSection(this)), time_(makeSection(this))
{
    resize(width(), 25);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    placeSections();
}

void TEStatusBar::setCaption(const QString& text)
{
    if (caption_ == text) return;
    caption_ = text;
    update();
}

void TEStatusBar::setSectMainBevel(SectionBevel bevel)
{
    mainBevel_ = bevel;
    update();
}

void TEStatusBar::setSectDateBevel(SectionBevel bevel) { applyBevel(*date_, bevel); }

void TEStatusBar::setSectTimeBevel(SectionBevel bevel) { applyBevel(*time_, bevel); }

void TEStatusBar::setAlignDate(Qt::Edge edge)
{
    dateEdge_ = edge;
    placeSections();
}

void TEStatusBar::setAlignTime(Qt::Edge edge)
{
    timeEdge_ = edge;
    placeSections();
}

void TEStatusBar::setWidthDate(int width)
{
    dateWidth_ = width;
    placeSections();
}

void TEStatusBar::setWidthTime(int width)
{
    timeWidth_ = width;
    placeSections();
}

void TEStatusBar::setEnabled(bool on)
{
    if (!on) {
        timer_.stop();
        return;
    }
    timer_.start(interval_ > 0 ? interval_ : kShortestInterval);
    tick();
}

void TEStatusBar::setUpdateInterval(int milliseconds)
{
    interval_ = milliseconds;
    const bool running = timer_.isActive();
    timer_.stop();
    if (running) setEnabled(true);
}

QString TEStatusBar::dateText() const { return date_->text(); }

QString TEStatusBar::timeText() const { return time_->text(); }

QString TEStatusBar::shortDate() { return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat); }

QString TEStatusBar::longTime() { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); }

void TEStatusBar::tick()
{
    if (OnTimer) OnTimer();
    date_->setText(shortDate());
    time_->setText(longTime());
}

void TEStatusBar::placeSections()
{
    // Sections docked to the same end stand side by side, the date first.
    int left = 0, right = width();
    auto place = [&](QLabel* section, Qt::Edge edge, int sectionWidth) {
        if (edge == Qt::RightEdge) {
            right -= sectionWidth;
            section->setGeometry(right, 0, sectionWidth, height());
        } else {
            section->setGeometry(left, 0, sectionWidth, height());
            left += sectionWidth;
        }
    };
    place(date_, dateEdge_, dateWidth_);
    place(time_, timeEdge_, timeWidth_);
}

void TEStatusBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeSections();
}

void TEStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (mainBevel_ != SectionBevel::sbNone) {
        const bool raised = mainBevel_ == SectionBevel::sbHigh || mainBevel_ == SectionBevel::sbHighest ||
                            mainBevel_ == SectionBevel::sbIsUpDown;
        const QColor light(255, 255, 255), shadow(160, 160, 160);
        painter.setPen(raised ? light : shadow);
        painter.drawLine(0, 0, width() - 1, 0);
        painter.drawLine(0, 0, 0, height() - 1);
        painter.setPen(raised ? shadow : light);
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
        painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    }
    painter.setPen(palette().windowText().color());
    painter.drawText(rect(), Qt::AlignCenter, caption_);
}

} // namespace kel
