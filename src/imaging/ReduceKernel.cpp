// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ReduceKernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plakatron::resample {

namespace {
void append(Taps &taps, std::int32_t first, const std::int16_t *weights, std::int32_t count)
{
    taps.first.push_back(first);
    taps.count.push_back(count);
    taps.offset.push_back(std::int32_t(taps.weights.size()));
    taps.weights.insert(taps.weights.end(), weights, weights + count);
    taps.maxCount = std::max(taps.maxCount, count);
}

std::size_t roundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }
}  // namespace

Taps averagingTaps(std::int32_t sourceSize, std::int32_t destSize)
{
    Taps taps;
    const double F = double(sourceSize) / destSize;
    std::vector<std::int16_t> weights;
    for (std::int32_t d = 0; d < destSize; ++d) {
        const double centre = (d + 0.5) * F;
        // The tent's area left of x, out of 1.
        const auto area = [centre, F](double x) {
            const double u = std::clamp(x - centre, -F, F);
            return u < 0 ? (F + u) * (F + u) / (2 * F * F) : 1 - (F - u) * (F - u) / (2 * F * F);
        };
        const auto first = std::int32_t(std::max(0.0, std::floor(centre - F)));
        const auto last = std::int32_t(std::min(double(sourceSize - 1), std::ceil(centre + F) - 1));
        const double start = area(first), total = area(last + 1.0) - start;
        weights.clear();
        std::int32_t before = 0;
        for (std::int32_t i = first; i <= last; ++i) {
            const auto after = i == last ? WeightOne
                                         : std::int32_t(std::floor((area(i + 1.0) - start) / total * WeightOne + 0.5));
            weights.push_back(std::int16_t(after - before));
            before = after;
        }
        // A tap of weight 0 at either end is no tap.
        std::size_t from = 0, to = weights.size();
        while (to > from + 1 && weights[to - 1] == 0)
            --to;
        while (from + 1 < to && weights[from] == 0)
            ++from;
        append(taps, first + std::int32_t(from), weights.data() + from, std::int32_t(to - from));
    }
    return taps;
}

Taps bilinearTaps(std::int32_t sourceSize, std::int32_t destSize, bool countedFromBottom)
{
    Taps taps;
    const std::vector<Sample> s = samples(sourceSize, destSize);
    for (std::int32_t d = 0; d < destSize; ++d) {
        const Sample &sample = s[std::size_t(countedFromBottom ? destSize - 1 - d : d)];
        // weight * 2^14 is exact in float; halves away from zero whatever the rounding mode.
        const auto k = std::int16_t(std::lround(sample.weight * float(WeightOne)));
        const std::int16_t pair[2] = {std::int16_t(WeightOne - k), k};
        const std::int16_t flipped[2] = {k, std::int16_t(WeightOne - k)};
        // Counted from the top, source row first (from the bottom) is row sourceSize - 1 - first.
        if (countedFromBottom)
            append(taps, sourceSize - 2 - sample.first, flipped, 2);
        else
            append(taps, sample.first, pair, 2);
    }
    return taps;
}

Taps axisTaps(std::int32_t sourceSize, std::int32_t destSize, bool countedFromBottom)
{
    return destSize < sourceSize ? averagingTaps(sourceSize, destSize)
                                 : bilinearTaps(sourceSize, destSize, countedFromBottom);
}

Reduction::Reduction(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t destWidth,
                     std::int32_t destHeight, std::int32_t pictureLeft, std::int32_t pictureTop,
                     std::int32_t pictureWidth, std::int32_t pictureHeight)
    : sourceWidth(sourceWidth),
      sourceHeight(sourceHeight),
      destWidth(destWidth),
      destHeight(destHeight),
      columns(axisTaps(sourceWidth, destWidth, false)),
      rows(axisTaps(sourceHeight, destHeight, true))
{
    // The picture's part inside the source.
    const std::int64_t left = std::max(0, pictureLeft), top = std::max(0, pictureTop);
    const std::int64_t right = std::min<std::int64_t>(sourceWidth, std::int64_t(pictureLeft) + pictureWidth);
    const std::int64_t bottom = std::min<std::int64_t>(sourceHeight, std::int64_t(pictureTop) + pictureHeight);
    const bool empty = right <= left || bottom <= top;
    this->pictureLeft = empty ? 0 : std::int32_t(left);
    this->pictureTop = empty ? 0 : std::int32_t(top);
    this->pictureWidth = empty ? 0 : std::int32_t(right - left);
    this->pictureHeight = empty ? 0 : std::int32_t(bottom - top);

    pictureColumns.reserve(std::size_t(destWidth));
    for (std::size_t d = 0; d < std::size_t(destWidth); ++d) {
        const std::int32_t first = columns.first[d], count = columns.count[d];
        const std::int16_t *w = columns.weights.data() + columns.offset[d];
        const std::int32_t from = std::clamp(this->pictureLeft - first, 0, count);
        const std::int32_t to = std::clamp(this->pictureLeft + this->pictureWidth - first, from, count);
        std::int32_t inside = 0;
        for (std::int32_t t = from; t < to; ++t)
            inside += w[t];
        const auto offset = std::int32_t(pictureWeights.size());
        pictureWeights.insert(pictureWeights.end(), w + from, w + to);
        pictureWeights.resize(roundUp(pictureWeights.size(), 4), 0);
        pictureColumns.push_back({to > from ? first + from - this->pictureLeft : 0, to - from, offset,
                                  (1 << (WeightBits - 1)) + 255 * (WeightOne - inside)});
    }
}

ReducerBase::ReducerBase(const Reduction &plan, const PictureRows &rows, const Output &output)
    : plan_(plan),
      rows_(rows),
      output_(output),
      rowStride_(roundUp(3 * std::size_t(plan.destWidth) + 32, 32)),
      white_(rowStride_, 0xFF)
{
}

namespace {
// The scratch of one worker: the filtered rows of its band in a ring, which source row each slot
// holds, one picture row converted, the column pass's sums and its row pointers.
struct Scratch {
    std::uint8_t *ring;
    std::int32_t *held;
    std::uint32_t *line;
    std::int32_t *sums;
    const std::uint8_t **sources;
};

struct ScratchLayout {
    std::size_t ring, held, line, sums, sources, total;
    ScratchLayout(std::size_t slots, std::size_t rowStride, std::size_t linePixels, std::size_t destBytes)
    {
        ring = 0;
        held = ring + roundUp(slots * rowStride, 32);
        line = held + roundUp(slots * sizeof(std::int32_t), 32);
        sums = line + roundUp(linePixels * sizeof(std::uint32_t), 32);
        sources = sums + roundUp(destBytes * sizeof(std::int32_t), 32);
        total = sources + slots * sizeof(const std::uint8_t *);
    }
    Scratch at(std::uint8_t *base) const
    {
        return {base + ring, reinterpret_cast<std::int32_t *>(base + held),
                reinterpret_cast<std::uint32_t *>(base + line), reinterpret_cast<std::int32_t *>(base + sums),
                reinterpret_cast<const std::uint8_t **>(base + sources)};
    }
};

ScratchLayout layoutOf(const Reduction &plan, std::size_t rowStride, const PictureRows &rows)
{
    return ScratchLayout(std::size_t(std::max(plan.rows.maxCount, 1)), rowStride, rows.scratchPixels(),
                         3 * std::size_t(plan.destWidth));
}
}  // namespace

std::size_t ReducerBase::scratchBytes() const noexcept { return layoutOf(plan_, rowStride_, rows_).total; }

void ReducerBase::run(std::int32_t rowBegin, std::int32_t rowEnd, std::uint8_t *base) const noexcept
{
    const Scratch s = layoutOf(plan_, rowStride_, rows_).at(base);
    const std::int32_t slots = std::max(plan_.rows.maxCount, 1);
    std::fill(s.held, s.held + slots, -1);
    const std::size_t destBytes = 3 * std::size_t(plan_.destWidth);
    for (std::int32_t i = rowBegin; i < rowEnd; ++i) {
        std::uint8_t *out = output_.dest + std::ptrdiff_t(plan_.destHeight - 1 - i) * output_.destStride;
        if (!plan_.rowHasPicture(i)) {
            std::memset(out, 0xFF, destBytes);
            continue;
        }
        const std::int32_t first = plan_.rows.first[std::size_t(i)];
        const std::int32_t count = plan_.rows.count[std::size_t(i)];
        // The source rows of this destination row, ascending; a row's slot is free again once the
        // rows ahead have moved past it, as `first` never falls and count <= slots.
        for (std::int32_t t = 0; t < count; ++t) {
            const std::int32_t y = first + t - plan_.pictureTop;
            if (y < 0 || y >= plan_.pictureHeight) {
                s.sources[t] = white_.data();
                continue;
            }
            const std::int32_t slot = (first + t) % slots;
            std::uint8_t *filtered = s.ring + std::size_t(slot) * rowStride_;
            if (s.held[slot] != first + t) {
                const std::uint32_t *line = rows_.row(y, s.line);
                if (line) {
                    filterRow(line, filtered);
                } else {
                    std::memset(filtered, 0xFF, destBytes);
                    missed_ = true;
                }
                s.held[slot] = first + t;
            }
            s.sources[t] = filtered;
        }
        filterColumns(s.sources, plan_.rows.weights.data() + plan_.rows.offset[std::size_t(i)], count, out, s.sums);
    }
}

namespace {

// The portable kernel: the two passes written out, the sums in 32-bit integers.
class PlainReducer final : public ReducerBase {
public:
    using ReducerBase::ReducerBase;

private:
    void filterRow(const std::uint32_t *line, std::uint8_t *out) const noexcept override
    {
        const std::int16_t *weights = plan_.pictureWeights.data();
        for (const Reduction::Column &column : plan_.pictureColumns) {
            filterPixel(line, column, weights, out);
            out += 3;
        }
    }

    void filterColumns(const std::uint8_t *const *sources, const std::int16_t *weights, std::int32_t count,
                       std::uint8_t *dest, std::int32_t *sums) const noexcept override
    {
        const std::int32_t bytes = 3 * plan_.destWidth;
        std::fill(sums, sums + bytes, 1 << (WeightBits - 1));
        for (std::int32_t t = 0; t < count; ++t) {
            const std::int32_t w = weights[t];
            const std::uint8_t *p = sources[t];
            for (std::int32_t b = 0; b < bytes; ++b)
                sums[b] += w * p[b];
        }
        for (std::int32_t b = 0; b < bytes; ++b)
            dest[b] = std::uint8_t(sums[b] >> WeightBits);
    }
};

}  // namespace

std::unique_ptr<ReducerBase> makePlainReducer(const Reduction &plan, const PictureRows &rows, const Output &output)
{
    return std::make_unique<PlainReducer>(plan, rows, output);
}

bool reduce(const Reduction &plan, const PictureRows &rows, const Output &output, Kernel kernel, int threads)
{
    std::unique_ptr<ReducerBase> reducer = kernel == Kernel::Avx2 ? makeAvx2Reducer(plan, rows, output) : nullptr;
    if (!reducer)
        reducer = makePlainReducer(plan, rows, output);
    // The rows that reach the picture lie together; the others are white, and only they are
    // spread over the threads (a panorama's few are the whole work).
    std::int32_t begin = 0, end = plan.destHeight;
    while (begin < end && !plan.rowHasPicture(begin))
        ++begin;
    while (end > begin && !plan.rowHasPicture(end - 1))
        --end;
    const auto whiteRows = [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t i = from; i < to; ++i)
            std::memset(output.dest + std::ptrdiff_t(plan.destHeight - 1 - i) * output.destStride, 0xFF,
                        3 * std::size_t(plan.destWidth));
    };
    whiteRows(0, begin);
    whiteRows(end, plan.destHeight);
    // The work: every picture pixel read once, every destination pixel written once. A band
    // filters the source rows its first and last rows share with the next band's again: eight
    // rows or more keep that below an eighth.
    runRows(*reducer, begin, end, threads,
            std::int64_t(plan.destWidth) * (end - begin) + std::int64_t(plan.pictureWidth) * plan.pictureHeight, 8);
    return !reducer->missedRows();
}

}  // namespace plakatron::resample
