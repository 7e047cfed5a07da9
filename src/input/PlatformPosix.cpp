// SPDX-License-Identifier: GPL-3.0-or-later
// The loader's platform seam on POSIX systems: fork, a pipe and SIGKILL at the deadline for
// isolated work; fork and exec, a socket and SIGKILL for helper programs.
#include "input/Platform.h"

#include "core/DescriptorIoPosix.h"

#include <QElapsedTimer>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define PLAKATRON_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PLAKATRON_SANITIZED 1
#endif
#ifdef PLAKATRON_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace plakatron {

namespace {

// How often a waiting caller's stop and meanwhile are looked at.
constexpr int watchIntervalMs = 50;

int waitFor(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Signals a crash sends; any other signal that ends the child came from someone else.
bool isCrash(int signal)
{
    switch (signal) {
    case SIGSEGV: case SIGBUS: case SIGILL: case SIGFPE: case SIGABRT: case SIGSYS: case SIGTRAP:
        return true;
    default:
        return false;
    }
}

// The child ends with the program: killed when its parent goes, however that goes.
void endWithParent(pid_t parent)
{
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#else
    std::thread([parent] {
        while (::getppid() == parent)
            ::usleep(100'000);
        ::_exit(1);
    }).detach();
#endif
    if (::getppid() != parent)  // it went before the request was made
        ::_exit(1);
}

// Standard error made to go nowhere; the real one, kept aside for a sanitizer's report, is given
// back (-1 when it could not be kept).
int silenceStandardError()
{
    std::fflush(stderr);
    const int saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
#ifdef PLAKATRON_SANITIZED
    if (saved >= 0)
        __sanitizer_set_report_fd(reinterpret_cast<void *>(static_cast<intptr_t>(saved)));
#endif
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere >= 0) {
        ::dup2(nowhere, STDERR_FILENO);
        ::close(nowhere);
    }
    return saved;
}

// Waits until fd is ready for `events` or the deadline passes, looking at the watch meanwhile.
enum class Wait { Ready, TimedOut, Asked };
Wait waitReady(int fd, short events, const QDeadlineTimer &deadline, const IsolationWatch &watch,
               QElapsedTimer &sinceWatch)
{
    const bool watched = watch.stop || watch.meanwhile;
    for (;;) {
        if (watched && sinceWatch.elapsed() >= watchIntervalMs) {
            if (watch.meanwhile)
                watch.meanwhile();
            sinceWatch.restart();
        }
        if (watch.stop && watch.stop->requested())
            return Wait::Asked;
        pollfd wanted{fd, events, 0};
        const qint64 left = deadline.remainingTime();
        qint64 wait = left < 0 ? 60'000 : std::min<qint64>(left, 60'000);
        if (watched)
            wait = std::min<qint64>(wait, watchIntervalMs);
        const int ready = ::poll(&wanted, 1, int(wait));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0 && deadline.hasExpired())
            return Wait::TimedOut;
        if (ready != 0)
            return Wait::Ready;  // ready, or an error the next read or write reports
    }
}

// A descriptor moved to 10 or above, so the ones the helper expects can be set without
// overwriting it; async-signal-safe.
int highDescriptor(int fd) { return ::fcntl(fd, F_DUPFD, 10); }

}  // namespace

bool isolationStopsFromOutside() { return true; }

HelperProcess::~HelperProcess() { stop(); }

bool HelperProcess::start(const QString &program, const QStringList &arguments, int document)
{
    stop();
    // Everything the child needs is made before the fork: between fork and exec only
    // async-signal-safe calls.
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> argumentBytes{path};
    for (const QString &argument : arguments)
        argumentBytes.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : argumentBytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Requests go through a socket, not a pipe: a write to a helper that has gone fails instead of
    // raising SIGPIPE here. Answers come through a pipe as large as the system allows: a page's
    // pixels are megabytes.
    int requests[2], answers[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, requests) != 0)
        return false;
    if (::pipe2(answers, O_CLOEXEC) != 0) {
        ::close(requests[0]);
        ::close(requests[1]);
        return false;
    }
#ifdef F_SETPIPE_SZ
    ::fcntl(answers[0], F_SETPIPE_SZ, 1024 * 1024);
#endif
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        const int in = highDescriptor(requests[1]);
        const int out = highDescriptor(answers[1]);
        const int file = document >= 0 ? highDescriptor(document) : -1;
        const int quiet = nowhere >= 0 ? highDescriptor(nowhere) : -1;
        if (in < 0 || out < 0 || ::dup2(in, STDIN_FILENO) < 0 || ::dup2(out, STDOUT_FILENO) < 0
            || (file >= 0 && ::dup2(file, 3) < 0))
            ::_exit(127);
#ifndef PLAKATRON_SANITIZED
        // A sanitizer's report still reaches the real standard error.
        if (quiet >= 0)
            ::dup2(quiet, STDERR_FILENO);
#else
        (void)quiet;
#endif
#ifdef __linux__
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(1);
#else
        (void)parent;
#endif
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(requests[1]);
    ::close(answers[1]);
    if (nowhere >= 0)
        ::close(nowhere);
    if (child < 0) {
        ::close(requests[0]);
        ::close(answers[0]);
        return false;
    }
    process_ = child;
    input_ = requests[0];
    output_ = answers[0];
    return true;
}

void HelperProcess::stop()
{
    if (process_ <= 0)
        return;
    ::close(input_);
    ::close(output_);
    ::kill(pid_t(process_), SIGKILL);
    waitFor(pid_t(process_));
    process_ = 0;
    input_ = output_ = -1;
}

IsolatedRun HelperProcess::exchange(QByteArrayView request, const ByteSink &receive,
                                    const std::function<bool()> &complete, const QDeadlineTimer &deadline,
                                    const IsolationWatch &watch)
{
    IsolatedRun run;
    if (process_ <= 0)
        return run;
    enum class End { Done, TimedOut, Asked, Gone, Refused } end = End::Gone;
    QElapsedTimer sinceWatch;
    sinceWatch.start();
    const auto endedBy = [&](Wait wait) { return wait == Wait::TimedOut ? End::TimedOut : End::Asked; };
    for (qsizetype sent = 0; sent < request.size();) {
        const Wait wait = waitReady(input_, POLLOUT, deadline, watch, sinceWatch);
        if (wait != Wait::Ready) {
            end = endedBy(wait);
            break;
        }
        const ssize_t n = ::send(input_, request.data() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            break;
        sent += n;
        if (sent == request.size())
            end = End::Done;
    }
    if (end == End::Done && !complete()) {
        QByteArray buffer(1024 * 1024, Qt::Uninitialized);
        end = End::Gone;
        for (;;) {
            const Wait wait = waitReady(output_, POLLIN, deadline, watch, sinceWatch);
            if (wait != Wait::Ready) {
                end = endedBy(wait);
                break;
            }
            const ssize_t n = ::read(output_, buffer.data(), size_t(buffer.size()));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            if (!receive(QByteArrayView(buffer.constData(), n))) {
                end = End::Refused;
                break;
            }
            if (complete()) {
                end = End::Done;
                break;
            }
        }
    }
    if (end == End::Done) {
        run.outcome = IsolatedRun::Outcome::Finished;
        return run;
    }
    // Whatever went wrong, the helper goes. One that closed its end is given a moment to finish
    // ending by itself, so the signal that ended it is its own (or another's), not ours.
    ::close(input_);
    ::close(output_);
    const pid_t helper = pid_t(process_);
    int status = 0;
    bool reaped = false;
    for (int tries = 0; end == End::Gone && tries < 50 && !reaped; ++tries) {
        reaped = ::waitpid(helper, &status, WNOHANG) == helper;
        if (!reaped)
            ::usleep(4000);
    }
    if (!reaped) {
        ::kill(helper, SIGKILL);
        status = waitFor(helper);
    }
    process_ = 0;
    input_ = output_ = -1;
    switch (end) {
    case End::TimedOut: run.outcome = IsolatedRun::Outcome::TimedOut; break;
    case End::Asked: run.outcome = IsolatedRun::Outcome::Stopped; break;
    case End::Done:
    case End::Refused: break;
    case End::Gone:
        if (reaped && WIFSIGNALED(status) && !isCrash(WTERMSIG(status))) {
            run.outcome = IsolatedRun::Outcome::Stopped;
            run.signal = WTERMSIG(status);
        }
        break;
    }
    return run;
}

StandardErrorSilenced::StandardErrorSilenced() : saved_(silenceStandardError()) {}

StandardErrorSilenced::~StandardErrorSilenced()
{
    std::fflush(stderr);
    if (saved_ < 0)
        return;
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
#ifdef PLAKATRON_SANITIZED
    __sanitizer_set_report_fd(reinterpret_cast<void *>(static_cast<intptr_t>(STDERR_FILENO)));
#endif
}

IsolatedRun runIsolated(const std::function<void(const ByteSink &send)> &work, const ByteSink &receive,
                        const QDeadlineTimer &deadline, const IsolationWatch &watch)
{
    IsolatedRun run;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return run;
#ifdef F_SETPIPE_SZ
    ::fcntl(fds[0], F_SETPIPE_SZ, 1024 * 1024);  // fewer trips for a picture's megabytes
#endif
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return run;
    }
    if (child == 0) {
        // Only the work, then out without the parent's exit handlers and buffers.
        ::close(fds[0]);
        endWithParent(parent);
        // Decoders write warnings and errors of their own to standard error; the loader's
        // message says what matters.
        silenceStandardError();
        bool written = true;
        work([&](QByteArrayView bytes) { return written = written && platform::writeAll(fds[1], bytes.data(), bytes.size()); });
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    enum class End { Done, TimedOut, Asked, Refused } end = End::Done;
    const bool watched = watch.stop || watch.meanwhile;
    QElapsedTimer sinceWatch;
    sinceWatch.start();
    QByteArray buffer(1024 * 1024, Qt::Uninitialized);
    for (;;) {
        if (watched && sinceWatch.elapsed() >= watchIntervalMs) {
            if (watch.meanwhile)
                watch.meanwhile();
            sinceWatch.restart();
        }
        if (watch.stop && watch.stop->requested()) {
            end = End::Asked;
            break;
        }
        pollfd wanted{fds[0], POLLIN, 0};
        const qint64 left = deadline.remainingTime();
        qint64 wait = left < 0 ? 60'000 : std::min<qint64>(left, 60'000);
        if (watched)
            wait = std::min<qint64>(wait, watchIntervalMs);
        const int ready = ::poll(&wanted, 1, int(wait));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0 && deadline.hasExpired()) {
            end = End::TimedOut;
            break;
        }
        if (ready <= 0)
            continue;
        const ssize_t n = ::read(fds[0], buffer.data(), size_t(buffer.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (!receive(QByteArrayView(buffer.constData(), n))) {
            end = End::Refused;
            break;
        }
    }
    ::close(fds[0]);
    if (end != End::Done)
        ::kill(child, SIGKILL);
    const int status = waitFor(child);
    switch (end) {
    case End::TimedOut: run.outcome = IsolatedRun::Outcome::TimedOut; break;
    case End::Asked: run.outcome = IsolatedRun::Outcome::Stopped; break;
    case End::Refused: break;
    case End::Done:
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            run.outcome = IsolatedRun::Outcome::Finished;
        } else if (WIFSIGNALED(status) && !isCrash(WTERMSIG(status))) {
            run.outcome = IsolatedRun::Outcome::Stopped;
            run.signal = WTERMSIG(status);
        }
        break;
    }
    return run;
}

IsolatedRun runIsolated(const std::function<QByteArray()> &work, const QDeadlineTimer &deadline,
                        const IsolationWatch &watch)
{
    QByteArray received;
    IsolatedRun run = runIsolated([&](const ByteSink &send) { send(work()); },
                                  [&](QByteArrayView bytes) {
                                      received.append(bytes);
                                      return true;
                                  },
                                  deadline, watch);
    if (run.outcome == IsolatedRun::Outcome::Finished)
        run.result = std::move(received);
    return run;
}

}  // namespace plakatron
