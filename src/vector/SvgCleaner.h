// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An SVG picture's text as Qt SVG is given it: checked against the limits before Qt builds
// anything of it, and with nothing that reaches outside the file. Qt SVG would load a picture
// that an <image> names from the disk (a FIFO there hangs it, a device never ends), and may read
// a stylesheet that a processing instruction names; a DTD may declare external entities. So only
// the elements, their attributes and their text are kept, and of links only those inside the
// file (#name) and data: addresses; processing instructions, the DTD, comments and entities that
// point elsewhere are left out. Internal entities are expanded by Qt's XML reader, within its own
// limit.

#include <QByteArray>
#include <QByteArrayView>

namespace plakatron {

// Throws RuntimeError: 481 for text that is not a whole SVG picture, 7 for one beyond
// PictureLimits (elements written and drawn, nesting, path numbers), or one whose <use> elements
// refer to themselves.
QByteArray cleanedSvg(QByteArrayView text);

// An SVGZ file's text (gzip), unpacked up to PictureLimits::maxSvgBytes (7 beyond, 481 when it is
// damaged or cut short).
QByteArray unpackedSvgz(QByteArrayView compressed);

}  // namespace plakatron
