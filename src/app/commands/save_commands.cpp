#include "app/commands/save_commands.h"

#include "codecs/atomic_file.h"
#include "graphics/canvas.h"
#include "graphics/errors.h"
#include "io/picture_writers.h"

#include <QFile>
#include <QMainWindow>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace kel::commands {

namespace {

struct SaveFormat {
    const char* description;
    const char* pattern;
    const char* extension; // without the dot; names the writer too
};

// The save dialog's entries, in order: the chosen entry decides the format.
constexpr SaveFormat kSaveFormats[] = {
    {" Images Bitmaps (*.BMP)", "*.bmp", "bmp"},
    {" Images Compuserve Graphical (*.GIF)", "*.gif", "gif"},
    {" Images File Interchange Format (*.JPG)", "*.jpg", "jpg"},
    {" Images Portable Network Graphic (*.PNG)", "*.png", "png"},
    {" Images Truevision (*.TGA)", "*.tga", "tga"},
    {" Images Tagged Image Files (*.TIF)", "*.tif", "tif"},
};

// The rename dialog's one-entry filters, chosen by the current extension
// spelt exactly in lower or upper case.
constexpr SaveFormat kRenameFilters[] = {
    {" Images Bitmaps (*.BMP)", "*.bmp", "bmp"},
    {" Images Compuserve Graphical (*.GIF)", "*.gif", "gif"},
    {" Images File Interchange Format (*.JPG)", "*.jpg", "jpg"},
    {" Images Kodak Photo CD (*.PCD)", "*.pcd", "pcd"},
    {" Images Paintbrush (*.PCX)", "*.pcx", "pcx"},
    {" Images Portable Network Graphic (*.PNG)", "*.png", "png"},
    {" Images Adobe Photoshop (*.PSD)", "*.psd", "psd"},
    {" Images Paintshop (*.PSP)", "*.psp", "psp"},
    {" Images Truevision (*.TGA)", "*.tga", "tga"},
    {" Images Tagged Image Files (*.TIF)", "*.tif", "tif"},
};

// The rename dialog's filter lives on the main window, as the dialog would,
// so that it carries over from one use to the next.
constexpr const char* kRenameFilterProperty = "kelvaryRenameFilter";

QString filterEntry(const SaveFormat& format)
{
    return QString::fromUtf8(format.description) + QStringLiteral(" (") + QString::fromLatin1(format.pattern)
           + QLatin1Char(')');
}

// Where the file name begins: after the last slash.
qsizetype fileNameStart(const QString& path) { return path.lastIndexOf(QLatin1Char('/')) + 1; }

// The file name's extension from its last dot, dot included; empty without a dot.
QString extensionOf(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= fileNameStart(path) ? path.mid(dot) : QString();
}

} // namespace

const Bitmap& shownAsBitmap(Picture& shown, Bitmap& storage)
{
    if (const Bitmap* bitmap = shown.bitmapIfAny()) return *bitmap;
    storage = Bitmap(shown.width(), shown.height(), pf24bit);
    Canvas(storage).draw(0, 0, *shown.graphic());
    return storage;
}

QString withExtension(const QString& path, const QString& extension)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot >= fileNameStart(path) ? path.left(dot) : path) + extension;
}

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return QString();
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool renameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the flag: a new hard link cannot replace a file either.
    if (::link(source.constData(), target.constData()) != 0) return false;
    if (::unlink(source.constData()) != 0) {
        ::unlink(target.constData());
        return false;
    }
    return true;
}

void savePicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    FileDialogRequest request;
    request.title = QStringLiteral("Enregistrer l' image");
    request.folder = folderOf(document.fileName());
    request.fileName = document.fileName();
    for (const SaveFormat& format : kSaveFormats) request.filters << filterEntry(format);
    request.filterIndex = 1;
    request.defaultExtension = QStringLiteral("bmp");
    request.offset = kPictureSaveDialogOffset;
    request.preview = true;
    request.askBeforeReplacing = false;
    const std::optional<FileChoice> choice = context.services.dialogs.savePicture(request);
    if (!choice || choice->fileName.isEmpty()) return;
    // An entry the list does not have is taken as the one the dialog started on.
    const int row = choice->filterIndex >= 1 && choice->filterIndex <= int(std::size(kSaveFormats))
                        ? choice->filterIndex - 1
                        : 0;
    const SaveFormat& format = kSaveFormats[row];
    const QString target = withExtension(choice->fileName, QLatin1Char('.') + QLatin1String(format.extension));
    try {
        const QLatin1String extension(format.extension);
        const codecs::EncodeFunction encode = io::pictureWriterFor(extension);
        if (!encode) throw InvalidOperation(QStringLiteral("Aucun enregistreur pour %1").arg(target));
        Bitmap drawn;
        const Bitmap& picture = shownAsBitmap(document.shown(), drawn);
        // The old file is replaced only once every byte is written.
        if (const codecs::StreamFunction stream = codecs::streamWriterFor(extension))
            codecs::writeFileAtomically(target, [&](QIODevice& file) { stream(picture, file); });
        else
            codecs::writeFileAtomically(target, encode(picture));
    } catch (const Error&) {
        context.services.dialogs.plainMessage(QString::fromUtf8(kSaveFailureMessage));
    } catch (const std::bad_alloc&) {
        context.services.dialogs.plainMessage(QString::fromUtf8(kSaveFailureMessage));
    }
}

void renamePictureFile(CommandContext& context)
{
    const QString current = context.document.fileName();
    if (current.isEmpty()) return;
    QObject* window = context.controls.window;
    QStringList filters;
    if (window) filters = window->property(kRenameFilterProperty).toStringList();
    const QString extension = extensionOf(current);
    for (const SaveFormat& format : kRenameFilters) {
        const QString lower = QLatin1Char('.') + QLatin1String(format.extension);
        if (extension == lower || extension == lower.toUpper()) filters = QStringList{filterEntry(format)};
    }
    if (window) window->setProperty(kRenameFilterProperty, filters);
    FileDialogRequest request;
    request.title = QStringLiteral(" Enregistrer l' image sous");
    request.fileName = current;
    request.filters = filters;
    request.defaultExtension = QStringLiteral("bmp");
    request.offset = kPictureSaveDialogOffset;
    request.preview = true;
    request.askBeforeReplacing = false;
    const std::optional<FileChoice> choice = context.services.dialogs.savePicture(request);
    if (!choice || choice->fileName.isEmpty()) return;
    // Whatever the outcome, nothing is said and the document keeps its name.
    renameWithoutReplacing(current, choice->fileName);
}

} // namespace kel::commands
