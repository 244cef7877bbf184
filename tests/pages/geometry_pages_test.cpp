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

// The reference picture whose pixel (x, y) is the source's pixel at where(x, y).
Bitmap sampled(int width, int height, const Bitmap& source, const std::function<QPoint(int, int)>& where)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, readPixel(source, where(x, y).x(), where(x, y).y()));
    return bitmap;
}

Bitmap cropped(const Bitmap& source, Rect r)
{
    return sampled(r.width(), r.height(), source, [&](int x, int y) { return QPoint(r.left + x, r.top + y); });
}

class GeometryPages : public testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().setFileName(QStringLiteral("photo.bmp"));
    }

    // Replaces the edit's text as the user does; the edit keeps the focus.
    static void type(QLineEdit* edit, const char* text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }

    // Drags over the selection page; answers how it looked before the release.
    QImage drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        QTest::mousePress(picture(), button, {}, from);
        QTest::mouseMove(picture(), (from + to) / 2);
        QTest::mouseMove(picture(), to);
        const QImage during = form.pages().selection().ScrollBox1->grab().toImage();
        QTest::mouseRelease(picture(), button, {}, to);
        return during;
    }

    ResizePage& resize() { return form.pages().resize(); }
    QWidget* picture() { return form.pages().selection().ImageToutBureau; }
    QString status() { return form.EStatusBar1->Caption(); }
    Bitmap& shown() { return form.Image1->Picture().bitmap(); }

    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

TEST_F(GeometryPages, ResizeValiderStretchesToTheEditsKeepingTheAspectOrRefusesBeforeAnyChange)
{
    struct Case {
        const char* what;
        int width, height, percent; // percent -1: the bar stays at 100 and the edits show the picture's size
        const char* typedWidth;     // typed texts are read as they stand (the edit keeps the focus)
        const char* typedHeight;
        QSize expected;
        const char* error = nullptr;
    };
    const Case cases[] = {
        {"negative width", 300, 200, -1, "-20", nullptr, {}, "Dimensions d'image incorrectes (-20 x -13)"},
        {"600 % of 6000", 6000, 2, 600, nullptr, nullptr, {36000, 12}, "Image trop grande (36000 x 12 pixels)"},
        {"301 x 201 at 50 %", 301, 201, 50, nullptr, nullptr, {150, 100}},
        {"portrait follows the height", 200, 400, -1, "999", "100", {50, 100}},
        {"square takes both edits", 200, 200, -1, "300", "100", {300, 100}},
        {"emptied width reads as 10", 40, 20, -1, "", nullptr, {10, 5}},
        {"600 % past the edit's maximum", 1000, 10, 600, nullptr, nullptr, {6000, 60}},
        {"0 % empties the picture", 30, 20, 0, nullptr, nullptr, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bitmap start = asymmetric(c.width, c.height);
        open(start);
        form.runCommand("Redimensionnerlimage2");
        ASSERT_EQ(form.Notebook1->currentIndex(), 1);
        if (c.percent >= 0) resize().TrackBarSCALE->slider()->setValue(c.percent);
        const QSize proposed = c.percent >= 0 ? c.expected : QSize(c.width, c.height);
        EXPECT_EQ(resize().EditPOURCENT->text(), QString::number(c.percent >= 0 ? c.percent : 100));
        EXPECT_EQ(resize().EditLARGEUR->text(), QString::number(proposed.width()));
        EXPECT_EQ(resize().EditHAUTEUR->text(), QString::number(proposed.height()));
        if (c.typedWidth) type(resize().EditLARGEUR, c.typedWidth);
        if (c.typedHeight) type(resize().EditHAUTEUR, c.typedHeight);
        fakes.dialogs.errors.clear();
        resize().Button3->click();
        if (c.error) {
            EXPECT_EQ(fakes.dialogs.errors, QStringList{QString::fromUtf8(c.error)});
            EXPECT_TRUE(sameBitmap(start, shown()));
            EXPECT_EQ(form.Notebook1->currentIndex(), 1);
            continue;
        }
        ASSERT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
        const int w = c.expected.width(), h = c.expected.height();
        const Bitmap stretched = sampled(w, h, start, [&](int x, int y) { return QPoint(x * c.width / w, y * c.height / h); });
        EXPECT_TRUE(sameBitmap(stretched, shown()));
        EXPECT_TRUE(sameBitmap(stretched, form.document().working()));
        EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    }
    EXPECT_EQ(status(), QStringLiteral("photo.bmp | 0 x 0 pixels | 0 couleurs"));
}

TEST_F(GeometryPages, SizeEditsRefuseLettersAndComeIntoRangeWhenLeft)
{
    open(asymmetric(300, 200));
    form.runCommand("Redimensionnerlimage2");
    QSignalSpy refused(resize().EditLARGEUR, &TSpinEdit::keyRefused);
    type(resize().EditLARGEUR, "5x0a00");
    EXPECT_EQ(refused.count(), 2);
    EXPECT_EQ(resize().EditLARGEUR->text(), QStringLiteral("5000"));
    type(resize().EditHAUTEUR, "");
    EXPECT_EQ(resize().EditLARGEUR->text(), QStringLiteral("4000"));
    resize().Button1->setFocus();
    EXPECT_EQ(resize().EditHAUTEUR->text(), QStringLiteral("10"));
    QTest::mouseClick(resize().Button1, Qt::LeftButton); // Annuler changes nothing
    EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    EXPECT_EQ(shown().width(), 300);
}

// Brightness applied twice saturates more pixels than once: the committed
// picture is the shown one, the status line counts it before the recompute.
TEST_F(GeometryPages, WithAnEffectTheShownPictureIsCommittedAndTheEffectAppliesAgain)
{
    const std::pair<std::function<void()>, Rect> commits[] = {
        {[this] { form.runCommand("Redimensionnerlimage2"), resize().Button3->click(); }, {0, 0, 300, 200}},
        {[this] { form.runCommand("Slectionrectnagulaire1"), drag(Qt::LeftButton, {299, 199}, {-5, -5}); }, {0, 0, 299, 199}},
    };
    for (const auto& [commit, kept] : commits) {
        open(asymmetric(300, 200));
        form.TrackBarLUMINOSITE->setPosition(0);
        form.TrackBarLUMINOSITE->setPosition(100);
        const Bitmap committed = cropped(shown(), kept);
        commit();
        EXPECT_TRUE(sameBitmap(committed, form.document().working()));
        EXPECT_TRUE(sameBitmap(committed, form.Image1->PictureOriginal().bitmap()));
        EXPECT_FALSE(sameBitmap(committed, shown()));
        if (kept.width() == 300) EXPECT_TRUE(status().endsWith(QStringLiteral(" | %1 couleurs").arg(CountColors(committed))));
    }
}

TEST_F(GeometryPages, SelectionCropsTheDraggedRectangleWithItsEndKeptOnThePicture)
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
    QWidget* area = form.pages().selection().ScrollBox1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bitmap start = asymmetric(300, 200);
        open(start);
        form.runCommand("Slectionrectnagulaire1");
        const QImage before = area->grab().toImage();
        const QImage during = drag(c.button, c.from, c.to);
        if (c.expected.width() > 0) EXPECT_NE(during, before); // the band shows while dragging
        EXPECT_EQ(area->grab().toImage(), before);             // and leaves nothing behind
        EXPECT_TRUE(sameBitmap(cropped(start, c.expected), shown()));
        EXPECT_TRUE(sameBitmap(cropped(start, c.expected), form.document().working()));
        EXPECT_EQ(form.Notebook1->currentIndex(), 0);
        EXPECT_EQ(status(), QStringLiteral("%1 x %2 pixels").arg(c.expected.width()).arg(c.expected.height()));
    }
    // A release with no drag of its own (after an earlier drag) crops nothing.
    open(asymmetric(200, 100));
    form.runCommand("Slectionrectnagulaire1");
    QTest::mouseRelease(picture(), Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_EQ(form.Notebook1->currentIndex(), 2);
    EXPECT_EQ(shown().width(), 200);
}

} // namespace
} // namespace kel
