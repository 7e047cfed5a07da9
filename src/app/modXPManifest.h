// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up: prepare the window toolkit, show the splash for its short display, then the main window.

#include <QString>
#include <functional>

namespace plakatron::modXPManifest {

// True when the window toolkit is ready for a first window (an application object with a screen).
bool InitControlClasses();

// Shows the start-up splash modally and returns when it has closed.
void showStartupSplash();

// The steps of the start-up, replaceable so a test can drive the failure path.
struct StartupSteps {
    std::function<bool()> initControlClasses = InitControlClasses;
    std::function<void()> showSplash = showStartupSplash;
};

// The start-up sequence. Returns false when the toolkit could not be initialised: then the user has
// seen "Initialization error!" and the program must end at once, with no window created.
// A picture named (the command line's, as "Open with" passes it) is loaded into the shown window
// as a dropped one is: one that fails shows the message over the window, on the built-in picture.
bool Main(const StartupSteps &steps = {}, const QString &picture = QString(), int pdfPage = 1);

}  // namespace plakatron::modXPManifest
