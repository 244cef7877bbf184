#include "io/pdf_export.h"

#include "codecs/writers.h"
#include "graphics/errors.h"
#include "graphics/system_error_text.h"
#include "io/pdf_writer.h"

#include <QDir>
#include <QTemporaryFile>

namespace kel::io {

int exportBitmapAsPdf(const Bitmap& bitmap, const QString& pdfFileName)
{
    // Said here, or the user would read of a JPEG file they never asked for.
    if (bitmap.empty()) throw FileError(QStringLiteral("Impossible d'exporter l'image au format PDF : image vide"));
    const QByteArray jpeg = codecs::encodeJpeg(bitmap, 80);
    QTemporaryFile temporary(QDir::tempPath() + QStringLiteral("/kelvary-XXXXXX.bak"));
    if (!temporary.open() || temporary.write(jpeg) != jpeg.size() || !temporary.flush())
        throw FileError(QStringLiteral("Impossible d'écrire le fichier temporaire %1 : %2")
                            .arg(temporary.fileName(), deviceErrorText(temporary)));
    temporary.close();
    return JpegFileToPdf(temporary.fileName(), pdfFileName);
}

} // namespace kel::io
