#pragma once
// The image document: the main view's original and shown pictures, the
// thumbnail, the two working bitmaps and the current file name, with the few
// moves that commands repeat. Each command writes the pieces it needs and
// refreshes the status line itself; there is no central notification.
#include "graphics/bitmap.h"
#include "graphics/picture.h"

#include <QString>

#include <functional>

namespace kel {

class TImageColorizer;

class ImageDocument {
public:
    using StatusSink = std::function<void(const QString&)>;

    ImageDocument(TImageColorizer& view, Picture& thumbnail, StatusSink showStatus);

    TImageColorizer& view() { return view_; }
    // The picture every consumer sees: drawn, measured, saved, printed, copied.
    Picture& shown();
    // The picture before the view's effects; every change recomputes the shown one.
    Picture& original();
    Picture& thumbnail() { return thumbnail_; }
    // BitmapTRAVAIL: the picture the effects and track bars start from.
    Bitmap& working() { return working_; }
    // BitmapINITIAL: the picture as it was opened or taken.
    Bitmap& initial() { return initial_; }

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }

    // Commands that need a picture do nothing without one.
    bool hasPicture();

    // "<file> | <w> x <h> pixels | <n> couleurs" for the shown picture.
    void refreshStatusLine();
    // The same when its colours were counted already.
    void refreshStatusLine(int colours);
    // "<w> x <h> pixels" for the shown picture.
    void showShortStatusLine();
    void clearStatusLine();

    // The working bitmaps take copies of the shown picture as it is now (an
    // empty 24-bit bitmap when there is none).
    void takeShownAsWorking();
    // The shown picture becomes the original again; the view recomputes it,
    // so the active effects apply a second time.
    void commitShownAsOriginal();
    // BitmapTRAVAIL becomes the original again (the view recomputes). An
    // empty view is left empty rather than given a picture of no pixels.
    void rederiveOriginal();
    // Back to the picture as opened: both pictures from BitmapINITIAL, the
    // effects reset, BitmapTRAVAIL a copy of it.
    void returnToOpened();

private:
    TImageColorizer& view_;
    Picture& thumbnail_;
    StatusSink showStatus_;
    Bitmap working_{0, 0, pf24bit};
    Bitmap initial_{0, 0, pf24bit};
    QString fileName_;
};

} // namespace kel
