#include "app/startup.h"

#include "app/program_form.h"
#include "windows/auxiliary_forms.h"
#include "windows/view_form.h"

namespace kel {

std::vector<QDialog*> createAuxiliaryWindows(TProgramForm& mainWindow)
{
    std::vector<QDialog*> windows;
    windows.push_back(new TCommandForm(&mainWindow));
    windows.push_back(new TConfigureForm(&mainWindow));
    windows.push_back(new TInternetForm(&mainWindow));
    windows.push_back(&mainWindow.ViewForm());
    windows.push_back(new TProposForm(&mainWindow));
    windows.push_back(new TQuickReportImage(&mainWindow));
    for (QDialog* window : windows) window->hide();
    return windows;
}

} // namespace kel
