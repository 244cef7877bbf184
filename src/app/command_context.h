#pragma once
// What every command receives: the document it works on, the services it
// asks the user and the system through, and the window's controls.
#include "app/document/image_document.h"
#include "app/document/open_dialog.h"
#include "app/main_controls.h"
#include "app/document/picked_colour.h"
#include "platform/dialogs.h"
#include "platform/services.h"


namespace kel {

class OperationPages;

struct CommandContext {
    ImageDocument& document;
    Services& services;
    MainControls& controls;
    // The picture open dialog's last file and file type, for this run.
    OpenDialogMemory& openDialog;
    PickedColour& picked;
    OperationPages& pages;
};

using Handler = void (*)(CommandContext&);

} // namespace kel
