// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ResampleKernel.h"

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <QThreadPool>

namespace plakatron::resample {

std::vector<Sample> samples(std::int32_t sourceSize, std::int32_t destSize)
{
    // The numerator is the source size minus one but the denominator the destination size
    // itself, so the last destination column samples a little short of the last source column.
    const float scale = static_cast<float>(static_cast<double>(sourceSize - 1) / destSize);
    std::vector<Sample> result(std::size_t(std::max(destSize, 0)));
    for (std::int32_t i = 0; i < destSize; ++i) {
        // float * int in double is exact (24 + 31 bits), then rounded once to float.
        const float s = static_cast<float>(static_cast<double>(scale) * i);
        const float first = std::floor(s);
        const float weight = s - first;
        const float fixed = weight * 8388608.0f;  // * 2^23, exact
        result[std::size_t(i)] = {static_cast<std::int32_t>(first), weight,
                                  fixed == std::floor(fixed) ? static_cast<std::int32_t>(fixed) : -1};
    }
    return result;
}

std::vector<std::int32_t> readIndices(const std::vector<Sample> &samples)
{
    std::vector<std::int32_t> indices;
    indices.reserve(2 * samples.size());
    for (const Sample &s : samples) {
        indices.push_back(s.first);
        indices.push_back(s.first + 1);
    }
    // `first` never falls along an axis, so this is nearly sorted already; sorting also covers
    // the falling positions of a source without pixels.
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

Plan::Plan(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t destWidth, std::int32_t destHeight)
    : sourceWidth(sourceWidth),
      sourceHeight(sourceHeight),
      destWidth(destWidth),
      destHeight(destHeight),
      columns(samples(sourceWidth, destWidth)),
      rows(samples(sourceHeight, destHeight))
{
    findRanges();
}

Plan Plan::gathered(const std::vector<std::int32_t> &sourceColumns, const std::vector<std::int32_t> &sourceRows) const
{
    // first and first + 1 are both in the list and no whole number lies between them, so they
    // stay neighbours there: renumbering `first` renumbers the pair.
    const auto renumber = [](std::vector<Sample> &axis, const std::vector<std::int32_t> &kept) {
        for (Sample &s : axis)
            s.first = std::int32_t(std::lower_bound(kept.begin(), kept.end(), s.first) - kept.begin());
    };
    Plan plan = *this;
    plan.sourceWidth = std::int32_t(sourceColumns.size());
    plan.sourceHeight = std::int32_t(sourceRows.size());
    renumber(plan.columns, sourceColumns);
    renumber(plan.rows, sourceRows);
    plan.findRanges();
    return plan;
}

void Plan::findRanges()
{
    // s is monotonic in the index, so the extremes sit at the ends (both ends, should the scale
    // be negative for a source without pixels).
    const auto range = [](const std::vector<Sample> &s, std::int32_t &lo, std::int32_t &hi) {
        lo = s.empty() ? 0 : std::min(s.front().first, s.back().first);
        hi = s.empty() ? 0 : std::max(s.front().first, s.back().first);
    };
    range(columns, firstColumn, lastColumn);
    range(rows, firstRow, lastRow);
}

RoundToNearest::RoundToNearest() noexcept : previous_(std::fegetround())
{
    if (previous_ != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
}

RoundToNearest::~RoundToNearest()
{
    if (previous_ != FE_TONEAREST)
        std::fesetround(previous_);
}

namespace {

// The portable kernel: the vertical pass over the needed part of the two source rows, then the
// horizontal pass from that row through the per-column table.
class PlainKernel final : public RowKernel {
public:
    PlainKernel(const Plan &plan, const Frame &frame) : plan_(plan), frame_(frame) {}

    std::size_t scratchBytes() const noexcept override { return std::size_t(plan_.rowBytes()); }

    void run(std::int32_t rowBegin, std::int32_t rowEnd, std::uint8_t *blended) const noexcept override
    {
        const std::int32_t rowBytes = plan_.rowBytes();
        for (std::int32_t i = rowBegin; i < rowEnd; ++i) {
            const Sample &row = plan_.rows[std::size_t(i)];
            const std::uint8_t *top = frame_.source + std::ptrdiff_t(row.first) * frame_.sourceStride;
            const std::uint8_t *bottom = top + frame_.sourceStride;
            for (std::int32_t b = 0; b < rowBytes; ++b)
                blended[b] = blend(top[b], bottom[b], row);
            std::uint8_t *out = frame_.dest + std::ptrdiff_t(i) * frame_.destStride;
            for (const Sample &column : plan_.columns) {
                const std::uint8_t *left = blended + 3 * std::ptrdiff_t(column.first);
                out[0] = blend(left[0], left[3], column);
                out[1] = blend(left[1], left[4], column);
                out[2] = blend(left[2], left[5], column);
                out += 3;
            }
        }
    }

private:
    const Plan &plan_;
    Frame frame_;
};

// Threads pay off from about a quarter million pixels of work (a thread starts in tens of
// microseconds, a kernel does a pixel in well under a nanosecond).
int usefulThreads(std::int64_t workPixels)
{
    const int cores = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    return int(std::clamp<std::int64_t>(workPixels / (1 << 17), 1, cores));
}

}  // namespace

std::unique_ptr<RowKernel> makePlainKernel(const Plan &plan, const Frame &frame)
{
    return std::make_unique<PlainKernel>(plan, frame);
}

bool isAvailable(Kernel kernel) { return kernel == Kernel::Plain || avx2Supported(); }

Kernel fastest() { return avx2Supported() ? Kernel::Avx2 : Kernel::Plain; }

void run(const Plan &plan, const Frame &frame, Kernel kernel, int threads)
{
    std::unique_ptr<RowKernel> rowKernel = kernel == Kernel::Avx2 ? makeAvx2Kernel(plan, frame) : nullptr;
    if (!rowKernel)
        rowKernel = makePlainKernel(plan, frame);
    runRows(*rowKernel, 0, plan.destHeight, threads, std::int64_t(plan.destWidth) * plan.destHeight);
}

void runRows(const RowKernel &rowKernel, std::int32_t rowBegin, std::int32_t rowEnd, int threads,
             std::int64_t workPixels, std::int32_t minBand)
{
    const std::int32_t rows = rowEnd - rowBegin;
    const int workers = std::max(1, std::min(threads > 0 ? threads : usefulThreads(workPixels), rows));
    // Scratch space is made up front: a worker cannot fail.
    std::vector<std::vector<std::uint8_t>> scratch(std::size_t(workers),
                                                   std::vector<std::uint8_t>(rowKernel.scratchBytes()));
    // Rows go out in small bands from a shared counter, so a core that is busy elsewhere simply
    // takes fewer of them. A helper that gets no processor before this thread has taken the last
    // band must not hold the call up: it finds the crew closed and leaves without touching
    // anything but the crew, which it shares. threads 1 keeps the whole run on this thread (a
    // print job renders its pages on threads of its own).
    struct Crew {
        std::mutex mutex;
        std::condition_variable idle;
        int active = 0;
        bool closed = false;
        std::atomic<std::int32_t> next{0};
    };
    const auto crew = std::make_shared<Crew>();
    const std::int32_t band = std::max({1, minBand, rows / (workers * 8)});
    const auto work = [&](std::size_t worker) {
        const RoundToNearest rounding;
        for (;;) {
            const std::int32_t begin = crew->next.fetch_add(band);
            if (begin >= rows)
                return;
            rowKernel.run(rowBegin + begin, rowBegin + std::min(rows, begin + band), scratch[worker].data());
        }
    };
    // The helpers come from the process's one pool of threads, which lives as long as the program:
    // no call starts a thread of its own.
    QThreadPool *pool = QThreadPool::globalInstance();
    for (std::size_t w = 1; w < scratch.size(); ++w) {
        const bool started = pool->tryStart([crew, &work, w] {
            {
                const std::lock_guard lock(crew->mutex);
                if (crew->closed)
                    return;
                ++crew->active;
            }
            work(w);
            const std::lock_guard lock(crew->mutex);
            if (--crew->active == 0)
                crew->idle.notify_all();
        });
        if (!started)
            break;  // every pooled thread is busy: the ones running (at least this one) do the rest
    }
    work(0);
    std::unique_lock lock(crew->mutex);
    crew->closed = true;
    crew->idle.wait(lock, [&crew] { return crew->active == 0; });
}

}  // namespace plakatron::resample
