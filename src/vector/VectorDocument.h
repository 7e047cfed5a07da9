// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PDF page (through poppler's Qt binding) or an SVG picture (through Qt SVG), opened and checked
// against the limits, that draws any part of itself at any pixel size on white. This is what the
// vector helper (plakatron-vector) runs: a hostile file crashes or hangs that process, never the
// program. The fuzz targets call it directly.
//
// Nominal size: a PDF page's crop box at 96 dots per inch (1 point = 4/3 pixel), turned as its
// /Rotate says; an SVG picture's size as Qt SVG reads it (its width and height, else its viewBox,
// else the bounds of what it draws), in its own pixels. Each side is rounded to a whole pixel, at
// least 1, and the nominal picture is exactly the page or the picture.

#include "input/VectorProtocol.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <functional>
#include <memory>

class QIODevice;

namespace plakatron {

class VectorDocument {
public:
    virtual ~VectorDocument() = default;

    // Opens page `page` (1-based; SVG pictures have one) of the document in `file`, checked
    // against PictureLimits, within `deadline`. RuntimeError: 481 with a description for a file
    // that is damaged, locked, empty or not of its format, 7 for one beyond the limits or too
    // slow, 9 for a page the document does not have.
    static std::unique_ptr<VectorDocument> open(QIODevice &file, vectorprotocol::Format format, bool compressed,
                                                int page, const QDeadlineTimer &deadline);

    int pageCount() const { return pageCount_; }
    int page() const { return page_; }
    QSize nominalSize() const { return nominal_; }

    // `area` (nominal pixels; beyond the picture white) drawn over `size` pixels, RGB32 on white,
    // within `deadline`. RuntimeError 7 when it is too large or too slow, 481 when it fails.
    // `row`: pixels right of the area that the next requests ask for (DrawingAhead). The image may
    // be a view of pixels the document keeps: valid until its next draw or prepare.
    QImage draw(const QRectF &area, QSize size, const QDeadlineTimer &deadline, int row = 0) const;
    // Draws `area` (and `row` right of it) for a request still to come, where that saves time
    // then; errors wait for that request.
    void prepare(const QRectF &area, QSize size, int row, const QDeadlineTimer &deadline) const;
    // Draws `keep` (nominal pixels) whole at the scale of `area` drawn over `size`, for requests in
    // any order to come, where it fits what the document keeps; errors are left to those requests.
    void keep(const QRectF &area, QSize size, const QRectF &keep, const QDeadlineTimer &deadline) const;

protected:
    explicit VectorDocument(vectorprotocol::Format format) : format_(format) {}
    // The area in the document's own units (points of the page, the SVG's pixels) at `size`.
    virtual QImage drawScaled(const QRectF &area, QSize size, int row, const QDeadlineTimer &deadline) const = 0;
    // The same for a request to come (nothing where parts are not kept).
    virtual void prepareScaled(const QRectF &, QSize, int, const QDeadlineTimer &) const {}
    virtual void keepScaled(const QRectF &, QSize, const QRectF &, const QDeadlineTimer &) const {}
    QRectF ownArea(const QRectF &area) const;
    // Sets the nominal size from the document's own size and units per nominal pixel.
    void setNominalSize(QSizeF ownSize, double ownUnitsPerPixel);

    const vectorprotocol::Format format_;
    int pageCount_ = 1;
    int page_ = 1;

private:
    QSize nominal_;
    QSizeF own_;  // the document's size in its own units
};

// What the helper does for one request (vectorprotocol): opens the document in `file` into
// `document`, which it keeps between requests, or draws from it. The answer is `head`, followed
// by the rows of `pixels` for a drawing. Once it is sent, `then` prepares what the request said
// comes next.
struct VectorAnswer {
    QByteArray head;
    QImage pixels;
    std::function<void()> then;
};
VectorAnswer answerVectorRequest(QByteArrayView request, std::unique_ptr<VectorDocument> &document, QIODevice &file);

// "The PDF takes too long to draw (more than 20 seconds)." and the like.
QString vectorTooSlowDescription(vectorprotocol::Format format, const QString &verb);
QString vectorFormatName(vectorprotocol::Format format);

}  // namespace plakatron
