#include "imaging/DibSection.h"

#include "core/RuntimeError.h"
#include "imaging/ResampleKernel.h"

#include <new>

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
    const ConstByteView source = bytes();
    const ByteView dest = destination.bytes();
    if (source.rows() == 0)
        raise(err::SubscriptOutOfRange);
    // The plan's single-precision roundings follow the rounding mode: hold it at the default.
    const resample::RoundToNearest rounding;
    try {
        const resample::Plan plan(biWidth_, biHeight_, destination.biWidth_, destination.biHeight_);
        // Every read and write of the run, checked before the first write: a source 1 pixel
        // wide or high fails here, at the very first pixel's second column or row.
        source.require(3LL * plan.firstColumn, 3LL * plan.lastColumn + 5, plan.firstRow, plan.lastRow + 1LL);
        dest.require(0, 3LL * plan.destWidth - 1, 0, plan.destHeight - 1);
        resample::run(plan, {source.rowPointer(0), source.bytesPerRow(), dest.rowPointer(0), dest.bytesPerRow()},
                      resample::fastest());
    } catch (const std::bad_alloc &) {
        raise(err::OutOfMemory);  // tables or scratch rows: report it the way the program reports errors
    }
}

}  // namespace plakatron
