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
    if (next_.valid())
        next_.wait();
    for (PageRenderer *renderer : renderers_)
        renderer->setReport({});
}

std::future<PagesAhead::Page> PagesAhead::start(std::int16_t page)
{
    const std::size_t turn = static_cast<std::size_t>(page) % 2;
    return std::async(std::launch::async, [this, page, turn] {
        messages_[turn].clear();
        Page done;
        done.made = renderers_[turn]->RenderPage(page, false);
        done.canvas = &renderers_[turn]->pageCanvas();
        done.messages = std::move(messages_[turn]);
        return done;
    });
}

void PagesAhead::startFirst()
{
    if (!next_.valid() && range_.first <= range_.last)
        next_ = start(range_.first);
}

PagesAhead::Page PagesAhead::take(std::int16_t page)
{
    if (!next_.valid())
        next_ = start(page);
    Page taken = next_.get();
    if (page < range_.last)
        next_ = start(static_cast<std::int16_t>(page + 1));
    return taken;
}

}  // namespace plakatron
