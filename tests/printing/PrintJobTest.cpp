// The print loop on a real PDF printer, looked at with poppler-utils; the page range and the texts
// of the job.
#include "support/PdfTools.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

// The built-in picture laid out by the real layout pass, as the window holds it.
struct Poster {
    Poster(int sheets, double resolution, int overlap = 3)
        : picture(QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32))
    {
        programWide().HorizontalOverlap = programWide().VerticalOverlap = static_cast<std::int16_t>(overlap);
        settings.PagePixelWidth = resolution;
        settings.PagePixelHeight = resolution * A4Proportion;
        ListIndexSurface surface(sheets - 1);
        LayoutLabels labels;
        RunLayoutPass(QSizeF(picture.size()), static_cast<std::int16_t>(overlap), settings, grid, labels, surface);
    }
    QImage picture;
    PosterSettings settings;
    PageGrid grid;
    PageRenderer renderer{PosterSource{&picture, &settings, &grid}};
};

class PrintJobTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

}  // namespace

TEST(PrintRange, AllPagesOrTheSinglePage)
{
    struct Row { std::int32_t singlePage; double sheetsAcross, sheetsDown; PrintRange range; };
    const Row rows[] = {
        {0, 4, 1.8002, {1, 8}},  // the worked example: 2 rows of 4
        {-3, 4, 1.8002, {1, 8}},
        {7, 4, 1.8002, {7, 7}},
        {9, 4, 1.8002, {9, 9}},  // a page beyond the grid is still that page
        {0, 3, 1.0, {1, 3}},     // a whole number of rows gets no extra row
        {0, 3, 1.01, {1, 6}},
        {0, 1, 0.5, {1, 1}},
        {0, 40, 30.2, {1, 1240}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.singlePage << " of " << r.sheetsAcross << " x " << r.sheetsDown);
        PosterSettings settings;
        settings.SheetsAcross = r.sheetsAcross;
        PageGrid grid;
        grid.SheetsDown = r.sheetsDown;
        EXPECT_EQ(printRangeFor(r.singlePage, settings, grid), r.range);
    }
    // Beyond 16 bits: a page number, a page count.
    PosterSettings settings;
    settings.SheetsAcross = 40;
    PageGrid grid;
    grid.SheetsDown = 2;
    for (auto call : {std::function<void()>([&] { printRangeFor(40000, settings, grid); }),
                      std::function<void()>([&] { grid.SheetsDown = 900; printRangeFor(0, settings, grid); }),
                      std::function<void()>([] { printPageCount({-32768, 32767}); })}) {
        try {
            call();
            ADD_FAILURE() << "no overflow";
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.number(), 6);
        }
    }
}

TEST(PrintTexts, ConfirmationAndProgress)
{
    EXPECT_EQ(confirmationText(8), QStringLiteral("Are you sure you want to print the  8 pages?"));
    EXPECT_EQ(confirmationText(1), QStringLiteral("Are you sure you want to print the  1 pages?"));
    struct Row { std::int16_t page, count; const char *text; };
    const Row rows[] = {
        {1, 8, "Printing page  1/ 8"},
        {7, 8, "Printing page  7/ 8"},
        {8, 8, "Printing page  8"},
        {7, 1, "Printing page  7"},  // a single page: the page number is not below the count
        {1, 1, "Printing page  1"},
        {12, 40, "Printing page  12/ 40"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(progressText(r.page, r.count), QString::fromLatin1(r.text));
}

TEST_F(PrintJobTest, PosterOfSixPagesFillsSixSheets)
{
    test::MessageCapture messages;
    Poster poster(3, 800);
    ASSERT_EQ(poster.grid.pageCount(), 6);
    const QString pdf = file("poster.pdf");
    const auto printer = pdfPrinter(pdf);
    std::vector<std::pair<int, int>> progress;
    printPoster(*printer, poster.renderer, printRangeFor(0, poster.settings, poster.grid),
                [&](std::int16_t page, std::int16_t count) { progress.emplace_back(page, count); });
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}}));

    ASSERT_EQ(pdfPageCount(pdf), 6) << "one sheet per page, no blank sheet after the last";
    // One page picture per sheet, at its own 820 x 1151 pixels, stretched over the printable area.
    const QSizeF printable = printer->pageLayout().paintRect(QPageLayout::Inch).size();
    const std::vector<PdfImage> images = pdfImages(pdf);
    ASSERT_EQ(images.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(images[i].page, i + 1);
        EXPECT_EQ(images[i].width, 820);
        EXPECT_EQ(images[i].height, 1151);
        EXPECT_EQ(images[i].encoding, QStringLiteral("jpeg"));
        EXPECT_NEAR(images[i].xPpi, 820 / printable.width(), 1);
        EXPECT_NEAR(images[i].yPpi, 1151 / printable.height(), 1);
    }

    // Rendered as a viewer shows it: the picture covers the printable area and nothing beyond it.
    const int dpi = 100;
    const QRect area = printer->pageLayout().paintRectPixels(dpi);
    const QImage first = renderPdfPage(pdf, 1, dpi);
    ASSERT_FALSE(first.isNull());
    const QRect ink = inkBounds(first);
    EXPECT_TRUE(area.adjusted(-2, -2, 2, 2).contains(ink)) << "ink beyond the printable area";
    EXPECT_GT(ink.width(), area.width() * 0.97);
    EXPECT_GT(ink.height(), area.height() * 0.97);

    // The hints are printed in the white margins: page 1 has pages to its right and below it,
    // page 6 has neither, so its margins stay blank.
    const auto rightStrip = [&](double inset) {
        const int left = area.left() + int(area.width() * (800.0 + inset) / 820);
        return QRect(left, area.top(), area.right() - left, int(area.height() * 1131.0 / 1151));
    };
    const auto bottomStrip = [&](double inset) {
        const int top = area.top() + int(area.height() * (1131.0 + inset) / 1151);
        return QRect(area.left(), top, int(area.width() * 800.0 / 820), area.bottom() - top);
    };
    EXPECT_TRUE(hasDarkPixel(first, rightStrip(0)));
    EXPECT_TRUE(hasDarkPixel(first, bottomStrip(0)));
    const QImage last = renderPdfPage(pdf, 6, dpi);
    EXPECT_FALSE(hasDarkPixel(last, rightStrip(4)));
    EXPECT_FALSE(hasDarkPixel(last, bottomStrip(4)));
}

TEST_F(PrintJobTest, SinglePageAndEmptyRange)
{
    Poster poster(3, 400);
    const QString pdf = file("single.pdf");
    const auto printer = pdfPrinter(pdf);
    std::vector<int> pages;
    printPoster(*printer, poster.renderer, printRangeFor(5, poster.settings, poster.grid),
                [&](std::int16_t page, std::int16_t count) {
                    pages.push_back(page);
                    EXPECT_EQ(count, 1);
                });
    EXPECT_EQ(pages, std::vector<int>{5});
    EXPECT_EQ(pdfPageCount(pdf), 1);
    EXPECT_EQ(poster.renderer.CurrentPageRow, 2) << "page 5 itself was rendered";
    EXPECT_EQ(poster.renderer.CurrentPageColumn, 2);

    // No pages: no document at all.
    const QString none = file("none.pdf");
    const auto empty = pdfPrinter(none);
    printPoster(*empty, poster.renderer, {1, 0});
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(PrintJobTest, JobBrokenOffByAnErrorLeavesNoDocument)
{
    Poster poster(3, 200);
    const QString pdf = file("broken.pdf");
    const auto printer = pdfPrinter(pdf);
    PrintJob job(*printer);
    int printed = 0;
    try {
        job.run({1, 6}, [&](std::int16_t page) {
            if (page == 3)
                plakatron::raise(err::OutOfMemory);
            poster.renderer.RenderPage(page, false);
            job.PrintPageImage(poster.renderer.pageCanvas());
            ++printed;
        });
        FAIL() << "the error did not reach the caller";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 7);
    }
    EXPECT_EQ(printed, 2);
    EXPECT_FALSE(QFile::exists(pdf)) << "the half-printed document is aborted, not left behind";

    // The same printer prints a whole job afterwards.
    printPoster(*printer, poster.renderer, {1, 2});
    EXPECT_EQ(pdfPageCount(pdf), 2);
}

TEST_F(PrintJobTest, PrinterThatCannotStartADocument)
{
    Poster poster(3, 200);
    // The output file is a folder: the document cannot be opened.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.pdf")));
    const auto printer = pdfPrinter(file("taken.pdf"));
    int calls = 0;
    try {
        printPoster(*printer, poster.renderer, {1, 3}, [&](std::int16_t, std::int16_t) { ++calls; });
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 482);
        EXPECT_EQ(e.description(), QStringLiteral("Printer error"));
    }
    EXPECT_EQ(calls, 0);
    // Outside a running job there is no sheet to draw on.
    PrintJob idle(*printer);
    EXPECT_THROW(idle.PrintPageImage(poster.picture), RuntimeError);
}
