#pragma once
// The resize page: a percentage proposes a width and a height; Valider stretches the picture to them.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

namespace kel {

class ResizePage final : public OperationPage {
    Q_OBJECT
public:
    ResizePage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

};

} // namespace kel
