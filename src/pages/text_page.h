#pragma once
// The text page: each Tester draws the typed line onto the preview in the
// frame page's colour, at the chosen size, styles and position, so texts
// pile up; Valider makes the preview the shown picture, Annuler leaves it.
#include "operations/text_drawing.h"
#include "pages/operation_page.h"
#include "pages/page_kit.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kel {

class TextPage final : public OperationPage {
    Q_OBJECT
public:
    // The text is drawn in the colour of the frame page's edits.
    TextPage(PageHost& host, QWidget* page, const page_kit::ColourEdits& frameColour);

    // Opens the page on a copy of the shown picture with the default font,
    // a black swatch and an empty, focused text; nothing without a picture.
    void open();
    // Tester: the text once more, at (p, p) of the preview's picture.
    void drawText();
    // Valider: the preview becomes the shown picture and BitmapTRAVAIL; the
    // original stays as it is.
    void commit();
    // Annuler: back to the picture, the document untouched.
    void leave();

    TImageAdapter* ImageTEXTES = nullptr;
    TTrackBar* TrackBarPOSITION = nullptr;
    QLineEdit* EditTEXTES = nullptr;
    QCheckBox* FlatCheckBoxGRAS = nullptr;
    QCheckBox* FlatCheckBoxITALIC = nullptr;
    QCheckBox* FlatCheckBoxSOULIGNE = nullptr;
    TTrackBar* TrackBarPOLICE = nullptr;
    TGPanel* GPanel8 = nullptr;
    QPushButton* Button10 = nullptr; // Tester
    QPushButton* Button13 = nullptr; // Annuler
    QPushButton* Button14 = nullptr; // Valider

private:
    // Each box adds its style to the font when checked and takes it away
    // when not, leaving the other styles as they are.
    void applyBold();
    void applyItalic();
    void applyUnderline();

    page_kit::ColourEdits frameColour_;
    // The preview's font; back to the defaults at each opening.
    TextStyle font_;
};

} // namespace kel
