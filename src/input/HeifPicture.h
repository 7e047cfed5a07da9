// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HEIC (and every other HEIF picture) and AVIF, through libheif.

#include "input/PictureFormat.h"
#include "input/Platform.h"

#include <QImage>

class QFile;

namespace plakatron {

// The primary picture of the HEIF or AVIF file (open for reading), in RGB32, transparent parts on
// white, at its size after the rotations, mirrors and crops the file asks for, which libheif
// applies; an Exif orientation tag beside them is not applied again. Pictures of more than 8 bits
// a sample come down to 8. Read only as far as its boxes go, and refused before any pixel is
// decoded when they do not fit the file or any picture its decoding makes (a grid, an overlay, a
// tile, an alpha picture) is beyond the size limit by its boxes. libheif decodes in isolation
// (runIsolated), within the loader's deadline and under `watch`. Errors as loadPicture's.
QImage loadHeifPicture(QFile &file, PictureFormat format, const IsolationWatch &watch = {});

}  // namespace plakatron
