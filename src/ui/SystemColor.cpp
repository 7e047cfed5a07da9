// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SystemColor.h"

#include <array>
#include <optional>

namespace plakatron {
namespace {

struct SystemEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System colour numbers 0 ... 30 and the palette roles that play the same part on this desktop.
std::optional<SystemEntry> systemEntry(std::uint32_t number)
{
    using P = QPalette;
    static constexpr std::array<SystemEntry, 31> table{{
        {P::Active, P::Mid},              // 0 scroll bar
        {P::Active, P::Dark},             // 1 desktop
        {P::Active, P::Highlight},        // 2 active caption
        {P::Inactive, P::Mid},            // 3 inactive caption
        {P::Active, P::Window},           // 4 menu
        {P::Active, P::Base},             // 5 window
        {P::Active, P::Shadow},           // 6 window frame
        {P::Active, P::WindowText},       // 7 menu text
        {P::Active, P::Text},             // 8 window text
        {P::Active, P::HighlightedText},  // 9 caption text
        {P::Active, P::Button},           // 10 active border
        {P::Inactive, P::Button},         // 11 inactive border
        {P::Active, P::Mid},              // 12 application workspace
        {P::Active, P::Highlight},        // 13 highlight
        {P::Active, P::HighlightedText},  // 14 highlighted text
        {P::Active, P::Button},           // 15 button face
        {P::Active, P::Dark},             // 16 button shadow
        {P::Disabled, P::Text},           // 17 grey text
        {P::Active, P::ButtonText},       // 18 button text
        {P::Inactive, P::WindowText},     // 19 inactive caption text
        {P::Active, P::Light},            // 20 button highlight
        {P::Active, P::Shadow},           // 21 dark shadow
        {P::Active, P::Midlight},         // 22 light
        {P::Active, P::ToolTipText},      // 23 tooltip text
        {P::Active, P::ToolTipBase},      // 24 tooltip background
        {P::Active, P::Button},           // 25 (unused number)
        {P::Active, P::Link},             // 26 hot-tracked item
        {P::Active, P::Highlight},        // 27 active caption gradient
        {P::Inactive, P::Mid},            // 28 inactive caption gradient
        {P::Active, P::Highlight},        // 29 menu highlight
        {P::Active, P::Window},           // 30 menu bar
    }};
    if (number == 25 || number >= table.size())
        return std::nullopt;
    return table[number];
}

}  // namespace

QColor resolveColor(std::uint32_t value, const QPalette &palette)
{
    if (isSystemColor(value)) {
        // Only the low byte names the colour; other bits are ignored as the platform does.
        const auto entry = systemEntry(value & 0xFF);
        if (!entry)
            return QColor(Qt::black);
        return palette.color(entry->group, entry->role);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace plakatron
