#pragma once
// Dialogs answered at random: cancelled, or a file of the picture pool, a
// new or existing name inside the soak's folder with any extension and
// filter, a colour, a folder of the soak's own. Errors shown are kept for
// the checks; the print preview draws its pages into a PDF file.
#include "platform/dialogs.h"
#include "soak/picture_pool.h"
#include "soak/soak_random.h"

#include <QStringList>

namespace kel::soak {

class RandomDialogs final : public Dialogs {
public:
    RandomDialogs(Random& random, PicturePool& pool, const QString& folder);

    // While set, every dialog is cancelled and every question answered No.
    bool refuseAll = false;
    QStringList errors;  // shown in the default error box since the last take
    QStringList answers; // what was asked and answered since the last take

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
    bool cancels(int percent);
    std::optional<FileChoice> saveName(const char* call, const FileDialogRequest& request);
    std::optional<QString> folder(const char* call);
    int anyFilter(const FileDialogRequest& request);

    Random& random_;
    PicturePool& pool_;
    QString folder_;
};

} // namespace kel::soak
