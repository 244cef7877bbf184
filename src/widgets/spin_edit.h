#pragma once
// A one-line numeric edit: typing accepts digits, a sign and the decimal
// comma, any other printable key is refused with a beep. When the user
// leaves it, its value is brought into its range; text the program writes
// is kept as it stands. Minimum and maximum both 0 mean no range.
#include <QLineEdit>

namespace kel {

class TSpinEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // The text as a whole number, or the minimum when it is not one.
    int value() const;
    // Writes the value brought into the range.
    void setValue(int value);
    // Whether leaving the edit also replaces text that is no number by the
    // minimum (the default), or keeps it for its reader to refuse.
    void setMendsUnreadableText(bool on) { mendsUnreadableText_ = on; }

signals:
    // A typed key was refused (the beep has sounded).
    void keyRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool limited() const { return minimum_ != 0 || maximum_ != 0; }
    int clamped(int value) const;

    int minimum_ = 0;
    int maximum_ = 0;
    bool mendsUnreadableText_ = true;
};

// The edit's text as a whole number; raises the conversion error naming the
// text when it is not one.
int readInteger(const QLineEdit& edit);

} // namespace kel
