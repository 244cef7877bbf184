// Files that arrive from outside the open dialog: the command line and drops
// on the main window. Each opens exactly as " Ouvrir" opens the same file.
#include "app/command_line.h"
#include "app/program_form.h"
#include "document_files.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/status_bar.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace kel {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, ArgumentsAsAWellBehavedProgramReadsThem)
{
    const QString here = QDir::currentPath();
    struct Case {
        QStringList arguments;
        Action action;
        QString file;
    } cases[] = {
        {{}, Action::Run, {}},
        {{"pic.png"}, Action::Run, here + "/pic.png"},
        {{"/tmp/a.bmp", "/tmp/b.bmp"}, Action::Run, "/tmp/a.bmp"},
        {{"file:///tmp/with%20blank.jpg"}, Action::Run, "/tmp/with blank.jpg"},
        {{"--", "-odd.png"}, Action::Run, here + "/-odd.png"},
        {{"--help"}, Action::ShowHelp, {}},
        {{"a.png", "-h"}, Action::ShowHelp, {}},
        {{"--version"}, Action::ShowVersion, {}},
        {{"--bogus", "a.png"}, Action::Refuse, {}},
        {{"--bogus", "--help"}, Action::ShowHelp, {}},
    };
    for (const Case& c : cases) {
        const CommandLine line = readCommandLine(QStringList{"/usr/bin/kelvary"} + c.arguments);
        const std::string shown = c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << shown;
        EXPECT_EQ(line.fileToOpen, c.file) << shown;
    }
    EXPECT_TRUE(readCommandLine({"kelvary", "--help"}).message.startsWith("Utilisation : kelvary"));
    EXPECT_EQ(readCommandLine({"kelvary", "-v"}).message, QStringLiteral("Kelvary 1.1\n"));
    EXPECT_TRUE(readCommandLine({"kelvary", "-x"}).message.contains(QString::fromUtf8("option inconnue « -x »")));
}

class FileArrival : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        test::writeBmp(file("good.bmp"), test::bitmapFrom(2, 1, {clRed, clBlue}));
        test::writeBytes(file("damaged.png"), QByteArray("\x89PNG\r\n\x1a\n not a picture"));
        QDir(folder.path()).mkdir("folder.bmp");
    }
    QString file(const char* name) const { return QDir(folder.path()).filePath(QString::fromLatin1(name)); }

    // What the window shows and reports after an opening.
    struct Outcome {
        QString status, name;
        bool shown, thumbnail;
        int zoom;
        QStringList errors;
        bool operator==(const Outcome&) const = default;
    };
    static Outcome outcome(TProgramForm& form, test::ScriptedDialogs& dialogs)
    {
        return {form.EStatusBar1->Caption(), form.document().fileName(), form.Image1->Picture().hasGraphic(),
                form.ImageCIBLE->Picture().hasGraphic(), form.Image1->ZoomX(), dialogs.errors};
    }

    QTemporaryDir folder;
    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

TEST_F(FileArrival, CommandLineFileOpensAsOuvrirWouldForGoodDamagedMissingAndFolder)
{
    for (const char* name : {"good.bmp", "damaged.png", "missing.jpg", "folder.bmp"}) {
        test::FakeServices referenceFakes;
        TProgramForm reference(referenceFakes.services());
        for (TProgramForm* window : {&form, &reference}) window->Image1->setZoomX(250);
        fakes.dialogs.errors.clear();
        referenceFakes.dialogs.answerFile(file(name));
        reference.runCommand("Ouvriruneimage1");
        form.openFile(file(name));
        EXPECT_EQ(outcome(form, fakes.dialogs), outcome(reference, referenceFakes.dialogs)) << name;
    }
    // The good file is the whole document; the others leave it empty, and
    // only the missing file and the folder are reported.
    form.openFile(file("good.bmp"));
    EXPECT_TRUE(test::sameBitmap(form.document().working(), *form.Image1->Picture().bitmapIfAny()));
    fakes.dialogs.errors.clear();
    form.openFile(file("missing.jpg"));
    ASSERT_EQ(fakes.dialogs.errors.size(), 1);
    EXPECT_TRUE(fakes.dialogs.errors[0].endsWith(QStringLiteral("fichier ou dossier introuvable")));
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
}

TEST_F(FileArrival, DropOfALocalPictureOpensItAndOtherDropsAreRefused)
{
    auto dataWith = [](const QList<QUrl>& urls, const QString& text = {}) {
        auto* data = new QMimeData;
        if (!urls.isEmpty()) data->setUrls(urls);
        if (!text.isEmpty()) data->setText(text);
        return data;
    };
    auto accepted = [&](QMimeData* data) {
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(&form, &enter);
        const bool taken = enter.isAccepted();
        if (taken) {
            QDropEvent drop(QPointF(400, 300), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&form, &drop);
        }
        delete data;
        return taken;
    };
    EXPECT_FALSE(accepted(dataWith({}, QStringLiteral("du texte"))));
    EXPECT_FALSE(accepted(dataWith({QUrl(QStringLiteral("https://example.org/a.png"))})));
    EXPECT_FALSE(accepted(dataWith({QUrl::fromLocalFile(file("folder.bmp"))})));
    EXPECT_FALSE(accepted(dataWith({QUrl::fromLocalFile(file("good.bmp")), QUrl::fromLocalFile(file("damaged.png"))})));
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());

    EXPECT_TRUE(accepted(dataWith({QUrl::fromLocalFile(file("good.bmp"))})));
    EXPECT_EQ(form.document().fileName(), file("good.bmp"));
    EXPECT_TRUE(test::sameBitmap(test::bitmapFrom(2, 1, {clRed, clBlue}), *form.Image1->Picture().bitmapIfAny()));
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty());
}

} // namespace
} // namespace kel
