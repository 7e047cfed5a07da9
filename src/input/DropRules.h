// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a drag over the grid view may do, decided from the drag's data alone: exactly one local
// file whose extension, in any letter case, is one of the program's picture extensions
// (pictureExtensions(), the open dialog's list).

#include <QString>

class QMimeData;

namespace plakatron {

inline constexpr int dropEffectNone = 0;
inline constexpr int dropEffectCopy = 1;

// Copy (1) while the drag carries exactly one file with a picture extension, else none (0).
int dragOverEffect(const QMimeData &data);

struct DropDecision {
    enum class Action {
        Ignore,       // no file or more than one: nothing happens, no message
        Unsupported,  // one file, extension not accepted: show unsupportedFormatMessage()
        Load,         // one file: load path (whether it exists is found out by loading it)
    };
    Action action = Action::Ignore;
    QString path;
};

DropDecision checkDrop(const QMimeData &data);

// Why a drag is refused, in a line for the status bar: "Only one picture file can be dropped" for
// more than one file, "Not a picture this program reads: notes.txt" for a file of another kind;
// empty for a drag that is taken or carries no file at all (text, a web address).
QString dropRefusal(const QMimeData &data);

// "File format not supported!"
QString unsupportedFormatMessage();

}  // namespace plakatron
