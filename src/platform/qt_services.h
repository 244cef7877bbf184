#pragma once
// The services as the running program uses them: Qt and the Linux desktop.
#include "platform/linux_desktop.h"
#include "platform/linux_system_facts.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printing.h"
#include "platform/sane_scanner.h"
#include "platform/services.h"

namespace kel {

class QtServices {
public:
    QtServices() = default;
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    Services& services() { return services_; }
    QtDialogs& dialogs() { return dialogs_; }

private:
    QtDialogs dialogs_;
    QtClipboard clipboard_;
    LinuxDesktop desktop_{runProcess, qEnvironmentVariable("XDG_CURRENT_DESKTOP"), setWallpaperThroughPortal};
    QtPrinting printing_{dialogs_};
    SaneScanner scanner_;
    LinuxSystemFacts system_;
    Services services_{dialogs_, clipboard_, desktop_, printing_, scanner_, system_};
};

} // namespace kel
