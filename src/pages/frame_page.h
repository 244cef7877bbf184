#pragma once
// The frame page: each Tester wraps a border of the chosen width and colour around the preview; Valider commits it.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

namespace kel {

class FramePage final : public OperationPage {
    Q_OBJECT
public:
    FramePage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

    // The border colour; the text page draws in it too.
    page_kit::ColourEdits FlatEdit = {};
    TGPanel* GPanel2 = nullptr;
    TGPanel* GPanel3 = nullptr;
};

} // namespace kel
