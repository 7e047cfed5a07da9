// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a PDF file was written whole. Qt's PDF writer does not report failed writes, so a full
// disk or a failing device would otherwise pass unseen; every lost write cuts the file short or
// shifts what follows it, which this check finds.

class QIODevice;

namespace plakatron {

// True when `pdf` (random access) ends as a PDF file ends, with "startxref" pointing at its
// cross-reference table, and every object that table lists starts where it says ("12 0 obj").
bool isWholePdf(QIODevice &pdf);

}  // namespace plakatron
