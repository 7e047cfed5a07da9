#include "app/PosterDocument.h"

#include "app/BuiltInPicture.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

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

void PosterDocument::loadPicture(const QString &path)
{
    poster_.picture = plakatron::loadPicture(path);
    poster_.grid.SelectedPage = -1;
}

void PosterDocument::clearPreview()
{
    previewPage_ = 0;
    renderer_.clearPageCanvas();
}

}  // namespace plakatron
