// The one rule for which page lies where in the grid view, as clicks, the pointer box and the
// keyboard use it: only pages of the poster, never the white strip beside or below the grid.
#include "layout/PageSelection.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace plakatron;

namespace {

struct Poster {
    PosterSettings settings;
    PageGrid grid;
};

// A laid-out grid of columns x rows pages at 800 pixels a page.
Poster poster(int columns, int rows, double sheetsDown = 0)
{
    Poster p;
    p.settings.SheetsAcross = columns;
    p.settings.PagePixelWidth = 800;
    p.settings.PagePixelHeight = 800 * A4Proportion;
    p.grid.GridColumns = static_cast<std::int16_t>(columns);
    p.grid.GridRows = static_cast<std::int16_t>(rows);
    p.grid.SheetsDown = sheetsDown > 0 ? sheetsDown : rows;
    return p;
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(PageAt, OnlyPagesOfThePoster)
{
    const Poster p = poster(3, 2, 1.35);
    // x, y in pages; 0: no page.
    const struct { double x, y; int page; } rows[] = {
        {0, 0, 1}, {0.5, 0.5, 1}, {1.5, 1.5, 5}, {2.999, 1.999, 6}, {2.5, 0.2, 3}, {0.1, 1.9, 4},
        // The strip right of the last column: before, the next row's first page.
        {3.0, 0.5, 0}, {3.02, 0.01, 0}, {3.9, 1.5, 0},
        // Below the last row: before, «page  5» of a 3-page panorama and beyond.
        {0.5, 2.0, 0}, {1.5, 2.3, 0}, {2.9, 7.0, 0},
        {-0.001, 0.5, 0}, {0.5, -0.001, 0}, {NaN, 0.5, 0}, {0.5, NaN, 0}, {Inf, 0.5, 0}, {0.5, -Inf, 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.x << ", " << r.y);
        const QPointF at(r.x * p.settings.PagePixelWidth, r.y * p.settings.PagePixelHeight);
        EXPECT_EQ(pageAt(at, p.settings, p.grid).value_or(0), r.page);
        EXPECT_EQ(pointerBox(at, p.settings, p.grid).has_value(), r.page != 0);
        if (r.page != 0) {
            EXPECT_TRUE(pointerBox(at, p.settings, p.grid)->contains(at));
        }
    }
}

TEST(PageAt, NothingWithoutAGrid)
{
    // The page size still 0 (start-up), no rows, and sheets across changed by a pass abandoned
    // before it laid the grid.
    Poster noSize = poster(3, 2);
    noSize.settings.PagePixelWidth = noSize.settings.PagePixelHeight = 0;
    Poster noRows = poster(3, 0);
    Poster stale = poster(3, 2);
    stale.settings.SheetsAcross = 5;
    for (const Poster *p : {&noSize, &noRows, &stale}) {
        EXPECT_FALSE(pageAt(QPointF(10, 10), p->settings, p->grid));
        EXPECT_FALSE(isPosterPage(1, p->settings, p->grid));
        EXPECT_FALSE(pageAfterStep(1, PageStep::Right, p->settings, p->grid));
        EXPECT_FALSE(pageAfterStep(0, PageStep::Last, p->settings, p->grid));
    }
}

TEST(PageAt, ThePointerBoxEndsWithTheLastRowEvenWhenTheSheetsDownAreWhole)
{
    // Two whole sheets down: the row below the grid is no page, though ry = 2 <= SheetsDown.
    const Poster p = poster(3, 2, 2.0);
    EXPECT_FALSE(pointerBox(QPointF(400, 2.01 * p.settings.PagePixelHeight), p.settings, p.grid));
    EXPECT_TRUE(pointerBox(QPointF(400, 1.99 * p.settings.PagePixelHeight), p.settings, p.grid));
}

// The window's keyboard test walks the edges of 3 x 2, one-row, one-column and one-page posters;
// here the starts from no page (or one not on the poster) and a grid beyond 16-bit page numbers.
TEST(PageAfterStep, StartsOnThePosterAndStaysInItsGrid)
{
    using S = PageStep;
    const struct { int columns, rows, from; S step; int to; } rows[] = {
        {3, 2, 0, S::Right, 1}, {3, 2, 0, S::Up, 1}, {3, 2, 0, S::First, 1}, {3, 2, 0, S::Last, 6},
        {3, 2, 7, S::Right, 1}, {3, 2, 7, S::Last, 6}, {3, 2, -4, S::Down, 1}, {3, 2, 6, S::Right, 6},
        {40, 32767, 1, S::Last, 40 * 32767}, {40, 32767, 40 * 32767, S::Down, 40 * 32767},
        {40, 32767, 40 * 32767, S::Up, 40 * 32766}, {40, 32767, 40, S::Right, 40},
    };
    for (const auto &r : rows) {
        const Poster p = poster(r.columns, r.rows);
        EXPECT_EQ(pageAfterStep(r.from, r.step, p.settings, p.grid), r.to) << r.columns << " x " << r.rows << " from " << r.from;
    }
}

TEST(GridViewAccessibleName, SaysThePagesAndTheSelection)
{
    Poster p = poster(3, 2);
    const auto name = [&](int selected) {
        p.grid.SelectedPage = static_cast<std::int16_t>(selected);
        return gridViewAccessibleName(p.settings, p.grid).toStdString();
    };
    EXPECT_EQ(name(5), "Source picture: 3 × 2 pages, page 5 selected");
    EXPECT_EQ(name(0), "Source picture: 3 × 2 pages, no page selected");
    EXPECT_EQ(name(7), "Source picture: 3 × 2 pages, no page selected");
    p = poster(1, 1);
    EXPECT_EQ(name(1), "Source picture: 1 × 1 page, page 1 selected");
    p.grid.GridRows = 0;
    EXPECT_EQ(name(0), "Source picture: no pages");
}

// The grid view's fit, which the assembly map shares: the worked example of the built-in picture
// (880 x 560, 3 sheets at 800 pixels) in the 436 x 397 view, a view too wide (the height decides)
// and one too tall (the width decides), and a half pixel rounded to the even neighbour.
TEST(FitGrid, ScalePictureAndGridInTheArea)
{
    Poster p = poster(3, 2, 1.3501);
    p.grid.PosterPixelWidth = 2400;
    p.grid.PosterPixelHeight = 2400 / (880.0 / 560);
    const struct { QSizeF area; double scale; QSize picture; QSizeF grid; } rows[] = {
        {{436, 397}, 397 / (2 * 1131.2), {421, 268}, {421.146, 397}},
        {{2000, 397}, 397 / (2 * 1131.2), {421, 268}, {421.146, 397}},
        {{240, 3000}, 0.1, {240, 153}, {240, 226.24}},
        // 1650.5 pixels across: 1650, not 1651.
        {{1650.5, 4000}, 1650.5 / 2400, {1650, 1050}, {1650.5, 1555.871}},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.area.width() << " x " << r.area.height());
        const GridFit fit = fitGrid(p.settings, p.grid, r.area);
        EXPECT_NEAR(fit.scale, r.scale, 1e-9);
        EXPECT_EQ(fit.picture, r.picture);
        EXPECT_NEAR(fit.grid.width(), r.grid.width(), 0.01);
        EXPECT_NEAR(fit.grid.height(), r.grid.height(), 0.01);
    }
    p.grid.GridViewWidth = 436;
    p.grid.GridViewHeight = 397;
    EXPECT_EQ(viewScale(p.settings, p.grid), fitGrid(p.settings, p.grid, QSizeF(436, 397)).scale);
    EXPECT_THROW(fitGrid(p.settings, p.grid, QSizeF(0, 0)), RuntimeError);
}
