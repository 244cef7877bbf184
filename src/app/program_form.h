#pragma once
// The main window: toolbar, thumbnail and special-effects list on the left,
// the page area with the main view in the middle, the channel and tone track
// bars with the colour palette on the right, the status bar at the bottom.
// The commands are free functions reached through the command table from the
// main menu, the image's context menu, the toolbar and the controls' events;
// the window hands them the document, the dialogs and its controls.
#include "app/command_context.h"
#include "app/document/image_document.h"
#include "app/document/open_dialog.h"
#include "app/main_controls.h"
#include "platform/command_runner.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "view/zoomable_view.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string_view>

class QLabel;
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
class OperationPages;

class TProgramForm final : public QMainWindow {
    Q_OBJECT
public:
    // The client area under the menu bar.
    static constexpr int kClientWidth = 1008;
    static constexpr int kClientHeight = 706;

    explicit TProgramForm(Services& services, QWidget* parent = nullptr);
    ~TProgramForm() override;

    Dialogs& dialogs() { return services_.dialogs; }
    // Runs a handler; a failure escaping it is shown in the default error box.
    // A handler that is nullptr (a command not built yet) does nothing.
    void runCommand(Handler handler);
    // Runs the handler of a menu item, toolbar button or event by its component name.
    void runCommand(std::string_view name);
    // Opens a picture file named on the command line or dropped, as " Ouvrir" would.
    void openFile(const QString& fileName);

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
    TLabelBorder* LabelBorder1 = nullptr;
    TLabelBorder* LabelBorder2 = nullptr;
    TLabelBorder* LabelBorder3 = nullptr;
    TImageAdapter* ImageCIBLE = nullptr;
    TIconListBox* ListBox1 = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    TImageColorizer* Image1 = nullptr;
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

    // The image document the commands work on.
    ImageDocument& document() { return *document_; }
    // The colour the pages share.
    PickedColour& pickedColour() { return picked_; }
    // The operation pages on the page area's pages 1 to 7.
    OperationPages& pages() { return *pages_; }
    // The full-screen zoom window, made on first use and kept hidden between visits.
    TViewForm& ViewForm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A local picture file dropped on the window opens; other drops are refused.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildLayout(QWidget* client);
    void buildToolbar();
    void buildLeftColumn(QWidget* client);
    void buildPages(QWidget* client);
    void buildRightColumn(QWidget* client);
    void buildMenus();
    void wireEvents();
    // Runs a handler that takes the event's arguments.
    void runEvent(const std::function<void()>& handler);
    void showPointerPosition(const MouseArgs& args);

    Services& services_;
    CommandRunner runner_;
    MainControls controls_;
    std::unique_ptr<ImageDocument> document_;
    OpenDialogMemory openDialog_;
    PickedColour picked_;
    std::unique_ptr<OperationPages> pages_;
    std::unique_ptr<CommandContext> context_;
    TViewForm* viewForm_ = nullptr;
    int wheelRemainder_ = 0; // part of a wheel notch not yet acted on
};

} // namespace kel
