// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector/VectorDocument.h"

#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "vector/VectorFormats.h"

#include <QLocale>
#include <QPainter>
#include <cmath>
#include <new>

namespace plakatron {

using namespace vectorprotocol;

QString vectorFormatName(Format format) { return format == Format::Pdf ? QStringLiteral("PDF") : QStringLiteral("SVG picture"); }

QString vectorTooSlowDescription(Format format, const QString &verb)
{
    return QStringLiteral("The %1 takes too long to %2 (more than %3 seconds).")
        .arg(vectorFormatName(format), verb)
        .arg(PictureLimits::decodingDeadlineMs / 1000);
}

std::unique_ptr<VectorDocument> VectorDocument::open(QIODevice &file, Format format, bool compressed, int page,
                                                     const QDeadlineTimer &deadline)
{
    switch (format) {
    case Format::Pdf: return openPdf(file, page, deadline);
    case Format::Svg: return openSvg(file, compressed, deadline);
    }
    raise(err::InvalidPicture, QStringLiteral("The file is neither a PDF nor an SVG picture."));
}

void VectorDocument::setNominalSize(QSizeF ownSize, double ownUnitsPerPixel)
{
    const double width = ownSize.width() / ownUnitsPerPixel;
    const double height = ownSize.height() / ownUnitsPerPixel;
    if (!(width > 0) || !(height > 0) || !std::isfinite(width) || !std::isfinite(height))
        raise(err::InvalidPicture, QStringLiteral("The %1 has no size: nothing of it can be shown.")
                                       .arg(vectorFormatName(format_)));
    const double largest = double(PictureLimits::maxVectorSide);
    if (width > largest || height > largest) {
        const QLocale english(QLocale::English);
        raise(err::OutOfMemory, QStringLiteral("The picture is too large: %1 x %2 pixels at its size. Vector pictures "
                                               "of up to %3 pixels a side can be loaded.")
                                    .arg(english.toString(width, 'f', 0), english.toString(height, 'f', 0),
                                         english.toString(PictureLimits::maxVectorSide)));
    }
    nominal_ = QSize(std::max(1, int(std::lround(width))), std::max(1, int(std::lround(height))));
    own_ = ownSize;
}

// The area in the document's own units; 5 for one that is no area.
QRectF VectorDocument::ownArea(const QRectF &area) const
{
    if (!std::isfinite(area.x()) || !std::isfinite(area.y()) || !(area.width() > 0) || !(area.height() > 0)
        || !std::isfinite(area.width()) || !std::isfinite(area.height()))
        raise(err::InvalidCall);
    // The nominal picture is exactly the document: its own units per nominal pixel, each way.
    const double x = own_.width() / nominal_.width();
    const double y = own_.height() / nominal_.height();
    return QRectF(area.x() * x, area.y() * y, area.width() * x, area.height() * y);
}

namespace {
// Work done ahead of a request: its errors wait for that request.
template <typename Work>
void ahead(Work work)
{
    try {
        work();
    } catch (const RuntimeError &) {
    } catch (const std::bad_alloc &) {
    }
}
bool drawable(QSize size) { return !size.isEmpty() && qint64(size.width()) * size.height() <= PictureLimits::maxDrawnPixels; }
}  // namespace

void VectorDocument::prepare(const QRectF &area, QSize size, int row, const QDeadlineTimer &deadline) const
{
    if (drawable(size))
        ahead([&] { prepareScaled(ownArea(area), size, std::max(row, 0), deadline); });
}

void VectorDocument::keep(const QRectF &area, QSize size, const QRectF &keep, const QDeadlineTimer &deadline) const
{
    if (drawable(size) && !area.isEmpty() && !keep.isEmpty())
        ahead([&] { keepScaled(ownArea(area), size, ownArea(keep), deadline); });
}

QImage VectorDocument::draw(const QRectF &area, QSize size, const QDeadlineTimer &deadline, int row) const
{
    vectorprotocol::checkDrawingSize(size);
    QImage image = drawScaled(ownArea(area), size, std::max(row, 0), deadline);
    if (image.isNull())
        raise(err::OutOfMemory, QStringLiteral("There is not enough memory to draw the picture."));
    if (image.format() != QImage::Format_RGB32 || image.size() != size)
        raise(err::InvalidPicture, QStringLiteral("The picture could not be drawn."));
    return image;
}

VectorAnswer answerVectorRequest(QByteArrayView request, std::unique_ptr<VectorDocument> &document, QIODevice &file)
{
    try {
        OpenRequest open;
        DrawRequest draw;
        if (decode(request, open)) {
            document.reset();
            document = VectorDocument::open(file, open.format, open.flags & Compressed, int(std::min<quint32>(open.page, 1u << 30)),
                                            QDeadlineTimer(qint64(open.deadlineMs)));
            return {encode(Info{quint32(document->pageCount()), quint32(document->page()), document->nominalSize()}), {}, {}};
        }
        if (decode(request, draw) && document) {
            QImage pixels = document->draw(draw.area, draw.size, QDeadlineTimer(qint64(draw.deadlineMs)),
                                           int(std::min<quint32>(draw.row, 1u << 30)));
            const VectorDocument *drawing = document.get();
            const auto then = [drawing, draw] {
                const QDeadlineTimer deadline(qint64(draw.deadlineMs));
                if (!draw.next.isEmpty())
                    drawing->prepare(draw.next, draw.size, int(std::min<quint32>(draw.nextRow, 1u << 30)), deadline);
                else if (!draw.keep.isEmpty())
                    drawing->keep(draw.area, draw.size, draw.keep, deadline);
            };
            return {pixelsHeader(pixels.size()), std::move(pixels), then};
        }
        return {encodeError(err::InvalidCall, QStringLiteral("The vector reader was asked for something it does not do.")), {}, {}};
    } catch (const RuntimeError &e) {
        return {encodeError(e.number(), e.description()), {}, {}};
    } catch (const std::bad_alloc &) {
        return {encodeError(err::OutOfMemory, QStringLiteral("There is not enough memory to load the picture.")), {}, {}};
    } catch (const std::exception &) {
        return {encodeError(err::InvalidPicture, QStringLiteral("The picture could not be read.")), {}, {}};
    }
}

}  // namespace plakatron
