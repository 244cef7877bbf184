#include "pages/frame_page.h"

#include "operations/frame.h"
#include "view/image_adapter.h"
#include "widgets/angle_label.h"
#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <QPushButton>

namespace kel {

FramePage::FramePage(PageHost& host, QWidget* page) : OperationPage(host, page, 3)
{
    ImageCADRE = page_kit::preview(page);
    AngleLabel4 = page_kit::verticalCaption(page, QStringLiteral("Couleur du cadre"));
    GPanel2 = page_kit::swatch(page, page_kit::kLeftSwatchLeft);
    GPanel3 = page_kit::swatch(page, page_kit::kRightSwatchLeft);
    page_kit::caption(page, QStringLiteral("Largeur du trait"), page_kit::kBarPlace.left(), page_kit::kBarCaptionTop);
    TrackBarCADRE = page_kit::trackBar(page, {0, 20, 4, 1, 2});
    FlatEdit = page_kit::colourEdits(page, 0, 255);
    const page_kit::ActionButtons buttons = page_kit::actionButtons(page, true);
    Button6 = buttons.tester;
    Button4 = buttons.annuler;
    Button5 = buttons.valider;
    connect(Button6, &QPushButton::clicked, this, [this] { runHandler([this] { addBorder(); }); });
    connect(Button4, &QPushButton::clicked, this, [this] { runHandler([this] { leave(); }); });
    connect(Button5, &QPushButton::clicked, this, [this] { runHandler([this] { commit(); }); });
}

void FramePage::open()
{
    if (!document().hasPicture()) return;
    ImageCADRE->Picture().assign(&document().shown().bitmap());
    showThisPage();
    focusStatusBar();
}

void FramePage::addBorder()
{
    // An edit that is not a whole number stops here, before the preview changes.
    const Colour colour = FlatEdit.readInto(host_.picked);
    AddFrame(ImageCADRE->Picture().bitmap(), TrackBarCADRE->Position(), colour);
}

void FramePage::commit()
{
    showPicturePage();
    ImageDocument& doc = document();
    doc.shown().assign(&ImageCADRE->Picture().bitmap());
    doc.working() = doc.shown().bitmap();
    doc.refreshStatusLine();
}

void FramePage::leave() { showPicturePage(); }

} // namespace kel
