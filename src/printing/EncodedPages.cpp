// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/EncodedPages.h"

#include "core/MessageBox.h"
#include "core/RuntimeError.h"

#include <QBuffer>
#include <QImageWriter>
#include <QColorSpace>
#include <QThread>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <functional>
#include <limits>
#include <new>
#include <vector>

// libjpeg's header needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace plakatron {

namespace {

// libjpeg reports a failure by calling error_exit, which must not return: it jumps back to the
// compression's start. Nothing with a destructor lives in the frame it jumps over.
struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf start;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegFailure *>(info->err)->start, 1);
}

void keepQuiet(j_common_ptr) {}

// The compressed bytes go straight into the page's array, which doubles when it is full.
struct ArrayDestination {
    jpeg_destination_mgr manager;
    QByteArray *bytes;
};

void beginArray(j_compress_ptr info)
{
    auto *d = reinterpret_cast<ArrayDestination *>(info->dest);
    d->manager.next_output_byte = reinterpret_cast<JOCTET *>(d->bytes->data());
    d->manager.free_in_buffer = std::size_t(d->bytes->size());
}

boolean growArray(j_compress_ptr info)
{
    auto *d = reinterpret_cast<ArrayDestination *>(info->dest);
    const qsizetype used = d->bytes->size();  // the whole array: libjpeg calls this when it is full
    bool grown = used < std::numeric_limits<qsizetype>::max() / 2;
    if (grown) {
        try {
            d->bytes->resize(used * 2);
        } catch (const std::bad_alloc &) {
            grown = false;
        }
    }
    if (!grown)
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));  // after the handler: no exception in flight
    d->manager.next_output_byte = reinterpret_cast<JOCTET *>(d->bytes->data() + used);
    d->manager.free_in_buffer = std::size_t(d->bytes->size() - used);
    return TRUE;
}

void endArray(j_compress_ptr info)
{
    auto *d = reinterpret_cast<ArrayDestination *>(info->dest);
    d->bytes->resize(d->bytes->size() - qsizetype(d->manager.free_in_buffer));
}

// The resolution Qt's writer records: dots per inch when the picture's resolution is nearer a
// whole number of them than of dots per centimetre.
void recordDensity(jpeg_compress_struct &info, const QImage &page)
{
    const int x = page.dotsPerMeterX();
    const int y = page.dotsPerMeterY();
    const double offInches = std::abs(x * 2.54 / 100. - qRound(x * 2.54 / 100.)) + std::abs(y * 2.54 / 100. - qRound(y * 2.54 / 100.));
    const double offCentimetres = (std::abs(x / 100. - qRound(x / 100.)) + std::abs(y / 100. - qRound(y / 100.))) * 2.54;
    if (offInches < offCentimetres) {
        info.density_unit = 1;
        info.X_density = UINT16(qRound(x * 2.54 / 100.));
        info.Y_density = UINT16(qRound(y * 2.54 / 100.));
    } else {
        info.density_unit = 2;
        info.X_density = UINT16((x + 50) / 100);
        info.Y_density = UINT16((y + 50) / 100);
    }
}

// The source of the rows: each call gives row `y` in the colour space asked for.
using RowAt = std::function<const std::uint8_t *(std::int32_t y)>;

bool compress(jpeg_compress_struct &info, JpegFailure &failure, ArrayDestination &destination, const QImage &page,
              J_COLOR_SPACE space, int components, const RowAt &rowAt)
{
    if (setjmp(failure.start))
        return false;
    jpeg_create_compress(&info);  // which clears all but the error handler
    info.dest = &destination.manager;
    info.image_width = JDIMENSION(page.width());
    info.image_height = JDIMENSION(page.height());
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    recordDensity(info, page);
    jpeg_set_quality(&info, PagePictureQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rowAt(std::int32_t(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

// Qt's JPEG writer's bytes for `page` (its size and resolution) with the pixels `rowAt` gives.
bool encode(const QImage &page, J_COLOR_SPACE space, int components, const RowAt &rowAt, QByteArray &jpeg)
{
    // Smooth pages take about a bit a pixel at this quality; the array grows for the others.
    jpeg.resize(qsizetype(page.width()) * page.height() / 4 + 4096);
    JpegFailure failure{};
    jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jumpBack;
    failure.manager.output_message = keepQuiet;
    ArrayDestination destination{{}, &jpeg};
    destination.manager.init_destination = beginArray;
    destination.manager.empty_output_buffer = growArray;
    destination.manager.term_destination = endArray;
    jpeg_compress_struct info{};
    info.err = &failure.manager;
    const bool done = compress(info, failure, destination, page, space, components, rowAt);
    jpeg_destroy_compress(&info);
    if (!done)
        jpeg.clear();
    return done;
}

}  // namespace

bool encodePagePicture(const QImage &page, QByteArray &jpeg)
{
    // What Qt's PDF engine does with a 32-bit picture it stores lossy: Qt's JPEG writer at quality
    // 94, which copies each row to red, green and blue bytes first. libjpeg reads the 32-bit rows
    // as they are and converts them to the same YCbCr, so the bytes are the ones Qt writes, for
    // less work. Pictures Qt's writer would add more to (texts, a colour profile) and other
    // formats go to Qt's writer.
    const QImage::Format format = page.format();
    const bool plain = (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                        || format == QImage::Format_ARGB32_Premultiplied)
                       && page.textKeys().isEmpty() && !page.colorSpace().isValid() && !page.isNull();
    if (!plain) {
        jpeg.clear();
        QBuffer buffer(&jpeg);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(PagePictureQuality);
        return writer.write(page);
    }
    // The 32-bit words read as bytes: blue, green, red and the unused alpha on this machine.
    return encode(page, Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB, 4,
                  [&](std::int32_t y) { return page.constScanLine(y); }, jpeg);
}

bool encodeRenderedPage(const PageRenderer &renderer, QByteArray &jpeg)
{
    // The page's own rows (blue, green, red) go to libjpeg as they are, with the margins' pixels
    // beside them: the same pixels as on the finished canvas, without copying the page onto it.
    const QImage &canvas = renderer.pageCanvas();
    std::vector<std::uint8_t> row(std::size_t(canvas.width()) * 3);
    return encode(canvas, JCS_EXT_BGR, 3,
                  [&](std::int32_t y) {
                      renderer.pageRowBgr(y, row.data());
                      return row.data();
                  },
                  jpeg);
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
    renderer.setPictureOffCanvas(true);
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
            if (page.result.made && !encodeRenderedPage(renderer, page.jpeg)) {
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
