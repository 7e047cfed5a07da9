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

const char *const usage =
    "Usage: plakatron-cli <verb> [options]\n"
    "\n"
    "Verbs:\n"
    "  layout   print the poster layout of a picture as JSON\n"
    "  page     write one finished page (margins and hints included) as a PNG file\n"
    "  print    print the poster, one A4 sheet per page, to a PDF file or a printer\n"
    "  map      write the assembly map (the poster on one A4 sheet, its pages numbered) as PDF or PNG\n"
    "\n"
    "Run 'plakatron-cli <verb> --help' for the options of a verb; --version prints the version.\n";

int runLayout(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parseVerb(parser, arguments, QStringLiteral("layout"), QStringLiteral("Prints the poster layout of a picture as JSON.")))
        return 0;
    const Poster poster = posterOf(posterOptions(parser));
    const LayoutLabels &l = poster.labels;
    const QJsonObject labels{
        {QStringLiteral("lbA4Height"), l.lbA4Height},
        {QStringLiteral("lbFinalImageWidth"), l.lbFinalImageWidth},
        {QStringLiteral("lbFinalImageHeight"), l.lbFinalImageHeight},
        {QStringLiteral("lbTotalPages"), l.lbTotalPages},
    };
    const PosterSettings &s = poster.settings;
    const PageGrid &g = poster.grid;
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
    if (!parseVerb(parser, arguments, QStringLiteral("page"),
                   QStringLiteral("Writes one finished page, as the print job prints it, as a PNG file.")))
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
        if (arguments.size() < 2 || arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h")) {
            std::fputs(usage, arguments.size() < 2 ? stderr : stdout);
            return arguments.size() < 2 ? 2 : 0;
        }
        if (arguments[1] == QLatin1String("--version")) {
            std::printf("%s\n", qPrintable(versionText()));
            return 0;
        }
        const QString verb = arguments.takeAt(1);
        if (verb == QLatin1String("layout"))
            return runLayout(arguments);
        if (verb == QLatin1String("page"))
            return runPage(arguments);
        if (verb == QLatin1String("print"))
            return runPrint(arguments);
        if (verb == QLatin1String("map"))
            return runMap(arguments);
        throw CliExit(2, QStringLiteral("unknown verb '%1' (try --help)").arg(verb));
    } catch (const CliExit &e) {
        std::fprintf(stderr, "plakatron-cli: %s\n", e.what());
        return e.code;
    }
}
