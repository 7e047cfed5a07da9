// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture with what makes photographs hard to compress: broad shading, a few hard edges and
// sensor-like grain on every pixel. Deterministic, so runs compare.
#include <QImage>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace plakatron::bench {

inline QImage syntheticPhoto(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    QRandomGenerator grainSource(7);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width, v = double(y) / height;
            // Sky, hills and a sun.
            const bool hill = v > 0.55 + 0.08 * std::sin(u * 9.0) + 0.03 * std::sin(u * 37.0);
            const bool sun = std::hypot(u - 0.7, v - 0.3) < 0.08;
            const int r = sun ? 250 : hill ? int(40 + 60 * v) : int(60 + 150 * v);
            const int g = sun ? 230 : hill ? int(90 + 50 * u) : int(90 + 100 * v);
            const int b = sun ? 180 : hill ? int(40 + 30 * u) : int(200 - 80 * v);
            const int grain = int(grainSource.bounded(17)) - 8;
            line[x] = qRgb(std::clamp(r + grain, 0, 255), std::clamp(g + grain, 0, 255), std::clamp(b + grain, 0, 255));
        }
    }
    return photo;
}

}  // namespace plakatron::bench
