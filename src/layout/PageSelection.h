// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which page lies where in the grid view, in page pixels (the view's own coordinates): one rule
// for the pages that are on the poster, shared by clicks, the pointer box and the keyboard, and
// the boxes the view outlines; and how the grid and the shrunken picture fit into an area, which
// the grid view and the assembly map share.

#include "layout/PageLayout.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <optional>

namespace plakatron {

// For a positive x, the smallest whole number not below x.
double CeilingOf(double x);

// The page at a point of the view, numbered row by row from the top left. Nothing where no page
// of the poster lies: the white strip right of the last column or below the last row, and any
// point before a layout pass has laid the grid.
std::optional<std::int32_t> pageAt(QPointF position, const PosterSettings &settings, const PageGrid &grid);

// True for the pages of the laid-out grid, 1 to columns x rows.
bool isPosterPage(std::int32_t page, const PosterSettings &settings, const PageGrid &grid);

// A move of the keyboard over the grid.
enum class PageStep { Left, Right, Up, Down, First, Last };

// The page a move leads to from `page`, stopping at the poster's edges. From no page (or one that
// is not on the poster) Last leads to the last page and every other move to page 1. Nothing when
// there is no grid.
std::optional<std::int32_t> pageAfterStep(std::int32_t page, PageStep step, const PosterSettings &settings,
                                          const PageGrid &grid);

// The outline of a page in view coordinates.
QRectF selectedPageBox(int page, const PosterSettings &settings);

// The red box under the pointer: the page at the pointer, or nothing where no page lies.
std::optional<QRectF> pointerBox(QPointF pointer, const PosterSettings &settings, const PageGrid &grid);

// The page grid fitted into an area, anchored at the top left, as large as fits without distortion.
struct GridFit {
    double scale = 0;  // area pixels per page pixel
    QSize picture;     // the shrunken picture as the pages are cut from it (PageCut), in whole area pixels
    QSizeF grid;       // the page grid: GridColumns pages across, GridRows down, in area pixels

    // A page's cell (selectedPageBox) in area pixels.
    QRectF cell(int page, const PosterSettings &settings) const;
};

// Area pixels per page pixel for this grid fitted into `area`: the smaller of the two ratios.
double gridScale(const PosterSettings &settings, const PageGrid &grid, QSizeF area);
// The grid and the picture fitted into `area`; each side of the picture is its exact size rounded
// to a whole pixel (nearest-even, from single precision). The picture is drawn from pictureAsCut.
// RuntimeError where the grid's arithmetic fails.
GridFit fitGrid(const PosterSettings &settings, const PageGrid &grid, QSizeF area);

// View pixels per page pixel for this grid fitted into the view, anchored at the top left.
double viewScale(const PosterSettings &settings, const PageGrid &grid);

// What a screen reader says of the grid view: «Source picture: 3 × 2 pages, page 5 selected».
QString gridViewAccessibleName(const PosterSettings &settings, const PageGrid &grid);

}  // namespace plakatron
