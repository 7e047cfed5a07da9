// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/EncodedPages.h"

#include "core/MessageBox.h"
#include "core/RuntimeError.h"

#include <QBuffer>
#include <QImageWriter>
#include <QThread>
#include <new>

namespace plakatron {

bool encodePagePicture(const QImage &page, QByteArray &jpeg)
{
    // What Qt's PDF engine does with a 32-bit picture it stores lossy: the same writer at the
    // same quality, so the bytes are the ones it would have written.
    jpeg.clear();
    QBuffer buffer(&jpeg);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(94);
    return writer.write(page);
}

int printThreadsFor(const Poster &poster)
{
    if (poster.picture.isVector())
        return 1;
    bool isNumber = false;
    const int asked = qEnvironmentVariableIntValue("PLAKATRON_PRINT_THREADS", &isNumber);
    if (isNumber && asked >= 1)
        return std::min(asked, 64);
    return std::max(1, QThread::idealThreadCount());
}

EncodedPages::EncodedPages(const Poster &poster, const JobPages &pages, int threads)
    : poster_(poster), threads_(std::max(1, threads))
{
    for (std::int16_t page = pages.first(); page != 0; page = pages.after(page))
        order_.push_back(page);
    threads_ = std::min<int>(threads_, std::max<int>(1, int(order_.size())));
}

EncodedPages::~EncodedPages()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread &worker : workers_)
        worker.join();  // after the page it may be rendering
}

void EncodedPages::work()
{
    // A thread draws the hints with fonts it loads for itself: one renderer a thread, kept for
    // every page it renders. Its canvas and buffers are made once and reused.
    PageRenderer renderer(poster_);
    renderer.setResampleThreads(1);
    // Pages finished but not yet taken: enough for every thread to be at work while the printer
    // stores the page it took.
    const std::size_t ahead = std::size_t(threads_) * 2;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || next_ >= order_.size() || next_ < taken_ + ahead; });
        if (stopping_ || next_ >= order_.size())
            return;
        const std::size_t index = next_++;
        lock.unlock();
        EncodedPage page;
        try {
            page.result = renderer.RenderPage(order_[index]);
            page.size = renderer.pageCanvas().size();
            if (page.result.made && !encodePagePicture(renderer.pageCanvas(), page.jpeg)) {
                page.result.warnings << describeWithCode(RuntimeError(err::OutOfMemory));
                page.result.made = false;
            }
        } catch (const std::bad_alloc &) {
            page.result.warnings << describeWithCode(RuntimeError(err::OutOfMemory));
            page.result.made = false;
        }
        if (!page.result.made)
            page.jpeg.clear();
        lock.lock();
        done_[index - taken_] = std::move(page);
        changed_.notify_all();
    }
}

void EncodedPages::start()
{
    if (!workers_.empty() || order_.empty())
        return;
    {
        const std::lock_guard lock(mutex_);
        done_.resize(order_.size());
    }
    for (int i = 0; i < threads_; ++i)
        workers_.emplace_back([this] { work(); });
}

void EncodedPages::startFirst() { start(); }

EncodedPage EncodedPages::take(std::int16_t page)
{
    start();
    std::unique_lock lock(mutex_);
    if (taken_ >= order_.size() || order_[taken_] != page)
        raise(err::InvalidCall);
    changed_.wait(lock, [this] { return done_.front().has_value(); });
    EncodedPage taken = std::move(*done_.front());
    done_.pop_front();
    ++taken_;
    lock.unlock();
    changed_.notify_all();
    return taken;
}

}  // namespace plakatron
