#pragma once
// Counts the paint events a widget receives, for tests of when it repaints.
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace kel::test {

class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

} // namespace kel::test
