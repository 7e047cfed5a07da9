// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/DibSection.h"

#include "core/RuntimeError.h"
#include "imaging/PixelCopy.h"

#include <QPainter>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace plakatron {

namespace {
std::int32_t checkedLong(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        raise(err::Overflow);
    return static_cast<std::int32_t>(value);
}

void requireSourceCopy(std::uint32_t rasterOp)
{
    if (rasterOp != SRCCOPY)
        raise(err::InvalidCall);
}

// Width or height of a copy: negative means the whole buffer.
std::int32_t extent(std::int32_t requested, std::int32_t whole) { return requested < 0 ? whole : requested; }

std::uintptr_t newDibHandle()
{
    static std::atomic<std::uintptr_t> last{0};
    return ++last;
}
}  // namespace

void cDIBSection::FreeBlock::operator()(std::uint8_t *block) const noexcept { std::free(block); }

cDIBSection::~cDIBSection() { ClearUp(); }

void cDIBSection::ClearUp() noexcept
{
    bits_.reset();
    dibHandle_ = 0;
}

std::int32_t cDIBSection::BytesPerScanLine() const
{
    const std::int32_t tripled = checkedLong(std::int64_t(biWidth_) * 3);
    return checkedLong(std::int64_t(tripled) + 3) & ~std::int32_t(3);
}

bool cDIBSection::CreateDIB(std::int32_t width, std::int32_t height)
{
    // Never leave a pixel block behind that does not match the recorded size.
    ClearUp();
    biWidth_ = width;
    biHeight_ = height;
    const std::int32_t sizeImage = checkedLong(std::int64_t(height) * BytesPerScanLine());
    if (width < 1 || height < 1)
        return false;
    // calloc: a fresh block is black with zero padding, and large blocks come zeroed from the
    // system without a pass over them.
    auto *block = static_cast<std::uint8_t *>(std::calloc(std::size_t(sizeImage), 1));
    if (!block)
        return false;
    bits_.reset(block);
    dibHandle_ = newDibHandle();
    return true;
}

bool cDIBSection::Create(std::int32_t width, std::int32_t height)
{
    ClearUp();
    return CreateDIB(width, height);
}

void cDIBSection::CreateFromPicture(const QImage &picture)
{
    if (!Create(picture.width(), picture.height()))
        return;
    LoadPictureBlt(picture, 0, 0, -1, -1, SRCCOPY);
}

ByteView cDIBSection::bytes()
{
    return bits_ ? ByteView(bits_.get(), BytesPerScanLine(), biHeight_) : ByteView();
}

ConstByteView cDIBSection::bytes() const
{
    return bits_ ? ConstByteView(bits_.get(), BytesPerScanLine(), biHeight_) : ConstByteView();
}

void cDIBSection::LoadPictureBlt(const QImage &source, std::int32_t sourceLeft, std::int32_t sourceTop,
                                 std::int32_t width, std::int32_t height, std::uint32_t rasterOp)
{
    requireSourceCopy(rasterOp);
    if (!bits_ || source.isNull())
        return;
    const auto r = pixelcopy::clip(source.width(), source.height(), biWidth_, biHeight_, sourceLeft, sourceTop, 0, 0,
                                   extent(width, biWidth_), extent(height, biHeight_));
    if (!r)
        return;
    QImage converted;
    const QImage *from = &source;
    std::int32_t fromX = r->sourceX;
    std::int32_t fromY = r->sourceY;
    if (!pixelcopy::isDirectFormat(source.format())) {
        converted = source.copy(r->sourceX, r->sourceY, r->width, r->height).convertToFormat(QImage::Format_RGB32);
        if (converted.isNull())
            return;
        from = &converted;
        fromX = fromY = 0;
    }
    const ByteView view = bytes();
    const std::int32_t firstRow = biHeight_ - r->destY - r->height;  // picture rows count from the top
    view.require(3LL * r->destX, 3LL * (r->destX + r->width) - 1, firstRow, firstRow + r->height - 1);
    const std::int32_t bytesPerPixel = from->depth() / 8;
    for (std::int32_t y = 0; y < r->height; ++y) {
        const uchar *in = from->constScanLine(fromY + y) + std::ptrdiff_t(fromX) * bytesPerPixel;
        std::uint8_t *out = view.rowPointer(biHeight_ - 1 - (r->destY + y)) + 3 * std::ptrdiff_t(r->destX);
        pixelcopy::toBgr(from->format(), in, out, r->width);
    }
}

void cDIBSection::LoadPictureBlt(const cDIBSection *sourceDC, std::int32_t sourceLeft, std::int32_t sourceTop,
                                 std::int32_t width, std::int32_t height, std::uint32_t rasterOp)
{
    requireSourceCopy(rasterOp);
    if (!bits_ || !sourceDC || !sourceDC->bits_)
        return;
    if (sourceDC == this) {  // overlapping rectangles of one buffer: copy from a snapshot
        const ConstByteView all = bytes();
        const std::vector<std::uint8_t> snapshot(all.rowPointer(0),
                                                 all.rowPointer(0) + std::size_t(all.bytesPerRow()) * all.rows());
        copyIn(snapshot.data(), biWidth_, biHeight_, all.bytesPerRow(), sourceLeft, sourceTop, width, height);
        return;
    }
    copyIn(sourceDC->bits_.get(), sourceDC->biWidth_, sourceDC->biHeight_, sourceDC->BytesPerScanLine(), sourceLeft,
           sourceTop, width, height);
}

void cDIBSection::copyIn(const std::uint8_t *bottomUp, std::int32_t width, std::int32_t height, std::int32_t stride,
                         std::int32_t sourceLeft, std::int32_t sourceTop, std::int32_t w, std::int32_t h)
{
    const auto r = pixelcopy::clip(width, height, biWidth_, biHeight_, sourceLeft, sourceTop, 0, 0,
                                   extent(w, biWidth_), extent(h, biHeight_));
    if (!r)
        return;
    const ConstByteView from(bottomUp, stride, height);
    const ByteView to = bytes();
    const std::int32_t fromRow = height - r->sourceY - r->height;
    const std::int32_t toRow = biHeight_ - r->destY - r->height;
    from.require(3LL * r->sourceX, 3LL * (r->sourceX + r->width) - 1, fromRow, fromRow + r->height - 1);
    to.require(3LL * r->destX, 3LL * (r->destX + r->width) - 1, toRow, toRow + r->height - 1);
    for (std::int32_t y = 0; y < r->height; ++y)
        std::memcpy(to.rowPointer(toRow + y) + 3 * std::ptrdiff_t(r->destX),
                    from.rowPointer(fromRow + y) + 3 * std::ptrdiff_t(r->sourceX), std::size_t(r->width) * 3);
}

void cDIBSection::CreateFromCrop(const PictureCrop &crop, const std::vector<std::int32_t> &columns,
                                 const std::vector<std::int32_t> &rows)
{
    const std::int32_t width = checkedLong(std::int64_t(columns.size()));
    const std::int32_t height = checkedLong(std::int64_t(rows.size()));
    if (!Create(width, height)) {
        if (width > 0 && height > 0)
            raise(err::OutOfMemory);
        return;
    }
    // Where the picture's part lands in the crop, and the chosen columns [inBegin, inEnd) that
    // fall inside it: runs of neighbouring columns are converted in one go.
    const QImage *picture = crop.picture;
    const PictureCrop::Landing landing = crop.landing();
    const QRect &landed = landing.inCrop;
    const auto firstAtOrAfter = [&columns](std::int64_t x) {
        return std::size_t(std::lower_bound(columns.begin(), columns.end(), x) - columns.begin());
    };
    const std::size_t inBegin = firstAtOrAfter(landed.left());
    const std::size_t inEnd = firstAtOrAfter(std::int64_t(landed.left()) + landed.width());
    struct Run {
        std::int32_t column;  // in this buffer
        std::int32_t pictureX;
        std::int32_t length;
    };
    std::vector<Run> runs;
    for (std::size_t c = inBegin; c < inEnd; ++c) {
        const std::int32_t x = columns[c] - landed.left() + landing.from.x();
        if (!runs.empty() && runs.back().pictureX + runs.back().length == x)
            ++runs.back().length;
        else
            runs.push_back({std::int32_t(c), x, 1});
    }

    // Pictures in other formats than the program's own go through Qt's painter, as they would
    // into the crop made whole: one row of the needed span at a time.
    const bool direct = picture && picture->format() == QImage::Format_RGB32;
    const std::int32_t spanLeft = runs.empty() ? 0 : runs.front().pictureX;
    const std::int32_t spanWidth = runs.empty() ? 0 : runs.back().pictureX + runs.back().length - spanLeft;
    QImage converted;
    if (!direct && !runs.empty()) {
        converted = QImage(spanWidth, 1, QImage::Format_RGB32);
        if (converted.isNull())
            raise(err::OutOfMemory);
    }

    const ByteView view = bytes();
    view.require(0, 3LL * width - 1, 0, height - 1);
    for (std::int32_t k = 0; k < height; ++k) {
        std::uint8_t *out = view.rowPointer(height - 1 - k);  // the buffer counts rows from the bottom
        const std::int32_t y = rows[std::size_t(k)];
        if (runs.empty() || y < landed.top() || y > landed.bottom()) {
            std::memset(out, 0xFF, 3 * std::size_t(width));
            continue;
        }
        std::memset(out, 0xFF, 3 * inBegin);
        std::memset(out + 3 * inEnd, 0xFF, 3 * (std::size_t(width) - inEnd));
        const uchar *line = pixelcopy::rgb32Row(*picture, spanLeft, y - landed.top() + landing.from.y(), spanWidth,
                                                converted);
        if (!line)
            raise(err::OutOfMemory);
        for (const Run &run : runs)
            pixelcopy::toBgr(QImage::Format_RGB32, line + 4 * std::ptrdiff_t(run.pictureX - spanLeft),
                             out + 3 * std::ptrdiff_t(run.column), run.length);
    }
}

namespace {
// A top-down Format_RGB32 copy of a rectangle that lies inside the buffer.
QImage rectangleImage(const ConstByteView &view, std::int32_t bufferHeight, const pixelcopy::CopyRect &r)
{
    QImage image(r.width, r.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const std::int32_t firstRow = bufferHeight - r.sourceY - r.height;
    view.require(3LL * r.sourceX, 3LL * (r.sourceX + r.width) - 1, firstRow, firstRow + r.height - 1);
    for (std::int32_t y = 0; y < r.height; ++y)
        pixelcopy::fromBgr(QImage::Format_RGB32,
                           view.rowPointer(bufferHeight - 1 - (r.sourceY + y)) + 3 * std::ptrdiff_t(r.sourceX),
                           image.scanLine(y), r.width);
    return image;
}
}  // namespace

void cDIBSection::PaintPicture(QPainter &dest, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
                               std::int32_t height, std::int32_t sourceLeft, std::int32_t sourceTop,
                               std::uint32_t rasterOp) const
{
    requireSourceCopy(rasterOp);
    if (!bits_ || !dest.isActive())
        return;
    const auto r = pixelcopy::clip(biWidth_, biHeight_, -1, -1, sourceLeft, sourceTop, destLeft, destTop,
                                   extent(width, biWidth_), extent(height, biHeight_));
    if (!r)
        return;
    const QImage part = rectangleImage(bytes(), biHeight_, *r);
    if (!part.isNull())
        dest.drawImage(QPoint(r->destX, r->destY), part);
}

void cDIBSection::PaintPicture(QImage &dest, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
                               std::int32_t height, std::int32_t sourceLeft, std::int32_t sourceTop,
                               std::uint32_t rasterOp) const
{
    requireSourceCopy(rasterOp);
    if (!bits_ || dest.isNull())
        return;
    const auto r = pixelcopy::clip(biWidth_, biHeight_, dest.width(), dest.height(), sourceLeft, sourceTop, destLeft,
                                   destTop, extent(width, biWidth_), extent(height, biHeight_));
    if (!r)
        return;
    const ConstByteView view = bytes();
    if (!pixelcopy::isDirectFormat(dest.format())) {
        // Indexed, 16-bit and other formats: let Qt convert while it paints.
        const QImage part = rectangleImage(view, biHeight_, *r);
        QPainter painter(&dest);
        if (part.isNull() || !painter.isActive())
            return;
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(r->destX, r->destY), part);
        return;
    }
    const std::int32_t firstRow = biHeight_ - r->sourceY - r->height;
    view.require(3LL * r->sourceX, 3LL * (r->sourceX + r->width) - 1, firstRow, firstRow + r->height - 1);
    const std::int32_t bytesPerPixel = dest.depth() / 8;
    for (std::int32_t y = 0; y < r->height; ++y)
        pixelcopy::fromBgr(dest.format(),
                           view.rowPointer(biHeight_ - 1 - (r->sourceY + y)) + 3 * std::ptrdiff_t(r->sourceX),
                           dest.scanLine(r->destY + y) + std::ptrdiff_t(r->destX) * bytesPerPixel, r->width);
}

QImage cDIBSection::toImage() const
{
    if (!bits_)
        return QImage();
    return rectangleImage(bytes(), biHeight_, {0, 0, 0, 0, biWidth_, biHeight_});
}

}  // namespace plakatron
