// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One poster page at print resolution: the page's cell plus its overlap cut from the source at
// 1:1, brought to the page size (enlarged bilinearly, reduced by averaging), or of a vector
// picture that same part drawn at the page size, with white margins
// carrying the assembly hints for pages wider than 300 pixels. The finished page stays on the
// page canvas, for the preview and the print job.

#include "imaging/PictureCrop.h"
#include "layout/Poster.h"

#include <QImage>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace plakatron {

class cDIBSection;

// What rendering one page gave: whether the page was made, and the warning of each step that
// failed ("description\r\nCode N"), in the order of the steps.
struct PageResult {
    bool made = true;  // false: it could not be had in memory, and the canvas is as it was
    QStringList warnings;
};

class PageRenderer {
public:
    // Pages of `poster`, read at every call; it must outlive the renderer.
    explicit PageRenderer(const Poster &poster);
    ~PageRenderer();
    PageRenderer(const PageRenderer &) = delete;
    PageRenderer &operator=(const PageRenderer &) = delete;

    // Renders page `pageNumber` (1-based, row by row) onto the page canvas. Each step that fails
    // adds its warning to the result and the next step goes on with what is left; the call itself
    // never fails. Time and memory follow the page size, not the size of the page's share of the
    // picture. A page that cannot be had in memory ("Out of memory", 7) ends the call after its
    // warning with the canvas as it was, and so does a vector picture's page that cannot be drawn:
    // then, and only then, the page is not made. A vector picture's page is drawn from the
    // picture at the page's size (Picture::draw), never enlarged.
    PageResult RenderPage(std::int16_t pageNumber);

    // The finished page (picDibBuffer's picture): what the print job prints.
    const QImage &pageCanvas() const { return picDibBuffer_; }
    // Row `y` of the finished page as blue, green and red bytes (pageCanvas().width() of them):
    // what the canvas holds there with the page on it, also where the page was left off it.
    void pageRowBgr(std::int32_t y, std::uint8_t *row) const;
    // An enlarged or reduced page stays in its buffer and is not copied onto the canvas, which
    // then holds the margins and their hints alone (a print job that encodes the pages itself
    // reads them with pageRowBgr). A vector picture's page is always on the canvas. Off, as made.
    void setPictureOffCanvas(bool off) { pictureOffCanvas_ = off; }
    // The crop of the page last rendered, before enlargement (tmpPic's picture), as described:
    // it is never made whole.
    const PictureCrop &crop() const { return crop_; }
    std::int16_t CurrentPageRow = 0;
    std::int16_t CurrentPageColumn = 0;

    // Threads for the enlargement: 0 as many as pay off, 1 the rendering thread alone (a print job
    // renders its pages on threads of its own).
    void setResampleThreads(int threads) { resampleThreads_ = threads; }
    // The pages after the one rendered, up to `lastPage`, will be asked for in order (a print job):
    // a vector picture then draws the rest of the page's row with it (VectorDrawing::draw's
    // ahead). 0, as made: pages come in any order.
    void setPagesInOrderUpTo(std::int16_t lastPage) { inOrderUpTo_ = lastPage; }
    // Pages in any order (a window's preview): a vector picture draws the whole poster at the
    // page's scale once the first page is answered, where its helper can keep it, and the pages
    // that follow are cut out of it. Off, as made: a single page costs only itself.
    void setKeepPoster(bool keep) { keepPoster_ = keep; }

    // Empties the page canvas (a new layout invalidates it).
    void clearPageCanvas() { picDibBuffer_ = QImage(); }
    // Releases both page buffers (the window does so when it closes).
    void releaseBuffers();

private:
    cDIBSection &pageCropBuffer();
    cDIBSection &pageImageBuffer();
    // The canvas at the page's size plus the hint margins: made once and kept from page to page,
    // its margins white.
    void prepareCanvas(QSize page, int margin);
    // A drawn page copied onto the canvas at its top left.
    void placeOnCanvas(const QImage &page, int margin);
    void drawHints(std::int16_t pageNumber);

    const Poster &poster_;
    std::unique_ptr<cDIBSection> PageCropBuffer;  // the columns and rows of the crop the enlargement read
    std::unique_ptr<cDIBSection> PageImageBuffer;
    std::unique_ptr<cDIBSection> spareImageBuffer_;  // the page before, written over by the next
    PictureCrop crop_;
    QImage picDibBuffer_;
    int resampleThreads_ = 0;
    std::int16_t inOrderUpTo_ = 0;
    bool keepPoster_ = false;
    bool pictureOffCanvas_ = false;
    bool pictureOnCanvas_ = true;  // the page last rendered is on the canvas
};

// The hint font: 12 point bold "MS Sans Serif", or the nearest sans-serif face where it is missing.
QFont hintFont();

}  // namespace plakatron
