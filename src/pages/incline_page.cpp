#include "pages/incline_page.h"

#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"

namespace kel {

InclinePage::InclinePage(PageHost& host, QWidget* page) : OperationPage(host, page, 7)
{
    FlatEdit = page_kit::colourEdits(page, 0, 255);
    GPanel6 = page_kit::swatch(page, page_kit::kLeftSwatchLeft);
    GPanel7 = page_kit::swatch(page, page_kit::kRightSwatchLeft);
}

void InclinePage::open()
{
    if (!document().hasPicture()) return;
    showThisPage();
    focusStatusBar();
}

} // namespace kel
