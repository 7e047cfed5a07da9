// SPDX-License-Identifier: GPL-3.0-or-later
// SVG and SVGZ pictures through Qt SVG, given only what SvgCleaner keeps of them.
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "vector/SvgCleaner.h"
#include "vector/VectorFormats.h"

#include <QIODevice>
#include <QPainter>
#include <QSvgRenderer>

namespace plakatron {

using vectorprotocol::Format;

namespace {

class SvgDocument final : public VectorDocument {
public:
    explicit SvgDocument(const QByteArray &text) : VectorDocument(Format::Svg)
    {
        if (!renderer_.load(text))
            raise(err::InvalidPicture, QStringLiteral("The SVG picture is damaged: Qt SVG cannot read it."));
        // Its width and height, else its viewBox, else the bounds of what it draws (Qt SVG's own
        // order); a picture with none of them has no size.
        size_ = renderer_.defaultSize();
        setNominalSize(QSizeF(size_), 1);
    }

protected:
    // Qt SVG places a part at any fraction of a pixel: each part is drawn on its own.
    QImage drawScaled(const QRectF &area, QSize size, int, const QDeadlineTimer &) const override
    {
        QImage image(size, QImage::Format_RGB32);
        if (image.isNull())
            return image;
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        painter.scale(size.width() / area.width(), size.height() / area.height());
        painter.translate(-area.topLeft());
        renderer_.render(&painter, QRectF(QPointF(0, 0), QSizeF(size_)));
        return image;
    }

private:
    mutable QSvgRenderer renderer_;
    QSize size_;
};

}  // namespace

std::unique_ptr<VectorDocument> openSvg(QIODevice &file, bool compressed, const QDeadlineTimer &)
{
    if (file.size() > PictureLimits::maxSvgBytes)
        raise(err::OutOfMemory, QStringLiteral("The SVG picture is too large (%1 MB); pictures of up to %2 MB can be loaded.")
                                    .arg(file.size() / (1024 * 1024))
                                    .arg(PictureLimits::maxSvgBytes / (1024 * 1024)));
    file.seek(0);
    QByteArray text = file.read(PictureLimits::maxSvgBytes);
    if (compressed)
        text = unpackedSvgz(text);
    return std::make_unique<SvgDocument>(cleanedSvg(text));
}

}  // namespace plakatron
