#pragma once
// Where one poster page comes from and what its margins say: the page's row and column, its cell
// of the source picture with the overlap strip to the right and below, the size it is enlarged to,
// and the assembly hints. Plain arithmetic, shared by the window, the print job and the tool.

#include "layout/PageLayout.h"

#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <cstdint>

namespace plakatron {

struct PagePosition {
    std::int16_t row;     // 1-based
    std::int16_t column;  // 1-based
};

// floor(SheetsAcross + 0.99): the page columns.
double pageColumns(double sheetsAcross);
PagePosition pagePosition(double pageNumber, double sheetsAcross);

// The share of the source one page shows, in source pixels (whole numbers).
double cellWidth(double sourceWidth, double sheetsAcross);
double cellHeight(double sourceHeight, double sheetsDown);

// The overlap strip in source pixels: a percent of the cell *width* (for both directions), at
// least 2 pixels so that neighbouring sheets always share an edge.
std::int16_t overlapPixels(double cellWidth, std::int16_t percent);

// The rectangle of the source copied to (1, 1) of the crop: the cell plus its overlap, offset by
// one pixel. Parts beyond the source stay white.
QRect cropSourceRect(PagePosition position, double cellWidth, double cellHeight, std::int16_t overlapX,
                     std::int16_t overlapY);

// Pages wider than this many pixels get white margins with the hints.
inline constexpr double HintMarginThreshold = 300;
inline constexpr int HintMargin = 20;

// "p. 2 put  6 below" when a row exists below, else " ".
QString bottomHint(double pageNumber, std::int16_t row, std::int16_t gridRows, double columns);
// " 6 put  7 next" when a column exists to the right, else " ".
QString rightHint(double pageNumber, std::int16_t column, double sheetsAcross);

// Where a picture of `picture`'s size goes on a sheet whose printable area is `area`: as large as
// fits, never distorted, at the area's top left. An empty picture or area gives an empty rectangle
// there.
QRectF fitUndistortedTopLeft(QSizeF picture, const QRectF &area);

}  // namespace plakatron
