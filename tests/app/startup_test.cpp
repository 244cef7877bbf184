#include "app/program_form.h"
#include "app/startup.h"
#include "windows/view_form.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"

#include <QContextMenuEvent>
#include <QCoreApplication>

#include <gtest/gtest.h>

namespace kel {
namespace {

TEST(Startup, CreatesTheAuxiliaryWindowsHiddenInTheirOrder)
{
    test::FakeServices fakes;
    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form(fakes.services());
    const std::vector<QDialog*> windows = createAuxiliaryWindows(form, form.ViewForm(), fakes.services());

    ASSERT_EQ(windows.size(), 6u);
    const QStringList captions = {QStringLiteral(" Commandes"), QStringLiteral(" Windows"), QStringLiteral(" Internet"),
                                  QStringLiteral(" Zooms"), QStringLiteral(" A propos"), QString()};
    for (std::size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(windows[i]->windowTitle(), captions[int(i)]) << i;
        EXPECT_FALSE(windows[i]->isVisible()) << i;
        EXPECT_EQ(windows[i]->parent(), &form) << i;
    }
    EXPECT_EQ(windows[3], static_cast<QDialog*>(&form.ViewForm())); // the zoom window is the one the commands use
}

TEST(Startup, AnAuxiliaryWindowClosesOnARightClick)
{
    test::FakeServices fakes;
    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form(fakes.services());
    QDialog* about = createAuxiliaryWindows(form, form.ViewForm(), fakes.services())[4];
    about->show();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5));
    QCoreApplication::sendEvent(about, &click);
    EXPECT_FALSE(about->isVisible());
}

} // namespace
} // namespace kel
