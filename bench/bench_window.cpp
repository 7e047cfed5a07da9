// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's recomputation when a choice changes: the sheets list (the layout pass with the
// grid view's shrunken picture, as always) against the paper list (the same pass, the paper's
// printable area remembered from the first time it was chosen, and the captions that name it).
// The redraw when the window's size changes (the grid view's picture and the preview's page
// drawn again for the new size) against the sheets list's change at the same sizes, on the
// built-in picture and on a 24-megapixel photo.
// Under tools/test-cups the current printer is a queue of the private CUPS server, and reading a
// printable area from it is timed too, as is making the current printer, which opening the
// window now does.
//   build/bench/bench_window                      (a PDF file's sheet)
//   tools/test-cups build/bench/bench_window      (the queue "Office")
#include "app/frmMain.h"
#include "layout/GridView.h"
#include "layout/PreviewBox.h"
#include "printing/PrinterSettings.h"
#include "printing/PrinterSheet.h"
#include "printing/modPrinter.h"

#include "BenchMain.h"
#include "SyntheticPhoto.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

using namespace plakatron;

namespace {

// A window on the built-in picture, its settings in a folder of its own.
struct Window {
    Window()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        resetCurrentPrinter();
        if (!qEnvironmentVariableIsEmpty("CUPS_SERVER") && installedPrinterNames().contains(QStringLiteral("Office")))
            currentPrinter().setPrinterName(QStringLiteral("Office"));
        window.emplace();
        window->show();
    }
    QComboBox *list(const char *name) { return window->findChild<QComboBox *>(QLatin1String(name)); }
    QTemporaryDir settings;
    std::optional<frmMain> window;
};

// Each iteration one change back and forth between two entries of a list.
void switchList(benchmark::State &state, const char *name, int first, int second)
{
    Window w;
    QComboBox *list = w.list(name);
    int next = first;
    for (auto _ : state) {
        list->setCurrentIndex(next);
        next = next == first ? second : first;
    }
    state.SetLabel(qPrintable(deviceNameOf(currentPrinter())));
}
BENCHMARK_CAPTURE(switchList, sheets-3-and-4, "cmbA4Width", 2, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(switchList, paper-A4-and-Letter, "cmbPaper", 0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(switchList, orientation-A4, "cmbPaper", 0, 6)->Unit(benchmark::kMillisecond);

// The window at `size` (none: as designed), on the built-in picture or a 24-megapixel photo, page 2
// in the preview.
void prepare(Window &w, QSize size, bool photo)
{
    if (photo) {
        const QString path = QDir(w.settings.path()).filePath(QStringLiteral("photo.bmp"));
        bench::syntheticPhoto(6000, 4000).save(path);
        w.window->UpdatePictureFile(path);
    }
    w.window->resize(size.isEmpty() ? w.window->minimumSize() : size);
    QCoreApplication::processEvents();
    w.window->tmrResize_Timer();
    w.window->picGrid_MouseDown(Qt::LeftButton, QPointF(w.window->poster().settings.PagePixelWidth * 1.5, 1));
}

// Each iteration one redraw for a size changed back and forth, as the window does once the user
// has stopped dragging its edge (the widgets' places are set at once, and cost next to nothing).
void resizeRedraw(benchmark::State &state, QSize larger, bool photo)
{
    Window w;
    prepare(w, {}, photo);
    const QSize sizes[] = {w.window->minimumSize(), larger};
    int next = 1;
    for (auto _ : state) {
        state.PauseTiming();
        w.window->resize(sizes[next]);
        QCoreApplication::processEvents();  // the new places
        w.window->findChild<QTimer *>(QStringLiteral("tmrResize"))->stop();
        next = 1 - next;
        state.ResumeTiming();
        w.window->tmrResize_Timer();
    }
}
// Its two parts alone at 1600 x 1000: the grid view's picture made for its size, the preview's page
// drawn into its box.
void gridViewRebuild(benchmark::State &state, bool photo)
{
    Window w;
    prepare(w, QSize(1600, 1000), photo);
    auto *view = w.window->findChild<GridView *>(QStringLiteral("picGrid"));
    PageGrid grid = w.window->grid();
    for (auto _ : state)
        view->rebuild(w.window->sourcePicture(), w.window->poster().settings, grid);
}
BENCHMARK_CAPTURE(gridViewRebuild, 1600x1000, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gridViewRebuild, 1600x1000-photo, true)->Unit(benchmark::kMillisecond);

void previewRescale(benchmark::State &state)
{
    Window w;
    prepare(w, QSize(1600, 1000), false);
    auto *preview = w.window->findChild<PreviewBox *>(QStringLiteral("picPreview"));
    for (auto _ : state)
        preview->showPage(w.window->pageCanvas(), true);
}
BENCHMARK(previewRescale)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(resizeRedraw, designed-and-1600x1000, QSize(1600, 1000), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(resizeRedraw, designed-and-1600x1000-photo, QSize(1600, 1000), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(resizeRedraw, designed-and-3840x2160, QSize(3840, 2160), false)->Unit(benchmark::kMillisecond);

// The sheets list's change at a size, for comparison.
void sheetsAt(benchmark::State &state, QSize size, bool photo)
{
    Window w;
    prepare(w, size, photo);
    QComboBox *list = w.list("cmbA4Width");
    int next = 2;
    for (auto _ : state) {
        list->setCurrentIndex(next);
        next = next == 2 ? 3 : 2;
    }
}
BENCHMARK_CAPTURE(sheetsAt, designed, QSize(), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetsAt, designed-photo, QSize(), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetsAt, 1600x1000, QSize(1600, 1000), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetsAt, 1600x1000-photo, QSize(1600, 1000), true)->Unit(benchmark::kMillisecond);

// One printable area read from the printer (a paper not chosen before), and one remembered.
void BM_PrintableArea(benchmark::State &state, bool remembered)
{
    resetCurrentPrinter();
    QPrinter &printer = currentPrinter();
    if (!qEnvironmentVariableIsEmpty("CUPS_SERVER") && installedPrinterNames().contains(QStringLiteral("Office")))
        printer.setPrinterName(QStringLiteral("Office"));
    PrintableAreas areas;
    const Paper papers[] = {{QPageSize::A4, QPageLayout::Portrait}, {QPageSize::Letter, QPageLayout::Landscape}};
    int i = 0;
    for (auto _ : state) {
        if (!remembered) {
            state.PauseTiming();
            areas = PrintableAreas();
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(areas.of(printer, papers[++i % 2]));
    }
    state.SetLabel(qPrintable(deviceNameOf(printer)));
}
BENCHMARK_CAPTURE(BM_PrintableArea, read-from-the-printer, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PrintableArea, remembered, true)->Unit(benchmark::kMicrosecond);

// What opening the window now adds, once: the current printer made (asking the print server for
// the default printer), for the labels to measure its printable area.
void BM_CurrentPrinterMade(benchmark::State &state)
{
    for (auto _ : state) {
        resetCurrentPrinter();
        benchmark::DoNotOptimize(currentPrinter().width());
    }
}
BENCHMARK(BM_CurrentPrinterMade)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv); }
