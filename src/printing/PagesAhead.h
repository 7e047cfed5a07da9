// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print loop's pages, each rendered one page ahead on another core while the printer stores the
// page before: with a printer as fast as a PDF file, a job takes about as long as its rendering
// alone. Two renderers of its own take turns, so a page's canvas stays untouched until the printer
// is done with it, and the page a window shows stays as it is.

#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"

#include <array>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class QImage;

namespace plakatron {

class PagesAhead {
public:
    struct Page {
        const QImage *canvas = nullptr;  // the finished page, untouched until the page after next
        PageResult result;               // whether it was made, and its warnings
    };

    // Renders `pages` of `poster` in order. The poster must stay as it is while the pages are
    // rendered.
    PagesAhead(const Poster &poster, const JobPages &pages);
    ~PagesAhead();  // waits for a page still being rendered
    PagesAhead(const PagesAhead &) = delete;
    PagesAhead &operator=(const PagesAhead &) = delete;

    // Starts on the first page at once (while the printer takes a sheet of another kind).
    void startFirst();
    // Page `page` of the range, the pages taken in order; the page after it starts rendering.
    Page take(std::int16_t page);

private:
    bool idle();  // no page asked for, being rendered or waiting to be taken
    void start(std::int16_t page);
    void work();

    std::array<PageRenderer, 2> renderers_;
    JobPages pages_;
    // One thread renders every page of the job: a thread draws the hints with fonts it loads for
    // itself, so a thread a page would load them for every page.
    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::int16_t> asked_;  // the page to render next
    std::optional<Page> done_;           // the page rendered, until taken
    bool rendering_ = false;
    bool stopping_ = false;
};

}  // namespace plakatron
