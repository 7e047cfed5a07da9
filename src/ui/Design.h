// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window designs give positions in twips; widgets live in pixels. The designs assume 96 dots per
// inch, where 15 twips make one pixel.

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace plakatron {

inline constexpr int twipsPerPixel = 15;

// Nearest pixel of a twip value (designs are laid out in whole pixels).
constexpr int twipsToPixels(int twips) noexcept
{
    return twips >= 0 ? (twips + twipsPerPixel / 2) / twipsPerPixel : -((-twips + twipsPerPixel / 2) / twipsPerPixel);
}

constexpr int pixelsToTwips(int pixels) noexcept { return pixels * twipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

inline QSize twipsSize(int width, int height) { return {twipsToPixels(width), twipsToPixels(height)}; }

// Top-left corner that centres a window of size `window` over `area` (an owner or a screen).
QPoint centredTopLeft(const QRect &area, const QSize &window);

// A design font. Families the system lacks fall back to "Arial" (and its metric twins), whose
// widths are close to the design faces, so captions still fit their boxes.
QFont designFont(const QString &family, double pointSize, bool bold = false, bool underline = false);

// A tool tip that wraps at a readable width instead of running across the screen in one line:
// the words in lines of at most `lineLength` characters (a longer word gets a line of its own).
QString wrappedToolTip(const QString &text, int lineLength = 60);

}  // namespace plakatron
