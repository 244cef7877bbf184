#pragma once
// The source's own dialog: its settings (source, mode, resolution, scan
// area) as the source describes them, a "Numériser" button, and a progress
// bar while the scan runs. The window stays alive during the scan, and
// Annuler (or closing) stops it.
#include "platform/scanner.h"

#include <QDialog>

#include <optional>
#include <utility>
#include <vector>

class QFormLayout;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kel {

class ScanDialog final : public QDialog {
public:
    ScanDialog(Scanner& scanner, QString source, QWidget* parent = nullptr);

    // Scans with the settings shown; the dialog is accepted when a picture came.
    void scan();
    bool scanning() const { return scanning_; }
    // The picture scanned, once.
    std::optional<Bitmap> takePicture() { return std::exchange(picture_, std::nullopt); }

    QPushButton* scanButton() const { return scanButton_; }
    QProgressBar* progressBar() const { return progress_; }
    // What the dialog says about the last scan: cancelled, nothing delivered, or the failure.
    QString statusText() const;

    // During a scan only the scan stops; the dialog stays.
    void reject() override;

private:
    void buildControls();
    void showValues(const std::vector<ScanOption>& options);
    void change(const QString& name, const QString& value);
    bool reportProgress(int percent);

    Scanner& scanner_;
    QString source_;
    std::vector<QString> shownNames_; // the settings the controls stand for
    QWidget* controls_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* scanButton_ = nullptr;
    bool scanning_ = false;
    bool cancelRequested_ = false;
    std::optional<Bitmap> picture_;
};

// The French caption of a source's setting or of one of its values; unknown
// ones as the source gives them.
QString frenchScanText(const QString& text);

// Shows the dialog modally: the picture scanned, nothing when it was closed without one.
std::optional<Bitmap> runScanDialog(Scanner& scanner, const QString& source, QWidget* parent);

} // namespace kel
