#include "cli/CliOptions.h"

#include "app/BuiltInPicture.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QBuffer>
#include <QImageWriter>
#include <cstdio>

namespace plakatron::cli {

namespace {
Picture loadPosterPicture(const PosterOptions &options)
{
    if (options.picture.isEmpty()) {
        if (options.pdfPage != 1)
            throw CliExit(2, QStringLiteral("--pdf-page needs a PDF picture (--picture FILE.pdf)"));
        return builtInPicture();
    }
    try {
        // The pages and the map are drawn at their own size: no overview for a screen.
        return loadPicture(options.picture, {}, PictureRequest{options.pdfPage, false});
    } catch (const RuntimeError &e) {
        if (e.number() == err::SubscriptOutOfRange)
            throw CliExit(2, QStringLiteral("--pdf-page %1: %2").arg(options.pdfPage).arg(e.description()));
        throw CliExit(1, QStringLiteral("Unable to load picture '%1': %2 (Code %3)")
                             .arg(options.picture, e.description())
                             .arg(e.number()));
    }
}
}  // namespace

bool parseVerb(QCommandLineParser &parser, const QStringList &arguments, const QString &verb,
               const QString &description)
{
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addOption({QStringLiteral("picture"), QStringLiteral("Picture file (default: the built-in picture)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("pdf-page"), QStringLiteral("The page of a PDF picture to print (default 1)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("sheets"), QStringLiteral("Poster width in A4 sheets, 1-40 (default 3)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("resolution"),
                      QStringLiteral("Pixels across one printed sheet: 10, 20, ... 100, 200, ... 1400 (default 800)."),
                      QStringLiteral("px")});
    parser.addOption({QStringLiteral("overlap"), QStringLiteral("Overlap between sheets in percent, 0-50 (default 3)."),
                      QStringLiteral("percent")});
    if (!parser.parse(arguments))
        throw CliExit(2, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("[options]"), verb + QStringLiteral(" [options]"))),
                   stdout);
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

PosterOptions posterOptions(const QCommandLineParser &parser)
{
    PosterOptions o;
    o.picture = parser.value(QStringLiteral("picture"));
    if (parser.isSet(QStringLiteral("pdf-page")))
        o.pdfPage = integerOption(parser, QStringLiteral("pdf-page"), 1, int(PictureLimits::maxPdfPages));
    if (parser.isSet(QStringLiteral("sheets")))
        o.choices.sheetsAcross = integerOption(parser, QStringLiteral("sheets"), 1, 40);
    if (parser.isSet(QStringLiteral("resolution"))) {
        bool ok = false;
        const int resolution = parser.value(QStringLiteral("resolution")).toInt(&ok);
        if (!ok || resolutionIndexOf(resolution) < 0)
            throw CliExit(2, QStringLiteral("invalid value '%1' for --resolution: allowed are 10, 20, ... 100, 200, ... 1400")
                                 .arg(parser.value(QStringLiteral("resolution"))));
        o.choices.pagePixelWidth = resolution;
    }
    if (parser.isSet(QStringLiteral("overlap")))
        o.choices.overlap = static_cast<std::int16_t>(integerOption(parser, QStringLiteral("overlap"), 0, 50));
    return o;
}

Poster posterOf(const PosterOptions &options)
{
    try {
        return makePoster(loadPosterPicture(options), options.choices);
    } catch (const RuntimeError &e) {
        throw CliExit(1, QStringLiteral("the page grid cannot be computed for this picture: %1 (error %2)")
                             .arg(e.description())
                             .arg(e.number()));
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
