#pragma once
// The selection page: a rectangle dragged over the picture becomes the picture.
#include "graphics/geometry.h"
#include "pages/operation_page.h"
#include "pages/page_kit.h"

#include <QPoint>

class QRubberBand;
class QScrollArea;

namespace kel {

struct MouseArgs;

class SelectionPage final : public OperationPage {
    Q_OBJECT
public:
    SelectionPage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

    QScrollArea* ScrollBox1 = nullptr;
    // The shown picture at its own size, so its coordinates are the picture's.
    TImageAdapter* ImageToutBureau = nullptr;

private:
    void startSelection(const MouseArgs& args);
    void moveSelection(const MouseArgs& args);
    void endSelection(const MouseArgs& args);
    // The dragged rectangle, its end brought onto the picture.
    Rect selectedRect() const;
    void showBand();
    // The selected part of the page's picture becomes both pictures of the document.
    void cropSelection(const Rect& rect);

    QRubberBand* band_ = nullptr;
    bool selecting_ = false;
    QPoint selectionStart_;
    QPoint selectionEnd_;
};

} // namespace kel
