#pragma once
// The fusion page: the picture blended with a second one of the same size,
// the second weighted by the track bar against a fixed 5 for the first.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

class QPushButton;

namespace kel {

class FusionPage final : public OperationPage {
    Q_OBJECT
public:
    FusionPage(PageHost& host, QWidget* page);

    // Asks for the second picture in the open dialog, then opens the page on
    // the current picture and that one. Nothing without a current picture or
    // after a cancelled dialog; a file no reader takes empties the second
    // preview and leaves the page closed, without a message.
    void open();
    // Tester: the blend of the first and second previews into the result
    // preview, or the message about different sizes.
    void blend();
    // Valider: the result becomes the shown picture and BitmapTRAVAIL. Only
    // a result made since the page was opened is committed.
    void commit();

    TImageAdapter* ImageFUSION1 = nullptr;
    TImageAdapter* ImageFUSION2 = nullptr;
    TImageAdapter* ImageFUSION3 = nullptr;
    TTrackBar* TrackBarFUSION = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;

private:
    // Whether the result preview holds a blend made in this opening.
    bool blended_ = false;
};

} // namespace kel
