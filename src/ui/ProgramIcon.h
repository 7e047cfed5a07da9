// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icon, a poster of tiled sheets, at every size the build drew from its SVG.

#include <QIcon>

namespace plakatron {

QIcon programIcon();

}  // namespace plakatron
