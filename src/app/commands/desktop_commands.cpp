#include "app/commands/desktop_commands.h"

#include "codecs/writers.h"
#include "graphics/errors.h"
#include "graphics/system_error_text.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>

namespace kel::commands {

namespace {

const QString kWallpaperQuestion =
    QStringLiteral("Voulez-vous installer cette image comme papier peint ?") + QString(10, u' ');
const QString kBackupFolderTitle = QStringLiteral("Choisissez le dossier de sauvegarde");

constexpr int kMaxWallpaperNames = 1000;

// The shown picture as a bitmap in its own pixel format; other graphics are drawn into one.
Bitmap shownBitmap(const Picture& shown)
{
    if (const Bitmap* bitmap = shown.bitmapIfAny()) return *bitmap;
    Bitmap drawn(0, 0, pf24bit);
    drawn.assign(*shown.graphic());
    return drawn;
}

} // namespace

QString reserveWallpaperFile(const QString& currentFile)
{
    const QFileInfo current(currentFile);
    const QDir folder = current.absoluteDir();
    const QString base = current.completeBaseName();
    QString lastProblem;
    for (int n = 1; n <= kMaxWallpaperNames; ++n) {
        const QString name = n == 1 ? base + QStringLiteral(".bmp") : QStringLiteral("%1 (%2).bmp").arg(base).arg(n);
        const QString path = folder.filePath(name);
        // Created only when absent: an existing file is never taken over,
        // even one that appears between the look and the write.
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return path;
        lastProblem = deviceErrorText(file);
        if (!QFileInfo::exists(path)) break; // not a name clash: the folder refuses files
    }
    throw FileError(QStringLiteral("Impossible de créer le fichier du papier peint dans %1 : %2")
                        .arg(QDir::toNativeSeparators(folder.path()), lastProblem));
}

void installAsWallpaper(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (document.fileName().isEmpty()) return;
    // Nothing shown (after a cut): nothing to install.
    if (!document.hasPicture()) return;
    if (context.services.dialogs.message(MessageKind::Confirmation, kWallpaperQuestion) != Answer::Yes) return;
    const Bitmap picture = shownBitmap(document.shown());
    const QString path = reserveWallpaperFile(document.fileName());
    try {
        codecs::writeBitmap(picture, path, codecs::WriteFormat::Bmp);
    } catch (...) {
        QFile::remove(path); // the reserved, still empty name
        throw;
    }
    const WallpaperResult result = context.services.desktop.setWallpaper(path, false);
    if (!result.applied && !result.problem.isEmpty()) context.services.dialogs.showError(result.problem);
}

void copyFileToFolder(CommandContext& context)
{
    const QString file = context.document.fileName();
    if (file.isEmpty()) return;
    const QRect owner = context.controls.window ? context.controls.window->frameGeometry() : QRect();
    const std::optional<QString> folder = context.services.dialogs.selectFolder(kBackupFolderTitle, owner);
    if (!folder) return;
    // A failed copy, or a copy of the file onto itself, is not reported.
    if (!context.services.desktop.copyFileInto(file, *folder)) return;
    context.services.dialogs.message(MessageKind::Information,
                                     QStringLiteral("Le fichier ") + QFileInfo(file).fileName() +
                                         QStringLiteral(" a été copié avec succès !") + QString(10, u' '));
}

} // namespace kel::commands
