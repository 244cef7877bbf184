#include "soak/random_dialogs.h"

#include <QDir>
#include <QPrinter>

namespace kel::soak {

RandomDialogs::RandomDialogs(Random& random, PicturePool& pool, const QString& folder)
    : random_(random), pool_(pool), folder_(folder)
{
    QDir().mkpath(folder_ + QStringLiteral("/saves"));
    QDir().mkpath(folder_ + QStringLiteral("/copies"));
}

bool RandomDialogs::cancels(int percent) { return refuseAll || random_.chance(percent); }

int RandomDialogs::anyFilter(const FileDialogRequest& request)
{
    // Now and then an index no list holds, as a broken dialog could answer.
    return random_.chance(5) ? random_.between(-1, 40) : random_.between(1, std::max(1, int(request.filters.size())));
}

std::optional<FileChoice> RandomDialogs::openPicture(const FileDialogRequest& request)
{
    if (cancels(15)) {
        answers << QStringLiteral("openPicture: cancel");
        return std::nullopt;
    }
    FileChoice choice{pool_.anyFile(random_), anyFilter(request)};
    answers << QStringLiteral("openPicture: %1 (filter %2)").arg(choice.fileName).arg(choice.filterIndex);
    return choice;
}

std::optional<FileChoice> RandomDialogs::saveName(const char* call, const FileDialogRequest& request)
{
    if (cancels(20)) {
        answers << QStringLiteral("%1: cancel").arg(QLatin1String(call));
        return std::nullopt;
    }
    static const char* const extensions[] = {"bmp", "jpg", "png", "gif", "tga", "tif", "pdf", "ico",
                                             "emf", "wmf", "pcx", "xyz", "",    "BMP", "jpeg"};
    QString name;
    switch (random_.below(6)) {
    case 0: name = pool_.anyFile(random_); break; // replacing an existing file
    case 1: name = folder_ + QStringLiteral("/absent/dossier/image.bmp"); break;
    case 2: name = folder_ + QStringLiteral("/saves/") + request.fileName.section(u'/', -1); break;
    default:
        name = folder_ + QStringLiteral("/saves/image%1").arg(random_.below(20));
        if (const char* extension = extensions[random_.below(std::size(extensions))]; *extension)
            name += u'.' + QLatin1String(extension);
    }
    FileChoice choice{name, anyFilter(request)};
    answers << QStringLiteral("%1: %2 (filter %3)").arg(QLatin1String(call), name).arg(choice.filterIndex);
    return choice;
}

std::optional<FileChoice> RandomDialogs::savePicture(const FileDialogRequest& request)
{
    return saveName("savePicture", request);
}

std::optional<FileChoice> RandomDialogs::saveFile(const FileDialogRequest& request)
{
    return saveName("saveFile", request);
}

std::optional<Colour> RandomDialogs::chooseColour(Colour)
{
    if (cancels(20)) return std::nullopt;
    return rgb(random_.below(256), random_.below(256), random_.below(256));
}

std::optional<QString> RandomDialogs::folder(const char* call)
{
    if (cancels(20)) {
        answers << QStringLiteral("%1: cancel").arg(QLatin1String(call));
        return std::nullopt;
    }
    const QString chosen = random_.chance(20) ? folder_ + QStringLiteral("/absent") : folder_ + QStringLiteral("/copies");
    answers << QStringLiteral("%1: %2").arg(QLatin1String(call), chosen);
    return chosen;
}

std::optional<QString> RandomDialogs::browseFolder(const QString&, const QString&) { return folder("browseFolder"); }

std::optional<QString> RandomDialogs::selectFolder(const QString&, const QRect&) { return folder("selectFolder"); }

Answer RandomDialogs::message(MessageKind kind, const QString& text)
{
    if (kind == MessageKind::Information) return Answer::Ok;
    const Answer answer = !refuseAll && random_.chance(50) ? Answer::Yes : Answer::No;
    answers << QStringLiteral("message \"%1\": %2").arg(text.trimmed(), answer == Answer::Yes ? "Oui" : "Non");
    return answer;
}

void RandomDialogs::plainMessage(const QString&) {}

void RandomDialogs::showError(const QString& text) { errors << text; }

bool RandomDialogs::print(QPrinter&) { return !cancels(50); }

bool RandomDialogs::printerSetup(QPrinter&) { return !cancels(50); }

void RandomDialogs::printPreview(QPrinter& printer, const QString&, const PageRenderer& render)
{
    if (cancels(70)) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder_ + QStringLiteral("/saves/preview.pdf"));
    render(printer);
}

} // namespace kel::soak
