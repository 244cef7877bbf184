#pragma once
// Scanning through SANE, loaded by its library name when first needed, so
// that the program runs on machines without it.
#include "platform/scanner.h"

#include <map>
#include <memory>

namespace kel {

class SaneScanner final : public Scanner {
public:
    // Only a plain library name: the system's loader decides where it comes from.
    explicit SaneScanner(QString libraryName = QStringLiteral("libsane.so.1"));
    ~SaneScanner() override;
    SaneScanner(const SaneScanner&) = delete;
    SaneScanner& operator=(const SaneScanner&) = delete;

    bool available() override;
    std::vector<ScanSource> sources() override;
    std::optional<QString> selectSource() override;
    std::optional<Bitmap> acquireWithDialog(const QString& source) override;
    std::vector<ScanOption> options(const QString& source) override;
    void setOption(const QString& source, const QString& name, const QString& value) override;
    std::optional<Bitmap> acquire(const QString& source, const ScanProgress& progress) override;

private:
    struct Library;
    void* openSource(const QString& source);

    QString libraryName_;
    bool tried_ = false;
    std::unique_ptr<Library> library_;
    std::map<QString, void*> openSources_; // kept open for the run
};

} // namespace kel
