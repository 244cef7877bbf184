#include "platform/linux_desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kel;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Records every program the desktop runs; programs not in `missing` start and exit with `exitCode`.
struct RecordingRunner {
    QStringList calls; // "program arg arg ..."
    QStringList missing;
    int exitCode = 0;
    QByteArray output;

    ProcessRunner runner()
    {
        return [this](const QString& program, const QStringList& arguments) {
            calls.push_back((QStringList{program} + arguments).join(u' '));
            if (missing.contains(program)) return ProcessOutcome{};
            return ProcessOutcome{true, exitCode, output};
        };
    }
};

} // namespace

TEST(Wallpaper, EachDesktopIsToldThroughItsOwnTool)
{
    const QString file = QStringLiteral("/images/été photo.bmp");
    const QString uri = QStringLiteral("'file:///images/%C3%A9t%C3%A9%20photo.bmp'");
    const QString path = QStringLiteral("'/images/été photo.bmp'");
    struct Case {
        const char* desktop;
        bool tiled;
        QStringList expected;
    };
    const Case cases[] = {
        {"ubuntu:GNOME", false,
         {"gsettings set org.gnome.desktop.background picture-uri " + uri,
          "gsettings set org.gnome.desktop.background picture-uri-dark " + uri,
          "gsettings set org.gnome.desktop.background picture-options 'centered'"}},
        {"X-Cinnamon", false,
         {"gsettings set org.cinnamon.desktop.background picture-uri " + uri,
          "gsettings set org.cinnamon.desktop.background picture-options 'centered'"}},
        {"MATE", true,
         {"gsettings set org.mate.background picture-filename " + path,
          "gsettings set org.mate.background picture-options 'wallpaper'"}},
        {"KDE", false, {"plasma-apply-wallpaperimage " + file}},
        {"i3", true, {"feh --bg-tile " + file}},
        {"", false, {"feh --bg-center " + file}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        RecordingRunner runner;
        LinuxDesktop desktop(runner.runner(), QString::fromUtf8(c.desktop));
        const WallpaperResult result = desktop.setWallpaper(file, c.tiled);
        EXPECT_TRUE(result.applied) << result.problem.toStdString();
        EXPECT_EQ(runner.calls, c.expected);
    }
}

TEST(Wallpaper, XfceSetsEveryWorkspacesImage)
{
    RecordingRunner runner;
    runner.output = "/backdrop/screen0/monitor0/workspace0/last-image\n"
                    "/backdrop/screen0/monitor0/workspace0/image-style\n"
                    "/backdrop/screen0/monitorHDMI/workspace1/last-image\n";
    LinuxDesktop desktop(runner.runner(), QStringLiteral("XFCE"));
    EXPECT_TRUE(desktop.setWallpaper(QStringLiteral("/p/w.bmp"), false).applied);
    const QString set = QStringLiteral("xfconf-query -c xfce4-desktop -p ");
    EXPECT_EQ(runner.calls, (QStringList{
                                QStringLiteral("xfconf-query -c xfce4-desktop -l"),
                                set + "/backdrop/screen0/monitor0/workspace0/last-image -s /p/w.bmp",
                                set + "/backdrop/screen0/monitor0/workspace0/image-style -n -t int -s 1",
                                set + "/backdrop/screen0/monitorHDMI/workspace1/last-image -s /p/w.bmp",
                                set + "/backdrop/screen0/monitorHDMI/workspace1/image-style -n -t int -s 1",
                            }));
}

TEST(Wallpaper, FailuresAreReportedNotHidden)
{
    RecordingRunner unknown; // no desktop known and no feh
    unknown.missing = {QStringLiteral("feh")};
    const WallpaperResult none = LinuxDesktop(unknown.runner(), QStringLiteral("sway")).setWallpaper("/a.bmp", false);
    EXPECT_FALSE(none.applied);
    EXPECT_TRUE(none.problem.contains(QStringLiteral("pas reconnu")));

    RecordingRunner refusing;
    refusing.exitCode = 1;
    const WallpaperResult refused = LinuxDesktop(refusing.runner(), QStringLiteral("GNOME")).setWallpaper("/a.bmp", false);
    EXPECT_FALSE(refused.applied);
    EXPECT_TRUE(refused.problem.contains(QStringLiteral("gsettings")));
    EXPECT_EQ(refusing.calls.size(), 1); // nothing more once the picture was refused
}

// The real gsettings, on a settings file of the test's own.
TEST(Wallpaper, GnomeSettingsReadBackThePicture)
{
    const ProcessOutcome schemas = runProcess(QStringLiteral("gsettings"), {QStringLiteral("list-schemas")});
    if (!schemas.started || !schemas.output.contains("org.gnome.desktop.background"))
        GTEST_SKIP() << "gsettings or the GNOME desktop schemas are not installed";
    QTemporaryDir config;
    const QByteArray oldBackend = qgetenv("GSETTINGS_BACKEND"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    LinuxDesktop desktop(runProcess, QStringLiteral("GNOME"));
    const QString picture = config.filePath(QStringLiteral("fond d'écran.bmp"));
    const WallpaperResult result = desktop.setWallpaper(picture, false);
    const auto get = [](const char* key) {
        return runProcess(QStringLiteral("gsettings"),
                          {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"), QLatin1String(key)})
            .output.trimmed();
    };
    const QByteArray uri = get("picture-uri"), options = get("picture-options");
    qputenv("GSETTINGS_BACKEND", oldBackend);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    EXPECT_TRUE(result.applied) << result.problem.toStdString();
    // Printed in single quotes, or double ones when the text holds an apostrophe.
    ASSERT_GE(uri.size(), 2);
    EXPECT_EQ(QString::fromUtf8(uri.mid(1, uri.size() - 2)), QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded));
    EXPECT_EQ(options, "'centered'");
}

TEST(FolderCopy, CopiesTheFileOnDiskReplacingAnOldCopy)
{
    QTemporaryDir from, to;
    const QString file = from.filePath(QStringLiteral("photo.jpg"));
    writeFile(file, QByteArray(3 << 20, 'x') + "end"); // more than one buffer
    writeFile(to.filePath(QStringLiteral("photo.jpg")), "old and longer than nothing");
    EXPECT_TRUE(copyFileIntoFolder(file, to.path()));
    EXPECT_EQ(readFile(to.filePath(QStringLiteral("photo.jpg"))), readFile(file));
    EXPECT_EQ(QDir(to.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("photo.jpg")});
}

TEST(FolderCopy, RefusesCopiesThatWouldLoseData)
{
    QTemporaryDir from, to;
    const QString file = from.filePath(QStringLiteral("photo.jpg"));
    writeFile(file, "picture bytes");

    // Onto itself, also through another spelling of the folder or a link to it.
    EXPECT_FALSE(copyFileIntoFolder(file, from.path()));
    EXPECT_FALSE(copyFileIntoFolder(file, from.path() + QStringLiteral("/./")));
    ASSERT_TRUE(QFile::link(from.path(), to.filePath(QStringLiteral("link"))));
    EXPECT_FALSE(copyFileIntoFolder(file, to.filePath(QStringLiteral("link"))));
    EXPECT_EQ(readFile(file), "picture bytes");

    EXPECT_FALSE(copyFileIntoFolder(from.filePath(QStringLiteral("missing.jpg")), to.path()));
    EXPECT_FALSE(copyFileIntoFolder(file, to.filePath(QStringLiteral("no-such-folder"))));

    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    QTemporaryDir locked;
    writeFile(locked.filePath(QStringLiteral("photo.jpg")), "old copy");
    QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(copyFileIntoFolder(file, locked.path()));
    QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readFile(locked.filePath(QStringLiteral("photo.jpg"))), "old copy");
}

TEST(HelpFile, FoundBesideTheProgramThenInTheShareFolder)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("bin"));
    QDir(root.path()).mkpath(QStringLiteral("share/kelvary"));
    const QString bin = root.filePath(QStringLiteral("bin"));
    EXPECT_EQ(findHelpFile(QStringLiteral("aide.html"), bin), QString());
    writeFile(root.filePath(QStringLiteral("share/kelvary/aide.html")), "<html/>");
    EXPECT_EQ(findHelpFile(QStringLiteral("aide.html"), bin),
              QFileInfo(root.filePath(QStringLiteral("share/kelvary/aide.html"))).canonicalFilePath());
    writeFile(root.filePath(QStringLiteral("bin/aide.html")), "<html/>");
    EXPECT_EQ(findHelpFile(QStringLiteral("aide.html"), bin),
              QFileInfo(root.filePath(QStringLiteral("bin/aide.html"))).canonicalFilePath());
}
