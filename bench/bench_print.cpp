// SPDX-License-Identifier: GPL-3.0-or-later
// Where the time of a printed sheet goes. Every sheet reaches the printer as a page of a PDF
// stream (Qt prints to CUPS and to files as PDF), so next to rendering a page the cost of storing
// its picture in that stream counts:
//   render/<picture>/<px>    RenderPage of one page of a poster 10 sheets across
//   jpeg_q94/<picture>/<px>  the page picture into a one-page PDF as the job stores it (JPEG,
//                            quality 94)
//   lossless/<picture>/<px>  the same with lossless (Flate) compression, for comparison
//   sheet/<picture>/<px>     render and print one sheet through PrintJob, as the print loop does
// <picture> is the built-in one (flat colours) or a synthetic 24-megapixel photograph (grain on
// every pixel, SyntheticPhoto.h); <px> the page resolution, 800 or 1400: pages of 820 x 1151 and
// 1420 x 2000 pixels.
// On a shared machine run with --benchmark_repetitions=5 and read the _min rows.
#include "app/BuiltInPicture.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"
#include "printing/PageGeometry.h"
#include "SyntheticPhoto.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include "BenchMain.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <utility>

using namespace plakatron;

namespace {

const QImage &posterPicture(bool photo)
{
    static const QImage builtIn = builtInPicture();
    static const QImage camera = bench::syntheticPhoto(6000, 4000);
    return photo ? camera : builtIn;
}

// 10 sheets across, the default overlap.
struct BenchPoster {
    BenchPoster(bool photo, double resolution) : poster(makePoster(posterPicture(photo), {10, resolution, DefaultOverlap, pdfSheet({}), {}})) {}
    const Poster poster;
    PageRenderer renderer{poster};
};

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

std::unique_ptr<QPrinter> pdfPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(scratch().filePath(QStringLiteral("bench.pdf")));
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

void render(benchmark::State &state, bool photo, double resolution)
{
    BenchPoster poster(photo, resolution);
    for (auto _ : state)
        poster.renderer.RenderPage(25);
}

// One page picture into a one-page PDF with the painter as the job sets it up, or lossless.
void storePage(benchmark::State &state, bool photo, double resolution, bool lossless)
{
    BenchPoster poster(photo, resolution);
    poster.renderer.RenderPage(25);
    const auto printer = pdfPrinter();
    for (auto _ : state) {
        // A fresh copy each time: Qt's PDF engine stores an image it has seen before only once.
        QImage page = poster.renderer.pageCanvas().copy();
        QPainter painter(printer.get());
        painter.setRenderHint(QPainter::LosslessImageRendering, lossless);
        painter.drawImage(fitUndistortedTopLeft(QSizeF(page.size()), QRectF(0, 0, printer->width(), printer->height())), page);
    }
}

void sheet(benchmark::State &state, bool photo, double resolution)
{
    const BenchPoster poster(photo, resolution);
    const auto printer = pdfPrinter();
    PosterJob job;
    job.poster = &poster.poster;
    job.range = {25, 25};
    for (auto _ : state)
        printPoster(*printer, job);
}

void registerAll()
{
    for (const auto &[photo, px] : {std::pair{false, 800.0}, std::pair{false, 1400.0}, std::pair{true, 800.0},
                                    std::pair{true, 1400.0}}) {
        const std::string size = std::string(photo ? "/photo/" : "/builtin/") + std::to_string(int(px));
        const auto add = [&size](const char *name, auto function, auto... arguments) {
            benchmark::RegisterBenchmark((std::string("BM_Print/") + name + size).c_str(), function, arguments...)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
        };
        add("render", render, photo, px);
        add("jpeg_q94", storePage, photo, px, false);
        add("lossless", storePage, photo, px, true);
        add("sheet", sheet, photo, px);
    }
}

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv, registerAll); }
