#include "app/PosterDocument.h"

#include "app/BuiltInPicture.h"
#include "core/RuntimeError.h"

namespace plakatron {

PosterDocument::PosterDocument() { poster_.picture = builtInPicture(); }

void PosterDocument::layOut(double sheetsAcross, std::int16_t overlap, LayoutSurface &surface)
{
    try {
        layOutPoster(poster_, {sheetsAcross, pagePixelWidth_, overlap}, surface);
    } catch (const RuntimeError &) {
        // Abandoned silently; what the pass wrote before the failure stays.
    }
}

void PosterDocument::setPicture(Picture picture, const QString &path)
{
    poster_.picture = std::move(picture);
    picturePath_ = path;
    poster_.grid.SelectedPage = -1;
}

void PosterDocument::clearPreview()
{
    previewPage_ = 0;
    renderer_.clearPageCanvas();
}

}  // namespace plakatron
