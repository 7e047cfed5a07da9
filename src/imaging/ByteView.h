// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A two-dimensional view of a pixel buffer's bytes: the first index is the byte within a row
// (0 ... bytesPerRow - 1, row padding included), the second the row (0 ... rows - 1). Every
// access is checked, so a wrong index fails with "Subscript out of range" (9) and touches
// nothing. Loops that cannot afford a check per byte check their whole range once with
// require() before their first write and then work on rowPointer(). The view owns nothing.

#include "core/RuntimeError.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace plakatron {

template <typename Byte>
class BasicByteView {
public:
    BasicByteView() noexcept = default;
    // A view over no memory has no elements, whatever sizes it is given.
    BasicByteView(Byte *base, std::int32_t bytesPerRow, std::int32_t rows) noexcept
        : base_(base),
          bytesPerRow_(base && bytesPerRow > 0 && rows > 0 ? bytesPerRow : 0),
          rows_(base && bytesPerRow > 0 && rows > 0 ? rows : 0)
    {
    }

    // A writable view reads as a read-only one.
    template <typename Other>
        requires std::is_same_v<const Other, Byte> && (!std::is_same_v<Other, Byte>)
    BasicByteView(const BasicByteView<Other> &other) noexcept
        : base_(other.rowPointer(0)), bytesPerRow_(other.bytesPerRow()), rows_(other.rows())
    {
    }

    std::int32_t bytesPerRow() const noexcept { return bytesPerRow_; }
    std::int32_t rows() const noexcept { return rows_; }

    bool contains(std::int64_t byte, std::int64_t row) const noexcept
    {
        return byte >= 0 && byte < bytesPerRow_ && row >= 0 && row < rows_;
    }

    Byte &operator()(std::int64_t byte, std::int64_t row) const
    {
        if (!contains(byte, row))
            raise(err::SubscriptOutOfRange);
        return base_[row * bytesPerRow_ + byte];
    }

    // Fails unless every element of the inclusive block lies inside the view.
    void require(std::int64_t firstByte, std::int64_t lastByte, std::int64_t firstRow, std::int64_t lastRow) const
    {
        if (!contains(firstByte, firstRow) || !contains(lastByte, lastRow))
            raise(err::SubscriptOutOfRange);
    }

    // Start of a row, for loops whose range has passed require().
    Byte *rowPointer(std::int32_t row) const noexcept { return base_ + std::ptrdiff_t(row) * bytesPerRow_; }

private:
    Byte *base_ = nullptr;
    std::int32_t bytesPerRow_ = 0;
    std::int32_t rows_ = 0;
};

using ByteView = BasicByteView<std::uint8_t>;
using ConstByteView = BasicByteView<const std::uint8_t>;

}  // namespace plakatron
