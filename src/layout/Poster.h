// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A poster: the picture, what the user chose for it and the layout those choices give, made in
// one place from the choices. The window, the command-line tool, the benchmarks and the tests all
// set a poster up this way; the page renderer, the print job and the assembly map read it.

#include "imaging/Picture.h"
#include "layout/PageLayout.h"

#include <QImage>
#include <cstdint>

namespace plakatron {

// What the user chooses for a poster.
struct PosterChoices {
    double sheetsAcross = DefaultSheetsIndex + 1;  // as asked for; the layout clamps it to the picture
    double pagePixelWidth = 800;                   // pixels across one printed sheet
    std::int16_t overlap = DefaultOverlap;         // percent between neighbouring sheets
    PrintSheet sheet = pdfSheet({});                    // the paper, its printable area on the printer, its calibration
    PosterSize size;                               // a width or height asked for in place of the sheets across
    bool autoResolution = false;                   // "Auto": the page size follows the picture, pagePixelWidth unused
};

struct Poster {
    Picture picture;  // the source: a raster at its natural size, or a vector picture
    PosterSettings settings;
    PageGrid grid;
    LayoutLabels labels;

    int pageCount() const { return grid.pageCount(); }
};

// A page's height in pixels for its width: the paper's proportion (1.414 for A4 portrait).
double pagePixelHeight(double pagePixelWidth, const Paper &paper = {});

// The page size, the overlap, the sheet and the size asked for of `choices` into `settings`. The
// sheets across are the layout pass's to set: it clamps them to the picture.
void applyChoices(PosterSettings &settings, const PosterChoices &choices);

// Applies `choices` and lays the poster out over its picture: one layout pass (RunLayoutPass),
// which throws RuntimeError where it fails, leaving what it wrote.
void layOutPoster(Poster &poster, const PosterChoices &choices, LayoutSurface &surface);
// `picture` as a poster laid out for `choices`, where no window shows it.
Poster makePoster(Picture picture, const PosterChoices &choices);
// The same pages printed on `sheet`: the printed size and the size labels follow (RuntimeError
// where that arithmetic fails, and then nothing changed). Only where no size is asked for: one
// decides the sheets across by the sheet.
void remeasurePoster(Poster &poster, const PrintSheet &sheet);
// The resolution line (LayoutLabels::lbResolution) of a laid-out poster.
QString resolutionLineOf(const Poster &poster);

// Why `choices` make no poster of a picture of `pictureSize`, in a sentence for the user; empty
// when they do. A calibration must be within 0.8 ... 1.25; a size asked for must be above 0 and
// need at most 40 sheets across, 10 source pixels a sheet and 32767 pages.
QString choicesProblem(QSizeF pictureSize, const PosterChoices &choices);

// Texts of the choices' problems, also for input that never became a choice.
QString notAPosterSizeMessage(const QString &text);
QString notACalibrationMessage(double ratio);

}  // namespace plakatron
