// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/PageSelection.h"

#include "core/Numeric.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace plakatron {

namespace {
struct Cells {
    std::int32_t columns;
    std::int32_t rows;
    std::int32_t count() const { return columns * rows; }
};

// The laid-out grid, or nothing while no pass has laid one that matches the settings (the page
// size still 0 at start-up, or sheets across changed by a pass abandoned before its grid).
std::optional<Cells> layCells(const PosterSettings &s, const PageGrid &g)
{
    if (g.GridColumns < 1 || g.GridRows < 1 || g.GridColumns != std::floor(s.SheetsAcross + 0.99) || !(s.PagePixelWidth > 0)
        || !(s.PagePixelHeight > 0))
        return std::nullopt;
    return Cells{g.GridColumns, g.GridRows};
}
}  // namespace

double CeilingOf(double x)
{
    const double whole = Int(x);
    return whole == x ? whole : whole + 1;
}

std::optional<std::int32_t> pageAt(QPointF p, const PosterSettings &s, const PageGrid &g)
{
    const std::optional<Cells> cells = layCells(s, g);
    if (!cells)
        return std::nullopt;
    const double column = std::floor(p.x() / s.PagePixelWidth);
    const double row = std::floor(p.y() / s.PagePixelHeight);
    // Written so that NaN fails too.
    if (!(column >= 0 && column < cells->columns && row >= 0 && row < cells->rows))
        return std::nullopt;
    return static_cast<std::int32_t>(row) * cells->columns + static_cast<std::int32_t>(column) + 1;
}

bool isPosterPage(std::int32_t page, const PosterSettings &s, const PageGrid &g)
{
    const std::optional<Cells> cells = layCells(s, g);
    return cells && page >= 1 && page <= cells->count();
}

std::optional<std::int32_t> pageAfterStep(std::int32_t page, PageStep step, const PosterSettings &s,
                                          const PageGrid &g)
{
    const std::optional<Cells> cells = layCells(s, g);
    if (!cells)
        return std::nullopt;
    if (step == PageStep::Last)
        return cells->count();
    if (page < 1 || page > cells->count() || step == PageStep::First)
        return 1;
    std::int32_t row = (page - 1) / cells->columns;
    std::int32_t column = (page - 1) % cells->columns;
    switch (step) {
    case PageStep::Left: column = std::max(0, column - 1); break;
    case PageStep::Right: column = std::min(cells->columns - 1, column + 1); break;
    case PageStep::Up: row = std::max(0, row - 1); break;
    case PageStep::Down: row = std::min(cells->rows - 1, row + 1); break;
    case PageStep::First:
    case PageStep::Last: break;
    }
    return row * cells->columns + column + 1;
}

QRectF selectedPageBox(int page, const PosterSettings &s)
{
    // By the columns: a size asked for may leave the last one partly white.
    const double columns = pageColumns(s.SheetsAcross);
    const std::int32_t r = CLng(CeilingOf(Div(page, columns)) - 1);
    const std::int32_t k = CLng(page - r * columns - 1);
    return {k * s.PagePixelWidth, r * s.PagePixelHeight, s.PagePixelWidth, s.PagePixelHeight};
}

std::optional<QRectF> pointerBox(QPointF pointer, const PosterSettings &s, const PageGrid &g)
{
    if (const std::optional<std::int32_t> page = pageAt(pointer, s, g))
        return selectedPageBox(*page, s);
    return std::nullopt;
}

double gridScale(const PosterSettings &s, const PageGrid &g, QSizeF area)
{
    const double pagePixelsPerAreaPixel = std::max(Div(g.GridColumns * s.PagePixelWidth, area.width()),
                                                   Div(g.GridRows * s.PagePixelHeight, area.height()));
    return Div(1, pagePixelsPerAreaPixel);
}

GridFit fitGrid(const PosterSettings &s, const PageGrid &g, QSizeF area)
{
    GridFit fit;
    fit.scale = gridScale(s, g, area);
    // The picture where the pages are cut from it, so that a cell shows what its page prints.
    const QSizeF cut = pageCut(s, g).picture;
    fit.picture = QSize(CLng(static_cast<float>(cut.width() * fit.scale)), CLng(static_cast<float>(cut.height() * fit.scale)));
    fit.grid = QSizeF(g.GridColumns * s.PagePixelWidth * fit.scale, g.GridRows * s.PagePixelHeight * fit.scale);
    return fit;
}

QRectF GridFit::cell(int page, const PosterSettings &s) const
{
    const QRectF box = selectedPageBox(page, s);
    return {box.topLeft() * scale, box.size() * scale};
}

double viewScale(const PosterSettings &s, const PageGrid &g)
{
    return gridScale(s, g, QSizeF(g.GridViewWidth, g.GridViewHeight));
}

QString gridViewAccessibleName(const PosterSettings &s, const PageGrid &g)
{
    const std::optional<Cells> cells = layCells(s, g);
    if (!cells)
        return QCoreApplication::translate("PageSelection", "Source picture: no pages");
    const bool one = cells->count() == 1;
    const QString columns = QString::number(cells->columns);
    const QString rows = QString::number(cells->rows);
    if (!isPosterPage(g.SelectedPage, s, g))
        return (one ? QCoreApplication::translate("PageSelection", "Source picture: %1 × %2 page, no page selected")
                    : QCoreApplication::translate("PageSelection", "Source picture: %1 × %2 pages, no page selected"))
            .arg(columns, rows);
    return (one ? QCoreApplication::translate("PageSelection", "Source picture: %1 × %2 page, page %3 selected")
                : QCoreApplication::translate("PageSelection", "Source picture: %1 × %2 pages, page %3 selected"))
        .arg(columns, rows, QString::number(g.SelectedPage));
}

}  // namespace plakatron
