// The wallpaper and the folder copy through the main window: the files they
// write or copy, what they leave alone, and what they tell the user.
#include "app/commands/desktop_commands.h"
#include "app/program_form.h"
#include "codecs/codec.h"
#include "graphics/pixel_rows.h"
#include "platform/linux_desktop.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kel {
namespace {

using test::sameBitmap;

const QString kWallpaperQuestion =
    QStringLiteral("Voulez-vous installer cette image comme papier peint ?") + QString(10, u' ');

Bitmap sample(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 50 % 256, y * 70 % 256, (x + y) * 30 % 256));
    return bitmap;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every file of a folder with its bytes.
std::map<QString, QByteArray> folderContents(const QString& folder)
{
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) files[name] = contents(QDir(folder).filePath(name));
    return files;
}

class DesktopCommands : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString file(const QString& name) const { return QDir(folder.path()).filePath(name); }

    // The state an opened file leaves.
    void open(const Bitmap& picture, const QString& fileName)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().initial() = picture;
        form.document().setFileName(fileName);
    }
    Bitmap shown() { return *form.Image1->Picture().bitmapIfAny(); }

    QTemporaryDir folder;
    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

// ---------------------------------------------------------------- wallpaper

TEST_F(DesktopCommands, WallpaperIsWrittenBesideTheFileUnderAFreeName)
{
    struct Case {
        const char* current;                  // the opened file
        std::vector<const char*> existing;    // files already in the folder
        const char* expected;                 // where the wallpaper goes
    };
    const Case cases[] = {
        {"photo.jpg", {"photo.jpg"}, "photo.bmp"},
        {"photo", {"photo"}, "photo.bmp"},
        {"vacances.été.png", {"vacances.été.png"}, "vacances.été.bmp"},
        // The opened file itself is a BMP: it is never written over.
        {"photo.bmp", {"photo.bmp"}, "photo (2).bmp"},
        // An unrelated picture with the name is kept too, and so is every earlier free name.
        {"photo.jpg", {"photo.jpg", "photo.bmp"}, "photo (2).bmp"},
        {"photo.jpg", {"photo.jpg", "photo.bmp", "photo (2).bmp", "photo (3).bmp"}, "photo (4).bmp"},
        // The file was deleted behind the program's back: the name is still free.
        {"disparue.tif", {}, "disparue.bmp"},
    };
    const Bitmap picture = sample(9, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        QTemporaryDir caseFolder;
        const QDir dir(caseFolder.path());
        for (const char* name : c.existing)
            writeFile(dir.filePath(QString::fromUtf8(name)), QByteArray("old bytes of ") + name);
        const auto before = folderContents(caseFolder.path());
        open(picture, dir.filePath(QString::fromUtf8(c.current)));
        form.runCommand("Ngatif1"); // the shown picture, with its effects, is what is installed
        fakes.desktop.wallpapers.clear();
        fakes.dialogs.answer(Answer::Yes);
        form.runCommand("Installerlimagecommepapierpeint1");
        form.runCommand("Ngatif1");

        ASSERT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
        ASSERT_FALSE(fakes.dialogs.asked.empty());
        EXPECT_EQ(fakes.dialogs.asked.back().title, kWallpaperQuestion);
        EXPECT_EQ(fakes.dialogs.asked.back().kind, MessageKind::Confirmation);
        const QString expected = dir.filePath(QString::fromUtf8(c.expected));
        ASSERT_EQ(fakes.desktop.wallpapers.size(), 1u);
        EXPECT_EQ(fakes.desktop.wallpapers[0].file, expected);
        EXPECT_FALSE(fakes.desktop.wallpapers[0].tiled);

        // Every file that was there is byte for byte as it was; the one new file is the picture.
        auto after = folderContents(caseFolder.path());
        const QString written = QString::fromUtf8(c.expected);
        ASSERT_EQ(after.count(written), 1u);
        const std::unique_ptr<Graphic> loaded = codecs::loadGraphic(expected);
        Bitmap negative = picture;
        for (int y = 0; y < negative.height(); ++y)
            for (int x = 0; x < negative.width(); ++x) writePixel(negative, x, y, readPixel(picture, x, y) ^ 0xFFFFFF);
        ASSERT_NE(dynamic_cast<Bitmap*>(loaded.get()), nullptr);
        EXPECT_TRUE(sameBitmap(negative, *dynamic_cast<Bitmap*>(loaded.get())));
        after.erase(written);
        EXPECT_EQ(after, before);
        fakes.dialogs.asked.clear();
    }
}

TEST_F(DesktopCommands, WallpaperOnlyOnOuiForAFileAndItsProblemsShown)
{
    open(sample(3, 3), file(QStringLiteral("photo.jpg")));
    fakes.dialogs.answer(Answer::No);
    form.runCommand("Installerlimagecommepapierpeint1");
    EXPECT_EQ(fakes.dialogs.asked.size(), 1u);
    EXPECT_TRUE(fakes.desktop.wallpapers.empty());
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());

    // A pasted picture has no file: no question at all. Nor has an emptied view anything to install.
    form.document().setFileName(QString());
    form.runCommand("Installerlimagecommepapierpeint1");
    form.document().setFileName(file(QStringLiteral("photo.jpg")));
    form.runCommand("Couper1");
    form.runCommand("Installerlimagecommepapierpeint1");
    EXPECT_EQ(fakes.dialogs.asked.size(), 1u);
    EXPECT_TRUE(fakes.dialogs.allAnswersUsed());
    EXPECT_TRUE(fakes.desktop.wallpapers.empty());
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty());

    // A desktop that cannot be told: its text in the error box, the picture written all the same.
    open(sample(2, 2), file(QStringLiteral("photo.jpg")));
    fakes.desktop.wallpaperResult = {false, QStringLiteral("Le bureau de cette session n' est pas reconnu.")};
    fakes.dialogs.answer(Answer::Yes);
    form.runCommand("Installerlimagecommepapierpeint1");
    EXPECT_EQ(fakes.dialogs.errors, QStringList{fakes.desktop.wallpaperResult.problem});
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("photo.bmp"))));
}

// The real gsettings on a settings file of the test's own: the desktop reads back the picture written.
TEST_F(DesktopCommands, GnomeWallpaperReadsBackTheWrittenPicture)
{
    const ProcessOutcome schemas = runProcess(QStringLiteral("gsettings"), {QStringLiteral("list-schemas")});
    if (!schemas.started || !schemas.output.contains("org.gnome.desktop.background"))
        GTEST_SKIP() << "gsettings or the GNOME desktop schemas are not installed";
    QTemporaryDir config;
    const QByteArray oldBackend = qgetenv("GSETTINGS_BACKEND"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    LinuxDesktop desktop(runProcess, QStringLiteral("ubuntu:GNOME"), nullptr);
    Services services{fakes.dialogs, fakes.clipboard, desktop, fakes.printing, fakes.scanner, fakes.system};
    TProgramForm gnomeForm{services};
    const QString current = file(QStringLiteral("photo.bmp"));
    const Bitmap picture = sample(5, 5);
    writeFile(current, QByteArray("the opened file"));
    gnomeForm.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
    gnomeForm.document().setFileName(current);
    fakes.dialogs.answer(Answer::Yes);
    gnomeForm.runCommand("Installerlimagecommepapierpeint1");
    const auto get = [](const char* key) {
        const QByteArray text = runProcess(QStringLiteral("gsettings"), {QStringLiteral("get"),
                                           QStringLiteral("org.gnome.desktop.background"), QLatin1String(key)})
                                    .output.trimmed();
        return QString::fromUtf8(text.mid(1, text.size() - 2));
    };
    const QString uri = get("picture-uri"), dark = get("picture-uri-dark"), options = get("picture-options");
    qputenv("GSETTINGS_BACKEND", oldBackend);
    qputenv("XDG_CONFIG_HOME", oldConfig);

    EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
    const QString expected = file(QStringLiteral("photo (2).bmp"));
    EXPECT_EQ(uri, QUrl::fromLocalFile(expected).toString(QUrl::FullyEncoded));
    EXPECT_EQ(dark, uri);
    EXPECT_EQ(options, QStringLiteral("centered"));
    EXPECT_EQ(contents(current), QByteArray("the opened file"));
    const std::unique_ptr<Graphic> loaded = codecs::loadGraphic(expected);
    ASSERT_NE(dynamic_cast<Bitmap*>(loaded.get()), nullptr);
    EXPECT_TRUE(sameBitmap(picture, *dynamic_cast<Bitmap*>(loaded.get())));
}

// The portal comes first for a centred wallpaper; the desktop's tools only when it gives nothing.
TEST_F(DesktopCommands, PortalFirstThenTheDesktopsOwnTools)
{
    struct Case {
        std::optional<PortalAnswer> portal;
        bool errorShown;
        int programsRun;
    };
    const Case cases[] = {
        {PortalAnswer::Applied, false, 0},
        {PortalAnswer::Refused, false, 0}, // the user said no to the portal: no error, no second way
        {std::nullopt, false, 3},          // no portal: gsettings for the picture, its dark twin and the options
    };
    for (const Case& c : cases) {
        QStringList run, portalAsked;
        LinuxDesktop desktop(
            [&run](const QString& program, const QStringList& arguments) {
                run << program + u' ' + arguments.join(u' ');
                return ProcessOutcome{true, 0, {}};
            },
            QStringLiteral("GNOME"),
            [&](const QString& picture) {
                portalAsked << picture;
                return c.portal;
            });
        Services services{fakes.dialogs, fakes.clipboard, desktop, fakes.printing, fakes.scanner, fakes.system};
        TProgramForm portalForm{services};
        portalForm.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(sample(2, 2)));
        portalForm.document().setFileName(file(QStringLiteral("photo.jpg")));
        fakes.dialogs.errors.clear();
        fakes.dialogs.answer(Answer::Yes);
        portalForm.runCommand("Installerlimagecommepapierpeint1");
        EXPECT_EQ(portalAsked, QStringList{file(QStringLiteral("photo.bmp"))});
        EXPECT_EQ(fakes.dialogs.errors.isEmpty(), !c.errorShown);
        EXPECT_EQ(run.size(), c.programsRun) << run.join(u'\n').toStdString();
        QFile::remove(file(QStringLiteral("photo.bmp")));
        // A tiled wallpaper is beyond the portal: it is not asked.
        portalAsked.clear();
        desktop.setWallpaper(file(QStringLiteral("photo.bmp")), true);
        EXPECT_TRUE(portalAsked.isEmpty());
    }
}

// -------------------------------------------------------------- folder copy

class FolderCopy : public DesktopCommands {
protected:
    // The folder copy with the real file copy of the desktop.
    LinuxDesktop desktop{[](const QString&, const QStringList&) { return ProcessOutcome{}; }, QString(), nullptr};
    Services services{fakes.dialogs, fakes.clipboard, desktop, fakes.printing, fakes.scanner, fakes.system};
    TProgramForm copyForm{services};

    // The message shown after the copy, or nothing.
    QString copyInto(const QString& chosen, bool succeeds)
    {
        fakes.dialogs.asked.clear();
        fakes.dialogs.answerFolder(chosen);
        if (succeeds) fakes.dialogs.answer(Answer::Ok);
        copyForm.runCommand("Sauvegarderlimage1");
        EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
        EXPECT_TRUE(fakes.dialogs.allAnswersUsed());
        EXPECT_GE(fakes.dialogs.asked.size(), 1u);
        EXPECT_EQ(fakes.dialogs.asked[0].call, QStringLiteral("selectFolder"));
        EXPECT_EQ(fakes.dialogs.asked[0].title, QStringLiteral("Choisissez le dossier de sauvegarde"));
        EXPECT_EQ(fakes.dialogs.asked[0].owner, copyForm.frameGeometry());
        return fakes.dialogs.asked.size() > 1 ? fakes.dialogs.asked[1].title : QString();
    }
};

TEST_F(FolderCopy, CopiesTheFileOnDiskNotTheEditedPicture)
{
    const QString source = file(QStringLiteral("été 2024.jpg"));
    const QByteArray bytes = QByteArray(3 << 20, 'j') + "end of the file on disk";
    writeFile(source, bytes);
    copyForm.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(sample(4, 4)));
    copyForm.document().setFileName(source);
    copyForm.runCommand("Ngatif1");
    QTemporaryDir target;
    // Once into an empty folder, then over the copy that is already there.
    for (const QByteArray& old : {QByteArray(), QByteArray("an older copy")}) {
        if (!old.isEmpty()) writeFile(QDir(target.path()).filePath(QStringLiteral("été 2024.jpg")), old);
        const QString message = copyInto(target.path(), true);
        EXPECT_EQ(message, QStringLiteral("Le fichier été 2024.jpg a été copié avec succès !") + QString(10, u' '));
        EXPECT_EQ(fakes.dialogs.asked.back().kind, MessageKind::Information);
        EXPECT_EQ(contents(QDir(target.path()).filePath(QStringLiteral("été 2024.jpg"))), bytes);
        EXPECT_EQ(QDir(target.path()).entryList(QDir::Files).size(), 1);
    }
    EXPECT_EQ(contents(source), bytes);
}

TEST_F(FolderCopy, FailuresShowNothingAndLoseNothing)
{
    const QString source = file(QStringLiteral("photo.png"));
    writeFile(source, QByteArray("the picture on disk"));
    copyForm.document().setFileName(source);

    // Into its own folder, by its own name or through a link to the folder: the file stays whole.
    const QString link = QDir(QDir::tempPath()).filePath(QStringLiteral("kelvary-link-%1").arg(::getpid()));
    ASSERT_TRUE(QFile::link(folder.path(), link));
    for (const QString& chosen : {folder.path(), link}) {
        EXPECT_EQ(copyInto(chosen, false), QString());
        EXPECT_EQ(contents(source), QByteArray("the picture on disk"));
    }
    QFile::remove(link);

    // A folder where the name is taken by a folder, and a folder that is gone.
    QTemporaryDir target;
    ASSERT_TRUE(QDir(target.path()).mkdir(QStringLiteral("photo.png")));
    EXPECT_EQ(copyInto(target.path(), false), QString());
    EXPECT_EQ(copyInto(QDir(target.path()).filePath(QStringLiteral("absent")), false), QString());

    // A read-only folder keeps its old copy.
    if (geteuid() != 0) {
        QTemporaryDir locked;
        const QString old = QDir(locked.path()).filePath(QStringLiteral("photo.png"));
        writeFile(old, QByteArray("an older copy"));
        ASSERT_EQ(::chmod(QFile::encodeName(locked.path()).constData(), 0555), 0);
        EXPECT_EQ(copyInto(locked.path(), false), QString());
        ::chmod(QFile::encodeName(locked.path()).constData(), 0755);
        EXPECT_EQ(contents(old), QByteArray("an older copy"));
    }

    // Cancelled, or nothing opened from a file: no copy, no message.
    fakes.dialogs.asked.clear();
    fakes.dialogs.cancelFolder();
    copyForm.runCommand("Sauvegarderlimage1");
    EXPECT_EQ(fakes.dialogs.asked.size(), 1u);
    copyForm.document().setFileName(QString());
    copyForm.runCommand("Sauvegarderlimage1");
    EXPECT_EQ(fakes.dialogs.asked.size(), 1u);
    EXPECT_TRUE(fakes.dialogs.allAnswersUsed());
}

} // namespace
} // namespace kel
