// The links and about windows: the addresses open through the desktop on a
// click, the hover look, and the about window's running fader.
#include "windows/internet_form.h"
#include "windows/propos_form.h"

#include "support/fake_services.h"
#include "widgets/link_label.h"
#include "widgets/text_fader.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace kel {
namespace {

void click(QWidget& target)
{
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, target.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

void hover(QWidget& target, bool inside)
{
    if (inside) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), target.mapToGlobal(QPointF(1, 1)));
        QApplication::sendEvent(&target, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&target, &leave);
    }
}

TEST(LinksWindow, EachAddressOpensInTheBrowserWithItsHoverLook)
{
    test::RecordingDesktop desktop;
    TInternetForm form(nullptr, desktop);
    const int tops[] = {24, 48, 72, 96};
    const int widths[] = {177, 209, 161, 273};
    for (std::size_t i = 0; i < form.links.size(); ++i) {
        TLinkLabel& link = *form.links[i];
        EXPECT_EQ(link.geometry(), QRect(64, tops[i], widths[i], 18));
        EXPECT_EQ(link.text(), QString::fromLatin1(TInternetForm::addresses()[i]));
        EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
        const QColor resting = link.palette().color(QPalette::WindowText);
        hover(link, true);
        EXPECT_TRUE(link.font().underline());
        EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::blue));
        EXPECT_EQ(link.font().pixelSize(), 13);
        hover(link, false);
        EXPECT_FALSE(link.font().underline());
        EXPECT_EQ(link.palette().color(QPalette::WindowText), resting);
        click(link);
        ASSERT_EQ(desktop.urls.size(), i + 1);
        EXPECT_EQ(desktop.urls.back(), QUrl(link.text()));
    }
}

TEST(AboutWindow, FaderRunsFromCreationAndLinksOpenSiteAndMail)
{
    test::RecordingDesktop desktop;
    TProposForm form(nullptr, desktop);
    EXPECT_EQ(form.size(), QSize(401, 235));
    TTextFader& fader = *form.TextFader1;
    EXPECT_TRUE(fader.Active());
    EXPECT_EQ(fader.LineDelay(), 1250);
    EXPECT_EQ(fader.Lines().size(), 9);
    EXPECT_EQ(fader.geometry(), QRect(26, 136, 349, 25));
    fader.TimerTick();
    EXPECT_EQ(fader.currentText(), fader.Lines().first());
    form.grab(); // the fader paints what lies behind it while hidden too

    click(*form.siteLink);
    click(*form.mailLink);
    ASSERT_EQ(desktop.urls.size(), 2u);
    EXPECT_EQ(desktop.urls[0].scheme(), QStringLiteral("https"));
    EXPECT_EQ(desktop.urls[1], QUrl(QStringLiteral("mailto:") + QString::fromLatin1(TProposForm::mailAddress())));
}

} // namespace
} // namespace kel
