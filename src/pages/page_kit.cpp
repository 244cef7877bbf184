#include "pages/page_kit.h"

#include "app/document/picked_colour.h"
#include "view/image_adapter.h"
#include "widgets/angle_label.h"
#include "widgets/gradient_panel.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <QLabel>
#include <QPushButton>

namespace kel::page_kit {

namespace {

constexpr int kEditWidth = 64;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 27;

} // namespace

TImageAdapter* preview(QWidget* page, const QRect& place)
{
    auto* view = new TImageAdapter(page);
    view->setGeometry(place);
    view->setCenter(true);
    view->setProportional(true);
    return view;
}

TGPanel* swatch(QWidget* page, int left, int top)
{
    auto* panel = new TGPanel(page);
    panel->setGeometry(left, top, 33, 425);
    panel->setBevelOuter(Bevel::None);
    panel->setHorizontal(false);
    panel->setPercent(50);
    panel->setColor_1(clBtnFace);
    panel->setColor_2(clBlack);
    panel->setColor_3(clBtnFace);
    return panel;
}

TAngleLabel* verticalCaption(QWidget* page, const QString& text, const QRect& place)
{
    auto* label = new TAngleLabel(text, page);
    label->setGeometry(place);
    return label;
}

QLabel* caption(QWidget* page, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, page);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TTrackBar* trackBar(QWidget* page, const TrackSettings& settings, const QRect& place, Qt::Orientation orientation)
{
    auto* bar = new TTrackBar(page);
    bar->setOrientation(orientation);
    bar->setGeometry(place);
    bar->setRange(settings.minimum, settings.maximum);
    bar->setPosition(settings.position);
    bar->setFrequency(settings.tick);
    bar->setLabelInterval(settings.labelEvery);
    return bar;
}

QRect editPlace(int column)
{
    const int step = (kPreviewPlace.width() - kEditWidth) / 2;
    return QRect(kPreviewPlace.left() + column * step, kEditTop, kEditWidth, kEditHeight);
}

TSpinEdit* spinEdit(QWidget* page, const QString& captionText, int column, int minimum, int maximum)
{
    const QRect place = editPlace(column);
    caption(page, captionText, place.left(), kEditCaptionTop);
    auto* edit = new TSpinEdit(page);
    edit->setGeometry(place);
    edit->setRange(minimum, maximum);
    return edit;
}

Colour ColourEdits::readInto(PickedColour& picked) const
{
    const int r = readInteger(*red);
    const int g = readInteger(*green);
    const int b = readInteger(*blue);
    picked.red = r;
    picked.green = g;
    picked.blue = b;
    return rgb(r & 0xFF, g & 0xFF, b & 0xFF);
}

void ColourEdits::show(const PickedColour& colour) const
{
    red->setValue(colour.red);
    green->setValue(colour.green);
    blue->setValue(colour.blue);
}

void ColourEdits::clear() const
{
    for (TSpinEdit* edit : {red, green, blue}) edit->setValue(0);
}

ColourEdits colourEdits(QWidget* page, int minimum, int maximum)
{
    const ColourEdits edits{spinEdit(page, QStringLiteral("R (Rouge)"), 0, minimum, maximum),
                            spinEdit(page, QStringLiteral("V (Vert)"), 1, minimum, maximum),
                            spinEdit(page, QStringLiteral("B (Bleu)"), 2, minimum, maximum)};
    // An emptied colour edit stays empty when left, so that reading it gives
    // the conversion error rather than a silent 0.
    for (TSpinEdit* edit : {edits.red, edits.green, edits.blue}) edit->setMendsUnreadableText(false);
    return edits;
}

ActionButtons actionButtons(QWidget* page, bool withTester)
{
    const auto button = [page](const char* text, int left) {
        auto* b = new QPushButton(QString::fromUtf8(text), page);
        b->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
        return b;
    };
    const int gap = (kPreviewPlace.width() - 3 * kButtonWidth) / 2;
    const int first = kPreviewPlace.left();
    if (!withTester) {
        const int middle = kPreviewPlace.left() + kPreviewPlace.width() / 2;
        return ActionButtons{nullptr, button("Annuler", middle - kButtonWidth - gap / 2),
                             button("Valider", middle + gap / 2)};
    }
    return ActionButtons{button("Tester", first), button("Annuler", first + kButtonWidth + gap),
                         button("Valider", first + 2 * (kButtonWidth + gap))};
}

} // namespace kel::page_kit
