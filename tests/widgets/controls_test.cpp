#include "widgets/icon_list_box.h"
#include "widgets/picture_button.h"
#include "widgets/track_bar.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace kel {
namespace {

TEST(TrackBar, ReportsTheArrivalOfTheFocus)
{
    QWidget window;
    TTrackBar bar(&window);
    bar.setGeometry(0, 0, 153, 41);
    int entered = 0;
    bar.OnEnter = [&] { ++entered; };
    window.show();
    QApplication::setActiveWindow(&window);
    bar.slider()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(entered, 1);
}

TEST(TrackBar, PositionChangesRunOnChange)
{
    TTrackBar bar;
    bar.setRange(-255, 255);
    int changes = 0;
    bar.OnChange = [&] { ++changes; };
    bar.setPosition(40);
    bar.setPosition(40);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bar.Position(), 40);
    bar.setPosition(900);
    EXPECT_EQ(bar.Position(), 255);
}

TEST(IconListBox, KeepsEntriesSortedWithTheirBlanks)
{
    TIconListBox list;
    list.addEntry(QStringLiteral("Turn right "), QIcon());
    list.addEntry(QStringLiteral("Blur"), QIcon());
    list.addEntry(QStringLiteral("Turn"), QIcon());
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("Blur"));
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("Turn"));
    EXPECT_EQ(list.item(2)->text(), QStringLiteral("Turn right "));
    EXPECT_EQ(list.item(2)->sizeHint().height(), 16);
}

TEST(IconListBox, KeyboardSelectionChangesCountAsClicks)
{
    TIconListBox list;
    for (const char* text : {"a", "b", "c"}) list.addEntry(QString::fromLatin1(text), QIcon());
    list.setCurrentRow(0);
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(&list, Qt::Key_Up);
    QTest::keyClick(&list, Qt::Key_Up); // already at the top: no change, no click
    EXPECT_EQ(clicks, 2);
}

TEST(PictureButton, ClickRunsOnClickOnlyWhenReleasedOverIt)
{
    QPixmap picture(22, 22);
    picture.fill(Qt::red);
    TPictureButton button(picture);
    EXPECT_EQ(button.size(), QSize(22, 22));
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace kel
