#pragma once
// Small helpers for the imaging tests: buffers from literal pixels, random pixels, and a hex
// dump of every byte (padding included) so that a failing comparison shows where it differs.

#include "core/RuntimeError.h"
#include "imaging/DibSection.h"

#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace plakatron::test {

using Pixel = std::array<std::uint8_t, 3>;  // blue, green, red, as stored

// The number of the run-time error the action fails with; 0 when it does not fail.
inline int errorNumberOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

// A buffer whose memory rows are the given rows: rows[0] is row 0, the bottom of the picture.
inline std::unique_ptr<cDIBSection> bufferFromRows(const std::vector<std::vector<Pixel>> &rows)
{
    auto dib = std::make_unique<cDIBSection>();
    dib->Create(std::int32_t(rows.front().size()), std::int32_t(rows.size()));
    const ByteView view = dib->bytes();
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t x = 0; x < rows[r].size(); ++x)
            for (std::size_t c = 0; c < 3; ++c)
                view(std::int64_t(3 * x + c), std::int64_t(r)) = rows[r][x][c];
    return dib;
}

// Every pixel byte random, padding left alone.
inline void fillRandom(cDIBSection &dib, std::mt19937 &random)
{
    const ByteView view = dib.bytes();
    for (std::int32_t r = 0; r < view.rows(); ++r)
        for (std::int32_t b = 0; b < 3 * dib.Width(); ++b)
            view(b, r) = std::uint8_t(random() >> 24);
}

// One line per memory row: pixels as "bbggrr", then "| padding" when the row has any.
inline std::string hexRows(const cDIBSection &dib)
{
    static const char digits[] = "0123456789abcdef";
    const ConstByteView view = dib.bytes();
    std::string text;
    for (std::int32_t r = 0; r < view.rows(); ++r) {
        for (std::int32_t b = 0; b < view.bytesPerRow(); ++b) {
            if (b == 3 * dib.Width())
                text += " |";
            if (b % 3 == 0 && b > 0 && b <= 3 * dib.Width())
                text += ' ';
            text += digits[view(b, r) >> 4];
            text += digits[view(b, r) & 15];
        }
        text += '\n';
    }
    return text;
}

}  // namespace plakatron::test
