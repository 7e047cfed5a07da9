// The loader's platform seam on POSIX systems: fork, a pipe and SIGKILL at the deadline for
// isolated work.
#include "input/Platform.h"

#include <QElapsedTimer>
#include <cerrno>
#include <cstdio>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
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

bool writeAll(int fd, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

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

}  // namespace

bool isolationStopsFromOutside() { return true; }

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
        work([&](QByteArrayView bytes) { return written = written && writeAll(fds[1], bytes); });
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
