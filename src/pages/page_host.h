#pragma once
// What an operation page is given: the document it works on, the services it
// asks through and the picked colour it shows. Pages never see the window;
// the window only switches between them.
#include "app/document/image_document.h"
#include "app/document/picked_colour.h"
#include "platform/services.h"

namespace kel {

struct PageHost {
    ImageDocument& document;
    Services& services;
    PickedColour& picked;
};

} // namespace kel
