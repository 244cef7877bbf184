#include "pages/fusion_page.h"

#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"

namespace kel {

FusionPage::FusionPage(PageHost& host, QWidget* page) : OperationPage(host, page, 4)
{

}

void FusionPage::open()
{
    if (!document().hasPicture()) return;
    showThisPage();
    focusStatusBar();
}

} // namespace kel
