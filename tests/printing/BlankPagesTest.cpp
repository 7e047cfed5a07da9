// SPDX-License-Identifier: GPL-3.0-or-later
// Pages cut from beyond the picture: cells are cut whole (rounded up), so on a tall or a narrow
// picture the cut runs ahead of the grid and the last rows or columns take nothing of it. Their
// pages are left out of the print job, and the grid view and the assembly map draw the picture
// where the pages are really cut, so view, map and sheets agree.
#include "layout/GridView.h"
#include "printing/AssemblyMap.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"
#include "support/PdfTools.h"
#include "support/PrintRuns.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

QImage grey(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(qRgb(90, 90, 90));
    return picture;
}

Poster posterOf(QSize size, int sheets, double resolution)
{
    PosterChoices choices;
    choices.sheetsAcross = sheets;
    choices.pagePixelWidth = resolution;
    return makePoster(grey(size), choices);
}

bool anyInk(const QImage &image) { return !image.isNull() && hasDarkPixel(image, image.rect(), 200); }

// The pictures of the reports (and a picture whose last columns are cut from beyond it), and a
// photograph's shape where every page takes something of the picture.
struct Shape {
    const char *what;
    QSize picture;
    int sheets;
    int pages;    // of the grid
    int columns;  // that take something of the picture
    int rows;
};
const Shape Shapes[] = {
    {"100 x 1000 on 40 sheets", {100, 1000}, 40, 710, 10, 67},        // pages 671-710 were blank
    {"40 x 32000 on 40 sheets", {40, 32000}, 40, 9056, 4, 2134},      // 520 of 9056 were blank
    {"2 x 32767 on 40 sheets", {2, 32767}, 40, 11587, 1, 10922},      // 665 of 11587 were blank
    {"401 x 600 on 40 sheets", {401, 600}, 40, 40 * 43, 37, 40},      // and its last 3 columns
    {"a photograph, 3000 x 2000 on 3 sheets", {3000, 2000}, 3, 6, 3, 2},  // nothing left out
};

}  // namespace

// The cut as the layout works it out against the pages the renderer really cuts: a page takes
// something of the picture exactly where the cut says so. The cut does not depend on the page's
// pixels, so the pages are rendered small, every page near the picture's end.
TEST(BlankPages, TheCutSaysWhichPagesTakeSomethingOfThePicture)
{
    for (const Shape &s : Shapes) {
        SCOPED_TRACE(s.what);
        const Poster poster = posterOf(s.picture, s.sheets, 10);
        ASSERT_EQ(poster.pageCount(), s.pages);
        const PageCut cut = pageCut(poster.settings, poster.grid);
        EXPECT_EQ(std::pair(cut.columns, cut.rows), std::pair(s.columns, s.rows));
        const JobPages every = posterJobPages(poster, {1, std::int16_t(std::min(s.pages, LastNumberedPage))});
        EXPECT_EQ(every.count(), s.columns * s.rows);
        EXPECT_EQ(every.leftOut(), s.pages - s.columns * s.rows);

        PageRenderer renderer(poster);
        const int columns = poster.grid.GridColumns;
        for (int page = std::max(1, (s.rows - 3) * columns); page <= s.pages; ++page) {
            ASSERT_TRUE(renderer.RenderPage(std::int16_t(page)).made);
            const PictureCrop &crop = renderer.crop();
            const bool takes = !crop.landing().inCrop.intersected(QRect(QPoint(0, 0), crop.size)).isEmpty();
            ASSERT_EQ(takes, cut.holdsPicture(page)) << "page " << page;
            ASSERT_EQ(anyInk(renderer.pageCanvas()), takes) << "page " << page;
            ASSERT_EQ(every.printed(page), takes) << "page " << page;
        }
    }
}

// The grid view and the assembly map draw the picture to where the pages are cut: its right and
// bottom edges end in the last column and row that take something of it, not at the poster's
// size in page pixels, which runs further.
TEST(BlankPages, TheViewAndTheMapEndThePictureWhereTheCutEnds)
{
    const QPageLayout sheet(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    const QSizeF printable = sheet.paintRect(QPageLayout::Millimeter).size() * MapDotsPerInch / 25.4;
    for (const Shape &s : Shapes) {
        SCOPED_TRACE(s.what);
        Poster poster = posterOf(s.picture, s.sheets, 800);
        const PageCut cut = pageCut(poster.settings, poster.grid);

        GridView view;
        view.resize(440, 401);
        view.rebuild(poster.picture, poster.settings, poster.grid);
        AssemblyMap map(poster);
        const AssemblyMapLayout l = map.layout(printable);
        map.sheetImage(sheet);
        const struct { const char *name; GridFit fit; QImage picture; } drawn[] = {
            {"view", fitGrid(poster.settings, poster.grid, view.interiorSize()), view.background()},
            {"map", l.fit, map.shrunkPicture()},
        };
        for (const auto &d : drawn) {
            SCOPED_TRACE(d.name);
            const QSizeF cell = d.fit.cell(1, poster.settings).size();
            // Within a pixel of the end of the cut, which lies in the last column and row that
            // take something of the picture.
            const QSizeF end(cut.picture.width() * d.fit.scale, cut.picture.height() * d.fit.scale);
            EXPECT_LE(std::abs(d.fit.picture.width() - end.width()), 0.5);
            EXPECT_LE(std::abs(d.fit.picture.height() - end.height()), 0.5);
            EXPECT_GT(end.width(), (cut.columns - 1) * cell.width());
            EXPECT_LE(end.width(), cut.columns * cell.width() + 1e-6);
            EXPECT_GT(end.height(), (cut.rows - 1) * cell.height());
            EXPECT_LE(end.height(), cut.rows * cell.height() + 1e-6);
            // The ink drawn: the view's background holds the picture alone, white round it.
            if (QString(d.name) == QLatin1String("map")) {
                if (!d.fit.picture.isEmpty()) {
                    EXPECT_EQ(d.picture.size(), d.fit.picture);
                }
            } else {
                const QRect ink = inkBounds(d.picture, 200);
                EXPECT_EQ(ink.topLeft(), d.fit.picture.isEmpty() ? QRect().topLeft() : QPoint(0, 0));
                EXPECT_EQ(ink.size(), d.fit.picture.isEmpty() ? QSize(0, 0) : d.fit.picture);
            }
        }
    }
}

// The print loop prints the pages that take something of the picture, one sheet each, and no
// sheet for the others; a range of blank pages alone starts no document.
TEST(BlankPages, ThePrintLoopLeavesOutThePagesWithoutThePicture)
{
    QTemporaryDir dir;
    const Poster tall = posterOf({100, 1000}, 40, 50);
    const Poster wide = posterOf({401, 600}, 40, 50);
    const struct { const char *what; const Poster &poster; PrintRange range; int sheets, leftOut; } rows[] = {
        {"every page", tall, {1, 710}, 670, 40},
        {"across the picture's end", tall, {660, 680}, 11, 10},
        {"the blank pages alone", tall, {671, 710}, 0, 40},
        {"the blank columns of two rows", wide, {38, 80}, 37, 6},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        const QString out = dir.filePath(QStringLiteral("%1.pdf").arg(r.what));
        const JobPages pages = posterJobPages(r.poster, r.range);
        EXPECT_EQ(std::pair(int(pages.count()), pages.leftOut()), std::pair(r.sheets, r.leftOut));
        PosterJob job = posterJob(r.poster, r.range);
        std::vector<int> progress;
        job.progress = [&](std::int16_t page, std::int16_t count) {
            EXPECT_EQ(count, r.sheets);
            progress.push_back(page);
        };
        printPoster(*pdfPrinter(out), job);
        EXPECT_EQ(int(progress.size()), r.sheets);
        if (r.sheets == 0) {
            EXPECT_FALSE(QFile::exists(out));
            continue;
        }
        EXPECT_EQ(progress.front(), pages.first());
        EXPECT_EQ(progress.back(), pages.printedRange().last);
        for (int page : progress)
            EXPECT_TRUE(pages.printed(page)) << page;
        EXPECT_EQ(pdfPageCount(out), r.sheets);
        const std::vector<QImage> sheets = pdfImageContents(out, true);
        ASSERT_EQ(int(sheets.size()), r.sheets);
        for (std::size_t i = 0; i < sheets.size(); ++i)
            EXPECT_TRUE(anyInk(sheets[i])) << "sheet " << i + 1 << " holds something of the picture";
    }
}

TEST(BlankPages, TheWordsForPagesLeftOut)
{
    EXPECT_EQ(leftOutText(40), QStringLiteral("40 pages hold nothing of the picture and are not printed."));
    EXPECT_EQ(leftOutText(1), QStringLiteral("1 page holds nothing of the picture and is not printed."));
    EXPECT_EQ(confirmationText(670, 40), QStringLiteral("40 pages hold nothing of the picture and are not printed.\r\n"
                                                        "Are you sure you want to print the  670 pages?"));
    EXPECT_EQ(confirmationText(6), QStringLiteral("Are you sure you want to print the  6 pages?"));
    EXPECT_EQ(nothingToPrintText(1), QStringLiteral("The page chosen holds nothing of the picture: there is nothing to print."));
    EXPECT_EQ(nothingToPrintText(40),
              QStringLiteral("The 40 pages chosen hold nothing of the picture: there is nothing to print."));
}
