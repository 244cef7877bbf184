#pragma once
// The windows of a run, created in their fixed order after the main window.
#include <QDialog>

#include <vector>

namespace kel {

class TProgramForm;

// Creates the shortcut list, the system information window, the links
// window, the zoom window, the about window and the print page, all owned
// by the main window and hidden. Answers them in that order.
std::vector<QDialog*> createAuxiliaryWindows(TProgramForm& mainWindow);

} // namespace kel
