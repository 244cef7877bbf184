#include "app/document/image_document.h"

#include "app/document/status_line.h"
#include "view/image_colorizer.h"

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

} // namespace

ImageDocument::ImageDocument(TImageColorizer& view, Picture& thumbnail, StatusSink showStatus)
    : view_(view), thumbnail_(thumbnail), showStatus_(std::move(showStatus))
{
}

Picture& ImageDocument::shown() { return view_.Picture(); }

Picture& ImageDocument::original() { return view_.PictureOriginal(); }

bool ImageDocument::hasPicture() { return shown().hasGraphic(); }

void ImageDocument::refreshStatusLine() { showStatus_(fullStatusLine(fileName_, shown())); }

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
