#pragma once
// The selection page: a rectangle dragged over the picture becomes the picture.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

namespace kel {

class SelectionPage final : public OperationPage {
    Q_OBJECT
public:
    SelectionPage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

};

} // namespace kel
