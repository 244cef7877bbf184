#pragma once
// What the auxiliary windows that start-up creates after the main window
// share: they live for the whole run, hidden until their command shows them
// modally, and close on any right click. Each window has its own file.
#include <QDialog>

namespace kel {

class TAuxiliaryForm : public QDialog {
    Q_OBJECT
public:
    TAuxiliaryForm(const char* name, const QString& caption, QWidget* parent);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// The A4 print page; it has no caption of its own.
class TQuickReportImage final : public TAuxiliaryForm {
    Q_OBJECT
public:
    explicit TQuickReportImage(QWidget* parent) : TAuxiliaryForm("QuickReportImage", QString(), parent) {}
};

} // namespace kel
