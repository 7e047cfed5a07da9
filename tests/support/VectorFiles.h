// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real PDF and SVG files for the tests, the benchmarks and the fuzz seeds, made by Qt's own
// writers (QPdfWriter, QSvgGenerator) or, for what those cannot write (a turned page, a crop box,
// no pages, damage), written object by object with a correct cross-reference table.

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>
#include <functional>

class QPainter;

namespace plakatron::test {

// A PDF of `pages` pages of `points` (width x height), each drawn by draw(painter, index) in
// points from the top left, on nothing (transparent: the reader lays it on white).
QByteArray writtenPdf(QSizeF points, int pages, const std::function<void(QPainter &, int)> &draw);
// An SVG picture of `size` pixels (width and height given, and a viewBox of that size).
QByteArray writtenSvg(QSizeF size, const std::function<void(QPainter &)> &draw);

// A one-page PDF written by hand: the page's MediaBox, the page dictionary's other entries
// (" /Rotate 90", " /CropBox [...]") and its content stream. pages: 0 writes a PDF whose page tree
// has no pages.
QByteArray handWrittenPdf(const QString &mediaBox, const QString &pageEntries, const QByteArray &content,
                          int pages = 1);

// A gzip stream of `data` (an SVGZ file of an SVG picture).
QByteArray gzipped(const QByteArray &data);

// The A0 poster the vector tests and benchmarks print (bench/TextPoster.h draws its text).
inline const QSizeF A0Points(2384, 3370);
// Where the line poster's line runs: a little left of the middle of the poster's first quarter, so
// on 4 sheets across it falls inside the first sheet's cell.
inline constexpr double LinePosterLineX = 290.3;

}  // namespace plakatron::test
