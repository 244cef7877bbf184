#pragma once
// The incline page: the picture turned by an angle over a background colour.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

namespace kel {

class InclinePage final : public OperationPage {
    Q_OBJECT
public:
    InclinePage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

    page_kit::ColourEdits FlatEdit = {};
    TGPanel* GPanel6 = nullptr;
    TGPanel* GPanel7 = nullptr;
};

} // namespace kel
