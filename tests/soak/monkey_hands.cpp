// The monkey's hands on the current operation page and on modal windows:
// the page's controls are found by their kind, so new pages need nothing here.
#include "soak/monkey.h"

#include "app/program_form.h"
#include "soak/control_picking.h"
#include "view/zoomable_view.h"
#include "widgets/track_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>

namespace kel::soak {

QString Monkey::usePage()
{
    QWidget* page = form_.Notebook1->currentWidget();
    const int index = form_.Notebook1->currentIndex();
    const QString where = QStringLiteral("page %1: ").arg(index);
    switch (random_.below(6)) {
    case 0:
    case 1:
        if (QAbstractButton* button = pickFrom(random_, usableChildren<QAbstractButton>(page))) {
            QTest::mouseClick(button, Qt::LeftButton);
            return where + QStringLiteral("click ") + nameOf(button) + u' ' + button->text();
        }
        break;
    case 2:
        if (QLineEdit* edit = pickFrom(random_, usableChildren<QLineEdit>(page))) return where + typeInto(edit);
        break;
    case 3:
        if (TTrackBar* bar = pickFrom(random_, usableChildren<TTrackBar>(page))) {
            const int position = random_.between(bar->Min(), bar->Max());
            bar->setPosition(position);
            return where + QStringLiteral("track bar %1 to %2").arg(nameOf(bar)).arg(position);
        }
        break;
    case 4:
        if (QComboBox* box = pickFrom(random_, usableChildren<QComboBox>(page)); box && box->count() > 0) {
            box->setCurrentIndex(random_.below(box->count()));
            return where + QStringLiteral("choose %1 in %2").arg(box->currentIndex()).arg(nameOf(box));
        }
        break;
    default: {
        // The previews first, then any other control that takes the mouse.
        QWidget* target = pickFrom(random_, usableChildren<ZoomableView>(page));
        if (!target || random_.chance(25)) {
            std::vector<QWidget*> others;
            for (QWidget* child : usableChildren<QWidget>(page))
                if (!qobject_cast<QLabel*>(child)) others.push_back(child);
            target = pickFrom(random_, others);
        }
        if (target) return where + drag(target);
    }
    }
    if (QWidget* any = pickFrom(random_, usableChildren<QWidget>(page))) return where + drag(any);
    return where + QStringLiteral("nothing to use");
}

QString Monkey::typeInto(QWidget* widget)
{
    auto* edit = static_cast<QLineEdit*>(widget);
    static const char* const texts[] = {"",     "0",  "1",          "-1",    "7",  "50",   "100", "255",
                                        "256",  "-255", "99999",    "2147483648", "abc", " 12", "$FF", "1e3",
                                        "-",    "+5", "3000",       "0x10",  "12a", "\xc3\xa9t\xc3\xa9"};
    QString text = QString::fromUtf8(texts[random_.below(int(std::size(texts)))]);
    if (random_.chance(20)) text = QString::number(random_.between(-100000, 100000));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    if (text.toLatin1() == text.toUtf8()) QTest::keyClicks(edit, text);
    else edit->insert(text); // the test library types ASCII only
    QString then;
    switch (random_.below(4)) {
    case 0: QTest::keyClick(edit, Qt::Key_Return); then = QStringLiteral(", Return"); break;
    case 1: QTest::keyClick(edit, Qt::Key_Tab); then = QStringLiteral(", Tab"); break;
    case 2: QTest::keyClick(edit, random_.chance(50) ? Qt::Key_Up : Qt::Key_Down); then = QStringLiteral(", arrow"); break;
    default: break;
    }
    return QStringLiteral("type \"%1\" into %2%3").arg(text, nameOf(edit), then);
}

QPoint Monkey::anywhere(QWidget* widget)
{
    // Mostly inside, sometimes past the edges.
    const int w = std::max(1, widget->width());
    const int h = std::max(1, widget->height());
    return random_.chance(85) ? QPoint(random_.below(w), random_.below(h))
                              : QPoint(random_.between(-40, w + 40), random_.between(-40, h + 40));
}

QString Monkey::drag(QWidget* target)
{
    const Qt::MouseButton button = anyButton(random_);
    const QPoint from = anywhere(target);
    const QPoint to = anywhere(target);
    if (random_.chance(20)) {
        QTest::mouseDClick(target, button, {}, from);
        return QStringLiteral("double click %1 at %2,%3").arg(nameOf(target)).arg(from.x()).arg(from.y());
    }
    QTest::mousePress(target, button, {}, from);
    const int moves = random_.below(4);
    for (int i = 1; i <= moves; ++i) QTest::mouseMove(target, from + (to - from) * i / moves);
    if (random_.chance(90)) QTest::mouseRelease(target, button, {}, to);
    return QStringLiteral("drag %1 with button %2 from %3,%4 to %5,%6")
        .arg(nameOf(target)).arg(int(button)).arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y());
}

void Monkey::playWithModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    QWidget* inside = modal->childAt(modal->rect().center());
    QWidget* target = inside ? inside : modal;
    for (int turns = random_.below(3); turns > 0; --turns) turnWheel(target);
    if (random_.chance(20)) QTest::mouseDClick(target, Qt::LeftButton, {}, anywhere(target));
    const QPoint at = anywhere(target);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &click);
    if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) dialog->reject();
    else if (modal->isVisible()) modal->close();
}

} // namespace kel::soak
