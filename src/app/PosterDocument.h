// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The poster the main window holds: its picture, the resolution chosen for it, its layout, and
// the page the preview shows with the renderer that made it. The window's widgets show it; the
// rules it follows live in the layout, input and printing libraries.

#include "layout/Poster.h"
#include "printing/PageRenderer.h"

#include <QImage>
#include <QString>
#include <cstdint>

namespace plakatron {

class PosterDocument {
public:
    // On the built-in picture, not laid out yet.
    PosterDocument();

    const Poster &poster() const { return poster_; }
    // The grid's selection is the window's to move.
    PageGrid &grid() { return poster_.grid; }

    // The choices the next layout pass takes: the resolution, sheet and size asked for as set
    // here, the sheets across and overlap as the pass is given them.
    const PosterChoices &choices() const { return choices_; }
    // The resolution list's choice, pixels across one sheet; 0 until the list has one (a layout
    // pass then fails, silently).
    void setPagePixelWidth(double width)
    {
        choices_.pagePixelWidth = width;
        choices_.autoResolution = false;
    }
    // "Auto": the page size follows the picture's pixels a sheet.
    void setAutoResolution() { choices_.autoResolution = true; }
    // The sheet the pages are printed on: paper, printable area, calibration.
    void setSheet(const PrintSheet &sheet) { choices_.sheet = sheet; }
    // A width or height asked for; none: the sheets across from the list.
    void setSize(const PosterSize &size) { choices_.size = size; }
    // The choices with these sheets across and overlap, as a pass would take them.
    PosterChoices choicesWith(double sheetsAcross, std::int16_t overlap) const;

    // One layout pass for `sheetsAcross` (the sheets list's index + 1) with the chosen resolution,
    // sheet and size and `overlap`. A pass that fails is abandoned silently, leaving what it wrote.
    void layOut(double sheetsAcross, std::int16_t overlap, LayoutSurface &surface);

    // The same pages printed on `sheet`: the printed size and its labels follow, the grid and the
    // selection stay. False, and nothing changed, where the sheet decides the pages (a size asked
    // for): the poster is then to be laid out again.
    bool reprintOn(const PrintSheet &sheet);

    // Makes `picture` (loaded by the caller from `path`) the poster's picture, with no page
    // selected; the poster is not laid out again.
    void setPicture(Picture picture, const QString &path = QString());
    // The file the picture came from; empty for the built-in picture.
    const QString &picturePath() const { return picturePath_; }

    // The page the preview shows or is being rendered for; 0 while it is empty.
    std::int16_t previewPage() const { return previewPage_; }
    void setPreviewPage(std::int16_t page) { previewPage_ = page; }
    // Renders a page onto the page canvas (PageRenderer::RenderPage).
    PageResult renderPage(std::int16_t page) { return renderer_.RenderPage(page); }
    // The last page rendered, as the print job prints it.
    const QImage &pageCanvas() const { return renderer_.pageCanvas(); }
    // No page in the preview: the page canvas is emptied.
    void clearPreview();
    // Releases the page buffers (when the window closes).
    void releaseBuffers() { renderer_.releaseBuffers(); }

private:
    Poster poster_;
    QString picturePath_;
    PosterChoices choices_{0, 0, 0, pdfSheet({}), {}, false};
    std::int16_t previewPage_ = 0;
    PageRenderer renderer_{poster_};
};

}  // namespace plakatron
