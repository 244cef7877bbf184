#include "app/document/image_document.h"

#include "app/document/status_line.h"
#include "view/image_colorizer.h"

#include <cstring>

namespace kel {

namespace {

// A bitmap copy of the shown picture that leaves the holder untouched: an
// empty 24-bit bitmap when it holds nothing, a rendering over white when its
// graphic is not a bitmap.
Bitmap shownBitmapCopy(const Picture& shown)
{
    if (const Bitmap* bitmap = shown.bitmapIfAny()) return *bitmap;
    Bitmap copy(0, 0, pf24bit);
    if (shown.hasGraphic()) copy.assign(*shown.graphic());
    return copy;
}

// Whether assigning `from` to `to` would leave `to` exactly as it is.
bool assignmentChangesNothing(const Bitmap& to, const Bitmap& from)
{
    if (to.width() != from.width() || to.height() != from.height() || to.pixelFormat() != from.pixelFormat() ||
        to.bytesPerLine() != from.bytesPerLine() || to.palette() != from.palette() ||
        to.transparent() != from.transparent() || to.hasTransparentColour() != from.hasTransparentColour() ||
        (to.hasTransparentColour() && to.transparentColour() != from.transparentColour()))
        return false;
    if (to.empty() || to.rowUnchecked(0) == from.rowUnchecked(0)) return true; // one shared store
    const std::size_t bytes = std::size_t(to.bytesPerLine()) * std::size_t(to.height());
    return std::memcmp(to.rowUnchecked(0), from.rowUnchecked(0), bytes) == 0;
}

} // namespace

ImageDocument::ImageDocument(TImageColorizer& view, Picture& thumbnail, StatusSink showStatus)
    : view_(view), thumbnail_(thumbnail), showStatus_(std::move(showStatus))
{
}

Picture& ImageDocument::shown() { return view_.Picture(); }

Picture& ImageDocument::original() { return view_.PictureOriginal(); }

bool ImageDocument::hasPicture() { return shown().hasGraphic(); }

void ImageDocument::refreshStatusLine() { showStatus_(fullStatusLine(fileName_, shown())); }

void ImageDocument::refreshStatusLine(int colours) { showStatus_(fullStatusLine(fileName_, shown(), colours)); }

void ImageDocument::showShortStatusLine() { showStatus_(shortStatusLine(shown().width(), shown().height())); }

void ImageDocument::clearStatusLine() { showStatus_(QString()); }

void ImageDocument::takeShownAsWorking()
{
    working_ = shownBitmapCopy(shown());
    initial_ = working_;
}

void ImageDocument::commitShownAsOriginal() { original().assign(shown().graphic()); }

void ImageDocument::rederiveOriginal()
{
    if (!original().hasGraphic() && working_.empty()) return;
    // A track bar moved again finds the original already holding these pixels:
    // the view is notified as by the assignment, without the copy.
    if (const Bitmap* current = original().bitmapIfAny(); current && assignmentChangesNothing(*current, working_)) {
        view_.OriginalReassignedUnchanged();
        return;
    }
    original().bitmap().assign(working_);
}

void ImageDocument::returnToOpened()
{
    shown().assign(&initial_);
    original().assign(shown().graphic());
    view_.ResetEffects();
    working_ = initial_;
}

} // namespace kel
