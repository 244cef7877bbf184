#pragma once
// The main window.
#include <QMainWindow>

namespace kel {

class Dialogs;

class TProgramForm final : public QMainWindow {
    Q_OBJECT
public:
    explicit TProgramForm(Dialogs& dialogs, QWidget* parent = nullptr);

private:
    Dialogs& dialogs_;
};

} // namespace kel
