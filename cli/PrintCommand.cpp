// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PrintCommand.h"

#include "cli/CliOptions.h"
#include "cli/Terminal.h"
#include "core/OutputFile.h"
#include "core/RuntimeError.h"
#include "core/StopSignals.h"
#include "printing/CalibrationSheet.h"
#include "printing/PrintJob.h"
#include "printing/PrinterSheet.h"
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

// The list is what a script reads, so an empty one is a list all the same (exit 0); the person
// at the terminal learns why it is empty.
void listPrinters()
{
    const QStringList names = installedPrinterNames();
    for (const QString &name : names)
        std::printf("%s\n", qPrintable(name));
    if (names.isEmpty())
        std::fputs("plakatron-cli: no printer found (none is installed, or the printing system is not running)\n", stderr);
}

// Both -o and --printer, or neither: one line that says which.
void requireOneDestination(const QCommandLineParser &parser, const QString &verb, const QString &files)
{
    const bool toFile = parser.isSet(QStringLiteral("output"));
    if (toFile && parser.isSet(QStringLiteral("printer")))
        throw CliExit(2, QStringLiteral("%1 got both -o and --printer: give one of them").arg(verb));
    if (!toFile && !parser.isSet(QStringLiteral("printer")))
        throw CliExit(2, QStringLiteral("%1 needs either %2 or --printer NAME").arg(verb, files));
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

// The installed printer `name`, or CliExit 2.
void usePrinter(QPrinter &printer, const QString &name)
{
    if (!installedPrinterNames().contains(name))
        throw CliExit(2, QStringLiteral("no installed printer is named '%1' (see --list-printers)").arg(name));
    printer.setPrinterName(name);
}

// The sheets the tool prints on: a PDF file (-o), or an installed printer (--printer), of the
// paper chosen.
void setUpPrinter(QPrinter &printer, const QCommandLineParser &parser, const Paper &paper)
{
    if (parser.isSet(QStringLiteral("output"))) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(parser.value(QStringLiteral("output")));
    } else {
        usePrinter(printer, parser.value(QStringLiteral("printer")));
    }
    setPaper(printer, paper);
}

// One print job of the tool on the sheets the options name. A stop signal ends it between pages;
// the job then removes its half-written file before the signal ends the tool (the guard is built
// before the job, so it outlives it). A poster to a PDF file is written without a printer, so the
// print server is never asked (a printer object asks it for its default printer as it is made).
struct ToolJob {
    ToolJob(const QCommandLineParser &parser, const Paper &paper)
        : toFile(parser.isSet(QStringLiteral("output"))), parser_(parser), paper_(paper)
    {
        if (!toFile)
            sheetPrinter();
    }
    // The printer of the job's sheets: the installed one, or one writing the PDF file (made when
    // first asked for).
    QPrinter &sheetPrinter()
    {
        if (!printer_) {
            printer_.emplace(QPrinter::HighResolution);
            setUpPrinter(*printer_, parser_, paper_);
        }
        return *printer_;
    }
    // The poster of the options on this job's sheets: their printable area, and the calibration
    // stored for the printer.
    Poster poster(PosterOptions options)
    {
        const Paper paper = options.choices.sheet.paper;
        options.choices.sheet = toFile ? pdfFileSheet(paper) : sheetOf(sheetPrinter(), paper);
        return posterOf(options);
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
        // Pages are counted as they start; a picture whose rows are still arriving may yet fail,
        // and then its error is all that is said: the count waits until the picture is there.
        int started = 0, said = 0;
        std::int16_t pages = 0;
        const auto say = [&] {
            for (; said < started; ++said) {
                if (said == 0 && map)
                    progress.map();
                progress.page(said + 1, pages);
            }
        };
        job.progress = [&](std::int16_t, std::int16_t count) {
            ++started;
            pages = count;
            if (poster.picture.complete())
                say();
        };
        // A script wants to know: a page that gave a warning ends the job.
        job.warnings = [](std::int16_t page, const QStringList &warnings) { throw renderingFailed(page, warnings.first()); };
        try {
            if (toFile)
                printPoster(PdfFileOutput{parser_.value(QStringLiteral("output")), paper_}, job);
            else
                printPoster(sheetPrinter(), job);
            say();
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
    Cancellation stop;
    const CancelOnStopSignals stopSignals{stop};
    ProgressReport progress;

private:
    const QCommandLineParser &parser_;
    const Paper paper_;
    std::optional<QPrinter> printer_;
};

}  // namespace

PrintSheet printerSheet(const QString &name, const Paper &paper)
{
    QPrinter printer(QPrinter::HighResolution);
    usePrinter(printer, name);
    setPaper(printer, paper);
    return sheetOf(printer, paper);
}

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
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The PDF file to write."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("printer"), QStringLiteral("Print on this installed printer instead of a file."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("list-printers"), QStringLiteral("List the installed printers and stop.")});
    parser.addOption({QStringLiteral("page"), QStringLiteral("Print only this page."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("pages"), QStringLiteral("Print only these pages, e.g. 3-5."), QStringLiteral("A-B")});
    parser.addOption({QStringLiteral("with-map"),
                      QStringLiteral("Print the assembly map first, on a sheet of its own (see 'map --help').")});
    const VerbHelp help{
        QStringLiteral("print"),
        QStringLiteral("Prints the poster, one sheet per page, as the window's Print button does."),
        {{QStringLiteral("-o FILE"), QStringLiteral("the PDF file, one page of the paper chosen per sheet, written under a "
                                                    "temporary name beside FILE and renamed over it only when whole")},
         {QStringLiteral("--printer NAME"), QStringLiteral("one print job, one sheet per page, on that printer, at the "
                                                           "printer's calibration")},
         {QStringLiteral("standard output"),
          QStringLiteral("with --list-printers: the installed printers' names, one per line (none, and a line on "
                         "standard error, when there is no printer)")},
         {QStringLiteral("standard error"),
          QStringLiteral("progress (a bar on a terminal, one line per page otherwise) and the time taken, then how "
                         "many pages hold nothing of the picture and are not printed (cells are cut whole, so the "
                         "last columns or rows can be left without any of it), or one line saying why the tool ends "
                         "with another code than 0")}},
        {{QStringLiteral("0"), QStringLiteral("every page asked for that holds something of the picture was printed; "
                                              "--list-printers: the list was written, even an empty one")},
         {QStringLiteral("1"), QStringLiteral("the picture cannot be loaded, a page cannot be rendered, the file cannot "
                                              "be written or printing failed: an old FILE stays as it was")},
         {QStringLiteral("2"), QStringLiteral("a wrong option or value, both or neither of -o and --printer, an unknown "
                                              "paper, a size that cannot be laid out, or pages that are not on the "
                                              "poster or hold nothing of the picture: nothing was printed")},
         stopSignalExit()}};
    if (!parseVerb(parser, arguments, help))
        return 0;
    if (parser.isSet(QStringLiteral("list-printers"))) {
        listPrinters();
        return 0;
    }
    requireOneDestination(parser, QStringLiteral("print"), QStringLiteral("-o FILE.pdf"));

    PosterOptions options = posterOptions(parser);
    const bool withMap = parser.isSet(QStringLiteral("with-map"));
    // The first pages are made while the picture is still being decoded (the map needs all of it).
    options.rowsMayArrive = !withMap;
    ToolJob tool(parser, options.choices.sheet.paper);
    const Poster poster = tool.poster(options);
    // Whatever ends the command once the picture's rows are arriving, a picture that failed is
    // reported as if it had been loaded whole first; a stop signal ends it at once.
    try {
        const PrintRange range = requestedRange(parser, poster);
        const JobPages pages = posterJobPages(poster, range);
        if (pages.count() == 0)
            throw CliExit(2, (range.first == range.last ? QStringLiteral("page %1 holds").arg(range.first)
                                                        : QStringLiteral("pages %1 to %2 hold").arg(range.first).arg(range.last))
                                 + QStringLiteral(" nothing of the picture: nothing was printed"));

        std::optional<AssemblyMap> map;
        if (withMap)
            map.emplace(assemblyMapOf(poster));
        tool.run(poster, range, map ? &*map : nullptr);
        tool.progress.done(pages.count(), withMap);
        if (pages.leftOut() > 0)
            std::fprintf(stderr, "%s\n", qPrintable(leftOutText(pages.leftOut())));
    } catch (...) {
        if (tool.stop.signal() == 0)
            checkPictureArrived(poster, options);
        throw;
    }
    return 0;
}

int runMap(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("The file to write: FILE.pdf (one sheet) or FILE.png (the sheet at 300 dpi)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("printer"), QStringLiteral("Print the map on this installed printer instead of a file."),
                      QStringLiteral("name")});
    const VerbHelp help{
        QStringLiteral("map"),
        QStringLiteral("Writes the assembly map: one sheet with the whole poster, the page grid with every "
                       "page's number, and a line with the poster's size, sheets, pages and overlap."),
        {{QStringLiteral("-o FILE"), QStringLiteral("FILE.pdf: the sheet as a one-page PDF file; FILE.png: the sheet as "
                                                    "a picture at 300 dpi; written under a temporary name beside FILE "
                                                    "and renamed over it only when whole")},
         {QStringLiteral("--printer NAME"), QStringLiteral("one print job of one sheet on that printer")},
         {QStringLiteral("standard error"),
          QStringLiteral("the time a PDF file or a print job took, or one line saying why the tool ends with another "
                         "code than 0")}},
        {{QStringLiteral("0"), QStringLiteral("the map was written or printed")},
         {QStringLiteral("1"), QStringLiteral("the picture cannot be loaded, the map cannot be drawn, the file cannot be "
                                              "written or printing failed: an old FILE stays as it was")},
         {QStringLiteral("2"), QStringLiteral("a wrong option or value, both or neither of -o and --printer, or a file "
                                              "name ending in neither .pdf nor .png: nothing was written")},
         stopSignalExit()}};
    if (!parseVerb(parser, arguments, help))
        return 0;
    requireOneDestination(parser, QStringLiteral("map"), QStringLiteral("-o FILE.pdf, -o FILE.png"));
    const bool toFile = parser.isSet(QStringLiteral("output"));
    const QString output = parser.value(QStringLiteral("output"));
    const QString kind = QFileInfo(output).suffix().toLower();
    if (toFile && kind != QLatin1String("pdf") && kind != QLatin1String("png"))
        throw CliExit(2, QStringLiteral("map writes a PDF or a PNG file: '%1' ends in neither .pdf nor .png").arg(output));

    const PosterOptions options = posterOptions(parser);
    if (kind == QLatin1String("png")) {
        const Poster poster = posterOf(options);
        AssemblyMap map = assemblyMapOf(poster);
        // The sheet as the PDF file has it: the paper chosen, the map in the same printable area.
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        setPaper(pdf, options.choices.sheet.paper);
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

    ToolJob tool(parser, options.choices.sheet.paper);
    const Poster poster = tool.poster(options);
    AssemblyMap map = assemblyMapOf(poster);
    tool.run(poster, {1, 0}, &map);
    tool.progress.done(0);
    return 0;
}

int runCalibrate(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The PDF file to write."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("printer"), QStringLiteral("Print on this installed printer."), QStringLiteral("name")});
    parser.addOption({QStringLiteral("measured"),
                      QStringLiteral("The lengths measured on the sheet printed by --printer, in millimetres: across,down. "
                                     "Stores the printer's calibration and prints nothing."),
                      QStringLiteral("across,down")});
    const VerbHelp help{
        QStringLiteral("calibrate"),
        QStringLiteral("Prints the calibration sheet: a ruler across and a ruler down, as long as the paper allows. "
                       "Measure them and give the lengths with --measured: the printer's calibration is stored, and "
                       "the window and the tool then print on it at true size."),
        {{QStringLiteral("-o FILE"), QStringLiteral("the sheet as a one-page PDF file, written under a temporary name "
                                                    "beside FILE and renamed over it only when whole")},
         {QStringLiteral("--printer NAME"), QStringLiteral("one print job of the sheet on that printer; with --measured "
                                                           "nothing, the calibration stored in the settings instead")},
         {QStringLiteral("standard output"),
          QStringLiteral("the rulers' lengths as printed (\"rulers: across 180 mm, down 270 mm\"), or the calibration "
                         "stored")},
         {QStringLiteral("standard error"), QStringLiteral("one line saying why, when the tool ends with another code "
                                                           "than 0")}},
        {{QStringLiteral("0"), QStringLiteral("the sheet was printed, or the calibration stored")},
         {QStringLiteral("1"), QStringLiteral("the sheet has no room for the rulers, the file cannot be written or "
                                              "printing failed: an old FILE stays as it was")},
         {QStringLiteral("2"), QStringLiteral("a wrong option or value, both or neither of -o and --printer, --measured "
                                              "with -o, or lengths that give no calibration (0, or a ruler longer than "
                                              "1.25 or shorter than 0.8 times its length): nothing is stored")},
         stopSignalExit()}};
    if (!parseVerb(parser, arguments, help, VerbTakes::Paper))
        return 0;
    requireOneDestination(parser, QStringLiteral("calibrate"), QStringLiteral("-o FILE.pdf"));
    const bool toFile = parser.isSet(QStringLiteral("output"));
    if (toFile && parser.isSet(QStringLiteral("measured")))
        throw CliExit(2, QStringLiteral("a PDF file prints at its exact size: --measured goes with --printer"));

    const Paper paper = paperOption(parser);
    ToolJob tool(parser, paper);
    CalibrationRulers rulers;
    try {
        rulers = calibrationRulers(toFile ? pdfFileSheet(paper).printable : printableArea(tool.sheetPrinter()));
    } catch (const RuntimeError &e) {
        throw CliExit(1, e.description());
    }
    if (parser.isSet(QStringLiteral("measured"))) {
        const QStringList lengths = parser.value(QStringLiteral("measured")).split(u',');
        const std::optional<double> across = lengths.size() == 2 ? parseMillimetres(lengths[0]) : std::nullopt;
        const std::optional<double> down = lengths.size() == 2 ? parseMillimetres(lengths[1]) : std::nullopt;
        if (!across || !down)
            throw CliExit(2, QStringLiteral("invalid value '%1' for --measured: give the two lengths in millimetres, "
                                            "across,down, such as %2,%3")
                                 .arg(parser.value(QStringLiteral("measured")))
                                 .arg(rulers.across)
                                 .arg(rulers.down));
        const MeasuredCalibration c = calibrationFromMeasured(*across, *down, rulers);
        if (!c.problem.isEmpty())
            throw CliExit(2, c.problem);
        storeCalibration(tool.sheetPrinter().printerName(), c.calibration);
        std::printf("calibration of %s: across %.4f, down %.4f\n", qPrintable(tool.sheetPrinter().printerName()), c.calibration.x,
                    c.calibration.y);
        return 0;
    }
    try {
        if (toFile)
            printCalibrationSheet(PdfFileOutput{parser.value(QStringLiteral("output")), paper}, &tool.stop);
        else
            printCalibrationSheet(tool.sheetPrinter(), &tool.stop);
    } catch (const WriteError &e) {
        throw cannotWrite(e);
    } catch (const RuntimeError &e) {
        throw CliExit(1, QStringLiteral("printing failed: %1 (Code %2)").arg(e.description()).arg(e.number()));
    }
    std::printf("rulers: across %g mm, down %g mm\n", rulers.across, rulers.down);
    return 0;
}

}  // namespace plakatron::cli
