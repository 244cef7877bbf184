#include "pages/frame_page.h"

#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"

namespace kel {

FramePage::FramePage(PageHost& host, QWidget* page) : OperationPage(host, page, 3)
{
    FlatEdit = page_kit::colourEdits(page, 0, 255);
    GPanel2 = page_kit::swatch(page, page_kit::kLeftSwatchLeft);
    GPanel3 = page_kit::swatch(page, page_kit::kRightSwatchLeft);
}

void FramePage::open()
{
    if (!document().hasPicture()) return;
    showThisPage();
    focusStatusBar();
}

} // namespace kel
