#pragma once
// The fill page: a click on the preview floods the region around it with the fill colour's hue.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

namespace kel {

class FillPage final : public OperationPage {
    Q_OBJECT
public:
    FillPage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

    page_kit::ColourEdits FlatEdit = {};
    TGPanel* GPanel4 = nullptr;
    TGPanel* GPanel5 = nullptr;
};

} // namespace kel
