// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files made to hurt a decoder: each is small and well formed as far as its format goes,
// and costs a careless reader a crash, minutes of work or gigabytes. Shared by the tests, the
// fuzz seeds and bench_hostile, which times them.

#include <QByteArray>

namespace plakatron::test {

// A placeable metafile of side x side pixels whose walls (1-pixel lines, every step pixels,
// open at the top and the bottom in turn) make one winding corridor, then a flood fill in red at
// its start: function 0x0419 (FLOODFILL) or 0x0548 (EXTFLOODFILL), up to the black walls (mode 0)
// or over the white (mode 1).
QByteArray floodMaze(int side, int step, quint16 function, int mode = 0);

// A placeable metafile of side x side pixels with one POLYLINE of the given points zigzagging
// from edge to edge, drawn with a pen penWidth units wide.
QByteArray thickPolyline(int side, int points, int penWidth);

// A placeable metafile with one line of text of the given length: TEXTOUT, or EXTTEXTOUT with
// a spacing for every character.
QByteArray longText(int characters, bool withSpacing);

// A metafile of count SAVEDC records and a rectangle.
QByteArray manySaveDc(int count);

// A placeable metafile of side x side pixels with a few characters in a font as tall as the frame.
QByteArray hugeFont(int side);

// A progressive greyscale JPEG of width x height whose data is one DC scan repeated scans times,
// each without any entropy-coded bytes (a decoder reads zeros for them).
QByteArray jpegScanBomb(int width, int height, int scans);

// An 8-bit run-length BMP of width x height whose runs leave pixels out: a delta jump over the
// middle, rows ended early, and the bitmap ended before its last row. The drawn pixels are red.
QByteArray rleBmpWithSkips(int width, int height);

// A PNG whose header says side x side pixels (side x height when height is given; its checksum
// made right): a real one of that size when real, else an 8 x 8 one with its header changed.
QByteArray pngClaiming(int side, bool real = false, int height = 0);

// A real PNG of side x side pixels, all green, whose pixels follow `chunks` text chunks that each
// inflate to `inflated` bytes (zTXt, or compressed iTXt when international): a few kilobytes
// each, gigabytes together for a reader that inflates them.
QByteArray pngWithText(int side, int chunks, qint64 inflated, bool international);

// An icon file whose one entry's directory says dirSide x dirSide and whose image is
// pngClaiming(pngSide, real).
QByteArray iconWithPng(int dirSide, int pngSide, bool real);

}  // namespace plakatron::test
