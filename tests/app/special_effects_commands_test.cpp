// The special-effects list driven through the real list box: how each kind of
// entry reaches the two pictures and BitmapTRAVAIL.
#include "app/program_form.h"
#include "graphics/pixel_rows.h"
#include "operations/special/blur_sharpen.h"
#include "operations/special/colour_effects.h"
#include "operations/special/shadows.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_colorizer.h"
#include "widgets/icon_list_box.h"

#include <QTest>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::sameBitmap;

Bitmap ramp(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
    return bitmap;
}

class SpecialEffectsList : public testing::Test {
protected:
    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = Bitmap(0, 0);
    }

    int row(const char* caption)
    {
        const auto items = form.ListBox1->findItems(QString::fromLatin1(caption), Qt::MatchExactly);
        return items.isEmpty() ? -1 : form.ListBox1->row(items.first());
    }

    // A real mouse click on the entry.
    void click(const char* caption)
    {
        const int index = row(caption);
        ASSERT_GE(index, 0) << caption;
        QListWidgetItem* item = form.ListBox1->item(index);
        form.ListBox1->scrollToItem(item);
        const QPoint centre = form.ListBox1->visualItemRect(item).center();
        QTest::mouseClick(form.ListBox1->viewport(), Qt::LeftButton, {}, centre);
    }

    const Bitmap& shown() { return form.Image1->Picture().bitmap(); }
    const Bitmap& original() { return form.Image1->PictureOriginal().bitmap(); }

    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

TEST_F(SpecialEffectsList, AClickAndAKeyboardMoveEachApplyTheEntryOnce)
{
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    open(ramp(9, 7));
    Bitmap once = ramp(9, 7);
    exposure(once);

    click("Exposure");
    EXPECT_TRUE(sameBitmap(once, shown()));
    EXPECT_TRUE(sameBitmap(once, original()));
    EXPECT_TRUE(sameBitmap(once, form.document().working()));

    // Clicking the chosen entry again applies it again: exposure twice.
    click("Exposure");
    Bitmap twice = once;
    exposure(twice);
    EXPECT_TRUE(sameBitmap(twice, shown()));

    // The arrow key moves to "Flaxen" and applies it once.
    form.ListBox1->setFocus();
    QTest::keyClick(form.ListBox1, Qt::Key_Down);
    ASSERT_EQ(form.ListBox1->currentRow(), row("Flaxen"));
    Bitmap flaxened = twice;
    flaxen(flaxened);
    EXPECT_TRUE(sameBitmap(flaxened, shown()));
    EXPECT_TRUE(sameBitmap(flaxened, original()));
}

TEST_F(SpecialEffectsList, TurnLeavesBothPicturesTurnedOnce)
{
    form.show();
    const Bitmap before = ramp(640, 480);
    open(before);
    click("Turn");
    ASSERT_EQ(original().width(), 480);
    ASSERT_EQ(original().height(), 640);
    EXPECT_TRUE(sameBitmap(original(), shown()));
    EXPECT_EQ(readPixel(original(), 0, 639), readPixel(before, 0, 0));
    EXPECT_TRUE(sameBitmap(original(), form.document().working()));

    click("Turn right ");
    EXPECT_TRUE(sameBitmap(before, original()));
    EXPECT_TRUE(sameBitmap(before, shown()));
}

TEST_F(SpecialEffectsList, AShadowShowsTwiceUntilTheNextRecompute)
{
    form.show();
    Bitmap dot(12, 12);
    writePixel(dot, 6, 6, clBlack);
    open(dot);
    click("Shadow down right");

    Bitmap once = dot;
    shadowDownRight(once);
    Bitmap twice = once;
    shadowDownRight(twice);
    EXPECT_TRUE(sameBitmap(once, original()));
    EXPECT_TRUE(sameBitmap(twice, shown()));
    form.Image1->ApplyEffects();
    EXPECT_TRUE(sameBitmap(once, shown()));
}

TEST_F(SpecialEffectsList, ViewSettingEntriesAndAnEmptyView)
{
    form.show();
    click("Trace"); // no picture: nothing at all
    EXPECT_EQ(form.Image1->PicTrace(), 0);

    open(ramp(5, 4));
    click("Emboss ");
    EXPECT_TRUE(form.Image1->PicEmboss());
    for (int i = 0; i < 12; ++i) click("Trace");
    EXPECT_EQ(form.Image1->PicTrace(), 10);
    EXPECT_TRUE(sameBitmap(ramp(5, 4), form.document().working())); // the original, untouched
}

TEST_F(SpecialEffectsList, EveryEntryOnSixteenAndThirtyTwoBitShownPictures)
{
    form.show();
    for (PixelFormat format : {pf16bit, pf32bit}) {
        for (int index = 0; index < form.ListBox1->count(); ++index) {
            open(ramp(6, 5));
            Bitmap shownCopy = ramp(6, 5);
            shownCopy.setPixelFormat(format);
            form.Image1->Picture().assign(&shownCopy);
            form.ListBox1->setCurrentRow(index);
            form.runCommand("ListBox1Click");
            EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << form.ListBox1->item(index)->text().toStdString();
            fakes.dialogs.errors.clear();
        }
    }
}

} // namespace
} // namespace kel
