// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/Picture.h"

#include "core/RuntimeError.h"

namespace plakatron {

QImage pictureAsCut(const QImage &picture)
{
    if (picture.width() < 2 || picture.height() < 2)
        return {};
    const QRect cut(1, 1, picture.width() - 1, picture.height() - 1);
    if (picture.depth() % 8 != 0)
        return picture.copy(cut);
    // A read-only view of the picture's own pixels, which the caller's picture keeps.
    QImage part(picture.constScanLine(1) + picture.depth() / 8, cut.width(), cut.height(), picture.bytesPerLine(),
                picture.format());
    part.setColorTable(picture.colorTable());
    return part;
}

Picture::Picture(QImage raster) : raster_(std::move(raster)) {}

Picture::Picture(QImage raster, std::shared_ptr<const ArrivingRows> arriving)
    : raster_(std::move(raster)), arriving_(std::move(arriving))
{
}

const QImage &Picture::raster() const
{
    waitForRows(raster_.height());
    return raster_;
}

void Picture::waitForRows(int rows) const
{
    if (arriving_)
        arriving_->waitFor(rows);
}

Picture::Picture(QSize nominalSize, std::shared_ptr<const VectorDrawing> drawing, QImage overview, DocumentPage page)
    : nominal_(nominalSize), drawing_(std::move(drawing)), overview_(std::move(overview)), page_(page)
{
}

QImage Picture::draw(const QRectF &area, QSize size, const DrawingAhead &ahead) const
{
    if (!drawing_)
        raise(err::InvalidCall);
    return drawing_->draw(area, size, ahead);
}

QImage Picture::scaled(QSize size) const
{
    QImage result;
    if (!isVector())
        result = raster().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else if (!overview_.isNull() && overview_.width() >= size.width() && overview_.height() >= size.height())
        result = overview_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else
        result = draw(QRectF(QPointF(0, 0), QSizeF(nominal_)), size);
    if (result.isNull() && !size.isEmpty())
        raise(err::OutOfMemory);
    return result;
}

QImage Picture::scaledAsCut(QSize size) const
{
    const QSize whole = this->size();
    if (whole.width() < 2 || whole.height() < 2)
        return {};
    if (!isVector())
        return Picture(pictureAsCut(raster())).scaled(size);
    if (!overview_.isNull() && overview_.width() >= size.width() && overview_.height() >= size.height()) {
        // The overview spans the nominal size: its share beyond the first column and row.
        const double sx = double(overview_.width()) / whole.width(), sy = double(overview_.height()) / whole.height();
        const QRect cut = QRectF(sx, sy, overview_.width() - sx, overview_.height() - sy).toAlignedRect() & overview_.rect();
        return Picture(overview_.copy(cut)).scaled(size);
    }
    QImage result = draw(QRectF(1, 1, whole.width() - 1, whole.height() - 1), size);
    if (result.isNull() && !size.isEmpty())
        raise(err::OutOfMemory);
    return result;
}

}  // namespace plakatron
