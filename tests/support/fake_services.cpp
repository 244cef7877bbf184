#include "support/fake_services.h"

#include "platform/linux_desktop.h"
#include "platform/qt_printing.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace kel::test {

namespace {

Bitmap copyOf(const Graphic& picture)
{
    Bitmap bitmap;
    bitmap.assign(picture);
    return bitmap;
}

} // namespace

void RecordingClipboard::putPicture(const Graphic& picture)
{
    ++puts;
    held = copyOf(picture);
}

std::optional<Bitmap> RecordingClipboard::picture() const { return held; }

WallpaperResult RecordingDesktop::setWallpaper(const QString& pictureFile, bool tiled)
{
    wallpapers.push_back({pictureFile, tiled});
    return wallpaperResult;
}

bool RecordingDesktop::openUrl(const QUrl& url)
{
    urls.push_back(url);
    return opens;
}

bool RecordingDesktop::openHelp(const QString& fileName)
{
    helpFiles.push_back(fileName);
    return opens;
}

bool RecordingDesktop::copyFileInto(const QString& file, const QString& folder)
{
    copies.push_back({file, folder});
    return !failCopies && copyFileIntoFolder(file, folder);
}

RecordingPrinting::RecordingPrinting() = default;
RecordingPrinting::~RecordingPrinting() = default;

QPrinter& RecordingPrinting::printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
        setPrintPageDefaults(*printer_);
    }
    return *printer_;
}

bool RecordingPrinting::printPicture(const Graphic& picture)
{
    printed.push_back(copyOf(picture));
    if (!pdfFile.isEmpty()) {
        QPrinter& target = printer();
        target.setOutputFormat(QPrinter::PdfFormat);
        target.setOutputFileName(pdfFile);
        drawPicturePage(target, picture);
    }
    return printResult;
}

void RecordingPrinting::previewPicture(const Graphic& picture) { previewed.push_back(copyOf(picture)); }

bool ScriptedScanner::available() { return installed; }

std::vector<ScanSource> ScriptedScanner::sources() { return installed ? sourceList : std::vector<ScanSource>{}; }

std::optional<QString> ScriptedScanner::selectSource()
{
    if (chosenSources.empty()) {
        ADD_FAILURE() << "unexpected source selection";
        return std::nullopt;
    }
    const QString chosen = chosenSources.front().value_or(QString());
    chosenSources.pop_front();
    return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
}

std::optional<Bitmap> ScriptedScanner::acquireWithDialog(const QString& source) { return acquire(source, {}); }

std::optional<Bitmap> ScriptedScanner::acquire(const QString& source, const ScanProgress& progress)
{
    acquiredFrom.push_back(source);
    if (scans_.empty()) {
        ADD_FAILURE() << "unexpected scan from " << source.toStdString();
        return std::nullopt;
    }
    std::optional<Bitmap> scan = std::move(scans_.front());
    scans_.pop_front();
    if (scan && progress && !progress(100)) return std::nullopt;
    return scan;
}

DiskSpace FixedSystemFacts::diskSpace(const QString& folder)
{
    diskFolders.push_back(folder);
    return disk;
}

} // namespace kel::test
