#include "platform/qt_dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace kel {

namespace {

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// Wide enough for the file list's columns, the preview and the type box.
constexpr QSize kFileDialogSize(900, 520);

// A preview pane beside the file list, showing the selected picture shrunk to fit.
void addPreview(QFileDialog& dialog, const QtDialogs::PreviewLoader& loader)
{
    auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
    if (!layout) return;
    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(180, 180);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(preview, 1, layout->columnCount(), layout->rowCount() - 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview, loader](const QString& path) {
        QImage image = loader ? loader(path) : QImage(path);
        if (image.isNull()) {
            preview->clear();
            return;
        }
        preview->setPixmap(QPixmap::fromImage(
            image.scaled(preview->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::FastTransformation)));
    });
}

// Places a dialog when it shows, once its final size is known.
class PlaceOnShow final : public QObject {
public:
    explicit PlaceOnShow(std::function<QPoint(QSize)> place) : place_(std::move(place)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* widget = qobject_cast<QWidget*>(watched)) widget->move(place_(widget->frameGeometry().size()));
        return false;
    }

private:
    std::function<QPoint(QSize)> place_;
};

// The file list's sizes and dates in the program's French, whatever the
// system's locale: Qt's model words them in the system's language.
class FrenchFileList final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == 3) return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        return files->isDir(file) ? QString() : QLocale().formattedDataSize(files->size(file));
    }
};

// The description of a "Description (patterns)" entry: everything before
// the last parenthesised group and its one blank; a leading blank stays.
QString filterDescription(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(u'(');
    if (open <= 0) return filter;
    return filter.left(filter[open - 1] == u' ' ? open - 1 : open);
}

// The file dialogs' own look: no places bar, the file types shown by their
// descriptions exactly as written (Qt would trim them and repeat the
// patterns), and a size at which the list's columns read in full.
void shapeFileDialog(QFileDialog& dialog, const QStringList& filters)
{
    if (auto* sidebar = dialog.findChild<QWidget*>(QStringLiteral("sidebar"))) sidebar->hide();
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < types->count() && i < filters.size(); ++i)
            types->setItemText(i, filterDescription(filters[i]));
        types->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    dialog.setViewMode(QFileDialog::Detail);
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        // The name takes the room the size, type and date columns leave.
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    dialog.resize(kFileDialogSize);
}

} // namespace

std::optional<FileChoice> QtDialogs::runFileDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(mainWindow_, request.title, request.folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FrenchFileList(&dialog));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A typed name need not exist; the command reports what it cannot read.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    // Chosen by place: Qt keeps the entries in its own cleaned-up wording.
    const QStringList entries = dialog.nameFilters();
    if (request.filterIndex >= 1 && request.filterIndex <= entries.size())
        dialog.selectNameFilter(entries[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.askBeforeReplacing) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (request.preview) addPreview(dialog, previewLoader_);
    shapeFileDialog(dialog, request.filters);
    if (mainWindow_) dialog.move(mainWindow_->frameGeometry().topLeft() + request.offset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    // The type by its place in the list, since the shown texts are ours.
    const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    return FileChoice{dialog.selectedFiles().first(), types ? types->currentIndex() + 1 : request.filterIndex};
}

std::optional<FileChoice> QtDialogs::openPicture(const FileDialogRequest& request)
{
    return runFileDialog(request, false);
}

std::optional<FileChoice> QtDialogs::savePicture(const FileDialogRequest& request)
{
    return runFileDialog(request, true);
}

std::optional<FileChoice> QtDialogs::saveFile(const FileDialogRequest& request)
{
    return runFileDialog(request, true);
}

std::optional<Colour> QtDialogs::chooseColour(Colour initial)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), mainWindow_);
    if (!chosen.isValid()) return std::nullopt;
    return rgb(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<QString> QtDialogs::browseFolder(const QString& title, const QString& startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(
        mainWindow_, title, startFolder, QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

QPoint centredFolderDialogPosition(const QRect& owner, const QSize& dialogSize, const QRect& workArea)
{
    // Plain signed coordinates: a main window partly left of or above the
    // screen still centres the browser on the visible side.
    const int centreX = owner.x() + owner.width() / 2;
    const int centreY = owner.y() + owner.height() / 2;
    const int right = workArea.x() + workArea.width();
    const int bottom = workArea.y() + workArea.height();
    int x = centreX - dialogSize.width() / 2;
    int y = centreY - dialogSize.height() / 2;
    if (x + dialogSize.width() > right) x = right - dialogSize.width();
    if (y + dialogSize.height() > bottom) y = bottom - dialogSize.height();
    // Never at a negative position, even when the browser is wider than the work area.
    return {std::max(x, 0), std::max(y, 0)};
}

std::optional<QString> QtDialogs::selectFolder(const QString& title, const QRect& owner)
{
    QFileDialog dialog(mainWindow_, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    QScreen* screen = QGuiApplication::screenAt(owner.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect();
    PlaceOnShow placement([&](QSize size) { return centredFolderDialogPosition(owner, size, workArea); });
    dialog.installEventFilter(&placement);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    QString folder = dialog.selectedFiles().first();
    while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

Answer QtDialogs::message(MessageKind kind, const QString& text)
{
    const bool confirm = kind == MessageKind::Confirmation;
    QMessageBox box(confirm ? QMessageBox::Question : QMessageBox::Information,
                    confirm ? QStringLiteral("Confirmation") : QStringLiteral("Information"), text,
                    confirm ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, mainWindow_);
    if (confirm) box.setEscapeButton(QMessageBox::No);
    const int pressed = box.exec();
    if (!confirm) return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtDialogs::plainMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void QtDialogs::showError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    mainWindow_);
    box.exec();
}

bool QtDialogs::print(QPrinter& printer)
{
    QPrintDialog dialog(&printer, mainWindow_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::printerSetup(QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, mainWindow_);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::printPreview(QPrinter& printer, const QString& title, const PageRenderer& render)
{
    QPrintPreviewDialog dialog(&printer, mainWindow_);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&render](QPrinter* target) { render(*target); });
    dialog.exec();
}

} // namespace kel
