// SPDX-License-Identifier: GPL-3.0-or-later
// The stop-signal seam on POSIX systems. Another platform provides StopSignals.h in a file of its own.
#include "core/StopSignals.h"

#include <atomic>
#include <csignal>

namespace plakatron {

namespace {

constexpr int StopSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<Cancellation *> listening{nullptr};
std::atomic<int> caught{0};
struct sigaction replaced[std::size(StopSignals)];
bool installed[std::size(StopSignals)];

extern "C" void onStopSignal(int signal)
{
    caught.store(signal);
    if (Cancellation *cancellation = listening.load())
        cancellation->request(signal);
}

}  // namespace

QString stopSignalName(int signal)
{
    switch (signal) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGHUP: return QStringLiteral("SIGHUP");
    case SIGKILL: return QStringLiteral("SIGKILL");
    case SIGQUIT: return QStringLiteral("SIGQUIT");
    default: return QStringLiteral("signal %1").arg(signal);
    }
}

CancelOnStopSignals::CancelOnStopSignals(Cancellation &cancellation)
{
    caught.store(0);
    listening.store(&cancellation);
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // files are being written: their calls go on
    for (size_t i = 0; i < std::size(StopSignals); ++i) {
        installed[i] = false;
        if (::sigaction(StopSignals[i], nullptr, &replaced[i]) != 0 || replaced[i].sa_handler == SIG_IGN)
            continue;
        installed[i] = ::sigaction(StopSignals[i], &action, nullptr) == 0;
    }
}

CancelOnStopSignals::~CancelOnStopSignals()
{
    for (size_t i = 0; i < std::size(StopSignals); ++i)
        if (installed[i])
            ::sigaction(StopSignals[i], &replaced[i], nullptr);
    listening.store(nullptr);
    if (const int signal = caught.exchange(0))
        std::raise(signal);
}

}  // namespace plakatron
