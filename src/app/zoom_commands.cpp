// The Echelle menu, the zoom items of the context menu, the wheel, the
// display modes and the zoom window. None of them needs a picture except the
// zoom window, and none refreshes the status line.
#include "app/program_form.h"

#include "app/document/zoom_steps.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/status_bar.h"
#include "windows/view_form.h"

namespace kel {

void TProgramForm::Zoom101Click() { Image1->setZoomX(10); }

void TProgramForm::Zoom251Click() { Image1->setZoomX(25); }

void TProgramForm::Zoom331Click() { Image1->setZoomX(33); }

void TProgramForm::Zoom501Click() { Image1->setZoomX(50); }

void TProgramForm::Zoom661Click() { Image1->setZoomX(66); }

void TProgramForm::Zoom751Click() { Image1->setZoomX(75); }

void TProgramForm::aillenormale1001Click() { Image1->setZoomX(zoom::kNormal); }

void TProgramForm::Zoom2001Click() { Image1->setZoomX(200); }

void TProgramForm::Zoom3001Click() { Image1->setZoomX(300); }

void TProgramForm::Zoom4001Click() { Image1->setZoomX(400); }

void TProgramForm::Zoom5001Click() { Image1->setZoomX(500); }

void TProgramForm::Zoom7501Click() { Image1->setZoomX(750); }

void TProgramForm::Zoom9001Click() { Image1->setZoomX(900); }

void TProgramForm::Zoomngatif1Click() { Image1->setZoomX(zoom::zoomNegative(Image1->ZoomX())); }

void TProgramForm::aillenormale1002Click() { Image1->setZoomX(zoom::kNormal); }

void TProgramForm::Zoompositif1Click() { Image1->setZoomX(zoom::zoomPositive(Image1->ZoomX())); }

void TProgramForm::Image1DblClick() { Image1->setZoomX(zoom::kNormal); }

void TProgramForm::FormMouseWheelDown()
{
    EStatusBar1->setFocus(Qt::OtherFocusReason);
    Image1->setZoomX(zoom::wheelTowardsUser(Image1->ZoomX()));
}

void TProgramForm::FormMouseWheelUp()
{
    EStatusBar1->setFocus(Qt::OtherFocusReason);
    Image1->setZoomX(zoom::wheelAwayFromUser(Image1->ZoomX()));
}

void TProgramForm::Centr1Click() { Image1->setCenter(!Image1->Center()); }

void TProgramForm::Proportionnel1Click()
{
    if (Image1->Proportional()) {
        Image1->setProportional(false);
        Image1->setStretch(false);
        Image1->setZoomX(zoom::kNormal);
    } else {
        Image1->setProportional(true);
        Image1->setZoomX(zoom::kNormal);
        Image1->setStretch(false);
    }
}

void TProgramForm::Etir1Click()
{
    if (Image1->Stretch()) {
        Image1->setStretch(false);
        Image1->setProportional(true);
    } else {
        Image1->setStretch(true);
        Image1->setProportional(false);
    }
}

void TProgramForm::ransparent1Click() { Image1->setTransparent(!Image1->Transparent()); }

TViewForm& TProgramForm::ViewForm()
{
    if (!viewForm_) viewForm_ = new TViewForm(this);
    return *viewForm_;
}

void TProgramForm::Image14Click()
{
    const Graphic* shown = Image1->Picture().graphic();
    if (!shown) return;
    TViewForm& view = ViewForm();
    view.Image1->Picture().assign(shown);
    view.Image1->setZoomX(Image1->ZoomX());
    view.exec();
}

} // namespace kel
