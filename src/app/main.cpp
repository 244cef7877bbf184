#include "app/application.h"
#include "app/document/picture_preview.h"
#include "app/program_form.h"
#include "app/startup.h"
#include "platform/qt_services.h"
#include "windows/view_form.h"

#include <QScreen>

int main(int argc, char** argv)
{
    kel::KelvaryApplication application(argc, argv);
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
    const int result = application.exec();
    application.setDialogs(nullptr);
    return result;
}
