// The monkey soak: a seeded random walk over the real main window, with the
// invariants checked after every step. KELVARY_SOAK_SEED, KELVARY_SOAK_STEPS,
// KELVARY_SOAK_MAX_SIDE and KELVARY_SOAK_LOG (a file receiving every step)
// set a run; a failure prints the seed and the steps that led to it.
#include "app/program_form.h"
#include "app/startup.h"
#include "graphics/pixel_store.h"
#include "soak/monkey.h"
#include "soak/soak_checks.h"
#include "windows/view_form.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace kel::soak {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasuresMemory = false; // the sanitizer's quarantine is not the program's memory
#else
constexpr bool kMeasuresMemory = true;
#endif

std::int64_t setting(const char* name, std::int64_t otherwise)
{
    bool ok = false;
    const std::int64_t value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? value : otherwise;
}

constexpr std::int64_t kMiB = 1 << 20;

TEST(Soak, RandomWalkOverTheMainWindowKeepsTheProgramSound)
{
    const auto seed = std::uint64_t(setting("KELVARY_SOAK_SEED", 1));
    const int steps = int(setting("KELVARY_SOAK_STEPS", 1500));
    const int maxSide = int(setting("KELVARY_SOAK_MAX_SIDE", 3000));
    const int settleEvery = int(setting("KELVARY_SOAK_SETTLE_EVERY", 100));
    const std::int64_t memoryBound = setting("KELVARY_SOAK_MEMORY_BOUND_MB", 24) * kMiB;
    const QString replay = QStringLiteral("KELVARY_SOAK_SEED=%1 KELVARY_SOAK_STEPS=%2 KELVARY_SOAK_MAX_SIDE=%3")
                               .arg(seed).arg(steps).arg(maxSide);

    QTemporaryDir work;
    QTemporaryDir outside; // the working folder: a relative name written anywhere lands here
    ASSERT_TRUE(work.isValid() && outside.isValid());
    const QString startFolder = QDir::currentPath();
    QDir::setCurrent(outside.path());

    Random random(seed);
    PicturePool pool(work.path() + QStringLiteral("/pool"), random, 6);
    RandomDialogs dialogs(random, pool, work.path());
    SoakServices services(dialogs);
    TProgramForm form(services.services);
    createAuxiliaryWindows(form, form.ViewForm(), services.services);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const QString sources = QStringLiteral(KELVARY_SOURCE_ROOT);
    FolderGuard guard({sources + QStringLiteral("/tests/data"), sources + QStringLiteral("/fuzz/corpus"), outside.path()});
    ASSERT_GE(guard.watchedFolders(), 3);
    Monkey monkey(form, services, random, maxSide);
    Invariants invariants(form);

    // By default beside the test, where a crash leaves it.
    QFile log(qEnvironmentVariable("KELVARY_SOAK_LOG", startFolder + QStringLiteral("/soak-%1.log").arg(seed)));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
    std::printf("soak: %s, %d pictures in the pool, %d commands in the table, steps logged to %s\n",
                qPrintable(replay), pool.size(), monkey.commandCount(), qPrintable(log.fileName()));
    std::fflush(stdout);

    QStringList history;
    QMap<QString, int> errorTally;
    std::vector<std::int64_t> settled; // heap and picture bytes in use after each settling
    QString resident;                  // and the resident size then, in MiB
    QString failure;
    std::int64_t peakSeen = peakResidentBytes();
    int step = 1;
    for (; step <= steps && failure.isEmpty(); ++step) {
        invariants.beforeStep();
        dialogs.errors.clear();
        dialogs.answers.clear();
        const bool settling = step % settleEvery == 0;
        QString line = QStringLiteral("%1: ").arg(step);
        // Written before the step runs, so that a crash leaves it behind.
        log.write(line.toUtf8());
        log.flush();
        line += settling ? monkey.settleSmall() : monkey.step();
        for (const QString& answer : dialogs.answers) line += QStringLiteral(" | ") + answer;
        for (const QString& error : dialogs.errors) {
            line += QStringLiteral(" | error: ") + error.trimmed();
            ++errorTally[error.trimmed().left(60)];
        }
        if (const std::int64_t peak = peakResidentBytes(); peak > peakSeen + 64 * kMiB) {
            line += QStringLiteral(" | peak resident %1 MiB").arg(peak / kMiB);
            peakSeen = peak;
        }
        history << line;
        if (history.size() > 40) history.removeFirst();
        log.write((line.section(u':', 1) + u'\n').toUtf8());
        log.flush();
        failure = invariants.afterStep(dialogs.errors);
        if (const QStringList touched = guard.changes(); failure.isEmpty() && !touched.isEmpty())
            failure = QStringLiteral("files touched outside the soak's folder: ") + touched.join(QStringLiteral(", "));
        if (settling && kMeasuresMemory) {
            // The stores kept for reuse are a cache, not memory in use.
            releaseKeptPixelStores();
            resident += QString::number(residentBytes() / kMiB) + u' ';
            settled.push_back(heapInUseBytes() + std::int64_t(mappedPixelStoreBytesInUse()));
            // The first third of the run warms up; afterwards the settled size stays within the bound.
            const std::size_t warm = std::max<std::size_t>(1, std::size_t(steps / settleEvery) / 3);
            if (settled.size() > warm) {
                const std::int64_t baseline = *std::max_element(settled.begin(), settled.begin() + std::ptrdiff_t(warm));
                if (settled.back() > baseline + memoryBound)
                    failure = QStringLiteral("memory in use grew from %1 MiB to %2 MiB")
                                  .arg(baseline / kMiB).arg(settled.back() / kMiB);
            }
        }
    }

    std::printf("soak: %d steps run, peak resident %lld MiB\n", step - 1, (long long)(peakResidentBytes() / kMiB));
    QString memory;
    for (std::int64_t bytes : settled) memory += QString::number(bytes / kMiB) + u' ';
    if (!settled.empty())
        std::printf("soak: settled heap and pictures in use MiB: %s\nsoak: settled resident MiB: %s\n", qPrintable(memory),
                    qPrintable(resident));
    for (auto it = errorTally.cbegin(); it != errorTally.cend(); ++it)
        std::printf("soak: error box %5d x %s\n", it.value(), qPrintable(it.key()));
    QDir::setCurrent(startFolder);
    if (!failure.isEmpty()) {
        FAIL() << "soak failed at step " << step - 1 << ": " << failure.toStdString() << "\nreplay with "
               << replay.toStdString() << " (or KELVARY_SOAK_STEPS=" << step - 1 << ")\nlast steps:\n"
               << history.join(u'\n').toStdString();
    }
}

} // namespace
} // namespace kel::soak
