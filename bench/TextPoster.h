// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text-heavy A0 poster of the vector benchmarks: a title, authors, four columns of 24-point
// body text with section headings and two charts, and references in small print (about 20,000
// characters).

#include <QPainter>
#include <QSizeF>

namespace plakatron::bench {

void drawTextPoster(QPainter &painter, QSizeF points);

}  // namespace plakatron::bench
