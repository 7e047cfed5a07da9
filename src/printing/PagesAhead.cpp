// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PagesAhead.h"


namespace plakatron {

PagesAhead::PagesAhead(const Poster &poster, const JobPages &pages)
    : renderers_{PageRenderer(poster), PageRenderer(poster)}, pages_(pages)
{
    // The job's own thread does all of a page's work: the printer keeps the other core busy.
    // A vector picture's row is drawn in one pass for the pages of the job that follow in it.
    for (PageRenderer &renderer : renderers_) {
        renderer.setResampleThreads(1);
        renderer.setPagesInOrderUpTo(pages.printedRange().last);
    }
}

PagesAhead::~PagesAhead()
{
    if (worker_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        worker_.join();  // after the page it may be rendering
    }
}

void PagesAhead::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || asked_; });
        if (!asked_)
            return;
        const std::int16_t page = *asked_;
        asked_.reset();
        rendering_ = true;
        lock.unlock();
        PageRenderer &renderer = renderers_[static_cast<std::size_t>(page) % 2];
        Page rendered{&renderer.pageCanvas(), renderer.RenderPage(page)};
        lock.lock();
        rendering_ = false;
        done_ = std::move(rendered);
        changed_.notify_all();
    }
}

void PagesAhead::start(std::int16_t page)
{
    if (!worker_.joinable())
        worker_ = std::thread([this] { work(); });
    {
        const std::lock_guard lock(mutex_);
        asked_ = page;
    }
    changed_.notify_all();
}

bool PagesAhead::idle()
{
    const std::lock_guard lock(mutex_);
    return !asked_ && !rendering_ && !done_;
}

void PagesAhead::startFirst()
{
    if (idle() && pages_.first() != 0)
        start(pages_.first());
}

PagesAhead::Page PagesAhead::take(std::int16_t page)
{
    if (idle())
        start(page);
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_.has_value(); });
    Page taken = std::move(*done_);
    done_.reset();
    lock.unlock();
    if (const std::int16_t next = pages_.after(page))
        start(next);
    return taken;
}

}  // namespace plakatron
