// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pointer over the link labels of the about window: a pointing hand, 32 x 32 pixels, black
// outline on white, its index fingertip the hot spot.

#include <QCursor>
#include <QImage>
#include <QPoint>

namespace plakatron {

inline constexpr int linkCursorSize = 32;
inline constexpr QPoint linkCursorHotSpot{5, 0};

// The drawing: opaque black, opaque white, the rest transparent.
QImage linkCursorImage();
QCursor linkCursor();

}  // namespace plakatron
