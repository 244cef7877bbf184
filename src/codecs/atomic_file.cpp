#include "codecs/atomic_file.h"

#include "graphics/errors.h"
#include "graphics/system_error_text.h"

#include <QSaveFile>

#include <unistd.h>

namespace kel::codecs {

void writeFileAtomically(const QString& path, const std::function<void(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(QStringLiteral("Impossible de créer le fichier %1 : %2").arg(path, deviceErrorText(file)));
    // A short write (a full disk, a file size limit) shows only in flush:
    // commit alone would put a truncated file in place of the old one. Commit
    // syncs too but goes on when the sync fails, so the sync comes first here.
    // An exception leaves the save file uncommitted: its destructor removes
    // the temporary file and the old one stays.
    write(file);
    if (!file.flush() || ::fdatasync(file.handle()) != 0 || !file.commit())
        throw FileError(QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, deviceErrorText(file)));
}

void writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    writeFileAtomically(path, [&](QIODevice& file) {
        if (file.write(bytes) != bytes.size())
            throw FileError(QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, deviceErrorText(file)));
    });
}

void writeToDevice(QIODevice& device, const QByteArray& bytes)
{
    if (!bytes.isEmpty() && device.write(bytes) != bytes.size())
        throw FileError(QStringLiteral("Écriture impossible : %1").arg(deviceErrorText(device)));
}

} // namespace kel::codecs
