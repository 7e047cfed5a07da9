// SPDX-License-Identifier: GPL-3.0-or-later
// Vector pictures: the cost of a page drawn from a PDF against the same page enlarged from a
// JPEG of the picture's nominal size, and of a whole print of each.
//   page/<source>/<px>    RenderPage of page 1 (and 5, in turn) of the text-heavy A0 poster on 4 sheets across
//                         (tests/support/VectorFiles.h), through the vector helper for the PDF
//   preview/<source>/<px> the window's preview clicking through the pages of the poster on 3 sheets
//                         across, after the first click (which keeps the poster for the rest)
//   print/<source>/<px>   every page of that poster on 6 sheets across (36 pages) printed through
//                         PrintJob into a PDF file, as the print loop does
// <source> is the PDF or the JPEG (quality 90) of its raster at 96 dots per inch, <px> the page
// resolution, 800 or 1400. The picture is loaded once, outside the timing.
// On a shared machine run with --benchmark_repetitions=5 and read the _min rows.
#include "input/PictureLoader.h"
#include "input/VectorPicture.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"
#include "support/VectorFiles.h"

#include "BenchMain.h"
#include "TextPoster.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace plakatron;

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

const Picture &posterPicture(bool pdf)
{
    static const Picture vector = [] {
        // The helper of this build, which lies beside the programs, not the benchmarks.
        setVectorHelperForTesting(QStringLiteral(PLAKATRON_VECTOR_HELPER));
        const QString path = scratch().filePath(QStringLiteral("text-poster.pdf"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(test::writtenPdf(test::A0Points, 1, [](QPainter &p, int) { bench::drawTextPoster(p, test::A0Points); }));
        file.close();
        return loadPicture(path, {}, PictureRequest{1, false});
    }();
    static const Picture jpeg = [] {
        const QString path = scratch().filePath(QStringLiteral("text-poster.jpg"));
        vector.draw(QRectF(QPointF(0, 0), QSizeF(vector.size())), vector.size()).save(path, "jpeg", 90);
        return loadPicture(path);
    }();
    return pdf ? vector : jpeg;
}

void page(benchmark::State &state, bool pdf, double resolution)
{
    const Poster poster = makePoster(posterPicture(pdf), {4, resolution, DefaultOverlap, pdfSheet({}), {}});
    PageRenderer renderer(poster);
    // Page 1 and page 5 below it in turn: the helper keeps what it drew of a row, so each page is
    // drawn anew only when the one before lay in another row.
    std::int16_t page = 1;
    for (auto _ : state) {
        if (!renderer.RenderPage(page).made)
            state.SkipWithError("the page was not made");
        page = page == 1 ? 5 : 1;
    }
}

// The window's preview after a click: the poster on 3 sheets, every page in turn once the first
// click has been answered and the helper has kept the poster (or the rows of it a band holds).
void preview(benchmark::State &state, bool pdf, double resolution)
{
    const Poster poster = makePoster(posterPicture(pdf), {3, resolution, DefaultOverlap, pdfSheet({}), {}});
    PageRenderer renderer(poster);
    renderer.setKeepPoster(true);
    renderer.RenderPage(1);
    renderer.RenderPage(2);  // waits for what the first click kept
    std::int16_t page = 0;
    for (auto _ : state) {
        page = std::int16_t(page % poster.pageCount() + 1);
        if (!renderer.RenderPage(page).made)
            state.SkipWithError("the page was not made");
    }
}

void print(benchmark::State &state, bool pdf, double resolution)
{
    const Poster poster = makePoster(posterPicture(pdf), {6, resolution, DefaultOverlap, pdfSheet({}), {}});
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(scratch().filePath(QStringLiteral("print.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    PosterJob job;
    job.poster = &poster;
    job.range = {1, std::int16_t(poster.pageCount())};
    for (auto _ : state)
        printPoster(printer, job);
    state.counters["pages"] = poster.pageCount();
}

void registerAll()
{
    for (const bool pdf : {true, false}) {
        for (const double px : {800.0, 1400.0}) {
            const std::string name = std::string(pdf ? "/pdf/" : "/jpeg/") + std::to_string(int(px));
            const auto add = [](const std::string &full, auto function, auto... arguments) {
                benchmark::RegisterBenchmark(full.c_str(), function, arguments...)
                    ->UseRealTime()
                    ->Unit(benchmark::kMillisecond)
                    ->ComputeStatistics("min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
            };
            add("BM_Vector/page" + name, page, pdf, px);
            add("BM_Vector/preview" + name, preview, pdf, px);
            add("BM_Vector/print" + name, print, pdf, px);
        }
    }
}

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv, registerAll); }
