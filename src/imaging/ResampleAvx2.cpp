// SPDX-License-Identifier: GPL-3.0-or-later
// The AVX2 kernel. Only the functions marked PLAKATRON_AVX2 use instructions beyond the
// compiler's baseline, and they run only after avx2Supported() said yes; everything else in this
// file (and every inline function it shares with other files) stays baseline code.
//
// The arithmetic is blendFixed (ResampleKernel.h) on 32 bytes at once, in 32-bit lanes:
//   p = k * (b - a) + 2^22;  r = a + (p >> 23);  r &= ~1 where p has 23 low zero bits (a tie).
// A tie needs k * (b - a) to be an odd multiple of 2^22 with |b - a| < 2^8, so k != 0 must be a
// multiple of 2^15 (the weight a multiple of 1/256); most rows and blocks skip that step.
// Weights that are not multiples of 2^-23 (see ResampleKernel.h) fall back to the scalar code.
//
// The horizontal pass works on 32-byte blocks of the destination row. When all a and b bytes of
// each 16-byte half lie in a 16-byte window of the blended row (enlarging by about 2 or more),
// byte shuffles fetch them; otherwise they are copied out pixel by pixel first.

#include "imaging/ResampleKernel.h"

#include "imaging/Avx2.h"

#include <cstring>

namespace plakatron::resample {

#ifdef PLAKATRON_X86_AVX2

bool avx2Supported()
{
#if defined(_MSC_VER) && !defined(__clang__)
    static const bool supported = [] {
        int info[4];
        __cpuid(info, 0);
        if (info[0] < 7)
            return false;
        __cpuid(info, 1);
        const bool osSavesAvx = (info[2] & (1 << 27)) && (info[2] & (1 << 28)) && (_xgetbv(0) & 6) == 6;
        __cpuidex(info, 7, 0);
        return osSavesAvx && (info[1] & (1 << 5)) != 0;
    }();
    return supported;
#else
    // libgcc's check includes the operating system's support for the wide registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#endif
}

namespace {

bool mayTie(std::int32_t k) noexcept { return k != 0 && (k & 0x7FFF) == 0; }

// 32 output bytes, split as the 256-bit unpack instructions split them: lanes 0-3 of group g are
// bytes 4g ... 4g + 3, lanes 4-7 bytes 16 + 4g ... 19 + 4g. Weights are stored in that order.
constexpr int laneOf(int byte) noexcept { return ((byte % 16) / 4) * 8 + (byte / 16) * 4 + byte % 4; }

// All ones in the lanes whose p has its 23 low bits zero: an exact half.
PLAKATRON_AVX2 inline __m256i tieMask(__m256i p)
{
    return _mm256_cmpeq_epi32(_mm256_slli_epi32(p, 9), _mm256_setzero_si256());
}

// a and b as 16-bit words (aLo/bLo: bytes 0-7 of each 128-bit half, aHi/bHi: bytes 8-15), the
// result as bytes in the original order. Weights k0 ... k3 in lane order (see laneOf).
template <bool Ties>
PLAKATRON_AVX2 inline __m256i blendWords(__m256i aLo, __m256i aHi, __m256i bLo, __m256i bHi, __m256i k0, __m256i k1,
                                         __m256i k2, __m256i k3)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i dLo = _mm256_sub_epi16(bLo, aLo);  // b - a, 16 bits
    const __m256i dHi = _mm256_sub_epi16(bHi, aHi);
    const __m256i signLo = _mm256_cmpgt_epi16(zero, dLo);
    const __m256i signHi = _mm256_cmpgt_epi16(zero, dHi);
    const __m256i half = _mm256_set1_epi32(1 << 22);
    const __m256i p0 = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_unpacklo_epi16(dLo, signLo), k0), half);
    const __m256i p1 = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_unpackhi_epi16(dLo, signLo), k1), half);
    const __m256i p2 = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_unpacklo_epi16(dHi, signHi), k2), half);
    const __m256i p3 = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_unpackhi_epi16(dHi, signHi), k3), half);
    // |p >> 23| <= 255 packs to 16 bits without saturating, and a + (p >> 23) lies in 0 ... 255.
    __m256i rLo = _mm256_add_epi16(aLo, _mm256_packs_epi32(_mm256_srai_epi32(p0, 23), _mm256_srai_epi32(p1, 23)));
    __m256i rHi = _mm256_add_epi16(aHi, _mm256_packs_epi32(_mm256_srai_epi32(p2, 23), _mm256_srai_epi32(p3, 23)));
    if constexpr (Ties) {
        const __m256i one = _mm256_set1_epi16(1);
        rLo = _mm256_andnot_si256(_mm256_and_si256(_mm256_packs_epi32(tieMask(p0), tieMask(p1)), one), rLo);
        rHi = _mm256_andnot_si256(_mm256_and_si256(_mm256_packs_epi32(tieMask(p2), tieMask(p3)), one), rHi);
    }
    return _mm256_packus_epi16(rLo, rHi);  // undoes the split into words
}

// The same for 32 bytes of a and b.
template <bool Ties>
PLAKATRON_AVX2 inline __m256i blend32(__m256i a, __m256i b, __m256i k0, __m256i k1, __m256i k2, __m256i k3)
{
    const __m256i zero = _mm256_setzero_si256();
    return blendWords<Ties>(_mm256_unpacklo_epi8(a, zero), _mm256_unpackhi_epi8(a, zero), _mm256_unpacklo_epi8(b, zero),
                            _mm256_unpackhi_epi8(b, zero), k0, k1, k2, k3);
}

template <bool Ties>
PLAKATRON_AVX2 void blendRow(const std::uint8_t *top, const std::uint8_t *bottom, std::int32_t k,
                             std::uint8_t *out, std::int32_t n)
{
    const __m256i weight = _mm256_set1_epi32(k);
    std::int32_t b = 0;
    for (; b + 32 <= n; b += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(top + b));
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(bottom + b));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + b), blend32<Ties>(a, c, weight, weight, weight, weight));
    }
    for (; b < n; ++b)
        out[b] = blendFixed(top[b], bottom[b], k);
}

enum class BlockMode : std::uint8_t {
    Shuffle,  // both 16-byte halves find their bytes in a 16-byte window of the blended row
    Gather,   // a and b copied out pixel by pixel (shrinking, or enlarging by less than about 2)
    Scalar,   // a column with a weight finer than 2^-23
};

// Everything one 32-byte block of a destination row needs, together for one pointer to walk.
struct alignas(32) BlockTable {
    // Shuffle: the window byte holding a, as a 16-bit word (high byte 0x80 reads as zero), for
    // bytes 0-7 and 8-15 of each half; b lies 3 bytes further on.
    std::uint8_t picks[2][32];
    std::int32_t weights[32];   // in lane order
    std::int32_t window[2];     // Shuffle: start of each half's window in the blended row
};

// Consecutive blocks handled alike, so the inner loops carry no per-block decisions.
struct Run {
    std::size_t begin, end;
    BlockMode mode;
    bool ties;
};

class Avx2Kernel final : public RowKernel {
public:
    Avx2Kernel(const Plan &plan, const Frame &frame);

    std::size_t scratchBytes() const noexcept override
    {
        // The blended row (window loads may reach past its last byte), then the a and b bytes of
        // every output byte, spread out for the Gather blocks.
        return std::size_t(plan_.rowBytes()) + 32 + 2 * spreadBytes();
    }

    void run(std::int32_t rowBegin, std::int32_t rowEnd, std::uint8_t *scratch) const noexcept override;

private:
    std::size_t spreadBytes() const noexcept { return std::size_t(rowBytesOut_) + 64; }
    void horizontal(const std::uint8_t *blended, std::uint8_t *spread, std::uint8_t *out) const;
    template <bool Ties>
    PLAKATRON_AVX2 void shuffleRun(const Run &run, const std::uint8_t *blended, std::uint8_t *out) const;
    template <bool Ties>
    PLAKATRON_AVX2 void gatherRun(const Run &run, const std::uint8_t *blended, std::uint8_t *spread,
                                  std::uint8_t *out) const;
    void scalarBytes(const std::uint8_t *blended, std::uint8_t *out, std::int32_t from, std::int32_t to) const;

    const Plan &plan_;
    Frame frame_;
    std::int32_t rowBytesOut_;
    std::vector<BlockTable> tables_;
    std::vector<Run> runs_;
};

Avx2Kernel::Avx2Kernel(const Plan &plan, const Frame &frame)
    : plan_(plan), frame_(frame), rowBytesOut_(3 * plan.destWidth)
{
    const std::size_t count = std::size_t(rowBytesOut_ / 32);
    tables_.resize(count);
    for (std::size_t m = 0; m < count; ++m) {
        BlockTable &table = tables_[m];
        bool fits = true;
        bool fine = false;
        bool ties = false;
        for (int t = 0; t < 32; ++t) {
            const std::int32_t o = std::int32_t(m) * 32 + t;
            const Sample &column = plan.columns[std::size_t(o / 3)];
            const std::int32_t source = 3 * column.first + o % 3;
            if (t % 16 == 0)  // the window starts at the pixel the half starts in
                table.window[t / 16] = 3 * column.first;
            const std::int32_t pick = source - table.window[t / 16];  // >= 0: `first` never falls
            fits = fits && pick + 3 <= 15;
            fine = fine || column.fixedWeight < 0;
            ties = ties || mayTie(column.fixedWeight);
            const int word = (t / 16) * 16 + (t % 8) * 2;
            table.picks[(t % 16) / 8][word] = std::uint8_t(pick & 0x0F);
            table.picks[(t % 16) / 8][word + 1] = 0x80;
            table.weights[laneOf(t)] = column.fixedWeight;
        }
        const BlockMode mode = fine ? BlockMode::Scalar : fits ? BlockMode::Shuffle : BlockMode::Gather;
        if (!runs_.empty() && runs_.back().mode == mode && runs_.back().ties == ties)
            runs_.back().end = m + 1;
        else
            runs_.push_back({m, m + 1, mode, ties});
    }
}

void Avx2Kernel::scalarBytes(const std::uint8_t *blended, std::uint8_t *out, std::int32_t from,
                             std::int32_t to) const
{
    for (std::int32_t o = from; o < to; ++o) {
        const Sample &column = plan_.columns[std::size_t(o / 3)];
        const std::uint8_t *left = blended + 3 * std::ptrdiff_t(column.first) + o % 3;
        out[o] = blend(left[0], left[3], column);
    }
}

template <bool Ties>
PLAKATRON_AVX2 void Avx2Kernel::shuffleRun(const Run &run, const std::uint8_t *blended, std::uint8_t *out) const
{
    const BlockTable *table = tables_.data() + run.begin;
    const BlockTable *const end = tables_.data() + run.end;
    const __m256i three = _mm256_set1_epi8(3);  // 0x80 + 3 still reads as zero
    out += run.begin * 32;
    for (; table != end; ++table, out += 32) {
        const __m256i window = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i *>(blended + table->window[0]))),
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(blended + table->window[1])), 1);
        const auto *picks = reinterpret_cast<const __m256i *>(table->picks);
        const __m256i pickLo = _mm256_load_si256(picks);
        const __m256i pickHi = _mm256_load_si256(picks + 1);
        const auto *k = reinterpret_cast<const __m256i *>(table->weights);
        const __m256i r = blendWords<Ties>(
            _mm256_shuffle_epi8(window, pickLo), _mm256_shuffle_epi8(window, pickHi),
            _mm256_shuffle_epi8(window, _mm256_add_epi8(pickLo, three)),
            _mm256_shuffle_epi8(window, _mm256_add_epi8(pickHi, three)), _mm256_load_si256(k),
            _mm256_load_si256(k + 1), _mm256_load_si256(k + 2), _mm256_load_si256(k + 3));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out), r);
    }
}

template <bool Ties>
PLAKATRON_AVX2 void Avx2Kernel::gatherRun(const Run &run, const std::uint8_t *blended, std::uint8_t *spread,
                                          std::uint8_t *out) const
{
    // Each pixel's a and b, 3 bytes each, copied 4 at a time (the fourth is overwritten by the
    // next pixel), so that the blocks read them in output order.
    std::uint8_t *const spreadA = spread;
    std::uint8_t *const spreadB = spread + spreadBytes();
    const std::size_t firstPixel = run.begin * 32 / 3;
    const std::size_t endPixel = (run.end * 32 + 2) / 3;
    const Sample *const columns = plan_.columns.data();
    for (std::size_t j = firstPixel; j < endPixel; ++j) {
        const std::uint8_t *left = blended + 3 * std::ptrdiff_t(columns[j].first);
        std::memcpy(spreadA + 3 * j, left, 4);
        std::memcpy(spreadB + 3 * j, left + 3, 4);
    }
    for (std::size_t m = run.begin; m < run.end; ++m) {
        const auto *k = reinterpret_cast<const __m256i *>(tables_[m].weights);
        const __m256i r = blend32<Ties>(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(spreadA + m * 32)),
                                        _mm256_loadu_si256(reinterpret_cast<const __m256i *>(spreadB + m * 32)),
                                        _mm256_load_si256(k), _mm256_load_si256(k + 1), _mm256_load_si256(k + 2),
                                        _mm256_load_si256(k + 3));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + m * 32), r);
    }
}

void Avx2Kernel::horizontal(const std::uint8_t *blended, std::uint8_t *spread, std::uint8_t *out) const
{
    for (const Run &run : runs_) {
        switch (run.mode) {
        case BlockMode::Shuffle:
            run.ties ? shuffleRun<true>(run, blended, out) : shuffleRun<false>(run, blended, out);
            break;
        case BlockMode::Gather:
            run.ties ? gatherRun<true>(run, blended, spread, out) : gatherRun<false>(run, blended, spread, out);
            break;
        case BlockMode::Scalar:
            scalarBytes(blended, out, std::int32_t(run.begin) * 32, std::int32_t(run.end) * 32);
            break;
        }
    }
    scalarBytes(blended, out, std::int32_t(tables_.size()) * 32, rowBytesOut_);  // the rest, padding untouched
}

void Avx2Kernel::run(std::int32_t rowBegin, std::int32_t rowEnd, std::uint8_t *blended) const noexcept
{
    const std::int32_t rowBytes = plan_.rowBytes();
    for (std::int32_t i = rowBegin; i < rowEnd; ++i) {
        const Sample &row = plan_.rows[std::size_t(i)];
        const std::uint8_t *top = frame_.source + std::ptrdiff_t(row.first) * frame_.sourceStride;
        const std::uint8_t *bottom = top + frame_.sourceStride;
        if (row.fixedWeight < 0) {
            for (std::int32_t b = 0; b < rowBytes; ++b)
                blended[b] = blendDouble(top[b], bottom[b], row.weight);
        } else if (mayTie(row.fixedWeight)) {
            blendRow<true>(top, bottom, row.fixedWeight, blended, rowBytes);
        } else {
            blendRow<false>(top, bottom, row.fixedWeight, blended, rowBytes);
        }
        horizontal(blended, blended + rowBytes + 32, frame_.dest + std::ptrdiff_t(i) * frame_.destStride);
    }
}

}  // namespace

std::unique_ptr<RowKernel> makeAvx2Kernel(const Plan &plan, const Frame &frame)
{
    if (!avx2Supported())
        return nullptr;
    return std::make_unique<Avx2Kernel>(plan, frame);
}

#else  // no x86: the plain kernel is all there is

bool avx2Supported() { return false; }

std::unique_ptr<RowKernel> makeAvx2Kernel(const Plan &, const Frame &) { return nullptr; }

#endif

}  // namespace plakatron::resample
