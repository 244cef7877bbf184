#include "graphics/system_error_text.h"

#include <QIODevice>
#include <QString>
#include <QtGlobal>

namespace kel {

namespace {

struct FrenchReason {
    int errorNumber;
    const char* text;
};

constexpr FrenchReason kFrenchReasons[] = {
    {ENOENT, "fichier ou dossier introuvable"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EISDIR, "c'est un dossier et non un fichier"},
    {EACCES, "permission refusée"},
    {EPERM, "opération non permise"},
    {ENOSPC, "plus de place sur le disque"},
    {EDQUOT, "quota de disque dépassé"},
    {EROFS, "système de fichiers en lecture seule"},
    {EFBIG, "fichier trop volumineux"},
    {ENAMETOOLONG, "nom de fichier trop long"},
    {EEXIST, "le fichier existe déjà"},
    {EIO, "erreur d'entrée-sortie sur le disque"},
    {EMFILE, "trop de fichiers ouverts"},
};

} // namespace

QString systemErrorText(int errorNumber)
{
    for (const FrenchReason& reason : kFrenchReasons)
        if (reason.errorNumber == errorNumber) return QString::fromUtf8(reason.text);
    return qt_error_string(errorNumber);
}

QString deviceErrorText(const QIODevice& device, int errorNumber)
{
    const QString given = device.errorString();
    if (given == QIODevice::tr("Unknown error") && errorNumber != 0) return systemErrorText(errorNumber);
    // Qt words an errno with qt_error_string in the current locale; the same
    // call tells which errno the text stands for.
    for (const FrenchReason& reason : kFrenchReasons)
        if (given == qt_error_string(reason.errorNumber)) return QString::fromUtf8(reason.text);
    // Opening a folder for reading succeeds at the system level; Qt refuses
    // it with a text of its own.
    if (given == QIODevice::tr("file to open is a directory")) return systemErrorText(EISDIR);
    return given;
}

} // namespace kel
