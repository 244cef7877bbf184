// Opening, closing, deleting and reloading the picture, the return to the
// picture as opened and the pointer readout over the view.
#include "app/program_form.h"

#include "app/document/opened_picture.h"
#include "app/document/status_line.h"
#include "app/document/zoom_steps.h"
#include "codecs/codec.h"
#include "graphics/errors.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/icon_list_box.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>

namespace kel {

namespace {

constexpr const char* kDeleteQuestion = "Voulez-vous vraiment supprimer l' image ?          ";

// A bitmap copy of the shown picture that leaves the holder untouched: an
// empty 24-bit bitmap when it holds nothing, a rendering over white when its
// graphic is not a bitmap.
Bitmap shownBitmapCopy(const Picture& shown)
{
    if (const Bitmap* bitmap = shown.bitmapIfAny()) return *bitmap;
    Bitmap copy(0, 0, pf24bit);
    if (shown.hasGraphic()) copy.assign(*shown.graphic());
    return copy;
}

// An existing file (not a folder) named by the text.
bool namesExistingFile(const QString& name) { return !name.isEmpty() && QFileInfo(name).isFile(); }

void deselectFirstEffect(TIconListBox& list)
{
    if (QListWidgetItem* first = list.item(0)) first->setSelected(false);
}

} // namespace

void TProgramForm::RefreshStatusLine() { EStatusBar1->setCaption(fullStatusLine(EditNOM->text(), Image1->Picture())); }

void TProgramForm::Ouvriruneimage1Click()
{
    if (const std::optional<FileChoice> choice = dialogs().openPicture(OpenDialog1.request())) {
        OpenDialog1.remember(*choice);
        EditNOM->clear();
        EStatusBar1->setCaption(QString());
        // Emptied before the effects are reset, so that the reset has no
        // previous picture to copy.
        Image1->Picture().clear();
        Image1->PictureOriginal().clear();
        Image1->ResetEffects();

        Bitmap opened;
        try {
            opened = loadOpenedPicture(choice->fileName);
        } catch (const InvalidGraphic&) {
            // An unknown format or rejected data empties the document without a message.
            Image1->Picture().clear();
            Image1->PictureOriginal().clear();
            ImageCIBLE->Picture().clear();
            return;
        }
        Image1->PictureOriginal().assign(&opened);
        // The thumbnail is the last to need the opened bitmap: it takes it over.
        ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(std::move(opened)));
        Image1->setZoomX(zoom::kNormal);
        EditNOM->setText(choice->fileName);
        Notebook1->setCurrentIndex(0);
        RefreshStatusLine();
    }
    // Also after a cancelled dialog: the working bitmaps take the picture as it is shown now.
    *BitmapTRAVAIL = shownBitmapCopy(Image1->Picture());
    *BitmapINITIAL = *BitmapTRAVAIL;
    TrackBarLUMINOSITE->setPosition(0);
    TrackBarCONTRASTE->setPosition(0);
    TrackBarSATURATION->setPosition(0);
    TrackBarROUGE->setPosition(255);
    TrackBarVERT->setPosition(255);
    TrackBarBLEU->setPosition(255);
    deselectFirstEffect(*ListBox1);
    EStatusBar1->setFocus(Qt::OtherFocusReason);
}

void TProgramForm::Fermerlimage1Click()
{
    Image1->PictureOriginal().clear();
    EStatusBar1->setCaption(QString());
}

void TProgramForm::Supprimer1Click()
{
    if (!Image1->Picture().hasGraphic()) return;
    const QString name = EditNOM->text();
    if (!namesExistingFile(name)) return;
    if (CenteredMessageDlg(QString::fromUtf8(kDeleteQuestion), MessageKind::Confirmation) != Answer::Yes) return;
    QFile file(name);
    // A file that stays on the disk is reported, and the picture stays shown.
    if (!file.remove())
        throw FileError(QStringLiteral("Impossible de supprimer le fichier %1 : %2").arg(name, file.errorString()));
    Image1->Picture().clear();
    EStatusBar1->setCaption(QString());
}

void TProgramForm::Annuler1Click()
{
    const QString name = EditNOM->text();
    if (!namesExistingFile(name)) return;
    Image1->ResetEffects();
    // The view brings the loaded picture to 24 bits and recomputes the shown copy.
    Image1->PictureOriginal().setGraphic(codecs::loadGraphic(name));
    EStatusBar1->setFocus(Qt::OtherFocusReason);
    RefreshStatusLine();
}

void TProgramForm::ImageCIBLEClick()
{
    if (!ImageCIBLE->Picture().hasGraphic()) return;
    Notebook1->setCurrentIndex(0);
    TrackBarROUGE->setPosition(255);
    TrackBarVERT->setPosition(255);
    TrackBarBLEU->setPosition(255);
    TrackBarLUMINOSITE->setPosition(0);
    TrackBarCONTRASTE->setPosition(0);
    TrackBarSATURATION->setPosition(0);
    Image1->Picture().assign(BitmapINITIAL.get());
    Image1->PictureOriginal().assign(Image1->Picture().graphic());
    Image1->ResetEffects();
    *BitmapTRAVAIL = *BitmapINITIAL;
    deselectFirstEffect(*ListBox1);
    EStatusBar1->setFocus(Qt::OtherFocusReason);
    RefreshStatusLine();
}

void TProgramForm::Vrifier1Click()
{
    Image1->setCenter(true);
    Image1->setProportional(true);
    Image1->setStretch(false);
    Image1->setTransparent(false);
    Image1->setPicGrayScale(false);
    Image1->setPicInvert(false);
}

void TProgramForm::Image1MouseMove(const MouseArgs& args)
{
    LabelCURSOR->setText(QString::number(args.x) + QStringLiteral(" x ") + QString::number(args.y));
}

void TProgramForm::Image1MouseExit() { LabelCURSOR->clear(); }

} // namespace kel
