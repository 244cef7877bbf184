#include "pages/fill_page.h"

#include "operations/flood_fill.h"
#include "view/image_adapter.h"
#include "widgets/gradient_panel.h"
#include "widgets/track_bar.h"

#include <QGuiApplication>
#include <QPoint>
#include <QPushButton>

#include <cstdint>

namespace kel {

namespace {

// The hourglass over the whole program while it lives, whatever way the fill ends.
class WaitPointer {
public:
    WaitPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitPointer() { QGuiApplication::restoreOverrideCursor(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

// The source index the preview draws at `offset` into an `extent` wide
// display of `size` pixels (the preview repeats or drops pixels the same way).
int sourceIndex(int offset, int extent, int size) { return int(std::int64_t(offset) * size / extent); }

} // namespace

FillPage::FillPage(PageHost& host, QWidget* page) : OperationPage(host, page, 5)
{
    ImageFILL = page_kit::preview(page);
    ImageFILL->setCursor(Qt::ArrowCursor);
    GPanel4 = page_kit::swatch(page, page_kit::kLeftSwatchLeft);
    GPanel5 = page_kit::swatch(page, page_kit::kRightSwatchLeft);
    AngleLabel3 = page_kit::verticalCaption(page, QStringLiteral("Couleur de remplissage"));
    page_kit::caption(page, QStringLiteral("Taux de tolérance"), page_kit::kBarPlace.left(), page_kit::kBarCaptionTop);
    TrackBarFILL = page_kit::trackBar(page, {0, 100, 50, 5, 10});
    FlatEdit = page_kit::colourEdits(page, 0, 0);
    const page_kit::ActionButtons buttons = page_kit::actionButtons(page, false);
    Button11 = buttons.annuler;
    Button12 = buttons.valider;

    ImageFILL->OnMouseUp = [this](const MouseArgs& args) { runHandler([&] { fillAt(args.x, args.y); }); };
    connect(Button11, &QPushButton::clicked, this, [this] { showPicturePage(); });
    connect(Button12, &QPushButton::clicked, this, [this] { runHandler([this] { commit(); }); });
}

void FillPage::open()
{
    if (!document().hasPicture()) return;
    ImageFILL->setPicture(document().shown());
    for (TGPanel* swatch : {GPanel4, GPanel5}) swatch->setColor_2(clBlack);
    FlatEdit.clear();
    showThisPage();
    focusStatusBar();
}

std::optional<QPoint> FillPage::picturePixelAt(int controlX, int controlY) const
{
    const Rect shown = ImageFILL->DisplayRect();
    if (controlX < shown.left || controlX >= shown.right || controlY < shown.top || controlY >= shown.bottom)
        return std::nullopt;
    const Picture& picture = ImageFILL->Picture();
    return QPoint(sourceIndex(controlX - shown.left, shown.width(), picture.width()),
                  sourceIndex(controlY - shown.top, shown.height(), picture.height()));
}

void FillPage::fillAt(int controlX, int controlY)
{
    Picture& preview = ImageFILL->Picture();
    if (!preview.hasGraphic()) return;
    const Colour fill = FlatEdit.readInto(host_.picked);
    const WaitPointer wait;
    const std::optional<QPoint> seed = picturePixelAt(controlX, controlY);
    if (!seed) return;
    Bitmap work = preview.bitmap();
    work.setPixelFormat(pf24bit);
    fillRegion(work, seed->x(), seed->y(), TrackBarFILL->Position(), fill);
    preview.setGraphic(std::make_unique<Bitmap>(std::move(work)));
}

void FillPage::commit()
{
    if (!ImageFILL->Picture().hasGraphic()) return;
    document().shown().assign(ImageFILL->Picture().graphic());
    document().refreshStatusLine();
    document().working() = document().shown().bitmap();
    showPicturePage();
}

} // namespace kel
