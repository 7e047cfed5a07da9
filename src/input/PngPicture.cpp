// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/PngPicture.h"

#include "input/LoadChecks.h"
#include "input/PictureFormat.h"
#include "input/PictureLoader.h"
#include "input/Platform.h"

#include <QImageReader>
#include <QIODevice>
#include <QtEndian>
#include <csetjmp>
#include <memory>
#include <png.h>

namespace plakatron {

namespace {

// The PNG stream as its decoder gets it: the signature, then only the chunks that make pixels,
// up to the end chunk; the others are skipped unread.
class PixelChunks : public QIODevice {
public:
    PixelChunks(QIODevice &source, qint64 end) : source_(source), end_(end) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        qint64 done = 0;
        while (done < maxSize && (left_ > 0 || nextChunk())) {
            const qint64 n = source_.read(data + done, std::min({maxSize - done, left_, end_ - source_.pos()}));
            if (n <= 0) {
                finished_ = true;
                left_ = 0;
                break;
            }
            done += n;
            left_ -= n;
        }
        return done;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    bool nextChunk()
    {
        while (!finished_) {
            if (!signature_) {
                signature_ = true;
                left_ = 8;
                return true;
            }
            // A length, the four letters, the data, a checksum.
            const QByteArray head = source_.peek(8);
            if (head.size() < 8) {  // cut off: what there is goes to the decoder, which judges it
                finished_ = true;
                left_ = head.size();
                return left_ > 0;
            }
            const qint64 total = 12 + qint64(qFromBigEndian<quint32>(head.constData()));
            const QByteArrayView type = QByteArrayView(head).sliced(4, 4);
            if (isPngPixelChunk(type)) {
                finished_ = type == "IEND";
                left_ = total;
                return true;
            }
            if (source_.pos() + total >= end_ || !source_.seek(source_.pos() + total))
                finished_ = true;
        }
        return false;
    }

    QIODevice &source_;
    qint64 end_;
    qint64 left_ = 0;  // of the signature or the chunk being passed on
    bool signature_ = false;
    bool finished_ = false;
};

[[noreturn]] void damaged() { invalidPicture(QStringLiteral("The PNG picture is damaged or incomplete and cannot be decoded.")); }

// libpng's state, kept in one place that outlives its jumps back on errors.
struct Reading {
    QIODevice *source = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    QImage image;
    ~Reading() { png_destroy_read_struct(&png, &info, nullptr); }
};

void readFromSource(png_structp png, png_bytep data, size_t size)
{
    auto *source = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (source->read(reinterpret_cast<char *>(data), qint64(size)) != qint64(size))
        png_error(png, "the file ends before the picture does");
}

// libpng's messages would go to standard error; the loader's own says what matters.
void failQuietly(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void warnQuietly(png_structp, png_const_charp) {}

// 16-bit pictures decoded by libpng at 8 bits a sample (rounded, as Qt rounds), expanded to RGB with
// alpha where there is any, straight into the picture's rows.
QImage decodeDeep(QIODevice &stream)
{
    const auto reading = std::make_unique<Reading>();
    reading->source = &stream;
    reading->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failQuietly, warnQuietly);
    if (!reading->png)
        outOfMemory();
    reading->info = png_create_info_struct(reading->png);
    if (!reading->info)
        outOfMemory();
    if (setjmp(png_jmpbuf(reading->png)))
        return QImage();
    png_structp png = reading->png;
    png_infop info = reading->info;
    png_set_read_fn(png, &stream, readFromSource);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_scale_16(png);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);  // blue, green, red, alpha: Qt's 32-bit pixels in memory
    if (!alpha)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4)
        return QImage();
    reading->image = QImage(int(width), int(height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (reading->image.isNull())
        outOfMemory();
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, reading->image.scanLine(int(y)), nullptr);
    return std::move(reading->image);
}

}  // namespace

QImage decodePng(QIODevice &source, qint64 end, const PngHeader &header)
{
    PixelChunks stream(source, end);
    QImage image;
    if (header.bitDepth == 16 && !withinDecoderBudget(header.width, header.height, 8)) {
        image = decodeDeep(stream);
    } else {
        QImageReader reader(&stream, "png");
        const StandardErrorSilenced quiet;  // libpng's own "libpng error: ..." lines
        if (!reader.read(&image))
            damaged();
    }
    if (image.isNull())
        damaged();
    image = toOpaqueRgb32(std::move(image));
    if (image.isNull())
        outOfMemory();
    return image;
}

}  // namespace plakatron
