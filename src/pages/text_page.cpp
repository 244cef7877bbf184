#include "pages/text_page.h"

#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"

namespace kel {

TextPage::TextPage(PageHost& host, QWidget* page, const page_kit::ColourEdits& frameColour)
    : OperationPage(host, page, 6), frameColour_(frameColour)
{
    GPanel8 = page_kit::swatch(page, page_kit::kRightSwatchLeft);
}

void TextPage::open()
{
    if (!document().hasPicture()) return;
    showThisPage();
    focusStatusBar();
}

} // namespace kel
