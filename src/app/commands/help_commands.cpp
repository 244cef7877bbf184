#include "app/commands/help_commands.h"

#include "graphics/errors.h"
#include "platform/desktop.h"
#include "windows/command_form.h"
#include "windows/configure_form.h"
#include "windows/internet_form.h"
#include "windows/propos_form.h"

#include <QMainWindow>

namespace kel::commands {

namespace {

// The window start-up made for the main window; nothing happens without it.
template <typename Form>
void showCentred(CommandContext& context)
{
    QWidget* owner = context.controls.window;
    Form* form = owner ? owner->findChild<Form*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!form) return;
    form->winId(); // the frame's margins are known once the window exists
    QRect place(QPoint(), form->frameGeometry().size());
    place.moveCenter(owner->frameGeometry().center());
    form->move(place.topLeft());
    form->exec();
}

} // namespace

void showHelpIndex(CommandContext& context)
{
    const QString file = QString::fromLatin1(kHelpFile);
    if (!context.services.desktop.openHelp(file))
        throw Error(QStringLiteral("Le fichier d' aide %1 ne peut pas être ouvert.").arg(file));
}

void showCommandList(CommandContext& context) { showCentred<TCommandForm>(context); }

void showSystemWindow(CommandContext& context) { showCentred<TConfigureForm>(context); }

void showLinksWindow(CommandContext& context) { showCentred<TInternetForm>(context); }

void showAboutWindow(CommandContext& context) { showCentred<TProposForm>(context); }

} // namespace kel::commands
