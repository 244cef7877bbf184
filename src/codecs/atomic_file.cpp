#include "codecs/atomic_file.h"

#include "graphics/errors.h"

#include <QSaveFile>

namespace kel::codecs {

void writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(QStringLiteral("Impossible de créer le fichier %1 : %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw FileError(QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, file.errorString()));
}

} // namespace kel::codecs
