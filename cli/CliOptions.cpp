// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "app/BuiltInPicture.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "input/PictureTypes.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <cstdio>

namespace plakatron::cli {

namespace {
CliExit cannotLoad(const QString &path, const RuntimeError &e)
{
    return CliExit(1, QStringLiteral("Unable to load picture '%1': %2 (Code %3)").arg(path, e.description()).arg(e.number()));
}

Picture loadPosterPicture(const PosterOptions &options)
{
    if (options.picture.isEmpty()) {
        if (options.pdfPage != 1)
            throw CliExit(2, QStringLiteral("--pdf-page needs a PDF picture (--picture FILE.pdf)"));
        return builtInPicture();
    }
    try {
        // The pages and the map are drawn at their own size: no overview for a screen.
        return loadPicture(options.picture, {}, PictureRequest{options.pdfPage, false, options.rowsMayArrive});
    } catch (const RuntimeError &e) {
        if (e.number() == err::SubscriptOutOfRange)
            throw CliExit(2, QStringLiteral("--pdf-page %1: %2").arg(options.pdfPage).arg(e.description()));
        throw cannotLoad(options.picture, e);
    }
}
}  // namespace

void addPaperOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("paper"),
                      QStringLiteral("The paper: A4, A3, A5, Letter, Legal or Tabloid (default A4)."), QStringLiteral("paper")});
    parser.addOption({QStringLiteral("landscape"), QStringLiteral("The paper lies across (default: portrait).")});
}

Paper paperOption(const QCommandLineParser &parser)
{
    Paper paper;
    if (parser.isSet(QStringLiteral("paper"))) {
        const std::optional<Paper> named = parsePaper(parser.value(QStringLiteral("paper")));
        if (!named)
            throw CliExit(2, QStringLiteral("unknown paper '%1': the papers are A4, A3, A5, Letter, Legal and Tabloid")
                                 .arg(parser.value(QStringLiteral("paper"))));
        paper = *named;
    }
    if (parser.isSet(QStringLiteral("landscape")))
        paper.orientation = QPageLayout::Landscape;
    return paper;
}

QString helpTable(const QString &heading, const HelpRows &rows)
{
    qsizetype termWidth = 0;
    for (const auto &row : rows)
        termWidth = std::max(termWidth, row.first.size());
    const qsizetype column = 2 + termWidth + 2;
    QString table = heading + u'\n';
    for (const auto &[term, description] : rows) {
        QString line = QStringLiteral("  ") + term.leftJustified(termWidth + 2);
        for (const QString &word : description.split(u' ', Qt::SkipEmptyParts)) {
            if (line.size() > column && line.size() + 1 + word.size() > 79) {
                table += line + u'\n';
                line = QString(column, u' ');
            } else if (line.size() > column) {
                line += u' ';
            }
            line += word;
        }
        table += line + u'\n';
    }
    return table;
}

namespace {
// The options of the poster: its picture, its size in sheets or on paper, its pages and its paper.
void addPosterOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("picture"),
                      QStringLiteral("Picture file: %1 (default: the built-in picture). A PDF or SVG picture is drawn "
                                     "anew at every page's resolution.")
                          .arg(pictureFormatNames()),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("pdf-page"),
                      QStringLiteral("The page of a PDF picture to make the poster of, 1-10000 (default 1)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("sheets"), QStringLiteral("Poster width in sheets, 1-40 (default 3)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("resolution"),
                      QStringLiteral("Pixels across one printed sheet: 10, 20, ... 100, 200, ... 1400, 1600, ... up to "
                                     "300 ppi of the paper (A4: 2480), or auto: as many as the picture has for a sheet, "
                                     "800 to 300 ppi (default 800)."),
                      QStringLiteral("px")});
    parser.addOption({QStringLiteral("overlap"), QStringLiteral("Overlap between sheets in percent, 0-50 (default 3)."),
                      QStringLiteral("percent")});
    addPaperOptions(parser);
    parser.addOption({QStringLiteral("width"),
                      QStringLiteral("The poster's width on paper, e.g. 150cm, 1.5m or 60in, in place of --sheets."),
                      QStringLiteral("length")});
    parser.addOption({QStringLiteral("height"),
                      QStringLiteral("The poster's height on paper, e.g. 40in, in place of --sheets."), QStringLiteral("length")});
}
}  // namespace

bool parseVerb(QCommandLineParser &parser, const QStringList &arguments, const VerbHelp &help, VerbTakes takes)
{
    parser.setApplicationDescription(help.description);
    // Not Qt's help option: its --help-all (Qt's own options) means nothing to this tool.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and end.")});
    if (takes == VerbTakes::Poster)
        addPosterOptions(parser);
    else
        addPaperOptions(parser);
    if (!parser.parse(arguments))
        throw CliExit(2, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        // Qt's first line names the program as it was started; the help names it as a user types it.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: plakatron-cli %1 [options]").arg(help.verb));
        text += u'\n' + helpTable(QStringLiteral("Writes:"), help.writes) + u'\n'
                + helpTable(QStringLiteral("Exit codes:"), help.exitCodes);
        std::fputs(qPrintable(text), stdout);
        return false;
    }
    if (!parser.positionalArguments().isEmpty())
        throw CliExit(2, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    // Output is written whole or not at all, which standard output cannot promise.
    const QStringList given = parser.optionNames();
    if ((given.contains(QStringLiteral("o")) || given.contains(QStringLiteral("output")))
        && parser.value(QStringLiteral("output")) == QLatin1String("-"))
        throw CliExit(2, QStringLiteral("-o - (standard output) is not written to: a failed or stopped run must leave "
                                        "nothing half written; give a file name (-o ./- for a file named '-')"));
    return true;
}

HelpRows::value_type stopSignalExit()
{
    return {QStringLiteral("129, 130, 143"),
            QStringLiteral("ended by SIGHUP, SIGINT or SIGTERM (Ctrl+C), as a shell reports it: the old file stays as "
                           "it was and no printer gets a job")};
}

int integerOption(const QCommandLineParser &parser, const QString &name, int min, int max)
{
    bool ok = false;
    const int v = parser.value(name).toInt(&ok);
    if (!ok || v < min || v > max)
        throw CliExit(2, QStringLiteral("invalid value '%1' for --%2: allowed are %3 to %4")
                             .arg(parser.value(name), name)
                             .arg(min)
                             .arg(max));
    return v;
}

QString resolutionRangeText(const Paper &paper)
{
    // The fine steps in short, the rest of the list as it is.
    QStringList steps{QStringLiteral("10, 20, ... 100, 200, ... 1400")};
    const QStringList entries = resolutionEntries(paper);
    for (qsizetype i = 24; i + 1 < entries.size(); ++i)
        steps << entries[i];
    if (steps.size() > 1)
        steps.last() += QStringLiteral(" (%1 ppi)").arg(MostPixelsPerInch);
    return steps.join(QStringLiteral(", ")) + QStringLiteral(" or auto");
}

PosterOptions posterOptions(const QCommandLineParser &parser)
{
    PosterOptions o;
    o.picture = parser.value(QStringLiteral("picture"));
    if (parser.isSet(QStringLiteral("pdf-page")))
        o.pdfPage = integerOption(parser, QStringLiteral("pdf-page"), 1, int(PictureLimits::maxPdfPages));
    if (parser.isSet(QStringLiteral("sheets")))
        o.choices.sheetsAcross = integerOption(parser, QStringLiteral("sheets"), 1, 40);
    o.choices.sheet = pdfSheet(paperOption(parser));
    if (parser.isSet(QStringLiteral("resolution"))) {
        // The list of the window for the paper chosen: up to its 300 ppi, and "auto".
        const QString value = parser.value(QStringLiteral("resolution"));
        const Paper &paper = o.choices.sheet.paper;
        bool ok = false;
        const int resolution = value.toInt(&ok);
        if (value.compare(autoResolutionEntry(), Qt::CaseInsensitive) == 0)
            o.choices.autoResolution = true;
        else if (ok && resolutionIndexOf(resolution, paper) >= 0)
            o.choices.pagePixelWidth = resolution;
        else
            throw CliExit(2, QStringLiteral("invalid value '%1' for --resolution: allowed on %2 are %3")
                                 .arg(value, paperText(paper), resolutionRangeText(paper)));
    }
    if (parser.isSet(QStringLiteral("overlap")))
        o.choices.overlap = static_cast<std::int16_t>(integerOption(parser, QStringLiteral("overlap"), 0, 50));
    const int asked = int(parser.isSet(QStringLiteral("sheets"))) + int(parser.isSet(QStringLiteral("width")))
                      + int(parser.isSet(QStringLiteral("height")));
    if (asked > 1)
        throw CliExit(2, QStringLiteral("give one of --sheets, --width and --height"));
    for (const auto side : {PosterSize::Side::Width, PosterSize::Side::Height}) {
        const QString name = side == PosterSize::Side::Width ? QStringLiteral("width") : QStringLiteral("height");
        if (!parser.isSet(name))
            continue;
        const QString value = parser.value(name);
        const std::optional<double> length = parseLength(value);
        if (!length)
            throw CliExit(2, QStringLiteral("invalid value '%1' for --%2: give a number and a unit (mm, cm, m or in), "
                                            "such as 150cm")
                                 .arg(value, name));
        o.choices.size = {side, *length, value.simplified().remove(u' ').toLower()};
    }
    return o;
}

Poster posterOf(const PosterOptions &options)
{
    Picture picture = loadPosterPicture(options);
    // A size asked for that cannot be laid out is the caller's mistake, as an unknown option is.
    if (const QString problem = choicesProblem(QSizeF(picture.size()), options.choices); !problem.isEmpty())
        throw CliExit(2, problem);
    try {
        return makePoster(std::move(picture), options.choices);
    } catch (const RuntimeError &e) {
        throw CliExit(1, QStringLiteral("the page grid cannot be computed for this picture: %1 (error %2)")
                             .arg(e.description())
                             .arg(e.number()));
    }
}

void checkPictureArrived(const Poster &poster, const PosterOptions &options)
{
    try {
        static_cast<void>(poster.picture.raster());
    } catch (const RuntimeError &e) {
        throw cannotLoad(options.picture, e);
    }
}

void checkPage(const Poster &poster, int page)
{
    if (page < 1 || page > poster.pageCount())
        throw CliExit(2, QStringLiteral("page %1 is not on the poster: it has pages 1 to %2").arg(page).arg(poster.pageCount()));
}

const QImage &renderPage(PageRenderer &renderer, int page)
{
    // The window reports a failed step and goes on; a script wants to know.
    const PageResult result = renderer.RenderPage(static_cast<std::int16_t>(page));
    if (!result.warnings.isEmpty())
        throw renderingFailed(page, result.warnings.first());
    return renderer.pageCanvas();
}

AssemblyMap assemblyMapOf(const Poster &poster)
{
    try {
        return AssemblyMap(poster);
    } catch (const RuntimeError &e) {
        throw CliExit(1, QStringLiteral("the assembly map cannot be drawn: %1 (Code %2)").arg(e.description()).arg(e.number()));
    }
}

CliExit renderingFailed(int page, const QString &warning)
{
    return CliExit(1, QStringLiteral("page %1 cannot be rendered: %2")
                          .arg(page)
                          .arg(QString(warning).replace(QStringLiteral("\r\n"), QStringLiteral(": "))));
}

CliExit cannotWrite(const WriteError &error)
{
    return CliExit(1, QStringLiteral("cannot write '%1': %2").arg(error.path(), error.reason()));
}

std::unique_ptr<OutputFile> imageFileFor(const QString &path)
{
    try {
        return std::make_unique<OutputFile>(path);
    } catch (const WriteError &e) {
        throw cannotWrite(e);
    }
}

void commitImageFile(const QImage &image, OutputFile &file, int quality)
{
    // A page's PNG is a few megabytes at most; made in memory, its bytes reach the file through
    // writes that are each checked.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImageWriter writer(&png, "png");
    writer.setQuality(quality);
    if (!writer.write(image))
        throw CliExit(1, QStringLiteral("cannot write '%1': %2").arg(file.path(), writer.errorString()));
    try {
        file.write(png.data());
        file.commit();
    } catch (const WriteError &e) {
        throw cannotWrite(e);
    }
}

}  // namespace plakatron::cli
