// SPDX-License-Identifier: GPL-3.0-or-later
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

PagePosition pagePosition(double pageNumber, double sheetsAcross);

// The rectangle of the source copied to (1, 1) of the crop: the cell plus its overlap, offset by
// one pixel. Parts beyond the source stay white.
QRect cropSourceRect(PagePosition position, double cellWidth, double cellHeight, std::int16_t overlapX,
                     std::int16_t overlapY);

// "p. 2 put  6 below" when a row exists below, else " ".
QString bottomHint(double pageNumber, std::int16_t row, std::int16_t gridRows, double columns);
// " 6 put  7 next" when a column exists to the right, else " ".
QString rightHint(double pageNumber, std::int16_t column, double columns);

// Where a picture of `picture`'s size goes on a sheet whose printable area is `area`: as large as
// fits, never distorted, at the area's top left. An empty picture or area gives an empty rectangle
// there.
QRectF fitUndistortedTopLeft(QSizeF picture, const QRectF &area);
// A page picture on its sheet: that fit, each side times the poster's share of it (PrintedSize);
// a share of 1 x 1 is the fit itself.
QRectF pagePlacement(QSizeF picture, const QRectF &area, QSizeF share);

}  // namespace plakatron
