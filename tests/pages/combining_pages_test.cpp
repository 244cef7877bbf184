// The fusion, fill and incline pages, driven through their own controls with
// scripted dialogs and synthesised clicks, as the user reaches them from the
// main window. The blend, fill and turn arithmetic is tested on its own.
#include "app/program_form.h"
#include "codecs/writers.h"
#include "operations/flood_fill.h"
#include "operations/mirror_turn.h"
#include "pages/fill_page.h"
#include "pages/fusion_page.h"
#include "pages/incline_page.h"
#include "pages/operation_pages.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::sameBitmap;

Bitmap filled(int width, int height, Colour colour)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.setPixel(x, y, colour);
    return bitmap;
}

Bitmap numbered(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.setPixel(x, y, rgb(x * 13 + y, y * 17 + 3, (x * y * 7) & 0xFF));
    return bitmap;
}

class CombiningPages : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // The state an opened file leaves: every piece holds the picture.
    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().setFileName(QStringLiteral("photo.bmp"));
    }
    QString writeFile(const QString& name, const Bitmap& picture)
    {
        const QString path = QDir(folder.path()).filePath(name);
        codecs::writeBitmap(picture, path, codecs::WriteFormat::Bmp);
        return path;
    }
    void openFusion(const QString& secondFile)
    {
        fakes.dialogs.answerFile(secondFile);
        form.runCommand("Fusionneravecuneimage1");
    }
    void click(QWidget* widget, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(widget, button, {}, at.isNull() ? widget->rect().center() : at);
    }
    static const Bitmap& shownIn(TImageAdapter* view) { return *view->Picture().bitmapIfAny(); }
    const Bitmap& shown() { return *form.Image1->Picture().bitmapIfAny(); }
    int page() const { return form.Notebook1->currentIndex(); }

    FusionPage& fusion() { return form.pages().fusion(); }
    FillPage& fill() { return form.pages().fill(); }
    InclinePage& incline() { return form.pages().incline(); }

    QTemporaryDir folder;
    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

TEST_F(CombiningPages, FusionBlendsAtTheTrackBarPositionAndValiderCommitsIt)
{
    struct Case {
        int first, second, position, expected;
    };
    for (const Case& c : {Case{100, 201, 5, 150}, {0, 255, 10, 170}, {37, 200, 0, 37}}) {
        SCOPED_TRACE(testing::Message() << c.first << " and " << c.second << " at " << c.position);
        open(filled(100, 80, rgb(c.first, 9, 9)));
        openFusion(writeFile(QStringLiteral("second.bmp"), filled(100, 80, rgb(c.second, 9, 9))));
        ASSERT_EQ(page(), 4);
        EXPECT_EQ(fakes.dialogs.asked.back().request.title, QStringLiteral(" Ouvrir une image "));
        fusion().TrackBarFUSION->setPosition(c.position);
        click(fusion().Button7);
        click(fusion().Button7); // from scratch each time: no accumulation
        const Bitmap expected = filled(100, 80, rgb(c.expected, 9, 9));
        EXPECT_TRUE(sameBitmap(expected, shownIn(fusion().ImageFUSION3)));
        click(fusion().Button9);
        EXPECT_EQ(page(), 0);
        EXPECT_TRUE(sameBitmap(expected, shown()));
        EXPECT_TRUE(sameBitmap(expected, form.document().working()));
        EXPECT_EQ(form.EStatusBar1->Caption(), QStringLiteral("photo.bmp | 100 x 80 pixels | 1 couleurs"));
    }
    // The open dialog's memory is the one " Ouvrir" uses.
    fakes.dialogs.cancelFile();
    form.runCommand("Ouvriruneimage1");
    EXPECT_EQ(fakes.dialogs.asked.back().request.fileName, QDir(folder.path()).filePath(QStringLiteral("second.bmp")));
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
}

TEST_F(CombiningPages, FusionRefusesOtherSizesUnreadableFilesAndStaleResults)
{
    const Bitmap first = filled(100, 80, rgb(100, 9, 9));
    open(first);
    openFusion(writeFile(QStringLiteral("same.bmp"), filled(100, 80, rgb(201, 9, 9))));
    click(fusion().Button7);
    const Bitmap earlier = shownIn(fusion().ImageFUSION3);

    openFusion(writeFile(QStringLiteral("taller.bmp"), filled(100, 81, clWhite)));
    ASSERT_EQ(page(), 4);
    click(fusion().Button7);
    EXPECT_EQ(fakes.dialogs.asked.back().call, QStringLiteral("plainMessage"));
    EXPECT_EQ(fakes.dialogs.asked.back().title,
              QStringLiteral("Les 2 images n' ont pas les mêmes dimensions !") + QString(11, u' '));
    EXPECT_TRUE(sameBitmap(earlier, shownIn(fusion().ImageFUSION3)));
    // The result on show was made in an earlier opening: Valider leaves the picture.
    click(fusion().Button9);
    EXPECT_EQ(page(), 4);
    EXPECT_TRUE(sameBitmap(first, shown()));

    form.Notebook1->setCurrentIndex(0);
    const QString text = QDir(folder.path()).filePath(QStringLiteral("notes.txt"));
    QFile(text).open(QIODevice::WriteOnly);
    const std::size_t asked = fakes.dialogs.asked.size();
    openFusion(text);
    EXPECT_EQ(page(), 0);
    EXPECT_FALSE(fusion().ImageFUSION2->Picture().hasGraphic());
    EXPECT_EQ(fakes.dialogs.asked.size(), asked + 1); // the open dialog only
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
}

TEST_F(CombiningPages, FillRecoloursTheClickedRegionWithTheEditsLowEightBits)
{
    struct Case {
        Colour region;
        const char *red, *green, *blue;
        Colour expected;
    };
    const Case cases[] = {
        {clBlue, "255", "0", "0", clRed},
        {clBlue, "0", "255", "0", clLime},
        {rgb(200, 100, 50), "0", "0", "255", rgb(50, 50, 200)},
        {clBlue, "511", "256", "-1", rgb(255, 0, 255)}, // the low 8 bits
        {rgb(128, 128, 128), "0", "255", "0", rgb(128, 128, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::colourText(c.region) + " with " + c.red + " " + c.green + " " + c.blue);
        open(filled(10, 10, c.region));
        form.pages().publish(PickedColour{7, 8, 9, {}});
        form.runCommand("Remplirlimage1");
        ASSERT_EQ(page(), 5);
        EXPECT_EQ(fill().FlatEdit.red->text(), QStringLiteral("0"));
        EXPECT_EQ(fill().GPanel5->Color_2(), clBlack);
        fill().FlatEdit.red->setText(QString::fromUtf8(c.red));
        fill().FlatEdit.green->setText(QString::fromUtf8(c.green));
        fill().FlatEdit.blue->setText(QString::fromUtf8(c.blue));
        click(fill().ImageFILL, {}, Qt::RightButton);
        EXPECT_TRUE(sameBitmap(filled(10, 10, c.expected), shownIn(fill().ImageFILL)));
        EXPECT_EQ(form.pickedColour().red, QString::fromUtf8(c.red).toInt());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    click(fill().Button12);
    EXPECT_EQ(page(), 0);
    EXPECT_TRUE(sameBitmap(filled(10, 10, rgb(128, 128, 128)), form.document().working()));

    form.runCommand("Remplirlimage1");
    fill().FlatEdit.green->setText(QStringLiteral("2x"));
    click(fill().ImageFILL);
    EXPECT_EQ(fakes.dialogs.errors, QStringList{QStringLiteral("'2x' n'est pas une valeur entière correcte")});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CombiningPages, FillToleranceComesFromTheTrackBar)
{
    // Left half (20, 60, 240), right half one channel `step` further; an
    // isolated red pixel in the middle of the left half.
    struct Case {
        int step, percent;
        bool joined;
    };
    for (const Case& c : {Case{60, 50, true}, {60, 30, false}, {123, 82, false}, {123, 83, true}}) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " at " << c.percent);
        Bitmap picture = filled(20, 20, rgb(20, 60, 240));
        for (int y = 0; y < 20; ++y)
            for (int x = 10; x < 20; ++x) picture.setPixel(x, y, rgb(20 + c.step, 60, 240));
        picture.setPixel(5, 5, clRed);
        open(picture);
        form.runCommand("Remplirlimage1");
        fill().TrackBarFILL->setPosition(c.percent);
        fill().FlatEdit.green->setText(QStringLiteral("255"));
        const Rect place = fill().ImageFILL->DisplayRect();
        click(fill().ImageFILL, QPoint(place.left + 5, place.top + 5)); // the isolated pixel: nothing
        EXPECT_TRUE(sameBitmap(picture, shownIn(fill().ImageFILL)));
        click(fill().ImageFILL, QPoint(place.left + 1, place.top + 1));
        const Bitmap& result = shownIn(fill().ImageFILL);
        EXPECT_EQ(result.pixel(0, 19), fillHueColour(rgb(20, 60, 240), clLime));
        EXPECT_EQ(result.pixel(19, 0), c.joined ? fillHueColour(picture.pixel(19, 0), clLime) : picture.pixel(19, 0));
        EXPECT_EQ(result.pixel(5, 5), clRed);
    }
}

TEST_F(CombiningPages, FillSeedIsThePicturePixelDrawnUnderThePointer)
{
    // A 2 x 2 blue block on yellow; tolerance 0 keeps the fill within it.
    struct Case {
        int width, height;
        QPoint block, pointer; // pointer in the preview's coordinates
    };
    // 50 x 40 drawn as it is at (187, 192); 850 x 600 halved to 425 x 300 at (0, 62).
    for (const Case& c : {Case{50, 40, {10, 5}, {197, 197}}, {850, 600, {200, 100}, {100, 112}}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Bitmap picture = filled(c.width, c.height, rgb(255, 255, 0)), expected = filled(c.width, c.height, rgb(255, 255, 0));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                picture.setPixel(c.block.x() + x, c.block.y() + y, clBlue);
                expected.setPixel(c.block.x() + x, c.block.y() + y, clLime);
            }
        open(picture);
        form.runCommand("Remplirlimage1");
        fill().TrackBarFILL->setPosition(100);
        fill().FlatEdit.green->setText(QStringLiteral("255"));
        click(fill().ImageFILL, {3, 3}); // beside the picture: nothing, even at 100 %
        EXPECT_TRUE(sameBitmap(picture, shownIn(fill().ImageFILL)));
        fill().TrackBarFILL->setPosition(0);
        click(fill().ImageFILL, c.pointer);
        EXPECT_TRUE(sameBitmap(expected, shownIn(fill().ImageFILL)));
    }
}

TEST_F(CombiningPages, InclineTurnsTheShownPictureOverTheEditsBackground)
{
    const Bitmap ramp5 = [] {
        Bitmap b(5, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) b.setPixel(x, y, rgb(10 + 20 * x + 3 * y, 200 - 7 * x - 11 * y, 5 * x + 40 * y));
        return b;
    }();
    // On the odd side the turn about (2, 2) shows source row 3 - x in column x, the background in column 4.
    Bitmap ramp5At90(5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) ramp5At90.setPixel(x, y, x == 4 ? rgb(1, 2, 3) : ramp5.pixel(y, 3 - x));
    struct Case {
        Bitmap source;
        int angle;
        Bitmap expected;
    };
    const Case cases[] = {
        {numbered(7, 5), 0, numbered(7, 5)},
        {numbered(6, 6), 90, rotateBitmap(numbered(6, 6), QuarterTurn::Clockwise)},
        {ramp5, 90, ramp5At90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source.width() << " x " << c.source.height() << " at " << c.angle);
        open(c.source);
        form.runCommand("Inclinerlimage1");
        ASSERT_EQ(page(), 7);
        incline().FlatEdit.show(PickedColour{1, 2, 3, {}});
        incline().TrackBarINCLINER->setPosition(c.angle);
        click(incline().Button15);
        click(incline().Button15); // from the shown picture again, not from the preview
        EXPECT_TRUE(sameBitmap(c.expected, shownIn(incline().ImageINCLINER)));
    }
    // 45 degrees on 200 x 100: the corners show the background, the middle the picture.
    open(filled(200, 100, rgb(20, 40, 60)));
    form.runCommand("Inclinerlimage1");
    incline().FlatEdit.blue->setText(QStringLiteral("255"));
    incline().TrackBarINCLINER->setPosition(45);
    click(incline().Button15);
    click(incline().Button17);
    EXPECT_EQ(page(), 0);
    const Bitmap* results[] = {&shown(), form.Image1->PictureOriginal().bitmapIfAny(), &form.document().working()};
    for (const Bitmap* result : results) {
        for (QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 99), QPoint(199, 99)})
            EXPECT_EQ(result->pixel(corner.x(), corner.y()), clBlue);
        EXPECT_EQ(result->pixel(100, 50), rgb(20, 40, 60));
    }
    EXPECT_EQ(form.EStatusBar1->Caption(), QStringLiteral("photo.bmp | 200 x 100 pixels | 2 couleurs"));
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
}

} // namespace
} // namespace kel
