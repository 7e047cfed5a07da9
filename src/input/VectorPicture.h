// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PDF and SVG pictures: read and drawn by the vector helper (plakatron-vector) in a process of its
// own, which keeps the document open for as long as the picture lives and draws the parts the
// program asks for, each within the deadline. A file that crashes or hangs poppler or Qt SVG
// costs the helper, never the program: the picture then fails to load, or a page fails to draw.

#include "imaging/Picture.h"
#include "input/PictureFormat.h"
#include "input/Platform.h"

class QFile;

namespace plakatron {

// Page `page` (1-based; PDF only) of the PDF, SVG or SVGZ picture in `file` (open for reading),
// with its overview for the screen drawn too when `overview` is set. Opening and the overview
// share the loader's deadline and are watched by `watch`. Errors as loadPicture's, and 9 for a
// page the PDF does not have.
Picture loadVectorPicture(QFile &file, PictureFormat format, int page, bool overview, const IsolationWatch &watch);

// The longest side of a vector picture's overview: enough for the grid view on a dense screen.
inline constexpr int VectorOverviewSide = 1024;

// The helper program: beside the program, else where it is installed. Tests name the one built.
QString vectorHelperProgram();
void setVectorHelperForTesting(const QString &program);

}  // namespace plakatron
