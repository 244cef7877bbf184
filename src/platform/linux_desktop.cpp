#include "platform/linux_desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace kel {

namespace {

// Wallpaper settings of the desktops configured through gsettings.
struct GsettingsDesktop {
    const char* name;          // as XDG_CURRENT_DESKTOP spells it, compared without case
    const char* schema;
    const char* pictureKey;
    bool uri;                  // the key takes a file:// address rather than a path
    const char* darkPictureKey; // or nullptr
};

constexpr GsettingsDesktop kGsettingsDesktops[] = {
    {"GNOME", "org.gnome.desktop.background", "picture-uri", true, "picture-uri-dark"},
    {"Unity", "org.gnome.desktop.background", "picture-uri", true, "picture-uri-dark"},
    {"Budgie", "org.gnome.desktop.background", "picture-uri", true, "picture-uri-dark"},
    {"X-Cinnamon", "org.cinnamon.desktop.background", "picture-uri", true, nullptr},
    {"Cinnamon", "org.cinnamon.desktop.background", "picture-uri", true, nullptr},
    {"MATE", "org.mate.background", "picture-filename", false, nullptr},
};

// A text as gsettings reads a string value: quoted, so that nothing in it is taken for another type.
QString gvariantString(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + quoted + u'\'';
}

} // namespace

ProcessOutcome runProcess(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments, QIODevice::ReadOnly);
    ProcessOutcome outcome;
    if (!process.waitForStarted(5000)) return outcome;
    outcome.started = true;
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(1000);
        return outcome;
    }
    outcome.output = process.readAllStandardOutput();
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return outcome;
}

LinuxDesktop::LinuxDesktop(ProcessRunner runner, QString currentDesktop, WallpaperPortal portal)
    : runner_(std::move(runner)), desktopNames_(currentDesktop.split(u':', Qt::SkipEmptyParts)),
      portal_(std::move(portal))
{
}

bool LinuxDesktop::run(const QString& program, const QStringList& arguments, QByteArray* output)
{
    const ProcessOutcome outcome = runner_(program, arguments);
    if (output) *output = outcome.output;
    return outcome.started && outcome.exitCode == 0;
}

bool LinuxDesktop::isDesktop(const char* name) const
{
    return desktopNames_.contains(QLatin1String(name), Qt::CaseInsensitive);
}

WallpaperResult LinuxDesktop::failed(const QString& program) const
{
    return {false, QStringLiteral("Le papier peint n' a pas pu être installé : %1 a échoué.").arg(program)};
}

WallpaperResult LinuxDesktop::setWallpaper(const QString& pictureFile, bool tiled)
{
    const QString path = QFileInfo(pictureFile).absoluteFilePath();
    // The portal knows no tiling: a tiled wallpaper goes straight to the desktop's tools.
    if (portal_ && !tiled) {
        if (const std::optional<PortalAnswer> answer = portal_(path))
            return {*answer == PortalAnswer::Applied, {}}; // a refusal is the user's own: no error box
    }
    const QString gsettings = QStringLiteral("gsettings");
    for (const GsettingsDesktop& desktop : kGsettingsDesktops) {
        if (!isDesktop(desktop.name)) continue;
        const QString schema = QLatin1String(desktop.schema);
        const QString value =
            gvariantString(desktop.uri ? QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) : path);
        if (!run(gsettings, {QStringLiteral("set"), schema, QLatin1String(desktop.pictureKey), value}))
            return failed(gsettings);
        // Older schemas have no dark variant: its failure changes nothing.
        if (desktop.darkPictureKey)
            run(gsettings, {QStringLiteral("set"), schema, QLatin1String(desktop.darkPictureKey), value});
        run(gsettings, {QStringLiteral("set"), schema, QStringLiteral("picture-options"),
                        tiled ? QStringLiteral("'wallpaper'") : QStringLiteral("'centered'")});
        return {true, {}};
    }
    if (isDesktop("KDE")) {
        const QString tool = QStringLiteral("plasma-apply-wallpaperimage");
        if (!run(tool, {path})) return failed(tool);
        return {true, {}};
    }
    if (isDesktop("XFCE")) return setXfceWallpaper(path, tiled);
    // No desktop we know of: a plain window manager may still honour feh.
    const ProcessOutcome feh = runner_(QStringLiteral("feh"),
                                       {tiled ? QStringLiteral("--bg-tile") : QStringLiteral("--bg-center"), path});
    if (feh.started && feh.exitCode == 0) return {true, {}};
    if (feh.started) return failed(QStringLiteral("feh"));
    return {false, QStringLiteral("Le bureau de cette session n' est pas reconnu : "
                                  "le papier peint n' a pas été installé.")};
}

WallpaperResult LinuxDesktop::setXfceWallpaper(const QString& path, bool tiled)
{
    const QString tool = QStringLiteral("xfconf-query");
    const QString channel = QStringLiteral("xfce4-desktop");
    QByteArray listing;
    if (!run(tool, {QStringLiteral("-c"), channel, QStringLiteral("-l")}, &listing)) return failed(tool);
    // Every monitor and workspace has its own last-image property.
    const QString suffix = QStringLiteral("/last-image");
    bool any = false;
    for (const QByteArray& line : listing.split('\n')) {
        const QString property = QString::fromUtf8(line).trimmed();
        if (!property.endsWith(suffix)) continue;
        if (!run(tool, {QStringLiteral("-c"), channel, QStringLiteral("-p"), property, QStringLiteral("-s"), path}))
            return failed(tool);
        const QString style = property.left(property.size() - suffix.size()) + QStringLiteral("/image-style");
        // 2 is tiled, 1 centred.
        run(tool, {QStringLiteral("-c"), channel, QStringLiteral("-p"), style, QStringLiteral("-n"),
                   QStringLiteral("-t"), QStringLiteral("int"), QStringLiteral("-s"),
                   tiled ? QStringLiteral("2") : QStringLiteral("1")});
        any = true;
    }
    if (!any) return failed(tool);
    return {true, {}};
}

bool LinuxDesktop::openUrl(const QUrl& url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

QString findHelpFile(const QString& fileName, const QString& programFolder)
{
    const QDir folder(programFolder);
    for (const QString& candidate :
         {folder.filePath(fileName), folder.filePath(QStringLiteral("../share/kelvary/") + fileName)}) {
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

bool LinuxDesktop::openHelp(const QString& fileName)
{
    const QString path = findHelpFile(fileName, QCoreApplication::applicationDirPath());
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool LinuxDesktop::copyFileInto(const QString& file, const QString& folder)
{
    return copyFileIntoFolder(file, folder);
}

bool copyFileIntoFolder(const QString& file, const QString& folder)
{
    const QFileInfo source(file);
    if (!source.isFile() || !QFileInfo(folder).isDir()) return false;
    const QString target = QDir(folder).filePath(source.fileName());
    // Copying a file onto itself (same device and inode, whatever the path) would empty it.
    struct stat from {}, to {};
    if (::stat(QFile::encodeName(file).constData(), &from) != 0) return false;
    if (::stat(QFile::encodeName(target).constData(), &to) == 0 && from.st_dev == to.st_dev &&
        from.st_ino == to.st_ino)
        return false;

    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return false;
    // Written beside the target and renamed over it only when complete.
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) return false;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0) {
            out.cancelWriting();
            return false;
        }
        if (got == 0) break;
        if (out.write(buffer.constData(), got) != got) {
            out.cancelWriting();
            return false;
        }
    }
    // Commit would go on after a failed sync: the copy must be on the disk first.
    if (!out.flush() || ::fdatasync(out.handle()) != 0) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace kel
