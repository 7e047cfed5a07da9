// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rectangle clipping and row conversions between the buffer's blue-green-red bytes and Qt's
// image formats, shared by the copy-in and copy-out operations of cDIBSection.

#include <QImage>
#include <cstdint>
#include <optional>

namespace plakatron::pixelcopy {

struct CopyRect {
    std::int32_t sourceX, sourceY, destX, destY, width, height;
};

// The part of a width x height copy from (sourceX, sourceY) to (destX, destY) that lies inside
// the source and the destination; nothing when that is empty. A destination size below 0 means
// the destination clips by itself (a painter), so only the source bounds apply.
std::optional<CopyRect> clip(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t destWidth,
                             std::int32_t destHeight, std::int64_t sourceX, std::int64_t sourceY, std::int64_t destX,
                             std::int64_t destY, std::int64_t width, std::int64_t height);

// Formats whose rows the conversions below read and write directly; others go through Qt.
bool isDirectFormat(QImage::Format format) noexcept;

// n pixels of a direct-format row to blue-green-red bytes.
void toBgr(QImage::Format format, const uchar *source, std::uint8_t *bgr, std::int32_t n) noexcept;
// n blue-green-red pixels to a direct-format row, opaque.
void fromBgr(QImage::Format format, const std::uint8_t *bgr, uchar *dest, std::int32_t n) noexcept;

// n pixels of the picture's row y from column x as Format_RGB32 words: the picture's own row
// where it has that format, else `into` (n x 1 or more, Format_RGB32) with the pixels drawn on
// it as a painter draws them. Null when the memory for that cannot be had.
const uchar *rgb32Row(const QImage &picture, std::int32_t x, std::int32_t y, std::int32_t n, QImage &into);

}  // namespace plakatron::pixelcopy
