// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain JPEG (one scan of YCbCr, upright) decoded on a thread of its own, row after row, into a
// picture of its full size made beforehand: a print job starts on the first pages while the rest is
// still being decoded. The pixels and the resolution are those Qt's JPEG reader gives (the same
// libjpeg with the same settings, its colours written straight in the picture's byte order).

#include "core/RuntimeError.h"
#include "imaging/Picture.h"

#include <QByteArray>
#include <QSize>

namespace plakatron {

// `file` holds the whole JPEG, found complete; `size` is its size by its header. `damaged` is what
// waiting for the rows raises when libjpeg gives up on the file (as Qt's reader would). A null
// picture when the JPEG is not of the plain kind taken this way (progressive, grey, CMYK, turned
// by its Exif tag, a header libjpeg refuses): it is then loaded whole.
Picture arrivingJpeg(const QByteArray &file, QSize size, const RuntimeError &damaged);

}  // namespace plakatron
