#include "pages/selection_page.h"

#include "operations/crop.h"
#include "view/image_adapter.h"

#include <QRubberBand>
#include <QScrollArea>

#include <memory>

namespace kel {

SelectionPage::SelectionPage(PageHost& host, QWidget* page) : OperationPage(host, page, 2)
{
    ScrollBox1 = new QScrollArea(page);
    ScrollBox1->setGeometry(0, 0, 629, 629);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setCursor(Qt::ArrowCursor);

    ImageToutBureau = new TImageAdapter;
    ImageToutBureau->setCenter(false);
    ImageToutBureau->setProportional(false);
    ImageToutBureau->setCursor(Qt::CrossCursor);
    ScrollBox1->setWidget(ImageToutBureau);
    ImageToutBureau->OnMouseDown = [this](const MouseArgs& args) { startSelection(args); };
    ImageToutBureau->OnMouseMove = [this](const MouseArgs& args) { moveSelection(args); };
    ImageToutBureau->OnMouseUp = [this](const MouseArgs& args) { endSelection(args); };

    // A child of the picture: it scrolls with it and leaves nothing behind when hidden.
    band_ = new QRubberBand(QRubberBand::Rectangle, ImageToutBureau);
}

void SelectionPage::open()
{
    const Picture& shown = document().shown();
    if (!shown.hasGraphic()) return;
    ImageToutBureau->setPicture(shown);
    ImageToutBureau->resize(shown.width(), shown.height());
    showThisPage();
    focusStatusBar();
}

// Any button starts a drag; Qt's implicit grab keeps the moves and the
// release coming to the picture while the button is held, even off it.
void SelectionPage::startSelection(const MouseArgs& args)
{
    selecting_ = true;
    selectionStart_ = selectionEnd_ = QPoint(args.x, args.y);
    showBand();
}

void SelectionPage::moveSelection(const MouseArgs& args)
{
    if (!selecting_) return;
    if (args.buttons == Qt::NoButton) {
        // The release went elsewhere (the grab was taken away): the drag is over without a crop.
        selecting_ = false;
        band_->hide();
        return;
    }
    selectionEnd_ = QPoint(args.x, args.y);
    showBand();
}

void SelectionPage::endSelection(const MouseArgs& args)
{
    // A release without a drag of this page's own (a second button, a press elsewhere) crops nothing.
    if (!selecting_) return;
    selecting_ = false;
    band_->hide();
    selectionEnd_ = QPoint(args.x, args.y);
    const Rect rect = selectedRect();
    ImageDocument& doc = document();
    if (!runHandler([&] { cropSelection(rect); })) return;
    doc.working() = doc.original().bitmap();
    showPicturePage();
    focusStatusBar();
    doc.showShortStatusLine();
}

Rect SelectionPage::selectedRect() const
{
    const Picture& picture = ImageToutBureau->Picture();
    return selectionRect(selectionStart_.x(), selectionStart_.y(), selectionEnd_.x(), selectionEnd_.y(),
                         picture.width(), picture.height());
}

void SelectionPage::showBand()
{
    const Rect r = selectedRect();
    band_->setGeometry(r.left, r.top, r.width(), r.height());
    band_->show();
}

void SelectionPage::cropSelection(const Rect& rect)
{
    const Picture& picture = ImageToutBureau->Picture();
    Bitmap rendered;
    const Bitmap* source = picture.bitmapIfAny();
    if (!source) {
        if (picture.hasGraphic()) rendered.assign(*picture.graphic());
        source = &rendered;
    }
    document().shown().setGraphic(std::make_unique<Bitmap>(croppedBitmap(*source, rect)));
    document().commitShownAsOriginal();
}

} // namespace kel
