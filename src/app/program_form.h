#pragma once
// The main window: toolbar, thumbnail and special-effects list on the left,
// the page area with the main view in the middle, the channel and tone track
// bars with the colour palette on the right, the status bar at the bottom.
// Every command is a handler of this window, reached through the command
// table from the main menu, the image's context menu and the toolbar.
#include "app/document/open_dialog.h"
#include "graphics/bitmap.h"
#include "platform/command_runner.h"
#include "platform/dialogs.h"
#include "view/zoomable_view.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QScrollArea;
class QStackedWidget;

namespace kel {

class TEStatusBar;
class TGPanel;
class TIconListBox;
class TImageAdapter;
class TImageColorizer;
class TLabelBorder;
class TPictureButton;
class TTrackBar;
class TViewForm;

class TProgramForm final : public QMainWindow {
    Q_OBJECT
public:
    // The client area under the menu bar.
    static constexpr int kClientWidth = 1008;
    static constexpr int kClientHeight = 706;

    explicit TProgramForm(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TProgramForm() override;

    Dialogs& dialogs() { return dialogs_; }
    // Runs a handler; a failure escaping it is shown in the default error box.
    void runCommand(void (TProgramForm::*handler)());

    // The modal message box centred on this window: Oui/Non for a
    // confirmation, OK for information. Any way of closing it other than
    // Oui answers No.
    Answer CenteredMessageDlg(const QString& text, MessageKind kind);

    // A menu item of the main menu or a context menu, by its name.
    QAction* menuItem(const QString& name) const;
    // A picture button of the toolbar, by its name.
    TPictureButton* toolbarButton(const QString& name) const;

    // Where the image's context menu opens, in screen coordinates, before it
    // is centred horizontally on that point.
    QPoint contextMenuAnchor() const;

    // Components, named after their role.
    TGPanel* GPanel1 = nullptr;
    QLineEdit* EditNOM = nullptr;
    TLabelBorder* LabelBorder1 = nullptr;
    TLabelBorder* LabelBorder2 = nullptr;
    TLabelBorder* LabelBorder3 = nullptr;
    TImageAdapter* ImageCIBLE = nullptr;
    TIconListBox* ListBox1 = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    TImageColorizer* Image1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* LabelROUGE = nullptr;
    TTrackBar* TrackBarROUGE = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* LabelVERT = nullptr;
    TTrackBar* TrackBarVERT = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* LabelBLEU = nullptr;
    TTrackBar* TrackBarBLEU = nullptr;
    TImageAdapter* ImageCOLOR = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LabelLUMINOSITE = nullptr;
    TTrackBar* TrackBarLUMINOSITE = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* LabelCONTRASTE = nullptr;
    TTrackBar* TrackBarCONTRASTE = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* LabelSATURATION = nullptr;
    TTrackBar* TrackBarSATURATION = nullptr;
    QLabel* LabelCURSOR = nullptr;
    TEStatusBar* EStatusBar1 = nullptr;
    TImageAdapter* ImageICO = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QMenu* PopupMenuColor = nullptr;

    // The working bitmaps of the document.
    std::unique_ptr<Bitmap> BitmapTRAVAIL;
    std::unique_ptr<Bitmap> BitmapINITIAL;
    // The picture open dialog's last file and file type.
    OpenDialogMemory OpenDialog1;
    // The full-screen zoom window, made on first use and kept hidden between visits.
    TViewForm& ViewForm();

    // Writes the full status line: file name, size and number of colours.
    void RefreshStatusLine();

    // Fichier
    void Ouvriruneimage1Click();
    void Enregistrer1Click();
    void Enregistrersous1Click();
    void Supprimer1Click();
    void Fermerlimage1Click();
    void Sauvegarderlimage1Click();
    void Installerlimagecommepapierpeint1Click();
    void Acquriruneimage1Click();
    void Slectionnerlimprimante1Click();
    void Configurerlimpression1Click();
    void Aperuavantimpression1Click();
    void Imprimer1Click();
    void Quitter1Click();
    // Edition
    void Couper1Click();
    void Copier1Click();
    void Coller1Click();
    void Annuler1Click();
    void Centr1Click();
    void Proportionnel1Click();
    void Etir1Click();
    void ransparent1Click();
    void Niveauxdegris1Click();
    void Ngatif1Click();
    void Vrifier1Click();
    // Echelle and the zoom items of the context menu
    void Zoom101Click();
    void Zoom251Click();
    void Zoom331Click();
    void Zoom501Click();
    void Zoom661Click();
    void Zoom751Click();
    void aillenormale1001Click();
    void Zoom2001Click();
    void Zoom3001Click();
    void Zoom4001Click();
    void Zoom5001Click();
    void Zoom7501Click();
    void Zoom9001Click();
    void Zoomngatif1Click();
    void aillenormale1002Click();
    void Zoompositif1Click();
    // Image
    void Image32bits1Click();
    void Image24bits1Click();
    void Image16bits1Click();
    void Image8bits1Click();
    void Image41Click();
    void Noiretblanc1Click();
    void Symtriehorizontale1Click();
    void Symtrieverticale1Click();
    void Rotationantihoraire1Click();
    void Rotationhoraire1Click();
    void Crypterlimage1Click();
    // Couleurs
    void Blanc1Click();
    void Jaune1Click();
    void Orange1Click();
    void Rouge1Click();
    void Marron1Click();
    void Fushia1Click();
    void Violet1Click();
    void Cyan1Click();
    void Bleuple1Click();
    void Bleufonc1Click();
    void Vertolive1Click();
    void Vertple1Click();
    void Vertfonc1Click();
    void Grisple1Click();
    void Grisfonc1Click();
    void Noir1Click();
    void Choisirlacouleurspia1Click();
    // Effets
    void Effetantialiasing1Click();
    void Effetcolornoise1Click();
    void Effetdarkness1Click();
    void Effetgaussianblur1Click();
    void Effetlightness1Click();
    void Effetmononoise1Click();
    void Effetmosaic1Click();
    void Effetposterize1Click();
    void Effetsolorize1Click();
    void Effetsplitblur1Click();
    void Effetsplitlight1Click();
    void Effettile1Click();
    void Annulerleseffets2Click();
    // Opérations
    void Remplirlimage1Click();
    void Inclinerlimage1Click();
    void Redimensionnerlimage2Click();
    void Slectionrectnagulaire1Click();
    void Couper2Click();
    void Copier2Click();
    void Fusionneravecuneimage1Click();
    void ExporterauformatPDF1Click();
    void ransformerenmtafichier1Click();
    void Convertirenicne1Click();
    // Aide
    void Index1Click();
    void Commandes1Click();
    void Windows1Click();
    void Internet1Click();
    void Apropos1Click();
    // Toolbar buttons of their own
    void Image14Click();
    void Image18Click();

    // Events of the window and its controls
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void Image1ContextPopup();
    void Image1DblClick();
    void Image1MouseMove(const MouseArgs& args);
    void Image1MouseExit();
    void ImageCIBLEClick();
    void TrackBarLUMINOSITEEnter();
    void TrackBarROUGEChange();
    void TrackBarLUMINOSITEChange();
    void TrackBarCONTRASTEChange();
    void TrackBarSATURATIONChange();
    void ListBox1Click();
    void ImageCOLORClick();
    void ImageCOLORMouseMove(const MouseArgs& args);
    void ImageCOLORMouseExit();
    void PopupMenuColorPopup();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void buildLayout(QWidget* client);
    void buildToolbar();
    void buildLeftColumn(QWidget* client);
    void buildPages(QWidget* client);
    void buildRightColumn(QWidget* client);
    void buildMenus();
    void wireEvents();
    // Runs a handler that takes the event's arguments.
    void runEvent(const std::function<void()>& handler);

    Dialogs& dialogs_;
    CommandRunner runner_;
    TViewForm* viewForm_ = nullptr;
    int wheelRemainder_ = 0; // part of a wheel notch not yet acted on
};

} // namespace kel
