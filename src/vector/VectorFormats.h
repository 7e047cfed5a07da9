// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inside the vector reader: each format's opening, behind VectorDocument::open.

#include "vector/VectorDocument.h"

namespace plakatron {

std::unique_ptr<VectorDocument> openPdf(QIODevice &file, int page, const QDeadlineTimer &deadline);
std::unique_ptr<VectorDocument> openSvg(QIODevice &file, bool compressed, const QDeadlineTimer &deadline);


}  // namespace plakatron
