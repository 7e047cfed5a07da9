#pragma once
// HEIC (and every other HEIF picture) and AVIF, through libheif.

#include "input/PictureFormat.h"

#include <QImage>

class QFile;

namespace plakatron {

// The primary picture of the HEIF or AVIF file (open for reading), in RGB32, transparent parts on
// white, at its size after the rotations, mirrors and crops the file asks for, which libheif
// applies; an Exif orientation tag beside them is not applied again. Pictures of more than 8 bits
// a sample come down to 8. Read only as far as its boxes go, and refused before any pixel is
// decoded when they do not fit the file or its header gives more than the size limit. Errors as
// loadPicture's.
QImage loadHeifPicture(QFile &file, PictureFormat format);

}  // namespace plakatron
