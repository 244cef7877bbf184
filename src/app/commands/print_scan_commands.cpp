#include "app/commands/print_scan_commands.h"

#include "graphics/errors.h"
#include "platform/printing.h"
#include "platform/scanner.h"

#include <QMainWindow>

namespace kel::commands {

namespace {

const QString kPrintQuestion = QStringLiteral("Voulez-vous vraiment imprimer cette image ?            ");
const QString kNoScannerLibrary = QStringLiteral("Le driver Twain n' est pas encore installé !      ");

// The toolbar panel, found through its acquisition button.
void focusToolbar(const MainControls& controls)
{
    if (auto* button = controls.window->findChild<QWidget*>(QStringLiteral("Image2")))
        button->parentWidget()->setFocus(Qt::OtherFocusReason);
}

} // namespace

void selectPrinter(CommandContext& context)
{
    context.services.dialogs.print(context.services.printing.printer());
}

void setUpPrinting(CommandContext& context)
{
    context.services.dialogs.printerSetup(context.services.printing.printer());
}

void previewPrintedPage(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    context.services.printing.previewPicture(*document.shown().graphic());
}

void printShownPicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    if (context.services.dialogs.message(MessageKind::Confirmation, kPrintQuestion) != Answer::Yes) return;
    // No spooler window says so on this system: a refused job is told here.
    if (!context.services.printing.printPicture(*document.shown().graphic()))
        throw Error(QStringLiteral("L' imprimante n' a pas accepté l' impression."));
}

void acquirePicture(CommandContext& context)
{
    Scanner& scanner = context.services.scanner;
    if (!scanner.available()) {
        context.services.dialogs.plainMessage(kNoScannerLibrary);
        return;
    }
    const std::optional<QString> source = scanner.selectSource();
    if (!source) return;
    const std::optional<Bitmap> scanned = scanner.acquireWithDialog(*source);
    if (!scanned) return;
    ImageDocument& document = context.document;
    document.shown().assign(&*scanned);
    context.controls.showPicturePage();
    focusToolbar(context.controls);
    document.showShortStatusLine();
}

} // namespace kel::commands
