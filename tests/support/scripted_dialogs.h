#pragma once
// Dialogs answered from a script: tests queue the answers in the order the
// program will ask, then check what was asked. An unexpected question fails
// the test and is answered as if cancelled.
#include "platform/dialogs.h"

#include <deque>
#include <variant>
#include <vector>

namespace kel::test {

class ScriptedDialogs final : public Dialogs {
public:
    struct Asked {
        QString call;  // "openPicture", "savePicture", "saveFile", "colour", "folder", "selectFolder",
                       // "message", "plainMessage", "print", "printerSetup", "printPreview"
        QString title; // dialog title, or the message text
        FileDialogRequest request;
        MessageKind kind = MessageKind::Information;
        QRect owner;   // selectFolder's owner rectangle
    };

    void answerFile(const QString& fileName, int filterIndex = 1) { script_.push_back(FileChoice{fileName, filterIndex}); }
    void cancelFile() { script_.push_back(Cancel{}); }
    void answerColour(Colour colour) { script_.push_back(colour); }
    void cancelColour() { script_.push_back(Cancel{}); }
    // Answers browseFolder and selectFolder.
    void answerFolder(const QString& folder) { script_.push_back(folder); }
    void cancelFolder() { script_.push_back(Cancel{}); }
    void answer(Answer answer) { script_.push_back(answer); }
    // Print dialogs: confirm (writing a PDF to `pdfPath` when given) or cancel.
    void answerPrint(bool confirm, const QString& pdfPath = {}) { script_.push_back(PrintAnswer{confirm, pdfPath}); }

    bool allAnswersUsed() const { return script_.empty(); }

    // Plain message boxes and print previews need no answer; a preview draws
    // its pages into this PDF file when it is set.
    QString previewPdfFile;

    std::vector<Asked> asked;
    QStringList errors; // texts shown in the default error box

    std::optional<FileChoice> openPicture(const FileDialogRequest& request) override;
    std::optional<FileChoice> savePicture(const FileDialogRequest& request) override;
    std::optional<FileChoice> saveFile(const FileDialogRequest& request) override;
    std::optional<Colour> chooseColour(Colour initial) override;
    std::optional<QString> browseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> selectFolder(const QString& title, const QRect& owner) override;
    Answer message(MessageKind kind, const QString& text) override;
    void plainMessage(const QString& text) override;
    void showError(const QString& text) override;
    bool print(QPrinter& printer) override;
    bool printerSetup(QPrinter& printer) override;
    void printPreview(QPrinter& printer, const QString& title, const PageRenderer& render) override;

private:
    struct Cancel {};
    struct PrintAnswer {
        bool confirm;
        QString pdfPath;
    };
    using Entry = std::variant<Cancel, FileChoice, Colour, QString, Answer, PrintAnswer>;

    std::optional<Entry> next(const char* call);
    std::optional<FileChoice> fileAnswer(const char* call, const FileDialogRequest& request);
    std::optional<QString> folderAnswer(const char* call);
    bool printAnswer(const char* call, QPrinter& printer);

    std::deque<Entry> script_;
};

} // namespace kel::test
