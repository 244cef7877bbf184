#pragma once
// Every modal dialog the program shows goes through this interface, so that
// tests can answer from a script and check what was asked.
#include "graphics/colour.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPrinter;

namespace kel {

// A picture or file dialog as a command asks for it.
struct FileDialogRequest {
    QString title;
    QString folder;          // initial folder
    QString fileName;        // proposed name
    QStringList filters;     // "Description (*.ext *.ext)" entries, in order
    int filterIndex = 1;     // 1-based, as the filter list counts
    QString defaultExtension; // without the dot
    QPoint offset;           // from the main window's top-left corner
    bool preview = false;    // picture dialogs show a preview pane
    bool askBeforeReplacing = true; // save dialogs: ask before an existing file is chosen
};

// The chosen file and the 1-based index of the filter entry chosen with it.
struct FileChoice {
    QString fileName;
    int filterIndex = 1;
};

enum class MessageKind { Confirmation, Information };
enum class Answer { Yes, No, Ok };

// Draws the pages of a print job onto the printer it is given.
using PageRenderer = std::function<void(QPrinter& printer)>;

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual std::optional<FileChoice> openPicture(const FileDialogRequest& request) = 0;
    virtual std::optional<FileChoice> savePicture(const FileDialogRequest& request) = 0;
    virtual std::optional<FileChoice> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<Colour> chooseColour(Colour initial) = 0;
    virtual std::optional<QString> browseFolder(const QString& title, const QString& startFolder) = 0;
    // The folder browser centred on `owner` (screen coordinates) and kept
    // inside the screen's work area; the chosen folder without a trailing slash.
    virtual std::optional<QString> selectFolder(const QString& title, const QRect& owner) = 0;

    // The message box centred on the main window. Confirmation boxes answer
    // Yes or No (Escape and the close box are No); information boxes answer Ok.
    virtual Answer message(MessageKind kind, const QString& text) = 0;
    // The plain box: the text and an OK button, titled with the program's name.
    virtual void plainMessage(const QString& text) = 0;
    // The default error box: the failure's text with an OK button.
    virtual void showError(const QString& text) = 0;

    // The print and printer-setup dialogs; true when the user confirmed.
    virtual bool print(QPrinter& printer) = 0;
    virtual bool printerSetup(QPrinter& printer) = 0;
    // The print preview window titled `title`, drawn by `render`, until the user closes it.
    virtual void printPreview(QPrinter& printer, const QString& title, const PageRenderer& render) = 0;
};

// Where the folder browser goes: centred on the owner rectangle's centre,
// then moved back so that it neither starts at a negative position nor
// passes the work area's right or bottom edge.
QPoint centredFolderDialogPosition(const QRect& owner, const QSize& dialogSize, const QRect& workArea);

} // namespace kel
