// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The poster's choices as the main window stores them, each read back with its default and valid
// range. The store itself and the names of its keys are in core/SettingsStore.h.

#include "core/SettingsStore.h"
#include "layout/Paper.h"

#include <QByteArray>
#include <QString>

namespace plakatron {

// The poster choices as stored, each validated: a value the program never writes itself (not a
// number, outside its list or range, not a paper or size) falls back to its default. The paper and
// the size asked for are stored only when they are not the defaults (A4 portrait, none), so a
// poster on A4 leaves the file as the program always wrote it.
struct StoredPosterChoices {
    int sheetsIndex;      // 0 ... 39
    int resolutionIndex;  // in the resolution list of `paper`
    int overlap;          // 0 ... 50
    Paper paper = {};
    PosterSize size = {};  // none: the sheets across come from the list
};
StoredPosterChoices readPosterChoices();
void writePosterChoices(const StoredPosterChoices &choices);

// The main window's size and place as the window system saves them (QWidget::saveGeometry), kept
// as Base64 text; empty when none is stored or it is no Base64 text. Writing empty removes the key.
QByteArray readWindowPlace();
void writeWindowPlace(const QByteArray &place);

}  // namespace plakatron
