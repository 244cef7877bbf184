// Which reader and which writer handle an extension.
#include "codecs/codec.h"

#include "codecs/writer_support.h"
#include "graphics/errors.h"
#include "graphics/system_error_text.h"

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

namespace {

// The function of the first entry that claims the extension (any case), or nullptr.
template <typename Entry, typename Function>
Function claimant(const std::vector<Entry>& table, Function Entry::*function, const QString& extension)
{
    const QString wanted = extension.toLower();
    for (const Entry& entry : table)
        if (entry.extensions.contains(wanted)) return entry.*function;
    return nullptr;
}

// The reader of the extension; InvalidGraphic when none claims it.
ReadFunction requiredReader(const QString& extension)
{
    const ReadFunction read = readerFor(extension);
    if (!read) throw InvalidGraphic(QStringLiteral("Format d'image inconnu (.%1)").arg(extension));
    return read;
}

} // namespace

ReadFunction readerFor(const QString& extension) { return claimant(readers(), &ReaderEntry::read, extension); }

std::unique_ptr<Graphic> decodeGraphic(const QByteArray& bytes, const QString& extension, const QString& path)
{
    return requiredReader(extension)(bytes, path);
}

std::unique_ptr<Graphic> loadGraphic(const QString& path)
{
    const QString extension = QFileInfo(path).suffix();
    // The extension decides before the file is touched, as for an unknown format.
    const ReadFunction read = requiredReader(extension);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, deviceErrorText(file)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Impossible de lire le fichier %1 : %2").arg(path, deviceErrorText(file)));
    return read(bytes, path);
}

const std::vector<WriterEntry>& writers()
{
    using namespace detail;
    static const std::vector<WriterEntry> all = {
        {WriteFormat::Bmp, {QStringLiteral("bmp")},
         [](const Bitmap& b) { return guarded("BMP", [&] { return encodeBmp(b); }); },
         [](const Bitmap& b, QIODevice& device) { guarded("BMP", [&] { writeBmp(b, device); }); }},
        {WriteFormat::Gif, {QStringLiteral("gif")},
         [](const Bitmap& b) { return guarded("GIF", [&] { return encodeGif(b); }); }},
        {WriteFormat::Jpeg, {QStringLiteral("jpg"), QStringLiteral("jpeg")}, [](const Bitmap& b) { return encodeJpeg(b); }},
        {WriteFormat::Png, {QStringLiteral("png")},
         [](const Bitmap& b) { return guarded("PNG", [&] { return encodePng(b); }); }},
        {WriteFormat::Targa, {QStringLiteral("tga")},
         [](const Bitmap& b) { return guarded("Targa", [&] { return encodeTarga(b); }); }},
    };
    return all;
}

EncodeFunction writerFor(const QString& extension) { return claimant(writers(), &WriterEntry::encode, extension); }

StreamFunction streamWriterFor(const QString& extension)
{
    return claimant(writers(), &WriterEntry::stream, extension);
}

} // namespace kel::codecs
