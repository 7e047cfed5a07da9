#include "printing/PagesAhead.h"

#include "printing/PageRenderer.h"

namespace plakatron {

PagesAhead::PagesAhead(PageRenderer &first, PageRenderer &second, PrintRange range)
    : renderers_{&first, &second}, range_(range)
{
    for (std::size_t i = 0; i < renderers_.size(); ++i)
        renderers_[i]->setReport([this, i](const QString &message) { messages_[i] << message; });
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
    for (PageRenderer *renderer : renderers_)
        renderer->setReport({});
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
        const std::size_t turn = static_cast<std::size_t>(page) % 2;
        messages_[turn].clear();
        Page rendered;
        rendered.made = renderers_[turn]->RenderPage(page, false);
        rendered.canvas = &renderers_[turn]->pageCanvas();
        rendered.messages = std::move(messages_[turn]);
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
    if (idle() && range_.first <= range_.last)
        start(range_.first);
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
    if (page < range_.last)
        start(static_cast<std::int16_t>(page + 1));
    return taken;
}

}  // namespace plakatron
