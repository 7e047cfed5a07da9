// SPDX-License-Identifier: GPL-3.0-or-later
// The AVX2 kernel of the averaging pass (ReduceKernel.h). Only the functions marked PLAKATRON_AVX2
// use instructions beyond the compiler's baseline, and they run only after avx2Supported() said
// yes. Both passes add the same 32-bit products as the plain kernel (in another order, which a
// sum of integers below 2^22 does not notice), so the bytes are the same.
//
// Along the row, one destination pixel at a time, four taps per step: the four source pixels
// (16 bytes, B G R A each) go to both 128-bit halves, and a byte shuffle pairs them up as 16-bit
// words for pmaddwd:
//   half 0:  b0 b1 | g0 g1 | r0 r1 | a0 a1     times  w0 w1 | w0 w1 | w0 w1 | w0 w1
//   half 1:  b2 b3 | g2 g3 | r2 r3 | a2 a3     times  w2 w3 | w2 w3 | w2 w3 | w2 w3
// giving b, g, r and a sums of two taps in each half; the halves are added at the end. The
// unused fourth channel is written too, and overwritten by the next pixel's blue.
//
// Down the columns, 32 bytes at a time, two rows per step: their bytes widened to words and
// interleaved (row t, row t + 1) so that pmaddwd with (w_t, w_t+1) adds both products.

#include "imaging/ReduceKernel.h"

#include "imaging/Avx2.h"

#include <cstring>

namespace plakatron::resample {

#ifdef PLAKATRON_X86_AVX2

namespace {

PLAKATRON_AVX2 void filterRowAvx2(const Reduction &plan, std::int32_t readable, const std::uint32_t *line,
                                  std::uint8_t *out)
{
    const __m256i pick = _mm256_setr_epi8(0, -128, 4, -128, 1, -128, 5, -128, 2, -128, 6, -128, 3, -128, 7, -128,
                                          8, -128, 12, -128, 9, -128, 13, -128, 10, -128, 14, -128, 11, -128, 15, -128);
    const __m256i pairs = _mm256_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1);
    const std::int16_t *weights = plan.pictureWeights.data();
    for (const Reduction::Column &column : plan.pictureColumns) {
        // Four pixels are read per step; near the end of what may be read, one at a time.
        if (column.first + ((column.count + 3) & ~3) > readable) {
            filterPixel(line, column, weights, out);
            out += 3;
            continue;
        }
        const std::uint32_t *p = line + column.first;
        const std::int16_t *w = weights + column.offset;
        __m256i sums = _mm256_setzero_si256();
        for (std::int32_t t = 0; t < column.count; t += 4, p += 4, w += 4) {
            const __m256i pixels = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)));
            const __m256i weight = _mm256_permutevar8x32_epi32(
                _mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(w))), pairs);
            sums = _mm256_add_epi32(sums, _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, pick), weight));
        }
        __m128i v = _mm_add_epi32(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
        v = _mm_srai_epi32(_mm_add_epi32(v, _mm_set1_epi32(column.bias)), WeightBits);
        v = _mm_packus_epi16(_mm_packs_epi32(v, v), v);
        const std::int32_t bgra = _mm_cvtsi128_si32(v);
        std::memcpy(out, &bgra, 4);
        out += 3;
    }
}

PLAKATRON_AVX2 void filterColumnsAvx2(const std::uint8_t *const *sources, const std::int16_t *weights,
                                      std::int32_t count, std::uint8_t *dest, std::int32_t bytes)
{
    const __m256i half = _mm256_set1_epi32(1 << (WeightBits - 1));
    std::int32_t b = 0;
    for (; b + 32 <= bytes; b += 32) {
        __m256i s0 = half, s1 = half, s2 = half, s3 = half;
        for (std::int32_t t = 0; t < count; t += 2) {
            const bool pair = t + 1 < count;
            const std::uint8_t *p = sources[t] + b;
            const std::uint8_t *q = (pair ? sources[t + 1] : sources[t]) + b;
            const __m256i w = _mm256_set1_epi32(std::int32_t(std::uint16_t(weights[t]))
                                                | std::int32_t(std::uint32_t(pair ? weights[t + 1] : 0) << 16));
            const __m256i p0 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)));
            const __m256i p1 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16)));
            const __m256i q0 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(q)));
            const __m256i q1 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(q + 16)));
            // Half 0 of p0 holds bytes 0-7, half 1 bytes 8-15: unpacklo takes 0-3 and 8-11.
            s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(_mm256_unpacklo_epi16(p0, q0), w));
            s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(_mm256_unpackhi_epi16(p0, q0), w));
            s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(_mm256_unpacklo_epi16(p1, q1), w));
            s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(_mm256_unpackhi_epi16(p1, q1), w));
        }
        // Words of bytes 0-7 | 8-15 and 16-23 | 24-31; the byte pack interleaves the quarters
        // as 0-7, 16-23 | 8-15, 24-31, which the permutation puts back in order.
        const __m256i lo = _mm256_packs_epi32(_mm256_srai_epi32(s0, WeightBits), _mm256_srai_epi32(s1, WeightBits));
        const __m256i hi = _mm256_packs_epi32(_mm256_srai_epi32(s2, WeightBits), _mm256_srai_epi32(s3, WeightBits));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(dest + b),
                            _mm256_permute4x64_epi64(_mm256_packus_epi16(lo, hi), 0xD8));
    }
    for (; b < bytes; ++b) {
        std::int32_t sum = 1 << (WeightBits - 1);
        for (std::int32_t t = 0; t < count; ++t)
            sum += weights[t] * sources[t][b];
        dest[b] = std::uint8_t(sum >> WeightBits);
    }
}

class Avx2Reducer final : public ReducerBase {
public:
    using ReducerBase::ReducerBase;

private:
    void filterRow(const std::uint32_t *line, std::uint8_t *out) const noexcept override
    {
        filterRowAvx2(plan_, rows_.readable(), line, out);
    }

    void filterColumns(const std::uint8_t *const *sources, const std::int16_t *weights, std::int32_t count,
                       std::uint8_t *dest, std::int32_t *) const noexcept override
    {
        filterColumnsAvx2(sources, weights, count, dest, 3 * plan_.destWidth);
    }
};

}  // namespace

std::unique_ptr<ReducerBase> makeAvx2Reducer(const Reduction &plan, const PictureRows &rows, const Output &output)
{
    if (!avx2Supported())
        return nullptr;
    return std::make_unique<Avx2Reducer>(plan, rows, output);
}

#else  // no x86: the plain kernel is all there is

std::unique_ptr<ReducerBase> makeAvx2Reducer(const Reduction &, const PictureRows &, const Output &) { return nullptr; }

#endif

}  // namespace plakatron::resample
