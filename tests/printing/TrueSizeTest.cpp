// SPDX-License-Identifier: GPL-3.0-or-later
// The size the labels give against the size of the printed poster, measured on real PDF files of
// the real print loop: where each page picture lies on its sheet (the image matrices in the file),
// and in the page pictures themselves where the picture starts and ends and how far each sheet
// reaches before the next one repeats it (its overlap strip), found by matching the sheets'
// pixels. Nothing of the layout's arithmetic is used to measure.
#include "app/BuiltInPicture.h"
#include "layout/Poster.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"
#include "printing/PrinterSheet.h"
#include "support/PdfTools.h"
#include "support/PrintRuns.h"

#include <QCryptographicHash>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

using namespace plakatron;
using namespace plakatron::test;

namespace {

constexpr double MillimetresPerPoint = 25.4 / 72;

// A picture whose every pixel is a random dark grey: the sheets can be matched pixel by pixel, and
// it stands out from the white beyond it.
QImage darkNoise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(std::uint32_t(width * 31 + height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int grey = int(random() % 150);
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    return image;
}

// A page picture as grey values, without its hint margins.
struct Grey {
    Grey(const QImage &image, int margin) : width(image.width() - margin), height(image.height() - margin)
    {
        values.resize(std::size_t(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                values[std::size_t(y) * width + x] = float(qGray(image.pixel(x, y)));
    }
    // Transposed, so that rows are matched as columns are.
    Grey transposed() const
    {
        Grey t = *this;
        std::swap(t.width, t.height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                t.values[std::size_t(x) * t.width + y] = at(x, y);
        return t;
    }
    float at(int x, int y) const { return values[std::size_t(y) * width + x]; }
    // Linearly between columns.
    double at(double x, int y) const
    {
        const int left = std::clamp(int(std::floor(x)), 0, width - 2);
        const double f = x - left;
        return (1 - f) * at(left, y) + f * at(left + 1, y);
    }
    int width, height;
    std::vector<float> values;
};

// Where the picture starts and ends along x, in pixels: where the mean of each column crosses
// halfway between white and the picture's mean grey (between two columns, linearly).
std::pair<double, double> pictureSpan(const Grey &g)
{
    std::vector<double> column(std::size_t(g.width), 0);
    for (int x = 0; x < g.width; ++x) {
        for (int y = 0; y < g.height; ++y)
            column[x] += g.at(x, y);
        column[x] /= g.height;
    }
    const double dark = *std::min_element(column.begin(), column.end());
    double mean = 0;
    int n = 0;
    for (const double c : column)
        if (c < (dark + 255) / 2)
            mean += c, ++n;
    const double half = (mean / n + 255) / 2;
    int first = 0, last = g.width - 1;
    while (first < g.width && column[first] >= half)
        ++first;
    while (last > 0 && column[last] >= half)
        --last;
    // The crossings, between the last white and the first dark column, and after the last dark one.
    const auto cross = [&](int white, int darkColumn) {
        return white + (column[white] - half) / (column[white] - column[darkColumn]) * (darkColumn - white);
    };
    const double start = first > 0 ? cross(first - 1, first) : 0;
    const double end = last < g.width - 1 ? cross(last + 1, last) : g.width;
    return {start, end};
}

// How far sheet `a` reaches before sheet `b` repeats it, along x: the shift d at which b's pixels
// best match a's pixels d further on (least squares; in whole pixels, then to a twentieth).
double reach(const Grey &a, const Grey &b)
{
    const int from = int(std::ceil(pictureSpan(b).first)) + 3;  // past b's white first column
    const int rows = std::min(a.height, b.height);
    const auto misfit = [&](double d) {
        double sum = 0;
        int n = 0;
        for (int y = 0; y < rows; y += 4)
            for (int x = from; x + d < a.width - 1; ++x, ++n) {
                const double difference = b.at(x, y) - (d == std::floor(d) ? a.at(x + int(d), y) : a.at(x + d, y));
                sum += difference * difference;
            }
        return n >= rows / 2 ? sum / n : 1e30;
    };
    double best = a.width / 2.0, least = misfit(best);
    const auto consider = [&](double d) {
        if (const double m = misfit(d); m < least) {
            least = m;
            best = d;
        }
    };
    for (int d = a.width / 2 + 1; d < a.width; ++d)
        consider(d);
    const double whole = best;
    for (int step = -20; step <= 20; ++step)
        consider(whole + step * 0.05);
    return best;
}

// A poster printed and measured: its width and height in millimetres, and per page where the page
// picture went.
struct Measured {
    double width = 0, height = 0;
    std::vector<QRectF> placements;  // points
    std::vector<QSize> images;
};

// Prints pages 1 to columns + 1 (the first row, and the first page of the second row) and measures
// the poster's width along the first row and, for a poster of two rows, its height down the first
// column.
Measured printAndMeasure(const Poster &poster, const Paper &paper, const QMarginsF &margins = {})
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    const std::unique_ptr<QPrinter> printer = pdfPrinter(pdf);
    setPaper(*printer, paper);
    if (!margins.isNull())
        printer->setPageMargins(margins, QPageLayout::Millimeter);
    const int columns = poster.grid.GridColumns;
    printPoster(*printer, posterJob(poster, {1, std::int16_t(columns + 1)}));

    Measured m;
    const std::vector<std::vector<QRectF>> placed = pdfImagePlacements(pdf);
    const std::vector<QImage> images = pdfImageContents(pdf, true);
    if (placed.size() != std::size_t(columns + 1) || images.size() != placed.size()) {
        ADD_FAILURE() << "pages " << placed.size() << ", images " << images.size();
        return m;
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
        m.placements.push_back(placed[i].at(0));
        m.images.push_back(images[i].size());
    }
    const int margin = images[0].width() > 320 ? 20 : 0;  // the hint margins of pages wider than 300 pixels
    // Millimetres per pixel of page i along x and y, as the file places it.
    const auto mmX = [&](int i) { return m.placements[i].width() / images[i].width() * MillimetresPerPoint; };
    const auto mmY = [&](int i) { return m.placements[i].height() / images[i].height() * MillimetresPerPoint; };

    std::vector<Grey> row;
    for (int i = 0; i < columns; ++i)
        row.emplace_back(images[i], margin);
    m.width = -pictureSpan(row.front()).first * mmX(0) + pictureSpan(row.back()).second * mmX(columns - 1);
    for (int i = 0; i + 1 < columns; ++i)
        m.width += reach(row[i], row[i + 1]) * mmX(i);

    if (poster.grid.GridRows == 2) {
        const Grey top = Grey(images[0], margin).transposed(), below = Grey(images[columns], margin).transposed();
        m.height = -pictureSpan(top).first * mmY(0) + reach(top, below) * mmY(0) + pictureSpan(below).second * mmY(columns);
    }
    return m;
}

}  // namespace

// On every paper and each orientation, posters 1, 3, 8 and 40 sheets across (two rows each), and
// a width asked for: the size the labels give is the size measured on the printed sheets (the
// promise is half a percent; they agree within a thousandth, which also tells an averaged page's
// scale from an enlarged one's); each page picture covers at least 90 % of its sheet undistorted.
TEST(TrueSize, TheLabelsGiveThePrintedSize)
{
    struct Row {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        int sheets;            // 0: the width asked for
        double askedWidth = 0;  // millimetres
    };
    std::vector<Row> rows;
    for (const auto paper : {QPageSize::A4, QPageSize::A3, QPageSize::Letter, QPageSize::Legal})
        for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape})
            for (const int sheets : {1, 3, 8, 40})
                rows.push_back({paper, orientation, sheets});
    rows.push_back({QPageSize::Letter, QPageLayout::Portrait, 0, 1500});
    for (const Row &r : rows) {
        const Paper paper{r.paper, r.orientation};
        // Pictures of 1.5 sheets down, 10 pixels a sheet at least; 320 pixels a page (hint margins);
        // an overlap strip wide enough to match the sheets by.
        const int across = r.sheets > 0 ? r.sheets : 8;
        const int width = std::max(300, 100 * across);
        const int height = int(width * 1.5 * pageProportion(paper) / across);
        PosterChoices choices{double(across), 320, 15, pdfSheet(paper), {}, false};
        if (r.askedWidth > 0)
            choices.size = {PosterSize::Side::Width, r.askedWidth, QStringLiteral("150cm")};
        const Poster poster = makePoster(darkNoise(width, height), choices);
        SCOPED_TRACE(testing::Message() << paperText(paper).toStdString() << ", " << r.sheets << " sheets across, "
                                        << width << " x " << height << ": labels "
                                        << poster.labels.lbFinalImageWidth.toStdString() << " x "
                                        << poster.labels.lbFinalImageHeight.toStdString());
        ASSERT_EQ(poster.grid.GridRows, 2);
        const Measured m = printAndMeasure(poster, paper);
        EXPECT_NEAR(m.width / poster.grid.Printed.width, 1, 0.001) << m.width << " mm measured";
        EXPECT_NEAR(m.height / poster.grid.Printed.height, 1, 0.001) << m.height << " mm measured";
        if (r.askedWidth > 0) {
            EXPECT_NEAR(m.width / r.askedWidth, 1, 0.005) << m.width << " mm measured";
        }
        const QSizeF sheet = QPageSize::size(r.paper, QPageSize::Point);
        const double sheetArea = sheet.width() * sheet.height();
        for (std::size_t i = 0; i < m.placements.size(); ++i) {
            const QRectF &p = m.placements[i];
            EXPECT_GE(p.width() * p.height() / sheetArea, r.askedWidth > 0 ? 0.85 : 0.9) << "page " << i + 1;
            EXPECT_NEAR(p.width() / m.images[i].width() / (p.height() / m.images[i].height()), 1, 0.005) << "page " << i + 1;
        }
    }
}

// The cases the labels overstated most (the built-in picture's size at the default choices): the
// default poster on a PDF file's sheet and with the printer's margins of 4, 5 and 6 mm, and 8
// sheets across on Letter. The labels follow the printable area and give the printed size.
TEST(TrueSize, TheLabelsFollowThePrintableArea)
{
    const struct { const char *what; QPageSize::PageSizeId paper; int sheets; double margin; const char *labels; } rows[] = {
        {"default", QPageSize::A4, 3, 0, "57.6cm x 37cm"},
        {"4 mm margins", QPageSize::A4, 3, 4, "57.4cm x 36.8cm"},
        {"5 mm margins", QPageSize::A4, 3, 5, "56.8cm x 36.5cm"},
        {"6 mm margins", QPageSize::A4, 3, 6, "56.2cm x 36.1cm"},
        {"8 on Letter", QPageSize::Letter, 8, 0, "1m  58.5cm x 1m  .9cm"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        const Paper paper{r.paper, QPageLayout::Portrait};
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        setPaper(printer, paper);
        const QMarginsF margins(r.margin, r.margin, r.margin, r.margin);
        if (r.margin > 0)
            printer.setPageMargins(margins, QPageLayout::Millimeter);
        const PrintSheet sheet = sheetOf(printer, paper);
        if (r.margin == 0) {
            EXPECT_EQ(sheet, pdfSheet(paper)) << "a PDF file's sheet as the layout has it";
        }
        const Poster poster = makePoster(darkNoise(880, 560), {double(r.sheets), 800, DefaultOverlap, sheet, {}});
        EXPECT_EQ(QString(poster.labels.lbFinalImageWidth + QStringLiteral(" x ") + poster.labels.lbFinalImageHeight).toStdString(),
                  r.labels);
        const Measured m = printAndMeasure(poster, paper, r.margin > 0 ? margins : QMarginsF());
        EXPECT_NEAR(m.width / poster.grid.Printed.width, 1, 0.005) << m.width << " mm measured";
        if (poster.grid.GridRows == 2) {
            EXPECT_NEAR(m.height / poster.grid.Printed.height, 1, 0.005) << m.height << " mm measured";
        }
    }
}

// The default poster's six pages, byte for byte as the program printed them before papers and
// true sizes came: A4 portrait keeps 1.414 and every page pixel.
TEST(TrueSize, TheDefaultPosterKeepsItsPages)
{
    const Poster poster = makePoster(builtInPicture(), {});
    PageRenderer renderer(poster);
    QCryptographicHash pages(QCryptographicHash::Sha256);
    for (std::int16_t page = 1; page <= poster.pageCount(); ++page) {
        ASSERT_TRUE(renderer.RenderPage(page).made);
        const QImage &canvas = renderer.pageCanvas();
        for (int y = 0; y < canvas.height(); ++y)
            pages.addData(QByteArrayView(reinterpret_cast<const char *>(canvas.constScanLine(y)), canvas.width() * 4));
    }
    EXPECT_EQ(poster.pageCount(), 6);
    EXPECT_EQ(pages.result().toHex().toStdString(), "fb7cf6e9fba4103009f1e04087c4b2910a69d10606600110594164408bf83771");
}
