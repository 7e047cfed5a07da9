// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LinkCursor.h"

#include <QBitmap>
#include <array>
#include <string_view>

namespace plakatron {
namespace {

// '#' black, '.' white, anything else transparent. Rows below the hand are empty.
constexpr std::array<std::string_view, 22> handRows{{
    "     ##",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..###",
    "    #..#..#..##",
    "    #..#..#..#.#",
    "### #..#..#..#..#",
    "#..##..#..#..#..#",
    "#...#...........#",
    " #..#...........#",
    "  #.............#",
    "  #.............#",
    "   #............#",
    "   #...........#",
    "    #..........#",
    "    #.........#",
    "     #........#",
    "     #........#",
    "     ##########",
}};

}  // namespace

QImage linkCursorImage()
{
    QImage image(linkCursorSize, linkCursorSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (std::size_t y = 0; y < handRows.size(); ++y) {
        const std::string_view row = handRows[y];
        for (std::size_t x = 0; x < row.size() && x < linkCursorSize; ++x) {
            if (row[x] == '#')
                image.setPixel(int(x), int(y), qRgba(0, 0, 0, 255));
            else if (row[x] == '.')
                image.setPixel(int(x), int(y), qRgba(255, 255, 255, 255));
        }
    }
    return image;
}

QCursor linkCursor()
{
    const QImage image = linkCursorImage();
    // Bitmap bit set = black; mask bit set = drawn (black or white).
    QImage bits(linkCursorSize, linkCursorSize, QImage::Format_MonoLSB);
    QImage mask(linkCursorSize, linkCursorSize, QImage::Format_MonoLSB);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mask.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < linkCursorSize; ++y) {
        for (int x = 0; x < linkCursorSize; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool drawn = qAlpha(pixel) != 0;
            bits.setPixel(x, y, drawn && qRed(pixel) == 0 ? 1 : 0);
            mask.setPixel(x, y, drawn ? 1 : 0);
        }
    }
    return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), linkCursorHotSpot.x(), linkCursorHotSpot.y());
}

}  // namespace plakatron
