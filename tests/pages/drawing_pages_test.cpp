// The frame and text pages through their own controls in the real main
// window, and the picked colour reaching the pages' edits and swatches.
#include "app/program_form.h"
#include "graphics/pixel_rows.h"
#include "operations/text_drawing.h"
#include "pages/fill_page.h"
#include "pages/frame_page.h"
#include "pages/incline_page.h"
#include "pages/operation_pages.h"
#include "pages/text_page.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kel {
namespace {

using test::sameBitmap;

Bitmap pattern(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 5 % 256, y * 3 % 256, (x + y) % 256));
    return bitmap;
}

int pixelsOf(const Bitmap& bitmap, Colour colour)
{
    int count = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) count += readPixel(bitmap, x, y) == colour;
    return count;
}

class DrawingPages : public testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
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

    void setColourEdits(int r, int g, int b)
    {
        frame().FlatEdit.red->setText(QString::number(r));
        frame().FlatEdit.green->setText(QString::number(g));
        frame().FlatEdit.blue->setText(QString::number(b));
    }

    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }

    FramePage& frame() { return form.pages().frame(); }
    TextPage& text() { return form.pages().text(); }
    Bitmap& shown() { return form.Image1->Picture().bitmap(); }
    QSize shownSize() { return {shown().width(), shown().height()}; }

    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

TEST_F(DrawingPages, FrameBordersAccumulateInTheEditsLowBitsAndValiderLeavesTheOriginal)
{
    const Bitmap start = pattern(100, 80);
    open(start);
    form.pages().publish(PickedColour{0, 255, 0}); // the swatches' colour plays no part
    form.runCommand("Couper2");
    click(frame().Button6);
    click(frame().Button4); // Annuler: the document untouched, the next opening starts afresh
    EXPECT_TRUE(sameBitmap(start, shown()));
    form.runCommand("Couper2");
    ASSERT_EQ(form.Notebook1->currentIndex(), 3);
    EXPECT_EQ(frame().TrackBarCADRE->Position(), 4);

    setColourEdits(511, -256, 0); // low 8 bits: red 255, green 0, blue 0
    click(frame().Button6);
    setColourEdits(0, 0, 255);
    click(frame().Button6);
    // Outer 4-pixel ring blue, the next one red, the picture inside.
    Bitmap expected(116, 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 116; ++x) {
            const int edge = std::min({x, y, 115 - x, 95 - y});
            writePixel(expected, x, y, edge < 4 ? clBlue : edge < 8 ? clRed : readPixel(start, x - 8, y - 8));
        }
    EXPECT_TRUE(sameBitmap(expected, frame().ImageCADRE->Picture().bitmap()));
    EXPECT_TRUE(sameBitmap(start, shown())) << "Tester works on the preview only";

    click(frame().Button5);
    EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    EXPECT_TRUE(sameBitmap(expected, shown()));
    EXPECT_TRUE(sameBitmap(expected, form.document().working()));
    EXPECT_TRUE(sameBitmap(start, form.Image1->PictureOriginal().bitmap()));
    EXPECT_TRUE(form.EStatusBar1->Caption().startsWith(QStringLiteral("photo.bmp | 116 x 96 pixels | ")));
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty());
}

// A colour edit the user empties, or fills with what the key filter lets
// through but is no whole number, stays so when left and stops Tester on
// either page with the conversion error, the preview as it was.
TEST_F(DrawingPages, AColourEditThatIsNoWholeNumberStopsTesterOnBothPages)
{
    struct Case {
        const char* page;
        const char* typed;
    };
    for (const Case& c : {Case{"Couper2", ""}, Case{"Couper2", "1,5"}, Case{"Copier2", ""}, Case{"Copier2", "-"}}) {
        SCOPED_TRACE(std::string(c.page) + " '" + c.typed + "'");
        open(pattern(40, 30));
        fakes.dialogs.errors.clear();
        form.runCommand("Couper2");
        TSpinEdit* green = frame().FlatEdit.green;
        click(green);
        QTest::keyClick(green, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(green, Qt::Key_Backspace);
        QTest::keyClicks(green, QString::fromLatin1(c.typed));
        QPushButton* tester = frame().Button6;
        TImageAdapter* preview = frame().ImageCADRE;
        if (QByteArray(c.page) == "Copier2") {
            click(frame().Button4);
            form.runCommand("Copier2");
            QTest::keyClicks(text().EditTEXTES, QStringLiteral("Kelvary"));
            tester = text().Button10;
            preview = text().ImageTEXTES;
        }
        const Bitmap before = preview->Picture().bitmap();
        click(tester);
        EXPECT_EQ(fakes.dialogs.errors.join(u'|').toStdString(),
                  QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(c.typed).toStdString());
        EXPECT_TRUE(sameBitmap(before, preview->Picture().bitmap()));
        frame().FlatEdit.green->setText(QStringLiteral("0"));
    }
}

// Valider writes the shown picture and BitmapTRAVAIL, not the original: a
// view recompute works from the original and loses the frame, a tone bar
// re-derives the original from BitmapTRAVAIL and brings it back, unless a
// channel bar has meanwhile written the unframed picture to BitmapTRAVAIL.
TEST_F(DrawingPages, ValidatedFrameLivesInBitmapTravailOnly)
{
    struct Case {
        const char* name;
        std::function<void(TProgramForm&)> recompute;
        QSize afterRecompute;
        QSize afterToneBar;
    };
    const QSize framed(108, 88), plain(100, 80);
    const Case cases[] = {
        {"nothing", [](TProgramForm&) {}, framed, framed},
        {"Négatif", [](TProgramForm& f) { f.runCommand("Ngatif1"); }, plain, framed},
        {"channel bar", [](TProgramForm& f) { f.TrackBarROUGE->setPosition(200); }, plain, plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(pattern(100, 80));
        form.TrackBarROUGE->setPosition(255);
        form.TrackBarLUMINOSITE->setPosition(0);
        form.runCommand("Couper2");
        click(frame().Button6);
        click(frame().Button5);
        c.recompute(form);
        EXPECT_EQ(shownSize(), c.afterRecompute);
        form.TrackBarLUMINOSITE->setPosition(form.TrackBarLUMINOSITE->Position() + 10);
        EXPECT_EQ(shownSize(), c.afterToneBar);
        EXPECT_EQ(shown().pixelFormat(), pf24bit);
        if (form.Image1->PicInvert()) form.runCommand("Ngatif1");
    }
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty());
}

// Each Tester lays the text in the frame page's colour with the boxes'
// styles, the bar's size at (p, p), whatever the swatch shows.
TEST_F(DrawingPages, TextFollowsTheStyleBoxesSizeAndPosition)
{
    struct Case {
        bool bold, italic, underline;
        int position, points;
    };
    const Case cases[] = {{true, true, false, 20, 16}, {false, true, false, 20, 16}, {false, false, true, 0, 0},
                          {true, false, false, 250, 40}};
    const Bitmap start = pattern(300, 200);
    const Colour ink = rgb(7, 200, 9);
    int inked[std::size(cases)] = {};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        open(start);
        form.runCommand("Copier2");
        setColourEdits(redOf(ink), greenOf(ink), blueOf(ink));
        QTest::keyClicks(text().EditTEXTES, QStringLiteral("Kelvary"));
        for (auto [box, on] : {std::pair{text().FlatCheckBoxGRAS, c.bold}, {text().FlatCheckBoxITALIC, c.italic},
                               {text().FlatCheckBoxSOULIGNE, c.underline}})
            if (box->isChecked() != on) click(box);
        text().TrackBarPOSITION->setPosition(c.position);
        text().TrackBarPOLICE->setPosition(c.points);
        click(text().Button10);
        EXPECT_EQ(text().GPanel8->Color_2(), clBlack);

        Bitmap expected = start;
        drawPageText(expected, QStringLiteral("Kelvary"), c.position,
                     TextStyle{c.points, ink, c.bold, c.italic, c.underline});
        const Bitmap& preview = text().ImageTEXTES->Picture().bitmap();
        EXPECT_TRUE(sameBitmap(expected, preview));
        inked[i] = pixelsOf(preview, ink) - pixelsOf(start, ink);
        click(text().Button14);
        EXPECT_TRUE(sameBitmap(expected, shown()));
        EXPECT_TRUE(sameBitmap(expected, form.document().working()));
        EXPECT_TRUE(sameBitmap(start, form.Image1->PictureOriginal().bitmap()));
    }
    EXPECT_GT(inked[1], 0);
    EXPECT_GT(inked[2], 0);
    EXPECT_LT(inked[1], inked[0]) << "italic alone draws fewer pixels than bold italic";
    EXPECT_EQ(inked[3], 0) << "a position past the picture draws nothing";
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty());
}

// In the text edit, capitals and the editing keys type and edit: none of the
// menus' Maj+letter colours or Ctrl clipboard commands runs.
TEST_F(DrawingPages, TypingInTheTextEditNeverRunsCommands)
{
    open(pattern(40, 30));
    form.pages().publish(PickedColour{9, 9, 9});
    text().EditTEXTES->setText(QStringLiteral("ancien"));
    form.runCommand("Copier2");
    QLineEdit* edit = text().EditTEXTES;
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(text().GPanel8->Color_2(), clBlack);

    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers, const QString& typed = {}) {
        QTest::sendKeyEvent(QTest::Click, edit, k, typed, modifiers);
    };
    key(Qt::Key_K, Qt::ShiftModifier, QStringLiteral("K")); // Vert olive
    key(Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));
    key(Qt::Key_D, Qt::ShiftModifier, QStringLiteral("D")); // Rouge
    EXPECT_EQ(edit->text(), QStringLiteral("KeD"));
    key(Qt::Key_A, Qt::ControlModifier); // select all, not Acquérir
    key(Qt::Key_C, Qt::ControlModifier); // copy the text, not the picture
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(edit->text().isEmpty());
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("KeDKeD"));
    key(Qt::Key_Z, Qt::ControlModifier); // undo, not reload
    EXPECT_EQ(edit->text(), QStringLiteral("KeD"));

    for (TTrackBar* bar : {form.TrackBarROUGE, form.TrackBarVERT, form.TrackBarBLEU}) EXPECT_EQ(bar->Position(), 255);
    EXPECT_EQ(fakes.clipboard.puts, 0);
    EXPECT_TRUE(fakes.dialogs.asked.empty());
    EXPECT_EQ(form.Notebook1->currentIndex(), 6);

    // Outside an edit the same key is the menu's colour.
    form.EStatusBar1->setFocus();
    QTest::sendKeyEvent(QTest::Click, form.EStatusBar1, Qt::Key_K, QStringLiteral("K"), Qt::ShiftModifier);
    EXPECT_EQ(form.TrackBarBLEU->Position(), 0);
}

// A palette click and the colour dialog publish the picked colour to the
// nine edits (each within its range) and the seven swatches.
TEST_F(DrawingPages, ThePickedColourReachesEveryEditAndSwatch)
{
    open(pattern(40, 30));
    OperationPages& pages = form.pages();
    const auto check = [&](const PickedColour& colour) {
        for (const page_kit::ColourEdits& edits :
             {pages.frame().FlatEdit, pages.fill().FlatEdit, pages.incline().FlatEdit}) {
            const bool limited = edits.red->maximum() == 255;
            const auto inRange = [&](int v) { return limited ? std::clamp(v, 0, 255) : v; };
            EXPECT_EQ(edits.red->value(), inRange(colour.red));
            EXPECT_EQ(edits.green->value(), inRange(colour.green));
            EXPECT_EQ(edits.blue->value(), inRange(colour.blue));
        }
        for (TGPanel* swatch : {pages.frame().GPanel2, pages.frame().GPanel3, pages.fill().GPanel4,
                                pages.fill().GPanel5, pages.incline().GPanel6, pages.incline().GPanel7,
                                pages.text().GPanel8})
            EXPECT_EQ(swatch->Color_2(), colour.value());
    };

    const QPoint spot(120, 40);
    QTest::mouseMove(form.ImageCOLOR, spot);
    QTest::mouseClick(form.ImageCOLOR, Qt::LeftButton, {}, spot);
    const Colour underPointer = form.ImageCOLOR->Picture().bitmap().pixel(spot.x(), spot.y());
    EXPECT_NE(underPointer, clBlack); // the colour picked at start
    EXPECT_EQ(form.pickedColour().value(), underPointer);
    check(form.pickedColour());

    fakes.dialogs.answerColour(rgb(1, 2, 3));
    form.runCommand("PopupMenuColorPopup");
    EXPECT_EQ(form.pickedColour().value(), rgb(1, 2, 3));
    check(form.pickedColour());

    // Colours read from the fill page's unlimited edits may lie outside 0..255.
    pages.publish(PickedColour{300, -5, 128});
    check(PickedColour{300, -5, 128});
    EXPECT_TRUE(fakes.dialogs.allAnswersUsed());
}

} // namespace
} // namespace kel
