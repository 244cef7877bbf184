#pragma once
// The fill page: a click on the preview floods the region around it with the
// fill colour's hue. Fills accumulate on the preview until Valider.
#include "pages/operation_page.h"
#include "pages/page_kit.h"

#include <optional>

class QPushButton;
class QPoint;

namespace kel {

class FillPage final : public OperationPage {
    Q_OBJECT
public:
    FillPage(PageHost& host, QWidget* page);

    // Opens the page on the current picture with a black fill colour; nothing without one.
    void open();
    // A button released over the preview at this point of the control: one
    // more fill from the picture pixel drawn there. A point beside the
    // picture fills nothing.
    void fillAt(int controlX, int controlY);
    // Valider: the preview becomes the shown picture and BitmapTRAVAIL.
    void commit();

    // The picture pixel drawn at a point of the preview, if any.
    std::optional<QPoint> picturePixelAt(int controlX, int controlY) const;

    TImageAdapter* ImageFILL = nullptr;
    TTrackBar* TrackBarFILL = nullptr;
    page_kit::ColourEdits FlatEdit = {};
    TGPanel* GPanel4 = nullptr;
    TGPanel* GPanel5 = nullptr;
    TAngleLabel* AngleLabel3 = nullptr;
    QPushButton* Button11 = nullptr;
    QPushButton* Button12 = nullptr;
};

} // namespace kel
