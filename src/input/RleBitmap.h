// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run-length compressed BMP files (8 bits a pixel with RLE8, 4 bits with RLE4), decoded here
// rather than by Qt's reader, which leaves the pixels the runs skip as they were in memory. Every
// pixel starts white, the background the loader lays under transparent parts of other formats:
// pixels passed over by a delta jump, after a row's early end or after the bitmap's early end
// stay white.

#include <QByteArrayView>
#include <QImage>

namespace plakatron {

struct RleBitmap {
    QImage image;           // RGB32; null when the headers or the colour table cannot be read
    bool complete = false;  // the codes reach the end-of-bitmap code or the last row's end
};

// file: the whole BMP file, whose info header names RLE8 or RLE4 compression.
RleBitmap decodeRleBitmap(QByteArrayView file);

// True for a BMP file's first bytes (the headers) that name RLE8 or RLE4 compression.
bool isRleBitmap(QByteArrayView head);

}  // namespace plakatron
