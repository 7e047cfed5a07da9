// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows metafiles (.wmf), drawn by libwmf's gd device at their natural size on white.
//
// Natural size:
//  - A placeable metafile (one with the 22-byte header that names a frame and its units per
//    inch) is its frame at 96 dots per inch: (right - left) * 96 / unitsPerInch pixels wide,
//    rounded to the nearest pixel. Its drawing is placed inside that frame as the metafile's own
//    coordinates put it.
//  - A metafile without that header names no physical size. libwmf's estimate decides: the
//    extent its records draw over, counted as points (72 to the inch) when that extent is under
//    1024 x 1024 units and as twips (1440 to the inch) otherwise, brought to 96 dots per inch.
//    The drawing fills the picture.
//
// Before libwmf sees a file its headers and its chain of records are checked here; a file that
// fails the check never reaches the library.

#include "input/Platform.h"

#include <QByteArrayView>
#include <QImage>
#include <QRect>
#include <QSize>

namespace plakatron {

struct MetafileLayout {
    bool placeable = false;
    // Placeable only: the frame in metafile units (left, top, right, bottom) and its units per inch.
    int left = 0, top = 0, right = 0, bottom = 0;
    int unitsPerInch = 0;
    QSize naturalSize;           // placeable only; the other kind gets its size from libwmf
    qsizetype headerOffset = 0;  // where the standard header starts (0 or 22)
    qsizetype recordsOffset = 0; // first record
    qsizetype recordsEnd = 0;    // just past the end record (or the last whole record)
    quint32 largestRecordWords = 0;
    quint32 recordCount = 0;
    bool hasEndRecord = false;
};

// Checks the headers and walks the records without playing them. Throws RuntimeError 481 with a
// description for anything that is not a sound metafile, and 7 when the natural size is beyond
// PictureLimits.
MetafileLayout inspectMetafile(QByteArrayView data);

// The natural size of a placeable metafile's frame at 96 dpi; throws as inspectMetafile does.
QSize placeableNaturalSize(int left, int top, int right, int bottom, int unitsPerInch);

// Draws the metafile; RGB32, white background. Throws RuntimeError 481 / 7 with a description.
// The drawing is given up after 20 seconds (7, metafileTooSlowDescription()), checked between
// records and inside long ones; where the platform allows, it runs in a child process that is
// ended should it still run on, and whose crash is reported (481,
// metafileReaderFailedDescription()) instead of shared.
// The child is stopped when `watch` asks (18).
QImage renderMetafile(QByteArrayView data, const IsolationWatch &watch = {});

QString metafileTooSlowDescription();
QString metafileReaderFailedDescription();

}  // namespace plakatron
