// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loader's checks and failures, shared by its decoders: every refusal a RuntimeError that
// names what is wrong.

#include <QString>

namespace plakatron {

// 481 with the description.
[[noreturn]] void invalidPicture(const QString &description);

// 7 "There is not enough memory to load the picture."
[[noreturn]] void outOfMemory();

// 7 with tooLargeDescription when width x height (or either side alone) is beyond the limit.
void checkPixelCount(qint64 width, qint64 height);

// Whether a decoder of another library (Qt's readers, libheif's conversion to RGB) may take a
// picture of width x height at bytesPerPixel: within Qt's allocation limit, less in tests.
bool withinDecoderBudget(qint64 width, qint64 height, int bytesPerPixel);

// How long a picture's drawing or decoding may take: 20 seconds, shorter in tests.
qint64 decodingDeadlineMs();
// "<what> takes too long to <verb> (more than 20 seconds)."
QString tooSlowDescription(const QString &what, const QString &verb);
// 18 for work that was stopped: "User interrupt occurred" when the program asked (signal 0),
// "<what> was stopped from outside (by SIGKILL)." for another's signal.
[[noreturn]] void stoppedFromOutside(int signal, const QString &what);

}  // namespace plakatron
