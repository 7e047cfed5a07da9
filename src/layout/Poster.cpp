#include "layout/Poster.h"

#include "core/Numeric.h"

namespace plakatron {

double pagePixelHeight(double pagePixelWidth) { return checked(pagePixelWidth * A4Proportion); }

void applyChoices(PosterSettings &settings, const PosterChoices &choices)
{
    const double height = pagePixelHeight(choices.pagePixelWidth);
    settings.PagePixelWidth = choices.pagePixelWidth;
    settings.PagePixelHeight = height;
    settings.Overlap = choices.overlap;
}

void layOutPoster(Poster &poster, const PosterChoices &choices, LayoutSurface &surface)
{
    applyChoices(poster.settings, choices);
    RunLayoutPass(QSizeF(poster.picture.size()), choices.sheetsAcross, poster.settings, poster.grid, poster.labels,
                  surface);
}

Poster makePoster(Picture picture, const PosterChoices &choices)
{
    Poster poster;
    poster.picture = std::move(picture);
    LayoutSurface noWindow;
    layOutPoster(poster, choices, noWindow);
    return poster;
}

}  // namespace plakatron
