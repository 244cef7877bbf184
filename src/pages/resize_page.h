#pragma once
// The resize page: a percentage proposes a width and a height; Valider stretches the picture to them.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

class QLineEdit;
class QPushButton;

namespace kel {

class TArrow;

class ResizePage final : public OperationPage {
    Q_OBJECT
public:
    ResizePage(PageHost& host, QWidget* page);

    // Opens the page on the current picture; nothing without one.
    void open();

    TImageAdapter* ImageSIZER = nullptr;
    TTrackBar* TrackBarSCALE = nullptr;
    QLineEdit* EditPOURCENT = nullptr;
    TSpinEdit* EditLARGEUR = nullptr;
    TSpinEdit* EditHAUTEUR = nullptr;
    TArrow* viArrow1 = nullptr;
    TArrow* viArrow2 = nullptr;
    QPushButton* Button1 = nullptr; // Annuler
    QPushButton* Button3 = nullptr; // Valider

private:
    // The percentage of the bar applied to the preview's size, into the edits.
    void proposeSize();
    // Stretches the shown picture to the edits' size and makes it the document.
    void commitResize();
};

} // namespace kel
