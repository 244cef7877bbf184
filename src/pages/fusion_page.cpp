#include "pages/fusion_page.h"

#include "app/document/opened_picture.h"
#include "graphics/errors.h"
#include "operations/blend.h"
#include "view/image_adapter.h"
#include "widgets/track_bar.h"

#include <QPushButton>

namespace kel {

namespace {

// The first picture's fixed weight; the track bar gives the second's.
constexpr int kFirstWeight = 5;

constexpr int kSide = 265;
constexpr int kCaptionWidth = 20;
constexpr int kTopRow = 10;
constexpr int kBottomRow = 290;
// Left edges of the captions; each preview follows its caption.
constexpr int kFirstCaption = 15;
constexpr int kSecondCaption = 324;
constexpr int kResultCaption = (629 - kSide) / 2 - kCaptionWidth - 4;

TImageAdapter* captionedPreview(QWidget* page, const char* caption, int captionLeft, int top)
{
    page_kit::verticalCaption(page, QString::fromUtf8(caption), QRect(captionLeft, top, kCaptionWidth, kSide));
    return page_kit::preview(page, QRect(captionLeft + kCaptionWidth + 4, top, kSide, kSide));
}

} // namespace

FusionPage::FusionPage(PageHost& host, QWidget* page) : OperationPage(host, page, 4)
{
    ImageFUSION1 = captionedPreview(page, "Première image", kFirstCaption, kTopRow);
    ImageFUSION2 = captionedPreview(page, "Deuxième image", kSecondCaption, kTopRow);
    ImageFUSION3 = captionedPreview(page, "Image de fusion", kResultCaption, kBottomRow);
    TrackBarFUSION = page_kit::trackBar(page, {0, 10, 5, 1, 1}, QRect(kResultCaption - 56, kBottomRow, 45, kSide),
                                        Qt::Vertical);
    const page_kit::ActionButtons buttons = page_kit::actionButtons(page, true);
    Button7 = buttons.tester;
    Button8 = buttons.annuler;
    Button9 = buttons.valider;
    connect(Button7, &QPushButton::clicked, this, [this] { runHandler([this] { blend(); }); });
    connect(Button8, &QPushButton::clicked, this, [this] { showPicturePage(); });
    connect(Button9, &QPushButton::clicked, this, [this] { runHandler([this] { commit(); }); });
}

void FusionPage::open()
{
    if (!document().hasPicture()) return;
    const std::optional<FileChoice> choice = host_.services.dialogs.openPicture(host_.openDialog.request());
    if (!choice) return;
    host_.openDialog.remember(*choice);
    blended_ = false;
    Bitmap second;
    try {
        second = loadOpenedPicture(choice->fileName);
    } catch (const InvalidGraphic&) {
        ImageFUSION2->Picture().clear();
        return;
    }
    ImageFUSION2->Picture().setGraphic(std::make_unique<Bitmap>(std::move(second)));
    ImageFUSION1->setPicture(document().shown());
    showThisPage();
    focusStatusBar();
}

void FusionPage::blend()
{
    Picture& first = ImageFUSION1->Picture();
    Picture& second = ImageFUSION2->Picture();
    if (first.width() != second.width() || first.height() != second.height()) {
        host_.services.dialogs.plainMessage(blendSizeMessage());
        return;
    }
    if (!first.hasGraphic() || !second.hasGraphic()) return;
    ImageFUSION3->Picture().setGraphic(std::make_unique<Bitmap>(
        BlendBitmaps(first.bitmap(), kFirstWeight, second.bitmap(), TrackBarFUSION->Position())));
    blended_ = true;
}

void FusionPage::commit()
{
    if (!blended_) return;
    showPicturePage();
    document().shown().assign(ImageFUSION3->Picture().graphic());
    document().working() = document().shown().bitmap();
    document().refreshStatusLine();
}

} // namespace kel
