// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Platform seam: the signals that ask a program to stop (SIGINT from Ctrl+C, SIGTERM, and SIGHUP
// where the platform has it) made into a Cancellation, so that a job writing a file can stop at its
// next safe point and remove what it has half written instead of ending on the spot.

#include "core/Cancellation.h"

#include <QString>

namespace plakatron {

// While alive, each stop signal asks `cancellation` to stop instead of ending the program; signals
// the process ignores (as under nohup) stay ignored. When it goes after such a request, the handling
// it replaced comes back and the signal is delivered once more: the program then ends as the signal
// asked, only after the job has cleaned up. Declare it before the job, so the job goes first. One
// at a time.
class CancelOnStopSignals {
public:
    explicit CancelOnStopSignals(Cancellation &cancellation);
    ~CancelOnStopSignals();
    CancelOnStopSignals(const CancelOnStopSignals &) = delete;
    CancelOnStopSignals &operator=(const CancelOnStopSignals &) = delete;
};

// "SIGINT", "SIGTERM", "SIGHUP", "SIGKILL", "SIGQUIT"; "signal N" for any other.
QString stopSignalName(int signal);

}  // namespace plakatron
