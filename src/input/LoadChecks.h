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

}  // namespace plakatron
