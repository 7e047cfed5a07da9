// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of one page rendered for the preview or the print job (crop, enlargement or reduction,
// margins and hints), also of a photograph's page at 800, 1400 and 2480 pixels, of pages whose
// share of the picture is far larger than the page (panoramas on one sheet: their crops are tens
// of gigapixels, mostly white, and must cost what the page costs), of one grid-view tick (which
// must only redraw the overlay, never the picture), and of the assembly map of posters from one
// page to 40 x 80 and of a 60000 x 1500 panorama, with the two ways of shrinking the picture for
// it that were weighed.
//   build/bench/bench_render [--benchmark_format=json]
#include "app/BuiltInPicture.h"
#include "layout/GridView.h"
#include "layout/PageLayout.h"
#include "printing/AssemblyMap.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"

#include "BenchMain.h"
#include "SyntheticPhoto.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImageWriter>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>
#include <map>
#include <vector>

using namespace plakatron;

namespace {

// The built-in picture (or `source`) at the default choices but for the resolution and sheets.
Poster defaultPoster(double resolution, QImage source = {}, int sheetsIndex = DefaultSheetsIndex)
{
    return makePoster(source.isNull() ? builtInPicture() : std::move(source), {sheetsIndex + 1.0, resolution, DefaultOverlap, pdfSheet({}), {}});
}

void renderPages(benchmark::State &state, const Poster &poster, std::int16_t page)
{
    PageRenderer renderer(poster);
    for (auto _ : state) {
        renderer.RenderPage(page);
        benchmark::DoNotOptimize(renderer.pageCanvas().constBits());
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RenderPage(benchmark::State &state)
{
    const Poster poster = defaultPoster(static_cast<double>(state.range(0)));
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

// Page 1 at 1400 pixels (or `resolution`) of a wide picture, `width` x `height` on `sheets`
// sheets: its crop is the cell and its overlap in A4 proportion (60000 x 1500 on one sheet:
// 61800 x 86640 pixels, 98 % of them white), shrunk to the page.
void BM_RenderWidePage(benchmark::State &state, int width, int height, int sheets, double resolution = 1400)
{
    const Poster poster = defaultPoster(resolution, widePicture(width, height), sheets - 1);
    renderPages(state, poster, 1);
}
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-20000x1000-1-sheet, 20000, 1000, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-20000x1000-3-sheets, 20000, 1000, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-60000x1500-1-sheet, 60000, 1500, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-60000x1500-3-sheets, 60000, 1500, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, line-48000x1-3-sheets, 48000, 1, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, line-24000x1-1-sheet, 24000, 1, 1)->Unit(benchmark::kMillisecond);
// The 90-megapixel panorama on pages of 2480 x 3507 (300 ppi on A4): its time, and under
// /usr/bin/time -v its peak memory (the picture itself is 360 MB).
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-60000x1500-1-sheet-2480px, 60000, 1500, 1, 2480)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderWidePage, panorama-60000x1500-3-sheets-2480px, 60000, 1500, 3, 2480)
    ->Unit(benchmark::kMillisecond);

// Page 1 of a 24-megapixel photograph (6000 x 4000) on 3 sheets, whose cell is 2000 pixels wide:
// shrunk at 800 and 1400 pixels and at 2000 ("Auto": the cell's pixels, its overlap averaged in),
// enlarged at 2480 (300 ppi on A4).
void BM_RenderPhotoPage(benchmark::State &state)
{
    const Poster poster = defaultPoster(static_cast<double>(state.range(0)), widePicture(6000, 4000), 2);
    renderPages(state, poster, 1);
}
BENCHMARK(BM_RenderPhotoPage)
    ->Name("BM_RenderPage/photo-6000x4000-3-sheets")
    ->Arg(800)
    ->Arg(1400)
    ->Arg(2000)
    ->Arg(2480)
    ->Unit(benchmark::kMillisecond);

void BM_GridTick(benchmark::State &state)
{
    Poster poster = defaultPoster(800);
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
    Poster poster = defaultPoster(800);
    GridView view;
    view.resize(440, 401);
    for (auto _ : state)
        view.rebuild(poster.picture, poster.settings, poster.grid);
}
BENCHMARK(BM_GridRebuild)->Name("BM_GridRebuild/436x397")->Unit(benchmark::kMicrosecond);

// The posters of the assembly map: one page, the default six, 40 across (720 pages), 40 x 80
// pages, a picture of one pixel and a 60000 x 1500 panorama on three sheets.
struct MapCase {
    const char *name;
    int width, height, sheets;  // 0 x 0: the built-in picture
};
const MapCase MapCases[] = {
    {"one-page", 0, 0, 1},   {"default", 0, 0, 3},        {"40-across", 0, 0, 40},
    {"40x80", 712, 2000, 40}, {"1x1-picture", 1, 1, 3}, {"panorama-60000x1500", 60000, 1500, 3},
};

Poster &mapPoster(const MapCase &c)
{
    static std::map<const MapCase *, std::unique_ptr<Poster>> made;
    std::unique_ptr<Poster> &poster = made[&c];
    if (!poster)
        poster = std::make_unique<Poster>(defaultPoster(800, c.width > 0 ? widePicture(c.width, c.height) : QImage(), c.sheets - 1));
    return *poster;
}

// The whole map as `plakatron-cli map -o map.pdf` makes it once the picture is loaded: the map
// made (its picture shrunk), drawn by the print job on one A4 sheet of a PDF file, the file checked.
void BM_AssemblyMapPdf(benchmark::State &state, const MapCase *c)
{
    Poster &poster = mapPoster(*c);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("map.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    for (auto _ : state) {
        AssemblyMap map(poster);
        PrintJob job(printer);
        job.run(PrintRange{1, 0}, {}, {}, [&] { job.PrintAssemblyMap(map); });
    }
}

// The same map as a PNG picture of the sheet at 300 dpi (`map -o map.png`), encoded in memory.
void BM_AssemblyMapPng(benchmark::State &state, const MapCase *c)
{
    Poster &poster = mapPoster(*c);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    for (auto _ : state) {
        AssemblyMap map(poster);
        const QImage sheet = map.sheetImage(printer.pageLayout());
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QImageWriter writer(&png, "png");
        writer.setQuality(70);  // as the tool writes it
        writer.write(sheet);
        benchmark::DoNotOptimize(png.data().constData());
    }
}

// A plain box filter: each pixel of the result the mean of the source pixels its area covers,
// parts of pixels at its edges weighed by their share. What an averaging reduction of our own
// would do, next to Qt's smooth scaling.
QImage boxFilter(const QImage &source, QSize size)
{
    const double fx = double(source.width()) / size.width(), fy = double(source.height()) / size.height();
    struct Span {
        int first, last;
        float firstWeight, lastWeight;
    };
    const auto spans = [](int count, double factor, int sourceCount) {
        std::vector<Span> s(count);
        for (int i = 0; i < count; ++i) {
            const double a = i * factor, b = (i + 1) * factor;
            const int first = int(a), last = std::min(sourceCount - 1, int(std::ceil(b)) - 1);
            s[i] = {first, last, float(first + 1 - a), float(b - last)};
        }
        return s;
    };
    const std::vector<Span> columns = spans(size.width(), fx, source.width());
    const std::vector<Span> rows = spans(size.height(), fy, source.height());
    QImage result(size, QImage::Format_RGB32);
    std::vector<float> sums(size_t(size.width()) * 3);
    for (int y = 0; y < size.height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0.f);
        for (int sy = rows[y].first; sy <= rows[y].last; ++sy) {
            const float wy = sy == rows[y].first ? rows[y].firstWeight : sy == rows[y].last ? rows[y].lastWeight : 1.f;
            const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(sy));
            for (int x = 0; x < size.width(); ++x) {
                float r = 0, g = 0, b = 0;
                for (int sx = columns[x].first; sx <= columns[x].last; ++sx) {
                    const float w = sx == columns[x].first ? columns[x].firstWeight
                                    : sx == columns[x].last ? columns[x].lastWeight : 1.f;
                    r += w * qRed(line[sx]);
                    g += w * qGreen(line[sx]);
                    b += w * qBlue(line[sx]);
                }
                sums[3 * x] += wy * r;
                sums[3 * x + 1] += wy * g;
                sums[3 * x + 2] += wy * b;
            }
        }
        auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
        const float norm = float(1 / (fx * fy));
        for (int x = 0; x < size.width(); ++x)
            out[x] = qRgb(qRound(sums[3 * x] * norm), qRound(sums[3 * x + 1] * norm), qRound(sums[3 * x + 2] * norm));
    }
    return result;
}

// The panorama shrunk to its size on the map, 2397 x 60 pixels.
void BM_MapReduction(benchmark::State &state, bool qtSmooth)
{
    const QImage &panorama = widePicture(60000, 1500);
    const QSize size(2397, 60);
    for (auto _ : state) {
        const QImage shrunk = qtSmooth ? panorama.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                       : boxFilter(panorama, size);
        benchmark::DoNotOptimize(shrunk.constBits());
    }
}
BENCHMARK_CAPTURE(BM_MapReduction, panorama-qt-smooth, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MapReduction, panorama-box-filter, false)->Unit(benchmark::kMillisecond);

void registerMapBenchmarks()
{
    for (const MapCase &c : MapCases) {
        benchmark::RegisterBenchmark((std::string("BM_AssemblyMapPdf/") + c.name).c_str(), BM_AssemblyMapPdf, &c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_AssemblyMapPng/") + c.name).c_str(), BM_AssemblyMapPng, &c)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv, registerMapBenchmarks); }
