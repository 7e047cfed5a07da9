// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/PixelCopy.h"

#include "imaging/Avx2.h"
#include "imaging/ResampleKernel.h"

#include <QColor>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <limits>

namespace plakatron::pixelcopy {

namespace {
// One axis of the clip: start positions and length moved together so that both sides stay
// inside their bounds (bound below 0: unbounded).
bool clipAxis(std::int64_t sourceSize, std::int64_t destSize, std::int64_t &source, std::int64_t &dest,
              std::int64_t &length)
{
    if (source < 0) {
        dest -= source;
        length += source;
        source = 0;
    }
    if (destSize >= 0 && dest < 0) {
        source -= dest;
        length += dest;
        dest = 0;
    }
    length = std::min(length, sourceSize - source);
    if (destSize >= 0)
        length = std::min(length, destSize - dest);
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return length > 0 && dest >= lo && dest + length - 1 <= hi;
}
}  // namespace

std::optional<CopyRect> clip(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t destWidth,
                             std::int32_t destHeight, std::int64_t sourceX, std::int64_t sourceY, std::int64_t destX,
                             std::int64_t destY, std::int64_t width, std::int64_t height)
{
    if (!clipAxis(sourceWidth, destWidth, sourceX, destX, width)
        || !clipAxis(sourceHeight, destHeight, sourceY, destY, height))
        return std::nullopt;
    return CopyRect{std::int32_t(sourceX), std::int32_t(sourceY), std::int32_t(destX),
                    std::int32_t(destY),   std::int32_t(width),   std::int32_t(height)};
}

bool isDirectFormat(QImage::Format format) noexcept
{
    switch (format) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
        return true;
    default:
        return false;
    }
}

#ifdef PLAKATRON_X86_AVX2
namespace {
// Eight 32-bit pixels at a time: each half of the register moves its four pixels' blue, green and
// red bytes to its first twelve bytes and is stored whole, the next store writing over its last
// four. Gives how many pixels it took; the second half's store must end inside the row.
PLAKATRON_AVX2 std::int32_t toBgrAvx2(const uchar *source, std::uint8_t *bgr, std::int32_t n) noexcept
{
    const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                          0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    std::int32_t x = 0;
    for (; x + 10 <= n; x += 8) {
        const __m256i packed =
            _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(source + 4 * std::ptrdiff_t(x))), pack);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(bgr + 3 * std::ptrdiff_t(x)), _mm256_castsi256_si128(packed));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(bgr + 3 * std::ptrdiff_t(x) + 12), _mm256_extracti128_si256(packed, 1));
    }
    return x;
}
}  // namespace
#endif

void toBgr(QImage::Format format, const uchar *source, std::uint8_t *bgr, std::int32_t n) noexcept
{
    switch (format) {
    case QImage::Format_BGR888:
        std::memcpy(bgr, source, std::size_t(n) * 3);
        return;
    case QImage::Format_RGB888:
        for (std::int32_t x = 0; x < n; ++x, source += 3, bgr += 3) {
            bgr[0] = source[2];
            bgr[1] = source[1];
            bgr[2] = source[0];
        }
        return;
    default: {  // the 32-bit formats: 0xAARRGGBB words
        const auto *words = reinterpret_cast<const QRgb *>(source);
        std::int32_t x = 0;
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
#ifdef PLAKATRON_X86_AVX2
            if (resample::avx2Supported()) {
                x = toBgrAvx2(source, bgr, n);
                bgr += 3 * std::ptrdiff_t(x);
            }
#endif
            // Four pixels (blue, green, red, alpha bytes) give three words of blue, green and red:
            // a few shifts instead of twelve byte stores.
            for (; x + 4 <= n; x += 4, bgr += 12) {
                const std::uint32_t a = words[x], b = words[x + 1], c = words[x + 2], d = words[x + 3];
                const std::uint32_t out[3] = {(a & 0xffffffu) | (b << 24), ((b >> 8) & 0xffffu) | (c << 16),
                                              ((c >> 16) & 0xffu) | (d << 8)};
                std::memcpy(bgr, out, sizeof out);
            }
        }
        for (; x < n; ++x, bgr += 3) {
            const QRgb v = words[x];
            bgr[0] = std::uint8_t(qBlue(v));
            bgr[1] = std::uint8_t(qGreen(v));
            bgr[2] = std::uint8_t(qRed(v));
        }
        return;
    }
    }
}

void fromBgr(QImage::Format format, const std::uint8_t *bgr, uchar *dest, std::int32_t n) noexcept
{
    switch (format) {
    case QImage::Format_BGR888:
        std::memcpy(dest, bgr, std::size_t(n) * 3);
        return;
    case QImage::Format_RGB888:
        for (std::int32_t x = 0; x < n; ++x, dest += 3, bgr += 3) {
            dest[0] = bgr[2];
            dest[1] = bgr[1];
            dest[2] = bgr[0];
        }
        return;
    default: {
        auto *words = reinterpret_cast<QRgb *>(dest);
        std::int32_t x = 0;
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            // Blue, green, red and the next pixel's blue read as one word; the opaque alpha takes
            // the fourth byte's place. The last pixel has no fourth byte of its own to read.
            for (; x + 1 < n; ++x, bgr += 3) {
                std::uint32_t word;
                std::memcpy(&word, bgr, sizeof word);
                words[x] = word | 0xff000000u;
            }
        }
        for (; x < n; ++x, bgr += 3)
            words[x] = qRgb(bgr[2], bgr[1], bgr[0]);
        return;
    }
    }
}

const uchar *rgb32Row(const QImage &picture, std::int32_t x, std::int32_t y, std::int32_t n, QImage &into)
{
    if (picture.format() == QImage::Format_RGB32)
        return picture.constScanLine(y) + 4 * std::ptrdiff_t(x);
    // The row alone: a painter would convert a whole picture of another format first.
    const QImage row = picture.copy(x, y, n, 1);
    if (row.isNull())
        return nullptr;
    QPainter painter(&into);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), row);
    painter.end();
    return into.constScanLine(0);
}

}  // namespace plakatron::pixelcopy
