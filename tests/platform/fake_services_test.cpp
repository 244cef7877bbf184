#include "support/bitmap_compare.h"
#include "support/fake_services.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

using namespace kel;
using kel::test::FakeServices;

TEST(FakeServices, TheBundleHandsOutItsOwnFakes)
{
    FakeServices fakes;
    Services& services = fakes.services();
    EXPECT_EQ(&services.dialogs, &fakes.dialogs);
    EXPECT_EQ(&services.clipboard, &fakes.clipboard);
    EXPECT_EQ(&services.desktop, &fakes.desktop);
    EXPECT_EQ(&services.printing, &fakes.printing);
    EXPECT_EQ(&services.scanner, &fakes.scanner);
    EXPECT_EQ(&services.system, &fakes.system);
}

TEST(FakeServices, DialogsRecordTheNewQuestions)
{
    FakeServices fakes;
    Dialogs& dialogs = fakes.services().dialogs;
    fakes.dialogs.answerFolder(QStringLiteral("/sauvegardes"));
    fakes.dialogs.cancelFolder();
    const QRect owner(10, 20, 800, 600);
    EXPECT_EQ(dialogs.selectFolder(QStringLiteral("Choisissez le dossier de sauvegarde"), owner),
              QStringLiteral("/sauvegardes"));
    EXPECT_FALSE(dialogs.selectFolder(QStringLiteral("encore"), owner));
    dialogs.plainMessage(QStringLiteral("Le driver Twain n' est pas encore installé !      "));
    EXPECT_TRUE(fakes.dialogs.allAnswersUsed());
    ASSERT_EQ(fakes.dialogs.asked.size(), 3u);
    EXPECT_EQ(fakes.dialogs.asked[0].call, QStringLiteral("selectFolder"));
    EXPECT_EQ(fakes.dialogs.asked[0].owner, owner);
    EXPECT_EQ(fakes.dialogs.asked[2].call, QStringLiteral("plainMessage"));
    EXPECT_EQ(fakes.dialogs.asked[2].title, QStringLiteral("Le driver Twain n' est pas encore installé !      "));
}

TEST(FakeServices, ClipboardPrintingAndScannerKeepWhatTheyWereGiven)
{
    FakeServices fakes;
    Services& services = fakes.services();
    const Bitmap picture = test::bitmapFrom(2, 1, {clRed, clBlue});

    EXPECT_FALSE(services.clipboard.picture());
    services.clipboard.putPicture(picture);
    ASSERT_TRUE(services.clipboard.picture());
    EXPECT_TRUE(test::sameBitmap(picture, *services.clipboard.picture()));

    QTemporaryDir folder;
    fakes.printing.pdfFile = folder.filePath(QStringLiteral("page.pdf"));
    EXPECT_TRUE(services.printing.printPicture(picture));
    services.printing.previewPicture(picture);
    ASSERT_EQ(fakes.printing.printed.size(), 1u);
    ASSERT_EQ(fakes.printing.previewed.size(), 1u);
    EXPECT_TRUE(test::sameBitmap(picture, fakes.printing.previewed[0]));
    EXPECT_TRUE(QFile::exists(fakes.printing.pdfFile));

    fakes.scanner.answerScan(picture);
    fakes.scanner.cancelScan();
    EXPECT_TRUE(services.scanner.available());
    ASSERT_TRUE(services.scanner.acquire(QStringLiteral("test:0"), {}));
    EXPECT_FALSE(services.scanner.acquire(QStringLiteral("test:0"), {}));
    EXPECT_TRUE(fakes.scanner.allScansUsed());
    std::optional<Bitmap> unexpected;
    EXPECT_NONFATAL_FAILURE(unexpected = services.scanner.acquire(QStringLiteral("test:1"), {}), "unexpected scan");
    EXPECT_FALSE(unexpected);
    EXPECT_EQ(fakes.scanner.acquiredFrom.size(), 3);

    fakes.scanner.installed = false;
    EXPECT_FALSE(services.scanner.available());
    EXPECT_TRUE(services.scanner.sources().empty());
}

TEST(FakeServices, DesktopCopiesForRealUnlessToldToFail)
{
    FakeServices fakes;
    QTemporaryDir from, to;
    const QString file = from.filePath(QStringLiteral("a.png"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("png");
    }
    EXPECT_TRUE(fakes.services().desktop.copyFileInto(file, to.path()));
    EXPECT_TRUE(QFile::exists(to.filePath(QStringLiteral("a.png"))));
    fakes.desktop.failCopies = true;
    QFile::remove(to.filePath(QStringLiteral("a.png")));
    EXPECT_FALSE(fakes.services().desktop.copyFileInto(file, to.path()));
    EXPECT_FALSE(QFile::exists(to.filePath(QStringLiteral("a.png"))));
    ASSERT_EQ(fakes.desktop.copies.size(), 2u);

    fakes.desktop.wallpaperResult = {false, QStringLiteral("inconnu")};
    EXPECT_EQ(fakes.services().desktop.setWallpaper(QStringLiteral("/a.bmp"), false).problem, QStringLiteral("inconnu"));
    ASSERT_EQ(fakes.desktop.wallpapers.size(), 1u);
    EXPECT_FALSE(fakes.desktop.wallpapers[0].tiled);
}
