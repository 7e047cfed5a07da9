#pragma once
// Work the picture loader runs where it can be stopped from outside, behind one small seam: a
// POSIX implementation and a portable stand-in. (Opening only regular files is part of the file
// seam in core/FileSystem.h.)

#include <QByteArray>
#include <QDeadlineTimer>
#include <functional>

namespace plakatron {

// Work that may run away or crash, done where it can be stopped from outside: on POSIX systems
// in a child process that is killed at the deadline, so neither a hang nor a crash inside a
// library reaches the program; elsewhere in this process, where only the work's own checks stop it.

struct IsolatedRun {
    enum class Outcome {
        Finished,  // result holds what the work returned
        TimedOut,  // stopped at the deadline
        Failed,    // ended without a result: a crash, or no process could be started
    };
    Outcome outcome = Outcome::Failed;
    QByteArray result;
};

// Runs work (which must not throw) and hands back its bytes, or says why there are none.
IsolatedRun runIsolated(const std::function<QByteArray()> &work, const QDeadlineTimer &deadline);

// True where runIsolated uses a child process.
bool isolationStopsFromOutside();

}  // namespace plakatron
