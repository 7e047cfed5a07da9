// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/PageLayout.h"

#include "core/NumberText.h"
#include "core/Numeric.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace plakatron {

namespace {
constexpr double MillimetresPerInch = 25.4;
}  // namespace

double pageColumns(double sheetsAcross) { return Int(sheetsAcross + 0.99); }

double cellWidth(double sourceWidth, double sheetsAcross) { return Int(Div(sourceWidth, sheetsAcross) + 0.99); }

double cellHeight(double sourceHeight, double sheetsDown) { return Int(Div(sourceHeight, sheetsDown) + 0.99); }

PageCut pageCut(const PosterSettings &s, const PageGrid &g)
{
    const double cw = cellWidth(g.SourceWidth, s.SheetsAcross);
    const double ch = cellHeight(g.SourceHeight, g.SheetsDown);
    // Source pixels from 1 on are cut; a page takes something when its cell starts on the picture
    // (its overlap and crop are never narrower than two pixels, so the start lands inside).
    const double cutWidth = std::max(0.0, g.SourceWidth - 1), cutHeight = std::max(0.0, g.SourceHeight - 1);
    const auto cells = [](double cut, double cell, std::int32_t grid) {
        return cut > 0 && cell > 0 ? static_cast<std::int32_t>(std::min<double>(grid, std::ceil(cut / cell))) : 0;
    };
    PageCut c;
    c.picture = QSizeF(cw > 0 ? cutWidth * s.PagePixelWidth / cw : 0, ch > 0 ? cutHeight * s.PagePixelHeight / ch : 0);
    c.gridColumns = g.GridColumns;
    c.columns = cells(cutWidth, cw, g.GridColumns);
    c.rows = cells(cutHeight, ch, g.GridRows);
    return c;
}

double overlapWidth(double cell, std::int16_t percent) { return std::max(2.0, Int(cell * percent * 0.01 + 0.99)); }

std::int16_t overlapPixels(double cell, std::int16_t percent)
{
    const std::int16_t pixels = CInt(Int(cell * percent * 0.01 + 0.99));
    return pixels < 2 ? std::int16_t{2} : pixels;
}

QString physicalSizeLabel(double w)
{
    if (w > 100) {
        const std::int16_t metres = CInt(Int(w / 100));
        w = w - 100.0 * metres;
        // Taking the metres off leaves binary noise ("2.90000000000001"); the floor above already
        // chose a whole millimetre, so one decimal is exact.
        w = std::round(w * 10) / 10;
        return trimmedStr(metres) + QStringLiteral("m ") + Str(w) + QStringLiteral("cm");
    }
    return trimmedStr(w) + QStringLiteral("cm");
}

QString sizeLabel(double millimetres) { return physicalSizeLabel(Int(millimetres + 0.5) / 10); }

PrintedSize printedSize(QSizeF source, double sheetsAcross, double sheetsDown, const PosterSettings &s)
{
    const PrintSheet &sheet = s.Sheet;
    const double cw = cellWidth(source.width(), sheetsAcross);
    const double ch = cellHeight(source.height(), sheetsDown);
    const double overlap = overlapWidth(cw, s.Overlap);
    // The crop (cell and overlap, from one pixel in) spread over the page, in page pixels per crop
    // pixel: a crop of the page's size is copied; an axis the page enlarges (both, where it
    // enlarges both) is sampled bilinearly, crop pixel i on page pixel i x page / (crop - 1); an
    // axis it shrinks is averaged, crop pixel i over page pixels i x page / crop onwards.
    const double pageWidth = CLng(s.PagePixelWidth);
    const double pageHeight = CLng(s.PagePixelHeight);
    const double cropWidth = cw + overlap, cropHeight = ch + overlap;
    const bool copied = pageWidth == cropWidth && pageHeight == cropHeight;
    const bool enlarged = pageWidth >= cropWidth && pageHeight >= cropHeight;
    const auto along = [&](double page, double crop) {
        return copied ? 1.0 : enlarged || page >= crop ? Div(page, crop - 1) : Div(page, crop);
    };
    const double alongX = along(pageWidth, cropWidth);
    const double alongY = along(pageHeight, cropHeight);
    const int margin = s.PagePixelWidth > HintMarginThreshold ? HintMargin : 0;

    PrintedSize p;
    p.page = QSize(CLng(pageWidth + margin), CLng(pageHeight + margin));
    // Millimetres per page pixel: the largest undistorted fit as the printer is told to draw it,
    // and as a calibrated printer then draws it on paper (its longer side corrected to fit).
    const double fit = std::min(Div(sheet.printable.width(), p.page.width()), Div(sheet.printable.height(), p.page.height()));
    double onPaper = std::min(Div(sheet.printable.width() * sheet.calibration.x, p.page.width()),
                              Div(sheet.printable.height() * sheet.calibration.y, p.page.height()));
    // The picture shown: its first column and row are never cut into a page, and it ends where the
    // picture does or where the last column's (row's) overlap strip does, nothing gluing over it.
    const double shownX = std::max(0.0, std::min(source.width() - 1, pageColumns(sheetsAcross) * cw + overlap));
    const double rows = std::max(1.0, Int(sheetsDown + 0.99));
    const double shownY = std::max(0.0, std::min(source.height() - 1, rows * ch + overlap));
    if (s.AskedSize.isSet()) {
        const double natural = s.AskedSize.side == PosterSize::Side::Width ? shownX * alongX : shownY * alongY;
        if (natural > 0)
            onPaper = std::min(onPaper, s.AskedSize.millimetres / natural);
    }
    p.width = shownX * alongX * onPaper;
    p.height = shownY * alongY * onPaper;
    p.pagePixelsPerInch = Div(MillimetresPerInch, onPaper);
    p.picturePixelsPerInch = Div(MillimetresPerInch, alongX * onPaper);
    p.share = QSizeF(Div(onPaper / sheet.calibration.x, fit), Div(onPaper / sheet.calibration.y, fit));
    return p;
}

namespace {
// Page pixels down for `sheetsAcross`: the pass's step 6.
double sheetsDownFor(QSizeF source, double sheetsAcross, const PosterSettings &s)
{
    const double posterWidth = checked(s.PagePixelWidth * sheetsAcross);
    return Div(Div(posterWidth, Div(source.width(), source.height())), s.PagePixelHeight);
}
}  // namespace

double sheetsAcrossFor(QSizeF source, const PosterSettings &s)
{
    const double width = source.width();
    // Cells of at least 10 source pixels and at most 40 sheets across, at most the picture.
    const double smallest = std::max(10.0, std::ceil(width / 40));
    const double largest = Int(width);
    if (!(smallest <= largest))
        return 1;
    PosterSettings natural = s;
    natural.AskedSize = {};
    const auto largeEnough = [&](double cell) {
        const double across = width / cell;
        const PrintedSize p = printedSize(source, across, sheetsDownFor(source, across, natural), natural);
        return (s.AskedSize.side == PosterSize::Side::Width ? p.width : p.height) >= s.AskedSize.millimetres;
    };
    // The largest cell that prints large enough (smaller cells print larger); the smallest when
    // none does.
    double cell = smallest;
    if (largeEnough(largest)) {
        cell = largest;
    } else if (largeEnough(smallest)) {
        double low = smallest, high = largest;  // low prints large enough, high does not
        while (high - low > 1) {
            const double middle = std::floor((low + high) / 2);
            (largeEnough(middle) ? low : high) = middle;
        }
        cell = low;
    }
    // A last column narrower than a hundredth of a sheet would be dropped, and the picture with it.
    const auto sliver = [&] { return width / cell - Int(width / cell) > 0 && width / cell - Int(width / cell) <= 0.01; };
    while (cell > smallest && sliver())
        cell = std::max(smallest, std::min(cell - 1, std::floor(width / (Int(width / cell) + 0.0101))));
    return width / cell;
}

void RunLayoutPass(QSizeF sourceSize, double sheetsAcross, PosterSettings &s, PageGrid &g, LayoutLabels &labels,
                   LayoutSurface &surface)
{
    // 1. No page stays selected across a pass.
    g.SelectedPage = 0;
    surface.clearPreview();

    // 2. The source.
    g.SourceWidth = sourceSize.width();
    g.SourceHeight = sourceSize.height();
    g.SourceAspect = Div(g.SourceWidth, g.SourceHeight);

    // 3.-5. Sheets across, with at least 10 source pixels per sheet and at least one sheet; for a
    // size asked for, as many as it needs within the same bounds.
    if (s.AskedSize.isSet()) {
        s.SheetsAcross = sheetsAcrossFor(sourceSize, s);
    } else {
        s.SheetsAcross = CInt(sheetsAcross);
        if (Int(Div(g.SourceWidth, s.SheetsAcross)) < 10) {
            s.SheetsAcross = Int(g.SourceWidth / 10);
            surface.setSheetsListIndex(CInt(s.SheetsAcross - 1));
        }
        if (s.SheetsAcross < 1) {
            s.SheetsAcross = 1;
            surface.setSheetsListIndex(0);
        }
    }

    // "Auto" takes its page size from the sheets just chosen (a size asked for chose them at the
    // page size given, which hardly matters to how large they print).
    if (s.AutoResolution) {
        s.PagePixelWidth = autoPagePixelWidth(cellWidth(g.SourceWidth, s.SheetsAcross), s.Sheet.paper);
        s.PagePixelHeight = checked(s.PagePixelWidth * pageProportion(s.Sheet.paper));
    }

    // 6. Poster size in page pixels.
    g.PosterPixelWidth = checked(s.PagePixelWidth * s.SheetsAcross);
    g.PosterPixelHeight = Div(g.PosterPixelWidth, g.SourceAspect);
    g.SheetsDown = Div(g.PosterPixelHeight, s.PagePixelHeight);

    // 7.-10. Labels: the sheets down, and the size the poster prints at.
    labels.lbA4Height = format00(g.SheetsDown);
    g.Printed = printedSize(sourceSize, s.SheetsAcross, g.SheetsDown, s);
    labels.lbFinalImageWidth = sizeLabel(g.Printed.width);
    labels.lbFinalImageHeight = sizeLabel(g.Printed.height);

    // 11. The grid. A sliver of a row thinner than a hundredth of a sheet is dropped, but a poster
    // always keeps one row, so even a very wide picture can be previewed and printed.
    g.GridColumns = CInt(pageColumns(s.SheetsAcross));
    g.GridRows = std::max<std::int16_t>(1, CInt(Int(g.SheetsDown + 0.99)));
    surface.rebuildGridView();

    // 12.-13.
    labels.lbTotalPages = plainDecimal(static_cast<std::int64_t>(g.GridColumns) * g.GridRows);
    surface.repaintGridView();
}

QStringList sheetsAcrossEntries()
{
    QStringList entries;
    for (int i = 1; i <= 40; ++i)
        entries << (i == 1 ? QCoreApplication::translate("PageLayout", "1 page")
                           : QCoreApplication::translate("PageLayout", "%n pages", nullptr, i))
                       + (i == 3 ? QStringLiteral(" *") : QString());
    return entries;
}

QStringList resolutionEntries(const Paper &paper)
{
    // 100 appears twice (end of the fine steps, start of the coarse ones); stored indexes count on it.
    QStringList entries;
    for (int v = 10; v <= 100; v += 10)
        entries << QString::number(v);
    for (int v = 100; v <= 1400; v += 100)
        entries << QString::number(v) + (v == 800 ? QStringLiteral(" *") : QString());
    // Finer steps where the common papers end (A4 and Letter about 2500), coarser beyond.
    const int most = mostPagePixels(paper);
    for (int v = 1600; v < most; v += v < 2400 ? 200 : 400)
        entries << QString::number(v);
    if (most > 1400)
        entries << QString::number(most);
    entries << autoResolutionEntry();
    return entries;
}

QString autoResolutionEntry() { return QStringLiteral("Auto"); }

int resolutionIndexOf(int pixels, const Paper &paper)
{
    const QStringList entries = resolutionEntries(paper);
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i] != autoResolutionEntry() && Val(entries[i]) == pixels)
            return i;
    return -1;
}

int resolutionIndexOnPaper(int index, const Paper &from, const Paper &to)
{
    const QStringList before = resolutionEntries(from), after = resolutionEntries(to);
    constexpr int sameOnEveryPaper = 24;
    if (index < sameOnEveryPaper || index >= before.size())
        return index < before.size() ? index : DefaultResolutionIndex;
    if (before[index] == autoResolutionEntry())
        return after.size() - 1;
    const double pixels = Val(before[index]);
    const int numbered = after.size() - 1;  // the entries before "Auto"
    if (pixels == mostPagePixels(from) && mostPagePixels(to) > 1400)
        return numbered - 1;
    int chosen = sameOnEveryPaper - 1;
    for (int i = sameOnEveryPaper; i < numbered && Val(after[i]) <= pixels; ++i)
        chosen = i;
    return chosen;
}

int mostPagePixels(const Paper &paper)
{
    const QSizeF mm = QPageSize::size(paper.size, QPageSize::Millimeter);
    const double across = paper.orientation == QPageLayout::Landscape ? mm.height() : mm.width();
    return static_cast<int>(std::lround(across / MillimetresPerInch * MostPixelsPerInch));
}

double autoPagePixelWidth(double cell, const Paper &paper)
{
    return std::clamp(std::floor(cell), DefaultPagePixelWidth, std::max<double>(DefaultPagePixelWidth, mostPagePixels(paper)));
}

namespace {
// Whole pixels, within what the text can hold (a size asked for of a fraction of a millimetre
// gives absurd figures, never a failure).
double wholePixels(double v) { return std::isfinite(v) ? std::floor(std::clamp(v, 0.0, 1e15) + 0.5) : 0.0; }
QString pixelsText(double v) { return plainDecimal(static_cast<std::int64_t>(wholePixels(v))); }
}  // namespace

bool blownUp(const PrintedSize &printed, bool vectorPicture)
{
    return !vectorPicture && wholePixels(printed.picturePixelsPerInch) < SharpPixelsPerInch;
}

QString resolutionLine(const PrintedSize &printed, const Paper &paper, bool vectorPicture, double autoPixels)
{
    const QString page = pixelsText(printed.pagePixelsPerInch);
    const QString sheet = paperSizeName(paper.size);
    const QString line =
        vectorPicture ? QCoreApplication::translate("PageLayout", "%1 ppi on %2, picture sharp at any size").arg(page, sheet)
        : blownUp(printed, vectorPicture)
            ? QCoreApplication::translate("PageLayout", "%1 ppi on %2, picture %3 ppi (blown up)")
                  .arg(page, sheet, pixelsText(printed.picturePixelsPerInch))
            : QCoreApplication::translate("PageLayout", "%1 ppi on %2, picture %3 ppi")
                  .arg(page, sheet, pixelsText(printed.picturePixelsPerInch));
    // "Auto": the pixels across the page it chose, before the line.
    return autoPixels > 0 ? QCoreApplication::translate("PageLayout", "%1 px: %2").arg(pixelsText(autoPixels), line)
                          : line;
}

QString autoResolutionDisplayEntry() { return QCoreApplication::translate("PageLayout", "Auto"); }

}  // namespace plakatron
