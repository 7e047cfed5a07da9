// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 32-bit colour values of the window designs: with the top bit clear, red, green and blue in
// the low three bytes (red lowest); with the top bit set, the low byte numbers a system colour,
// which follows the desktop's palette.

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace plakatron {

namespace syscolor {
inline constexpr std::uint32_t flag = 0x80000000u;
inline constexpr std::uint32_t ButtonFace = flag | 15;       // three-dimensional face
inline constexpr std::uint32_t ButtonShadow = flag | 16;     // three-dimensional shadow
inline constexpr std::uint32_t ButtonHighlight = flag | 20;  // three-dimensional highlight
}  // namespace syscolor

constexpr bool isSystemColor(std::uint32_t value) noexcept { return (value & syscolor::flag) != 0; }

// 0x00BBGGRR from a colour, the form stored in designs.
constexpr std::uint32_t rgbColor(int red, int green, int blue) noexcept
{
    return (static_cast<std::uint32_t>(red) & 0xFF) | ((static_cast<std::uint32_t>(green) & 0xFF) << 8) |
           ((static_cast<std::uint32_t>(blue) & 0xFF) << 16);
}

// The colour a value stands for under `palette`. System colour numbers the desktop does not know
// come out black, as the platform's own lookup gives them.
QColor resolveColor(std::uint32_t value, const QPalette &palette);

}  // namespace plakatron
