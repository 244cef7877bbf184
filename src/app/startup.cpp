#include "app/startup.h"

#include "windows/auxiliary_forms.h"

namespace kel {

std::vector<QDialog*> createAuxiliaryWindows(QWidget& mainWindow, QDialog& zoomWindow)
{
    std::vector<QDialog*> windows;
    windows.push_back(new TCommandForm(&mainWindow));
    windows.push_back(new TConfigureForm(&mainWindow));
    windows.push_back(new TInternetForm(&mainWindow));
    windows.push_back(&zoomWindow);
    windows.push_back(new TProposForm(&mainWindow));
    windows.push_back(new TQuickReportImage(&mainWindow));
    for (QDialog* window : windows) window->hide();
    return windows;
}

} // namespace kel
