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
};

struct Poster {
    Picture picture;  // the source: a raster at its natural size, or a vector picture
    PosterSettings settings;
    PageGrid grid;
    LayoutLabels labels;

    int pageCount() const { return grid.pageCount(); }
};

// A page's height in pixels for its width: the A4 proportion.
double pagePixelHeight(double pagePixelWidth);

// The page size and the overlap of `choices` into `settings`. The sheets across are the layout
// pass's to set: it clamps them to the picture.
void applyChoices(PosterSettings &settings, const PosterChoices &choices);

// Applies `choices` and lays the poster out over its picture: one layout pass (RunLayoutPass),
// which throws RuntimeError where it fails, leaving what it wrote.
void layOutPoster(Poster &poster, const PosterChoices &choices, LayoutSurface &surface);
// `picture` as a poster laid out for `choices`, where no window shows it.
Poster makePoster(Picture picture, const PosterChoices &choices);

}  // namespace plakatron
