// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The assembly map: one sheet that shows how the poster goes together. The grid view's picture
// (the picture on the poster's pages as they are cut from it, white where the cut leaves a page
// without any of it) fitted into the printable area, never distorted, at its top left; the page
// grid over it with every page's number centred in its cell; and a caption line under it: the
// poster's width and height as the size labels give them, its sheets across and down, the page
// count and the overlap.
//
// The map is composed in map pixels, 300 to the inch of the sheet, and drawn with a painter on
// any device: on a printer its lines and texts stay lines and texts (a PDF of it can be searched
// for its numbers) and only the picture is a raster, at 300 dots per inch at most. The picture is
// shrunk (or enlarged) once, by averaging, to the size the map shows it at.

#include "layout/PageSelection.h"
#include "layout/Poster.h"

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <cstdint>

class QPageLayout;
class QPainter;

namespace plakatron {

// Map pixels to the inch of the sheet; also the picture's finest resolution on the map.
inline constexpr double MapDotsPerInch = 300;

// "Poster 57.6cm × 37cm: 3 × 2 sheets, 6 pages, overlap 3 %": the size labels' texts, the grid's
// columns and rows (with the paper where it is not A4 portrait: "3 × 2 Letter sheets"), the page
// count label and the overlap the pages are cut with.
QString assemblyMapCaption(const Poster &poster);

// Where everything of the map lies, in map pixels from the top left of the printable area.
struct AssemblyMapLayout {
    GridFit fit;            // the grid view's fit of grid and picture, into the area above the caption
    QRectF grid;            // the page grid
    double numberPixels;    // font size of the page numbers; 0 where cells are too small for any
    bool columnLines;       // the inner lines between columns and between rows, left out where the
    bool rowLines;          // cells are too narrow to tell apart
    double captionPixels;   // font size of the caption
    QPointF captionOrigin;  // the caption's baseline starts here
    QString caption;
};

class AssemblyMap {
public:
    // A map of this poster. It keeps its own copy of the poster (the picture shared, not copied).
    // RuntimeError (5) when the poster has no laid-out pages.
    explicit AssemblyMap(const Poster &poster);

    // The map composed for a printable area of `area` map pixels. RuntimeError when the area has
    // no room for it.
    AssemblyMapLayout layout(QSizeF area) const;

    // Draws the map on the sheet whose printable area is `printable`, in device pixels of a
    // device with `dotsPerInch`: composed for that area and placed at its top left without
    // distortion. The picture is shrunk the first time and kept for the next sheet of that size.
    void draw(QPainter &painter, const QRectF &printable, double dotsPerInch);

    // The map as a picture of a whole sheet, at MapDotsPerInch: white, the map in the sheet's
    // printable area. Its dots per metre say its size on paper.
    QImage sheetImage(const QPageLayout &sheet);

    // The picture at the size the map shows it (as the last draw made it; null before).
    const QImage &shrunkPicture() const { return shrunk_; }

private:
    void compose(QPainter &painter, const AssemblyMapLayout &layout);
    const QImage &shrunkTo(QSize size);

    Poster poster_;
    QImage shrunk_;
};

// The font of the map's numbers and caption, `pixels` high (at least 1).
QFont assemblyMapFont(double pixels, bool bold);

}  // namespace plakatron
