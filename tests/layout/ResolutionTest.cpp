// SPDX-License-Identifier: GPL-3.0-or-later
// The page resolutions: the list on each paper (its first 24 entries as they always were), the
// selection when the paper changes, "Auto" from the picture's pixels a sheet within 800 and the
// paper's 300 ppi, and the line on what the print will be.
#include "layout/Poster.h"

#include <QImage>
#include <gtest/gtest.h>
#include <map>

using namespace plakatron;

namespace {

const Paper A4{};
const Paper A3{QPageSize::A3, QPageLayout::Portrait};
const Paper A5{QPageSize::A5, QPageLayout::Portrait};
const Paper TabloidLandscape{QPageSize::Tabloid, QPageLayout::Landscape};
const Paper LetterPortrait{QPageSize::Letter, QPageLayout::Portrait};

std::string joined(const QStringList &entries) { return entries.join(u'|').toStdString(); }

// A poster of a plain picture of `size` on A4, as the window and the tool lay it out.
Poster poster(QSize size, double sheets, double resolution, bool automatic = false, const Paper &paper = A4)
{
    // Made once a size: the layout reads only its size, and a photo's pixels take a while to fill.
    static std::map<std::pair<int, int>, QImage> made;
    QImage &picture = made[{size.width(), size.height()}];
    if (picture.isNull()) {
        picture = QImage(size, QImage::Format_RGB32);
        picture.fill(Qt::gray);
    }
    PosterChoices choices{sheets, resolution, DefaultOverlap, pdfSheet(paper), {}, automatic};
    return makePoster(picture, choices);
}

}  // namespace

TEST(Resolutions, ListRunsToThePapersThreeHundredPpiAfterTheEntriesOfOld)
{
    const std::string old = "10|20|30|40|50|60|70|80|90|100|100|200|300|400|500|600|700|800 *|900|1000|1100|1200|1300|1400";
    const struct { Paper paper; const char *added; int most; } rows[] = {
        {A4, "1600|1800|2000|2200|2400|2480|Auto", 2480},
        {LetterPortrait, "1600|1800|2000|2200|2400|2550|Auto", 2550},
        {A5, "1600|1748|Auto", 1748},
        {A3, "1600|1800|2000|2200|2400|2800|3200|3508|Auto", 3508},
        {Paper{QPageSize::A4, QPageLayout::Landscape}, "1600|1800|2000|2200|2400|2800|3200|3508|Auto", 3508},
        {TabloidLandscape, "1600|1800|2000|2200|2400|2800|3200|3600|4000|4400|4800|5100|Auto", 5100},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(paperText(r.paper).toStdString());
        const QStringList entries = resolutionEntries(r.paper);
        EXPECT_EQ(joined(entries.mid(0, 24)), old);
        EXPECT_EQ(joined(entries.mid(24)), r.added);
        EXPECT_EQ(mostPagePixels(r.paper), r.most);
        EXPECT_EQ(resolutionIndexOf(r.most, r.paper), entries.size() - 2);
        EXPECT_EQ(resolutionIndexOf(r.most + 1, r.paper), -1);
        EXPECT_EQ(resolutionIndexOf(800, r.paper), DefaultResolutionIndex);
        EXPECT_EQ(resolutionIndexOf(100, r.paper), 9);  // the first of the two
        EXPECT_EQ(resolutionIndexOf(0, r.paper), -1);   // "Auto" is no number
    }
    EXPECT_EQ(resolutionEntries(), resolutionEntries(A4));
}

// A larger paper offers more, a smaller one less; the selection follows as the user means it.
TEST(Resolutions, SelectionWhenThePaperChanges)
{
    const struct { Paper from, to; int index; const char *before, *after; } rows[] = {
        {A4, A3, 29, "2480", "3508"},     // 300 ppi stays 300 ppi
        {A3, A4, 31, "3508", "2480"},
        {A4, A3, 30, "Auto", "Auto"},
        {A3, A5, 32, "Auto", "Auto"},
        {A4, A3, 27, "2200", "2200"},     // in both lists
        {A3, A4, 30, "3200", "2480"},     // above the smaller paper's 300 ppi
        {A3, A5, 28, "2400", "1748"},
        {TabloidLandscape, A3, 32, "4000", "3508"},
        {A3, TabloidLandscape, 30, "3200", "3200"},
        {A3, LetterPortrait, 29, "2800", "2550"},
        {A4, A5, 17, "800 *", "800 *"},   // the entries of old keep their place
        {A5, A3, 23, "1400", "1400"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(paperText(r.from).toStdString() + " to " + paperText(r.to).toStdString());
        ASSERT_EQ(resolutionEntries(r.from)[r.index].toStdString(), r.before);
        const int index = resolutionIndexOnPaper(r.index, r.from, r.to);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, resolutionEntries(r.to).size());
        EXPECT_EQ(resolutionEntries(r.to)[index].toStdString(), r.after);
    }
    EXPECT_EQ(resolutionIndexOnPaper(-1, A4, A3), -1);
    EXPECT_EQ(resolutionIndexOnPaper(99, A4, A3), DefaultResolutionIndex);
}

// "Auto" takes the picture's pixels across one cell, at least 800 and at most 300 ppi of the paper;
// the page keeps the paper's shape and the poster its printed size.
TEST(Resolutions, AutoTakesThePicturesPixelsASheetWithinItsBounds)
{
    const struct { QSize picture; double sheets; Paper paper; double width; } rows[] = {
        {{880, 560}, 3, A4, 800},          // 294 a sheet: the default at least
        {{2400, 1600}, 3, A4, 800},
        {{6000, 4000}, 3, A4, 2000},        // a 24 MP photo
        {{6001, 4000}, 3, A4, 2001},        // cells are rounded up
        {{3000, 2000}, 1, A4, 2480},        // 300 ppi at most
        {{3000, 2000}, 1, A3, 3000},
        {{6000, 4000}, 1, TabloidLandscape, 5100},
        {{6000, 4000}, 1, A5, 1748},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.picture.width() << " x " << r.picture.height() << ", " << r.sheets
                                        << " sheets on " << paperText(r.paper).toStdString());
        const Poster automatic = poster(r.picture, r.sheets, 0, true, r.paper);
        EXPECT_EQ(automatic.settings.PagePixelWidth, r.width);
        EXPECT_DOUBLE_EQ(automatic.settings.PagePixelHeight, pagePixelHeight(r.width, r.paper));
        // The same poster as that resolution chosen from the list.
        const Poster chosen = poster(r.picture, r.sheets, r.width, false, r.paper);
        EXPECT_EQ(automatic.grid.Printed.page, chosen.grid.Printed.page);
        EXPECT_EQ(automatic.pageCount(), chosen.pageCount());
        EXPECT_EQ(automatic.labels.lbFinalImageWidth, chosen.labels.lbFinalImageWidth);
        EXPECT_EQ(automatic.labels.lbResolution, QString::number(r.width) + QStringLiteral(" px: ") + chosen.labels.lbResolution);
    }
    // A size asked for picks its sheets, and "Auto" the pixels of those sheets.
    PosterChoices asked{3, 0, DefaultOverlap, pdfSheet(A4), {PosterSize::Side::Width, 1000, QStringLiteral("1m")}, true};
    const Poster metre = makePoster(poster({6000, 4000}, 3, 800).picture, asked);
    EXPECT_EQ(metre.settings.PagePixelWidth, std::min(2480.0, cellWidth(6000, metre.settings.SheetsAcross)));
    EXPECT_NEAR(metre.grid.Printed.width, 1000, 0.5);
}

// The line beside the resolution list: the page's ppi on the paper, the picture's own, marked
// below 100 ppi. The picture's figure is its pixels shown over the printed width.
TEST(Resolutions, LineSaysWhatThePrintWillBe)
{
    const struct { QSize picture; double sheets, resolution; Paper paper; const char *line; } rows[] = {
        {{880, 560}, 3, 800, A4, "103 ppi on A4, picture 39 ppi (blown up)"},  // the built-in picture's poster
        {{880, 560}, 1, 800, A4, "103 ppi on A4, picture 116 ppi"},
        {{880, 560}, 1, 1400, A4, "178 ppi on A4, picture 115 ppi"},
        {{6000, 4000}, 3, 800, A4, "103 ppi on A4, picture 264 ppi"},
        {{6000, 4000}, 3, 2480, A4, "313 ppi on A4, picture 260 ppi"},
        {{6000, 4000}, 40, 800, A4, "103 ppi on A4, picture 20 ppi (blown up)"},
        {{6000, 4000}, 3, 800, A3, "72 ppi on A3, picture 185 ppi"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.picture.width() << " x " << r.picture.height() << ", " << r.sheets
                                        << " sheets at " << r.resolution);
        const Poster p = poster(r.picture, r.sheets, r.resolution, false, r.paper);
        EXPECT_EQ(p.labels.lbResolution.toStdString(), r.line);
        const PrintedSize &printed = p.grid.Printed;
        // The picture shown (its first column is never cut) over the inches it prints across.
        const double shown = std::min(r.picture.width() - 1.0,
                                      pageColumns(p.settings.SheetsAcross) * cellWidth(r.picture.width(), p.settings.SheetsAcross)
                                          + overlapWidth(cellWidth(r.picture.width(), p.settings.SheetsAcross), DefaultOverlap));
        EXPECT_NEAR(printed.picturePixelsPerInch, shown / (printed.width / 25.4), 0.01);
        EXPECT_EQ(blownUp(printed, false), p.labels.lbResolution.endsWith(QStringLiteral("(blown up)")));
        EXPECT_FALSE(blownUp(printed, true));
        EXPECT_EQ(resolutionLine(printed, r.paper, true).toStdString(),
                  std::string(r.line).substr(0, std::string(r.line).find(',')) + ", picture sharp at any size");
    }
}
