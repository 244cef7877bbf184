#pragma once
// The desktop services on Linux: wallpaper through the running desktop's own
// settings tool, addresses and help through Qt's desktop services, and file
// copies through a temporary file renamed into place.
#include "platform/desktop.h"
#include "platform/wallpaper_portal.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>

namespace kel {

struct ProcessOutcome {
    bool started = false;
    int exitCode = -1;
    QByteArray output; // standard output
};
// Runs a program with its arguments (no shell) and waits for it.
using ProcessRunner = std::function<ProcessOutcome(const QString& program, const QStringList& arguments)>;
ProcessOutcome runProcess(const QString& program, const QStringList& arguments);
// Sets the wallpaper through the desktop portal; nothing when no portal could (setWallpaperThroughPortal).
using WallpaperPortal = std::function<std::optional<PortalAnswer>(const QString& pictureFile)>;

class LinuxDesktop final : public Desktop {
public:
    // `currentDesktop` is what XDG_CURRENT_DESKTOP says: names separated by colons.
    // A centred wallpaper is first offered to `portal` when there is one; the
    // desktop's own tools are used when it gives nothing.
    explicit LinuxDesktop(ProcessRunner runner = runProcess,
                          QString currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                          WallpaperPortal portal = nullptr);

    WallpaperResult setWallpaper(const QString& pictureFile, bool tiled) override;
    bool openUrl(const QUrl& url) override;
    bool openHelp(const QString& fileName) override;
    bool copyFileInto(const QString& file, const QString& folder) override;

private:
    bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr);
    WallpaperResult failed(const QString& program) const;
    bool isDesktop(const char* name) const;
    WallpaperResult setXfceWallpaper(const QString& pictureFile, bool tiled);

    ProcessRunner runner_;
    QStringList desktopNames_;
    WallpaperPortal portal_;
};

// Copies the file into the folder under its own name through a temporary
// file renamed over the target; refuses a copy of a file onto itself. True
// once the copy is complete and in place.
bool copyFileIntoFolder(const QString& file, const QString& folder);

// The help file of that name beside the program, else in the installed share
// folder (../share/kelvary from the program's folder); empty when in neither.
QString findHelpFile(const QString& fileName, const QString& programFolder);

} // namespace kel
