#include "soak/monkey.h"

#include "soak/control_picking.h"

#include "app/command_table.h"
#include "app/program_form.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "view/zoomable_view.h"
#include "widgets/icon_list_box.h"
#include "widgets/picture_button.h"
#include "widgets/track_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <QWheelEvent>

namespace kel::soak {


Monkey::Monkey(TProgramForm& form, SoakServices& services, Random& random, int maxSide)
    : form_(form), services_(services), random_(random), maxSide_(maxSide)
{
    buildCommands();
    // Modal windows run their own event loop inside the step that opened them.
    modalCloser_.setInterval(1);
    QObject::connect(&modalCloser_, &QTimer::timeout, [this] { playWithModal(); });
    modalCloser_.start();
}

void Monkey::buildCommands()
{
    auto menuItem = [this](const CommandItem& item) {
        const QString name = QString::fromLatin1(item.name);
        commands_.push_back({name, [this, name] {
                                 if (QAction* action = form_.menuItem(name)) action->trigger();
                             }});
    };
    for (const MenuDefinition& menu : mainMenus())
        for (const CommandItem& item : menu.items)
            if (item.name) menuItem(item);
    for (const CommandItem& item : imageContextMenu())
        if (item.name) menuItem(item);
    for (const ToolbarButtonDefinition& button : toolbarButtons()) {
        const QString name = QString::fromLatin1(button.name);
        commands_.push_back({name, [this, name] {
                                 if (TPictureButton* picture = form_.toolbarButton(name))
                                     QTest::mouseClick(picture, Qt::LeftButton);
                             }});
    }
    for (const EventBinding& event : eventBindings()) {
        const std::string name = event.name;
        commands_.push_back({QString::fromStdString(name), [this, name] { form_.runCommand(name); }});
    }
}

QString Monkey::step()
{
    feedScanner();
    if (!form_.isVisible()) form_.show(); // after Quitter
    const bool onPage = form_.Notebook1->currentIndex() != 0;
    const bool popupOpen = QApplication::activePopupWidget() != nullptr;
    const int roll = random_.below(100);
    QString done;
    if (popupOpen && roll < 60) done = answerPopup();
    else if (onPage && roll < 45) done = usePage();
    else if (roll < 40) done = runCommand();
    else if (roll < 50) done = pressKey();
    else if (roll < 58) done = clickEffect();
    else if (roll < 66) done = moveTrackBar();
    else if (roll < 76) done = useView();
    else if (roll < 79) done = usePalette();
    else if (roll < 84) done = turnWheel(random_.chance(70) ? static_cast<QWidget*>(form_.Image1) : pickFrom(random_, usableChildren<QWidget>(&form_)));
    else if (roll < 91) done = newPicture();
    else if (roll < 96) done = openFromPool();
    else done = usePage();
    QApplication::processEvents();
    return done;
}

QString Monkey::openFromPool()
{
    // The open command again, answered with a file of the pool most of the time.
    form_.menuItem(QStringLiteral("Ouvriruneimage1"))->trigger();
    return QStringLiteral("open");
}

QString Monkey::runCommand()
{
    const Action& action = commands_[std::size_t(random_.below(int(commands_.size())))];
    action.run();
    return QStringLiteral("command ") + action.name;
}

QString Monkey::pressKey()
{
    QApplication::setActiveWindow(&form_);
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    if (random_.chance(60)) {
        // The keys of the command table, as the menus hold them.
        std::vector<QKeySequence> keys;
        for (const MenuDefinition& menu : mainMenus())
            for (const CommandItem& item : menu.items)
                if (item.shortcut) keys.emplace_back(QString::fromLatin1(item.shortcut), QKeySequence::PortableText);
        const QKeyCombination combination = keys[std::size_t(random_.below(int(keys.size())))][0];
        key = combination.key();
        modifiers = combination.keyboardModifiers();
    } else {
        key = Qt::Key_F1 + random_.below(12);
        constexpr Qt::KeyboardModifiers choices[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                                     Qt::ControlModifier | Qt::ShiftModifier, Qt::AltModifier};
        modifiers = random_.pick(std::span<const Qt::KeyboardModifiers>(choices));
    }
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form_;
    QTest::keyClick(target, Qt::Key(key), modifiers);
    return QStringLiteral("key ") + QKeySequence(QKeyCombination(modifiers, Qt::Key(key))).toString();
}

QString Monkey::clickEffect()
{
    TIconListBox* list = form_.ListBox1;
    if (list->count() == 0) return QStringLiteral("effect list empty");
    if (random_.chance(20)) {
        const Qt::Key key = random_.chance(50) ? Qt::Key_Down : Qt::Key_Up;
        list->setFocus();
        QTest::keyClick(list, key);
        return QStringLiteral("effect list key %1").arg(key == Qt::Key_Down ? "Down" : "Up");
    }
    const int row = random_.below(list->count());
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    return QStringLiteral("effect ") + list->item(row)->text();
}

QString Monkey::moveTrackBar()
{
    TTrackBar* bars[] = {form_.TrackBarROUGE, form_.TrackBarVERT, form_.TrackBarBLEU,
                         form_.TrackBarLUMINOSITE, form_.TrackBarCONTRASTE, form_.TrackBarSATURATION};
    TTrackBar* bar = bars[random_.below(6)];
    if (random_.chance(30)) {
        constexpr Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = random_.pick(std::span<const Qt::Key>(keys));
        QTest::keyClick(bar->slider(), key);
        return QStringLiteral("track bar %1 key %2").arg(nameOf(bar)).arg(int(key));
    }
    const int position = random_.chance(20) ? (random_.chance(50) ? bar->Min() : bar->Max())
                                            : random_.between(bar->Min(), bar->Max());
    bar->setPosition(position);
    return QStringLiteral("track bar %1 to %2").arg(nameOf(bar)).arg(position);
}

QString Monkey::useView()
{
    QWidget* view = form_.Image1;
    const QPoint at = anywhere(view);
    switch (random_.below(4)) {
    case 0:
        QTest::mouseMove(view, at);
        return QStringLiteral("pointer over the view at %1,%2").arg(at.x()).arg(at.y());
    case 1: {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
        QApplication::sendEvent(view, &event);
        return QStringLiteral("right click on the view at %1,%2").arg(at.x()).arg(at.y());
    }
    default: return drag(view);
    }
}

QString Monkey::usePalette()
{
    QWidget* palette = form_.ImageCOLOR;
    const QPoint at = anywhere(palette);
    QTest::mouseMove(palette, at);
    if (random_.chance(30)) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, palette->mapToGlobal(at));
        QApplication::sendEvent(palette, &event);
        return QStringLiteral("right click on the palette at %1,%2").arg(at.x()).arg(at.y());
    }
    if (random_.chance(60)) QTest::mouseClick(palette, Qt::LeftButton, {}, at);
    return QStringLiteral("palette at %1,%2").arg(at.x()).arg(at.y());
}

QString Monkey::turnWheel(QWidget* target)
{
    if (!target) return QStringLiteral("wheel: nothing");
    constexpr int deltas[] = {120, -120, 60, -60, 240, -240, 15};
    const int delta = random_.pick(std::span<const int>(deltas));
    const QPointF at = anywhere(target);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    return QStringLiteral("wheel %1 over %2").arg(delta).arg(nameOf(target));
}

QString Monkey::answerPopup()
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) {
        QApplication::activePopupWidget()->close();
        return QStringLiteral("popup closed");
    }
    std::vector<QAction*> actions;
    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->isEnabled()) actions.push_back(action);
    QAction* chosen = random_.chance(80) ? pickFrom(random_, actions) : nullptr;
    menu->close();
    if (!chosen) return QStringLiteral("menu %1 closed").arg(nameOf(menu));
    chosen->trigger();
    return QStringLiteral("menu %1: %2").arg(nameOf(menu), chosen->objectName());
}

void Monkey::openAsFile(const Bitmap& picture)
{
    // The state a successful open leaves, without a file behind it.
    form_.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
    form_.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(picture));
    form_.document().working() = *form_.Image1->Picture().bitmapIfAny();
    form_.document().initial() = form_.document().working();
    form_.document().refreshStatusLine();
}

QString Monkey::newPicture()
{
    const Bitmap picture = randomBitmap(random_, maxSide_);
    switch (random_.below(3)) {
    case 0:
        openAsFile(picture);
        return QStringLiteral("picture %1 as opened").arg(describe(picture));
    case 1:
        services_.fakes.clipboard.held = picture;
        return QStringLiteral("clipboard holds %1").arg(describe(picture));
    default:
        // At most two scans wait, so that unused ones do not pile up.
        if (scansQueued_ - int(services_.fakes.scanner.acquiredFrom.size()) >= 2) return QStringLiteral("scanner busy");
        services_.fakes.scanner.answerScan(picture);
        ++scansQueued_;
        return QStringLiteral("scanner delivers %1 next").arg(describe(picture));
    }
}

void Monkey::feedScanner()
{
    test::ScriptedScanner& scanner = services_.fakes.scanner;
    scanner.installed = random_.chance(90);
    if (scanner.chosenSources.empty()) {
        if (random_.chance(80)) scanner.chosenSources.push_back(scanner.sourceList.front().name);
        else scanner.chosenSources.push_back(std::nullopt);
    }
    // Keep one answer ready: a scan of random size, or a cancelled one.
    const int used = int(scanner.acquiredFrom.size());
    if (scansQueued_ - used < 1) {
        if (random_.chance(80)) scanner.answerScan(randomBitmap(random_, std::min(maxSide_, 640)));
        else scanner.cancelScan();
        ++scansQueued_;
    }
    // What the stand-ins record is dropped, so that they hold no pictures over the run.
    services_.fakes.printing.printed.clear();
    services_.fakes.printing.previewed.clear();
    services_.fakes.desktop.wallpapers.clear();
    services_.fakes.desktop.copies.clear();
    services_.fakes.desktop.urls.clear();
    services_.fakes.desktop.helpFiles.clear();
}

QString Monkey::settleSmall()
{
    services_.dialogs.refuseAll = true;
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    form_.runCommand("Annulerleseffets2");
    Bitmap one(1, 1, pf24bit);
    openAsFile(one);
    // Each operation page opened on the small picture drops its copy of the last one.
    for (const MenuDefinition& menu : mainMenus())
        if (std::string_view(menu.name) == "Slection1") // Opérations
            for (const CommandItem& item : menu.items)
                if (item.name) form_.runCommand(item.name);
    form_.Notebook1->setCurrentIndex(0);
    services_.fakes.clipboard.held.reset();
    services_.dialogs.refuseAll = false;
    QApplication::processEvents();
    return QStringLiteral("settle on a 1 x 1 picture");
}

} // namespace kel::soak
