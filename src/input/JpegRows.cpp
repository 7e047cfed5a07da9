// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/JpegRows.h"

#include <QBuffer>
#include <QImageIOHandler>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <csetjmp>
#include <cstdio>  // jpeglib.h wants FILE
#include <mutex>
#include <system_error>
#include <thread>

#include <jpeglib.h>

namespace plakatron {

namespace {

// libjpeg's errors end the decoding through longjmp. Its warnings (damaged data it decodes around)
// are no failure for Qt's reader either; nothing is written to standard error.
struct ErrorExit : jpeg_error_mgr {
    std::jmp_buf back;
};

extern "C" void jumpBack(j_common_ptr info)
{
    std::longjmp(static_cast<ErrorExit *>(info->err)->back, 1);
}

extern "C" void sayNothing(j_common_ptr) {}

struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorExit error{};

    explicit Decompressor(const QByteArray &file)
    {
        info.err = jpeg_std_error(&error);
        error.error_exit = jumpBack;
        error.output_message = sayNothing;
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(file.constData()), static_cast<unsigned long>(file.size()));
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;
};

// Reads the header into `d`: whether it is that of a plain JPEG of `size`. No C++ object lives
// across the jump.
bool plainHeader(Decompressor &d, QSize size)
{
    if (setjmp(d.error.back))
        return false;
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    return !d.info.progressive_mode && d.info.num_components == 3 && d.info.jpeg_color_space == JCS_YCbCr
           && d.info.image_width == JDIMENSION(size.width()) && d.info.image_height == JDIMENSION(size.height());
}

class JpegRows final : public ArrivingRows {
public:
    // `rows` are the first row's pixels of `picture`, taken before the picture was shared.
    JpegRows(QByteArray file, QImage picture, uchar *rows, RuntimeError damaged)
        : file_(std::move(file)), picture_(std::move(picture)), damaged_(std::move(damaged)), rows_(rows),
          bytesPerRow_(picture_.bytesPerLine())
    {
        thread_ = std::thread([this] { decode(); });
    }
    ~JpegRows() override
    {
        stop_ = true;
        thread_.join();
    }
    JpegRows(const JpegRows &) = delete;
    JpegRows &operator=(const JpegRows &) = delete;

    void waitFor(int rows) const override
    {
        if (rows <= done_.load(std::memory_order_acquire))
            return;
        std::unique_lock lock(mutex_);
        arrived_.wait(lock, [&] { return failed_ || rows <= done_.load(std::memory_order_relaxed); });
        if (failed_)
            throw damaged_;
    }

    bool has(int rows) const override { return rows <= done_.load(std::memory_order_acquire); }

private:
    // Decodes every row; the last one counts as there only once libjpeg has read the file to its
    // end without an error, as Qt's reader does before it calls the picture good.
    void decode()
    {
        Decompressor d(file_);
        if (!decodeRows(d))
            publish(-1);
    }

    bool decodeRows(Decompressor &d)
    {
        if (setjmp(d.error.back))
            return false;
        jpeg_read_header(&d.info, TRUE);
        d.info.out_color_space = JCS_EXT_BGRX;  // Format_RGB32's bytes, the filler 0xFF
        jpeg_start_decompress(&d.info);
        const int height = int(d.info.output_height);
        constexpr int batch = 16;
        while (int(d.info.output_scanline) < height) {
            if (stop_)
                return true;  // nobody waits any more
            JSAMPROW rows[batch];
            const int first = int(d.info.output_scanline);
            const int wanted = std::min(batch, height - first);
            for (int k = 0; k < wanted; ++k)
                rows[k] = rows_ + std::ptrdiff_t(first + k) * bytesPerRow_;
            const int read = int(jpeg_read_scanlines(&d.info, rows, JDIMENSION(wanted)));
            if (read == 0)
                return false;
            publish(std::min(first + read, height - 1));
        }
        jpeg_finish_decompress(&d.info);
        publish(height);
        return true;
    }

    // Rows [0, rows) are there; -1: the file failed.
    void publish(int rows)
    {
        {
            const std::lock_guard lock(mutex_);
            if (rows < 0)
                failed_ = true;
            else
                done_.store(rows, std::memory_order_release);
        }
        arrived_.notify_all();
    }

    const QByteArray file_;
    const QImage picture_;  // keeps the rows alive while they are written
    const RuntimeError damaged_;
    uchar *const rows_;
    const qsizetype bytesPerRow_;
    std::atomic<int> done_{0};
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    bool failed_ = false;
    std::thread thread_;
};

}  // namespace

Picture arrivingJpeg(const QByteArray &file, QSize size, const RuntimeError &damaged)
{
    Decompressor header(file);
    if (!plainHeader(header, size))
        return {};
    // Qt's reader reads the Exif orientation from the header alone.
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    if (reader.transformation() != QImageIOHandler::TransformationNone)
        return {};
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        return {};  // the usual way says what is missing
    // The resolution Qt's reader gives the picture.
    if (header.info.density_unit == 1) {
        picture.setDotsPerMeterX(int(100. * header.info.X_density / 2.54));
        picture.setDotsPerMeterY(int(100. * header.info.Y_density / 2.54));
    } else if (header.info.density_unit == 2) {
        picture.setDotsPerMeterX(int(100. * header.info.X_density));
        picture.setDotsPerMeterY(int(100. * header.info.Y_density));
    }
    uchar *const rows = picture.bits();
    try {
        auto arriving = std::make_shared<JpegRows>(file, picture, rows, damaged);
        return Picture(std::move(picture), std::move(arriving));
    } catch (const std::system_error &) {
        return {};  // no thread to be had: decoded whole instead
    }
}

}  // namespace plakatron
