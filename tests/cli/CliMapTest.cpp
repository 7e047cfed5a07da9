// plakatron-cli map and print --with-map: the real binary writing the assembly map as a PDF file
// (its sheet rendered by pdftoppm, its text extracted by pdftotext) and as a PNG picture.
#include "support/CliRunner.h"
#include "support/PdfTools.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace plakatron::test;

namespace {

constexpr double A4Proportion = 1.414;
const QRgb PictureColour = qRgb(40, 120, 200);

// A picture of one colour, so that the map's lines and the picture's edges can be told apart.
QString writePicture(const QTemporaryDir &dir, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(PictureColour);
    const QString path = dir.filePath(QStringLiteral("picture-%1x%2.bmp").arg(size.width()).arg(size.height()));
    EXPECT_TRUE(picture.save(path, "BMP"));
    return path;
}

bool isInk(QRgb p) { return std::max({qRed(p), qGreen(p), qBlue(p)}) < 128; }
bool isPicture(QRgb p)
{
    return std::abs(qRed(p) - qRed(PictureColour)) < 24 && std::abs(qGreen(p) - qGreen(PictureColour)) < 24
           && std::abs(qBlue(p) - qBlue(PictureColour)) < 24;
}

// The middles of the runs of ink along a row (vertical) or a column (horizontal) of `image`.
std::vector<double> inkRuns(const QImage &image, int fixed, bool alongRow)
{
    std::vector<double> middles;
    const int length = alongRow ? image.width() : image.height();
    int start = -1;
    for (int i = 0; i <= length; ++i) {
        const bool ink = i < length && isInk(alongRow ? image.pixel(i, fixed) : image.pixel(fixed, i));
        if (ink && start < 0)
            start = i;
        if (!ink && start >= 0) {
            middles.push_back((start + i - 1) / 2.0);
            start = -1;
        }
    }
    return middles;
}

// The page grid of a map sheet rendered at `dpi`, whose printable area starts at `origin`.
struct FoundGrid {
    std::vector<double> columns;  // x of each vertical line, the outline's first and last
    std::vector<double> rows;
    double width() const { return columns.back() - columns.front(); }
    double height() const { return rows.back() - rows.front(); }
};

// Lines just inside the grid's top and left edges, above and beside every number.
FoundGrid findGrid(const QImage &sheet, QPointF origin, int columns, int rows, double dpi)
{
    const int inside = qRound(dpi / 60);  // past the outline's own ink
    FoundGrid grid;
    grid.columns = inkRuns(sheet, qRound(origin.y()) + inside, true);
    grid.rows = inkRuns(sheet, qRound(origin.x()) + inside, false);
    // The column scan also meets the caption below the grid.
    if (grid.rows.size() > size_t(rows + 1))
        grid.rows.resize(rows + 1);
    EXPECT_EQ(grid.columns.size(), size_t(columns + 1));
    EXPECT_EQ(grid.rows.size(), size_t(rows + 1));
    if (grid.columns.size() != size_t(columns + 1) || grid.rows.size() != size_t(rows + 1))
        grid.columns.assign(columns + 1, 0), grid.rows.assign(rows + 1, 0);
    return grid;
}

struct MapPoster {
    const char *name;
    QSize picture;
    int sheets;
    int columns, rows;
    const char *caption;
};
// One page, the default poster's six, forty sheets across and a panorama of the proportions of
// 60000 x 1500 (the layout depends on the proportions alone). The captions follow the window's
// size labels.
const MapPoster Posters[] = {
    {"one page", {880, 560}, 1, 1, 1, "Poster 19.9cm × 12.6cm: 1 × 1 sheet, 1 page, overlap 3 %"},
    {"default", {880, 560}, 3, 3, 2, "Poster 59.8cm × 38cm: 3 × 2 sheets, 6 pages, overlap 3 %"},
    {"40 across", {880, 560}, 40, 40, 18, "Poster 7m  98cm × 5m  7.9cm: 40 × 18 sheets, 720 pages, overlap 3 %"},
    {"panorama", {6000, 150}, 3, 3, 1, "Poster 59.8cm × 1.4cm: 3 × 1 sheets, 3 pages, overlap 3 %"},
};

// Where the map must lie on a sheet rendered at `dpi`: the grid at the printable area's top left
// (Qt's PDF sheets keep 10 points all round), as large as fits above the caption, every line
// where the cells divide it evenly, and the picture in the poster's proportions from its top.
void expectMapOnSheet(const QImage &sheet, double dpi, const MapPoster &poster)
{
    const double margin = 10 * dpi / 72;
    const QSizeF printable = QSizeF(210, 297) / 25.4 * dpi - QSizeF(2 * margin, 2 * margin);
    const FoundGrid grid = findGrid(sheet, QPointF(margin, margin), poster.columns, poster.rows, dpi);
    EXPECT_NEAR(grid.columns.front(), margin, 1);
    EXPECT_NEAR(grid.rows.front(), margin, 1);
    // Never distorted: cells in A4 proportion.
    EXPECT_NEAR(grid.height(), grid.width() / poster.columns * A4Proportion * poster.rows, 1.5);
    // As large as fits: the full printable width, or the height down to the caption line.
    const double captionLine = 9 * 1.2 * dpi / 72;
    if (std::abs(grid.width() - printable.width()) > 1.5) {
        EXPECT_LT(grid.width(), printable.width());
        EXPECT_GT(grid.rows.back(), margin + printable.height() - 2 * captionLine);
    }
    EXPECT_LT(grid.rows.back(), margin + printable.height() - captionLine);
    for (int i = 0; i <= poster.columns; ++i)
        EXPECT_NEAR(grid.columns[i], grid.columns.front() + i * grid.width() / poster.columns, 1) << "column line " << i;
    for (int j = 0; j <= poster.rows; ++j)
        EXPECT_NEAR(grid.rows[j], grid.rows.front() + j * grid.height() / poster.rows, 1) << "row line " << j;

    // The picture keeps its proportions: as wide as the grid, as high as that makes it, white
    // below. Looked for left of the numbers, away from the lines.
    const int x = qRound(grid.columns.front() + 0.08 * grid.width() / poster.columns);
    int lastPictureRow = -1;
    for (int y = qRound(grid.rows.front()); y < qRound(grid.rows.back()); ++y)
        if (isPicture(sheet.pixel(x, y)))
            lastPictureRow = y;
    // A sliver of picture below the last row (under a hundredth of a sheet) is on no page and left
    // off; the grid's outline has a white edge, 0.75 points wide, inside.
    const double outlineEdge = 0.75 * dpi / 72;
    const double expected = std::min(grid.width() * poster.picture.height() / poster.picture.width(),
                                     grid.height() - outlineEdge);
    EXPECT_NEAR(lastPictureRow + 1 - grid.rows.front(), expected, 2);
    // Nothing of the picture right of the grid or below it.
    EXPECT_FALSE(isPicture(sheet.pixel(qRound(grid.columns.back()) + 3, qRound(grid.rows.front()) + 3)));
}

}  // namespace

TEST(CliMap, APdfSheetWithTheGridTheNumbersAndTheCaption)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("map.pdf"));
    for (const MapPoster &poster : Posters) {
        SCOPED_TRACE(poster.name);
        QFile::remove(pdf);
        const CliRun run = runCli(words("map -o %1", pdf) + QStringList{QStringLiteral("--picture"), writePicture(dir, poster.picture),
                                                                      QStringLiteral("--sheets"), QString::number(poster.sheets)});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(pdfPageCount(pdf), 1);
        EXPECT_EQ(pdfPageSize(pdf).toSize(), QSize(595, 842));  // A4 in points

        // Every page's number and the caption are text on the sheet.
        const QString text = pdfText(pdf);
        const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        const int pages = poster.columns * poster.rows;
        for (int page = 1; page <= pages; ++page)
            EXPECT_TRUE(words.contains(QString::number(page))) << "page " << page;
        EXPECT_TRUE(text.simplified().contains(QString::fromUtf8(poster.caption).simplified())) << text.toStdString();

        expectMapOnSheet(renderPdfPage(pdf, 1, 200), 200, poster);
    }
}

TEST(CliMap, APngPictureOfTheSameSheet)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("map.png"));
    for (const MapPoster &poster : {Posters[1], Posters[2]}) {
        SCOPED_TRACE(poster.name);
        const CliRun run = runCli(words("map -o %1", png) + QStringList{QStringLiteral("--picture"), writePicture(dir, poster.picture),
                                                                      QStringLiteral("--sheets"), QString::number(poster.sheets)});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage sheet(png);
        // A4 at 300 dots per inch, and it says so.
        EXPECT_EQ(sheet.size(), QSize(2480, 3508));
        EXPECT_EQ(sheet.dotsPerMeterX(), 11811);
        expectMapOnSheet(sheet.convertToFormat(QImage::Format_RGB32), 300, poster);
    }
}

TEST(CliMap, BadRequestsWriteNothing)
{
    QTemporaryDir dir;
    const struct { const char *arguments; int exitCode; const char *says; } rows[] = {
        {"map", 2, "map needs either -o FILE.pdf, -o FILE.png or --printer NAME"},
        {"map -o %1/map.jpg", 2, "ends in neither .pdf nor .png"},
        {"map -o %1/map.pdf --printer Office", 2, "map needs either"},
        {"map -o %1/map.pdf --sheets 41", 2, "invalid value '41' for --sheets"},
        {"map -o %1/map.pdf --printer-of-nothing", 2, "Unknown option"},
        {"map -o %1/missing/map.pdf", 1, "cannot write"},
        {"map -o %1/missing/map.png", 1, "cannot write"},
        {"map -o %1/map.png --picture %1/none.jpg", 1, "Unable to load picture"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments);
        const CliRun run = runCli(words(r.arguments, dir.path()));
        EXPECT_EQ(run.exitCode, r.exitCode);
        EXPECT_TRUE(run.err.contains(r.says)) << run.err.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }
    const CliRun help = runCli(words("map --help"));
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("assembly map")) << help.out.toStdString();
}

TEST(CliMap, PrintWithMapPutsTheMapFirst)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    const struct { const char *options; int pages; } rows[] = {{"", 6}, {"--pages 2-4", 3}, {"--page 5", 1}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.options);
        const CliRun run = runCli(words("print --with-map -o %1", pdf) + words(r.options));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        ASSERT_EQ(pdfPageCount(pdf), r.pages + 1);
        // The map: the whole poster's numbers and its caption; then one page picture per sheet.
        const QString map = pdfText(pdf, 1);
        EXPECT_TRUE(map.contains(QStringLiteral("6 pages, overlap 3 %"))) << map.toStdString();
        for (int page = 2; page <= r.pages + 1; ++page)
            EXPECT_TRUE(pdfText(pdf, page).trimmed().isEmpty()) << "sheet " << page;
        const std::vector<PdfImage> images = pdfImages(pdf);
        ASSERT_EQ(int(images.size()), r.pages + 1);
        EXPECT_EQ(images[0].page, 1);
        EXPECT_NEAR(images[0].xPpi, 300, 1) << "the map's picture";
        for (size_t i = 1; i < images.size(); ++i)
            EXPECT_EQ(std::tuple(images[i].page, images[i].width, images[i].height), std::tuple(int(i) + 1, 820, 1151));
        EXPECT_TRUE(run.err.startsWith("printing the assembly map\n")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(" and the assembly map in ")) << run.err.toStdString();
    }
}
