#pragma once
// Acquiring pictures from scanners and cameras.
#include "graphics/bitmap.h"

#include <QString>

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

// Told the share done (0..100, or -1 when the length is unknown) after each
// block read, so that it can keep a window alive; false cancels the scan.
using ScanProgress = std::function<bool(int percent)>;

class Scanner {
public:
    virtual ~Scanner() = default;

    // Whether the scanner library could be loaded; loads it on first use.
    virtual bool available() = 0;
    // The sources found now (empty when the library is missing).
    virtual std::vector<ScanSource> sources() = 0;
    // Scans one picture from the source with its current settings; nothing
    // when cancelled or when the source delivered no picture. Throws Error
    // for failures of the source or data that cannot make a bitmap.
    virtual std::optional<Bitmap> acquire(const QString& source, const ScanProgress& progress) = 0;
};

} // namespace kel
