// The resize and selection pages, driven through their own controls with
// synthesised keys and mouse, as the user reaches them from the main window.
#include "app/document/colour_count.h"
#include "app/program_form.h"
#include "graphics/pixel_rows.h"
#include "pages/operation_pages.h"
#include "pages/resize_page.h"
#include "pages/selection_page.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/spin_edit.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace kel {
namespace {

using test::sameBitmap;

Bitmap asymmetric(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 3 % 256, y * 7 % 256, (x * y) % 256));
    return bitmap;
}

// The picture whose pixel (x, y) is the source's pixel at where(x, y).
Bitmap sampled(int width, int height, const Bitmap& source, const std::function<QPoint(int, int)>& where)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QPoint p = where(x, y);
            writePixel(bitmap, x, y, readPixel(source, p.x(), p.y()));
        }
    return bitmap;
}

class GeometryPages : public testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // The state an opened file leaves: every piece holds the picture.
    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().initial() = picture;
        form.document().setFileName(QStringLiteral("photo.bmp"));
    }

    // Replaces the edit's text the way the user does: select all, type.
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    // Every piece of the document holds `expected` (colours compared).
    void expectDocument(const Bitmap& expected)
    {
        EXPECT_TRUE(sameBitmap(expected, form.Image1->Picture().bitmap()));
        EXPECT_TRUE(sameBitmap(expected, form.Image1->PictureOriginal().bitmap()));
        EXPECT_TRUE(sameBitmap(expected, form.document().working()));
        EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    }

    ResizePage& resize() { return form.pages().resize(); }
    SelectionPage& selection() { return form.pages().selection(); }
    QString status() { return form.EStatusBar1->Caption(); }
    QStringList& errors() { return fakes.dialogs.errors; }

    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

TEST_F(GeometryPages, ResizeCommitsTheSizeTheEditsChooseWithNearestPixels)
{
    struct Case {
        const char* what;
        int width, height;
        int percent;                           // -1: the bar is left at 100
        QString proposedWidth, proposedHeight; // what the bar writes into the edits
        const char* typedWidth;                // nullptr: left as written
        const char* typedHeight;
        int expectedWidth, expectedHeight;
    };
    const Case cases[] = {
        {"301 x 201 at 50 %", 301, 201, 50, "150", "100", nullptr, nullptr, 150, 100},
        {"opened at once", 64, 48, -1, "64", "48", nullptr, nullptr, 64, 48},
        {"portrait follows the height", 200, 400, -1, "200", "400", "999", "100", 50, 100},
        {"square takes both edits", 200, 200, -1, "200", "200", "300", "100", 300, 100},
        {"600 % past the edit's maximum", 1000, 10, 600, "6000", "60", nullptr, nullptr, 6000, 60},
        {"0 % gives an empty picture", 30, 20, 0, "0", "0", nullptr, nullptr, 0, 0},
        {"an emptied width reads as 10", 40, 20, -1, "40", "20", "", nullptr, 10, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bitmap start = asymmetric(c.width, c.height);
        open(start);
        form.runCommand("Redimensionnerlimage2");
        ASSERT_EQ(form.Notebook1->currentIndex(), 1);
        if (c.percent >= 0) resize().TrackBarSCALE->slider()->setValue(c.percent);
        EXPECT_EQ(resize().EditPOURCENT->text(), QString::number(c.percent >= 0 ? c.percent : 100));
        EXPECT_EQ(resize().EditLARGEUR->text(), c.proposedWidth);
        EXPECT_EQ(resize().EditHAUTEUR->text(), c.proposedHeight);
        if (c.typedWidth) type(resize().EditLARGEUR, QString::fromUtf8(c.typedWidth));
        if (c.typedHeight) type(resize().EditHAUTEUR, QString::fromUtf8(c.typedHeight));
        resize().Button3->click(); // the edits keep their focus: their text is read as it stands
        ASSERT_TRUE(errors().isEmpty()) << errors().join(' ').toStdString();
        const int w = c.expectedWidth, h = c.expectedHeight;
        expectDocument(sampled(w, h, start, [&](int x, int y) { return QPoint(x * c.width / w, y * c.height / h); }));
        EXPECT_TRUE(status().startsWith(QStringLiteral("photo.bmp | %1 x %2 pixels | ").arg(w).arg(h)))
            << status().toStdString();
    }
    EXPECT_EQ(status(), QStringLiteral("photo.bmp | 10 x 5 pixels | 50 couleurs"));
    open(asymmetric(8, 8));
    form.runCommand("Redimensionnerlimage2");
    resize().TrackBarSCALE->slider()->setValue(0);
    resize().Button3->click();
    EXPECT_EQ(status(), QStringLiteral("photo.bmp | 0 x 0 pixels | 0 couleurs"));
}

TEST_F(GeometryPages, ResizeRefusesSizesNoBitmapCanTakeBeforeTheDocumentChanges)
{
    struct Case {
        const char* what;
        int width, height, percent;
        const char* typedWidth;
        const char* error;
    };
    const Case cases[] = {
        {"negative width typed", 300, 200, 100, "-20", "Dimensions d'image incorrectes (-20 x -13)"},
        {"600 % of 6000 pixels", 6000, 2, 600, nullptr, "Image trop grande (36000 x 12 pixels)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        errors().clear();
        const Bitmap start = asymmetric(c.width, c.height);
        open(start);
        form.runCommand("Redimensionnerlimage2");
        resize().TrackBarSCALE->slider()->setValue(c.percent);
        if (c.typedWidth) type(resize().EditLARGEUR, QString::fromUtf8(c.typedWidth));
        resize().Button3->click();
        EXPECT_EQ(errors(), QStringList{QString::fromUtf8(c.error)});
        EXPECT_TRUE(sameBitmap(start, form.Image1->Picture().bitmap()));
        EXPECT_TRUE(sameBitmap(start, form.document().working()));
        EXPECT_EQ(form.Notebook1->currentIndex(), 1);
    }
}

TEST_F(GeometryPages, SizeEditsRefuseLettersAndComeIntoRangeWhenLeft)
{
    open(asymmetric(300, 200));
    form.runCommand("Redimensionnerlimage2");
    TSpinEdit* width = resize().EditLARGEUR;
    TSpinEdit* height = resize().EditHAUTEUR;
    QSignalSpy refused(width, &TSpinEdit::keyRefused);
    type(width, QStringLiteral("5x0a00"));
    EXPECT_EQ(refused.count(), 2);
    EXPECT_EQ(width->text(), QStringLiteral("5000"));
    type(height, QString()); // leaving the width brings it to 4000
    EXPECT_EQ(width->text(), QStringLiteral("4000"));
    resize().Button3->setFocus(); // leaving the emptied height brings it to 10
    EXPECT_EQ(height->text(), QStringLiteral("10"));
    QTest::mouseClick(resize().Button1, Qt::LeftButton);
    EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    EXPECT_EQ(form.Image1->Picture().width(), 300); // Annuler changes nothing
}

// Brightness applied twice saturates more pixels than once, which tells the
// committed picture (the shown one) from the recomputed one.
TEST_F(GeometryPages, WithAnEffectTheShownPictureIsCommittedAndTheEffectAppliesAgain)
{
    struct Case {
        const char* what;
        std::function<void()> commit;
        Rect kept;
    };
    const Case cases[] = {
        {"resize at 100 %", [this] { form.runCommand("Redimensionnerlimage2"); resize().Button3->click(); },
         {0, 0, 300, 200}},
        {"selection of all it can take",
         [this] {
             form.runCommand("Slectionrectnagulaire1");
             QTest::mousePress(selection().ImageToutBureau, Qt::LeftButton, {}, QPoint(299, 199));
             QTest::mouseRelease(selection().ImageToutBureau, Qt::LeftButton, {}, QPoint(-5, -5));
         },
         {0, 0, 299, 199}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open(asymmetric(300, 200));
        form.TrackBarLUMINOSITE->setPosition(0);
        form.TrackBarLUMINOSITE->setPosition(100);
        const Bitmap before = form.Image1->Picture().bitmap();
        c.commit();
        const Rect r = c.kept;
        const Bitmap committed =
            sampled(r.width(), r.height(), before, [&](int x, int y) { return QPoint(r.left + x, r.top + y); });
        EXPECT_TRUE(sameBitmap(committed, form.document().working()));
        EXPECT_TRUE(sameBitmap(committed, form.Image1->PictureOriginal().bitmap()));
        EXPECT_FALSE(sameBitmap(committed, form.Image1->Picture().bitmap()));
        if (r.width() == 300) // the status line counted the picture before the effect applied again
            EXPECT_TRUE(status().endsWith(QStringLiteral(" | %1 couleurs").arg(CountColors(committed))));
    }
}

class SelectionDrags : public GeometryPages {
protected:
    QWidget* picture() { return selection().ImageToutBureau; }

    void drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        QTest::mousePress(picture(), button, {}, from);
        QTest::mouseMove(picture(), (from + to) / 2);
        QTest::mouseMove(picture(), to);
        QTest::mouseRelease(picture(), button, {}, to);
    }
};

TEST_F(SelectionDrags, TheDraggedRectangleOfTheShownPictureBecomesThePicture)
{
    struct Case {
        const char* what;
        Qt::MouseButton button;
        QPoint from, to;
        Rect expected; // right and bottom excluded
    };
    const Case cases[] = {
        {"down and right", Qt::LeftButton, {10, 20}, {110, 70}, {10, 20, 110, 70}},
        {"up and left, right button", Qt::RightButton, {110, 70}, {10, 20}, {10, 20, 110, 70}},
        {"past the bottom right corner", Qt::MiddleButton, {250, 150}, {420, 333}, {250, 150, 299, 199}},
        {"past the top left corner", Qt::LeftButton, {50, 40}, {-30, -60}, {0, 0, 50, 40}},
        {"a click without moving", Qt::LeftButton, {40, 40}, {40, 40}, {40, 40, 40, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bitmap start = asymmetric(300, 200);
        open(start);
        form.runCommand("Slectionrectnagulaire1");
        ASSERT_EQ(form.Notebook1->currentIndex(), 2);
        EXPECT_EQ(picture()->size(), QSize(300, 200));
        drag(c.button, c.from, c.to);
        const Rect r = c.expected;
        expectDocument(sampled(r.width(), r.height(), start, [&](int x, int y) { return QPoint(r.left + x, r.top + y); }));
        EXPECT_EQ(status(), QStringLiteral("%1 x %2 pixels").arg(r.width()).arg(r.height()));
    }
    EXPECT_TRUE(errors().isEmpty()) << errors().join(' ').toStdString();
}

TEST_F(SelectionDrags, AReleaseWithoutADragCropsNothing)
{
    open(asymmetric(300, 200));
    form.runCommand("Slectionrectnagulaire1");
    drag(Qt::LeftButton, {10, 20}, {110, 70});
    const Bitmap next = asymmetric(200, 100);
    open(next);
    form.runCommand("Slectionrectnagulaire1");
    QTest::mouseRelease(picture(), Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_EQ(form.Notebook1->currentIndex(), 2);
    EXPECT_TRUE(sameBitmap(next, form.Image1->Picture().bitmap()));
}

TEST_F(SelectionDrags, NoBandStaysOnTheScreen)
{
    open(asymmetric(300, 200));
    form.runCommand("Slectionrectnagulaire1");
    QWidget* area = selection().ScrollBox1;
    const QImage before = area->grab().toImage();
    QTest::mousePress(picture(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(picture(), QPoint(200, 150));
    EXPECT_NE(area->grab().toImage(), before); // the band shows while dragging
    QTest::mouseRelease(picture(), Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(area->grab().toImage(), before);
}

} // namespace
} // namespace kel
