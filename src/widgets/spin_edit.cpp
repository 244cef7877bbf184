#include "widgets/spin_edit.h"

#include "graphics/errors.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <optional>

namespace kel {

namespace {

std::optional<int> parseInteger(const QString& text)
{
    try {
        return strToInt(text);
    } catch (const ConvertError&) {
        return std::nullopt;
    }
}

bool acceptedCharacter(QChar c)
{
    return c.isDigit() || c == u'+' || c == u'-' || c == u',';
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QLineEdit(parent)
{
    setText(QStringLiteral("0"));
}

void TSpinEdit::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
}

int TSpinEdit::value() const
{
    return parseInteger(text()).value_or(minimum_);
}

void TSpinEdit::setValue(int value)
{
    setText(QString::number(clamped(value)));
}

int TSpinEdit::clamped(int value) const
{
    return limited() ? std::clamp(value, minimum_, maximum_) : value;
}

void TSpinEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && !std::all_of(typed.begin(), typed.end(), acceptedCharacter)) {
        QApplication::beep();
        emit keyRefused();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event)
{
    if (limited()) {
        const int current = value();
        if (clamped(current) != current || (mendsUnreadableText_ && !parseInteger(text()))) setValue(current);
    }
    QLineEdit::focusOutEvent(event);
}

int readInteger(const QLineEdit& edit)
{
    return strToInt(edit.text());
}

} // namespace kel
