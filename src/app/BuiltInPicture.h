// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture the window starts on and the command-line tool uses without --picture: a JPEG of
// 880 x 560 pixels compiled into the programs.

#include <QImage>

namespace plakatron {

// The built-in picture as the loader gives every picture: Format_RGB32 at its natural size.
QImage builtInPicture();

}  // namespace plakatron
