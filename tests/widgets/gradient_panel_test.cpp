#include "widgets/gradient_panel.h"

#include <QImage>

#include <gtest/gtest.h>

namespace kel {
namespace {

QRgb grey(int v) { return qRgb(v, v, v); }

QImage paint(TGPanel& panel) { return panel.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(GradientPanel, ToolbarPaintsFifteenBandsInsideItsTwoBevels)
{
    TGPanel panel;
    panel.resize(1008, 32);
    panel.setColor_1(clWhite);
    panel.setColor_2(clBtnFace);
    panel.setBevelInner(Bevel::Raised);
    panel.setBevelOuter(Bevel::Lowered);
    const QImage image = paint(panel);
    EXPECT_EQ(image.pixel(2, 16), grey(255));
    EXPECT_EQ(image.pixel(2 + 66, 16), grey(255));
    EXPECT_EQ(image.pixel(2 + 67, 16), grey(254));
    EXPECT_EQ(image.pixel(2 + 14 * 67, 16), grey(241));
    EXPECT_EQ(image.pixel(1005, 16), grey(241));
    EXPECT_EQ(image.pixel(500, 2), image.pixel(500, 29)); // bands run across the whole height
}

TEST(GradientPanel, VerticalSwatchSplitsAtItsPercentage)
{
    TGPanel panel;
    panel.resize(33, 425);
    panel.setBevelOuter(Bevel::None);
    panel.setHorizontal(false);
    panel.setPercent(50);
    panel.setColor_1(clBtnFace);
    panel.setColor_2(clBlack);
    panel.setColor_3(clBtnFace);
    const QImage image = paint(panel);
    EXPECT_EQ(image.pixel(16, 0), grey(240));
    EXPECT_EQ(image.pixel(16, 212), grey(0)); // the second gradient starts at black
    EXPECT_LT(qRed(image.pixel(16, 211)), 10);
    EXPECT_GT(qRed(image.pixel(16, 424)), 230);
}

TEST(GradientPanel, PercentStaysWithinOneToHundred)
{
    TGPanel panel;
    panel.setPercent(0);
    EXPECT_EQ(panel.Percent(), 1);
    panel.setPercent(250);
    EXPECT_EQ(panel.Percent(), 100);
}

TEST(GradientPanel, EqualColoursShowThePlainPanel)
{
    TGPanel panel;
    panel.resize(100, 20);
    panel.setBevelOuter(Bevel::None);
    panel.setPanelColour(rgb(10, 20, 30));
    panel.setColor_1(clWhite);
    panel.setColor_2(clWhite);
    EXPECT_EQ(paint(panel).pixel(50, 10), qRgb(10, 20, 30));
}

TEST(GradientPanel, InactivePanelPaintsNoGradient)
{
    TGPanel panel;
    panel.resize(100, 20);
    panel.setBevelOuter(Bevel::None);
    panel.setPanelColour(rgb(10, 20, 30));
    panel.setActive(false);
    EXPECT_EQ(paint(panel).pixel(0, 10), qRgb(10, 20, 30));
}

} // namespace
} // namespace kel
