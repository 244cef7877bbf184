// One step of the brightness track bar through the real main window, on the
// 12-megapixel photo: the handler, the recompute of the shown picture and the
// paint of the view. Read as a ratio to the memcpy baseline. The same step at
// 3, 12 and 48 megapixels gives the cost's growth, the paint alone its fixed part.
#include "app/program_form.h"
#include "bench_support.h"
#include "document_bench_support.h"
#include "support/fake_services.h"
#include "view/image_colorizer.h"
#include "widgets/track_bar.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <functional>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "kelvary_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Left for the process's end to reclaim: destroying it after Qt's own statics faults.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void stepBrightness(benchmark::State& state, const std::function<void(kel::TProgramForm&)>& setUp,
                    int megapixels = 12)
{
    QApplication& app = application();
    kel::test::FakeServices fakes;
    kel::TProgramForm form(fakes.services());
    form.show();
    form.openFile(kel::bench::photoJpegPath(kel::bench::widthForMegapixels(megapixels),
                                            kel::bench::heightForMegapixels(megapixels)));
    setUp(form);
    app.processEvents();
    int position = 0;
    for (auto _ : state) {
        position = position == 0 ? 1 : 0;
        form.TrackBarLUMINOSITE->setPosition(position);
        form.Image1->repaint();
    }
}

void BM_Window_BrightnessStep(benchmark::State& state)
{
    stepBrightness(state, [](kel::TProgramForm&) {});
}
void BM_Window_BrightnessStepEmboss(benchmark::State& state)
{
    stepBrightness(state, [](kel::TProgramForm& form) { form.Image1->setPicEmboss(true); });
}
void BM_Window_BrightnessStepMonoNoise25(benchmark::State& state)
{
    stepBrightness(state, [](kel::TProgramForm& form) { form.Image1->setPicMonoNoise(25); });
}
void BM_Window_BrightnessStepColourNoise25(benchmark::State& state)
{
    stepBrightness(state, [](kel::TProgramForm& form) { form.Image1->setPicColorNoise(25); });
}
BENCHMARK(BM_Window_BrightnessStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_BrightnessStepEmboss)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_BrightnessStepMonoNoise25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_BrightnessStepColourNoise25)->Unit(benchmark::kMillisecond);

void BM_Window_BrightnessStepGrowth(benchmark::State& state)
{
    stepBrightness(state, [](kel::TProgramForm&) {}, int(state.range(0)));
}
BENCHMARK(BM_Window_BrightnessStepGrowth)->Arg(3)->Arg(12)->Arg(48)->Unit(benchmark::kMillisecond);

// The view's paint alone at the same sizes: the part of a step that depends on
// the view's size, not on the picture's.
void BM_Window_RepaintGrowth(benchmark::State& state)
{
    QApplication& app = application();
    kel::test::FakeServices fakes;
    kel::TProgramForm form(fakes.services());
    form.show();
    const int megapixels = int(state.range(0));
    form.openFile(kel::bench::photoJpegPath(kel::bench::widthForMegapixels(megapixels),
                                            kel::bench::heightForMegapixels(megapixels)));
    app.processEvents();
    for (auto _ : state) form.Image1->repaint();
}
BENCHMARK(BM_Window_RepaintGrowth)->Arg(3)->Arg(12)->Arg(48)->Unit(benchmark::kMillisecond);

} // namespace
