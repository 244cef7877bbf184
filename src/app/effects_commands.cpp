// The Effets menu, the grey and negative view modes and the tone track bars.
#include "app/program_form.h"

#include "view/image_colorizer.h"
#include "widgets/track_bar.h"

#include <QLabel>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace kel {

namespace {

// Makes BitmapTRAVAIL the original picture again (the view recomputes). An
// empty view is left empty rather than given a picture of no pixels.
void rederiveOriginal(TProgramForm& form)
{
    Picture& original = form.Image1->PictureOriginal();
    if (!original.hasGraphic() && form.BitmapTRAVAIL->empty()) return;
    original.bitmap().assign(*form.BitmapTRAVAIL);
}

// An Effets key: the picture shown now becomes the original, seen through
// every active setting with this one raised, so presses compound.
void raiseEffect(TProgramForm& form, Effect effect, int step)
{
    TImageColorizer& view = *form.Image1;
    const Graphic* shown = view.Picture().graphic();
    if (shown) form.BitmapTRAVAIL->assign(*shown);
    else *form.BitmapTRAVAIL = Bitmap(0, 0, pf24bit);
    view.setEffect(effect, int(std::min<std::int64_t>(INT_MAX, std::int64_t(view.effect(effect)) + step)));
    if (shown) rederiveOriginal(form);
}

} // namespace

void TProgramForm::Effetantialiasing1Click() { raiseEffect(*this, Effect::AntiAlias, 2); }

void TProgramForm::Effetcolornoise1Click() { raiseEffect(*this, Effect::ColorNoise, 25); }

void TProgramForm::Effetdarkness1Click() { raiseEffect(*this, Effect::Darkness, 10); }

void TProgramForm::Effetgaussianblur1Click() { raiseEffect(*this, Effect::GaussianBlur, 1); }

void TProgramForm::Effetlightness1Click() { raiseEffect(*this, Effect::Lightness, 10); }

void TProgramForm::Effetmononoise1Click() { raiseEffect(*this, Effect::MonoNoise, 25); }

void TProgramForm::Effetmosaic1Click() { raiseEffect(*this, Effect::Mosaic, 1); }

void TProgramForm::Effetposterize1Click() { raiseEffect(*this, Effect::Posterize, 10); }

void TProgramForm::Effetsolorize1Click() { raiseEffect(*this, Effect::Solorize, 2); }

void TProgramForm::Effetsplitblur1Click() { raiseEffect(*this, Effect::SplitBlur, 1); }

void TProgramForm::Effetsplitlight1Click() { raiseEffect(*this, Effect::Splitlight, 1); }

void TProgramForm::Effettile1Click() { raiseEffect(*this, Effect::Tile, 2); }

void TProgramForm::Annulerleseffets2Click()
{
    Picture& original = Image1->PictureOriginal();
    if (original.hasGraphic() || !BitmapINITIAL->empty()) original.bitmap().assign(*BitmapINITIAL);
    // Each spatial setter clears the other spatial settings, emboss and trace included.
    for (Effect effect : {Effect::AntiAlias, Effect::ColorNoise, Effect::Darkness, Effect::GaussianBlur,
                          Effect::Lightness, Effect::MonoNoise, Effect::Mosaic, Effect::Posterize, Effect::Solorize,
                          Effect::SplitBlur, Effect::Splitlight, Effect::Tile})
        Image1->setEffect(effect, 0);
}

void TProgramForm::Niveauxdegris1Click()
{
    const bool grey = !Image1->PicGrayScale();
    Image1->setPicGrayScale(grey);
    TrackBarSATURATION->setPosition(grey ? -255 : 0);
}

void TProgramForm::Ngatif1Click() { Image1->setPicInvert(!Image1->PicInvert()); }

void TProgramForm::TrackBarLUMINOSITEChange()
{
    Image1->setPicBrightness(TrackBarLUMINOSITE->Position());
    LabelLUMINOSITE->setText(QString::number(TrackBarLUMINOSITE->Position()));
    rederiveOriginal(*this);
}

void TProgramForm::TrackBarCONTRASTEChange()
{
    rederiveOriginal(*this);
    Image1->setPicContrast(TrackBarCONTRASTE->Position());
    LabelCONTRASTE->setText(QString::number(TrackBarCONTRASTE->Position()));
}

void TProgramForm::TrackBarSATURATIONChange()
{
    rederiveOriginal(*this);
    Image1->setPicSaturation(TrackBarSATURATION->Position());
    LabelSATURATION->setText(QString::number(TrackBarSATURATION->Position()));
}

} // namespace kel
