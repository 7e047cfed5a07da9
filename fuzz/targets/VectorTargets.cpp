// SPDX-License-Identifier: GPL-3.0-or-later
// PDF and SVG files as the vector helper reads them, in this process so that the fuzzer sees what
// poppler and Qt SVG do with them (in the program they run in the helper): opened and checked,
// drawn whole at a small size, and drawn in parts as a print job asks for them, a row ahead and
// the next part prepared.
#include "FuzzTargets.h"

#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "vector/VectorDocument.h"

#include <QBuffer>

namespace plakatron::fuzz {

namespace {

void requireRefusal(const RuntimeError &e, bool opening)
{
    require(e.number() == err::InvalidPicture || e.number() == err::OutOfMemory
                || (opening && e.number() == err::SubscriptOutOfRange),
            "a vector picture refused with an unexpected error number");
    require(!e.description().trimmed().isEmpty(), "a vector picture refused without a description");
}

void requireDrawn(const VectorDocument &document, const QRectF &area, QSize size, int row)
{
    try {
        const QImage image = document.draw(area, size, QDeadlineTimer(10'000), row);
        require(image.size() == size && image.format() == QImage::Format_RGB32, "a part drawn at another size or format");
    } catch (const RuntimeError &e) {
        requireRefusal(e, false);
    }
}

void vectorTarget(QByteArrayView data, vectorprotocol::Format format, bool compressed)
{
    QBuffer file;
    file.setData(data.toByteArray());
    file.open(QIODevice::ReadOnly);
    std::unique_ptr<VectorDocument> document;
    try {
        document = VectorDocument::open(file, format, compressed, 1, QDeadlineTimer(10'000));
    } catch (const RuntimeError &e) {
        requireRefusal(e, true);
        return;
    }
    const QSize nominal = document->nominalSize();
    require(!nominal.isEmpty() && nominal.width() <= PictureLimits::maxVectorSide
                && nominal.height() <= PictureLimits::maxVectorSide,
            "a vector picture's nominal size beyond its limits");
    require(document->page() == 1 && document->pageCount() >= 1 && document->pageCount() <= PictureLimits::maxPdfPages,
            "a vector picture's pages beyond their limits");
    const QRectF whole(QPointF(0, 0), QSizeF(nominal));
    requireDrawn(*document, whole, QSize(48, 48), 0);
    // Two pages of a poster two sheets across, the second cut from the first's row.
    const QRectF first(-0.3, -0.3, whole.width() / 2 + 2, whole.height() / 2 + 2);
    requireDrawn(*document, first, QSize(60, 85), 60);
    document->prepare(first.translated(whole.width() / 2, 0), QSize(60, 85), 0, QDeadlineTimer(10'000));
    requireDrawn(*document, first.translated(whole.width() / 2, 0), QSize(60, 85), 0);
}

}  // namespace

void pdfTarget(QByteArrayView data) { vectorTarget(data, vectorprotocol::Format::Pdf, false); }

void svgTarget(QByteArrayView data)
{
    vectorTarget(data, vectorprotocol::Format::Svg, data.startsWith("\x1F\x8B"));
}

}  // namespace plakatron::fuzz
