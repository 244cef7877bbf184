#pragma once
// The fusion page: the picture blended with a second one of the same size.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

namespace kel {

class FusionPage final : public OperationPage {
    Q_OBJECT
public:
    FusionPage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

};

} // namespace kel
