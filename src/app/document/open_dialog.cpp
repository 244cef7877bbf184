#include "app/document/open_dialog.h"

#include <QDir>
#include <QFileInfo>

namespace kel {

namespace {

struct FileType {
    const char* description;
    const char* patterns;
};

constexpr FileType kOpenFileTypes[] = {
    {" Toutes les images (*.*)", "*.bmp *.gif *.jpg *.pcd *.pcx *.png *.psd *.psp *.tga *.tif"},
    {" Images Bitmaps (*.BMP)", "*.bmp"},
    {" Images Compuserve Graphical (*.GIF)", "*.gif"},
    {" Images File Interchange Format (*.JPG)", "*.jpg"},
    {" Images Kodak Photo CD (*.PCD)", "*.pcd"},
    {" Images Paintbrush (*.PCX)", "*.pcx"},
    {" Images Portable Network Graphic (*.PNG)", "*.png"},
    {" Images Adobe Photoshop (*.PSD)", "*.psd"},
    {" Images Paintshop (*.PSP)", "*.psp"},
    {" Images Truevision (*.TGA)", "*.tga"},
    {" Images Tagged Image Files (*.TIF)", "*.tif"},
};

// Where the dialog appears, from the main window's top-left corner.
constexpr QPoint kOpenDialogOffset(170, 230);

} // namespace

QStringList openPictureFilters()
{
    QStringList filters;
    for (const FileType& type : kOpenFileTypes)
        filters << QString::fromUtf8(type.description) + QStringLiteral(" (") + QString::fromUtf8(type.patterns)
                       + QLatin1Char(')');
    return filters;
}

QString defaultPictureFolder(const QString& home)
{
    const QString kelvary = QDir(home).filePath(QStringLiteral("Kelvary"));
    return QFileInfo(kelvary).isDir() ? kelvary : home;
}

FileDialogRequest OpenDialogMemory::request() const
{
    FileDialogRequest request;
    request.title = QStringLiteral(" Ouvrir une image ");
    request.folder = defaultPictureFolder(QDir::homePath());
    request.fileName = lastFile_;
    request.filters = openPictureFilters();
    request.filterIndex = lastFilter_;
    request.defaultExtension = QStringLiteral("bmp");
    request.offset = kOpenDialogOffset;
    request.preview = true;
    return request;
}

void OpenDialogMemory::remember(const FileChoice& choice)
{
    lastFile_ = choice.fileName;
    if (choice.filterIndex >= 1 && choice.filterIndex <= int(std::size(kOpenFileTypes)))
        lastFilter_ = choice.filterIndex;
}

} // namespace kel
