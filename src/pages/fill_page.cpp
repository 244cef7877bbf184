#include "pages/fill_page.h"

#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"

namespace kel {

FillPage::FillPage(PageHost& host, QWidget* page) : OperationPage(host, page, 5)
{
    FlatEdit = page_kit::colourEdits(page, 0, 0);
    GPanel4 = page_kit::swatch(page, page_kit::kLeftSwatchLeft);
    GPanel5 = page_kit::swatch(page, page_kit::kRightSwatchLeft);
}

void FillPage::open()
{
    if (!document().hasPicture()) return;
    showThisPage();
    focusStatusBar();
}

} // namespace kel
