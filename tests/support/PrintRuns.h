// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Print jobs as the tests start them, and what a call that fails throws.

#include "core/RuntimeError.h"
#include "printing/PrintJob.h"

#include <functional>
#include <utility>

namespace plakatron::test {

// The job printing `range` of `poster`; a test sets what else it needs on it.
inline PosterJob posterJob(const Poster &poster, PrintRange range)
{
    PosterJob job;
    job.poster = &poster;
    job.range = range;
    return job;
}

// The number and the description of the run-time error `call` fails with; {0, ""} when it does not.
inline std::pair<int, QString> failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &e) {
        return {e.number(), e.description()};
    }
    return {0, QString()};
}

}  // namespace plakatron::test
