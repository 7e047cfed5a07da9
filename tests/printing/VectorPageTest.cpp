// SPDX-License-Identifier: GPL-3.0-or-later
// PDF and SVG pictures made here (Qt's PDF writer and SVG generator, PDFs written by hand for a
// turned page and a crop box), loaded through the vector helper and printed: each page is drawn
// from the document at its own size, lines up with the page a raster of the picture gives, and
// stays sharp where the raster's page is an enlargement.
#include "core/Numeric.h"
#include "input/PictureLoader.h"
#include "layout/Paper.h"
#include "layout/Poster.h"
#include "printing/PageRenderer.h"
#include "support/TestSupport.h"
#include "support/VectorFiles.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

Picture loaded(const char *name, const QByteArray &bytes, int page = 1)
{
    const QString path = QDir::home().filePath(QLatin1String(name));
    writeFile(path, bytes);
    return loadPicture(path, {}, PictureRequest{page, false});
}

// The whole vector picture as a raster of its nominal size: what a raster poster program would
// enlarge.
QImage rasterOf(const Picture &picture) { return picture.draw(QRectF(QPointF(0, 0), QSizeF(picture.size())), picture.size()); }

// The page's pixels, without its hint margins.
QImage pageOf(const Poster &poster, int page)
{
    PageRenderer renderer(poster);
    const PageResult result = renderer.RenderPage(std::int16_t(page));
    EXPECT_TRUE(result.made) << result.warnings.join(u' ').toStdString();
    return renderer.pageCanvas().copy(0, 0, CLng(poster.settings.PagePixelWidth), CLng(poster.settings.PagePixelHeight));
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Along row y: the first and last pixel that is not white, how many are neither white nor black
// (the grey of the edges), and the darkest.
struct RowEdges {
    int first = -1, last = -1, grey = 0, darkest = 255;
};
RowEdges edgesOf(const QImage &image, int y)
{
    RowEdges e;
    for (int x = 0; x < image.width(); ++x) {
        const int v = qGray(image.pixel(x, y));
        if (v < 245) {
            if (e.first < 0)
                e.first = x;
            e.last = x;
        }
        if (v > 10 && v < 245)
            ++e.grey;
        e.darkest = std::min(e.darkest, v);
    }
    return e;
}

}  // namespace

// Each file's nominal size and page, and its colours at fractions of its width and height.
TEST(VectorPage, EachFileLoadsAtItsSizeWithItsPageTurnCropAndTransparency)
{
    const QRgb white = qRgb(255, 255, 255), blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0), green = qRgb(0, 255, 0);
    // Left half blue, right half red; the blue's top left quarter black.
    const QByteArray halves = "0 0 1 rg 0 0 100 100 re f 1 0 0 rg 100 0 100 100 re f 0 0 0 rg 0 50 50 50 re f";
    const QColor pageColours[] = {Qt::red, Qt::green, Qt::blue};
    const QByteArray pages = writtenPdf(QSizeF(144, 72), 3, [&](QPainter &p, int page) {
        p.fillRect(QRectF(36, 18, 72, 36), pageColours[page]);
    });
    const struct { const char *name; QByteArray bytes; int page; QSize size; DocumentPage documentPage;
                   std::vector<std::pair<QPointF, QRgb>> colours; } cases[] = {
        // Drawn on nothing: white around the page's one rectangle.
        {"pages.pdf", pages, 1, {192, 96}, {1, 3}, {{{0.5, 0.5}, red}, {{0.05, 0.05}, white}, {{0.95, 0.9}, white}}},
        {"pages-2.pdf", pages, 3, {192, 96}, {3, 3}, {{{0.5, 0.5}, blue}, {{0.1, 0.5}, white}}},
        {"upright.pdf", handWrittenPdf("0 0 200 100", QString(), halves), 1, {267, 133}, {1, 1},
         {{{0.1, 0.1}, qRgb(0, 0, 0)}, {{0.4, 0.8}, blue}, {{0.8, 0.5}, red}}},
        // Turned a quarter clockwise: the top left corner goes to the top right.
        {"turned.pdf", handWrittenPdf("0 0 200 100", QStringLiteral(" /Rotate 90"), halves), 1, {133, 267}, {1, 1},
         {{{0.9, 0.1}, qRgb(0, 0, 0)}, {{0.2, 0.4}, blue}, {{0.5, 0.8}, red}}},
        {"turned-back.pdf", handWrittenPdf("0 0 200 100", QStringLiteral(" /Rotate 270"), halves), 1, {133, 267}, {1, 1},
         {{{0.1, 0.9}, qRgb(0, 0, 0)}, {{0.5, 0.2}, red}}},
        // The crop box is the page: its right half, red alone.
        {"cropped.pdf", handWrittenPdf("0 0 200 100", QStringLiteral(" /CropBox [100 0 200 100]"), halves), 1, {133, 133},
         {1, 1}, {{{0.05, 0.05}, red}, {{0.95, 0.95}, red}}},
        // 50.8 x 25.4 millimetres, as the generator writes it.
        {"picture.svg", writtenSvg(QSizeF(180, 90), [](QPainter &p) { p.fillRect(QRectF(0, 0, 90, 90), Qt::green); }), 1,
         {180, 90}, {1, 1}, {{{0.25, 0.5}, green}, {{0.75, 0.5}, white}}},
        // Half transparent black over nothing: grey on the white paper.
        {"glass.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 40 20"><rect width="20" height="20" )"
                      R"(fill="black" fill-opacity="0.5"/></svg>)", 1, {40, 20}, {1, 1},
         {{{0.25, 0.5}, qRgb(128, 128, 128)}, {{0.75, 0.5}, white}}},
        {"glass.svgz", gzipped(R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="90"><rect y="45" )"
                               R"(width="30" height="45" fill="#00f"/></svg>)"), 1, {30, 90}, {1, 1},
         {{{0.5, 0.25}, white}, {{0.5, 0.75}, blue}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Picture picture = loaded(c.name, c.bytes, c.page);
        ASSERT_TRUE(picture.isVector());
        EXPECT_EQ(picture.size(), c.size);
        EXPECT_EQ(picture.documentPage(), c.documentPage);
        const QImage whole = rasterOf(picture);
        for (const auto &[at, colour] : c.colours) {
            const QRgb seen = whole.pixel(int(at.x() * whole.width()), int(at.y() * whole.height()));
            EXPECT_TRUE(near(seen, colour)) << at.x() << ", " << at.y() << ": " << std::hex << seen;
        }
    }
}

// A thin black line (half a point) in an A0 PDF poster, on 4 and 8 sheets at 1400 pixels: the
// vector page draws it black with an edge of two pixels at most; the page enlarged from a raster
// of the picture at its nominal size smears it into grey. Both pages put it in the same place,
// and both are of the paper's shape.
TEST(VectorPage, AThinLineStaysSharpWhereTheRasterPageBlursIt)
{
    const QByteArray pdf = writtenPdf(A0Points, 1, [](QPainter &p, int) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 0.5));
        p.drawLine(QPointF(LinePosterLineX, 0), QPointF(LinePosterLineX, A0Points.height()));
    });
    const Picture vector = loaded("line.pdf", pdf);
    // The raster's line, a pixel at 96 dots per inch, enlarged 1.75 times on 4 sheets and 3.5
    // times on 8: grey over 3 and 6 pixels, never black.
    const struct { int sheets; Paper paper; int rasterGrey; } cases[] = {
        {4, {}, 3}, {8, {}, 6}, {4, {QPageSize::A3, QPageLayout::Landscape}, 3}};
    for (const auto &[sheets, paper, rasterGrey] : cases) {
        SCOPED_TRACE(paper.orientation == QPageLayout::Landscape ? "A3 landscape" : "A4");
        SCOPED_TRACE(sheets);
        const PosterChoices choices{double(sheets), 1400, DefaultOverlap, pdfSheet(paper), {}, false};
        const Poster sharp = makePoster(vector, choices), soft = makePoster(rasterOf(vector), choices);
        ASSERT_EQ(sharp.pageCount(), soft.pageCount());
        const QImage drawn = pageOf(sharp, 1), enlarged = pageOf(soft, 1);
        ASSERT_EQ(drawn.size(), enlarged.size());
        EXPECT_EQ(drawn.width() > drawn.height(), paper.orientation == QPageLayout::Landscape);
        for (const double down : {0.1, 0.5, 0.9}) {
            const int y = int(down * drawn.height());
            const RowEdges d = edgesOf(drawn, y), e = edgesOf(enlarged, y);
            SCOPED_TRACE(y);
            ASSERT_GE(d.first, 0);
            ASSERT_GE(e.first, 0);
            EXPECT_LE(d.last - d.first + 1, 4);
            EXPECT_LE(d.grey, 4);  // two pixels of grey an edge at most
            EXPECT_LE(d.darkest, 30);  // black where the line is
            EXPECT_GE(e.grey, rasterGrey);
            EXPECT_GT(e.darkest, 15);
            EXPECT_LE(std::abs((d.first + d.last) - (e.first + e.last)), 4);  // the same place, within a pixel or two
        }
    }
}

// Pages of every position on an odd paper: the vector page shows the same picture as the raster
// page of the same crop (its edges a pixel or so apart), sheet by sheet, with the overlap.
TEST(VectorPage, EveryPageLinesUpWithTheRasterPageOfItsCrop)
{
    const QByteArray svg = writtenSvg(QSizeF(300, 200), [](QPainter &p) {
        for (int i = 0; i < 12; ++i)
            p.fillRect(QRectF(i * 25, (i % 4) * 50, 13, 50), QColor::fromHsv(i * 30, 255, 200));
    });
    const Picture vector = loaded("bars.svg", svg);
    const PosterChoices choices{3, 300, 10, pdfSheet(Paper{QPageSize::Letter, QPageLayout::Landscape}), {}, false};
    const Poster sharp = makePoster(vector, choices), soft = makePoster(rasterOf(vector), choices);
    ASSERT_EQ(sharp.pageCount(), soft.pageCount());
    ASSERT_GE(sharp.pageCount(), 6);
    EXPECT_EQ(sharp.labels.lbFinalImageWidth, soft.labels.lbFinalImageWidth);  // the true-size labels alike
    EXPECT_EQ(sharp.labels.lbFinalImageHeight, soft.labels.lbFinalImageHeight);
    for (int page = 1; page <= sharp.pageCount(); ++page) {
        SCOPED_TRACE(page);
        const QImage drawn = pageOf(sharp, page), enlarged = pageOf(soft, page);
        ASSERT_EQ(drawn.size(), enlarged.size());
        qint64 apart = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                apart += !near(drawn.pixel(x, y), enlarged.pixel(x, y), 80);
        // Only where an edge falls a pixel to one side: a few percent of the page at most.
        EXPECT_LT(double(apart) / (drawn.width() * drawn.height()), 0.03);
    }
}

// The window's preview shows pages in any order: after its first page the helper draws the whole
// poster at the page's scale, and every page after is cut out of that. Each page must be the page
// a document opened anew draws for it alone, byte for byte, on the same grid of pixels.
TEST(VectorPage, PagesInAnyOrderCutFromTheKeptPosterAreThePagesDrawnAlone)
{
    const QByteArray pdf = writtenPdf(QSizeF(595, 842), 1, [](QPainter &p, int) {
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        for (int i = 0; i < 60; ++i)
            p.drawText(QPointF(20 + (i % 3) * 190, 20 + i * 13.5), QStringLiteral("Line %1 of the kept poster, drawn once").arg(i));
        p.setPen(QPen(Qt::black, 0.5));
        p.drawLine(QPointF(297.3, 0), QPointF(297.3, 842));
    });
    const struct { int sheets, pixels; } rows[] = {{3, 800}, {2, 1400}, {4, 300}};
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.sheets << " sheets at " << r.pixels << " px");
        const PosterChoices choices{double(r.sheets), double(r.pixels), 3, pdfSheet({}), {}, false};
        const Poster kept = makePoster(loaded("kept.pdf", pdf), choices), alone = makePoster(loaded("alone.pdf", pdf), choices);
        PageRenderer preview(kept);
        preview.setKeepPoster(true);
        const int pages = kept.pageCount();
        ASSERT_GE(pages, 4);
        // Middle, first, last, then the rest: the first click keeps the poster for the others.
        std::vector<int> order{pages / 2, 1, pages};
        for (int page = 2; page < pages; ++page)
            if (page != pages / 2)
                order.push_back(page);
        for (const int page : order) {
            SCOPED_TRACE(page);
            ASSERT_TRUE(preview.RenderPage(std::int16_t(page)).made);
            PageRenderer single(alone);
            ASSERT_TRUE(single.RenderPage(std::int16_t(page)).made);
            EXPECT_TRUE(preview.pageCanvas() == single.pageCanvas());
        }
    }
}
