// The loader's platform seam on POSIX systems: fork, a pipe and SIGKILL at the deadline for
// isolated work.
#include "input/Platform.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plakatron {

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
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

}  // namespace

bool isolationStopsFromOutside() { return true; }

IsolatedRun runIsolated(const std::function<QByteArray()> &work, const QDeadlineTimer &deadline)
{
    IsolatedRun run;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return run;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return run;
    }
    if (child == 0) {
        // Only the work, then out without the parent's exit handlers and buffers.
        ::close(fds[0]);
        const bool written = writeAll(fds[1], work());
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray received;
    bool timedOut = false;
    char buffer[65536];
    for (;;) {
        pollfd wanted{fds[0], POLLIN, 0};
        const qint64 left = deadline.remainingTime();
        const int ready = ::poll(&wanted, 1, left < 0 ? -1 : int(std::min<qint64>(left, 60'000)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0 && deadline.hasExpired()) {
            timedOut = true;
            break;
        }
        if (ready <= 0)
            continue;
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        received.append(buffer, n);
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    const int status = waitFor(child);
    if (timedOut) {
        run.outcome = IsolatedRun::Outcome::TimedOut;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        run.outcome = IsolatedRun::Outcome::Finished;
        run.result = std::move(received);
    }
    return run;
}

}  // namespace plakatron
