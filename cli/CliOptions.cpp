#include "cli/CliOptions.h"

#include "core/RuntimeError.h"

#include <QImageReader>

namespace plakatron::cli {

namespace {
int integerOption(const QCommandLineParser &parser, const QString &name, int fallback, int min, int max,
                  const QString &allowed)
{
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const int v = parser.value(name).toInt(&ok);
    if (!ok || v < min || v > max)
        throw CliExit(2, QStringLiteral("invalid value '%1' for --%2: allowed are %3")
                             .arg(parser.value(name), name, allowed));
    return v;
}

// The command-line tool has no list box; it keeps the sheets-across index in this surface.
class ListIndexSurface final : public LayoutSurface {
public:
    explicit ListIndexSurface(int index) : index_(index) {}
    int sheetsListIndex() const override { return index_; }
    void setSheetsListIndex(int index) override { index_ = index; }

private:
    int index_;
};
}  // namespace

void addPosterOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("picture"), QStringLiteral("Picture file (default: the built-in picture)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("sheets"), QStringLiteral("Poster width in A4 sheets, 1-40 (default 3)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("resolution"),
                      QStringLiteral("Pixels across one printed sheet: 10, 20, ... 100, 200, ... 1400 (default 800)."),
                      QStringLiteral("px")});
    parser.addOption({QStringLiteral("overlap"), QStringLiteral("Overlap between sheets in percent, 0-50 (default 3)."),
                      QStringLiteral("percent")});
}

PosterOptions posterOptions(const QCommandLineParser &parser)
{
    PosterOptions o;
    o.picture = parser.value(QStringLiteral("picture"));
    o.sheets = integerOption(parser, QStringLiteral("sheets"), o.sheets, 1, 40, QStringLiteral("1 to 40"));
    o.resolution = integerOption(parser, QStringLiteral("resolution"), o.resolution, 10, 1400,
                                 QStringLiteral("10, 20, ... 100, 200, ... 1400"));
    if (resolutionIndexOf(o.resolution) < 0)
        throw CliExit(2, QStringLiteral("invalid value '%1' for --resolution: allowed are 10, 20, ... 100, 200, ... 1400")
                             .arg(o.resolution));
    o.overlap = integerOption(parser, QStringLiteral("overlap"), o.overlap, 0, 50, QStringLiteral("0 to 50"));
    return o;
}

QImage loadPosterPicture(const PosterOptions &options)
{
    const QString path = options.picture.isEmpty() ? QStringLiteral(":/plakatron/default.jpg") : options.picture;
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw CliExit(1, QStringLiteral("Unable to load picture '%1': %2").arg(options.picture, reader.errorString()));
    return image.convertToFormat(QImage::Format_RGB32);
}

PosterLayout computePosterLayout(const PosterOptions &options)
{
    PosterLayout l;
    l.picture = loadPosterPicture(options);
    l.settings.PagePixelWidth = options.resolution;
    l.settings.PagePixelHeight = options.resolution * A4Proportion;
    ListIndexSurface surface(options.sheets - 1);
    try {
        RunLayoutPass(QSizeF(l.picture.size()), static_cast<std::int16_t>(options.overlap), l.settings, l.grid, l.labels,
                      surface);
    } catch (const RuntimeError &e) {
        throw CliExit(1, QStringLiteral("the page grid cannot be computed for this picture: %1 (error %2)")
                             .arg(e.description())
                             .arg(e.number()));
    }
    return l;
}

}  // namespace plakatron::cli
