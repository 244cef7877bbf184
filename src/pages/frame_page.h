#pragma once
// The frame page: each Tester wraps a border of the chosen width and colour
// around the preview, so borders accumulate; Valider makes the preview the
// shown picture, Annuler leaves it.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

class QPushButton;

namespace kel {

class FramePage final : public OperationPage {
    Q_OBJECT
public:
    FramePage(PageHost& host, QWidget* page);

    // Opens the page on a copy of the shown picture; nothing without one.
    void open();
    // Tester: one more border of the bar's width in the edits' colour.
    void addBorder();
    // Valider: the preview becomes the shown picture and BitmapTRAVAIL; the
    // original stays as it is.
    void commit();
    // Annuler: back to the picture, the document untouched.
    void leave();

    TImageAdapter* ImageCADRE = nullptr;
    TTrackBar* TrackBarCADRE = nullptr;
    // The border colour; the text page draws in it too.
    page_kit::ColourEdits FlatEdit = {};
    TGPanel* GPanel2 = nullptr;
    TGPanel* GPanel3 = nullptr;
    TAngleLabel* AngleLabel4 = nullptr;
    QPushButton* Button6 = nullptr; // Tester
    QPushButton* Button4 = nullptr; // Annuler
    QPushButton* Button5 = nullptr; // Valider
};

} // namespace kel
