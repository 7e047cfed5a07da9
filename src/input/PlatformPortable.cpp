// SPDX-License-Identifier: GPL-3.0-or-later
// The loader's platform seam where no POSIX calls are at hand: isolated work runs in this
// process, and only its own checks (the deadline it looks at between and inside records) end it.
#include "input/Platform.h"

namespace plakatron {

bool isolationStopsFromOutside() { return false; }

// No helper programs here: the documents they would read are not opened in this process either.
HelperProcess::~HelperProcess() = default;
bool HelperProcess::start(const QString &, const QStringList &, int) { return false; }
void HelperProcess::stop() {}
IsolatedRun HelperProcess::exchange(QByteArrayView, const ByteSink &, const std::function<bool()> &,
                                    const QDeadlineTimer &, const IsolationWatch &)
{
    return {};
}

StandardErrorSilenced::StandardErrorSilenced() = default;
StandardErrorSilenced::~StandardErrorSilenced() = default;

IsolatedRun runIsolated(const std::function<void(const ByteSink &send)> &work, const ByteSink &receive,
                        const QDeadlineTimer &, const IsolationWatch &)
{
    bool taken = true;
    work([&](QByteArrayView bytes) { return taken = taken && receive(bytes); });
    return IsolatedRun{taken ? IsolatedRun::Outcome::Finished : IsolatedRun::Outcome::Failed, 0, {}};
}

IsolatedRun runIsolated(const std::function<QByteArray()> &work, const QDeadlineTimer &, const IsolationWatch &)
{
    return IsolatedRun{IsolatedRun::Outcome::Finished, 0, work()};
}

}  // namespace plakatron
