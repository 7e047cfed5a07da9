#pragma once
// Which page lies where in the grid view, in page pixels (the view's own coordinates): one hit
// test shared by clicks and the pointer box, and the boxes the view outlines.

#include "layout/PageLayout.h"

#include <QPointF>
#include <QRectF>
#include <optional>

namespace plakatron {

// For a positive x, the smallest whole number not below x.
double CeilingOf(double x);

// The page number under a click, by the grid's numbering (row by row from the top left). A click
// right of the last column or below the last row gives the number of a page further on, which is
// selected like any other.
double pageUnderClick(QPointF position, const PosterSettings &settings);

// The outline of a selected page in view coordinates.
QRectF selectedPageBox(int page, const PosterSettings &settings);

// The red box under the pointer, or nothing when the pointer is right of the last column or
// below the poster's (fractional) height.
std::optional<QRectF> pointerBox(QPointF pointer, const PosterSettings &settings, const PageGrid &grid);

// View pixels per page pixel for this grid fitted into the view, anchored at the top left.
double viewScale(const PosterSettings &settings, const PageGrid &grid);

}  // namespace plakatron
