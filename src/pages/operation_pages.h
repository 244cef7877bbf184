#pragma once
// The seven operation pages, built on the page area's pages 1 to 7, and the
// publishing of the picked colour to their edits and swatches.
#include "pages/page_host.h"

class QStackedWidget;

namespace kel {

class FillPage;
class FramePage;
class FusionPage;
class InclinePage;
class ResizePage;
class SelectionPage;
class TextPage;

class OperationPages {
public:
    // The page area holds the picture page at 0 and an empty page at 1 to 7.
    OperationPages(const PageHost& host, QStackedWidget* pageArea);

    ResizePage& resize() { return *resize_; }
    SelectionPage& selection() { return *selection_; }
    FramePage& frame() { return *frame_; }
    FusionPage& fusion() { return *fusion_; }
    FillPage& fill() { return *fill_; }
    TextPage& text() { return *text_; }
    InclinePage& incline() { return *incline_; }

    // The picked colour into the frame and fill edits, then every swatch,
    // then the incline edits; each edit keeps it within its range.
    void publish(const PickedColour& colour);

private:
    PageHost host_;
    // Owned by their page widgets.
    ResizePage* resize_;
    SelectionPage* selection_;
    FramePage* frame_;
    FusionPage* fusion_;
    FillPage* fill_;
    TextPage* text_;
    InclinePage* incline_;
};

} // namespace kel
