// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-cli map: the real binary writing the assembly map as a PDF file (its sheet rendered by
// pdftoppm, its text extracted by pdftotext) and as a PNG picture.
#include "support/CliRunner.h"
#include "support/PdfTools.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron::test;

namespace {

constexpr double A4Proportion = 1.414;

bool isInk(QRgb p) { return std::max({qRed(p), qGreen(p), qBlue(p)}) < 128; }
// Near PictureColour, qRgb(40, 120, 200), in every channel.
bool isPicture(QRgb p) { return std::abs(qRed(p) - 40) < 24 && std::abs(qGreen(p) - 120) < 24 && std::abs(qBlue(p) - 200) < 24; }

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
    {"one page", {880, 560}, 1, 1, 1, "Poster 19.2cm × 12.3cm: 1 × 1 sheet, 1 page, overlap 3 %"},
    {"default", {880, 560}, 3, 3, 2, "Poster 57.6cm × 37cm: 3 × 2 sheets, 6 pages, overlap 3 %"},
    {"40 across", {880, 560}, 40, 40, 18, "Poster 7m  56.3cm × 4m  73.9cm: 40 × 18 sheets, 720 pages, overlap 3 %"},
    {"panorama", {6000, 150}, 3, 3, 1, "Poster 57.6cm × 1.4cm: 3 × 1 sheets, 3 pages, overlap 3 %"},
};

// Where the map must lie on a sheet rendered at `dpi`: the grid at the printable area's top left
// (Qt's PDF sheets keep 10 points all round), as large as fits above the caption, every line
// where the cells divide it evenly, and the picture in the poster's proportions from its top.
void expectMapOnSheet(const QImage &sheet, double dpi, const MapPoster &poster)
{
    const double margin = 10 * dpi / 72;
    const QSizeF printable = QSizeF(210, 297) / 25.4 * dpi - QSizeF(2 * margin, 2 * margin);
    // The lines met just inside the grid's top and left edges (past the outline's own ink), above
    // and beside every number; the scan down also meets the caption below the grid.
    const int inside = qRound(margin + dpi / 60);
    const std::vector<double> columns = inkRuns(sheet, inside, true);
    std::vector<double> rows = inkRuns(sheet, inside, false);
    rows.resize(std::min(rows.size(), std::size_t(poster.rows + 1)));
    ASSERT_EQ(std::pair(columns.size(), rows.size()), std::pair(std::size_t(poster.columns + 1), std::size_t(poster.rows + 1)));
    const double width = columns.back() - columns.front(), height = rows.back() - rows.front();
    EXPECT_NEAR(columns.front(), margin, 1);
    EXPECT_NEAR(rows.front(), margin, 1);
    // Never distorted: cells in A4 proportion.
    EXPECT_NEAR(height, width / poster.columns * A4Proportion * poster.rows, 1.5);
    // As large as fits: the full printable width, or the height down to the caption line.
    const double captionLine = 9 * 1.2 * dpi / 72;
    if (std::abs(width - printable.width()) > 1.5) {
        EXPECT_LT(width, printable.width());
        EXPECT_GT(rows.back(), margin + printable.height() - 2 * captionLine);
    }
    EXPECT_LT(rows.back(), margin + printable.height() - captionLine);
    for (int i = 0; i <= poster.columns; ++i)
        EXPECT_NEAR(columns[i], columns.front() + i * width / poster.columns, 1) << "column line " << i;
    for (int j = 0; j <= poster.rows; ++j)
        EXPECT_NEAR(rows[j], rows.front() + j * height / poster.rows, 1) << "row line " << j;

    // The picture as the pages are cut from it: its rows from the second on, a cell's height of
    // whole picture rows to a row of pages (the sheets down rounded up), white below. Looked for
    // left of the numbers, away from the lines.
    const int x = qRound(columns.front() + 0.08 * width / poster.columns);
    int lastPictureRow = -1;
    for (int y = qRound(rows.front()); y < qRound(rows.back()); ++y)
        if (isPicture(sheet.pixel(x, y)))
            lastPictureRow = y;
    const double sheetsDown = poster.sheets * double(poster.picture.height()) / poster.picture.width() / A4Proportion;
    const double cellHeight = std::floor(poster.picture.height() / sheetsDown + 0.99);
    // A sliver of picture below the last row (under a hundredth of a sheet) is on no page and left
    // off; the grid's outline has a white edge, 0.75 points wide, inside.
    const double outlineEdge = 0.75 * dpi / 72;
    const double expected = std::min(height / poster.rows * (poster.picture.height() - 1) / cellHeight, height - outlineEdge);
    const double shown = lastPictureRow + 1 - rows.front(), cell = height / poster.rows;
    const double endInCell = expected / cell - std::floor(expected / cell);
    if (endInCell > 0.25 && endInCell < 0.75 && poster.columns > 1) {
        // Where it ends beside the numbers, their light grounds hide the end of it: it ends in
        // that row of pages, not further down.
        EXPECT_GE(shown, std::floor(expected / cell) * cell);
        EXPECT_LE(shown, expected + 2);
    } else {
        EXPECT_NEAR(shown, expected, 2);
    }
    // Nothing of the picture right of the grid or below it.
    EXPECT_FALSE(isPicture(sheet.pixel(qRound(columns.back()) + 3, qRound(rows.front()) + 3)));
}

}  // namespace

// Pictures of one colour, so that the map's lines and the picture's edges can be told apart.
TEST(CliMap, APdfSheetWithTheGridTheNumbersAndTheCaptionAndAPngPictureOfIt)
{
    QTemporaryDir dir;
    for (const char *kind : {"pdf", "png"}) {
        for (const MapPoster &poster : Posters) {
            SCOPED_TRACE(testing::Message() << poster.name << ", " << kind);
            const QString out = dir.filePath(QStringLiteral("map.") + QLatin1String(kind));
            const QString picture = writePicture(dir.filePath(QStringLiteral("%1.bmp").arg(poster.name)), poster.picture);
            const CliRun run = runCli(words("map -o %1", out) + words("--picture %1", picture) +
                                      QStringList{QStringLiteral("--sheets"), QString::number(poster.sheets)});
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            if (out.endsWith(QLatin1String(".png"))) {
                // A4 at 300 dots per inch, and it says so.
                const QImage sheet(out);
                EXPECT_EQ(std::tuple(sheet.size(), sheet.dotsPerMeterX()), std::tuple(QSize(2480, 3508), 11811));
                expectMapOnSheet(sheet.convertToFormat(QImage::Format_RGB32), 300, poster);
                continue;
            }
            EXPECT_EQ(pdfPageCount(out), 1);
            EXPECT_EQ(pdfPageSize(out).toSize(), QSize(595, 842));  // A4 in points
            // Every page's number and the caption are text on the sheet.
            const QString text = pdfText(out);
            const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            for (int page = 1; page <= poster.columns * poster.rows; ++page)
                EXPECT_TRUE(words.contains(QString::number(page))) << "page " << page;
            EXPECT_TRUE(text.simplified().contains(QString::fromUtf8(poster.caption).simplified())) << text.toStdString();
            expectMapOnSheet(renderPdfPage(out, 1, 200), 200, poster);
        }
    }
}
