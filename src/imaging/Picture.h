// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture a poster is made from: a raster (its pixels at their natural size) or a vector
// drawing (a PDF page, an SVG picture). A vector picture has a nominal size in pixels, which the
// layout cuts into pages like any picture's, and draws any part of itself at any pixel size, so
// every page is drawn at its own resolution and no raster of the whole picture is ever enlarged.
// The grid view and the assembly map take the whole picture at their own small size.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <memory>

namespace plakatron {

// What a print job asks a vector picture for after a part, its pages coming in order: how many
// pixels right of the part (at its scale) the rest of its row takes, and the part of the next page
// with the pixels right of that in its row. A drawing may draw the row in the same pass, and the
// next part while the job stores the page, and keep them for the calls that ask for them; the
// pixels are the same either way.
// A window showing pages in any order names instead the area its pages span (`keep`): a drawing
// may draw it whole at the part's scale once the part is answered, where that fits what it keeps.
struct DrawingAhead {
    int row = 0;
    QRectF next;  // empty: no page follows
    int nextRow = 0;
    QRectF keep;  // empty: nothing to keep
};

// What draws a vector picture. Shared by copies of the picture and used from more than one
// thread (a print job renders its pages on a thread of its own): draw must be safe to call
// concurrently.
class VectorDrawing {
public:
    virtual ~VectorDrawing() = default;
    // `area` of the picture, in nominal pixels (it may reach beyond the picture: white there),
    // drawn over an RGB32 image of `size` pixels, on white. RuntimeError when it cannot be drawn
    // (7 for too slow or too large, 481 otherwise).
    virtual QImage draw(const QRectF &area, QSize size, const DrawingAhead &ahead = {}) const = 0;
};

// The rows of a raster picture that is still being decoded when it is handed on: a print job
// starts on the first pages while the decoder fills in the rest of the picture. Used from any
// thread.
class ArrivingRows {
public:
    virtual ~ArrivingRows() = default;
    // Waits until rows [0, rows) of the picture are there. RuntimeError when the picture failed
    // before them: what loading it whole would have raised.
    virtual void waitFor(int rows) const = 0;
    // Whether rows [0, rows) are there now.
    virtual bool has(int rows) const = 0;
};

// Which page of a document a picture is: a PDF's page and its page count; 1 of 1 otherwise.
struct DocumentPage {
    int number = 1;
    int count = 1;
    bool operator==(const DocumentPage &) const = default;
};

// The part of `picture` the pages are cut from: all of it but its first column and row, sharing
// the picture's pixels where whole bytes hold a pixel (a picture of the largest size is never
// copied for a view of it: use it while the picture lives unchanged). Null for a picture of a
// single column or row.
QImage pictureAsCut(const QImage &picture);

class Picture {
public:
    Picture() = default;
    // A raster picture is its image (implicit: every image is a picture).
    Picture(QImage raster);  // NOLINT(google-explicit-constructor)
    // A raster picture whose rows `arriving` fills in: `raster` is of its full size, and nobody
    // writes to it but the decoder behind `arriving`.
    Picture(QImage raster, std::shared_ptr<const ArrivingRows> arriving);
    // A vector picture of `nominalSize` pixels, drawn by `drawing`. `overview` is the whole
    // picture at a size for the screen, made when it was loaded; may be null.
    Picture(QSize nominalSize, std::shared_ptr<const VectorDrawing> drawing, QImage overview = {},
            DocumentPage page = {});

    bool isNull() const { return size().isEmpty(); }
    bool isVector() const { return drawing_ != nullptr; }
    // The natural size of a raster, the nominal size of a vector picture.
    QSize size() const { return isVector() ? nominal_ : raster_.size(); }
    // A raster picture's pixels, all of them (waiting for rows still arriving: RuntimeError when
    // the picture failed); null for a vector picture.
    const QImage &raster() const;
    // A raster picture's pixels as far as they are there: read none of a row before waitForRows
    // has answered for it.
    const QImage &rasterArriving() const { return raster_; }
    void waitForRows(int rows) const;
    // Whether the rows came after the picture (complete: whether every row is there now; until
    // then such a picture may yet fail).
    bool rowsArrive() const { return arriving_ != nullptr; }
    bool complete() const { return !arriving_ || arriving_->has(raster_.height()); }
    const QImage &overview() const { return overview_; }
    DocumentPage documentPage() const { return page_; }

    // A vector picture's `area` (nominal pixels) drawn at `size` pixels (VectorDrawing::draw).
    // A raster picture has no drawing: Invalid procedure call (5).
    QImage draw(const QRectF &area, QSize size, const DrawingAhead &ahead = {}) const;
    // The whole picture at `size` pixels, averaged where it shrinks: a raster by Qt's smooth
    // scaling, a vector picture from its overview where that is at least as large, else drawn
    // at that size. Out of memory (7) when the image cannot be had; drawing errors as draw's.
    QImage scaled(QSize size) const;
    // The part the pages are cut from (pictureAsCut) at `size` pixels, as scaled does it; null for
    // a picture of a single column or row.
    QImage scaledAsCut(QSize size) const;

private:
    QImage raster_;
    std::shared_ptr<const ArrivingRows> arriving_;
    QSize nominal_;
    std::shared_ptr<const VectorDrawing> drawing_;
    QImage overview_;
    DocumentPage page_;
};

}  // namespace plakatron
