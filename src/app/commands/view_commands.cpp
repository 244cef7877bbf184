#include "app/commands/view_commands.h"

#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "view/zoom_steps.h"
#include "windows/view_form.h"

#include <QMenu>

namespace kel::commands {

namespace {

// The context menu's place, right of and below the view's top-left corner.
constexpr QPoint kImageMenuOffset(306, 110);

} // namespace

template <int Percent>
void zoomTo(CommandContext& context)
{
    context.document.view().setZoomX(Percent);
}
template void zoomTo<10>(CommandContext&);
template void zoomTo<25>(CommandContext&);
template void zoomTo<33>(CommandContext&);
template void zoomTo<50>(CommandContext&);
template void zoomTo<66>(CommandContext&);
template void zoomTo<75>(CommandContext&);
template void zoomTo<zoom::kNormal>(CommandContext&);
template void zoomTo<200>(CommandContext&);
template void zoomTo<300>(CommandContext&);
template void zoomTo<400>(CommandContext&);
template void zoomTo<500>(CommandContext&);
template void zoomTo<750>(CommandContext&);
template void zoomTo<900>(CommandContext&);

void zoomOut(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    view.setZoomX(zoom::zoomNegative(view.ZoomX()));
}

void zoomIn(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    view.setZoomX(zoom::zoomPositive(view.ZoomX()));
}

void wheelTowardsUser(CommandContext& context)
{
    context.controls.focusStatusBar();
    TImageColorizer& view = context.document.view();
    view.setZoomX(zoom::wheelTowardsUser(view.ZoomX()));
}

void wheelAwayFromUser(CommandContext& context)
{
    context.controls.focusStatusBar();
    TImageColorizer& view = context.document.view();
    view.setZoomX(zoom::wheelAwayFromUser(view.ZoomX()));
}

void toggleCentred(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    view.setCenter(!view.Center());
}

void toggleProportional(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    if (view.Proportional()) {
        view.setProportional(false);
        view.setStretch(false);
        view.setZoomX(zoom::kNormal);
    } else {
        view.setProportional(true);
        view.setZoomX(zoom::kNormal);
        view.setStretch(false);
    }
}

void toggleStretched(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    const bool stretch = !view.Stretch();
    view.setStretch(stretch);
    view.setProportional(!stretch);
}

void toggleTransparent(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    view.setTransparent(!view.Transparent());
}

void showZoomWindow(CommandContext& context)
{
    const Graphic* shown = context.document.shown().graphic();
    if (!shown) return;
    TViewForm& zoomWindow = context.controls.zoomWindow();
    zoomWindow.Image1->Picture().assign(shown);
    zoomWindow.Image1->setZoomX(context.document.view().ZoomX());
    zoomWindow.exec();
}

QPoint imageMenuAnchor(const TImageColorizer& view) { return view.mapToGlobal(kImageMenuOffset); }

void showImageMenu(CommandContext& context)
{
    QMenu& menu = *context.controls.imageMenu;
    const QPoint anchor = imageMenuAnchor(context.document.view());
    menu.popup(QPoint(anchor.x() - menu.sizeHint().width() / 2, anchor.y()));
}

} // namespace kel::commands
