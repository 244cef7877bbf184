// Every writer and every command that writes a file, run again and again
// with one file call made to fail by the preloaded fault library: each fault
// point (open, write, short write, fsync, close, link, rename, truncate) at
// its first, second, third... matching call, until the action no longer
// reaches it, with unnamed temporary files and with named ones.
//
// Each run ends in one of two states, and nothing in between:
// - refused: every file of the folder byte-identical, no file added, and the
//   user told as the command tells a failure;
// - done: the same files as a run without faults, and the user told as the
//   command tells a success.
// A fault that fired must give "refused", except a failing close or a second
// failing sync, which come once the file is complete and safe.
#include "app/commands/save_commands.h"
#include "app/document_files.h"
#include "app/program_form.h"
#include "codecs/atomic_file.h"
#include "codecs/writers.h"
#include "fault_shim.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "io/icon_writer.h"
#include "io/metafile_writer.h"
#include "io/pdf_export.h"
#include "io/pdf_writer.h"
#include "io/picture_writers.h"
#include "io/tiff_writer.h"
#include "support/fake_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <functional>
#include <map>
#include <memory>

namespace kel {
namespace {

// The control calls of the preloaded library.
struct Shim {
    decltype(&kelvary_fault_watch) watch = lookup<decltype(watch)>("kelvary_fault_watch");
    decltype(&kelvary_fault_arm) arm = lookup<decltype(arm)>("kelvary_fault_arm");
    decltype(&kelvary_fault_disarm) disarm = lookup<decltype(disarm)>("kelvary_fault_disarm");
    decltype(&kelvary_fault_fired) fired = lookup<decltype(fired)>("kelvary_fault_fired");
    decltype(&kelvary_fault_refuse_unnamed) refuseUnnamed =
        lookup<decltype(refuseUnnamed)>("kelvary_fault_refuse_unnamed");

    bool loaded() const { return watch && arm && disarm && fired && refuseUnnamed; }

    template <typename F> static F lookup(const char* name) { return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name)); }
};

struct FaultPoint {
    const char* name;
    int kind;
    int error;
    // A fault at this call or an earlier one must refuse the save; later ones
    // may come once the file is safe (a second sync, a close after the rename).
    int mustRefuseUpTo = 1000;
};

const FaultPoint kFaultPoints[] = {
    {"open refused", kFaultOpen, EACCES},
    {"no room for a new file", kFaultOpen, ENOSPC},
    {"full disk", kFaultWrite, ENOSPC},
    {"over quota", kFaultWrite, EDQUOT},
    {"short write, then full disk", kFaultShortWrite, ENOSPC},
    {"failing fsync", kFaultSync, EIO, 1},
    {"failing close", kFaultClose, EIO, 0},
    {"failing link", kFaultLink, EIO},
    {"failing rename", kFaultRename, EIO},
    {"failing truncate", kFaultTruncate, EIO},
};

const QByteArray kOldBytes("the old file's bytes, which must survive");

enum class Said { Nothing, Failure, Success, Both };
const char* const kSaidNames[] = {"nothing", "a failure", "a success", "a failure and a success"};

// Where a run happens: the watched folder, and an unwatched one for sources.
struct Place {
    QString folder;
    QString source;
    test::FakeServices* fakes = nullptr;
    TProgramForm* form = nullptr;

    QString file(const QString& name) const { return QDir(folder).filePath(name); }
};

// Thrown by a writer-level target whose writer reports failure by its result.
struct NotWritten {};

struct Target {
    QString name;
    bool window = false;          // driven through the main window
    bool pictureInFolder = false; // the opened picture lives in the watched folder
    QString oldFile;              // a file already in the folder under the name written
    Said onFailure = Said::Failure;
    Said onSuccess = Said::Nothing;
    QString failureText; // the message the command shows; empty: any error box
    std::function<void(Place&)> act;
};

Bitmap picture()
{
    Bitmap bitmap(120, 90);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) writePixel(bitmap, x, y, rgb(x * 2, y * 3, (x ^ y) & 255));
    return bitmap;
}

Target writerTarget(const QString& name, const QString& oldFile, std::function<void(Place&)> act)
{
    return Target{name, false, false, oldFile, Said::Failure, Said::Nothing, {}, std::move(act)};
}

Target commandTarget(const QString& name, const QString& oldFile, std::function<void(Place&)> act)
{
    return Target{name, true, false, oldFile, Said::Failure, Said::Nothing, {}, std::move(act)};
}

std::vector<Target> targets()
{
    std::vector<Target> list;
    const QString failure = QString::fromUtf8(commands::kSaveFailureMessage);
    // The save command's writers, found as the command finds them.
    QStringList extensions;
    for (const codecs::WriterEntry& entry : codecs::writers()) extensions << entry.extensions.front();
    extensions << QStringLiteral("tif");
    for (const QString& extension : extensions)
        list.push_back(writerTarget(QStringLiteral("writer .") + extension, QStringLiteral("old.") + extension,
                                    [extension](Place& run) {
                                        codecs::writeFileAtomically(run.file(QStringLiteral("old.") + extension),
                                                                    io::pictureWriterFor(extension)(picture()));
                                    }));
    list.push_back(writerTarget(QStringLiteral("SaveBitmapAsTiff"), QStringLiteral("old.tif"), [](Place& run) {
        io::SaveBitmapAsTiff(run.file(QStringLiteral("old.tif")), picture());
    }));
    for (const QString& name : {QStringLiteral("old.emf"), QStringLiteral("old.wmf")})
        list.push_back(writerTarget(QStringLiteral("metafile ") + name.mid(3), name, [name](Place& run) {
            io::saveBitmapAsMetafile(picture(), run.file(name));
        }));
    list.push_back(writerTarget(QStringLiteral("icon"), QStringLiteral("old.ico"), [](Place& run) {
        io::TjvIcon().SaveGraphicAsIcon(picture(), run.file(QStringLiteral("old.ico")));
    }));
    list.push_back(writerTarget(QStringLiteral("PDF of a JPEG file"), QStringLiteral("old.pdf"), [](Place& run) {
        const QString jpeg = QDir(run.source).filePath(QStringLiteral("picture.jpg"));
        test::writeBytes(jpeg, codecs::encodeJpeg(picture()));
        if (io::JpegFileToPdf(jpeg, run.file(QStringLiteral("old.pdf"))) != io::kPdfWritten)
            throw NotWritten{};
    }));
    list.push_back(writerTarget(QStringLiteral("PDF export"), QStringLiteral("old.pdf"), [](Place& run) {
        if (io::exportBitmapAsPdf(picture(), run.file(QStringLiteral("old.pdf"))) != io::kPdfWritten)
            throw NotWritten{};
    }));

    // The commands, through the main window.
    for (int entry = 1; entry <= 6; ++entry) {
        const QString name = QStringLiteral("old.") + extensions.value(entry - 1);
        Target save =
            commandTarget(QStringLiteral("Enregistrer, entry %1").arg(entry), name, [name, entry](Place& run) {
                run.fakes->dialogs.answerFile(run.file(name), entry);
                run.form->runCommand("Enregistrer1");
            });
        save.failureText = failure;
        list.push_back(save);
    }
    Target rename = commandTarget(QStringLiteral("Enregistrer sous"), {}, [](Place& run) {
        run.fakes->dialogs.answerFile(run.file(QStringLiteral("renamed.bmp")));
        run.form->runCommand("Enregistrersous1");
    });
    rename.pictureInFolder = true;
    rename.onFailure = Said::Nothing; // a failed rename is not reported
    list.push_back(rename);
    list.push_back(commandTarget(QStringLiteral("Exporter au format PDF"), QStringLiteral("old.pdf"), [](Place& run) {
        run.fakes->dialogs.answerFile(run.file(QStringLiteral("old.pdf")));
        run.form->runCommand("ExporterauformatPDF1");
    }));
    list.push_back(commandTarget(QStringLiteral("Convertir en icône"), QStringLiteral("old.ico"), [](Place& run) {
        run.fakes->dialogs.answerFile(run.file(QStringLiteral("old.ico")));
        run.form->runCommand("Convertirenicne1");
    }));
    for (int entry : {1, 2}) {
        const QString name = entry == 1 ? QStringLiteral("old.emf") : QStringLiteral("old.wmf");
        list.push_back(commandTarget(QStringLiteral("Transformer en métafichier, entry %1").arg(entry), name,
                                     [name, entry](Place& run) {
                                         run.fakes->dialogs.answerFile(run.file(name), entry);
                                         run.form->runCommand("ransformerenmtafichier1");
                                     }));
    }
    // The wallpaper goes beside the current file, which is a BMP itself.
    Target wallpaper = commandTarget(QStringLiteral("papier peint"), {}, [](Place& run) {
        run.fakes->dialogs.answer(Answer::Yes);
        run.form->runCommand("Installerlimagecommepapierpeint1");
    });
    wallpaper.pictureInFolder = true;
    wallpaper.onSuccess = Said::Success; // the wallpaper is set
    list.push_back(wallpaper);
    Target copy = commandTarget(QStringLiteral("Sauvegarder l' image"), QStringLiteral("photo.bmp"), [](Place& run) {
        test::ScriptedDialogs& dialogs = run.fakes->dialogs;
        dialogs.answerFolder(run.folder);
        dialogs.answer(Answer::Ok); // for the success message
        const std::size_t asked = dialogs.asked.size();
        run.form->runCommand("Sauvegarderlimage1");
        if (dialogs.asked.size() > asked + 1) return;
        dialogs.message(MessageKind::Confirmation, {}); // takes the unused answer back
        dialogs.asked.pop_back();
    });
    copy.onFailure = Said::Nothing; // a failed copy is not reported
    copy.onSuccess = Said::Success; // the copy is
    list.push_back(copy);
    return list;
}

using Files = std::map<QString, QByteArray>;

Files filesIn(const QString& folder)
{
    Files files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile file(QDir(folder).filePath(name));
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

QString describe(const Files& files)
{
    QStringList names;
    for (const auto& [name, bytes] : files) names << QStringLiteral("%1 (%2 bytes)").arg(name).arg(bytes.size());
    return names.join(QStringLiteral(", "));
}

struct Outcome {
    Files before;
    Files after;
    Said said = Said::Nothing;
    QStringList texts;
    int fired = 0;
};

std::string describe(const Outcome& outcome)
{
    return QStringLiteral("before %1; after %2; said %3 %4")
        .arg(describe(outcome.before), describe(outcome.after), QLatin1String(kSaidNames[int(outcome.said)]),
             outcome.texts.join(QLatin1Char('|')))
        .toStdString();
}

// Runs the targets under faults, through the preloaded library.
class SavesUnderFaults : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shim.loaded()) << "run with LD_PRELOAD naming libkelvary_fault_shim.so";
        oldTemp = qgetenv("TMPDIR");
    }
    void TearDown() override
    {
        if (!shim.loaded()) return;
        shim.disarm();
        shim.refuseUnnamed(0);
        shim.watch("");
    }

    // Prepares a fresh folder, arms the fault (kind 0: none), acts, and looks.
    Outcome runOnce(const Target& target, const FaultPoint* fault, int skip)
    {
        QTemporaryDir folder, source;
        Place run{folder.path(), source.path(), fakes.get(), form.get()};
        const QString photo =
            QDir(target.pictureInFolder ? run.folder : run.source).filePath(QStringLiteral("photo.bmp"));
        if (target.window) {
            test::writeBmp(photo, picture());
            fakes->dialogs.answerFile(photo);
            form->runCommand("Ouvriruneimage1");
        }
        if (!target.oldFile.isEmpty()) test::writeBytes(run.file(target.oldFile), kOldBytes);
        Outcome outcome;
        outcome.before = filesIn(run.folder);
        const qsizetype errors = fakes ? fakes->dialogs.errors.size() : 0;
        const std::size_t asked = fakes ? fakes->dialogs.asked.size() : 0;
        const std::size_t wallpapers = fakes ? fakes->desktop.wallpapers.size() : 0;
        // Temporary files of the writers go to the watched folder too.
        qputenv("TMPDIR", run.folder.toLocal8Bit());
        shim.watch(QFile::encodeName(run.folder).constData());
        if (fault) shim.arm(fault->kind, fault->error, skip);
        try {
            target.act(run);
        } catch (const Error& error) {
            outcome.said = Said::Failure;
            outcome.texts << error.text();
        } catch (const NotWritten&) {
            outcome.said = Said::Failure;
        }
        outcome.fired = shim.fired();
        shim.disarm();
        shim.watch("");
        if (oldTemp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTemp);
        outcome.after = filesIn(run.folder);
        if (!fakes) return outcome;
        EXPECT_TRUE(fakes->dialogs.allAnswersUsed());
        outcome.texts << fakes->dialogs.errors.mid(errors);
        for (std::size_t i = asked; i < fakes->dialogs.asked.size(); ++i) {
            const auto& question = fakes->dialogs.asked[i];
            if (question.call == QLatin1String("plainMessage")) outcome.texts << question.title;
            if (question.call == QLatin1String("message") && question.kind == MessageKind::Information)
                outcome.said = Said::Success;
        }
        if (fakes->desktop.wallpapers.size() > wallpapers) outcome.said = Said::Success;
        if (!outcome.texts.isEmpty()) outcome.said = outcome.said == Said::Success ? Said::Both : Said::Failure;
        return outcome;
    }

    bool refused(const Target& target, const Outcome& outcome) const
    {
        if (outcome.after != outcome.before || outcome.said != target.onFailure) return false;
        return target.failureText.isEmpty() || outcome.texts == QStringList{target.failureText};
    }

    static bool done(const Target& target, const Outcome& outcome, const Files& baseline)
    {
        return outcome.after == baseline && outcome.said == target.onSuccess;
    }

    Shim shim;
    QByteArray oldTemp;
    std::unique_ptr<test::FakeServices> fakes;
    std::unique_ptr<TProgramForm> form;
};

struct Tally {
    int runs = 0, fired = 0, refused = 0, done = 0;
};

TEST_F(SavesUnderFaults, EveryFaultPointKeepsTheOldFileAndTellsTheUser)
{
    std::map<QString, Tally> byFault, byTarget;
    for (const Target& target : targets()) {
        SCOPED_TRACE(target.name.toStdString());
        fakes.reset();
        form.reset();
        if (target.window) {
            fakes = std::make_unique<test::FakeServices>();
            form = std::make_unique<TProgramForm>(fakes->services());
        }
        for (const bool unnamed : {true, false}) {
            SCOPED_TRACE(unnamed ? "unnamed temporary files" : "named temporary files");
            shim.refuseUnnamed(!unnamed);
            const Outcome clean = runOnce(target, nullptr, 0);
            ASSERT_TRUE(clean.after != clean.before && clean.said == target.onSuccess)
                << "without faults: " << describe(clean);
            for (const FaultPoint& fault : kFaultPoints) {
                SCOPED_TRACE(fault.name);
                for (int skip = 0;; ++skip) {
                    ASSERT_LT(skip, 50) << "the fault keeps firing";
                    const Outcome outcome = runOnce(target, &fault, skip);
                    const bool wasRefused = refused(target, outcome);
                    const bool wasDone = done(target, outcome, clean.after);
                    for (Tally* tally : {&byFault[QLatin1String(fault.name)], &byTarget[target.name]}) {
                        ++tally->runs;
                        tally->fired += outcome.fired > 0;
                        tally->refused += wasRefused;
                        tally->done += wasDone;
                    }
                    const std::string seen = "at call " + std::to_string(skip + 1) + ": " + describe(outcome);
                    if (outcome.fired == 0) {
                        EXPECT_TRUE(wasDone) << "not reached " << seen;
                        break;
                    }
                    if (skip < fault.mustRefuseUpTo)
                        EXPECT_TRUE(wasRefused) << seen;
                    else
                        EXPECT_TRUE(wasRefused || wasDone) << seen;
                }
            }
        }
    }
    // The figures of docs/robustness.md.
    for (const auto* tallies : {&byFault, &byTarget})
        for (const auto& [name, tally] : *tallies)
            std::printf("| %s | %d | %d | %d | %d |\n", name.toUtf8().constData(), tally.runs, tally.fired,
                        tally.refused, tally.done);
}

} // namespace
} // namespace kel
