// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work the picture loader runs where it can be stopped from outside, behind one small seam: a
// POSIX implementation and a portable stand-in. (Opening only regular files is part of the file
// seam in core/FileSystem.h.)

#include "core/Cancellation.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <functional>

namespace plakatron {

// Work that may run away or crash, done where it can be stopped from outside: on POSIX systems
// in a child process that is killed at the deadline or when the waiting caller asks, that ends
// with the program, and whose standard error goes nowhere (decoders log there), so neither a hang
// nor a crash inside a library reaches the program; elsewhere in this process, where only the
// work's own checks stop it.

struct IsolatedRun {
    enum class Outcome {
        Finished,  // the work returned; result holds its bytes (unless a receiver took them)
        TimedOut,  // stopped at the deadline
        Stopped,   // stopped as the caller asked, or ended by someone else's signal (signal says which)
        Failed,    // ended without a result: a crash, refused bytes, or no process could be started
    };
    Outcome outcome = Outcome::Failed;
    int signal = 0;  // Stopped: the signal that ended the child, 0 when the caller asked
    QByteArray result;
};

// What a caller does while it waits: `stop` ends the work when asked, `meanwhile` runs every few
// tens of milliseconds (a window handles its events there).
struct IsolationWatch {
    const Cancellation *stop = nullptr;
    std::function<void()> meanwhile;
};

// Takes bytes as they come; false when they cannot be used, which ends the work.
using ByteSink = std::function<bool(QByteArrayView bytes)>;

// Runs work (which must not throw), handing each piece it sends to receive as it arrives.
IsolatedRun runIsolated(const std::function<void(const ByteSink &send)> &work, const ByteSink &receive,
                        const QDeadlineTimer &deadline, const IsolationWatch &watch = {});
// Runs work (which must not throw) and hands back its bytes whole, or says why there are none.
IsolatedRun runIsolated(const std::function<QByteArray()> &work, const QDeadlineTimer &deadline,
                        const IsolationWatch &watch = {});

// True where runIsolated uses a child process.
bool isolationStopsFromOutside();

// A helper program that keeps what it has made between requests (a parsed document) and answers
// them one at a time, run where it can be stopped from outside: it reads a document from its
// descriptor 3, requests from its standard input, and answers on its standard output. It ends
// with the program, and its standard error goes nowhere (its libraries log there). Each exchange
// has its own deadline: a helper that overruns it, is stopped, crashes or answers what the
// caller refuses is ended there, and every later exchange fails at once. One exchange at a time:
// callers on several threads take turns (the object does not).
class HelperProcess {
public:
    HelperProcess() = default;
    ~HelperProcess();  // ends the helper
    HelperProcess(const HelperProcess &) = delete;
    HelperProcess &operator=(const HelperProcess &) = delete;

    // Starts `program` with `arguments`, the open file `document` (a descriptor of this process)
    // as its descriptor 3. False when it cannot be started, and always where the platform has no
    // such processes.
    bool start(const QString &program, const QStringList &arguments, int document);
    bool running() const { return process_ > 0; }

    // Sends `request`, then hands each piece of the answer to `receive` until `complete` says it
    // is whole (Finished). TimedOut at the deadline, Stopped when `watch` asks or another's
    // signal ends the helper, Failed when it ends, crashes, or `receive` refuses; after any of
    // those the helper is gone.
    IsolatedRun exchange(QByteArrayView request, const ByteSink &receive, const std::function<bool()> &complete,
                         const QDeadlineTimer &deadline, const IsolationWatch &watch = {});

    // Ends the helper now.
    void stop();

private:
    qint64 process_ = 0;
    int input_ = -1;   // its standard input, ours to write
    int output_ = -1;  // its standard output, ours to read
};

// While alive, what this process writes to standard error goes nowhere: libpng, under Qt's PNG
// reader, writes its errors there itself. A sanitizer's report still gets through. For the
// loader's thread while it decodes; nothing else of the program writes there meanwhile.
class StandardErrorSilenced {
public:
    StandardErrorSilenced();
    ~StandardErrorSilenced();
    StandardErrorSilenced(const StandardErrorSilenced &) = delete;
    StandardErrorSilenced &operator=(const StandardErrorSilenced &) = delete;

private:
    int saved_ = -1;
};

}  // namespace plakatron
