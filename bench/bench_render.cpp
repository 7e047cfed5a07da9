// Speed of one page rendered for the preview or the print job (crop, enlargement, margins and
// hints) and of one grid-view tick (which must only redraw the overlay, never the picture).
//   build/bench/bench_render [--benchmark_format=json]
#include "core/ProgramWide.h"
#include "layout/GridView.h"
#include "layout/PageLayout.h"
#include "printing/PageRenderer.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

using namespace plakatron;

namespace {

struct DefaultPoster {
    explicit DefaultPoster(double resolution)
    {
        picture = QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32);
        programWide().HorizontalOverlap = programWide().VerticalOverlap = DefaultOverlap;
        settings.PagePixelWidth = resolution;
        settings.PagePixelHeight = resolution * A4Proportion;
        ListIndexSurface surface(DefaultSheetsIndex);
        LayoutLabels labels;
        RunLayoutPass(QSizeF(picture.size()), DefaultOverlap, settings, grid, labels, surface);
    }
    QImage picture;
    PosterSettings settings;
    PageGrid grid;
};

void BM_RenderPage(benchmark::State &state)
{
    DefaultPoster poster(static_cast<double>(state.range(0)));
    PageRenderer renderer(PosterSource{&poster.picture, &poster.settings, &poster.grid});
    for (auto _ : state) {
        renderer.RenderPage(5, false);
        benchmark::DoNotOptimize(renderer.pageCanvas().constBits());
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderPage)->Name("BM_RenderPage/default-picture")->Arg(800)->Arg(1400)->Unit(benchmark::kMillisecond);

void BM_GridTick(benchmark::State &state)
{
    DefaultPoster poster(800);
    GridView view;
    view.resize(440, 401);
    view.rebuild(poster.picture, poster.settings, poster.grid);
    poster.grid.SelectedPage = 5;
    for (auto _ : state) {
        view.tick(poster.settings, poster.grid);
        benchmark::DoNotOptimize(view.composed().constBits());
    }
}
BENCHMARK(BM_GridTick)->Name("BM_GridTick/436x397")->Unit(benchmark::kMicrosecond);

void BM_GridRebuild(benchmark::State &state)
{
    DefaultPoster poster(800);
    GridView view;
    view.resize(440, 401);
    for (auto _ : state)
        view.rebuild(poster.picture, poster.settings, poster.grid);
}
BENCHMARK(BM_GridRebuild)->Name("BM_GridRebuild/436x397")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv); }
