#include "app/command_line.h"

#include <QFileInfo>
#include <QUrl>

namespace kel {

namespace {

QString helpText(const QString& program)
{
    return QStringLiteral("Utilisation : %1 [option] [fichier]\n"
                          "Visionneuse et éditeur d'images.\n\n"
                          "  fichier          l'image à ouvrir au démarrage (la première s'il y en a plusieurs)\n"
                          "  -h, --help       affiche cette aide et quitte\n"
                          "  -v, --version    affiche la version et quitte\n")
        .arg(program);
}

// A path or a local file URL, as file managers hand them, made absolute.
QString absoluteFile(const QString& argument)
{
    const QUrl url(argument);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments)
{
    const QString program = arguments.isEmpty() ? QStringLiteral("kelvary") : QFileInfo(arguments.first()).fileName();
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == QStringLiteral("-h") || argument == QStringLiteral("--help"))) {
            return {CommandLine::Action::ShowHelp, {}, helpText(program)};
        } else if (!optionsEnded && (argument == QStringLiteral("-v") || argument == QStringLiteral("--version"))) {
            return {CommandLine::Action::ShowVersion, {}, QStringLiteral("Kelvary 1.1\n")};
        } else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            line = {CommandLine::Action::Refuse, {},
                    QStringLiteral("%1 : option inconnue « %2 »\nEssayez « %1 --help ».\n").arg(program, argument)};
        } else if (line.action == CommandLine::Action::Run && line.fileToOpen.isEmpty() && !argument.isEmpty()) {
            line.fileToOpen = absoluteFile(argument);
        }
    }
    return line;
}

} // namespace kel
