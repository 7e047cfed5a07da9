// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/DibSection.h"

#include "core/RuntimeError.h"
#include "imaging/PixelCopy.h"
#include "imaging/ReduceKernel.h"
#include "imaging/ResampleKernel.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace plakatron {

namespace {
// Whether a new size is at least as large as the source on both axes: then the page is the
// bilinear enlargement, byte for byte; smaller along either axis, the averaging pass makes it.
bool enlarges(std::int32_t width, std::int32_t height, std::int32_t newWidth, std::int32_t newHeight)
{
    return newWidth >= width && newHeight >= height;
}

// Runs the averaging pass from a source of `size` whose `picture` rectangle (inside it) `rows`
// reads, into the new buffer. An axis that keeps the bilinear positions reads two source pixels
// from the first on, so a source 1 pixel wide or high fails, as the enlargement fails on it; so
// does a source without pixels.
void reduceInto(QSize size, QRect picture, const resample::PictureRows &rows, cDIBSection &destination, int threads)
{
    const std::int32_t newWidth = destination.Width(), newHeight = destination.Height();
    if (size.width() < (newWidth >= size.width() ? 2 : 1) || size.height() < (newHeight >= size.height() ? 2 : 1))
        raise(err::SubscriptOutOfRange);
    const resample::Reduction plan(size.width(), size.height(), newWidth, newHeight, picture.x(), picture.y(),
                                   picture.width(), picture.height());
    const ByteView dest = destination.bytes();
    dest.require(0, 3LL * newWidth - 1, 0, newHeight - 1);
    if (!resample::reduce(plan, rows, {dest.rowPointer(0), dest.bytesPerRow()}, resample::fastest(), threads))
        raise(err::OutOfMemory);  // a picture row could not be converted
}

// The buffer's rows, top first, as 32-bit pixels.
class BufferRows final : public resample::PictureRows {
public:
    explicit BufferRows(const ConstByteView &view, std::int32_t width) : view_(view), width_(width) {}
    const std::uint32_t *row(std::int32_t y, std::uint32_t *scratch) const override
    {
        pixelcopy::fromBgr(QImage::Format_RGB32, view_.rowPointer(view_.rows() - 1 - y),
                           reinterpret_cast<uchar *>(scratch), width_);
        return scratch;
    }
    // The converted row, and four spare pixels after it that stay zero.
    std::int32_t readable() const noexcept override { return width_ + 4; }
    std::size_t scratchPixels() const noexcept override { return std::size_t(width_) + 4; }

private:
    ConstByteView view_;
    std::int32_t width_;
};

// The picture's pixels of a crop, from picture pixel `from` on, `width` of them a row: the
// picture's own rows where it is in the program's format, else each row converted on its own.
class CropRows final : public resample::PictureRows {
public:
    CropRows(const QImage *picture, QPoint from, std::int32_t width)
        : picture_(picture), from_(from), width_(width), direct_(picture && picture->format() == QImage::Format_RGB32)
    {
    }
    const std::uint32_t *row(std::int32_t y, std::uint32_t *scratch) const override
    {
        if (direct_)
            return reinterpret_cast<const std::uint32_t *>(picture_->constScanLine(from_.y() + y)) + from_.x();
        QImage into(reinterpret_cast<uchar *>(scratch), width_, 1, 4 * qsizetype(width_), QImage::Format_RGB32);
        return reinterpret_cast<const std::uint32_t *>(
            pixelcopy::rgb32Row(*picture_, from_.x(), from_.y() + y, width_, into));
    }
    std::int32_t readable() const noexcept override
    {
        return direct_ ? picture_->width() - from_.x() : width_ + 4;
    }
    std::size_t scratchPixels() const noexcept override { return direct_ ? 0 : std::size_t(width_) + 4; }

private:
    const QImage *picture_;
    QPoint from_;
    std::int32_t width_;
    bool direct_;
};
}  // namespace

std::unique_ptr<cDIBSection> cDIBSection::Resample(std::int32_t newHeight, std::int32_t newWidth) const
{
    auto result = std::make_unique<cDIBSection>();
    if (!result->Create(newWidth, newHeight))
        return nullptr;
    if (newWidth == biWidth_ && newHeight == biHeight_) {
        // Interpolating at the same size would not give the picture back (the samples fall short
        // of the last column and row), so this size is a plain copy.
        if (!bits_)
            raise(err::SubscriptOutOfRange);  // nothing to copy: not a black picture either
        result->LoadPictureBlt(hdc(), 0, 0, -1, -1, SRCCOPY);
        return result;
    }
    if (enlarges(biWidth_, biHeight_, newWidth, newHeight)) {
        ResampleInto(*result);
        return result;
    }
    if (!bits_)
        raise(err::SubscriptOutOfRange);
    const resample::RoundToNearest rounding;  // the positions and weights are floating point
    try {
        const QSize size(biWidth_, biHeight_);
        reduceInto(size, QRect(QPoint(0, 0), size), BufferRows(bytes(), biWidth_), *result, 0);
    } catch (const std::bad_alloc &) {
        raise(err::OutOfMemory);
    }
    return result;
}

void cDIBSection::ResampleInto(cDIBSection &destination) const
{
    if (!bits_)
        raise(err::SubscriptOutOfRange);
    // The plan's single-precision roundings follow the rounding mode: hold it at the default.
    const resample::RoundToNearest rounding;
    try {
        resampleWith(resample::Plan(biWidth_, biHeight_, destination.biWidth_, destination.biHeight_), destination);
    } catch (const std::bad_alloc &) {
        raise(err::OutOfMemory);  // tables or scratch rows: report it the way the program reports errors
    }
}

void cDIBSection::resampleWith(const resample::Plan &plan, cDIBSection &destination, int threads) const
{
    const ConstByteView source = bytes();
    const ByteView dest = destination.bytes();
    // Every read and write of the run, checked before the first write: a source 1 pixel wide or
    // high fails here, at the very first pixel's second column or row.
    source.require(3LL * plan.firstColumn, 3LL * plan.lastColumn + 5, plan.firstRow, plan.lastRow + 1LL);
    dest.require(0, 3LL * plan.destWidth - 1, 0, plan.destHeight - 1);
    resample::run(plan, {source.rowPointer(0), source.bytesPerRow(), dest.rowPointer(0), dest.bytesPerRow()},
                  resample::fastest(), threads);
}

QRectF cDIBSection::sampledArea(QSize crop, QSize page)
{
    const bool copy = crop == page;
    // Destination centre d + 0.5 samples source centre first + 0.5 with first = d * (N - 1) / M
    // (ResampleKernel.h); rows are sampled from the bottom, so their last centres meet.
    const auto axis = [copy](double n, double m, bool fromEnd) -> std::pair<double, double> {
        if (copy || m < n || m <= 0 || n < 2)
            return {0, n};
        const double step = (n - 1) / m;
        const double start = fromEnd ? n - 0.5 - (m - 0.5) * step : 0.5 - 0.5 * step;
        return {start, n - 1};
    };
    const auto [left, width] = axis(crop.width(), page.width(), false);
    const auto [top, height] = axis(crop.height(), page.height(), true);
    return QRectF(left, top, width, height);
}

namespace {
std::vector<std::int32_t> everyIndex(std::int32_t count)
{
    std::vector<std::int32_t> all(std::size_t(std::max(count, 0)));
    std::iota(all.begin(), all.end(), 0);
    return all;
}
}  // namespace

std::unique_ptr<cDIBSection> cDIBSection::ResampleCrop(const PictureCrop &crop, std::int32_t newHeight,
                                                       std::int32_t newWidth, cDIBSection &gathered, int threads,
                                                       std::unique_ptr<cDIBSection> spare)
{
    const std::int32_t width = crop.size.width();
    const std::int32_t height = crop.size.height();
    const bool enlarging = !(newWidth == width && newHeight == height) && enlarges(width, height, newWidth, newHeight);
    std::unique_ptr<cDIBSection> result;
    if (enlarging && spare && spare->bits_ && spare->biWidth_ == newWidth && spare->biHeight_ == newHeight)
        result = std::move(spare);
    else if (!(result = std::make_unique<cDIBSection>())->Create(newWidth, newHeight))
        return nullptr;
    const resample::RoundToNearest rounding;
    try {
        if (newWidth == width && newHeight == height) {
            // A plain copy, as Resample makes it: every pixel is needed.
            result->CreateFromCrop(crop, everyIndex(width), everyIndex(height));
            return result;
        }
        if (!enlarges(width, height, newWidth, newHeight)) {
            // Every pixel of the crop counts: its picture rows are read where they are, white
            // around them costs nothing. Nothing is gathered.
            gathered.ClearUp();
            const PictureCrop::Landing landing = crop.landing();
            const QRect kept = landing.inCrop.intersected(QRect(0, 0, width, height));
            const QPoint from = landing.from + (kept.topLeft() - landing.inCrop.topLeft());
            reduceInto(crop.size, kept, CropRows(crop.picture, from, kept.width()), *result, threads);
            return result;
        }
        // Positions and weights are those of the whole crop; the pass then reads them from the
        // gathered copy. The plan counts rows from the bottom, the crop from the top.
        const resample::Plan whole(width, height, newWidth, newHeight);
        const std::vector<std::int32_t> columns = resample::readIndices(whole.columns);
        const std::vector<std::int32_t> rows = resample::readIndices(whole.rows);
        // A source 1 pixel wide or high, or without pixels, fails as Resample fails on it.
        if (columns.empty() || rows.empty() || columns.front() < 0 || columns.back() >= width || rows.front() < 0
            || rows.back() >= height)
            raise(err::SubscriptOutOfRange);
        std::vector<std::int32_t> rowsFromTop(rows.size());
        std::transform(rows.rbegin(), rows.rend(), rowsFromTop.begin(), [height](std::int32_t r) { return height - 1 - r; });
        gathered.CreateFromCrop(crop, columns, rowsFromTop);
        gathered.resampleWith(whole.gathered(columns, rows), *result, threads);
    } catch (const std::bad_alloc &) {
        raise(err::OutOfMemory);
    }
    return result;
}

}  // namespace plakatron
