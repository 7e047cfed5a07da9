// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG pictures, given to their decoder with only the chunks that make their pixels (see
// isPngPixelChunk): Qt's reader where its allocation limit lets it, the loader's own libpng
// reading for 16-bit pictures beyond that (Qt reads them at 8 bytes a pixel; these come down to 8
// bits a sample as they decode, at 4 bytes a pixel).

#include <QImage>

class QIODevice;

namespace plakatron {

struct PngHeader;

// The PNG picture in `source` from its current position, read no further than `end` (a position
// in source), in RGB32 on white; its header, checked against the limits by the caller, says what
// it is. Errors as loadPicture's (481 damaged, 7 out of memory).
QImage decodePng(QIODevice &source, qint64 end, const PngHeader &header);

}  // namespace plakatron
