// Opening, closing, deleting and reloading through the real main window with
// scripted dialogs; the return to the picture as opened, the reset of the
// display modes and the pointer readout.
#include "app/program_form.h"
#include "document_files.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_services.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/icon_list_box.h"
#include "widgets/picture_button.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::bitmapFrom;
using test::sameBitmap;

const QString kDeleteQuestion = QStringLiteral("Voulez-vous vraiment supprimer l' image ?") + QString(10, u' ');

// A 3 x 2 picture of four colours.
Bitmap samplePicture()
{
    return bitmapFrom(3, 2, {clRed, clLime, clBlue, clRed, clWhite, rgb(10, 20, 30)});
}

class DocumentTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        samplePath = file(QStringLiteral("sample.bmp"));
        test::writeBmp(samplePath, samplePicture());
    }

    QString file(const QString& name) const { return QDir(folder.path()).filePath(name); }

    void open(const QString& path)
    {
        dialogs.answerFile(path);
        form.runCommand("Ouvriruneimage1");
    }
    void cancelOpen()
    {
        dialogs.cancelFile();
        form.runCommand("Ouvriruneimage1");
    }

    const Bitmap& shown() const { return *form.Image1->Picture().bitmapIfAny(); }
    QString statusLine() const { return form.EStatusBar1->Caption(); }

    // Records the track bars' change handlers as they run, then runs them.
    std::vector<QString>& recordTrackBarHandlers()
    {
        const std::pair<TTrackBar*, QString> bars[] = {
            {form.TrackBarROUGE, QStringLiteral("ROUGE")},           {form.TrackBarVERT, QStringLiteral("VERT")},
            {form.TrackBarBLEU, QStringLiteral("BLEU")},             {form.TrackBarLUMINOSITE, QStringLiteral("LUMINOSITE")},
            {form.TrackBarCONTRASTE, QStringLiteral("CONTRASTE")}, {form.TrackBarSATURATION, QStringLiteral("SATURATION")}};
        for (const auto& [bar, name] : bars) {
            bar->OnChange = [this, name = name, handler = bar->OnChange] {
                handlersRun.push_back(name);
                handler();
            };
        }
        return handlersRun;
    }

    QTemporaryDir folder;
    QString samplePath;
    test::FakeServices fakes;
    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form{fakes.services()};
    std::vector<QString> handlersRun;
};

// -------------------------------------------------------------------- Ouvrir

TEST_F(DocumentTest, OpenMakesTheFileTheWholeDocument)
{
    form.Image1->setZoomX(250);
    form.Notebook1->setCurrentIndex(3);
    open(samplePath);

    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(statusLine(), samplePath + QStringLiteral(" | 3 x 2 pixels | 5 couleurs"));
    EXPECT_EQ(form.document().fileName(), samplePath);
    EXPECT_TRUE(sameBitmap(samplePicture(), shown()));
    EXPECT_TRUE(sameBitmap(samplePicture(), *form.Image1->PictureOriginal().bitmapIfAny()));
    ASSERT_NE(form.ImageCIBLE->Picture().bitmapIfAny(), nullptr);
    EXPECT_TRUE(sameBitmap(samplePicture(), *form.ImageCIBLE->Picture().bitmapIfAny()));
    EXPECT_TRUE(sameBitmap(samplePicture(), form.document().working()));
    EXPECT_TRUE(sameBitmap(samplePicture(), form.document().initial()));
    EXPECT_EQ(form.Image1->ZoomX(), 100);
    EXPECT_EQ(form.Image1->ZoomY(), 100);
    EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    // The thumbnail shows the picture centred without enlarging it.
    EXPECT_TRUE(form.ImageCIBLE->Center());
    EXPECT_TRUE(form.ImageCIBLE->Proportional());
}

TEST_F(DocumentTest, OpenAsksWithTheProgramsDialogAndRemembersTheChoice)
{
    dialogs.answerFile(samplePath, 2);
    form.runCommand("Ouvriruneimage1");
    cancelOpen();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    const FileDialogRequest& first = dialogs.asked[0].request;
    EXPECT_EQ(dialogs.asked[0].call, QStringLiteral("openPicture"));
    EXPECT_EQ(first.title, QStringLiteral(" Ouvrir une image "));
    EXPECT_EQ(first.filters.size(), 11);
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.defaultExtension, QStringLiteral("bmp"));
    EXPECT_EQ(first.offset, QPoint(170, 230));
    EXPECT_TRUE(first.preview);
    const FileDialogRequest& second = dialogs.asked[1].request;
    EXPECT_EQ(second.fileName, samplePath);
    EXPECT_EQ(second.filterIndex, 2);
}

TEST_F(DocumentTest, OpenResetsTrackBarsRunningTheirHandlersInOrder)
{
    form.TrackBarROUGE->setPosition(10);
    form.TrackBarBLEU->setPosition(30);
    form.TrackBarLUMINOSITE->setPosition(100);
    form.TrackBarSATURATION->setPosition(-50);
    recordTrackBarHandlers();
    open(samplePath);
    EXPECT_EQ(handlersRun, (std::vector<QString>{QStringLiteral("LUMINOSITE"), QStringLiteral("SATURATION"),
                                                QStringLiteral("ROUGE"), QStringLiteral("BLEU")}));
    for (TTrackBar* bar : {form.TrackBarROUGE, form.TrackBarVERT, form.TrackBarBLEU}) EXPECT_EQ(bar->Position(), 255);
    for (TTrackBar* bar : {form.TrackBarLUMINOSITE, form.TrackBarCONTRASTE, form.TrackBarSATURATION})
        EXPECT_EQ(bar->Position(), 0);
}

TEST_F(DocumentTest, OpenDeselectsTheFirstEffectAndFocusesTheStatusBar)
{
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.ListBox1->item(0)->setSelected(true);
    open(samplePath);
    EXPECT_FALSE(form.ListBox1->item(0)->isSelected());
    EXPECT_EQ(QApplication::focusWidget(), form.EStatusBar1);
}

TEST_F(DocumentTest, CancelledOpenAfterEditsMakesTheEditedPictureTheOneToReturnTo)
{
    open(samplePath);
    form.TrackBarCONTRASTE->setPosition(60);
    const Bitmap edited = bitmapFrom(2, 2, {clBlack, clWhite, clWhite, clBlack});
    form.Image1->Picture().assign(&edited);
    form.EStatusBar1->setCaption(QStringLiteral("kept"));
    cancelOpen();

    EXPECT_TRUE(sameBitmap(edited, form.document().working()));
    EXPECT_TRUE(sameBitmap(edited, form.document().initial()));
    EXPECT_TRUE(sameBitmap(samplePicture(), *form.ImageCIBLE->Picture().bitmapIfAny()));
    EXPECT_EQ(form.document().fileName(), samplePath);
    EXPECT_EQ(statusLine(), QStringLiteral("kept"));
    EXPECT_EQ(form.TrackBarCONTRASTE->Position(), 0);

    const Bitmap later = bitmapFrom(1, 1, {clBlue});
    form.Image1->PictureOriginal().assign(&later);
    form.runCommand("ImageCIBLEClick");
    EXPECT_TRUE(sameBitmap(edited, shown()));
    EXPECT_TRUE(sameBitmap(edited, *form.Image1->PictureOriginal().bitmapIfAny()));
    EXPECT_EQ(statusLine(), samplePath + QStringLiteral(" | 2 x 2 pixels | 2 couleurs"));
}

TEST_F(DocumentTest, CancelledOpenOnAnEmptyViewLeavesItEmpty)
{
    cancelOpen();
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_EQ(form.document().initial().width(), 0);
    EXPECT_EQ(form.document().working().pixelFormat(), pf24bit);
}

TEST_F(DocumentTest, UnclaimedExtensionEmptiesTheDocumentWithoutAMessage)
{
    open(samplePath);
    form.Image1->setZoomX(250);
    form.TrackBarVERT->setPosition(40);
    const QString text = file(QStringLiteral("notes.txt"));
    test::writeBytes(text, "Bonjour\n");
    open(text);

    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_FALSE(form.Image1->PictureOriginal().hasGraphic());
    EXPECT_FALSE(form.ImageCIBLE->Picture().hasGraphic());
    EXPECT_TRUE(form.document().fileName().isEmpty());
    EXPECT_TRUE(statusLine().isEmpty());
    // The later steps are skipped: working bitmaps, track bars and zoom stay.
    EXPECT_TRUE(sameBitmap(samplePicture(), form.document().initial()));
    EXPECT_EQ(form.TrackBarVERT->Position(), 40);
    EXPECT_EQ(form.Image1->ZoomX(), 250);
}

TEST_F(DocumentTest, TextFileNamedBmpEmptiesTheDocumentWithoutAMessage)
{
    open(samplePath);
    const QString fake = file(QStringLiteral("fake.bmp"));
    test::writeBytes(fake, "Ceci n'est pas une image, seulement du texte.\n");
    open(fake);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_FALSE(form.ImageCIBLE->Picture().hasGraphic());
    EXPECT_TRUE(form.document().fileName().isEmpty());
    EXPECT_TRUE(statusLine().isEmpty());
}

TEST_F(DocumentTest, UnreadableFileShowsTheErrorAndLeavesTheDocumentEmpty)
{
    open(samplePath);
    form.Image1->setZoomX(66);
    form.TrackBarLUMINOSITE->setPosition(80);
    open(file(QStringLiteral("absent.bmp")));

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(dialogs.errors[0].isEmpty());
    EXPECT_TRUE(form.document().fileName().isEmpty());
    EXPECT_TRUE(statusLine().isEmpty());
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_FALSE(form.Image1->PictureOriginal().hasGraphic());
    EXPECT_TRUE(sameBitmap(samplePicture(), *form.ImageCIBLE->Picture().bitmapIfAny()));
    EXPECT_TRUE(sameBitmap(samplePicture(), form.document().working()));
    EXPECT_EQ(form.TrackBarLUMINOSITE->Position(), 80);
    EXPECT_EQ(form.Image1->ZoomX(), 66);
}

TEST_F(DocumentTest, TransparentPngComesOutWhite)
{
    const QString png = file(QStringLiteral("clear.png"));
    test::writeTransparentPng(png, 2, 2, {clRed, 0xFF000000u, 0xFF000000u, clBlue});
    open(png);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(shown().pixelFormat(), pf24bit);
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 2, {clRed, clWhite, clWhite, clBlue}), shown()));
    EXPECT_EQ(statusLine(), png + QStringLiteral(" | 2 x 2 pixels | 3 couleurs"));
}

TEST_F(DocumentTest, TransparentGifComesOutWhite)
{
    const QString gif = file(QStringLiteral("clear.gif"));
    test::writeTransparentGif(gif);
    open(gif);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    ASSERT_TRUE(form.Image1->Picture().hasGraphic());
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {clRed, clWhite}), shown()));
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {clRed, clWhite}), *form.ImageCIBLE->Picture().bitmapIfAny()));
}

TEST_F(DocumentTest, SixteenColourFileGivesA24BitDocumentCountingTheColoursUsed)
{
    const QString bmp = file(QStringLiteral("vga.bmp"));
    std::vector<Colour> palette(16, clBlack);
    palette[3] = rgb(0, 128, 128);
    palette[9] = clRed;
    palette[15] = clWhite;
    test::writeIndexedBmp(bmp, 5, 2, 4, palette, {3, 9, 15, 3, 3, 9, 9, 9, 15, 15});
    open(bmp);
    for (const Bitmap* b : std::initializer_list<const Bitmap*>{&shown(), form.Image1->PictureOriginal().bitmapIfAny(), &form.document().working(),
                            &form.document().initial(), form.ImageCIBLE->Picture().bitmapIfAny()})
        EXPECT_EQ(b->pixelFormat(), pf24bit);
    const Colour t = rgb(0, 128, 128);
    EXPECT_TRUE(sameBitmap(bitmapFrom(5, 2, {t, clRed, clWhite, t, t, clRed, clRed, clRed, clWhite, clWhite}), shown()));
    EXPECT_EQ(statusLine(), bmp + QStringLiteral(" | 5 x 2 pixels | 3 couleurs"));
}

TEST_F(DocumentTest, EightBitFileGivesA24BitDocumentCountingTheColoursUsed)
{
    const QString bmp = file(QStringLiteral("grey.bmp"));
    std::vector<Colour> palette;
    for (int i = 0; i < 256; ++i) palette.push_back(rgb(i, i, i));
    std::vector<int> indexes;
    for (int i = 0; i < 40; ++i) indexes.push_back((i * 7) % 20);
    test::writeIndexedBmp(bmp, 8, 5, 8, palette, indexes);
    open(bmp);
    EXPECT_EQ(shown().pixelFormat(), pf24bit);
    EXPECT_EQ(form.document().initial().pixelFormat(), pf24bit);
    EXPECT_EQ(shown().pixel(1, 0), rgb(7, 7, 7));
    EXPECT_EQ(statusLine(), bmp + QStringLiteral(" | 8 x 5 pixels | 20 couleurs"));
}

TEST_F(DocumentTest, SecondOpenReplacesEverythingOfTheFirst)
{
    open(samplePath);
    const QString other = file(QStringLiteral("other.bmp"));
    test::writeBmp(other, bitmapFrom(1, 2, {clBlack, clBlack}));
    open(other);
    EXPECT_TRUE(sameBitmap(bitmapFrom(1, 2, {clBlack, clBlack}), *form.ImageCIBLE->Picture().bitmapIfAny()));
    EXPECT_TRUE(sameBitmap(bitmapFrom(1, 2, {clBlack, clBlack}), form.document().initial()));
    EXPECT_EQ(statusLine(), other + QStringLiteral(" | 1 x 2 pixels | 1 couleurs"));
}

// Any content under any extension of the dialog either opens completely or
// leaves the document empty; a failure other than an invalid picture shows a text.
TEST_F(DocumentTest, DamagedFilesUnderEveryListedExtensionNeverHalfChangeTheDocument)
{
    const QByteArray contents[] = {
        QByteArray(),
        QByteArray("Ceci n'est pas une image.\n"),
        QByteArray("BM") + QByteArray(60, '\xff'),
        QByteArray("GIF89a") + QByteArray(20, '\x7f'),
        QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(30, '\x01'),
        QByteArray("\xff\xd8\xff\xe0") + QByteArray(40, '\x00'),
        QByteArray("II*\0") + QByteArray(40, '\x10'),
        QByteArray("8BPS") + QByteArray(40, '\x02'),
        QByteArray(4096, '\x55'),
    };
    const char* extensions[] = {"bmp", "gif", "jpg", "pcd", "pcx", "png", "psd", "psp", "tga", "tif"};
    int attempt = 0;
    for (const char* extension : extensions) {
        for (const QByteArray& bytes : contents) {
            const QString path = file(QStringLiteral("damaged%1.%2").arg(attempt++).arg(QLatin1String(extension)));
            test::writeBytes(path, bytes);
            const qsizetype errorsBefore = dialogs.errors.size();
            open(path);
            const bool opened = form.Image1->Picture().hasGraphic();
            SCOPED_TRACE(path.toStdString());
            if (opened) {
                EXPECT_EQ(form.document().fileName(), path);
                EXPECT_TRUE(form.Image1->PictureOriginal().hasGraphic());
                EXPECT_TRUE(form.ImageCIBLE->Picture().hasGraphic());
                EXPECT_TRUE(statusLine().startsWith(path + QStringLiteral(" | ")));
            } else {
                EXPECT_TRUE(form.document().fileName().isEmpty());
                EXPECT_FALSE(form.Image1->PictureOriginal().hasGraphic());
                EXPECT_TRUE(statusLine().isEmpty());
                for (qsizetype i = errorsBefore; i < dialogs.errors.size(); ++i)
                    EXPECT_FALSE(dialogs.errors[i].trimmed().isEmpty());
            }
        }
    }
}

// The dialog as users see it, placed from the main window's corner after the window moved.
TEST(OpenDialogPlacement, FollowsTheMainWindowAfterItMoved)
{
    QtServices services;
    QtDialogs& dialogs = services.dialogs();
    TProgramForm form(services.services());
    dialogs.setMainWindow(&form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.move(37, 52);
    QApplication::processEvents();

    QPoint placed;
    QString title;
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        placed = dialog->frameGeometry().topLeft();
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        dialog->reject();
    });
    form.runCommand("Ouvriruneimage1");
    EXPECT_EQ(placed, form.frameGeometry().topLeft() + QPoint(170, 230));
    EXPECT_EQ(title, QStringLiteral(" Ouvrir une image "));
    EXPECT_EQ(filters.size(), 11);
}

// The type chosen in one opening is the one the next opening offers, with the file.
TEST(OpenDialogMemory, TheRealDialogOffersTheTypeAndFileChosenLastTime)
{
    QTemporaryDir folder;
    const QString picture = QDir(folder.path()).filePath(QStringLiteral("sample.bmp"));
    test::writeBmp(picture, samplePicture());
    QtServices services;
    TProgramForm form(services.services());
    services.dialogs().setMainWindow(&form);

    auto answerWhenShown = [](std::function<void(QFileDialog&, QComboBox&, QLineEdit&)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog, *dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")),
                *dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")));
            if (dialog->isVisible()) dialog->reject();
        });
    };
    answerWhenShown([&](QFileDialog& dialog, QComboBox& types, QLineEdit& name) {
        EXPECT_EQ(types.currentText(), QStringLiteral(" Toutes les images (*.*)"));
        types.setCurrentIndex(1); // as a user's choice does
        emit types.activated(1);
        name.setText(picture);
        static_cast<QDialog&>(dialog).accept();
    });
    form.runCommand("Ouvriruneimage1");
    ASSERT_EQ(form.document().fileName(), picture);

    int offered = -1;
    QString proposed;
    answerWhenShown([&](QFileDialog&, QComboBox& types, QLineEdit& name) {
        offered = types.currentIndex();
        proposed = name.text();
    });
    form.runCommand("Ouvriruneimage1");
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(proposed, QStringLiteral("sample.bmp"));
}

// -------------------------------------------------------- Fermer, Supprimer

TEST_F(DocumentTest, CloseThenReloadBringsThePictureBack)
{
    open(samplePath);
    form.runCommand("Fermerlimage1");
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_FALSE(form.Image1->PictureOriginal().hasGraphic());
    EXPECT_TRUE(statusLine().isEmpty());
    EXPECT_EQ(form.document().fileName(), samplePath);
    EXPECT_TRUE(form.ImageCIBLE->Picture().hasGraphic());

    form.runCommand("Annuler1");
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_TRUE(sameBitmap(samplePicture(), shown()));
    EXPECT_TRUE(sameBitmap(samplePicture(), *form.Image1->PictureOriginal().bitmapIfAny()));
    EXPECT_EQ(statusLine(), samplePath + QStringLiteral(" | 3 x 2 pixels | 5 couleurs"));
}

TEST_F(DocumentTest, CloseTwiceOrOnAnEmptyViewOnlyEmptiesTheStatusLine)
{
    form.EStatusBar1->setCaption(QStringLiteral("x"));
    form.runCommand("Fermerlimage1");
    form.runCommand("Fermerlimage1");
    EXPECT_TRUE(statusLine().isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(DocumentTest, DeleteAsksThenDeletesTheFileAndEmptiesTheShownPicture)
{
    open(samplePath);
    dialogs.answer(Answer::Yes);
    form.runCommand("Supprimer1");

    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].call, QStringLiteral("message"));
    EXPECT_EQ(dialogs.asked[1].title, kDeleteQuestion);
    EXPECT_EQ(dialogs.asked[1].kind, MessageKind::Confirmation);
    EXPECT_FALSE(QFile::exists(samplePath));
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_TRUE(form.Image1->PictureOriginal().hasGraphic());
    EXPECT_TRUE(statusLine().isEmpty());
    EXPECT_EQ(form.document().fileName(), samplePath);

    // The file is gone: the reload does nothing.
    form.runCommand("Annuler1");
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(DocumentTest, DeleteAnsweredNoKeepsFileAndPicture)
{
    open(samplePath);
    dialogs.answer(Answer::No);
    form.runCommand("Supprimer1");
    EXPECT_TRUE(QFile::exists(samplePath));
    EXPECT_TRUE(form.Image1->Picture().hasGraphic());
    EXPECT_FALSE(statusLine().isEmpty());
}

TEST_F(DocumentTest, DeleteWithoutANamedFileAsksNothing)
{
    const Bitmap pasted = samplePicture();
    form.Image1->PictureOriginal().assign(&pasted);
    form.runCommand("Supprimer1"); // no file name
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(form.Image1->Picture().hasGraphic());

    open(samplePath);
    ASSERT_TRUE(QFile::remove(samplePath));
    form.runCommand("Supprimer1"); // the file name names a missing file
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(form.Image1->Picture().hasGraphic());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(DocumentTest, DeleteNeverTouchesAFolderNamedByTheDocument)
{
    open(samplePath);
    form.document().setFileName(folder.path());
    form.runCommand("Supprimer1");
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(QDir(folder.path()).exists());
}

TEST_F(DocumentTest, DeleteOnAnEmptyViewAsksNothing)
{
    open(samplePath);
    form.runCommand("Fermerlimage1");
    form.runCommand("Supprimer1");
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(QFile::exists(samplePath));
}

TEST_F(DocumentTest, DeleteThatFailsIsReportedAndKeepsThePicture)
{
    open(samplePath);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    dialogs.answer(Answer::Yes);
    form.runCommand("Supprimer1");
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QFile::exists(samplePath)) GTEST_SKIP() << "running with rights that ignore folder permissions";
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Impossible de supprimer le fichier")));
    EXPECT_TRUE(form.Image1->Picture().hasGraphic());
}

// ------------------------------------- reload, return to the opened picture

TEST_F(DocumentTest, ReloadWithoutANameDoesNothing)
{
    form.runCommand("Annuler1");
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(DocumentTest, ReloadKeepsThumbnailWorkingBitmapsZoomAndTrackBars)
{
    open(samplePath);
    // The channel bar moves first: its scaling writes BitmapTRAVAIL.
    form.TrackBarROUGE->setPosition(100);
    const Bitmap edited = bitmapFrom(1, 1, {clBlack});
    form.document().working() = edited;
    form.Image1->setZoomX(300);
    test::writeBmp(samplePath, bitmapFrom(2, 1, {clBlue, clBlue}));
    form.runCommand("Annuler1");
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {clBlue, clBlue}), shown()));
    EXPECT_TRUE(sameBitmap(samplePicture(), *form.ImageCIBLE->Picture().bitmapIfAny()));
    EXPECT_TRUE(sameBitmap(edited, form.document().working()));
    EXPECT_EQ(form.Image1->ZoomX(), 300);
    EXPECT_EQ(form.TrackBarROUGE->Position(), 100);
    EXPECT_EQ(statusLine(), samplePath + QStringLiteral(" | 2 x 1 pixels | 1 couleurs"));
}

TEST_F(DocumentTest, ReloadOfADamagedFileShowsTheError)
{
    open(samplePath);
    test::writeBytes(samplePath, "abimé");
    form.runCommand("Annuler1");
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(sameBitmap(samplePicture(), shown()));
}

TEST_F(DocumentTest, ThumbnailClickWithoutAnOpenedFileDoesNothing)
{
    form.TrackBarROUGE->setPosition(10);
    form.runCommand("ImageCIBLEClick");
    EXPECT_EQ(form.TrackBarROUGE->Position(), 10);
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
}

TEST_F(DocumentTest, ThumbnailAndToolbarButtonReturnToThePictureAsOpened)
{
    open(samplePath);
    form.Image1->setZoomX(200);
    form.Notebook1->setCurrentIndex(4);
    const Bitmap edited = bitmapFrom(1, 1, {clBlack});
    form.Image1->PictureOriginal().assign(&edited);
    form.document().working() = edited;
    form.TrackBarSATURATION->setPosition(-100);
    form.TrackBarVERT->setPosition(0);
    recordTrackBarHandlers();
    form.EStatusBar1->setCaption(QString());

    form.runCommand("ImageCIBLEClick");
    EXPECT_EQ(handlersRun, (std::vector<QString>{QStringLiteral("VERT"), QStringLiteral("SATURATION")}));
    EXPECT_TRUE(sameBitmap(samplePicture(), shown()));
    EXPECT_TRUE(sameBitmap(samplePicture(), *form.Image1->PictureOriginal().bitmapIfAny()));
    EXPECT_TRUE(sameBitmap(samplePicture(), form.document().working()));
    EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    EXPECT_EQ(form.Image1->ZoomX(), 200);
    EXPECT_EQ(statusLine(), samplePath + QStringLiteral(" | 3 x 2 pixels | 5 couleurs"));

    form.Image1->PictureOriginal().assign(&edited);
    form.EStatusBar1->setCaption(QString());
    form.toolbarButton(QStringLiteral("Image9"))->OnClick();
    EXPECT_TRUE(sameBitmap(samplePicture(), shown()));
    EXPECT_FALSE(statusLine().isEmpty());
}

// ------------------------------------------ display reset, pointer readout

TEST_F(DocumentTest, ResetRestoresTheDisplayModesOnly)
{
    open(samplePath);
    form.Image1->setCenter(false);
    form.Image1->setProportional(false);
    form.Image1->setStretch(true);
    form.Image1->setTransparent(true);
    form.Image1->setZoomX(250);
    form.TrackBarBLEU->setPosition(20);
    form.runCommand("Vrifier1");
    EXPECT_TRUE(form.Image1->Center());
    EXPECT_TRUE(form.Image1->Proportional());
    EXPECT_FALSE(form.Image1->Stretch());
    EXPECT_FALSE(form.Image1->Transparent());
    EXPECT_EQ(form.Image1->ZoomX(), 250);
    EXPECT_EQ(form.TrackBarBLEU->Position(), 20);
}

TEST_F(DocumentTest, ResetTurnsGreyAndNegativeOff)
{
    open(samplePath);
    form.runCommand("Ngatif1");
    form.Image1->setPicGrayScale(true);
    form.runCommand("Vrifier1");
    EXPECT_FALSE(form.Image1->PicInvert());
    EXPECT_FALSE(form.Image1->PicGrayScale());
    EXPECT_TRUE(sameBitmap(samplePicture(), shown()));
}

TEST_F(DocumentTest, ReloadDropsTheEffectsButLeavesTheTrackBarReading)
{
    open(samplePath);
    form.TrackBarLUMINOSITE->setPosition(100);
    ASSERT_FALSE(sameBitmap(samplePicture(), shown()));
    form.runCommand("Annuler1");
    EXPECT_TRUE(sameBitmap(samplePicture(), shown()));
    EXPECT_EQ(form.TrackBarLUMINOSITE->Position(), 100);
    EXPECT_EQ(form.Image1->PicBrightness(), 0);
}

TEST_F(DocumentTest, PointerReadoutShowsViewCoordinatesAndEmptiesOnLeaving)
{
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.Image1->setZoomX(400);
    QMouseEvent move(QEvent::MouseMove, QPointF(120, 45), form.Image1->mapToGlobal(QPointF(120, 45)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.Image1, &move);
    EXPECT_EQ(form.LabelCURSOR->text(), QStringLiteral("120 x 45"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form.Image1, &leave);
    EXPECT_TRUE(form.LabelCURSOR->text().isEmpty());
}

} // namespace
} // namespace kel
