#pragma once
// The dialogs as users see them: Qt's widgets, in French, placed relative to the main window.
#include "platform/dialogs.h"

#include <QImage>

#include <functional>

class QWidget;

namespace kel {

class QtDialogs final : public Dialogs {
public:
    // `mainWindow` centres the message boxes and places the file dialogs.
    void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
    // Reads a picture for the preview pane of the picture dialogs.
    using PreviewLoader = std::function<QImage(const QString& path)>;
    void setPreviewLoader(PreviewLoader loader) { previewLoader_ = std::move(loader); }

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
    std::optional<FileChoice> runFileDialog(const FileDialogRequest& request, bool save);

    QWidget* mainWindow_ = nullptr;
    PreviewLoader previewLoader_;
};

} // namespace kel
