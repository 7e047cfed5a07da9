// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pass behind cDIBSection::Resample and ResampleCrop where the new size is smaller than the
// source along at least one axis. Each axis has its own filter. An axis that shrinks by a factor
// F averages every source pixel a destination pixel covers, and its neighbours' share: a tent
// reaching F source pixels to either side of the destination pixel's centre, weights falling off
// linearly (the average of the covered area, taken twice). Every source pixel counts the same
// in total, and unlike a plain box of width F it leaves hardly any beats between fine regular
// detail and the page's pixels: one-pixel stripes shrunk 2.575 times (a 6000-pixel picture on
// three sheets at 800) come out with a standard deviation of 22 levels from a box, 4.5 from the
// tent. An axis that grows or keeps its size keeps the bilinear positions and weights
// (ResampleKernel.h) at this pass's precision.
//
// The passes are separable: each source row the page needs is filtered along the row into a
// row of destination width, and those rows are filtered down the columns, in bands of
// destination rows. Only the rows a band needs are held, so memory follows the destination
// width, not the source.
//
// What every kernel must produce, byte for byte (integers throughout):
//   weights  per destination index, whole numbers w >= 0 in units of 2^-14 with sum exactly 2^14
//            (see averagingTaps and bilinearTaps for how they are rounded)
//   along the row:     v = (sum of w * p over the taps + 2^13) >> 14, for blue, green and red,
//                      p the source byte; source pixels outside the picture are white (255)
//   down the columns:  the same over the rows the first pass made, byte by byte
// i.e. each pass rounds to nearest with halves up. Numeric budget: w <= 2^14 and p <= 255, so a
// sum stays below 255 * 2^14 + 2^13 < 2^22 (any 32-bit order of summing gives the same sum), and
// since the weights sum to 2^14 the result never exceeds 255: no clamping; a uniform area keeps
// its value exactly. Against the exact weights, the running sums of the rounded ones are off by
// at most 2^-15, which moves a result by at most 2^-15 times the sum of the differences between
// neighbouring taps (0.6 levels for 40 taps of stripes, nothing on a smooth area); each pass then
// rounds once (0.5 at most).

#include "imaging/ResampleKernel.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace plakatron::resample {

inline constexpr int WeightBits = 14;
inline constexpr std::int32_t WeightOne = 1 << WeightBits;

// One axis: destination index d reads source indices first[d] ... first[d] + count[d] - 1 (in
// ascending order, first never falling as d grows) with weights[offset[d] ...].
struct Taps {
    std::vector<std::int32_t> first, count, offset;
    std::vector<std::int16_t> weights;
    std::int32_t maxCount = 0;
};

// The tent of a shrinking axis (S = sourceSize > D = destSize, F = S / D in double): destination
// pixel d is centred at c = (d + 0.5) F, source pixel i covers [i, i + 1), and i's share is the
// area of the tent of half-width F around c over it (a tent sampled at pixel centres instead
// would let stripes through at odd whole factors: 1/9 of them at 3). Pixels outside the source
// do not exist: the shares are of the area over the source. Weights through the running share
// A_i left of i + 1 (in double, computed once per call and shared by the kernels): w_i =
// round-half-up(A_i * 2^14) - round-half-up(A_(i-1) * 2^14), the last running value 2^14
// exactly. Taps of weight 0 at either end are left out.
Taps averagingTaps(std::int32_t sourceSize, std::int32_t destSize);
// The bilinear samples of ResampleKernel.h (sourceSize >= 2): taps first and first + 1 with
// weights 2^14 - k and k, k = the sample's weight * 2^14 rounded half away from zero.
// countedFromBottom: the samples count rows from the bottom as the buffer does, the taps from
// the top.
Taps bilinearTaps(std::int32_t sourceSize, std::int32_t destSize, bool countedFromBottom);
// Averaging where the axis shrinks, bilinear otherwise.
Taps axisTaps(std::int32_t sourceSize, std::int32_t destSize, bool countedFromBottom);

// Positions and weights of one run over a source of sourceWidth x sourceHeight pixels (counted
// from the top left) whose pixels outside the picture rectangle are white. The rectangle is kept
// as far as it lies inside the source: its rows and columns are counted from what is kept.
struct Reduction {
    Reduction(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t destWidth, std::int32_t destHeight,
              std::int32_t pictureLeft, std::int32_t pictureTop, std::int32_t pictureWidth,
              std::int32_t pictureHeight);

    std::int32_t sourceWidth, sourceHeight, destWidth, destHeight;
    std::int32_t pictureLeft, pictureTop, pictureWidth, pictureHeight;  // empty: 0 x 0
    Taps columns, rows;  // rows counted from the top

    // The column taps that fall on the picture, for each destination column: picture pixels
    // first ... first + count - 1 (counted from pictureLeft), their weights in groups of four
    // (padded with zeros) at weights[offset], and the rounding half plus the white pixels' share,
    // 2^13 + 255 * (weights that fall outside the picture).
    struct Column {
        std::int32_t first, count, offset, bias;
    };
    std::vector<Column> pictureColumns;
    std::vector<std::int16_t> pictureWeights;

    bool rowHasPicture(std::int32_t destRow) const noexcept
    {
        const std::int32_t first = rows.first[std::size_t(destRow)];
        return pictureWidth > 0 && first < pictureTop + pictureHeight
            && first + rows.count[std::size_t(destRow)] > pictureTop;
    }
};

// Where the picture's rows come from: as Format_RGB32 words (0xffRRGGBB), each read once per
// band that needs it. row() may be called from several threads at once, each
// with its own scratch of scratchPixels() words.
class PictureRows {
public:
    virtual ~PictureRows() = default;
    // Row y of the picture rectangle (0 = its top): its pixel 0 and at least readable() - 1 more
    // that may be read (those beyond the rectangle's width get weight 0). Null when the row
    // cannot be had (no memory to convert it).
    virtual const std::uint32_t *row(std::int32_t y, std::uint32_t *scratch) const = 0;
    virtual std::int32_t readable() const noexcept = 0;
    virtual std::size_t scratchPixels() const noexcept = 0;
};

// The destination: 24-bit rows, row 0 first in memory (the bottom of the picture).
struct Output {
    std::uint8_t *dest;
    std::int32_t destStride;
};

// Kernels run destination rows counted from the top; run() may be called from several threads
// at once for disjoint row ranges, each with its own scratch space of scratchBytes().
class ReducerBase;
std::unique_ptr<ReducerBase> makePlainReducer(const Reduction &plan, const PictureRows &rows, const Output &output);
// Null where the processor or the build has no AVX2.
std::unique_ptr<ReducerBase> makeAvx2Reducer(const Reduction &plan, const PictureRows &rows, const Output &output);

// Fills every destination row, as run() in ResampleKernel.h does (threads 0: as many as pay off,
// 1: only the calling thread). The caller has checked the destination's size. False when a
// picture row could not be had (its place is white).
bool reduce(const Reduction &plan, const PictureRows &rows, const Output &output, Kernel kernel, int threads = 0);

// The along-the-row filter of one destination pixel (blue, green, red), as every kernel computes it.
inline void filterPixel(const std::uint32_t *line, const Reduction::Column &column, const std::int16_t *weights,
                        std::uint8_t *out) noexcept
{
    std::int32_t b = column.bias, g = column.bias, r = column.bias;
    const std::uint32_t *p = line + column.first;
    const std::int16_t *w = weights + column.offset;
    for (std::int32_t t = 0; t < column.count; ++t) {
        b += w[t] * std::int32_t(p[t] & 0xFF);
        g += w[t] * std::int32_t((p[t] >> 8) & 0xFF);
        r += w[t] * std::int32_t((p[t] >> 16) & 0xFF);
    }
    out[0] = std::uint8_t(b >> WeightBits);
    out[1] = std::uint8_t(g >> WeightBits);
    out[2] = std::uint8_t(r >> WeightBits);
}

// What the kernels share: the loop over a band, which filters each source row the band needs
// once, into a ring of rows as many as a destination row reads, and then down the columns of
// the ring; rows without picture are white. The kernels bring the two filters.
class ReducerBase : public RowKernel {
public:
    ReducerBase(const Reduction &plan, const PictureRows &rows, const Output &output);
    std::size_t scratchBytes() const noexcept override;
    void run(std::int32_t rowBegin, std::int32_t rowEnd, std::uint8_t *scratch) const noexcept override;
    bool missedRows() const noexcept { return missed_.load(); }

protected:
    // One filtered row: 3 * destWidth bytes; the row has room for 32 more to be read or written.
    virtual void filterRow(const std::uint32_t *line, std::uint8_t *out) const noexcept = 0;
    // dest[b] = (sum over t < count of weights[t] * sources[t][b] + 2^13) >> 14, b < 3 * destWidth.
    virtual void filterColumns(const std::uint8_t *const *sources, const std::int16_t *weights, std::int32_t count,
                               std::uint8_t *dest, std::int32_t *accumulators) const noexcept = 0;

    const Reduction &plan_;
    const PictureRows &rows_;
    Output output_;

private:
    std::size_t rowStride_;  // of the filtered rows
    std::vector<std::uint8_t> white_;
    mutable std::atomic<bool> missed_{false};
};

}  // namespace plakatron::resample
