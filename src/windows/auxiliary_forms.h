#pragma once
// The auxiliary windows that start-up creates after the main window. They
// live for the whole run, hidden until their command shows them modally,
// and close on any right click.
#include <QDialog>

namespace kel {

class TAuxiliaryForm : public QDialog {
    Q_OBJECT
public:
    TAuxiliaryForm(const char* name, const QString& caption, QWidget* parent);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// The keyboard shortcut list.
class TCommandForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    explicit TCommandForm(QWidget* parent) : TAuxiliaryForm("CommandForm", QStringLiteral(" Commandes"), parent) {}
};

// Facts about the machine.
class TConfigureForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    explicit TConfigureForm(QWidget* parent) : TAuxiliaryForm("ConfigureForm", QStringLiteral(" Windows"), parent) {}
};

// Web links.
class TInternetForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    explicit TInternetForm(QWidget* parent) : TAuxiliaryForm("InternetForm", QStringLiteral(" Internet"), parent) {}
};

// The author's details.
class TProposForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    explicit TProposForm(QWidget* parent) : TAuxiliaryForm("ProposForm", QStringLiteral(" A propos"), parent) {}
};

// The A4 print page; it has no caption of its own.
class TQuickReportImage final : public TAuxiliaryForm {
    Q_OBJECT
public:
    explicit TQuickReportImage(QWidget* parent) : TAuxiliaryForm("QuickReportImage", QString(), parent) {}
};

} // namespace kel
