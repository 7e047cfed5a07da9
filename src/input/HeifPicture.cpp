#include "input/HeifPicture.h"

#include "core/RuntimeError.h"
#include "input/LoadChecks.h"
#include "input/PictureLoader.h"

#include <QFile>
#include <libheif/heif.h>
#include <algorithm>
#include <memory>
#include <new>

namespace plakatron {

namespace {

// libheif reads through these, never beyond the end of the file's boxes: padding after them is
// not read, and a box that points past them fails as a read past the end.
struct FileReader {
    QFile *file = nullptr;
    qint64 end = 0;
};

int64_t readerPosition(void *reader) { return static_cast<FileReader *>(reader)->file->pos(); }

int readerRead(void *data, size_t size, void *reader)
{
    const auto *r = static_cast<FileReader *>(reader);
    if (size > quint64(std::max<qint64>(0, r->end - r->file->pos())))
        return -1;
    return r->file->read(static_cast<char *>(data), qint64(size)) == qint64(size) ? 0 : -1;
}

int readerSeek(int64_t position, void *reader)
{
    const auto *r = static_cast<FileReader *>(reader);
    return position >= 0 && position <= r->end && r->file->seek(position) ? 0 : -1;
}

heif_reader_grow_status readerWait(int64_t size, void *reader)
{
    return size <= static_cast<FileReader *>(reader)->end ? heif_reader_grow_status_size_reached
                                                          : heif_reader_grow_status_size_beyond_eof;
}

// What a failure of libheif means to the user.
void check(const heif_error &error, const QString &name)
{
    switch (error.code) {
    case heif_error_Ok:
        return;
    case heif_error_Memory_allocation_error:
        // Sides beyond what the size limit allows are refused by libheif itself, without the size.
        if (error.subcode == heif_suberror_Security_limit_exceeded)
            raise(err::OutOfMemory, QStringLiteral("The %1 picture is too large (%2). Pictures of up to %3 megapixels "
                                                   "can be loaded.")
                                        .arg(name, QString::fromUtf8(error.message).trimmed())
                                        .arg(PictureLimits::maxPixels / 1'000'000));
        outOfMemory();
    case heif_error_Unsupported_feature:
    case heif_error_Unsupported_filetype:
        invalidPicture(QStringLiteral("The %1 picture is stored in a way this program cannot decode (%2).")
                           .arg(name, QString::fromUtf8(error.message)));
    default:
        invalidPicture(QStringLiteral("The %1 picture is damaged or incomplete and cannot be decoded.").arg(name));
    }
}

// libheif counts its users; the program is one for as long as it runs.
void initialiseOnce()
{
    static const bool initialised = [] {
        heif_init(nullptr);
        return true;
    }();
    Q_UNUSED(initialised)
}

QImage decode(QFile &file, const QString &name)
{
    // The boxes' own sizes say where the file ends (and whether it is all there), before libheif
    // reads any of them.
    const qint64 end = isoMediaEnd(
        [&file](qint64 offset) { return file.seek(offset) ? file.read(16) : QByteArray(); }, file.size());
    if (end < 0)
        invalidPicture(QStringLiteral("The %1 picture is incomplete or damaged: the file ends before the picture "
                                      "does.")
                           .arg(name));
    FileReader reader{&file, end};
    if (!file.seek(0))
        invalidPicture(QStringLiteral("The %1 picture cannot be read.").arg(name));
    const heif_reader callbacks{1, readerPosition, readerRead, readerSeek, readerWait};

    initialiseOnce();
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(),
                                                                              heif_context_free);
    if (!context)
        outOfMemory();
    // Each side may be as long as the size limit allows; a picture beyond it is refused below with
    // its size, before any pixel is decoded.
    heif_context_set_maximum_image_size_limit(context.get(), int(PictureLimits::maxPixels));
    check(heif_context_read_from_reader(context.get(), &callbacks, &reader, nullptr), name);
    heif_image_handle *primary = nullptr;
    check(heif_context_get_primary_image_handle(context.get(), &primary), name);
    const std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> handle(
        primary, heif_image_handle_release);
    const int width = heif_image_handle_get_width(handle.get());
    const int height = heif_image_handle_get_height(handle.get());
    if (width <= 0 || height <= 0)
        invalidPicture(QStringLiteral("The %1 picture is damaged: its header gives no size.").arg(name));
    checkPixelCount(width, height);

    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    const std::unique_ptr<heif_decoding_options, decltype(&heif_decoding_options_free)> options(
        heif_decoding_options_alloc(), heif_decoding_options_free);
    if (!options)
        outOfMemory();
    options->convert_hdr_to_8bit = 1;  // 10 and 12 bits a sample come down to 8
    heif_image *decoded = nullptr;
    check(heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                            alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get()),
          name);
    const std::unique_ptr<heif_image, decltype(&heif_image_release)> image(decoded, heif_image_release);
    int stride = 0;
    const uint8_t *pixels = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int decodedWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int decodedHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || stride <= 0)
        invalidPicture(QStringLiteral("The %1 picture is damaged or incomplete and cannot be decoded.").arg(name));
    // The pixels the codec gave must be the picture the header announced (and the limit allowed).
    if (decodedWidth != width || decodedHeight != height)
        invalidPicture(QStringLiteral("The %1 picture is damaged: its header says %2 x %3 pixels, its image data "
                                      "holds %4 x %5.")
                           .arg(name)
                           .arg(width)
                           .arg(height)
                           .arg(decodedWidth)
                           .arg(decodedHeight));
    const QImage::Format format = !alpha ? QImage::Format_RGB888
                                  : heif_image_handle_is_premultiplied_alpha(handle.get())
                                      ? QImage::Format_RGBA8888_Premultiplied
                                      : QImage::Format_RGBA8888;
    // A view of libheif's pixels; the copy in RGB32 is the picture.
    const QImage view(pixels, width, height, stride, format);
    QImage opaque = toOpaqueRgb32(view);
    if (opaque.isNull())
        outOfMemory();
    return opaque;
}

}  // namespace

QImage loadHeifPicture(QFile &file, PictureFormat format)
{
    try {
        return decode(file, displayName(format));
    } catch (const std::bad_alloc &) {
        outOfMemory();
    }
}

}  // namespace plakatron
