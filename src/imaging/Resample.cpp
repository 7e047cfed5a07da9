#include "imaging/DibSection.h"

#include "core/RuntimeError.h"
#include "imaging/ResampleKernel.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace plakatron {

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
    ResampleInto(*result);
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

namespace {
std::vector<std::int32_t> everyIndex(std::int32_t count)
{
    std::vector<std::int32_t> all(std::size_t(std::max(count, 0)));
    std::iota(all.begin(), all.end(), 0);
    return all;
}
}  // namespace

std::unique_ptr<cDIBSection> cDIBSection::ResampleCrop(const PictureCrop &crop, std::int32_t newHeight,
                                                       std::int32_t newWidth, cDIBSection &gathered, int threads)
{
    auto result = std::make_unique<cDIBSection>();
    if (!result->Create(newWidth, newHeight))
        return nullptr;
    const std::int32_t width = crop.size.width();
    const std::int32_t height = crop.size.height();
    const resample::RoundToNearest rounding;
    try {
        if (newWidth == width && newHeight == height) {
            // A plain copy, as Resample makes it: every pixel is needed.
            result->CreateFromCrop(crop, everyIndex(width), everyIndex(height));
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
