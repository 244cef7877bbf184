#include "pages/text_page.h"

#include "view/image_adapter.h"
#include "widgets/angle_label.h"
#include "widgets/gradient_panel.h"
#include "widgets/track_bar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace kel {

namespace {

using page_kit::kPreviewPlace;

// The position bar stands between its caption and the preview, its number
// labels against the preview.
constexpr QRect kPositionBarPlace{58, kPreviewPlace.top(), 44, kPreviewPlace.height()};
constexpr QRect kTextEditPlace{kPreviewPlace.left(), 458, kPreviewPlace.width(), 21};
constexpr int kStyleTop = 487;
constexpr int kStyleColumn = 150;
constexpr QRect kSizeBarPlace{kPreviewPlace.left(), 510, kPreviewPlace.width(), 45};

} // namespace

TextPage::TextPage(PageHost& host, QWidget* page, const page_kit::ColourEdits& frameColour)
    : OperationPage(host, page, 6), frameColour_(frameColour)
{
    ImageTEXTES = page_kit::preview(page);
    page_kit::verticalCaption(page, QStringLiteral("Position du texte"));
    TrackBarPOSITION = page_kit::trackBar(page, {0, 250, 20, 5, 25}, kPositionBarPlace, Qt::Vertical);
    GPanel8 = page_kit::swatch(page, page_kit::kRightSwatchLeft);

    page_kit::caption(page, QStringLiteral("Zone de saisie de texte"), kTextEditPlace.left(), page_kit::kBarCaptionTop);
    EditTEXTES = new QLineEdit(page);
    EditTEXTES->setGeometry(kTextEditPlace);

    const auto styleBox = [&](const char* text, int column, void (TextPage::*apply)()) {
        auto* box = new QCheckBox(QString::fromUtf8(text), page);
        box->move(kPreviewPlace.left() + column * kStyleColumn, kStyleTop);
        box->adjustSize();
        connect(box, &QCheckBox::clicked, this, [this, apply] { runHandler([this, apply] { (this->*apply)(); }); });
        return box;
    };
    FlatCheckBoxGRAS = styleBox("Gras", 0, &TextPage::applyBold);
    FlatCheckBoxITALIC = styleBox("Italique", 1, &TextPage::applyItalic);
    FlatCheckBoxSOULIGNE = styleBox("Souligné", 2, &TextPage::applyUnderline);
    TrackBarPOLICE = page_kit::trackBar(page, {0, 40, 10, 1, 2}, kSizeBarPlace);

    const page_kit::ActionButtons buttons = page_kit::actionButtons(page, true);
    Button10 = buttons.tester;
    Button13 = buttons.annuler;
    Button14 = buttons.valider;
    connect(Button10, &QPushButton::clicked, this, [this] { runHandler([this] { drawText(); }); });
    connect(Button13, &QPushButton::clicked, this, [this] { runHandler([this] { leave(); }); });
    connect(Button14, &QPushButton::clicked, this, [this] { runHandler([this] { commit(); }); });
}

void TextPage::applyBold() { font_.bold = FlatCheckBoxGRAS->isChecked(); }

void TextPage::applyItalic() { font_.italic = FlatCheckBoxITALIC->isChecked(); }

void TextPage::applyUnderline() { font_.underline = FlatCheckBoxSOULIGNE->isChecked(); }

void TextPage::open()
{
    if (!document().hasPicture()) return;
    ImageTEXTES->Picture().assign(&document().shown().bitmap());
    font_ = TextStyle{};
    GPanel8->setColor_2(clBlack);
    showThisPage();
    EditTEXTES->clear();
    EditTEXTES->setFocus();
}

void TextPage::drawText()
{
    // An edit that is not a whole number stops here, before anything is drawn.
    font_.colour = frameColour_.readInto(host_.picked);
    applyBold();
    applyItalic();
    applyUnderline();
    font_.points = TrackBarPOLICE->Position();
    drawPageText(ImageTEXTES->Picture().bitmap(), EditTEXTES->text(), TrackBarPOSITION->Position(), font_);
}

void TextPage::commit()
{
    ImageDocument& doc = document();
    doc.shown().assign(&ImageTEXTES->Picture().bitmap());
    doc.working() = doc.shown().bitmap();
    doc.refreshStatusLine();
    showPicturePage();
}

void TextPage::leave() { showPicturePage(); }

} // namespace kel
