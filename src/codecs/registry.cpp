#include "codecs/codec.h"

#include "graphics/errors.h"

#include <QFile>
#include <QFileInfo>

namespace kel::codecs {

const std::vector<ReaderEntry>& readers()
{
    static const std::vector<ReaderEntry> all = [] {
        std::vector<ReaderEntry> list;
        for (auto family : {libraryReaders, legacyReaders, iconAndMetafileReaders})
            for (ReaderEntry& entry : family()) list.push_back(std::move(entry));
        return list;
    }();
    return all;
}

ReadFunction readerFor(const QString& extension)
{
    const QString wanted = extension.toLower();
    for (const ReaderEntry& entry : readers())
        if (entry.extensions.contains(wanted)) return entry.read;
    return nullptr;
}

std::unique_ptr<Graphic> decodeGraphic(const QByteArray& bytes, const QString& extension, const QString& path)
{
    const ReadFunction read = readerFor(extension);
    if (!read) throw InvalidGraphic(QStringLiteral("Format d'image inconnu (.%1)").arg(extension));
    return read(bytes, path);
}

std::unique_ptr<Graphic> loadGraphic(const QString& path)
{
    const QString extension = QFileInfo(path).suffix();
    // The extension decides before the file is touched, as for an unknown format.
    if (!readerFor(extension)) throw InvalidGraphic(QStringLiteral("Format d'image inconnu (.%1)").arg(extension));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Impossible de lire le fichier %1 : %2").arg(path, file.errorString()));
    return decodeGraphic(bytes, extension, path);
}

} // namespace kel::codecs
