#include "cli/PrintCommand.h"

#include "cli/CliOptions.h"
#include "cli/Terminal.h"
#include "core/OutputFile.h"
#include "core/RuntimeError.h"
#include "core/StopSignals.h"
#include "printing/PrintJob.h"
#include "printing/modPrinter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>

namespace plakatron::cli {

namespace {

using Clock = std::chrono::steady_clock;

// Progress on stderr: a bar that redraws itself on a terminal, one plain line per page otherwise.
class ProgressReport {
public:
    ProgressReport() : terminal_(stderrIsTerminal()), start_(Clock::now()) {}
    void page(int page, int count)
    {
        if (terminal_)
            std::fprintf(stderr, "\r%s", qPrintable(progressBar(page, count, Clock::now() - start_)));
        else
            std::fprintf(stderr, "printing page %d of %d\n", page, count);
        std::fflush(stderr);
    }
    void stopped(const QString &why)
    {
        std::fprintf(stderr, "%splakatron-cli: %s\n", terminal_ ? "\r\033[K" : "", qPrintable(why));
        std::fflush(stderr);
    }
    void map()
    {
        if (!terminal_) {
            std::fprintf(stderr, "printing the assembly map\n");
            std::fflush(stderr);
        }
    }
    void done(int count, bool withMap = false)
    {
        const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        const QString what = count == 0 ? QStringLiteral("the assembly map")
                             : QStringLiteral("%1 page%2%3")
                                   .arg(count)
                                   .arg(count == 1 ? "" : "s")
                                   .arg(withMap ? QStringLiteral(" and the assembly map") : QString());
        std::fprintf(stderr, "%sprinted %s in %.2f s\n", terminal_ ? "\r\033[K" : "", qPrintable(what), seconds);
    }

private:
    bool terminal_;
    Clock::time_point start_;
};

void listPrinters()
{
    for (const QString &name : installedPrinterNames())
        std::printf("%s\n", qPrintable(name));
}

// Every page, --page N or --pages A-B, refused unless all of it is on the poster and within what a
// job can number (the window's rule, printRangeWithin).
PrintRange requestedRange(const QCommandLineParser &parser, const Poster &poster)
{
    const int pages = poster.pageCount();
    int first = 1, last = pages;
    if (parser.isSet(QStringLiteral("page")) && parser.isSet(QStringLiteral("pages")))
        throw CliExit(2, QStringLiteral("give either --page or --pages, not both"));
    if (parser.isSet(QStringLiteral("page"))) {
        first = last = integerOption(parser, QStringLiteral("page"), 1, LastNumberedPage);
        checkPage(poster, first);
    } else if (parser.isSet(QStringLiteral("pages"))) {
        if (!parsePageRange(parser.value(QStringLiteral("pages")), first, last))
            throw CliExit(2, QStringLiteral("invalid value '%1' for --pages: give A-B with 1 <= A <= B").arg(parser.value(QStringLiteral("pages"))));
        if (last > pages)
            throw CliExit(2, QStringLiteral("--pages %1: page range beyond the poster's pages (it has pages 1 to %2)")
                                 .arg(parser.value(QStringLiteral("pages")))
                                 .arg(pages));
    }
    const PrintRange range = printRangeWithin(first, last, pages);
    if (range.first == first && range.last == last)
        return range;
    // Pages off the poster are refused above: what is left is beyond what a job can number.
    if (parser.isSet(QStringLiteral("pages")))
        throw CliExit(2, QStringLiteral("--pages %1 goes beyond page %2, the last a print job can number")
                             .arg(parser.value(QStringLiteral("pages")))
                             .arg(LastNumberedPage));
    throw CliExit(2, QStringLiteral("the poster has %1 pages, more than a print job can number (%2): print part "
                                    "of it with --pages, or use fewer sheets or a lower resolution")
                         .arg(pages)
                         .arg(LastNumberedPage));
}

// The A4 sheets the tool prints on: a PDF file (-o), or an installed printer (--printer).
void setUpPrinter(QPrinter &printer, const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("output"))) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(parser.value(QStringLiteral("output")));
    } else {
        const QString name = parser.value(QStringLiteral("printer"));
        if (!installedPrinterNames().contains(name))
            throw CliExit(2, QStringLiteral("no installed printer is named '%1' (see --list-printers)").arg(name));
        printer.setPrinterName(name);
    }
    printer.setPageSize(QPageSize(QPageSize::A4));
}

// One print job of the tool on the sheets the options name. A stop signal ends it between pages;
// the job then removes its half-written file before the signal ends the tool (the guard is built
// before the job, so it outlives it).
struct ToolJob {
    explicit ToolJob(const QCommandLineParser &parser) : toFile(parser.isSet(QStringLiteral("output")))
    {
        setUpPrinter(printer, parser);
    }
    // Prints the pages of `range` of `poster` (and `map` first when given) and turns the job's
    // failures into the tool's one-line errors.
    void run(const Poster &poster, PrintRange range, AssemblyMap *map = nullptr)
    {
        PosterJob job;
        job.poster = &poster;
        job.range = range;
        job.map = map;
        job.cancellation = &stop;
        job.progress = [&](std::int16_t page, std::int16_t count) {
            if (page == range.first && map)
                progress.map();
            progress.page(page - range.first + 1, count);
        };
        // A script wants to know: a page that gave a warning ends the job.
        job.warnings = [](std::int16_t page, const QStringList &warnings) { throw renderingFailed(page, warnings.first()); };
        try {
            printPoster(printer, job);
        } catch (const WriteError &e) {
            throw cannotWrite(e);
        } catch (const RuntimeError &e) {
            // The signal ends the tool as this function returns; what to say is said now.
            if (e.number() == err::UserInterrupt && stop.signal() != 0)
                progress.stopped(QStringLiteral("stopped by %1; %2")
                                     .arg(stopSignalName(stop.signal()),
                                          toFile ? QStringLiteral("the PDF file was not written") : QStringLiteral("nothing was printed")));
            throw CliExit(1, QStringLiteral("printing failed: %1 (Code %2)").arg(e.description()).arg(e.number()));
        }
    }

    const bool toFile;
    QPrinter printer{QPrinter::HighResolution};
    Cancellation stop;
    const CancelOnStopSignals stopSignals{stop};
    ProgressReport progress;
};

}  // namespace

QString progressBar(int page, int count, std::chrono::duration<double> elapsed, int width)
{
    const int done = page - 1;
    const int filled = count > 0 ? done * width / count : 0;
    QString line = u'[' + QString(filled, u'#') + QString(width - filled, u'-') + u']'
                   + QStringLiteral(" page %1 of %2, %3 s elapsed").arg(page).arg(count).arg(elapsed.count(), 0, 'f', 1);
    if (done > 0)
        line += QStringLiteral(", about %1 s left").arg(elapsed.count() / done * (count - done), 0, 'f', 1);
    return line;
}

bool parsePageRange(const QString &text, int &first, int &last)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^(\\d+)-(\\d+)$")).match(text);
    if (!m.hasMatch())
        return false;
    // Numbers beyond any page (or beyond int) count as the largest.
    const auto page = [](const QString &digits) {
        bool ok = false;
        const qlonglong n = digits.toLongLong(&ok);
        return ok && n <= std::numeric_limits<int>::max() ? int(n) : std::numeric_limits<int>::max();
    };
    first = page(m.captured(1));
    last = page(m.captured(2));
    return first >= 1 && first <= last;
}

int runPrint(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The PDF file to write (A4 sheets)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("printer"), QStringLiteral("Print on this installed printer instead of a file."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("list-printers"), QStringLiteral("List the installed printers and stop.")});
    parser.addOption({QStringLiteral("page"), QStringLiteral("Print only this page."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("pages"), QStringLiteral("Print only these pages, e.g. 3-5."), QStringLiteral("A-B")});
    parser.addOption({QStringLiteral("with-map"),
                      QStringLiteral("Print the assembly map first, on a sheet of its own (see 'map --help').")});
    if (!parseVerb(parser, arguments, QStringLiteral("print"),
                   QStringLiteral("Prints the poster, one sheet per page, as the window's Print button does.")))
        return 0;
    if (parser.isSet(QStringLiteral("list-printers"))) {
        listPrinters();
        return 0;
    }
    const bool toFile = parser.isSet(QStringLiteral("output"));
    if (toFile == parser.isSet(QStringLiteral("printer")))
        throw CliExit(2, QStringLiteral("print needs either -o FILE.pdf or --printer NAME"));

    const Poster poster = posterOf(posterOptions(parser));
    const PrintRange range = requestedRange(parser, poster);
    const bool withMap = parser.isSet(QStringLiteral("with-map"));

    ToolJob tool(parser);
    std::optional<AssemblyMap> map;
    if (withMap)
        map.emplace(assemblyMapOf(poster));
    tool.run(poster, range, map ? &*map : nullptr);
    tool.progress.done(printPageCount(range), withMap);
    return 0;
}

int runMap(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("The file to write: FILE.pdf (one A4 sheet) or FILE.png (the A4 sheet at 300 dpi)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("printer"), QStringLiteral("Print the map on this installed printer instead of a file."),
                      QStringLiteral("name")});
    if (!parseVerb(parser, arguments, QStringLiteral("map"),
                   QStringLiteral("Writes the assembly map: one A4 sheet with the whole poster, the page grid with every "
                                  "page's number, and a line with the poster's size, sheets, pages and overlap.")))
        return 0;
    const bool toFile = parser.isSet(QStringLiteral("output"));
    if (toFile == parser.isSet(QStringLiteral("printer")))
        throw CliExit(2, QStringLiteral("map needs either -o FILE.pdf, -o FILE.png or --printer NAME"));
    const QString output = parser.value(QStringLiteral("output"));
    const QString kind = QFileInfo(output).suffix().toLower();
    if (toFile && kind != QLatin1String("pdf") && kind != QLatin1String("png"))
        throw CliExit(2, QStringLiteral("map writes a PDF or a PNG file: '%1' ends in neither .pdf nor .png").arg(output));

    const Poster poster = posterOf(posterOptions(parser));
    AssemblyMap map = assemblyMapOf(poster);
    if (kind == QLatin1String("png")) {
        // The sheet as the PDF file has it: A4, the map in the same printable area.
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        const QPageLayout sheet = pdf.pageLayout();
        // A stop signal leaves the old file as it was; the guard outlives the file.
        Cancellation stop;
        const CancelOnStopSignals stopSignals(stop);
        const std::unique_ptr<OutputFile> png = imageFileFor(output);
        QImage image;
        try {
            image = map.sheetImage(sheet);
        } catch (const RuntimeError &e) {
            throw CliExit(1, QStringLiteral("the assembly map cannot be drawn: %1 (Code %2)").arg(e.description()).arg(e.number()));
        }
        if (stop.signal() != 0) {
            std::fprintf(stderr, "plakatron-cli: stopped by %s; the PNG file was not written\n",
                         qPrintable(stopSignalName(stop.signal())));
            return 1;
        }
        // A sheet of 9 megapixels full of fine lines and numbers takes zlib most of a second at
        // its usual level; a lighter one takes less than half of that for a somewhat larger file.
        commitImageFile(image, *png, 70);
        return 0;
    }

    ToolJob tool(parser);
    tool.run(poster, {1, 0}, &map);
    tool.progress.done(0);
    return 0;
}

}  // namespace plakatron::cli
