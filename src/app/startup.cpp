#include "app/startup.h"

#include "platform/services.h"
#include "windows/command_form.h"
#include "windows/configure_form.h"
#include "windows/internet_form.h"
#include "windows/propos_form.h"

namespace kel {

std::vector<QDialog*> createAuxiliaryWindows(QWidget& mainWindow, QDialog& zoomWindow, Services& services)
{
    std::vector<QDialog*> windows;
    windows.push_back(new TCommandForm(&mainWindow));
    windows.push_back(new TConfigureForm(&mainWindow, services.system));
    windows.push_back(new TInternetForm(&mainWindow, services.desktop));
    windows.push_back(&zoomWindow);
    windows.push_back(new TProposForm(&mainWindow, services.desktop));
    windows.push_back(new TQuickReportImage(&mainWindow));
    for (QDialog* window : windows) window->hide();
    return windows;
}

} // namespace kel
