// SPDX-License-Identifier: GPL-3.0-or-later
// The layout pass over pictures of every shape: sheets across after the clamps (written back to
// the list), the grid and the size labels; a pass abandoned midway keeps what it wrote before.
#include "core/RuntimeError.h"
#include "layout/PageLayout.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <optional>

using namespace plakatron;

namespace {

// The window around the pass, as the pass sees it.
struct RecordingSurface final : LayoutSurface {
    explicit RecordingSurface(int index) : index(index) {}
    void setSheetsListIndex(int i) override { writes.push_back(index = i); }
    void clearPreview() override { ++cleared; }
    void rebuildGridView() override { ++rebuilt; }
    int index, cleared = 0, rebuilt = 0;
    std::vector<int> writes;
};

struct Pass {
    PosterSettings settings;
    PageGrid grid;
    LayoutLabels labels;
    RecordingSurface surface{0};
    std::optional<int> error;
    std::string shown() const
    {
        return QStringList({labels.lbA4Height, labels.lbFinalImageWidth, labels.lbFinalImageHeight, labels.lbTotalPages})
            .join(u'|')
            .toStdString();
    }
};

// One pass with `sheets` chosen in the list, at `resolution` pixels a sheet (0: no page size yet).
Pass run(double width, double height, int sheets, double resolution = 800, int overlap = 3)
{
    Pass p;
    p.settings.PagePixelWidth = resolution;
    p.settings.PagePixelHeight = resolution * A4Proportion;
    p.settings.Overlap = static_cast<std::int16_t>(overlap);
    p.surface.index = sheets - 1;
    p.grid.SelectedPage = 4;
    p.labels.lbA4Height = p.labels.lbTotalPages = QStringLiteral("old");
    try {
        RunLayoutPass(QSizeF(width, height), sheets, p.settings, p.grid, p.labels, p.surface);
    } catch (const RuntimeError &e) {
        p.error = e.number();
    }
    return p;
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

}  // namespace

TEST_F(Layout, GridAndLabelsAcrossPictures)
{
    const struct { double w, h; int sheets, overlap, across, rows; const char *labels; std::vector<int> writes; } rows[] = {
        {880, 560, 3, 3, 3, 2, "1.35|57.6cm|37cm|6", {}},  // the built-in picture
        {880, 560, 4, 5, 4, 2, "1.80|75.6cm|48.6cm|8", {}},
        {880, 560, 10, 3, 10, 5, "4.50|1m  93.3cm|1m  23.1cm|50", {}},  // a metre and more: a blank after "m "
        {880, 560, 5, 0, 5, 3, "2.25|98.3cm|62.6cm|15", {}},         // overlap 0: still 2 pixels
        {880, 560, 1, 50, 1, 1, "0.45|13.2cm|9.3cm|1", {}},               // overlap 50: a crop half again the cell
        {160, 707, 1, 3, 1, 4, "3.13|19.2cm|85.5cm|4", {}},             // 3.125 rounds half away from zero
        {100, 504, 1, 3, 1, 4, "3.56|19.2cm|97.7cm|4", {}},
        {100, 1732, 1, 3, 1, 13, "12.25|19.2cm|3m  36.3cm|13", {}},
        // At least 10 source pixels a sheet (9 are too few), at least one sheet: written back to the list.
        {25, 100, 3, 3, 2, 6, "5.66|33.9cm|1m  45.8cm|12", {1}},
        {29, 100, 3, 3, 2, 5, "4.88|34.6cm|1m  25.9cm|10", {1}},
        {30, 100, 3, 3, 3, 8, "7.07|52.2cm|1m  73.1cm|24", {}},
        {8, 100, 3, 3, 1, 9, "8.84|15.4cm|2m  13.1cm|9", {-1, 0}},
        // A row thinner than a hundredth of a sheet is dropped, but one row always stays.
        {352.7, 1000, 1, 3, 1, 2, "2.01|19.2cm|54.9cm|2", {}},
        {351.7, 1000, 1, 3, 1, 3, "2.01|19.2cm|55cm|3", {}},
        {1000, 7, 1, 3, 1, 1, "0.00|19.2cm|.1cm|1", {}},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << "x" << r.h << " sheets " << r.sheets << " overlap " << r.overlap);
        const Pass p = run(r.w, r.h, r.sheets, 800, r.overlap);
        ASSERT_FALSE(p.error);
        EXPECT_EQ(p.settings.SheetsAcross, r.across);
        EXPECT_EQ(std::pair(int(p.grid.GridColumns), int(p.grid.GridRows)), std::pair(r.across, r.rows));
        EXPECT_EQ(p.shown(), r.labels);
        EXPECT_EQ(p.surface.writes, r.writes);
        EXPECT_EQ(std::tuple(p.grid.SelectedPage, p.surface.cleared, p.surface.rebuilt), std::tuple(0, 1, 1));
    }
}

// An arithmetic failure abandons the pass, keeping what it wrote before: with the page size still
// 0 (the first pass at start-up) nothing after the selection and the sheets; with rows beyond 16
// bits the labels up to the heights are new, the rows and the page count old. No sheets chosen:
// a division by zero.
TEST_F(Layout, AnAbandonedPassKeepsWhatItWroteBefore)
{
    const Pass noSize = run(880, 560, 3, 0);
    EXPECT_EQ(noSize.error, err::Overflow);
    EXPECT_EQ(std::tuple(noSize.grid.SelectedPage, noSize.surface.cleared, noSize.surface.rebuilt), std::tuple(0, 1, 0));
    EXPECT_EQ(noSize.settings.SheetsAcross, 3);
    EXPECT_EQ(noSize.shown(), "old|||old");
    const Pass tall = run(1, 100000, 40, 1400);
    EXPECT_EQ(tall.error, err::Overflow);
    EXPECT_EQ(tall.grid.GridRows, 0);
    EXPECT_EQ(tall.shown(), "70721.36|0cm|9427m  68.8cm|old");
    EXPECT_EQ(run(880, 560, 0).error, err::DivisionByZero);
}
