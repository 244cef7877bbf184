#include "pages/resize_page.h"

#include "operations/resize.h"
#include "view/image_adapter.h"
#include "widgets/arrow.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace kel {

namespace {

TArrow* arrowBeside(QWidget* page, int left)
{
    auto* arrow = new TArrow(page);
    arrow->setGeometry(left, page_kit::kPreviewPlace.top(), 33, page_kit::kPreviewPlace.height());
    return arrow;
}

} // namespace

ResizePage::ResizePage(PageHost& host, QWidget* page) : OperationPage(host, page, 1)
{
    using namespace page_kit;
    ImageSIZER = preview(page);
    viArrow1 = arrowBeside(page, kLeftSwatchLeft);
    viArrow2 = arrowBeside(page, kRightSwatchLeft);
    caption(page, QStringLiteral("Redimensionner"), kBarPlace.left(), kBarCaptionTop);
    TrackBarSCALE = trackBar(page, {0, 600, 100, 25, 50});
    TrackBarSCALE->OnChange = [this] { proposeSize(); };

    caption(page, QStringLiteral("Pourcentage (%)"), editPlace(0).left(), kEditCaptionTop);
    EditPOURCENT = new QLineEdit(QStringLiteral("100"), page);
    EditPOURCENT->setGeometry(editPlace(0));
    EditPOURCENT->setReadOnly(true);
    EditLARGEUR = spinEdit(page, QStringLiteral("Largeur (pixels)"), 1, 10, 4000);
    EditHAUTEUR = spinEdit(page, QStringLiteral("Hauteur (pixels)"), 2, 10, 4000);
    EditLARGEUR->setValue(10);
    EditHAUTEUR->setValue(10);

    const ActionButtons buttons = actionButtons(page, false);
    Button1 = buttons.annuler;
    Button3 = buttons.valider;
    connect(Button1, &QPushButton::clicked, this, [this] { showPicturePage(); });
    connect(Button3, &QPushButton::clicked, this, [this] { runHandler([this] { commitResize(); }); });
}

void ResizePage::open()
{
    Picture& shown = document().shown();
    if (!shown.hasGraphic()) return;
    ImageSIZER->setPicture(shown);
    EditHAUTEUR->setText(QString::number(shown.height()));
    EditLARGEUR->setText(QString::number(shown.width()));
    showThisPage();
    EditPOURCENT->setText(QStringLiteral("100"));
    TrackBarSCALE->setPosition(100);
    focusStatusBar();
}

void ResizePage::proposeSize()
{
    const Picture& previewed = ImageSIZER->Picture();
    if (!previewed.hasGraphic()) return;
    const int percent = TrackBarSCALE->Position();
    EditPOURCENT->setText(QString::number(percent));
    const PictureSize size = proposedSize(previewed.width(), previewed.height(), percent);
    EditLARGEUR->setText(QString::number(size.width));
    EditHAUTEUR->setText(QString::number(size.height));
}

void ResizePage::commitResize()
{
    ImageDocument& doc = document();
    if (!doc.hasPicture()) return;
    Bitmap rendered;
    const Bitmap* source = doc.shown().bitmapIfAny();
    if (!source) {
        rendered.assign(*doc.shown().graphic());
        source = &rendered;
    }
    const PictureSize size = committedSize(source->width(), source->height(), EditLARGEUR->value(), EditHAUTEUR->value());
    // A negative size or one past the bitmap limits throws here, before the document changes.
    auto stretched = std::make_unique<Bitmap>(stretchedBitmap(*source, size.width, size.height));
    doc.shown().setGraphic(std::move(stretched));
    // The status line describes the stretched picture before the effects are applied over it again.
    doc.refreshStatusLine();
    showPicturePage();
    doc.working() = doc.shown().bitmap();
    doc.commitShownAsOriginal();
}

} // namespace kel
