#pragma once
// What an operation page is given: the document it works on, the services it
// asks through, the picked colour it shows, the open dialog's memory and the
// way between pages. Pages never see the window.
#include "app/document/image_document.h"
#include "app/document/open_dialog.h"
#include "app/document/picked_colour.h"
#include "platform/services.h"

#include <functional>

namespace kel {

struct PageNavigation {
    // Shows the page at this index of the page area (0 shows the picture).
    std::function<void(int)> showPage;
    // Rests the keyboard focus on the status bar, so the wheel reaches the window.
    std::function<void()> focusStatusBar;
};

struct PageHost {
    ImageDocument& document;
    Services& services;
    PickedColour& picked;
    OpenDialogMemory& openDialog;
    PageNavigation navigation;
};

} // namespace kel
