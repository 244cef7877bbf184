#pragma once
// The text page: each Tester draws the typed line onto the preview in the frame page's colour; Valider commits it.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

namespace kel {

class TextPage final : public OperationPage {
    Q_OBJECT
public:
    // The text is drawn in the colour of the frame page's edits.
    TextPage(PageHost& host, QWidget* page, const page_kit::ColourEdits& frameColour);

    // Opens the page on the current picture; nothing without one.
    void open();

    TGPanel* GPanel8 = nullptr;

private:
    page_kit::ColourEdits frameColour_;
};

} // namespace kel
