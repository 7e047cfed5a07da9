// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one platform question the tool asks: is standard error a terminal (so a progress bar that
// redraws itself makes sense)?

namespace plakatron::cli {

bool stderrIsTerminal();

}  // namespace plakatron::cli
