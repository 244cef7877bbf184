#include "app/commands/export_commands.h"

#include "app/commands/save_commands.h"
#include "graphics/canvas.h"
#include "io/icon_writer.h"
#include "io/metafile_writer.h"
#include "io/pdf_export.h"
#include "io/pdf_writer.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kel::commands {

namespace {

FileDialogRequest exportRequest(const char* title, const QString& folder, const QString& fileName)
{
    FileDialogRequest request;
    request.title = QString::fromUtf8(title);
    request.folder = folder;
    request.fileName = fileName;
    request.offset = kExportDialogOffset;
    request.askBeforeReplacing = false;
    return request;
}

} // namespace

void exportPictureAsPdf(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    // Named after the last file of the open dialog, not the current file.
    const QString lastOpened = context.openDialog.lastFile();
    FileDialogRequest request = exportRequest(" Exporter au format PDF", folderOf(lastOpened),
                                              withExtension(QFileInfo(lastOpened).fileName(), QStringLiteral(".pdf")));
    request.filters = QStringList{QStringLiteral(" Acrobat Format (*.pdf) (*.pdf)")};
    request.defaultExtension = QStringLiteral("pdf");
    const std::optional<FileChoice> choice = context.services.dialogs.saveFile(request);
    if (!choice) return;
    Picture& shown = document.shown();
    Bitmap drawn(shown.width(), shown.height(), pf24bit);
    Canvas(drawn).draw(0, 0, *shown.graphic());
    // The window repaints where the dialog was before the export takes its time.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (io::exportBitmapAsPdf(drawn, choice->fileName) != io::kPdfWritten)
        context.services.dialogs.plainMessage(QString::fromUtf8(kSaveFailureMessage));
}

void convertPictureToIcon(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    const QString current = document.fileName();
    FileDialogRequest request = exportRequest(" Convertir en icône", folderOf(current),
                                              withExtension(QFileInfo(current).fileName(), QStringLiteral(".ico")));
    request.filters = QStringList{QString::fromUtf8(" Icônes Windows (*.ICO) (*.ico)")};
    request.defaultExtension = QStringLiteral("ico");
    const std::optional<FileChoice> choice = context.services.dialogs.saveFile(request);
    if (!choice) return;
    // Squeezed to the icon size whatever its proportions.
    Bitmap icon(io::kSystemIconSize, io::kSystemIconSize, pf24bit);
    Canvas(icon).stretchDraw(0, 0, io::kSystemIconSize, io::kSystemIconSize, *document.shown().graphic());
    io::TjvIcon().SaveGraphicAsIcon(icon, choice->fileName);
}

void convertPictureToMetafile(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    const QString current = document.fileName();
    FileDialogRequest request = exportRequest(" Transformer en métafichier", folderOf(current), current);
    request.filters = QStringList{QStringLiteral(" Images Enhanced Metafiles (*.EMF) (*.emf)"),
                                  QStringLiteral(" Images Windows Metafiles (*.WMF) (*.wmf)")};
    request.filterIndex = 1;
    request.defaultExtension = QStringLiteral("emf");
    const std::optional<FileChoice> choice = context.services.dialogs.saveFile(request);
    if (!choice || choice->fileName.isEmpty()) return;
    const QString target =
        withExtension(choice->fileName, choice->filterIndex == 2 ? QStringLiteral(".wmf") : QStringLiteral(".emf"));
    Bitmap drawn;
    io::saveBitmapAsMetafile(shownAsBitmap(document.shown(), drawn), target);
}

} // namespace kel::commands
