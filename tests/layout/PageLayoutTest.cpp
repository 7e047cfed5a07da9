#include "core/RuntimeError.h"
#include "layout/PageLayout.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <optional>

using namespace plakatron;

namespace {

class RecordingSurface final : public LayoutSurface {
public:
    explicit RecordingSurface(int index) : index(index) {}
    int sheetsListIndex() const override { return index; }
    void setSheetsListIndex(int i) override
    {
        index = i;
        writes.push_back(i);
    }
    void clearPreview() override { ++cleared; }
    void rebuildGridView() override { ++rebuilt; }
    int index;
    std::vector<int> writes;
    int cleared = 0;
    int rebuilt = 0;
};

struct Pass {
    PosterSettings settings;
    PageGrid grid;
    LayoutLabels labels;
    std::optional<int> error;
    std::vector<int> listWrites;
};

Pass run(double width, double height, int sheets, double resolution, int overlap)
{
    Pass p;
    p.settings.PagePixelWidth = resolution;
    p.settings.PagePixelHeight = resolution * A4Proportion;
    RecordingSurface surface(sheets - 1);
    try {
        RunLayoutPass(QSizeF(width, height), static_cast<std::int16_t>(overlap), p.settings, p.grid, p.labels, surface);
    } catch (const RuntimeError &e) {
        p.error = e.number();
    }
    p.listWrites = surface.writes;
    return p;
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

}  // namespace

TEST_F(LayoutTest, WorkedExampleOfTheDefaultPicture)
{
    const Pass p = run(880, 560, 3, 800, 3);
    ASSERT_FALSE(p.error);
    EXPECT_DOUBLE_EQ(p.settings.PagePixelHeight, 1131.2);
    EXPECT_DOUBLE_EQ(p.grid.PosterPixelWidth, 2400);
    EXPECT_NEAR(p.grid.PosterPixelHeight, 1527.2727, 1e-4);
    EXPECT_NEAR(p.grid.SheetsDown, 1.3501, 1e-4);
    // Its grid and labels are the first row of the table below.
}

TEST_F(LayoutTest, GridAndLabelsAcrossPictures)
{
    struct Row {
        double w, h;
        int sheets, overlap;
        double sheetsAcross;  // after the clamps; also the column count
        int rows;
        const char *labels;  // height in sheets, width, height, page count
    };
    const Row rows[] = {
        {880, 560, 3, 3, 3, 2, "1.35|59.8cm|38cm|6"},  // the worked example
        // 4 sheets, 5 %: the rendering example's poster.
        {880, 560, 4, 5, 4, 2, "1.80|78.1cm|49.7cm|8"},
        // A whole metre and more: the Str form's blank stays after "m ".
        {880, 560, 10, 3, 10, 5, "4.50|1m  99.5cm|1m  26.9cm|50"},
        // 5 sheets at 0 %: 102.9 cm, shown without binary noise.
        {880, 560, 5, 0, 5, 3, "2.25|1m  2.9cm|65.4cm|15"},
        // Overlap 50 on one sheet: each sheet counts 48 %.
        {880, 560, 1, 50, 1, 1, "0.45|10cm|6.4cm|1"},
        // 3.125 sheets exactly rounds half away from zero.
        {160, 707, 1, 3, 1, 4, "3.13|19.9cm|88.1cm|4"},
        // Heights of 100.5 cm and 345.6 cm.
        {100, 504, 1, 3, 1, 4, "3.56|19.9cm|1m  .5cm|4"},
        {100, 1732, 1, 3, 1, 13, "12.25|19.9cm|3m  45.6cm|13"},
        // Narrow sources: at least 10 source pixels per sheet, at least one sheet.
        {25, 100, 3, 3, 2, 6, "5.66|39.9cm|1m  59.6cm|12"},
        {29, 100, 3, 3, 2, 5, "4.88|39.9cm|1m  37.6cm|10"},  // 9 pixels a sheet are still too few
        {8, 100, 3, 3, 1, 9, "8.84|19.9cm|2m  49.4cm|9"},
        // A sliver of a row thinner than a hundredth of a sheet still makes one row.
        {1000, 7, 1, 3, 1, 1, "0.00|19.9cm|.1cm|1"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << "x" << r.h << " sheets " << r.sheets << " overlap " << r.overlap);
        const Pass p = run(r.w, r.h, r.sheets, 800, r.overlap);
        ASSERT_FALSE(p.error);
        EXPECT_EQ(p.settings.SheetsAcross, r.sheetsAcross);
        EXPECT_EQ(p.grid.GridColumns, r.sheetsAcross);
        EXPECT_EQ(p.grid.GridRows, r.rows);
        const LayoutLabels &l = p.labels;
        EXPECT_EQ(QStringList({l.lbA4Height, l.lbFinalImageWidth, l.lbFinalImageHeight, l.lbTotalPages}).join(u'|'),
                  QString::fromUtf8(r.labels));
    }
}

TEST_F(LayoutTest, ClampedSheetsAreWrittenBackToTheList)
{
    EXPECT_EQ(run(25, 100, 3, 800, 3).listWrites, std::vector<int>{1});
    // Narrower than 10 pixels: first no sheet (index -1), then the one sheet.
    EXPECT_EQ(run(8, 100, 3, 800, 3).listWrites, (std::vector<int>{-1, 0}));
    EXPECT_TRUE(run(30, 100, 3, 800, 3).listWrites.empty());
}

TEST_F(LayoutTest, RowsDropAHundredthOfASheet)
{
    // SheetsDown = 800 x 1 x h / (w x 1131.2): pick w so that SheetsDown is just above 2.
    const auto rowsFor = [](double sheetsDown) {
        const double w = 800.0 * 1000 / (1131.2 * sheetsDown);
        return run(w, 1000, 1, 800, 3);
    };
    EXPECT_EQ(rowsFor(2.005).grid.GridRows, 2);
    EXPECT_EQ(rowsFor(2.011).grid.GridRows, 3);
    EXPECT_EQ(rowsFor(2.0).grid.GridRows, 2);
}

TEST_F(LayoutTest, AbandonedPassKeepsWhatItWroteBefore)
{
    // Page size still 0 (the first pass at start-up): 0 / 0 in the sheets down.
    {
        Pass p;
        p.labels.lbA4Height = QStringLiteral("old");
        p.grid.SelectedPage = 4;
        RecordingSurface surface(2);
        try {
            RunLayoutPass(QSizeF(880, 560), 3, p.settings, p.grid, p.labels, surface);
            FAIL() << "expected the pass to be abandoned";
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.number(), err::Overflow);
        }
        EXPECT_EQ(p.grid.SelectedPage, 0);
        EXPECT_EQ(surface.cleared, 1);
        EXPECT_EQ(p.settings.SheetsAcross, 3);
        EXPECT_EQ(p.labels.lbA4Height, QStringLiteral("old"));
        EXPECT_EQ(surface.rebuilt, 0);
    }
    // Rows beyond 16 bits: labels up to the width are new, the rows and page count stay old.
    {
        const Pass p = run(1, 100000, 40, 1400, 3);
        EXPECT_EQ(p.error, err::Overflow);
        EXPECT_EQ(p.grid.GridRows, 0);
        EXPECT_TRUE(p.labels.lbTotalPages.isEmpty());
    }
    // No selection in the list: no sheets, a division by zero.
    EXPECT_EQ(run(880, 560, 0, 800, 3).error, err::DivisionByZero);
}

TEST(PosterLists, EntriesAndTheirIndexes)
{
    const QStringList sheets = sheetsAcrossEntries(), res = resolutionEntries();
    ASSERT_EQ(sheets.size(), 40);
    ASSERT_EQ(res.size(), 24);
    const std::pair<QString, QString> entries[] = {
        {sheets[0], "1 page"}, {sheets[1], "2 pages"}, {sheets[DefaultSheetsIndex], "3 pages *"},
        {sheets[39], "40 pages"}, {res[0], "10"}, {res[9], "100"}, {res[10], "100"},
        {res[DefaultResolutionIndex], "800 *"}, {res[23], "1400"}};
    for (const auto &[entry, text] : entries)
        EXPECT_EQ(entry, text);
    EXPECT_EQ(resolutionIndexOf(100), 9);  // the first of the two
    EXPECT_EQ(resolutionIndexOf(800), 17);
    EXPECT_EQ(resolutionIndexOf(150), -1);
}
