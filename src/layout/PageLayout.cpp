#include "layout/PageLayout.h"

#include "core/NumberText.h"
#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace plakatron {

double physicalCentimetres(double sheets, double centimetresPerSheet, std::int16_t overlap)
{
    // The factors in exactly this order: the millimetre chosen by the floor depends on it.
    return Int(checked(checked(sheets * centimetresPerSheet) * (98 - overlap) * 0.1)) / 10;
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

    // 3.-5. Sheets across, with at least 10 source pixels per sheet and at least one sheet.
    s.SheetsAcross = CInt(sheetsAcross);
    if (Int(Div(g.SourceWidth, s.SheetsAcross)) < 10) {
        s.SheetsAcross = Int(g.SourceWidth / 10);
        surface.setSheetsListIndex(CInt(s.SheetsAcross - 1));
    }
    if (s.SheetsAcross < 1) {
        s.SheetsAcross = 1;
        surface.setSheetsListIndex(0);
    }

    // 6. Poster size in page pixels.
    g.PosterPixelWidth = checked(s.PagePixelWidth * s.SheetsAcross);
    g.PosterPixelHeight = Div(g.PosterPixelWidth, g.SourceAspect);
    g.SheetsDown = Div(g.PosterPixelHeight, s.PagePixelHeight);

    // 7.-10. Labels.
    labels.lbA4Height = format00(g.SheetsDown);
    labels.lbFinalImageWidth = physicalSizeLabel(physicalCentimetres(s.SheetsAcross, 21, s.Overlap));
    labels.lbFinalImageHeight = physicalSizeLabel(physicalCentimetres(g.SheetsDown, 29.7, s.Overlap));

    // 11. The grid. A sliver of a row thinner than a hundredth of a sheet is dropped, but a poster
    // always keeps one row, so even a very wide picture can be previewed and printed.
    g.GridColumns = CInt(Int(s.SheetsAcross + 0.99));
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
        entries << QString::number(i) + QStringLiteral(" page") + (i > 1 ? QStringLiteral("s") : QString())
                       + (i == 3 ? QStringLiteral(" *") : QString());
    return entries;
}

QStringList resolutionEntries()
{
    // 100 appears twice (end of the fine steps, start of the coarse ones); stored indexes count on it.
    QStringList entries;
    for (int v = 10; v <= 100; v += 10)
        entries << QString::number(v);
    for (int v = 100; v <= 1400; v += 100)
        entries << QString::number(v) + (v == 800 ? QStringLiteral(" *") : QString());
    return entries;
}

int resolutionIndexOf(int pixels)
{
    const QStringList entries = resolutionEntries();
    for (int i = 0; i < entries.size(); ++i)
        if (Val(entries[i]) == pixels)
            return i;
    return -1;
}

}  // namespace plakatron
