// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule for which page lies where in the grid view, as clicks, the pointer box and the
// keyboard use it: only pages of the poster, never the white strip beside or below the grid; and
// the fit of the grid in the view. The window's tests walk the grid's edges with real keys.
#include "layout/PageSelection.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace plakatron;

namespace {

struct Poster {
    PosterSettings settings;
    PageGrid grid;
};

// A laid-out grid of columns x rows pages at 800 pixels a page.
Poster poster(int columns, int rows, double sheetsDown)
{
    Poster p{{double(columns), 800, 800 * A4Proportion}, {}};
    p.grid.GridColumns = static_cast<std::int16_t>(columns);
    p.grid.GridRows = static_cast<std::int16_t>(rows);
    p.grid.SheetsDown = sheetsDown;
    return p;
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN(), Inf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(PageAt, OnlyPagesOfThePoster)
{
    const Poster p = poster(3, 2, 2.0);  // two whole sheets down: the row below is still no page
    const struct { double x, y; int page; } rows[] = {  // x, y in pages; 0: no page
        {0, 0, 1}, {0.5, 0.5, 1}, {1.5, 1.5, 5}, {2.999, 1.999, 6}, {2.5, 0.2, 3}, {0.1, 1.9, 4},
        {3.0, 0.5, 0}, {3.02, 0.01, 0}, {3.9, 1.5, 0},  // right of the last column: before, the next row's first page
        {0.5, 2.0, 0}, {1.5, 2.01, 0}, {2.9, 7.0, 0},   // below the last row
        {-0.001, 0.5, 0}, {0.5, -0.001, 0}, {NaN, 0.5, 0}, {0.5, NaN, 0}, {Inf, 0.5, 0}, {0.5, -Inf, 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.x << ", " << r.y);
        const QPointF at(r.x * p.settings.PagePixelWidth, r.y * p.settings.PagePixelHeight);
        EXPECT_EQ(pageAt(at, p.settings, p.grid).value_or(0), r.page);
        const std::optional<QRectF> box = pointerBox(at, p.settings, p.grid);
        EXPECT_EQ(box.has_value(), r.page != 0);
        EXPECT_TRUE(!box || box->contains(at));
    }
}

// Without a laid-out grid (the page size still 0 at start-up, no rows, or sheets across changed by
// a pass abandoned before its grid) there is no page to click, select or step to.
TEST(PageAt, NothingWithoutAGrid)
{
    Poster noSize = poster(3, 2, 2), noRows = poster(3, 0, 0), stale = poster(3, 2, 2);
    noSize.settings.PagePixelWidth = noSize.settings.PagePixelHeight = 0;
    stale.settings.SheetsAcross = 5;
    for (const Poster *p : {&noSize, &noRows, &stale}) {
        EXPECT_FALSE(pageAt(QPointF(10, 10), p->settings, p->grid));
        EXPECT_FALSE(isPosterPage(1, p->settings, p->grid));
        EXPECT_FALSE(pageAfterStep(1, PageStep::Right, p->settings, p->grid));
        EXPECT_FALSE(pageAfterStep(0, PageStep::Last, p->settings, p->grid));
    }
}

// Steps on posters of every shape, each from the page before (0: none): the first step from no
// page, or from one beyond the grid, starts on the poster (End on the last page); the arrows stop
// at the poster's edges. The grid view's name never says a page beyond the grid is selected.
TEST(PageAfterStep, StartsOnThePosterAndStopsAtItsEdges)
{
    using S = PageStep;
    const struct { int columns, rows, from; std::vector<std::pair<PageStep, int>> steps; } posters[] = {
        {3, 2, 0, {{S::Left, 1}, {S::Up, 1}, {S::Right, 2}, {S::Right, 3}, {S::Right, 3}, {S::Down, 6}, {S::Down, 6},
                   {S::Left, 5}, {S::First, 1}, {S::Last, 6}, {S::Up, 3}, {S::Left, 2}}},
        {3, 2, 7, {{S::Right, 1}}}, {3, 2, -4, {{S::Down, 1}}}, {3, 2, 7, {{S::Last, 6}}},
        {3, 1, 0, {{S::Last, 3}, {S::Down, 3}, {S::Right, 3}, {S::Left, 2}, {S::Up, 2}, {S::First, 1}, {S::Left, 1}}},
        {1, 8, 0, {{S::Down, 1}, {S::Right, 1}, {S::Down, 2}, {S::Last, 8}, {S::Down, 8}, {S::Left, 8}, {S::Up, 7}}},
        {1, 1, 0, {{S::Up, 1}, {S::Right, 1}, {S::Down, 1}, {S::Last, 1}, {S::First, 1}}},
    };
    for (const auto &p : posters) {
        const Poster poster = ::poster(p.columns, p.rows, p.rows);
        int page = p.from;
        for (const auto &[step, to] : p.steps) {
            page = pageAfterStep(page, step, poster.settings, poster.grid).value_or(0);
            EXPECT_EQ(page, to) << p.columns << " x " << p.rows << ", step " << int(step);
        }
    }
    Poster p = poster(3, 2, 2);
    p.grid.SelectedPage = 7;
    EXPECT_EQ(gridViewAccessibleName(p.settings, p.grid), QStringLiteral("Source picture: 3 × 2 pages, no page selected"));
    p = poster(1, 1, 1);
    p.grid.SelectedPage = 1;
    EXPECT_EQ(gridViewAccessibleName(p.settings, p.grid), QStringLiteral("Source picture: 1 × 1 page, page 1 selected"));
}

// The grid view's fit, which the assembly map shares: 3 x 2 pages at 800 pixels in the 436 x 397
// view, a view too wide (the height decides) and one too tall (the width decides), and a half pixel
// rounded to the even neighbour. The picture is drawn as the pages are cut from it: 2401 x 1529
// pixels in cells of 800 x 1133 from its second column and row, 2400 x 1525.57 page pixels.
TEST(FitGrid, ScalePictureAndGridInTheArea)
{
    Poster p = poster(3, 2, 1.3501);
    p.settings.SheetsAcross = 2401 / 800.0;
    p.grid.SourceWidth = 2401;
    p.grid.SourceHeight = 1529;
    const struct { QSizeF area; double scale; QSize picture; QSizeF grid; } rows[] = {
        {{436, 397}, 397 / (2 * 1131.2), {421, 268}, {421.146, 397}},
        {{2000, 397}, 397 / (2 * 1131.2), {421, 268}, {421.146, 397}},
        {{240, 3000}, 0.1, {240, 153}, {240, 226.24}},
        {{1648.5, 4000}, 1648.5 / 2400, {1648, 1048}, {1648.5, 1553.986}},  // 1648, not 1649
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
