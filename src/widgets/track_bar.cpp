#include "widgets/track_bar.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionSlider>

namespace kel {

namespace {

constexpr int kLabelHeight = 13;
constexpr int kLabelWidth = 24;

} // namespace

TTrackBar::TTrackBar(QWidget* parent) : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this))
{
    slider_->setTickPosition(QSlider::TicksAbove);
    slider_->setFocusPolicy(Qt::StrongFocus);
    slider_->installEventFilter(this);
    setFocusProxy(slider_);
    connect(slider_, &QSlider::valueChanged, this, [this] {
        if (OnChange) OnChange();
    });
}

int TTrackBar::Min() const { return slider_->minimum(); }

int TTrackBar::Max() const { return slider_->maximum(); }

void TTrackBar::setRange(int minimum, int maximum)
{
    slider_->setRange(minimum, maximum);
    update();
}

int TTrackBar::Position() const { return slider_->value(); }

void TTrackBar::setPosition(int position) { slider_->setValue(position); }

void TTrackBar::setFrequency(int ticks) { slider_->setTickInterval(ticks); }

void TTrackBar::setLineSize(int step) { slider_->setSingleStep(step); }

void TTrackBar::setLabelInterval(int interval)
{
    labelInterval_ = interval;
    update();
}

void TTrackBar::setOrientation(Qt::Orientation orientation)
{
    slider_->setOrientation(orientation);
    const bool vertical = orientation == Qt::Vertical;
    // Like the horizontal bar, the minimum comes first: at the top, and the
    // Down key moves toward the maximum.
    slider_->setInvertedAppearance(vertical);
    slider_->setInvertedControls(vertical);
    slider_->setTickPosition(vertical ? QSlider::TicksLeft : QSlider::TicksAbove);
    resizeEvent(nullptr);
    update();
}

bool TTrackBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == slider_ && event->type() == QEvent::FocusIn && OnEnter) OnEnter();
    return QWidget::eventFilter(watched, event);
}

void TTrackBar::resizeEvent(QResizeEvent*)
{
    if (slider_->orientation() == Qt::Vertical) slider_->setGeometry(0, 0, width() - kLabelWidth, height());
    else slider_->setGeometry(0, 0, width(), height() - kLabelHeight);
}

void TTrackBar::paintEvent(QPaintEvent*)
{
    if (labelInterval_ <= 0 || Max() <= Min()) return;
    QStyleOptionSlider option;
    option.initFrom(slider_);
    const bool vertical = slider_->orientation() == Qt::Vertical;
    option.orientation = slider_->orientation();
    option.minimum = Min();
    option.maximum = Max();
    const QRect groove =
        slider_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider_);
    const QRect handle =
        slider_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider_);
    const int span = vertical ? groove.height() - handle.height() : groove.width() - handle.width();
    const int origin = vertical ? groove.top() + handle.height() / 2 : groove.left() + handle.width() / 2;

    QPainter painter(this);
    painter.setPen(palette().windowText().color());
    const QFontMetrics metrics(font());
    for (int value = Min(); value <= Max(); value += labelInterval_) {
        const int along = origin + QStyle::sliderPositionFromValue(Min(), Max(), value, span);
        const QString text = QString::number(value);
        if (vertical) {
            const int top = std::clamp(along - kLabelHeight / 2, 0, height() - kLabelHeight);
            painter.drawText(QRect(width() - kLabelWidth, top, kLabelWidth, kLabelHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
            continue;
        }
        const int w = metrics.horizontalAdvance(text);
        const int left = std::clamp(along - w / 2, 0, width() - w);
        painter.drawText(QRect(left, height() - kLabelHeight, w, kLabelHeight), Qt::AlignCenter, text);
    }
}

} // namespace kel
