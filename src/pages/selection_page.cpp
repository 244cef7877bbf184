#include "pages/selection_page.h"

#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"

namespace kel {

SelectionPage::SelectionPage(PageHost& host, QWidget* page) : OperationPage(host, page, 2)
{

}

void SelectionPage::open()
{
    if (!document().hasPicture()) return;
    showThisPage();
    focusStatusBar();
}

} // namespace kel
