// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print loop's pages for a PDF file, rendered and encoded on every core: each worker thread
// renders a page with a renderer of its own and encodes it exactly as Qt's PDF engine stores a
// page picture (encodePagePicture), so the main thread only places the finished bytes in the
// document. Pages are taken in order; the workers run at most a few pages ahead, so memory
// follows the number of threads, not the number of pages.

#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"

#include <QByteArray>
#include <QSize>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace plakatron {

// A page picture as Qt's PDF engine stores it: a JPEG at quality 94 of the 32-bit page.
struct EncodedPage {
    QByteArray jpeg;  // empty when the page was not made
    QSize size;       // the page's pixels
    PageResult result;
};

// The JPEG quality Qt's PDF engine stores a 32-bit picture at.
inline constexpr int PagePictureQuality = 94;

// Encodes `page` (RGB32) as Qt's PDF engine encodes a page picture, into `jpeg`; false when the
// encoder fails.
bool encodePagePicture(const QImage &page, QByteArray &jpeg);
// Encodes the page `renderer` rendered last, the same bytes as encodePagePicture gives for the
// canvas with the page on it, also when the renderer left it off (setPictureOffCanvas).
bool encodeRenderedPage(const PageRenderer &renderer, QByteArray &jpeg);

// How many threads a print job renders its pages on: PLAKATRON_PRINT_THREADS when it is set to a
// number from 1 up, otherwise one a core. A vector picture's pages draw ahead along their row in
// one pass (PageRenderer::setPagesInOrderUpTo) on one thread, and Qt's engine encodes them
// (PagesAhead). On one core the pages of a raster picture are encoded here too: reading the
// enlarged page as it is saves more than the stand-ins and the copy cost.
int printThreadsFor(const Poster &poster);

class EncodedPages {
public:
    // Renders `pages` of `poster` on `threads` threads, in any order. The poster must stay as it is while the
    // pages are rendered.
    EncodedPages(const Poster &poster, const JobPages &pages, int threads);
    ~EncodedPages();  // waits for the pages still being rendered, after which nothing is left
    EncodedPages(const EncodedPages &) = delete;
    EncodedPages &operator=(const EncodedPages &) = delete;

    // Starts on the first pages at once (while the printer takes a sheet of another kind).
    void startFirst();
    // Page `page` of the job, the pages taken in order.
    EncodedPage take(std::int16_t page);

private:
    void start();
    void work();

    const Poster &poster_;
    std::vector<std::int16_t> order_;  // the job's pages in order
    int threads_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;   // the next page of order_ a worker takes up
    std::size_t taken_ = 0;  // the pages handed out
    std::deque<std::optional<EncodedPage>> done_;  // from order_[taken_] on, as they are finished
    bool stopping_ = false;
};

}  // namespace plakatron
