// Speed of one page rendered for the preview or the print job (crop, enlargement, margins and
// hints), also of pages whose share of the picture is far larger than the page (panoramas on one
// sheet: their crops are tens of gigapixels, mostly white, and must cost what the page costs), and
// of one grid-view tick (which must only redraw the overlay, never the picture).
//   build/bench/bench_render [--benchmark_format=json]
#include "core/ProgramWide.h"
#include "layout/GridView.h"
#include "layout/PageLayout.h"
#include "printing/PageRenderer.h"

#include "BenchMain.h"
#include "SyntheticPhoto.h"

#include <benchmark/benchmark.h>

#include <map>

using namespace plakatron;

namespace {

struct DefaultPoster {
    explicit DefaultPoster(double resolution, QImage source = {}, int sheetsIndex = DefaultSheetsIndex)
        : picture(source.isNull()
                      ? QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32)
                      : std::move(source))
    {
        programWide().HorizontalOverlap = programWide().VerticalOverlap = DefaultOverlap;
        settings.PagePixelWidth = resolution;
        settings.PagePixelHeight = resolution * A4Proportion;
        ListIndexSurface surface(sheetsIndex);
        LayoutLabels labels;
        RunLayoutPass(QSizeF(picture.size()), DefaultOverlap, settings, grid, labels, surface);
    }
    QImage picture;
    PosterSettings settings;
    PageGrid grid;
};

void renderPages(benchmark::State &state, DefaultPoster &poster, std::int16_t page)
{
    PageRenderer renderer(PosterSource{&poster.picture, &poster.settings, &poster.grid});
    for (auto _ : state) {
        renderer.RenderPage(page, false);
        benchmark::DoNotOptimize(renderer.pageCanvas().constBits());
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RenderPage(benchmark::State &state)
{
    DefaultPoster poster(static_cast<double>(state.range(0)));
    renderPages(state, poster, 5);
}
BENCHMARK(BM_RenderPage)->Name("BM_RenderPage/default-picture")->Arg(800)->Arg(1400)->Unit(benchmark::kMillisecond);

// A synthetic photograph of this size, made once (a line of one pixel is one colour).
const QImage &widePicture(int width, int height)
{
    static std::map<std::pair<int, int>, QImage> made;
    QImage &picture = made[{width, height}];
    if (picture.isNull()) {
        picture = height > 1 ? bench::syntheticPhoto(width, height) : QImage(width, height, QImage::Format_RGB32);
        if (height == 1)
            picture.fill(Qt::darkCyan);
    }
    return picture;
}

// Page 1 at 1400 pixels of a wide picture, `width` x `height` on `sheets` sheets: its crop is
// the cell and its overlap in A4 proportion (60000 x 1500 on one sheet: 61800 x 86640 pixels, 98 %
// of them white).
void BM_RenderWidePage(benchmark::State &state, int width, int height, int sheets)
{
    DefaultPoster poster(1400, widePicture(width, height), sheets - 1);
    renderPages(state, poster, 1);
}
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-20000x1000-1-sheet, 20000, 1000, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-20000x1000-3-sheets, 20000, 1000, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-60000x1500-1-sheet, 60000, 1500, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-60000x1500-3-sheets, 60000, 1500, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, line-48000x1-3-sheets, 48000, 1, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, line-24000x1-1-sheet, 24000, 1, 1)->Unit(benchmark::kMillisecond);

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
