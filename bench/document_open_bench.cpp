// The whole " Ouvrir" of a 12-megapixel JPEG through the shown main window:
// decode, the pictures the document keeps, the status line with its colour
// count, the thumbnail and the first paint. Read against the bare decode
// benchmarks (BM_Document_LibjpegDecode*) of the same run.
#include "app/program_form.h"
#include "bench_support.h"
#include "document_bench_support.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// The widgets need an application object; it lives until the process ends.
void ensureApplication()
{
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvary_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

void openJpeg(benchmark::State& state, int megapixels)
{
    ensureApplication();
    const QString path = kel::bench::photoJpegPath(kel::bench::widthForMegapixels(megapixels),
                                                   kel::bench::heightForMegapixels(megapixels));
    kel::test::FakeServices fakes;
    kel::test::ScriptedDialogs& dialogs = fakes.dialogs;
    kel::TProgramForm form(fakes.services());
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        dialogs.answerFile(path);
        form.runCommand("Ouvriruneimage1");
        QApplication::processEvents(); // the paint
    }
    if (!dialogs.errors.isEmpty()) state.SkipWithError(dialogs.errors.first().toStdString().c_str());
}

void BM_Document_OpenJpeg12MP(benchmark::State& state) { openJpeg(state, 12); }
BENCHMARK(BM_Document_OpenJpeg12MP)->Unit(benchmark::kMillisecond);

// The cost's growth: the same open at 3, 12 and 48 megapixels.
void BM_Document_OpenJpegGrowth(benchmark::State& state) { openJpeg(state, int(state.range(0))); }
BENCHMARK(BM_Document_OpenJpegGrowth)->Arg(3)->Arg(12)->Arg(48)->Unit(benchmark::kMillisecond);

} // namespace
