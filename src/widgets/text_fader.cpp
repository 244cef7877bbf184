#include "widgets/text_fader.h"

#include <QPainter>

#include <algorithm>

namespace kel {

void blendFade(QImage& first, const QImage& second, int level)
{
    const int bytes = std::min(first.width() * first.depth(), second.width() * second.depth()) / 8;
    const int rows = std::min(first.height(), second.height());
    for (int y = 0; y < rows; ++y) {
        uchar* a = first.scanLine(y);
        const uchar* b = second.constScanLine(y);
        for (int i = 0; i < bytes; ++i) a[i] = uchar(a[i] * level / 100 + b[i] * (100 - level) / 100);
    }
}

TTextFader::TTextFader(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(200, 16);
    connect(&timer_, &QTimer::timeout, this, &TTextFader::TimerTick);
}

TTextFader::~TTextFader() { timer_.stop(); }

void TTextFader::setLines(const QStringList& lines) { lines_ = lines; }

void TTextFader::setActive(bool on)
{
    if (on == active_) return;
    active_ = on;
    level_ = 100;
    if (on) {
        cycles_ = 0;
        timer_.start(5);
    } else {
        timer_.stop();
        update();
    }
}

void TTextFader::setLineDelay(int milliseconds) { lineDelay_ = std::clamp(milliseconds, 0, 65535); }

void TTextFader::setFadeDelay(int milliseconds) { fadeDelay_ = std::clamp(milliseconds, 0, 65535); }

void TTextFader::setFadeStep(int percent) { fadeStep_ = std::clamp(percent, 1, 100); }

void TTextFader::setRepeatCount(int count) { repeatCount_ = std::max(count, 0); }

void TTextFader::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TTextFader::setWordWrap(bool on)
{
    wordWrap_ = on;
    update();
}

void TTextFader::setTransparent(bool on)
{
    transparent_ = on;
    update();
}

void TTextFader::setColor(Colour colour)
{
    color_ = colour;
    update();
}

void TTextFader::advanceLine()
{
    previous_ = current_;
    const int count = int(lines_.size());
    int next = index_ + 1;
    if (index_ >= count - 1) {
        ++cycles_;
        if (repeatCount_ != 0 && cycles_ >= repeatCount_)
            setActive(false);
        else
            next = 0;
    }
    if (!active_) next = index_;
    next = count == 0 ? -1 : std::clamp(next, 0, count - 1);
    if (next != index_) {
        index_ = next;
        timer_.setInterval(lineDelay_);
    }
    current_ = index_ >= 0 ? lines_[index_] : QString();
    if (active_) {
        level_ = 0;
        timer_.setInterval(fadeDelay_);
    }
}

void TTextFader::TimerTick()
{
    if (level_ == 100) advanceLine();
    level_ = std::min(level_ + fadeStep_, 100);
    repaint();
    if (level_ == 100) {
        timer_.setInterval(lineDelay_);
        if (OnComplete) OnComplete();
    }
}

void TTextFader::paintBehind(QImage& image) const
{
    QWidget* parent = parentWidget();
    if (!parent) {
        image.fill(QColor::fromRgb(redOf(color_), greenOf(color_), blueOf(color_)));
        return;
    }
    // The parent's background and drawing, then the controls laid before this one.
    image.fill(parent->palette().color(QPalette::Window));
    parent->render(&image, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    for (QObject* child : parent->children()) {
        if (child == this) break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || !sibling->isVisible() || sibling->isWindow() || !sibling->geometry().intersects(geometry()))
            continue;
        sibling->render(&image, sibling->pos() - pos(), QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

void TTextFader::drawText(QImage& image, const QString& text) const
{
    QPainter painter(&image);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const int flags = int(alignment_) | (wordWrap_ ? Qt::TextWordWrap : 0);
    const int textHeight = painter.boundingRect(QRect(0, 0, width(), 0x7FFF), flags, text).height();
    painter.drawText(QRect(0, (height() - textHeight) / 2, width(), textHeight), flags, text);
}

void TTextFader::paintEvent(QPaintEvent*)
{
    if (painting_) return;
    painting_ = true;
    QImage first(size(), QImage::Format_RGB888);
    if (transparent_)
        paintBehind(first);
    else
        first.fill(QColor::fromRgb(redOf(color_), greenOf(color_), blueOf(color_)));
    if (level_ == 100) {
        drawText(first, current_);
    } else {
        QImage second = first.copy();
        drawText(second, previous_);
        drawText(first, current_);
        blendFade(first, second, level_);
    }
    QPainter(this).drawImage(0, 0, first);
    painting_ = false;
}

} // namespace kel
