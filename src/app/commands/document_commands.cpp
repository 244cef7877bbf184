#include "app/commands/document_commands.h"

#include "app/document/colour_count_aside.h"
#include "app/document/opened_picture.h"
#include "codecs/codec.h"
#include "codecs/decode_watch.h"
#include "graphics/errors.h"
#include "graphics/system_error_text.h"
#include "view/image_colorizer.h"
#include "view/zoom_steps.h"

#include <QFile>
#include <QFileInfo>
#include <QMainWindow>

namespace kel::commands {

namespace {

constexpr const char* kDeleteQuestion = "Voulez-vous vraiment supprimer l' image ?          ";
constexpr const char* kQuitQuestion = "Voulez-vous vraiment quitter le programme ?          ";

// An existing file (not a folder) named by the text.
bool namesExistingFile(const QString& name) { return !name.isEmpty() && QFileInfo(name).isFile(); }

// Empties the document and shows the file instead: the original and the
// thumbnail, at 100 %, on the first page. Returns false when the file was
// rejected (the document is then empty, without a message).
bool replaceWithFile(CommandContext& context, const QString& fileName)
{
    ImageDocument& document = context.document;
    document.setFileName(QString());
    document.clearStatusLine();
    // Emptied before the effects are reset, so that the reset has no previous picture to copy.
    document.shown().clear();
    document.original().clear();
    document.view().ResetEffects();
    Bitmap opened;
    // The colours are counted beside the decoding, on another thread.
    ColourCountAside colours;
    try {
        const codecs::WatchingDecodes watch(colours);
        opened = loadOpenedPicture(fileName);
    } catch (const InvalidGraphic&) {
        document.thumbnail().clear();
        return false;
    }
    document.original().assign(&opened);
    // The thumbnail is the last to need the opened bitmap: it takes it over.
    document.thumbnail().setGraphic(std::make_unique<Bitmap>(std::move(opened)));
    document.view().setZoomX(zoom::kNormal);
    document.setFileName(fileName);
    context.controls.showPicturePage();
    const Bitmap* shown = document.shown().bitmapIfAny();
    if (shown)
        document.refreshStatusLine(colours.countOf(*shown));
    else
        document.refreshStatusLine();
    return true;
}

// The end of every opening: the working bitmaps take the picture as it is
// shown now, the track bars their defaults, and the status bar the focus.
void settleAfterOpening(CommandContext& context)
{
    context.document.takeShownAsWorking();
    context.controls.resetToneThenChannelBars();
    context.controls.deselectFirstEffect();
    context.controls.focusStatusBar();
}

} // namespace

void openPicture(CommandContext& context)
{
    if (const std::optional<FileChoice> choice = context.services.dialogs.openPicture(context.openDialog.request())) {
        context.openDialog.remember(*choice);
        if (!replaceWithFile(context, choice->fileName)) return;
    }
    // Also after a cancelled dialog.
    settleAfterOpening(context);
}

void openPictureFile(CommandContext& context, const QString& fileName)
{
    if (replaceWithFile(context, fileName)) settleAfterOpening(context);
}

void closePicture(CommandContext& context)
{
    context.document.original().clear();
    context.document.clearStatusLine();
}

void deletePictureFile(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    const QString name = document.fileName();
    if (!namesExistingFile(name)) return;
    if (context.services.dialogs.message(MessageKind::Confirmation, QString::fromUtf8(kDeleteQuestion)) != Answer::Yes) return;
    QFile file(name);
    // A file that stays on the disk is reported, and the picture stays shown.
    if (!file.remove())
        throw FileError(QStringLiteral("Impossible de supprimer le fichier %1 : %2").arg(name, deviceErrorText(file)));
    document.shown().clear();
    document.clearStatusLine();
}

void reloadPicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    const QString name = document.fileName();
    if (!namesExistingFile(name)) return;
    document.view().ResetEffects();
    // The view brings the loaded picture to 24 bits and recomputes the shown copy.
    document.original().setGraphic(codecs::loadGraphic(name));
    context.controls.focusStatusBar();
    document.refreshStatusLine();
}

void returnToOpenedPicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.thumbnail().hasGraphic()) return;
    context.controls.showPicturePage();
    context.controls.resetChannelThenToneBars();
    document.returnToOpened();
    context.controls.deselectFirstEffect();
    context.controls.focusStatusBar();
    document.refreshStatusLine();
}

void resetView(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    view.setCenter(true);
    view.setProportional(true);
    view.setStretch(false);
    view.setTransparent(false);
    view.setPicGrayScale(false);
    view.setPicInvert(false);
}

void quitProgram(CommandContext& context)
{
    if (context.services.dialogs.message(MessageKind::Confirmation, QString::fromUtf8(kQuitQuestion)) == Answer::Yes)
        context.controls.window->close();
}

} // namespace kel::commands
