#pragma once
// The windows of a run, created in their fixed order after the main window.
#include <QDialog>

#include <vector>

namespace kel {

struct Services;

// Creates the shortcut list, the system information window, the links
// window, the about window and the print page, owned by the main window, and
// places its zoom window among them; all hidden. Answers them in that order.
// The system window reads its facts and the links open through `services`.
std::vector<QDialog*> createAuxiliaryWindows(QWidget& mainWindow, QDialog& zoomWindow, Services& services);

} // namespace kel
