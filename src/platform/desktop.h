#pragma once
// What the program asks of the user's desktop: the wallpaper, the web
// browser, the help file, and copies of files into a folder.
#include <QString>
#include <QUrl>

namespace kel {

struct WallpaperResult {
    bool applied = false;
    QString problem; // French text for the error box when not applied; empty when the user declined
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Makes the picture file the desktop's wallpaper, tiled or centred.
    virtual WallpaperResult setWallpaper(const QString& pictureFile, bool tiled) = 0;
    // Opens an address in the user's web browser (or mail program); false when nothing could.
    virtual bool openUrl(const QUrl& url) = 0;
    // Opens the help file of that name, looked for beside the program and then
    // in the installed share folder, in the browser; false when not found.
    virtual bool openHelp(const QString& fileName) = 0;
    // Copies the file into the folder under its own name, replacing a file of
    // that name. True only once the copy is complete; copying a file onto
    // itself is refused and a failed copy leaves the old target as it was.
    virtual bool copyFileInto(const QString& file, const QString& folder) = 0;
};

} // namespace kel
