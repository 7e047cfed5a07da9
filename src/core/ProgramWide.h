// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Values that live for the whole run and are shared between windows: the overlap (edited in the
// settings dialog, stored by the main window), the page range of the current print job, and the
// flag that tells the splash window it is shown at start-up.

#include <QString>
#include <cstdint>

namespace plakatron {

struct ProgramWide {
    std::int16_t HorizontalOverlap = 0;  // percent, 0 ... 50
    std::int16_t VerticalOverlap = 0;    // always equal to HorizontalOverlap
    std::int16_t FirstPrintPage = 0;
    std::int16_t LastPrintPage = 0;
    bool SplashAtStartup = false;
};

ProgramWide &programWide();

// The application's title, used for the settings store and as the title of message boxes.
QString appTitle();
// The project's version, "MAJOR.MINOR.REVISION" in plain decimal.
QString versionText();
int versionMajor();
int versionMinor();
int versionRevision();

}  // namespace plakatron
