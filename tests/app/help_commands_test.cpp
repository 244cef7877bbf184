// The Aide menu through the main window: the help page in the browser, the
// page's index of every command, and the four windows shown modally centred
// on the main window and closed by a right click.
#include "app/command_table.h"
#include "app/commands/help_commands.h"
#include "app/program_form.h"
#include "app/startup.h"
#include "platform/linux_desktop.h"
#include "support/fake_services.h"
#include "windows/view_form.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

namespace kel {
namespace {

TEST(HelpCommands, IndexAndToolbarButtonOpenTheHelpPage)
{
    test::FakeServices fakes;
    TProgramForm form(fakes.services());
    form.runCommand("Index1");
    form.runCommand("Image18");
    EXPECT_EQ(fakes.desktop.helpFiles, QStringList(2, QStringLiteral("Kelvary.html")));
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty());

    // Nothing could open it: the user is told instead of nothing happening.
    fakes.desktop.opens = false;
    form.runCommand("Index1");
    EXPECT_EQ(fakes.dialogs.errors.size(), 1);

    // F1 stays the anti-aliasing effect.
    EXPECT_EQ(form.menuItem(QStringLiteral("Effetantialiasing1"))->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(form.menuItem(QStringLiteral("Index1"))->shortcut().isEmpty());
}

TEST(HelpCommands, TheHelpPageListsEveryCommandWithItsShortcut)
{
    EXPECT_FALSE(findHelpFile(QString::fromLatin1(commands::kHelpFile), QStringLiteral(KELVARY_PROGRAM_FOLDER)).isEmpty());
    QFile page(QStringLiteral(KELVARY_HELP_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    QSet<QString> rows; // "caption|shortcut"
    const QRegularExpression row(QStringLiteral("<tr><td class=\"commande\">([^<]*)</td><td class=\"raccourci\">([^<]*)</td>"));
    for (auto match = row.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        rows.insert(found.captured(1) + u'|' + found.captured(2));
    }
    const auto check = [&](const CommandItem& item) {
        if (!item.name) return;
        const QString shortcut = QString::fromLatin1(item.shortcut ? item.shortcut : "").replace(QStringLiteral("Shift"), QStringLiteral("Maj"));
        const QString entry = QString::fromUtf8(item.caption).trimmed() + u'|' + shortcut;
        EXPECT_TRUE(rows.contains(entry)) << entry.toStdString();
    };
    for (const MenuDefinition& menu : mainMenus())
        for (const CommandItem& item : menu.items) check(item);
    for (const CommandItem& item : imageContextMenu()) check(item);
}

TEST(HelpCommands, EachWindowShowsModallyCentredAndClosesOnARightClick)
{
    test::FakeServices fakes;
    TProgramForm form(fakes.services());
    createAuxiliaryWindows(form, form.ViewForm(), fakes.services());
    form.show();
    const std::pair<const char*, const char*> commands[] = {
        {"Commandes1", " Commandes"}, {"Windows1", " Windows"}, {"Internet1", " Internet"},
        {"Apropos1", " A propos"},    {"MenuItem11", " A propos"},
    };
    for (const auto& [command, caption] : commands) {
        SCOPED_TRACE(command);
        QString shownTitle;
        QPoint shownCentre;
        bool modal = false;
        QTimer::singleShot(0, &form, [&] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window) return;
            shownTitle = window->windowTitle();
            shownCentre = window->frameGeometry().center();
            modal = window->isModal() && window->isVisible();
            QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(300, 200));
            QApplication::sendEvent(window, &rightClick);
        });
        form.runCommand(command); // returns once the window is closed
        EXPECT_EQ(shownTitle, QString::fromLatin1(caption));
        EXPECT_TRUE(modal);
        EXPECT_EQ(shownCentre, form.frameGeometry().center());
    }
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty());
}

} // namespace
} // namespace kel
