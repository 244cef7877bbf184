#include "app/commands/image_commands.h"

#include "graphics/errors.h"
#include "operations/scramble.h"
#include "view/image_colorizer.h"

#include <exception>

namespace kel::commands {

namespace {

// The shown picture's bitmap, or nullptr when there is no picture to work on.
Bitmap* shownBitmap(ImageDocument& document) { return document.shown().bitmapIfAny(); }

} // namespace

template <ColourDepth Depth>
void reopenAtDepth(CommandContext& context)
{
    ImageDocument& document = context.document;
    // Without an opened file (a pasted or scanned picture) there is nothing to go back to.
    if (!document.hasPicture() || document.initial().empty()) return;
    document.original().assign(&document.initial());
    if (Bitmap* shown = shownBitmap(document)) convertToDepth(*shown, Depth);
    document.commitShownAsOriginal();
    document.refreshStatusLine();
}
template void reopenAtDepth<ColourDepth::Bits32>(CommandContext&);
template void reopenAtDepth<ColourDepth::Bits24>(CommandContext&);

void reduceTo16Bits(CommandContext& context)
{
    ImageDocument& document = context.document;
    const Bitmap* opened = document.thumbnail().bitmapIfAny();
    if (!document.hasPicture() || !opened || opened->empty()) return;
    const Bitmap reduced = copyAtDepth(*opened, ColourDepth::Bits16);
    document.original().assign(&reduced);
    document.shown().assign(&reduced);
    document.refreshStatusLine();
}

template <ColourDepth Depth>
void reduceToPalette(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture() || document.working().empty()) return;
    document.original().assign(&document.working());
    if (Bitmap* shown = shownBitmap(document)) convertToDepth(*shown, Depth);
    // The original's conversion notifies: the view brings it back to 24 bits and recomputes.
    convertToDepth(document.original().bitmap(), Depth);
    document.refreshStatusLine();
}
template void reduceToPalette<ColourDepth::Bits8>(CommandContext&);
template void reduceToPalette<ColourDepth::Bits4>(CommandContext&);

void makeBlackAndWhite(CommandContext& context)
{
    ImageDocument& document = context.document;
    Bitmap* shown = shownBitmap(document);
    if (!shown) return;
    // The picture is committed whatever happened to the conversion; a failure is reported after.
    std::exception_ptr failure;
    try {
        blackAndWhite(*shown);
    } catch (...) {
        failure = std::current_exception();
    }
    document.view().repaint();
    document.commitShownAsOriginal();
    document.working() = document.original().bitmap();
    document.refreshStatusLine();
    if (failure) std::rethrow_exception(failure);
}

template <FlipMode Mode>
void mirrorPicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    Bitmap* shown = shownBitmap(document);
    if (!shown) return;
    flipBitmap(*shown, Mode);
    document.view().repaint();
    document.commitShownAsOriginal();
}
template void mirrorPicture<FlipMode::Horizontal>(CommandContext&);
template void mirrorPicture<FlipMode::Vertical>(CommandContext&);

template <QuarterTurn Turn>
void turnPicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    Bitmap* shown = shownBitmap(document);
    if (!shown) return;
    rotateBitmap(*shown, *shown, Turn);
    document.commitShownAsOriginal();
    document.refreshStatusLine();
}
template void turnPicture<QuarterTurn::Clockwise>(CommandContext&);
template void turnPicture<QuarterTurn::Anticlockwise>(CommandContext&);

void scramblePicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.original().hasGraphic()) return;
    Bitmap* shown = shownBitmap(document);
    // An empty shown picture gets the routine's "Error" too, without a picture being made for it.
    if (!shown) throw RangeError(QStringLiteral("Error"));
    scrambleBitmap(*shown);
    document.commitShownAsOriginal();
}

} // namespace kel::commands
