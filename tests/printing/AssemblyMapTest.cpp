// SPDX-License-Identifier: GPL-3.0-or-later
// The assembly map without the tool: where a picture goes on a sheet, how the picture is shrunk
// (averaged, never sampled), how large the numbers come out, what a grid too fine to number
// costs, and the map as a sheet of its own in a print job. The tool's tests check the map's
// sheets themselves (lines, numbers, caption, proportions).
#include "core/Cancellation.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "printing/AssemblyMap.h"
#include "printing/PageGeometry.h"
#include "printing/PrintJob.h"
#include "support/PdfTools.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

const QRgb PictureColour = qRgb(40, 120, 200);

struct LaidOut : Poster {
    AssemblyMap map() const { return AssemblyMap(*this); }
};

// The layout pass of the window over `picture` at 800 pixels a sheet.
LaidOut layOut(QImage picture, int sheets) { return {makePoster(std::move(picture), {double(sheets), 800, DefaultOverlap, pdfSheet({}), {}})}; }

QImage plain(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(PictureColour);
    return picture;
}

// The A4 sheet of Qt's PDF files: 10 points of margin all round.
const QPageLayout Sheet(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
// The printable area in map pixels.
const QSizeF Printable = Sheet.paintRect(QPageLayout::Millimeter).size() * MapDotsPerInch / 25.4;

double points(double mapPixels) { return mapPixels * 72 / MapDotsPerInch; }

}  // namespace

TEST(FitUndistortedTopLeft, AsLargeAsFitsAtTheTopLeft)
{
    const struct { QSizeF picture; QRectF area; QRectF placed; } rows[] = {
        {{100, 50}, {10, 20, 400, 400}, {10, 20, 400, 200}},   // the width decides
        {{50, 100}, {0, 0, 400, 400}, {0, 0, 200, 400}},       // the height decides
        {{820, 1151}, {0, 0, 1640, 2302}, {0, 0, 1640, 2302}}, // the same proportions fill it
        {{3000, 10}, {5, 5, 300, 400}, {5, 5, 300, 1}},        // larger than the area: shrunk
        {{0, 10}, {5, 5, 300, 400}, {5, 5, 0, 0}},             // nothing to place
        {{10, 10}, {5, 5, 0, 400}, {5, 5, 0, 0}},              // no room
    };
    for (const auto &r : rows)
        EXPECT_EQ(fitUndistortedTopLeft(r.picture, r.area), r.placed) << r.picture.width() << " x " << r.picture.height();
}

TEST(AssemblyMap, ThePictureIsAveragedNotSampled)
{
    // Columns of black and white, one pixel wide, of a panorama shrunk twenty times: averaged they
    // are an even grey (each map pixel takes ten or eleven of either), where sampling a few pixels
    // of every twenty would turn them into black, white and stripes.
    QImage stripes(48000, 120, QImage::Format_Grayscale8);
    for (int y = 0; y < stripes.height(); ++y)
        for (int x = 0; x < stripes.width(); ++x)
            stripes.scanLine(y)[x] = x % 2 ? 0 : 255;
    LaidOut p = layOut(stripes.convertToFormat(QImage::Format_RGB32), 3);
    AssemblyMap map = p.map();
    map.sheetImage(Sheet);
    const QImage shrunk = map.shrunkPicture().convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(shrunk.size(), QSize(2397, 6));  // the width of the printable area, 400 to 1
    for (int y = 0; y < shrunk.height(); ++y) {
        const auto [darkest, lightest] = std::minmax_element(shrunk.constScanLine(y), shrunk.constScanLine(y) + shrunk.width());
        EXPECT_GE(*darkest, 255 * 9 / 20) << y;
        EXPECT_LE(*lightest, 255 * 11 / 20) << y;
    }
}

TEST(AssemblyMap, NumbersAsLargeAsTheirCellsAllow)
{
    // 712 x 2000 on 40 sheets is 40 x 80 pages; the hand-made grid beyond it is the most rows a
    // poster can have.
    LaidOut tallest = layOut(plain({1, 1}), 1);
    tallest.settings.SheetsAcross = 40;
    tallest.grid.GridColumns = 40;
    tallest.grid.GridRows = 32767;
    tallest.grid.SheetsDown = 32767;
    tallest.grid.PosterPixelWidth = 32000;
    tallest.grid.PosterPixelHeight = 32767 * tallest.settings.PagePixelHeight;
    const struct { const char *name; LaidOut poster; double fewestPoints, mostPoints; bool lines; } rows[] = {
        {"one page", layOut(plain({880, 560}), 1), 36, 36, true},
        {"default", layOut(plain({880, 560}), 3), 36, 36, true},
        {"40 across", layOut(plain({880, 560}), 40), 5, 6, true},
        {"40 x 80", layOut(plain({712, 2000}), 40), 1.5, 2.5, true},
        {"40 x 32767", tallest, 0, 0, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        AssemblyMap map = r.poster.map();
        const AssemblyMapLayout l = map.layout(Printable);
        EXPECT_GE(points(l.numberPixels), r.fewestPoints);
        EXPECT_LE(points(l.numberPixels), r.mostPoints);
        EXPECT_EQ(l.columnLines, r.lines);
        EXPECT_EQ(l.rowLines, r.lines);
        // Drawn in no time however many pages: numbers and lines only where they can be told apart.
        EXPECT_FALSE(map.sheetImage(Sheet).isNull());
    }
}

TEST(AssemblyMap, NeighbouringNumbersStayApart)
{
    // Forty across: the numbers' light grounds stay inside their cells.
    LaidOut p = layOut(plain({880, 560}), 40);
    AssemblyMap map = p.map();
    const QImage sheet = map.sheetImage(Sheet);
    const AssemblyMapLayout l = map.layout(Printable);
    const QPointF origin = Sheet.paintRect(QPageLayout::Millimeter).topLeft() * MapDotsPerInch / 25.4;
    for (int page : {1, 100, 101, 719}) {
        const QRectF cell = l.fit.cell(page, p.settings).translated(origin);
        const int y = qRound(cell.center().y());
        // Grounds are laid after the lines: one reaching into the next cell would cover the line
        // between them.
        const auto darkest = [&](double x) {
            int value = 255;
            for (int dx = -2; dx <= 2; ++dx)
                value = std::min(value, qGreen(sheet.pixel(qRound(x) + dx, y)));
            return value;
        };
        EXPECT_LT(darkest(cell.left()), 60) << "page " << page;
        EXPECT_LT(darkest(cell.right()), 60) << "page " << page;
    }
}

// The sheets themselves: the tool's and the window's tests.
TEST(AssemblyMap, ASheetOfItsOwnInAPrintJobThatAStopEnds)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("map.pdf"));
    const LaidOut p = layOut(plain({880, 560}), 3);
    AssemblyMap map = p.map();
    // A stop asked for before the sheet: no file.
    Cancellation stop;
    stop.request();
    const std::unique_ptr<QPrinter> printer = pdfPrinter(pdf);
    PrintJob job(*printer, &stop);
    EXPECT_THROW(job.run(PrintRange{1, 0}, {}, {}, [&] { job.PrintAssemblyMap(map); }), RuntimeError);
    EXPECT_FALSE(QFile::exists(pdf));

    // A poster without a grid has no map.
    LaidOut none = p;
    none.grid.GridRows = 0;
    EXPECT_THROW(none.map(), RuntimeError);
}
