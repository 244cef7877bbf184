// Peak resident memory of opening a 12-megapixel JPEG in the main window,
// above the program's own baseline, as a multiple of the 24-bit picture; then
// the resident memory after one step of the brightness track bar.
#include "app/program_form.h"
#include "bench_support.h"
#include "document_bench_support.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"
#include "widgets/track_bar.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

namespace {

// A field of /proc/self/status, in kilobytes.
long statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field)) return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

// Starts the peak count again from the current resident size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    kel::test::FakeServices fakes;
    kel::test::ScriptedDialogs& dialogs = fakes.dialogs;
    kel::TProgramForm form(fakes.services());
    form.show();
    QApplication::processEvents();
    const QString path = kel::bench::photoJpegPath();

    resetPeak();
    const long baseline = statusKilobytes("VmRSS:");
    dialogs.answerFile(path);
    form.runCommand("Ouvriruneimage1");
    QApplication::processEvents();
    const long peak = statusKilobytes("VmHWM:");
    const long after = statusKilobytes("VmRSS:");
    form.TrackBarLUMINOSITE->setPosition(1);
    QApplication::processEvents();
    const long stepped = statusKilobytes("VmRSS:");

    const double picture = double(kel::bytesPerLine(kel::bench::kPhotoWidth, kel::pf24bit)) *
                           kel::bench::kPhotoHeight / 1024.0;
    std::printf("errors: %d\n", int(dialogs.errors.size()));
    std::printf("24-bit picture: %.0f KiB\nbaseline: %ld KiB\npeak: %ld KiB (+%.2f pictures)\n"
                "after opening: %ld KiB (+%.2f pictures)\nafter one brightness step: %ld KiB (+%.2f pictures)\n",
                picture, baseline, peak, (peak - baseline) / picture, after, (after - baseline) / picture, stepped,
                (stepped - baseline) / picture);
    return dialogs.errors.isEmpty() && peak - baseline < 8 * picture ? 0 : 1;
}
