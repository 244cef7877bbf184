#include "support/bitmap_compare.h"
#include "support/fake_services.h"

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

TEST(FakeServices, DialogsRecordTheFolderBrowserAndThePlainBox)
{
    FakeServices fakes;
    fakes.dialogs.answerFolder(QStringLiteral("/sauvegardes"));
    fakes.dialogs.cancelFolder();
    const QRect owner(10, 20, 800, 600);
    Dialogs& dialogs = fakes.services().dialogs;
    EXPECT_EQ(dialogs.selectFolder(QStringLiteral("Choisissez le dossier de sauvegarde"), owner),
              QStringLiteral("/sauvegardes"));
    EXPECT_FALSE(dialogs.selectFolder(QStringLiteral("encore"), owner));
    dialogs.plainMessage(QStringLiteral("Pas de pilote !      "));
    EXPECT_TRUE(fakes.dialogs.allAnswersUsed());
    ASSERT_EQ(fakes.dialogs.asked.size(), 3u);
    EXPECT_EQ(fakes.dialogs.asked[0].owner, owner);
    EXPECT_EQ(fakes.dialogs.asked[2].call, QStringLiteral("plainMessage"));
    EXPECT_EQ(fakes.dialogs.asked[2].title, QStringLiteral("Pas de pilote !      "));
}

TEST(FakeServices, TheScannerAnswersFromItsScriptAndFailsOnAnUnexpectedScan)
{
    FakeServices fakes;
    const Bitmap picture = test::bitmapFrom(2, 1, {clRed, clBlue});
    fakes.scanner.answerScan(picture);
    fakes.scanner.cancelScan();
    Scanner& scanner = fakes.services().scanner;
    const std::optional<Bitmap> first = scanner.acquire(QStringLiteral("test:0"), {});
    ASSERT_TRUE(first);
    EXPECT_TRUE(test::sameBitmap(picture, *first));
    EXPECT_FALSE(scanner.acquire(QStringLiteral("test:0"), {}));
    EXPECT_TRUE(fakes.scanner.allScansUsed());
    std::optional<Bitmap> unexpected;
    EXPECT_NONFATAL_FAILURE(unexpected = scanner.acquire(QStringLiteral("test:1"), {}), "unexpected scan");
    EXPECT_FALSE(unexpected);
    EXPECT_EQ(fakes.scanner.acquiredFrom.size(), 3);
}
