#pragma once
// The incline page: the picture turned clockwise by an angle about its
// centre, keeping its size, over a background colour.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

class QPushButton;

namespace kel {

class InclinePage final : public OperationPage {
    Q_OBJECT
public:
    InclinePage(PageHost& host, QWidget* page);

    // Opens the page on the current picture with a black background; nothing without one.
    void open();
    // Tester: the current picture, never the preview, turned by the track
    // bar's angle over the background of the edits.
    void turn();
    // Valider: the preview becomes the shown and the original picture and BitmapTRAVAIL.
    void commit();

    TImageAdapter* ImageINCLINER = nullptr;
    TTrackBar* TrackBarINCLINER = nullptr;
    page_kit::ColourEdits FlatEdit = {};
    TGPanel* GPanel6 = nullptr;
    TGPanel* GPanel7 = nullptr;
    TAngleLabel* AngleLabel1 = nullptr;
    QPushButton* Button15 = nullptr;
    QPushButton* Button16 = nullptr;
    QPushButton* Button17 = nullptr;
};

} // namespace kel
