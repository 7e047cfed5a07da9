#include "input/HeifPicture.h"

#include "core/RuntimeError.h"
#include "input/Bytes.h"
#include "input/HeifBoxes.h"
#include "input/LoadChecks.h"
#include "input/PictureLoader.h"

#include <QFile>
#include <libheif/heif.h>
#include <algorithm>
#include <cstring>
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

// What the decoding hands over, as plain bytes that can cross from a child process: 'P', the size
// (two 32-bit values) and the rows in RGB32; or 'E', an error number and its description.
constexpr qsizetype headerBytes = 9;

QByteArray errorRecord(int number, const QString &description)
{
    QByteArray out(1, 'E');
    bytes::append32(out, quint32(number));
    return out + description.toUtf8();
}

// Decodes the primary picture and sends it in bands of rows, each laid on white in RGB32 as it
// goes: the picture is never held twice.
void decode(QFile &file, qint64 end, const QString &name, const ByteSink &send)
{
    FileReader reader{&file, end};
    if (!file.seek(0))
        invalidPicture(QStringLiteral("The %1 picture cannot be read.").arg(name));
    const heif_reader callbacks{1, readerPosition, readerRead, readerSeek, readerWait};

    initialiseOnce();
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(),
                                                                              heif_context_free);
    if (!context)
        outOfMemory();
    // Each side may be as long as the size limit allows; every picture the decoding makes has been
    // held to the limit from the boxes already.
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
    QByteArray header(1, 'P');
    bytes::append32(header, quint32(width));
    bytes::append32(header, quint32(height));
    if (!send(header))
        return;
    // Views of libheif's rows, each band laid on white in RGB32 and sent.
    constexpr int bandRows = 64;
    for (int y = 0; y < height; y += bandRows) {
        const int rows = std::min(bandRows, height - y);
        const QImage band = toOpaqueRgb32(QImage(pixels + qsizetype(y) * stride, width, rows, stride, format));
        if (band.isNull())
            outOfMemory();
        if (!send(QByteArrayView(band.constBits(), band.sizeInBytes())))
            return;
    }
}

// The picture the child process sends, put together as it arrives; only as large as its header
// says, which is held to the size limit.
struct Assembly {
    QByteArray head;
    QImage image;
    qint64 filled = 0;
    bool tooLarge = false;

    bool take(QByteArrayView bytes)
    {
        if (head.startsWith('E')) {
            head += bytes;  // the error's number and description
            return head.size() < 64 * 1024;
        }
        if (image.isNull()) {
            const qsizetype wanted = std::min(headerBytes - head.size(), bytes.size());
            head += bytes.first(wanted);
            bytes = bytes.sliced(wanted);
            if (head.startsWith('E'))
                return take(bytes);
            if (head.size() < headerBytes)
                return true;
            if (head.front() != 'P')
                return false;
            const qint64 width = bytes::u32At(head, 1), height = bytes::u32At(head, 5);
            if (width <= 0 || height <= 0 || width * height > PictureLimits::maxPixels)
                return false;
            image = QImage(int(width), int(height), QImage::Format_RGB32);
            if (image.isNull()) {
                tooLarge = true;
                return false;
            }
        }
        if (bytes.size() > image.sizeInBytes() - filled)
            return false;
        std::memcpy(image.bits() + filled, bytes.data(), size_t(bytes.size()));
        filled += bytes.size();
        return true;
    }
};

}  // namespace

QImage loadHeifPicture(QFile &file, PictureFormat format, const IsolationWatch &watch)
{
    const QString name = displayName(format);
    // The boxes' own sizes say where the file ends (and whether it is all there), before libheif
    // reads any of them.
    const auto readAt = [&file](qint64 offset, qint64 size) {
        return file.seek(offset) ? file.read(std::max<qint64>(0, std::min(size, file.size() - offset))) : QByteArray();
    };
    const qint64 end = isoMediaEnd([&](qint64 offset) { return readAt(offset, 16); }, file.size());
    if (end < 0)
        invalidPicture(QStringLiteral("The %1 picture is incomplete or damaged: the file ends before the picture "
                                      "does.")
                           .arg(name));
    // Every picture the decoding would make, from the boxes: none beyond the limit.
    const HeifImages images = heifImages(readAt, end);
    for (const HeifImage &image : images.images)
        checkPixelCount(image.width, image.height);
    if (!images.damage.isEmpty())
        invalidPicture(QStringLiteral("The %1 picture is damaged: %2.").arg(name, images.damage));

    // libheif and its codecs work in a child process where there is one: stopped at the deadline
    // or when the caller asks, and a crash there is no crash here.
    Assembly assembly;
    const IsolatedRun run = runIsolated(
        [&](const ByteSink &send) {
            try {
                decode(file, end, name, send);
            } catch (const RuntimeError &e) {
                send(errorRecord(e.number(), e.description()));
            } catch (const std::bad_alloc &) {
                send(errorRecord(err::OutOfMemory, QStringLiteral("There is not enough memory to load the picture.")));
            }
        },
        [&](QByteArrayView bytes) { return assembly.take(bytes); }, QDeadlineTimer(decodingDeadlineMs()), watch);
    if (assembly.tooLarge)
        outOfMemory();
    if (assembly.head.startsWith('E') && assembly.head.size() >= 5)
        raise(int(bytes::u32At(assembly.head, 1)), QString::fromUtf8(assembly.head.sliced(5)));
    switch (run.outcome) {
    case IsolatedRun::Outcome::Finished:
        if (!assembly.image.isNull() && assembly.filled == assembly.image.sizeInBytes())
            return assembly.image;
        break;
    case IsolatedRun::Outcome::TimedOut:
        raise(err::OutOfMemory, tooSlowDescription(QStringLiteral("The %1 picture").arg(name), QStringLiteral("decode")));
    case IsolatedRun::Outcome::Stopped:
        stoppedFromOutside(run.signal, QStringLiteral("The decoding of the %1 picture").arg(name));
    case IsolatedRun::Outcome::Failed:
        break;
    }
    invalidPicture(QStringLiteral("The %1 picture could not be decoded: the HEIF decoder (libheif) failed on it.").arg(name));
}

}  // namespace plakatron
