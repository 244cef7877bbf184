#include "app/main_controls.h"

#include "widgets/icon_list_box.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QStackedWidget>

namespace kel {

namespace {

constexpr int kChannelFull = 255;
constexpr int kToneNeutral = 0;

} // namespace

void MainControls::focusStatusBar() const { statusBar->setFocus(Qt::OtherFocusReason); }

void MainControls::showPicturePage() const { pages->setCurrentIndex(0); }

void MainControls::resetToneThenChannelBars() const
{
    for (TTrackBar* bar : {brightness, contrast, saturation}) bar->setPosition(kToneNeutral);
    for (TTrackBar* bar : {red, green, blue}) bar->setPosition(kChannelFull);
}

void MainControls::resetChannelThenToneBars() const
{
    for (TTrackBar* bar : {red, green, blue}) bar->setPosition(kChannelFull);
    for (TTrackBar* bar : {brightness, contrast, saturation}) bar->setPosition(kToneNeutral);
}

void MainControls::deselectFirstEffect() const
{
    if (QListWidgetItem* first = effectsList->item(0)) first->setSelected(false);
}

} // namespace kel
