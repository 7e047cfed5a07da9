// SPDX-License-Identifier: GPL-3.0-or-later
// Papers, sizes asked for and the sheet a poster is printed on: names and lengths as the window
// and the command line read them, the page shape each paper gives, the sheets across a width or
// height needs, what cannot be laid out, and the printed size on a calibrated printer.
#include "layout/PageSelection.h"
#include "layout/Poster.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

QSizeF builtInSize(880, 560);

Poster posterOf(QSize picture, const PosterChoices &choices)
{
    QImage image(picture, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return makePoster(image, choices);
}

PosterChoices on(const Paper &paper, PosterSize size = {}, double sheets = 3)
{
    return {sheets, 800, DefaultOverlap, pdfSheet(paper), size};
}

PosterSize asked(const char *text)
{
    const std::optional<PosterSize> size = parsePosterSize(QString::fromUtf8(text));
    EXPECT_TRUE(size) << text;
    return size.value_or(PosterSize{});
}

std::string labels(const Poster &p)
{
    return QStringList({p.labels.lbA4Height, p.labels.lbFinalImageWidth, p.labels.lbFinalImageHeight, p.labels.lbTotalPages})
        .join(u'|')
        .toStdString();
}

}  // namespace

TEST(Paper, NamesAndShapes)
{
    EXPECT_EQ(paperEntries().join(u',').toStdString(),
              "A4 portrait,A3 portrait,A5 portrait,Letter portrait,Legal portrait,Tabloid portrait,"
              "A4 landscape,A3 landscape,A5 landscape,Letter landscape,Legal landscape,Tabloid landscape");
    const struct { const char *text; std::optional<Paper> paper; } names[] = {
        {"A4", Paper{}},
        {"a4 PORTRAIT", Paper{}},
        {" letter  landscape ", Paper{QPageSize::Letter, QPageLayout::Landscape}},
        {"Tabloid", Paper{QPageSize::Tabloid, QPageLayout::Portrait}},
        {"B5", std::nullopt},
        {"Letter sideways", std::nullopt},
        {"A4 landscape portrait", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &n : names)
        EXPECT_EQ(parsePaper(QString::fromUtf8(n.text)), n.paper) << n.text;
    // Page pixel height over width: A4 portrait keeps the program's 1.414; the others their own.
    const struct { Paper paper; double proportion; } shapes[] = {
        {{}, 1.414},
        {{QPageSize::A4, QPageLayout::Landscape}, 210.0 / 297},
        {{QPageSize::A3, QPageLayout::Portrait}, 420.0 / 297},
        {{QPageSize::Letter, QPageLayout::Portrait}, 11 / 8.5},
        {{QPageSize::Legal, QPageLayout::Landscape}, 8.5 / 14},
        {{QPageSize::Tabloid, QPageLayout::Portrait}, 17.0 / 11},
    };
    for (const auto &s : shapes)
        EXPECT_NEAR(pageProportion(s.paper), s.proportion, 1e-9) << paperText(s.paper).toStdString();
    EXPECT_DOUBLE_EQ(pagePixelHeight(800, {QPageSize::Letter, QPageLayout::Portrait}), 800 * 279.4 / 215.9);
}

TEST(Paper, LengthsAndSizesAsTyped)
{
    const struct { const char *text; double millimetres; bool height; const char *stored; } sizes[] = {
        {"150cm", 1500, false, "150cm"},      {"1.5m", 1500, false, "1.5m"},        {"1,5 M", 1500, false, "1,5m"},
        {"40in high", 1016, true, "40in high"}, {"height 40 in", 1016, true, "40in high"},
        {"width 600mm", 600, false, "600mm"}, {"60in wide", 1524, false, "60in"}, {".5m", 500, false, ".5m"},
        {"0cm", 0, false, "0cm"},
    };
    for (const auto &s : sizes) {
        const std::optional<PosterSize> size = parsePosterSize(QString::fromUtf8(s.text));
        ASSERT_TRUE(size) << s.text;
        EXPECT_DOUBLE_EQ(size->millimetres, s.millimetres) << s.text;
        EXPECT_EQ(size->side == PosterSize::Side::Height, s.height) << s.text;
        EXPECT_EQ(posterSizeText(*size).toStdString(), s.stored);
        EXPECT_EQ(parsePosterSize(posterSizeText(*size)), size) << "read back: " << s.text;
    }
    for (const char *text : {"", "150", "cm", "-3cm", "1e3cm", "150 cm cm", "width 150cm high", "150cm tall", "abc", "15O cm"})
        EXPECT_FALSE(parsePosterSize(QString::fromUtf8(text))) << text;
    // The labels' form, to the nearest millimetre, without binary noise after the metres.
    const struct { double millimetres; const char *label; } labels[] = {
        {1029, "1m  2.9cm"}, {1000, "100cm"}, {1004.6, "1m  .5cm"}, {3455.95, "3m  45.6cm"}, {575.49, "57.5cm"}, {0, "0cm"}};
    for (const auto &l : labels)
        EXPECT_EQ(sizeLabel(l.millimetres).toStdString(), l.label);
    EXPECT_EQ(parseMillimetres(QStringLiteral("179,5")), 179.5);
    EXPECT_EQ(parseMillimetres(QStringLiteral("18 cm")), 180);
    EXPECT_FALSE(parseMillimetres(QStringLiteral("about 180")));
}

// The built-in picture's size on each paper from the list, and at a size asked for: as many
// sheets across as that needs, the last column partly white, the labels giving that size.
TEST(Paper, LayoutOnEveryPaperAndAtASizeAskedFor)
{
    QLocale::setDefault(QLocale::c());
    const Paper a4, letter{QPageSize::Letter, QPageLayout::Portrait}, a3Across{QPageSize::A3, QPageLayout::Landscape};
    const struct { const char *what; PosterChoices choices; double across; int columns, rows; const char *labels; } rows[] = {
        {"the default poster", on(a4), 3, 3, 2, "1.35|57.6cm|37cm|6"},
        {"Letter", on(letter), 3, 3, 2, "1.48|59.3cm|38cm|6"},
        {"A3 across", on(a3Across), 3, 3, 3, "2.70|1m  15.2cm|72.5cm|9"},
        {"150cm on Letter", on(letter, asked("150cm")), 880.0 / 116, 8, 4, "3.73|1m  50cm|95.4cm|32"},
        {"40in high on A3 across", on(a3Across, asked("40in high")), 880.0 / 209, 5, 4, "3.79|1m  61.7cm|1m  1.6cm|20"},
        // Less than a sheet: one sheet, the page drawn smaller.
        {"10cm", on(a4, asked("10cm")), 1, 1, 1, "0.45|10cm|6.4cm|1"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        const Poster p = posterOf(builtInSize.toSize(), r.choices);
        EXPECT_DOUBLE_EQ(p.settings.SheetsAcross, r.across);
        EXPECT_EQ(std::pair(int(p.grid.GridColumns), int(p.grid.GridRows)), std::pair(r.columns, r.rows));
        EXPECT_EQ(labels(p), r.labels);
        // The columns reach the picture's end (its last pixel, 879: the crops start one pixel in),
        // the last one needed for it.
        const double cell = cellWidth(880, p.settings.SheetsAcross);
        EXPECT_GE(p.grid.GridColumns * cell, 879);
        EXPECT_LT((p.grid.GridColumns - 1) * cell, 879);
        // The grid's pages and boxes follow the columns, not the fractional sheets.
        const int last = p.pageCount();
        EXPECT_EQ(pageAt(selectedPageBox(last, p.settings).center(), p.settings, p.grid), last);
        EXPECT_EQ(pageAfterStep(1, PageStep::Right, p.settings, p.grid), r.columns > 1 ? 2 : 1);
    }
    QLocale::setDefault(QLocale::system());
}

// What cannot be laid out is said in a sentence; a size the picture can be laid out at, or the
// sheets from the list, have nothing to say.
TEST(Paper, ChoicesThatMakeNoPoster)
{
    const Paper a4;
    PosterChoices badCalibration = on(a4);
    badCalibration.sheet.calibration = {1.26, 1};
    PosterChoices zeroCalibration = on(a4);
    zeroCalibration.sheet.calibration = {1, 0};
    PosterChoices edgeCalibration = on(a4);
    edgeCalibration.sheet.calibration = {0.8, 1.25};
    const struct { const char *what; QSize picture; PosterChoices choices; const char *problem; } rows[] = {
        {"the list", {880, 560}, on(a4), ""},
        {"7m", {880, 560}, on(a4, asked("7m")), ""},
        {"0cm", {880, 560}, on(a4, asked("0cm")), "A poster 0cm wide cannot be printed: give a size above 0."},
        {"9m", {880, 560}, on(a4, asked("9m")),
         "A poster 9m wide needs more than 40 sheets of A4 portrait across, the most a poster has."},
        {"small picture", {100, 60}, on(a4, asked("2m")),
         "The picture is too small for a poster 2m wide: a sheet would show fewer than 10 of its pixels."},
        {"pages", {880, 400000}, on(a4, asked("2m")), "A poster 2m wide needs 37048 pages, more than a print job holds (32767)."},
        {"rows beyond 16 bits", {880, 5000000}, on(a4, asked("2m")), "A poster 2m wide needs more pages than a print job holds (32767)."},
        {"calibration 1.26", {880, 560}, badCalibration,
         "A ruler that measures 1.26 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25."},
        {"calibration 0", {880, 560}, zeroCalibration,
         "A ruler that measures 0 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25."},
        {"calibration at the edges", {880, 560}, edgeCalibration, ""},
    };
    for (const auto &r : rows)
        EXPECT_EQ(choicesProblem(QSizeF(r.picture), r.choices).toStdString(), r.problem) << r.what;
}

// On a calibrated printer the page is drawn smaller on the side the printer stretches, so that on
// paper it keeps its shape and fits the printable area; the labels give the size on paper. Without
// a calibration nothing changes: the share is 1 x 1 exactly.
TEST(Paper, CalibrationCorrectsThePrintScale)
{
    const Poster plain = posterOf({880, 560}, on({}));
    EXPECT_EQ(plain.grid.Printed.share, QSizeF(1, 1));
    const struct { Calibration c; } rows[] = {{{1.02, 1}}, {{1, 1.02}}, {{0.97, 1.01}}, {{1.1, 0.9}}};
    for (const auto &r : rows) {
        PosterChoices choices = on({});
        choices.sheet.calibration = r.c;
        const Poster p = posterOf({880, 560}, choices);
        const QSizeF share = p.grid.Printed.share;
        SCOPED_TRACE(testing::Message() << r.c.x << " x " << r.c.y << ": share " << share.width() << " x " << share.height());
        EXPECT_NEAR(share.width() * r.c.x, share.height() * r.c.y, 1e-12) << "undistorted on paper";
        EXPECT_LE(std::max(share.width() * r.c.x, share.height() * r.c.y) / std::max(r.c.x, r.c.y), 1 + 1e-12);
        // As large as fits: on paper the fit's width or height, whichever limits it.
        const QSizeF printable = choices.sheet.printable, page(p.grid.Printed.page);
        const double fit = std::min(printable.width() / page.width(), printable.height() / page.height());
        EXPECT_NEAR(std::min(printable.width() * r.c.x / page.width(), printable.height() * r.c.y / page.height()),
                    fit * share.width() * r.c.x, 1e-12);
        EXPECT_NEAR(p.grid.Printed.width / plain.grid.Printed.width, share.width() * r.c.x, 1e-9);
        EXPECT_NEAR(p.grid.Printed.height / plain.grid.Printed.height, share.width() * r.c.x, 1e-9);
    }
}
