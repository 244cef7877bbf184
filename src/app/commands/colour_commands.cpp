#include "app/commands/colour_commands.h"

#include "graphics/canvas.h"
#include "operations/channels.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/track_bar.h"

#include <QLabel>

namespace kel::commands {

namespace {

void showPosition(QLabel& label, const TTrackBar& bar) { label.setText(QString::number(bar.Position())); }

} // namespace

void scaleChannels(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    const MainControls& controls = context.controls;
    showPosition(*controls.redValue, *controls.red);
    showPosition(*controls.greenValue, *controls.green);
    showPosition(*controls.blueValue, *controls.blue);
    const Colour factors = rgb(controls.red->Position(), controls.green->Position(), controls.blue->Position());
    // An empty original (a scanned picture in a fresh run) leaves the shown picture as it is.
    if (const Bitmap* original = document.original().bitmapIfAny())
        ScaleChannels(*original, document.shown().bitmap(), factors);
    document.view().repaint();
    document.working() = document.shown().bitmap();
}

template <int Red, int Green, int Blue>
void setChannelBars(CommandContext& context)
{
    context.controls.red->setPosition(Red);
    context.controls.green->setPosition(Green);
    context.controls.blue->setPosition(Blue);
}
template void setChannelBars<240, 240, 240>(CommandContext&);
template void setChannelBars<255, 255, 128>(CommandContext&);
template void setChannelBars<255, 128, 0>(CommandContext&);
template void setChannelBars<210, 0, 0>(CommandContext&);
template void setChannelBars<128, 64, 0>(CommandContext&);
template void setChannelBars<255, 0, 255>(CommandContext&);
template void setChannelBars<128, 0, 128>(CommandContext&);
template void setChannelBars<0, 255, 255>(CommandContext&);
template void setChannelBars<0, 128, 192>(CommandContext&);
template void setChannelBars<0, 0, 155>(CommandContext&);
template void setChannelBars<128, 128, 0>(CommandContext&);
template void setChannelBars<98, 196, 0>(CommandContext&);
template void setChannelBars<0, 128, 0>(CommandContext&);
template void setChannelBars<192, 192, 192>(CommandContext&);
template void setChannelBars<128, 128, 128>(CommandContext&);
template void setChannelBars<20, 20, 20>(CommandContext&);

void sepiaTone(CommandContext& context)
{
    ImageDocument& document = context.document;
    // Toned in place on both pictures: no recompute runs.
    if (Bitmap* shown = document.shown().bitmapIfAny()) {
        SepiaTone(*shown, kSepiaDepth);
        if (Bitmap* original = document.original().bitmapIfAny()) SepiaTone(*original, kSepiaDepth);
    }
    document.view().repaint();
    context.controls.resetToneThenChannelBars();
}

void pickPaletteColour(CommandContext& context, int x, int y)
{
    TImageAdapter& palette = *context.controls.palette;
    const Bitmap* swatches = palette.Picture().bitmapIfAny();
    // Qt reports positions outside the palette while a button is held: they pick nothing.
    if (!swatches || x < 0 || y < 0 || x >= swatches->width() || y >= swatches->height()) return;
    PickedColour& picked = context.picked;
    picked.set(palette.GetCanvas().pixel(x, y));
    context.controls.pointerReadout->setText(QStringLiteral("RGB(%1,%2,%3)").arg(picked.red).arg(picked.green).arg(picked.blue));
}

void publishPickedColour(CommandContext& context)
{
    if (context.picked.publish) context.picked.publish(context.picked);
}

void choosePickedColour(CommandContext& context)
{
    if (!context.document.hasPicture()) return;
    const std::optional<Colour> chosen = context.services.dialogs.chooseColour(context.picked.value());
    if (!chosen) return;
    context.picked.set(*chosen);
    publishPickedColour(context);
}

} // namespace kel::commands
