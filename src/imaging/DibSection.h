// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// cDIBSection: the off-screen page buffer. A 24-bit pixel array the program addresses directly:
// bytes blue, green, red; each row padded to a multiple of 4 bytes; row 0 in memory is the
// bottom scan line of the picture, the last row its top. Pictures come in and go out through
// rectangle copies from and to Qt images and painters, in picture coordinates (0, 0 = top
// left), so the bottom-up order stays inside this class.
//
// Sizes are 32-bit like the rest of the pixel arithmetic: a row of more than 2,147,483,647
// bytes, or a buffer of more bytes than that, is an Overflow (6) before anything is allocated.
// A fresh buffer is all zero (black, padding zero); no operation of the class writes padding.

#include "imaging/ByteView.h"
#include "imaging/PictureCrop.h"

#include <QImage>
#include <QRectF>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

namespace plakatron {

namespace resample {
struct Plan;
}

// The only raster operation of the copies: the source replaces the destination.
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;

class cDIBSection {
public:
    cDIBSection() noexcept = default;
    ~cDIBSection();
    cDIBSection(const cDIBSection &) = delete;
    cDIBSection &operator=(const cDIBSection &) = delete;

    // Records the size, then makes a zeroed pixel block for it in place of the current one.
    // False (buffer empty) for a width or height below 1 or when the memory cannot be had.
    bool CreateDIB(std::int32_t width, std::int32_t height);
    // Sizes the buffer to the picture and copies it in; a null picture leaves it empty.
    void CreateFromPicture(const QImage &picture);
    // Sizes the buffer to the chosen columns and rows of the crop (counted from its top left,
    // each list ascending) and copies just those pixels in: the crop made whole, with every other
    // column and row left out. Out of memory (7) when the buffer cannot be had; no columns or no
    // rows leave it empty.
    void CreateFromCrop(const PictureCrop &crop, const std::vector<std::int32_t> &columns,
                        const std::vector<std::int32_t> &rows);
    // Empties the buffer, then makes it anew at this size (pixels zero). The old pixels are
    // gone even when the new creation fails.
    bool Create(std::int32_t width, std::int32_t height);

    // 3 * Width rounded up to a multiple of 4; Overflow (6) beyond 32 bits.
    std::int32_t BytesPerScanLine() const;
    // The last size asked for; they keep it after ClearUp.
    std::int32_t Width() const noexcept { return biWidth_; }
    std::int32_t Height() const noexcept { return biHeight_; }

    // Rectangle copies. A negative width or height means the buffer's Width or Height, 0
    // copies nothing; the rectangle is clipped to both sides and pixels outside stay as they
    // were. rasterOp must be SRCCOPY (anything else: Invalid procedure call, 5). Colours come
    // in as stored, alpha ignored; they go out opaque.
    // Copy-in: source rectangle at (sourceLeft, sourceTop) to the buffer's top-left corner.
    void LoadPictureBlt(const QImage &source, std::int32_t sourceLeft, std::int32_t sourceTop, std::int32_t width,
                        std::int32_t height, std::uint32_t rasterOp = SRCCOPY);
    void LoadPictureBlt(const cDIBSection *sourceDC, std::int32_t sourceLeft, std::int32_t sourceTop,
                        std::int32_t width, std::int32_t height, std::uint32_t rasterOp = SRCCOPY);
    // Copy-out: the buffer's rectangle at (sourceLeft, sourceTop) to (destLeft, destTop).
    void PaintPicture(QPainter &dest, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
                      std::int32_t height, std::int32_t sourceLeft, std::int32_t sourceTop,
                      std::uint32_t rasterOp = SRCCOPY) const;
    void PaintPicture(QImage &dest, std::int32_t destLeft, std::int32_t destTop, std::int32_t width,
                      std::int32_t height, std::int32_t sourceLeft, std::int32_t sourceTop,
                      std::uint32_t rasterOp = SRCCOPY) const;

    // This platform has no device contexts: the buffer itself is the surface the copies read,
    // so hdc() hands it out, and null while the buffer holds no pixels.
    const cDIBSection *hdc() const noexcept { return bits_ ? this : nullptr; }
    // Identifies the current pixel block (a new value for every creation); 0 when empty.
    std::uintptr_t hDib() const noexcept { return bits_ ? dibHandle_ : 0; }
    // First pixel byte (row 0, the bottom row); null when empty.
    std::uint8_t *DIBSectionBitsPtr() noexcept { return bits_.get(); }
    const std::uint8_t *DIBSectionBitsPtr() const noexcept { return bits_.get(); }

    // Releases the pixel block. Safe to call on an empty buffer.
    void ClearUp() noexcept;

    // A new buffer of newWidth x newHeight (height first): an exact copy at the same size;
    // bilinear interpolation when it is at least as large on both axes; smaller along an axis,
    // every source pixel a new pixel covers is averaged along it (ReduceKernel.h), and an axis
    // that does not shrink keeps the bilinear positions. Null when the new buffer cannot be
    // created. A source 1 pixel wide or high (an axis that cannot shrink, whose one column or row
    // the bilinear positions would blend with the next), or without pixels, fails with Subscript
    // out of range (9).
    std::unique_ptr<cDIBSection> Resample(std::int32_t newHeight, std::int32_t newWidth) const;
    // Byte for byte what Resample(newHeight, newWidth) gives on a buffer made from the whole crop,
    // without making it. An enlargement copies only the crop's columns and rows the bilinear pass
    // reads (at most two for each destination column and row) into `gathered` and reads them
    // there; a reduction reads the picture's rows where they are, a band at a time, and empties
    // `gathered`. Time and memory follow the new size and the picture's part, not the crop's
    // size. Fails as Resample does, and with Out of memory (7) when `gathered` or a converted row
    // cannot be had. `threads` as for resample::run: 0 as many as pay off, 1 only the calling
    // thread. An enlargement writes every pixel: it goes into `spare` (a page of the same size
    // that is no longer needed) where given, so a run of pages takes no new block per page.
    static std::unique_ptr<cDIBSection> ResampleCrop(const PictureCrop &crop, std::int32_t newHeight,
                                                     std::int32_t newWidth, cDIBSection &gathered, int threads = 0,
                                                     std::unique_ptr<cDIBSection> spare = nullptr);
    // The part of a crop of `crop` pixels (from its top left, in its pixels) that ResampleCrop's
    // page of `page` pixels shows: the page's outer pixel edges where its pixel centres sample
    // the crop. An enlarging axis samples centre to centre at (N - 1) / M, from the left across
    // and from the bottom down; a shrinking axis, and a plain copy, take the whole crop. A
    // vector page drawn over this area lines up with the raster page of the same crop.
    static QRectF sampledArea(QSize crop, QSize page);

    // The checked view over all pixel bytes (BytesPerScanLine x Height); empty without pixels.
    ByteView bytes();
    ConstByteView bytes() const;

    // The picture top-down as QImage::Format_RGB32 (a copy); null when the buffer is empty.
    QImage toImage() const;

private:
    void ResampleInto(cDIBSection &destination) const;
    void resampleWith(const resample::Plan &plan, cDIBSection &destination, int threads = 0) const;
    void copyIn(const std::uint8_t *bottomUp, std::int32_t width, std::int32_t height, std::int32_t stride,
                std::int32_t sourceLeft, std::int32_t sourceTop, std::int32_t w, std::int32_t h);

    struct FreeBlock {
        void operator()(std::uint8_t *block) const noexcept;
    };
    std::unique_ptr<std::uint8_t[], FreeBlock> bits_;
    std::uintptr_t dibHandle_ = 0;
    std::int32_t biWidth_ = 0;
    std::int32_t biHeight_ = 0;
};

}  // namespace plakatron
