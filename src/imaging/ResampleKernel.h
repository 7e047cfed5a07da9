// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bilinear pass behind cDIBSection::Resample, apart from the class so that tests and the
// benchmark can run each kernel on its own.
//
// What every kernel must produce, byte for byte:
//   scale    = (sourceSize - 1) / destSize, divided in double, stored as float
//   s        = scale * index, the (exact) double product stored as float
//   first    = floor(s), weight = s - first (exact in float)
//   vertical   blend of each byte of source rows first and first + 1 at the row's weight fy,
//   horizontal blend of those blends at pixels first and first + 1 at the column's weight fx,
//   each blend (1 - f) * a + f * b evaluated in double and rounded to nearest, ties to even.
//
// Numeric budget. A weight of at least one place value 2^-23 (every s >= 1, and any weight
// that is a multiple of 2^-23) is k / 2^23 with a whole k below 2^23. Then the double blend is
// exact: both products and their sum are multiples of 2^-23 below 256, 31 bits at most. So it
// equals a + k * (b - a) / 2^23, and |k * (b - a)| < 255 * 2^23 < 2^31: 32-bit integers give the
// same byte (blendFixed). Finer weights occur only where s < 1 (the first few columns and rows
// of an enlargement); those use the double expression itself (blendDouble).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace plakatron::resample {

// Where one destination column (or row) samples the source.
struct Sample {
    std::int32_t first;        // the lower of the two source columns (rows) it blends
    float weight;              // share of the upper one, in [0, 1)
    std::int32_t fixedWeight;  // weight * 2^23 when that is a whole number, else -1
};

std::vector<Sample> samples(std::int32_t sourceSize, std::int32_t destSize);

// The source columns (or rows) the samples read, `first` and `first + 1` of each, ascending and
// each once: never more than two per destination column (row), however large the source.
std::vector<std::int32_t> readIndices(const std::vector<Sample> &samples);

// Positions and weights of one run, computed once per call.
struct Plan {
    Plan(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t destWidth, std::int32_t destHeight);

    // The same run over a copy of the source that holds only the given columns and rows, in
    // that order (ascending, and among them every one this plan reads, as readIndices gives
    // them). Only the positions are renumbered: the weights, and so every byte, stay the same.
    Plan gathered(const std::vector<std::int32_t> &sourceColumns, const std::vector<std::int32_t> &sourceRows) const;

    std::int32_t sourceWidth, sourceHeight, destWidth, destHeight;
    std::vector<Sample> columns, rows;
    // The range of `first` over all columns and rows (both grow with the index). Reads reach
    // bytes 3 * firstColumn ... 3 * lastColumn + 5 of rows firstRow ... lastRow + 1.
    std::int32_t firstColumn, lastColumn, firstRow, lastRow;

    // Bytes at the start of each source row that the vertical pass blends.
    std::int32_t rowBytes() const noexcept { return 3 * (lastColumn + 2); }

private:
    void findRanges();
};

// The two pixel arrays of a run (row 0 first in memory, as in the buffer).
struct Frame {
    const std::uint8_t *source;
    std::int32_t sourceStride;
    std::uint8_t *dest;
    std::int32_t destStride;
};

// One kernel prepared for one run. run() may be called from several threads at once for
// disjoint row ranges, each with its own scratch space of scratchBytes().
class RowKernel {
public:
    virtual ~RowKernel() = default;
    virtual std::size_t scratchBytes() const noexcept = 0;
    virtual void run(std::int32_t rowBegin, std::int32_t rowEnd, std::uint8_t *scratch) const noexcept = 0;
};

enum class Kernel { Plain, Avx2 };

bool isAvailable(Kernel kernel);
Kernel fastest();

std::unique_ptr<RowKernel> makePlainKernel(const Plan &plan, const Frame &frame);
// Null where the processor or the build has no AVX2.
std::unique_ptr<RowKernel> makeAvx2Kernel(const Plan &plan, const Frame &frame);
bool avx2Supported();

// Fills every destination row. The caller has checked that all reads and writes of the plan lie
// inside both arrays (see Plan). threads 0 picks as many as pay off; the call returns when all
// rows are done. Runs with round-to-nearest whatever the caller's floating-point mode.
void run(const Plan &plan, const Frame &frame, Kernel kernel, int threads = 0);
// The same for any kernel: rows rowBegin ... rowEnd - 1 in bands of at least minBand rows;
// threads 0 picks as many as workPixels (about the pixels the kernel touches) pay for.
void runRows(const RowKernel &kernel, std::int32_t rowBegin, std::int32_t rowEnd, int threads,
             std::int64_t workPixels, std::int32_t minBand = 1);

// Keeps the floating-point rounding at its default (nearest, ties to even) for a scope.
class RoundToNearest {
public:
    RoundToNearest() noexcept;
    ~RoundToNearest();
    RoundToNearest(const RoundToNearest &) = delete;
    RoundToNearest &operator=(const RoundToNearest &) = delete;

private:
    int previous_;
};

// (1 - f) * a + f * b rounded half to even, for f = k / 2^23 (see the numeric budget).
inline std::uint8_t blendFixed(std::int32_t a, std::int32_t b, std::int32_t k) noexcept
{
    const std::int32_t p = k * (b - a) + (1 << 22);
    std::int32_t r = a + (p >> 23);  // rounds halves up ...
    if ((p & 0x7FFFFF) == 0)        // ... so an exact half goes back down to the even neighbour
        r &= ~1;
    return static_cast<std::uint8_t>(r);
}

// The same blend for any weight, in the double arithmetic the result is defined by.
inline std::uint8_t blendDouble(std::int32_t a, std::int32_t b, float f) noexcept
{
    const double w = f;
    return static_cast<std::uint8_t>(std::nearbyint((1.0 - w) * a + w * b));
}

inline std::uint8_t blend(std::int32_t a, std::int32_t b, const Sample &s) noexcept
{
    return s.fixedWeight >= 0 ? blendFixed(a, b, s.fixedWeight) : blendDouble(a, b, s.weight);
}

}  // namespace plakatron::resample
