// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A request to stop a long job at its next safe point (the print job: between two pages), where
// it can undo what it has begun. Anyone may ask: a stop signal through CancelOnStopSignals, a
// Cancel button, another thread. Asking is one atomic store, which a signal handler may do.

#include "core/RuntimeError.h"

#include <atomic>

namespace plakatron {

class Cancellation {
public:
    // Asks the job to stop; `signal` is the stop signal that asked, 0 for anyone else.
    void request(int signal = 0) noexcept { state_.store(signal); }
    bool requested() const noexcept { return state_.load() != NotRequested; }
    // The stop signal that asked, 0 when none did.
    int signal() const noexcept { return state_.load() > 0 ? state_.load() : 0; }
    void clear() noexcept { state_.store(NotRequested); }
    // User interrupt (18) when a stop was asked for.
    void check() const
    {
        if (requested())
            raise(err::UserInterrupt);
    }

private:
    static constexpr int NotRequested = -1;
    static_assert(std::atomic<int>::is_always_lock_free, "asked from signal handlers");
    std::atomic<int> state_{NotRequested};
};

}  // namespace plakatron
