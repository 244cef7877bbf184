#include "pages/resize_page.h"

#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"

namespace kel {

ResizePage::ResizePage(PageHost& host, QWidget* page) : OperationPage(host, page, 1)
{

}

void ResizePage::open()
{
    if (!document().hasPicture()) return;
    showThisPage();
    focusStatusBar();
}

} // namespace kel
