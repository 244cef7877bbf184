#include "support/scripted_dialogs.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace kel::test {

std::optional<ScriptedDialogs::Entry> ScriptedDialogs::next(const char* call)
{
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << call;
        return std::nullopt;
    }
    Entry entry = script_.front();
    script_.pop_front();
    return entry;
}

std::optional<FileChoice> ScriptedDialogs::fileAnswer(const char* call, const FileDialogRequest& request)
{
    asked.push_back({QString::fromLatin1(call), request.title, request, MessageKind::Information, {}});
    const auto entry = next(call);
    if (!entry || std::holds_alternative<Cancel>(*entry)) return std::nullopt;
    if (const auto* choice = std::get_if<FileChoice>(&*entry)) return *choice;
    ADD_FAILURE() << call << " answered with another kind of answer";
    return std::nullopt;
}

std::optional<FileChoice> ScriptedDialogs::openPicture(const FileDialogRequest& request)
{
    return fileAnswer("openPicture", request);
}

std::optional<FileChoice> ScriptedDialogs::savePicture(const FileDialogRequest& request)
{
    return fileAnswer("savePicture", request);
}

std::optional<FileChoice> ScriptedDialogs::saveFile(const FileDialogRequest& request)
{
    return fileAnswer("saveFile", request);
}

std::optional<Colour> ScriptedDialogs::chooseColour(Colour)
{
    asked.push_back({QStringLiteral("colour"), {}, {}, MessageKind::Information, {}});
    const auto entry = next("colour");
    if (!entry || std::holds_alternative<Cancel>(*entry)) return std::nullopt;
    if (const auto* colour = std::get_if<Colour>(&*entry)) return *colour;
    ADD_FAILURE() << "colour dialog answered with another kind of answer";
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::folderAnswer(const char* call)
{
    const auto entry = next(call);
    if (!entry || std::holds_alternative<Cancel>(*entry)) return std::nullopt;
    if (const auto* folder = std::get_if<QString>(&*entry)) return *folder;
    ADD_FAILURE() << "folder browser answered with another kind of answer";
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::browseFolder(const QString& title, const QString& startFolder)
{
    FileDialogRequest request;
    request.title = title;
    request.folder = startFolder;
    asked.push_back({QStringLiteral("folder"), title, request, MessageKind::Information, {}});
    return folderAnswer("folder");
}

std::optional<QString> ScriptedDialogs::selectFolder(const QString& title, const QRect& owner)
{
    FileDialogRequest request;
    request.title = title;
    asked.push_back({QStringLiteral("selectFolder"), title, request, MessageKind::Information, owner});
    return folderAnswer("selectFolder");
}

Answer ScriptedDialogs::message(MessageKind kind, const QString& text)
{
    asked.push_back({QStringLiteral("message"), text, {}, kind, {}});
    const Answer fallback = kind == MessageKind::Confirmation ? Answer::No : Answer::Ok;
    const auto entry = next("message");
    if (!entry) return fallback;
    if (const auto* answer = std::get_if<Answer>(&*entry)) return *answer;
    ADD_FAILURE() << "message box answered with another kind of answer";
    return fallback;
}

void ScriptedDialogs::plainMessage(const QString& text)
{
    asked.push_back({QStringLiteral("plainMessage"), text, {}, MessageKind::Information, {}});
}

void ScriptedDialogs::showError(const QString& text) { errors.push_back(text); }

bool ScriptedDialogs::printAnswer(const char* call, QPrinter& printer)
{
    asked.push_back({QString::fromLatin1(call), {}, {}, MessageKind::Information, {}});
    const auto entry = next(call);
    if (!entry) return false;
    const auto* answer = std::get_if<PrintAnswer>(&*entry);
    if (!answer) {
        if (!std::holds_alternative<Cancel>(*entry)) ADD_FAILURE() << call << " answered with another kind of answer";
        return false;
    }
    if (answer->confirm && !answer->pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer->pdfPath);
    }
    return answer->confirm;
}

bool ScriptedDialogs::print(QPrinter& printer) { return printAnswer("print", printer); }

bool ScriptedDialogs::printerSetup(QPrinter& printer) { return printAnswer("printerSetup", printer); }

void ScriptedDialogs::printPreview(QPrinter& printer, const QString& title, const PageRenderer& render)
{
    asked.push_back({QStringLiteral("printPreview"), title, {}, MessageKind::Information, {}});
    if (previewPdfFile.isEmpty()) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(previewPdfFile);
    render(printer);
}

} // namespace kel::test
