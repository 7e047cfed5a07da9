#include "printing/PageGeometry.h"

#include <gtest/gtest.h>

using namespace plakatron;

TEST(PageGeometry, PositionsFollowTheRowByRowNumbering)
{
    struct Row { int page; double sheets; int row, column; };
    const Row rows[] = {
        {1, 1, 1, 1}, {6, 4, 2, 2}, {2, 4, 1, 2}, {4, 4, 1, 4}, {5, 4, 2, 1}, {10, 4, 3, 2}, {5, 3, 2, 2},
        {7, 3, 3, 1}, {40, 40, 1, 40}, {41, 40, 2, 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << "page " << r.page << " of " << r.sheets << " across");
        const PagePosition p = pagePosition(r.page, r.sheets);
        EXPECT_EQ(p.row, r.row);
        EXPECT_EQ(p.column, r.column);
    }
}

TEST(PageGeometry, CellsOverlapsAndCropOfTheWorkedExample)
{
    // 880 x 560, 4 sheets, 800 pixels: 1.8002 sheets down.
    const double sheetsDown = 800.0 * 4 / (880.0 / 560) / 1131.2;
    const double cw = cellWidth(880, 4);
    const double ch = cellHeight(560, sheetsDown);
    EXPECT_EQ(cw, 220);
    EXPECT_EQ(ch, 312);
    EXPECT_EQ(overlapPixels(cw, 5), 11);
    const QRect crop = cropSourceRect(pagePosition(6, 4), cw, ch, 11, 11);
    EXPECT_EQ(crop, QRect(221, 313, 231, 323));
}

TEST(PageGeometry, OverlapIsAPercentOfTheCellWidthAndAtLeastTwoPixels)
{
    struct Row { double cell; int percent; int pixels; };
    const Row rows[] = {{220, 0, 2}, {220, 10, 22}, {220, 5, 11}, {30, 3, 2}, {100, 1, 2}, {101, 2, 3},
                        {1400, 50, 700}, {10, 50, 5}};
    for (const Row &r : rows)
        EXPECT_EQ(overlapPixels(r.cell, static_cast<std::int16_t>(r.percent)), r.pixels)
            << r.cell << " at " << r.percent << " %";
}

TEST(PageGeometry, HintsNameTheNeighbours)
{
    struct Row { int page; double sheets; int gridRows; const char16_t *below; const char16_t *next; };
    const Row rows[] = {
        // 4 across, 2 rows: page 6 is in the last row, page 2 has a page below.
        {6, 4, 2, u" ", u" 6 put  7 next"},
        {2, 4, 2, u"p. 2 put  6 below", u" 2 put  3 next"},
        {8, 4, 2, u" ", u" "},
        // Two-digit pages: 19 and 16 characters.
        {10, 4, 4, u"p. 10 put  14 below", u" 10 put  11 next"},
        // A one-page poster has no neighbours.
        {1, 1, 1, u" ", u" "},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.page);
        const PagePosition p = pagePosition(r.page, r.sheets);
        EXPECT_EQ(bottomHint(r.page, p.row, static_cast<std::int16_t>(r.gridRows), pageColumns(r.sheets)),
                  QString::fromUtf16(r.below));
        EXPECT_EQ(rightHint(r.page, p.column, r.sheets), QString::fromUtf16(r.next));
    }
    EXPECT_EQ(bottomHint(10, 3, 4, 4).size(), 19);
    EXPECT_EQ(rightHint(10, 2, 4).size(), 16);
}
