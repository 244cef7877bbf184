#include "pages/operation_pages.h"

#include "pages/fill_page.h"
#include "pages/frame_page.h"
#include "pages/fusion_page.h"
#include "pages/incline_page.h"
#include "pages/resize_page.h"
#include "pages/selection_page.h"
#include "pages/text_page.h"
#include "widgets/gradient_panel.h"

#include <QStackedWidget>

namespace kel {

OperationPages::OperationPages(const PageHost& host, QStackedWidget* pageArea)
    : host_(host),
      resize_(new ResizePage(host_, pageArea->widget(1))),
      selection_(new SelectionPage(host_, pageArea->widget(2))),
      frame_(new FramePage(host_, pageArea->widget(3))),
      fusion_(new FusionPage(host_, pageArea->widget(4))),
      fill_(new FillPage(host_, pageArea->widget(5))),
      text_(new TextPage(host_, pageArea->widget(6), frame_->FlatEdit)),
      incline_(new InclinePage(host_, pageArea->widget(7)))
{
}

void OperationPages::publish(const PickedColour& colour)
{
    frame_->FlatEdit.show(colour);
    fill_->FlatEdit.show(colour);
    for (TGPanel* swatch : {frame_->GPanel2, frame_->GPanel3, fill_->GPanel4, fill_->GPanel5, incline_->GPanel6,
                            incline_->GPanel7, text_->GPanel8})
        swatch->setColor_2(colour.value());
    incline_->FlatEdit.show(colour);
}

} // namespace kel
