#include "cli/CliOptions.h"

#include "core/MessageBox.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QBuffer>
#include <QImageWriter>
#include <cstdio>

namespace plakatron::cli {

namespace {
QImage loadPosterPicture(const PosterOptions &options)
{
    if (options.picture.isEmpty())
        return QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32);
    try {
        return loadPicture(options.picture);
    } catch (const RuntimeError &e) {
        throw CliExit(1, QStringLiteral("Unable to load picture '%1': %2 (Code %3)")
                             .arg(options.picture, e.description())
                             .arg(e.number()));
    }
}

// Message boxes become the tool's error: the window reports and goes on, a script wants to know.
// Each rendering thread collects its own first message here.
thread_local QString *renderFailure = nullptr;

MsgAnswer collectRenderFailure(const MessageRequest &request)
{
    if (renderFailure && renderFailure->isEmpty())
        *renderFailure = QString(request.text).replace(QStringLiteral("\r\n"), QStringLiteral(": "));
    return MsgAnswer::Ok;
}
}  // namespace

bool parseVerb(QCommandLineParser &parser, const QStringList &arguments, const QString &verb,
               const QString &description)
{
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addOption({QStringLiteral("picture"), QStringLiteral("Picture file (default: the built-in picture)."),
                      QStringLiteral("file")});
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
    if (parser.isSet(QStringLiteral("sheets")))
        o.sheets = integerOption(parser, QStringLiteral("sheets"), 1, 40);
    if (parser.isSet(QStringLiteral("resolution"))) {
        bool ok = false;
        o.resolution = parser.value(QStringLiteral("resolution")).toInt(&ok);
        if (!ok || resolutionIndexOf(o.resolution) < 0)
            throw CliExit(2, QStringLiteral("invalid value '%1' for --resolution: allowed are 10, 20, ... 100, 200, ... 1400")
                                 .arg(parser.value(QStringLiteral("resolution"))));
    }
    if (parser.isSet(QStringLiteral("overlap")))
        o.overlap = integerOption(parser, QStringLiteral("overlap"), 0, 50);
    return o;
}

CliPoster::CliPoster(const PosterOptions &options) : picture_(loadPosterPicture(options))
{
    previousMessages_ = installMessageHandler(collectRenderFailure);
    programWide().HorizontalOverlap = programWide().VerticalOverlap = static_cast<std::int16_t>(options.overlap);
    settings_.PagePixelWidth = options.resolution;
    settings_.PagePixelHeight = options.resolution * A4Proportion;
    ListIndexSurface surface(options.sheets - 1);
    try {
        RunLayoutPass(QSizeF(picture_.size()), programWide().HorizontalOverlap, settings_, grid_, labels_, surface);
    } catch (const RuntimeError &e) {
        throw CliExit(1, QStringLiteral("the page grid cannot be computed for this picture: %1 (error %2)")
                             .arg(e.description())
                             .arg(e.number()));
    }
}

CliPoster::~CliPoster() { installMessageHandler(previousMessages_); }

void CliPoster::checkPage(int page) const
{
    if (page < 1 || page > grid_.pageCount())
        throw CliExit(2, QStringLiteral("page %1 is not on the poster: it has pages 1 to %2").arg(page).arg(grid_.pageCount()));
}

const QImage &CliPoster::renderPage(int page, int renderer)
{
    QString failure;
    renderFailure = &failure;
    renderers_[renderer].RenderPage(static_cast<std::int16_t>(page), false);
    renderFailure = nullptr;
    if (!failure.isEmpty())
        throw renderingFailed(page, failure);
    return renderers_[renderer].pageCanvas();
}

AssemblyMap CliPoster::assemblyMap() const
{
    return AssemblyMap(picture_, settings_, grid_, labels_, programWide().HorizontalOverlap);
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
