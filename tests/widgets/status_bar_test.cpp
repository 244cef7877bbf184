#include "widgets/status_bar.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace kel {
namespace {

class StatusBarTest : public testing::Test {
protected:
    StatusBarTest()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        bar.resize(1008, 20);
        bar.setAlignTime(Qt::RightEdge);
        bar.setWidthDate(105);
        bar.setWidthTime(100);
    }
    TEStatusBar bar;
};

TEST_F(StatusBarTest, SectionsShowTheFrenchDateAndTimeOnceEnabled)
{
    EXPECT_TRUE(bar.dateText().isEmpty());
    bar.setEnabled(true);
    EXPECT_TRUE(bar.Enabled());
    const QDate today = QDate::currentDate();
    EXPECT_EQ(bar.dateText(), today.toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_TRUE(QTime::fromString(bar.timeText(), QStringLiteral("HH:mm:ss")).isValid()) << bar.timeText().toStdString();
}

TEST_F(StatusBarTest, TimerRefreshesTheSectionsAndCallsOnTimer)
{
    int ticks = 0;
    bar.OnTimer = [&] { ++ticks; };
    bar.setUpdateInterval(5);
    bar.setEnabled(true);
    QTest::qWait(60);
    EXPECT_GT(ticks, 2);
    bar.setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(StatusBarTest, SectionsAreDockedToTheirEnds)
{
    const auto sections = bar.findChildren<QWidget*>();
    ASSERT_EQ(sections.size(), 2);
    QList<QRect> places{sections[0]->geometry(), sections[1]->geometry()};
    EXPECT_TRUE(places.contains(QRect(0, 0, 105, 20)));
    EXPECT_TRUE(places.contains(QRect(908, 0, 100, 20)));
}

TEST_F(StatusBarTest, PressOnASectionReachesTheBar)
{
    bar.show();
    for (QWidget* section : bar.findChildren<QWidget*>())
        EXPECT_EQ(bar.childAt(section->geometry().center()), nullptr);
}

TEST_F(StatusBarTest, CaptionIsCentredOnTheWholeBar)
{
    bar.setCaption(QStringLiteral("IIIIIIIIII"));
    bar.show();
    const QImage image = bar.grab().toImage();
    int left = image.width(), right = -1;
    const QRgb background = image.pixel(504, 0);
    for (int x = 105; x < 908; ++x)
        for (int y = 0; y < 20; ++y)
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right) / 2.0, 504, 3);
}

} // namespace
} // namespace kel
