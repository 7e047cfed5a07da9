#pragma once
// The picture loader's few needs that Qt has no abstraction for, behind one small seam: a POSIX
// implementation and a portable stand-in.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <functional>

namespace plakatron {

// Opens file (its name set) for reading, but only when it names a regular file or a link to one.
// A pipe, device or socket is refused without waiting for it (opening a pipe for reading waits
// for a writer) and without reading from it; the check is made on what was opened, so nothing
// can be swapped in between. Other failures leave file's error set, as QFile::open does.
enum class RegularFileOpen { Opened, NotRegular, Failed };
RegularFileOpen openRegularFile(QFile &file);

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
