// The fading text line: its blend, and its cycle through the lines driven
// tick by tick.
#include "widgets/text_fader.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

TEST(Fader, BlendsEachByteByTheLevel)
{
    struct Case {
        int incoming, outgoing, level;
    };
    const Case cases[] = {{255, 0, 40}, {0, 255, 40}, {255, 255, 33}, {200, 100, 0}, {200, 100, 100}, {17, 240, 71}};
    for (const Case& c : cases) {
        QImage first(3, 2, QImage::Format_RGB888), second(3, 2, QImage::Format_RGB888);
        first.fill(QColor(c.incoming, c.incoming, c.incoming));
        second.fill(QColor(c.outgoing, c.outgoing, c.outgoing));
        blendFade(first, second, c.level);
        const int expected = c.incoming * c.level / 100 + c.outgoing * (100 - c.level) / 100;
        EXPECT_EQ(first.pixel(2, 1), qRgb(expected, expected, expected)) << c.incoming << ' ' << c.level;
    }
    QImage first(1, 1, QImage::Format_RGB888), second(1, 1, QImage::Format_RGB888);
    first.fill(Qt::white);
    second.fill(Qt::black);
    blendFade(first, second, 40);
    EXPECT_EQ(first.pixel(0, 0), qRgb(102, 102, 102));
}

// Ticks until the line is steady again; answers the ticks taken.
int fadeIn(TTextFader& fader)
{
    int ticks = 0;
    do {
        fader.TimerTick();
        ++ticks;
    } while (fader.level() != 100 && ticks < 1000);
    return ticks;
}

TEST(Fader, RepeatCountStopsOnTheLastLine)
{
    TTextFader fader;
    fader.setLines({QStringLiteral("un"), QStringLiteral("deux"), QStringLiteral("trois")});
    fader.setRepeatCount(2);
    fader.setLineDelay(1250);
    int completions = 0;
    fader.OnComplete = [&] { ++completions; };
    fader.setActive(true);
    EXPECT_EQ(fader.timerInterval(), 5);

    QStringList shown;
    while (shown.size() < 20) {
        fader.TimerTick();
        if (!fader.Active()) break; // the tick after the last line of the last cycle
        EXPECT_EQ(fader.level(), 4);  // the first step comes on the tick that changes the line
        EXPECT_EQ(fader.timerInterval(), 30);
        EXPECT_EQ(fadeIn(fader), 24);
        EXPECT_EQ(fader.timerInterval(), 1250);
        shown << fader.currentText();
    }
    EXPECT_EQ(shown.join(u','), QStringLiteral("un,deux,trois,un,deux,trois"));
    EXPECT_FALSE(fader.Active());
    EXPECT_EQ(fader.currentText(), QStringLiteral("trois"));
    EXPECT_EQ(fader.level(), 100);
    EXPECT_EQ(fader.completedCycles(), 2);
    EXPECT_EQ(completions, 7);
}

TEST(Fader, OneLineFadesIntoItselfAndNoLinesStayEmpty)
{
    TTextFader fader;
    fader.setLines({QStringLiteral("seule")});
    fader.setActive(true);
    fadeIn(fader);
    EXPECT_EQ(fader.previousText(), QString());
    EXPECT_EQ(fader.currentText(), QStringLiteral("seule"));
    fader.TimerTick();
    EXPECT_EQ(fader.previousText(), QStringLiteral("seule"));
    EXPECT_EQ(fader.currentText(), QStringLiteral("seule"));
    EXPECT_EQ(fader.level(), 4);
    EXPECT_EQ(fader.lineIndex(), 0);
    EXPECT_EQ(fader.completedCycles(), 1);

    fader.setLines({});
    for (int i = 0; i < 60; ++i) fader.TimerTick();
    EXPECT_TRUE(fader.Active());
    EXPECT_EQ(fader.currentText(), QString());
    EXPECT_EQ(fader.lineIndex(), -1);
    fader.grab(); // painting an empty line is harmless
}

} // namespace
} // namespace kel
