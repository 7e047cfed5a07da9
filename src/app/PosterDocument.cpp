// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PosterDocument.h"

#include "app/BuiltInPicture.h"
#include "core/RuntimeError.h"

namespace plakatron {

PosterDocument::PosterDocument()
{
    poster_.picture = builtInPicture();
    // The preview shows pages in any order, one click after another.
    renderer_.setKeepPoster(true);
}

PosterChoices PosterDocument::choicesWith(double sheetsAcross, std::int16_t overlap) const
{
    PosterChoices choices = choices_;
    choices.sheetsAcross = sheetsAcross;
    choices.overlap = overlap;
    return choices;
}

void PosterDocument::layOut(double sheetsAcross, std::int16_t overlap, LayoutSurface &surface)
{
    try {
        layOutPoster(poster_, choicesWith(sheetsAcross, overlap), surface);
    } catch (const RuntimeError &) {
        // Abandoned silently; what the pass wrote before the failure stays.
    }
}

bool PosterDocument::reprintOn(const PrintSheet &sheet)
{
    if (choices_.size.isSet())
        return false;
    choices_.sheet = sheet;
    try {
        remeasurePoster(poster_, sheet);
    } catch (const RuntimeError &) {
        // As a pass that fails there: the labels stay as they were.
    }
    return true;
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
