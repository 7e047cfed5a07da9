// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the etched separator line, without a widget: how it lays itself out and how its
// properties are saved into and read from a design's name/value bag.

#include "ui/SystemColor.h"

#include <QVariantMap>
#include <array>
#include <cstdint>

namespace plakatron {

// One of the two one-pixel lines; coordinates in twips from the control's top-left corner.
struct Line3dSegment {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    friend bool operator==(const Line3dSegment &, const Line3dSegment &) = default;
};

struct Line3dLayout {
    int width = 0;   // the control's corrected size, twips
    int height = 0;
    std::array<Line3dSegment, 2> lines;  // [0] dark (top or left), [1] light (below or right)
};

inline constexpr int line3dThicknessTwips = 30;  // two pixels
inline constexpr int line3dSecondLineTwips = 15;  // the second pixel row or column

// Wider than high: a horizontal line 30 twips high; otherwise (a square too) a vertical one 30
// twips wide. The lines run over the whole remaining length.
Line3dLayout layoutLine3d(int widthTwips, int heightTwips);

struct Line3dProperties {
    static constexpr bool defaultEnabled = false;
    static constexpr std::uint32_t defaultColor1 = syscolor::ButtonShadow;
    static constexpr std::uint32_t defaultColor2 = syscolor::ButtonHighlight;
    static constexpr std::uint32_t defaultBackColor = syscolor::ButtonFace;

    bool Enabled = defaultEnabled;
    std::uint32_t Color1 = defaultColor1;
    std::uint32_t Color2 = defaultColor2;
    std::uint32_t BackColor = defaultBackColor;

    // Writes "Enabled", "Color1", "Color2", "BackColor" in that order, each only when it differs
    // from its default (a design that stores none of them runs with the defaults). Other entries
    // of the bag, such as the host's size, are left alone.
    void write(QVariantMap &bag) const;
    // Missing names give the defaults. A value that is not a number (or not a 32-bit one) also
    // gives the default, so a damaged design still loads.
    static Line3dProperties read(const QVariantMap &bag);

    friend bool operator==(const Line3dProperties &, const Line3dProperties &) = default;
};

}  // namespace plakatron
