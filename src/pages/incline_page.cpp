#include "pages/incline_page.h"

#include "operations/incline.h"
#include "view/image_adapter.h"
#include "widgets/gradient_panel.h"
#include "widgets/track_bar.h"

#include <QPushButton>

namespace kel {

InclinePage::InclinePage(PageHost& host, QWidget* page) : OperationPage(host, page, 7)
{
    ImageINCLINER = page_kit::preview(page);
    GPanel6 = page_kit::swatch(page, page_kit::kLeftSwatchLeft);
    GPanel7 = page_kit::swatch(page, page_kit::kRightSwatchLeft);
    AngleLabel1 = page_kit::verticalCaption(page, QStringLiteral("Couleur de fond"));
    page_kit::caption(page, QStringLiteral("Angle d' inclinaison"), page_kit::kBarPlace.left(), page_kit::kBarCaptionTop);
    TrackBarINCLINER = page_kit::trackBar(page, {0, 90, 25, 5, 5});
    FlatEdit = page_kit::colourEdits(page, 0, 255);
    const page_kit::ActionButtons buttons = page_kit::actionButtons(page, true);
    Button15 = buttons.tester;
    Button16 = buttons.annuler;
    Button17 = buttons.valider;
    connect(Button15, &QPushButton::clicked, this, [this] { runHandler([this] { turn(); }); });
    connect(Button16, &QPushButton::clicked, this, [this] { showPicturePage(); });
    connect(Button17, &QPushButton::clicked, this, [this] { runHandler([this] { commit(); }); });
}

void InclinePage::open()
{
    if (!document().hasPicture()) return;
    ImageINCLINER->setPicture(document().shown());
    FlatEdit.clear();
    for (TGPanel* swatch : {GPanel6, GPanel7}) swatch->setColor_2(clBlack);
    showThisPage();
    focusStatusBar();
}

void InclinePage::turn()
{
    const Colour background = FlatEdit.readInto(host_.picked);
    if (!document().hasPicture()) return;
    ImageINCLINER->Picture().setGraphic(std::make_unique<Bitmap>(
        inclinedBitmap(document().shown().bitmap(), TrackBarINCLINER->Position(), background)));
}

void InclinePage::commit()
{
    const Graphic* turned = ImageINCLINER->Picture().graphic();
    if (!turned) return;
    document().shown().assign(turned);
    // The view brings the original to 24 bits and recomputes the shown picture from it.
    document().original().assign(turned);
    document().working() = document().original().bitmap();
    document().refreshStatusLine();
    showPicturePage();
}

} // namespace kel
