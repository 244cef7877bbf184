#pragma once
// Stand-ins for the platform services, for tests of the window and the
// commands: each records what it was asked and answers as the test set it.
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/printing.h"
#include "platform/scanner.h"
#include "platform/services.h"
#include "platform/system_facts.h"
#include "support/scripted_dialogs.h"

#include <deque>
#include <memory>

namespace kel::test {

// A clipboard of its own, apart from the system's.
class RecordingClipboard final : public Clipboard {
public:
    void putPicture(const Graphic& picture) override;
    std::optional<Bitmap> picture() const override;

    std::optional<Bitmap> held; // what the clipboard holds; tests may set it
    int puts = 0;
};

class RecordingDesktop final : public Desktop {
public:
    struct Wallpaper {
        QString file;
        bool tiled = false;
    };
    struct Copy {
        QString file;
        QString folder;
    };

    WallpaperResult setWallpaper(const QString& pictureFile, bool tiled) override;
    bool openUrl(const QUrl& url) override;
    bool openHelp(const QString& fileName) override;
    // Copies for real unless `failCopies` is set.
    bool copyFileInto(const QString& file, const QString& folder) override;

    std::vector<Wallpaper> wallpapers;
    WallpaperResult wallpaperResult{true, {}};
    std::vector<QUrl> urls;
    QStringList helpFiles;
    bool opens = true; // the answer of openUrl and openHelp
    std::vector<Copy> copies;
    bool failCopies = false;
};

class RecordingPrinting final : public Printing {
public:
    RecordingPrinting();
    ~RecordingPrinting() override;

    QPrinter& printer() override;
    // Records a copy of the picture; draws the page into `pdfFile` when set.
    bool printPicture(const Graphic& picture) override;
    void previewPicture(const Graphic& picture) override;

    std::vector<Bitmap> printed;
    std::vector<Bitmap> previewed;
    QString pdfFile;
    bool printResult = true;

private:
    std::unique_ptr<QPrinter> printer_;
};

// A scanner answering from a script of pictures.
class ScriptedScanner final : public Scanner {
public:
    bool available() override;
    std::vector<ScanSource> sources() override;
    // Answers from `chosenSources`, failing the test when it is empty.
    std::optional<QString> selectSource() override;
    // Takes the next scripted scan, as acquire() does.
    std::optional<Bitmap> acquireWithDialog(const QString& source) override;
    std::vector<ScanOption> options(const QString&) override { return {}; }
    void setOption(const QString&, const QString&, const QString&) override {}
    std::optional<Bitmap> acquire(const QString& source, const ScanProgress& progress) override;

    // Queues what the next scan gives: a picture, or nothing (cancelled).
    void answerScan(Bitmap picture) { scans_.push_back(std::move(picture)); }
    void cancelScan() { scans_.push_back(std::nullopt); }
    bool allScansUsed() const { return scans_.empty() && chosenSources.empty(); }

    bool installed = true;
    std::vector<ScanSource> sourceList{{QStringLiteral("test:0"), QStringLiteral("Kelvary"),
                                        QStringLiteral("Scanner de test"), QStringLiteral("virtual device")}};
    QStringList acquiredFrom;
    // What the selection dialog answers, in order: a source's name, or nothing (cancelled).
    std::deque<std::optional<QString>> chosenSources;

private:
    std::deque<std::optional<Bitmap>> scans_;
};

// Fixed facts a test can change; records the folders whose disk was asked.
class FixedSystemFacts final : public SystemFacts {
public:
    QString userName() override { return user; }
    QString computerName() override { return computer; }
    OsFacts operatingSystem() override { return os; }
    QString systemFolder() override { return systemDir; }
    QString libraryFolder() override { return libraryDir; }
    ScreenFacts screen() override { return screenFacts; }
    DiskSpace diskSpace(const QString& folder) override;
    MemoryStatus memory() override { return memoryStatus; }
    QString processorName() override { return processor; }
    bool hasMmx() override { return mmx; }
    double measureProcessorSpeedMHz(int) override { return speedMHz; }

    QString user = QStringLiteral("utilisateur");
    QString computer = QStringLiteral("poste");
    OsFacts os{QStringLiteral("Debian GNU/Linux 12 (bookworm)"), QStringLiteral("Linux"), 6, 1};
    QString systemDir = QStringLiteral("/etc");
    QString libraryDir = QStringLiteral("/usr/lib");
    ScreenFacts screenFacts{1920, 1080, 32};
    DiskSpace disk{std::int64_t(4) << 30, std::int64_t(16) << 30};
    MemoryStatus memoryStatus{std::uint64_t(1) << 30, std::uint64_t(512) << 20, std::uint64_t(1) << 47, 50};
    QString processor = QStringLiteral("Processeur de test");
    bool mmx = true;
    double speedMHz = 2992.56;
    QStringList diskFolders;
};

// Every service faked, for building a window in a test.
class FakeServices {
public:
    FakeServices() = default;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    Services& services() { return services_; }

    ScriptedDialogs dialogs;
    RecordingClipboard clipboard;
    RecordingDesktop desktop;
    RecordingPrinting printing;
    ScriptedScanner scanner;
    FixedSystemFacts system;

private:
    Services services_{dialogs, clipboard, desktop, printing, scanner, system};
};

} // namespace kel::test
