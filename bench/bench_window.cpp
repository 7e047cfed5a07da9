// The main window's recomputation when a choice changes: the sheets list (the layout pass with the
// grid view's shrunken picture, as always) against the paper list (the same pass, the paper's
// printable area remembered from the first time it was chosen, and the captions that name it).
// Under tools/test-cups the current printer is a queue of the private CUPS server, and reading a
// printable area from it is timed too, as is making the current printer, which opening the
// window now does.
//   build/bench/bench_window                      (a PDF file's sheet)
//   tools/test-cups build/bench/bench_window      (the queue "Office")
#include "app/frmMain.h"
#include "printing/PrinterSettings.h"
#include "printing/PrinterSheet.h"
#include "printing/modPrinter.h"

#include "BenchMain.h"

#include <QComboBox>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>

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
