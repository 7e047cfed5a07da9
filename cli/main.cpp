// plakatron-cli: the poster layout (and, as the tool grows, pages and print jobs) without a window.
#include "cli/CliOptions.h"
#include "core/ProgramWide.h"

#include <QCoreApplication>
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
    "\n"
    "Run 'plakatron-cli <verb> --help' for the options of a verb; --version prints the version.\n";

int runLayout(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prints the poster layout of a picture as JSON."));
    parser.addHelpOption();
    addPosterOptions(parser);
    if (!parser.parse(arguments))
        throw CliExit(2, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("[options]"), QStringLiteral("layout [options]"))),
                   stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        throw CliExit(2, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    const PosterLayout l = computePosterLayout(posterOptions(parser));
    const QJsonObject labels{
        {QStringLiteral("lbA4Height"), l.labels.lbA4Height},
        {QStringLiteral("lbFinalImageWidth"), l.labels.lbFinalImageWidth},
        {QStringLiteral("lbFinalImageHeight"), l.labels.lbFinalImageHeight},
        {QStringLiteral("lbTotalPages"), l.labels.lbTotalPages},
    };
    const QJsonObject json{
        {QStringLiteral("sourceWidth"), l.grid.SourceWidth},
        {QStringLiteral("sourceHeight"), l.grid.SourceHeight},
        {QStringLiteral("sheetsAcross"), l.settings.SheetsAcross},
        {QStringLiteral("pagePixelWidth"), l.settings.PagePixelWidth},
        {QStringLiteral("pagePixelHeight"), l.settings.PagePixelHeight},
        {QStringLiteral("posterPixelWidth"), l.grid.PosterPixelWidth},
        {QStringLiteral("posterPixelHeight"), l.grid.PosterPixelHeight},
        {QStringLiteral("sheetsDown"), l.grid.SheetsDown},
        {QStringLiteral("gridColumns"), l.grid.GridColumns},
        {QStringLiteral("gridRows"), l.grid.GridRows},
        {QStringLiteral("pageCount"), l.grid.pageCount()},
        {QStringLiteral("labels"), labels},
    };
    std::fputs(QJsonDocument(json).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plakatron-cli"));
    QCoreApplication::setApplicationVersion(versionText());
    QStringList arguments = QCoreApplication::arguments();
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
        throw CliExit(2, QStringLiteral("unknown verb '%1' (try --help)").arg(verb));
    } catch (const CliExit &e) {
        std::fprintf(stderr, "plakatron-cli: %s\n", e.what());
        return e.code;
    }
}
