#pragma once
// Acquiring pictures from scanners and cameras.
#include "graphics/bitmap.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace kel {

struct ScanSource {
    QString name;  // what acquire() takes
    QString vendor;
    QString model;
    QString type;  // "flatbed scanner", "virtual device" ...
};

// One setting of a source that the scan dialog offers, as the source describes it.
struct ScanOption {
    QString name;        // the source's own name: "mode", "source", "resolution", "tl-x" ...
    QStringList choices; // the values to choose from; empty for a range
    double minimum = 0;  // the range, when there is no list
    double maximum = 0;
    double step = 0;     // 0: any value in the range
    QString unit;        // "dpi", "mm" or empty
    QString value;       // the current value, as text
};

// Told the share done (0..100, or -1 when the length is unknown) after each
// block read and while waiting for the source, so that it can keep a window
// alive; false cancels the scan.
using ScanProgress = std::function<bool(int percent)>;

class Scanner {
public:
    virtual ~Scanner() = default;

    // Whether the scanner library could be loaded; loads it on first use.
    virtual bool available() = 0;
    // The sources found now (empty when the library is missing).
    virtual std::vector<ScanSource> sources() = 0;
    // The selection dialog over the sources found; nothing when the user cancels.
    virtual std::optional<QString> selectSource() = 0;
    // Opens the source (it then stays open) and shows its own modal dialog,
    // where the user sets it up and scans; the first picture it delivers, or
    // nothing when the dialog is closed without one.
    virtual std::optional<Bitmap> acquireWithDialog(const QString& source) = 0;

    // The settings the scan dialog offers, as the source has them now.
    virtual std::vector<ScanOption> options(const QString& source) = 0;
    // Changes one of them; the source may round the value. Throws Error when it refuses.
    virtual void setOption(const QString& source, const QString& name, const QString& value) = 0;
    // Scans one picture from the source with its current settings; nothing
    // when cancelled or when the source delivered no picture. Throws Error
    // for failures of the source or data that cannot make a bitmap.
    virtual std::optional<Bitmap> acquire(const QString& source, const ScanProgress& progress) = 0;
};

} // namespace kel
