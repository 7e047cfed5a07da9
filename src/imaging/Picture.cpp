#include "imaging/Picture.h"

#include "core/RuntimeError.h"

namespace plakatron {

Picture::Picture(QImage raster) : raster_(std::move(raster)) {}

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
        result = raster_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else if (!overview_.isNull() && overview_.width() >= size.width() && overview_.height() >= size.height())
        result = overview_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else
        result = draw(QRectF(QPointF(0, 0), QSizeF(nominal_)), size);
    if (result.isNull() && !size.isEmpty())
        raise(err::OutOfMemory);
    return result;
}

}  // namespace plakatron
