#include "app/application.h"
#include "app/command_line.h"
#include "app/document/picture_preview.h"
#include "app/program_form.h"
#include "app/startup.h"
#include "platform/qt_services.h"
#include "windows/view_form.h"

#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// Prints the help or the version when asked, before any window or display is needed.
bool answeredWithoutWindows(const kel::CommandLine& line)
{
    if (line.action != kel::CommandLine::Action::ShowHelp && line.action != kel::CommandLine::Action::ShowVersion)
        return false;
    std::fputs(line.message.toLocal8Bit().constData(), stdout);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i) rawArguments << QString::fromLocal8Bit(argv[i]);
    if (answeredWithoutWindows(kel::readCommandLine(rawArguments))) return 0;

    kel::KelvaryApplication application(argc, argv);
    // Qt has now taken its own options; what is left is the program's.
    const kel::CommandLine line = kel::readCommandLine(QCoreApplication::arguments());
    if (line.action == kel::CommandLine::Action::Refuse) {
        std::fputs(line.message.toLocal8Bit().constData(), stderr);
        return 1;
    }
    kel::QtServices services;
    kel::QtDialogs& dialogs = services.dialogs();
    application.setDialogs(&dialogs);
    dialogs.setPreviewLoader(kel::picturePreview);

    kel::TProgramForm mainWindow(services.services());
    dialogs.setMainWindow(&mainWindow);
    kel::createAuxiliaryWindows(mainWindow, mainWindow.ViewForm(), services.services());
    mainWindow.show();
    const QRect screen = mainWindow.screen()->availableGeometry();
    mainWindow.move(screen.center() - mainWindow.frameGeometry().center() + mainWindow.frameGeometry().topLeft());
    // Opened once the loop runs, so that an error box shows over the window.
    if (!line.fileToOpen.isEmpty())
        QTimer::singleShot(0, &mainWindow, [&mainWindow, &line] { mainWindow.openFile(line.fileToOpen); });
    const int result = application.exec();
    application.setDialogs(nullptr);
    return result;
}
