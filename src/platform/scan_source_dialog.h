#pragma once
// The source-selection dialog: the scanners and cameras found, one to choose.
#include "platform/scanner.h"

#include <QDialog>

#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace kel {

class ScanSourceDialog final : public QDialog {
public:
    explicit ScanSourceDialog(std::vector<ScanSource> sources, QWidget* parent = nullptr);

    // The highlighted source's name; nothing when the list is empty.
    std::optional<QString> chosen() const;
    QListWidget* list() const { return list_; }
    QPushButton* selectButton() const { return select_; }

private:
    std::vector<ScanSource> sources_;
    QListWidget* list_ = nullptr;
    QPushButton* select_ = nullptr;
};

// How a source reads in the list: its model, its maker and its kind in French.
QString sourceCaption(const ScanSource& source);

// Shows the dialog modally: the chosen source, nothing when the user cancels.
std::optional<QString> chooseScanSource(const std::vector<ScanSource>& sources, QWidget* parent);

} // namespace kel
