// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-cli: the poster layout, single pages and (as the tool grows) whole print jobs, with
// the window's own code and without a display.
#include "cli/CliOptions.h"
#include "cli/PrintCommand.h"
#include "core/FileSystem.h"
#include "core/ProgramWide.h"
#include "core/StopSignals.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

using namespace plakatron;
using namespace plakatron::cli;

namespace {

// The tool's own help; its "Verbs:" rows are the verbs the manual page describes and the shell
// completes.
QString usage()
{
    return QStringLiteral("Usage: plakatron-cli <verb> [options]\n"
                          "Prints one picture as a large poster tiled over sheets of paper, without a window.\n\n")
           + helpTable(QStringLiteral("Verbs:"),
                       {{QStringLiteral("layout"), QStringLiteral("print the poster layout of a picture as JSON")},
                        {QStringLiteral("page"),
                         QStringLiteral("write one finished page (margins and hints included) as a PNG file")},
                        {QStringLiteral("print"),
                         QStringLiteral("print the poster, one sheet per page, to a PDF file or a printer")},
                        {QStringLiteral("map"), QStringLiteral("write the assembly map (the poster on one sheet, its "
                                                               "pages numbered) as PDF or PNG")},
                        {QStringLiteral("calibrate"), QStringLiteral("print the calibration sheet, or store a printer's "
                                                                     "calibration from the lengths measured on it")},
                        {QStringLiteral("help"), QStringLiteral("show this help, or with a verb the verb's help")}})
           + u'\n'
           + helpTable(QStringLiteral("Options:"), {{QStringLiteral("-h, --help"), QStringLiteral("show this help and end")},
                                                    {QStringLiteral("--version"), QStringLiteral("show the version and end")}})
           + QStringLiteral("\nRun 'plakatron-cli help VERB' (or 'plakatron-cli VERB --help') for a verb's options,\n"
                            "what it writes where, and its exit codes: 0 done, 1 failed, 2 a wrong request.\n");
}

// Each verb, run with its arguments (the program's name first).
int runVerb(const QString &verb, const QStringList &arguments);

int runLayout(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("printer"),
                      QStringLiteral("Lay out for this installed printer's printable area and calibration (default: a PDF file's)."),
                      QStringLiteral("name")});
    const VerbHelp help{
        QStringLiteral("layout"),
        QStringLiteral("Prints the poster layout of a picture as JSON."),
        {{QStringLiteral("standard output"),
          QStringLiteral("the layout as JSON: the picture's size, the sheets, the page grid, the page count, the "
                         "window's four labels as the window shows them (the height in sheets with the locale's "
                         "decimal separator), and the paper, the size the poster prints at in millimetres and the "
                         "page's pixels and printed pixels per inch in numbers, and the pages that hold nothing of "
                         "the picture and are not printed")},
         {QStringLiteral("standard error"), QStringLiteral("one line saying why, when the tool ends with 1 or 2")}},
        {{QStringLiteral("0"), QStringLiteral("the layout was written")},
         {QStringLiteral("1"), QStringLiteral("the picture cannot be loaded, or no page grid can be computed for it")},
         {QStringLiteral("2"), QStringLiteral("a wrong option or value, an unknown paper or printer, or a size that "
                                              "cannot be laid out")}}};
    if (!parseVerb(parser, arguments, help))
        return 0;
    PosterOptions options = posterOptions(parser);
    if (parser.isSet(QStringLiteral("printer")))
        options.choices.sheet = printerSheet(parser.value(QStringLiteral("printer")), options.choices.sheet.paper);
    const Poster poster = posterOf(options);
    const LayoutLabels &l = poster.labels;
    const QJsonObject labels{
        {QStringLiteral("lbA4Height"), l.lbA4Height},
        {QStringLiteral("lbFinalImageWidth"), l.lbFinalImageWidth},
        {QStringLiteral("lbFinalImageHeight"), l.lbFinalImageHeight},
        {QStringLiteral("lbTotalPages"), l.lbTotalPages},
        {QStringLiteral("lbResolution"), l.lbResolution},
    };
    const PosterSettings &s = poster.settings;
    const PageGrid &g = poster.grid;
    const PageCut cut = pageCut(s, g);
    const QJsonObject json{
        {QStringLiteral("sourceWidth"), g.SourceWidth},
        {QStringLiteral("sourceHeight"), g.SourceHeight},
        {QStringLiteral("sheetsAcross"), s.SheetsAcross},
        {QStringLiteral("pagePixelWidth"), s.PagePixelWidth},
        {QStringLiteral("pagePixelHeight"), s.PagePixelHeight},
        {QStringLiteral("posterPixelWidth"), g.PosterPixelWidth},
        {QStringLiteral("posterPixelHeight"), g.PosterPixelHeight},
        {QStringLiteral("sheetsDown"), g.SheetsDown},
        {QStringLiteral("gridColumns"), g.GridColumns},
        {QStringLiteral("gridRows"), g.GridRows},
        {QStringLiteral("pageCount"), g.pageCount()},
        {QStringLiteral("labels"), labels},
        // The same in numbers, whatever the locale: the paper, the grid, the size on paper.
        {QStringLiteral("paper"), paperSizeName(s.Sheet.paper.size)},
        {QStringLiteral("orientation"), s.Sheet.paper.orientation == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                                                                : QStringLiteral("portrait")},
        {QStringLiteral("widthMillimetres"), g.Printed.width},
        {QStringLiteral("heightMillimetres"), g.Printed.height},
        {QStringLiteral("pageWidthPixels"), g.Printed.page.width()},
        {QStringLiteral("pageHeightPixels"), g.Printed.page.height()},
        {QStringLiteral("printedPixelsPerInch"), g.Printed.pagePixelsPerInch},
        {QStringLiteral("pagesWithoutPicture"), g.pageCount() - cut.columns * cut.rows},
        // The picture's own pixels to an inch of the poster (those of the page where it is a
        // vector picture, drawn at the page's resolution), and whether that blows it up.
        {QStringLiteral("picturePixelsPerInch"),
         poster.picture.isVector() ? g.Printed.pagePixelsPerInch : g.Printed.picturePixelsPerInch},
        {QStringLiteral("blownUp"), blownUp(g.Printed, poster.picture.isVector())},
        {QStringLiteral("autoResolution"), s.AutoResolution},
    };
    std::fputs(QJsonDocument(json).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}

int runPage(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("page"), QStringLiteral("The page to write (1 is the top left page)."),
                      QStringLiteral("n")});
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The PNG file to write."),
                      QStringLiteral("file")});
    const VerbHelp help{
        QStringLiteral("page"),
        QStringLiteral("Writes one finished page, as the print job prints it, as a PNG file."),
        {{QStringLiteral("-o FILE"), QStringLiteral("the page as a PNG file, written under a temporary name beside FILE "
                                                    "and renamed over it only when whole")},
         {QStringLiteral("standard error"), QStringLiteral("one line saying why, when the tool ends with another code "
                                                           "than 0")}},
        {{QStringLiteral("0"), QStringLiteral("the page was written")},
         {QStringLiteral("1"), QStringLiteral("the picture cannot be loaded, the page cannot be rendered or the file "
                                              "cannot be written: an old FILE stays as it was")},
         {QStringLiteral("2"), QStringLiteral("a wrong option or value, or a page that is not on the poster: nothing "
                                              "was written")},
         stopSignalExit()}};
    if (!parseVerb(parser, arguments, help))
        return 0;
    if (!parser.isSet(QStringLiteral("page")) || !parser.isSet(QStringLiteral("output")))
        throw CliExit(2, QStringLiteral("page needs --page N and -o FILE.png"));
    const int page = integerOption(parser, QStringLiteral("page"), 1, 32767);
    const Poster poster = posterOf(posterOptions(parser));
    checkPage(poster, page);
    // A stop signal leaves the old file as it was: the new one is dropped before the signal ends
    // the tool. The guard outlives the file.
    Cancellation stop;
    const CancelOnStopSignals stopSignals(stop);
    const std::unique_ptr<OutputFile> png = imageFileFor(parser.value(QStringLiteral("output")));
    PageRenderer renderer(poster);
    const QImage &canvas = renderPage(renderer, page);
    if (stop.signal() != 0) {
        std::fprintf(stderr, "plakatron-cli: stopped by %s; the PNG file was not written\n",
                     qPrintable(stopSignalName(stop.signal())));
        return 1;
    }
    commitImageFile(canvas, *png);
    return 0;
}

int runVerb(const QString &verb, const QStringList &arguments)
{
    if (verb == QLatin1String("layout"))
        return runLayout(arguments);
    if (verb == QLatin1String("page"))
        return runPage(arguments);
    if (verb == QLatin1String("print"))
        return runPrint(arguments);
    if (verb == QLatin1String("map"))
        return runMap(arguments);
    if (verb == QLatin1String("calibrate"))
        return runCalibrate(arguments);
    throw CliExit(2, QStringLiteral("unknown verb '%1' (try --help)").arg(verb));
}

// Errors reach the user as one line each; Qt's own notes (a missing runtime folder, the offscreen
// platform's limits) would only clutter stderr, so only its critical messages pass, and of those
// not the runtime folder's, which the tool never uses (a read-only /tmp is no failure of a run).
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if ((type == QtCriticalMsg && !message.startsWith(QLatin1String("QStandardPaths:"))) || type == QtFatalMsg)
        std::fprintf(stderr, "plakatron-cli: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietQtMessages);
    // Pages are drawn with fonts, which need a GUI application, but never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plakatron-cli"));
    QCoreApplication::setApplicationVersion(versionText());
    // Names as the system has them, whatever their bytes (QCoreApplication::arguments() would
    // change bytes that are not UTF-8); Qt has taken its own options out of argv by now.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << platform::nameFromNative(argv[i]);
    try {
        if (arguments.size() < 2) {
            std::fputs(qPrintable(usage()), stderr);
            return 2;
        }
        const QString verb = arguments.takeAt(1);
        if (verb == QLatin1String("--help") || verb == QLatin1String("-h")
            || (verb == QLatin1String("help") && arguments.size() == 1)) {
            std::fputs(qPrintable(usage()), stdout);
            return 0;
        }
        if (verb == QLatin1String("--version")) {
            std::printf("%s\n", qPrintable(versionText()));
            return 0;
        }
        // "help VERB" is "VERB --help": one text.
        if (verb == QLatin1String("help")) {
            if (arguments.size() > 2)
                throw CliExit(2, QStringLiteral("help takes one verb, not %1").arg(arguments.size() - 1));
            return runVerb(arguments[1], {arguments[0], QStringLiteral("--help")});
        }
        return runVerb(verb, arguments);
    } catch (const CliExit &e) {
        std::fprintf(stderr, "plakatron-cli: %s\n", e.what());
        return e.code;
    }
}
