// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inside the metafile reader: the byte-level work on a metafile's records that happens before
// libwmf sees them. Kept apart from the drawing so it can be tested on its own.

#include "input/Metafile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <span>

namespace plakatron::metafile {

inline constexpr qsizetype placeableHeaderSize = 22;
inline constexpr qsizetype standardHeaderSize = 18;
inline constexpr qsizetype recordHeaderSize = 6;  // size in words (4 bytes) and function (2 bytes)
inline constexpr double screenDpi = 96.0;
// Drawing states saved at once (SAVEDC) that libwmf is given; real files nest a few.
inline constexpr int maxSavedStates = 1000;

// Error 7 with the size when width x height is beyond what a metafile may be drawn at.
void checkSize(qint64 width, qint64 height);

// Error 481 with the description.
[[noreturn]] void invalid(const QString &description);

// A bitmap whose header libwmf can read and whose pixels lie inside the record (dib runs from
// the bitmap's header to the record's end).
bool bitmapIsSound(QByteArrayView dib);

// The metafile as libwmf gets it: the file's own records up to its end record, with the header's
// size fields set from what is really there, and drawing states saved no deeper than
// maxSavedStates (deeper SAVEDC records are left out with the RESTOREDC records that undo them).
QByteArray normalisedCopy(QByteArrayView data, const MetafileLayout &layout);

// A metafile that sets up the same mapping as data does before it first draws, and then sets one
// pixel at (x, y): libwmf's scan of it tells where that point lands in device coordinates.
QByteArray mappingProbe(QByteArrayView data, const MetafileLayout &layout, int x, int y);

// The flood fills of the metafile records, as Windows does them, on the drawing's pixels (rows of
// width, top down), from (x, y), in the colour fill: in border mode the 4-connected area around
// the start that is bounded by pixels of colour (FLOODFILL, and EXTFLOODFILL's border mode), in
// surface mode the area of pixels of colour (nothing when the start is of another colour). A start
// to the right of or below the picture is moved onto its last column or row, as libwmf's drawing
// did; one left of or above it fills nothing. Runs of a row are filled at once and the rows next to
// them kept on a list, so neither the stack nor the time grows beyond the picture's size.
enum class FloodMode { Border, Surface };
void floodFill(std::span<quint32> pixels, int width, int height, int x, int y, quint32 fill, quint32 colour,
               FloodMode mode);

}  // namespace plakatron::metafile
