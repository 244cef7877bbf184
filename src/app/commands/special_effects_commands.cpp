#include "app/commands/special_effects_commands.h"

#include "view/image_colorizer.h"
#include "widgets/icon_list_box.h"

namespace kel::commands {

namespace {

constexpr int kTraceStep = 1;

const SpecialEffect* effectCaptioned(const QString& caption)
{
    for (const SpecialEffect& effect : specialEffects())
        if (caption == QLatin1String(effect.caption)) return &effect;
    return nullptr;
}

void runRoutine(const SpecialEffect& effect, Picture& picture)
{
    if (Bitmap* bitmap = picture.bitmapIfAny()) {
        bitmap->detach(); // a routine may split its rows between threads
        effect.routine(*bitmap);
    }
}

} // namespace

void applySpecialEffect(ImageDocument& document, const SpecialEffect& effect)
{
    TImageColorizer& view = document.view();
    Picture& original = document.original();
    Picture& shown = document.shown();
    switch (effect.dispatch) {
    case SpecialDispatch::OriginalThenShown:
        runRoutine(effect, original);
        runRoutine(effect, shown);
        break;
    case SpecialDispatch::ShownThenOriginal:
        runRoutine(effect, shown);
        runRoutine(effect, original);
        break;
    case SpecialDispatch::ShownCommitted:
        runRoutine(effect, shown);
        document.commitShownAsOriginal();
        break;
    case SpecialDispatch::OriginalOnly:
        // The routine replaces the original, which notifies: the view turns
        // the shown picture by recomputing it.
        runRoutine(effect, original);
        break;
    case SpecialDispatch::EmbossSetting:
        view.setPicEmboss(true);
        break;
    case SpecialDispatch::TraceSetting:
        view.setPicTrace(view.PicTrace() + kTraceStep);
        break;
    }
    view.update();
    const Bitmap* committed = original.bitmapIfAny();
    document.working() = committed ? *committed : Bitmap(0, 0, pf24bit);
}

void applySelectedSpecialEffect(CommandContext& context)
{
    if (!context.document.hasPicture()) return;
    const QListWidgetItem* entry = context.controls.effectsList->currentItem();
    if (!entry) return;
    if (const SpecialEffect* effect = effectCaptioned(entry->text())) applySpecialEffect(context.document, *effect);
}

} // namespace kel::commands
