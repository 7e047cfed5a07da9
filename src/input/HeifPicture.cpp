// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/HeifPicture.h"

#include "core/RuntimeError.h"
#include "input/Bytes.h"
#include "input/HeifBoxes.h"
#include "input/LoadChecks.h"
#include "input/PictureLoader.h"

#include <QFile>
#include <QThread>
#include <libheif/heif.h>
#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace plakatron {

namespace {

// libheif reads through these, never beyond the end of the file's boxes: padding after them is
// not read, and a box that points past them fails as a read past the end. The file, or its bytes
// in memory (which threads may read at once); a few bytes may read otherwise than the file has
// them (a tile made the primary picture).
struct FileReader {
    QFile *file = nullptr;
    QByteArrayView data;
    qint64 end = 0;
    std::vector<std::pair<qint64, QByteArray>> patches;
    qint64 at = 0;  // in data
};

int64_t readerPosition(void *reader)
{
    const auto *r = static_cast<FileReader *>(reader);
    return r->file ? r->file->pos() : r->at;
}

int readerRead(void *data, size_t size, void *reader)
{
    auto *r = static_cast<FileReader *>(reader);
    const qint64 at = readerPosition(reader);
    if (size > quint64(std::max<qint64>(0, r->end - at)))
        return -1;
    if (r->file && r->file->read(static_cast<char *>(data), qint64(size)) != qint64(size))
        return -1;
    if (!r->file) {
        std::memcpy(data, r->data.data() + at, size);
        r->at += qint64(size);
    }
    for (const auto &[patchAt, bytes] : r->patches)
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (patchAt + i >= at && patchAt + i < at + qint64(size))
                static_cast<char *>(data)[patchAt + i - at] = bytes[i];
    return 0;
}

int readerSeek(int64_t position, void *reader)
{
    auto *r = static_cast<FileReader *>(reader);
    if (position < 0 || position > r->end)
        return -1;
    if (!r->file)
        r->at = position;
    return !r->file || r->file->seek(position) ? 0 : -1;
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

// What libheif's conversion of a picture of more than 8 bits a sample to 8-bit RGB takes at its
// peak, in bytes a pixel (measured: 2.8 GB for 236 megapixels at 10 bits).
constexpr int deepConversionBytesPerPixel = 12;

// libheif counts its users; the program is one for as long as it runs.
void initialiseOnce()
{
    static const bool initialised = [] {
        heif_init(nullptr);
        return true;
    }();
    Q_UNUSED(initialised)
}

// What the decoding hands over, as plain bytes that can cross from a child process: records of a
// letter and two 32-bit values: 'P' and the picture's size, then 'B', the number of bytes of a band
// of rows in RGB32 and 0, followed by those bytes; or, at any point, 'E', an error number and its
// description, as the last record.
constexpr qsizetype recordBytes = 9;

QByteArray record(char type, quint32 first, quint32 second)
{
    QByteArray out(1, type);
    bytes::append32(out, first);
    bytes::append32(out, second);
    return out;
}

QByteArray errorRecord(int number, const QString &description)
{
    QByteArray out(1, 'E');
    bytes::append32(out, quint32(number));
    return out + description.toUtf8();
}

// A plane of a decoded picture, its samples of 8 bits or of up to 16 (two bytes, little-endian).
struct Plane {
    const uint8_t *data = nullptr;
    int stride = 0, bits = 8;
    int sample(int x, int y) const
    {
        const uint8_t *row = data + qsizetype(y) * stride;
        return bits <= 8 ? row[x] : row[2 * x] | row[2 * x + 1] << 8;
    }
};

Plane planeOf(const heif_image *image, heif_channel channel)
{
    Plane plane;
    plane.data = heif_image_get_plane_readonly(image, channel, &plane.stride);
    plane.bits = heif_image_get_bits_per_pixel_range(image, channel);
    return plane;
}

// How luma and the two colour differences make red, green and blue (the picture's nclx matrix).
struct Matrix {
    bool identity = false;  // the planes are green, blue and red
    double kr = 0.299, kb = 0.114;
    bool fullRange = true;
};

Matrix matrixOf(const heif_image *image, const heif_image_handle *handle)
{
    Matrix m;
    heif_color_profile_nclx *nclx = nullptr;
    if (heif_image_get_nclx_color_profile(image, &nclx).code != heif_error_Ok
        && heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok)
        return m;  // libheif's own default: BT.601, full range
    m.fullRange = nclx->full_range_flag != 0;
    switch (nclx->matrix_coefficients) {
    case heif_matrix_coefficients_RGB_GBR: m.identity = true; break;
    case heif_matrix_coefficients_ITU_R_BT_709_5: m.kr = 0.2126, m.kb = 0.0722; break;
    case heif_matrix_coefficients_ITU_R_BT_2020_2_non_constant_luminance: m.kr = 0.2627, m.kb = 0.0593; break;
    case heif_matrix_coefficients_SMPTE_240M: m.kr = 0.212, m.kb = 0.087; break;
    case heif_matrix_coefficients_US_FCC_T47: m.kr = 0.30, m.kb = 0.11; break;
    default: break;
    }
    heif_nclx_color_profile_free(nclx);
    return m;
}

// A picture of more than 8 bits a sample brought to 8-bit RGB here, from the planes libheif
// decoded: its own conversion holds the picture three times over at 16 bits a sample, beyond any
// budget for the largest pictures.
class DeepPixels {
public:
    DeepPixels(const heif_image *image, const heif_image_handle *handle, bool alpha) : alpha_(alpha)
    {
        const int width = heif_image_get_width(image, heif_image_get_colorspace(image) == heif_colorspace_RGB ? heif_channel_R : heif_channel_Y);
        const int height = heif_image_get_height(image, heif_image_get_colorspace(image) == heif_colorspace_RGB ? heif_channel_R : heif_channel_Y);
        const heif_colorspace space = heif_image_get_colorspace(image);
        const heif_chroma chroma = heif_image_get_chroma_format(image);
        grey_ = space == heif_colorspace_monochrome || chroma == heif_chroma_monochrome;
        rgb_ = space == heif_colorspace_RGB;
        first_ = planeOf(image, rgb_ ? heif_channel_R : heif_channel_Y);
        second_ = planeOf(image, rgb_ ? heif_channel_G : heif_channel_Cb);
        third_ = planeOf(image, rgb_ ? heif_channel_B : heif_channel_Cr);
        opacity_ = alpha ? planeOf(image, heif_channel_Alpha) : Plane();
        across_ = chroma == heif_chroma_420 || chroma == heif_chroma_422 ? 1 : 0;
        down_ = chroma == heif_chroma_420 ? 1 : 0;
        // Every plane holds what the picture's size needs of it.
        const auto holds = [&](heif_channel channel, int a, int d) {
            return heif_image_get_width(image, channel) >= (width + a) >> a && heif_image_get_height(image, channel) >= (height + d) >> d;
        };
        const heif_channel second = rgb_ ? heif_channel_G : heif_channel_Cb, third = rgb_ ? heif_channel_B : heif_channel_Cr;
        if (!first_.data || (!grey_ && (!second_.data || !third_.data)) || (alpha && !opacity_.data)
            || (!grey_ && (!holds(second, across_, down_) || !holds(third, across_, down_)))
            || (alpha && !holds(heif_channel_Alpha, 0, 0)))
            invalidPicture(QStringLiteral("The picture's planes cannot be read."));
        m_ = matrixOf(image, handle);
        // Luma and colour differences as fractions: full range, or the studio range scaled up.
        lumaScale_ = m_.fullRange ? scale(first_.bits) : 1.0 / (219 << (first_.bits - 8));
        lumaOffset_ = m_.fullRange ? 0 : 16 << (first_.bits - 8);
        chromaScale_ = m_.fullRange ? scale(second_.bits) : 1.0 / (224 << (second_.bits - 8));
        chromaOffset_ = 1 << (second_.bits - 1);
        // Samples that are colours (or alpha) as they are: each value's byte, looked up.
        const int bits = std::max({first_.bits, grey_ ? 0 : second_.bits, grey_ ? 0 : third_.bits, alpha ? opacity_.bits : 0});
        if (bits < 1 || bits > 16 || std::min({first_.bits, grey_ ? 16 : second_.bits, grey_ ? 16 : third_.bits}) != bits
            || (alpha && opacity_.bits != bits))
            invalidPicture(QStringLiteral("The picture's planes cannot be read."));
        bytes_.resize(std::size_t(1) << bits);
        for (std::size_t v = 0; v < bytes_.size(); ++v)
            bytes_[v] = byte(double(v) * scale(bits));
    }

    // The pixel x, y as red, green, blue and alpha.
    void put(int x, int y, uchar *out) const
    {
        out[3] = alpha_ ? bytes_[std::size_t(opacity_.sample(x, y))] : 0xFF;
        if (grey_) {
            out[0] = out[1] = out[2] = bytes_[std::size_t(first_.sample(x, y))];
            return;
        }
        if (rgb_ || m_.identity) {
            const quint8 s1 = bytes_[std::size_t(first_.sample(x, y))], s2 = bytes_[std::size_t(second_.sample(x, y))],
                         s3 = bytes_[std::size_t(third_.sample(x, y))];
            out[0] = rgb_ ? s1 : s3, out[1] = rgb_ ? s2 : s1, out[2] = rgb_ ? s3 : s2;
            return;
        }
        double r, g, b;
        {
            const double luma = (first_.sample(x, y) - lumaOffset_) * lumaScale_;
            const double cb = (second_.sample(x >> across_, y >> down_) - chromaOffset_) * chromaScale_;
            const double cr = (third_.sample(x >> across_, y >> down_) - chromaOffset_) * chromaScale_;
            r = luma + 2 * (1 - m_.kr) * cr;
            b = luma + 2 * (1 - m_.kb) * cb;
            g = (luma - m_.kr * r - m_.kb * b) / (1 - m_.kr - m_.kb);
        }
        out[0] = byte(r), out[1] = byte(g), out[2] = byte(b);
    }

private:
    static double scale(int bits) { return 1.0 / ((1 << bits) - 1); }
    static quint8 byte(double v) { return quint8(std::clamp(v * 255.0 + 0.5, 0.0, 255.0)); }

    bool alpha_, grey_ = false, rgb_ = false;
    Plane first_, second_, third_, opacity_;
    int across_ = 0, down_ = 0;
    Matrix m_;
    double lumaScale_ = 1, lumaOffset_ = 0, chromaScale_ = 1, chromaOffset_ = 0;
    std::vector<quint8> bytes_;
};

bool sendHeader(int width, int height, const ByteSink &send) { return send(record('P', quint32(width), quint32(height))); }

// Rows of a picture of 32 bits a pixel laid on white and sent.
bool sendOpaque(const QImage &rows, const ByteSink &send)
{
    const QImage opaque = toOpaqueRgb32(rows);
    if (opaque.isNull())
        outOfMemory();
    return send(record('B', quint32(opaque.sizeInBytes()), 0)) && send(QByteArrayView(opaque.constBits(), opaque.sizeInBytes()));
}

void sendDeep(const heif_image *image, const heif_image_handle *handle, int width, int height, bool alpha,
              const ByteSink &send)
{
    const DeepPixels pixels(image, handle, alpha);
    if (!sendHeader(width, height, send))
        return;
    constexpr int bandRows = 64;
    QImage band(width, bandRows, alpha ? (heif_image_handle_is_premultiplied_alpha(handle)
                                              ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_RGBA8888)
                                       : QImage::Format_RGBX8888);
    if (band.isNull())
        outOfMemory();
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        for (int row = 0; row < rows; ++row)
            for (int x = 0; x < width; ++x)
                pixels.put(x, top + row, band.scanLine(row) + 4 * x);
        if (!sendOpaque(band.copy(0, 0, width, rows), send))
            return;
    }
}

using Context = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using Handle = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
using Image = std::unique_ptr<heif_image, decltype(&heif_image_release)>;

// libheif's reading of the file's boxes through `reader` (which must outlive it), and the primary
// picture's handle.
std::pair<Context, Handle> openPrimary(FileReader &reader, const QString &name)
{
    if (reader.file && !reader.file->seek(0))
        invalidPicture(QStringLiteral("The %1 picture cannot be read.").arg(name));
    static const heif_reader callbacks{1, readerPosition, readerRead, readerSeek, readerWait};
    initialiseOnce();
    Context context(heif_context_alloc(), heif_context_free);
    if (!context)
        outOfMemory();
    // Each side may be as long as the size limit allows; every picture the decoding makes has been
    // held to the limit from the boxes already.
    heif_context_set_maximum_image_size_limit(context.get(), int(PictureLimits::maxPixels));
    check(heif_context_read_from_reader(context.get(), &callbacks, &reader, nullptr), name);
    heif_image_handle *primary = nullptr;
    check(heif_context_get_primary_image_handle(context.get(), &primary), name);
    return {std::move(context), Handle(primary, heif_image_handle_release)};
}

Image decoded(const heif_image_handle *handle, heif_colorspace space, heif_chroma chroma, bool to8Bits,
              const QString &name)
{
    const std::unique_ptr<heif_decoding_options, decltype(&heif_decoding_options_free)> options(
        heif_decoding_options_alloc(), heif_decoding_options_free);
    if (!options)
        outOfMemory();
    options->convert_hdr_to_8bit = to8Bits;
    heif_image *image = nullptr;
    check(heif_decode_image(handle, &image, space, chroma, options.get()), name);
    return Image(image, heif_image_release);
}

// The pixels the codec gave must be the picture the header announced (and the limit allowed).
void checkDecodedSize(const heif_image *image, heif_channel channel, int width, int height, const QString &name)
{
    const int decodedWidth = heif_image_get_width(image, channel);
    const int decodedHeight = heif_image_get_height(image, channel);
    if (decodedWidth != width || decodedHeight != height)
        invalidPicture(QStringLiteral("The %1 picture is damaged: its header says %2 x %3 pixels, its image data "
                                      "holds %4 x %5.")
                           .arg(name)
                           .arg(width)
                           .arg(height)
                           .arg(decodedWidth)
                           .arg(decodedHeight));
}

// A grid of more than 8 bits a sample, tile by tile: each tile made the primary picture in turn
// (its item number there, its "hidden" flag cleared, as libheif reads the file), decoded and
// converted into a band of the grid's rows, sent band by band; the tiles of a band on as many
// threads as there are cores. libheif would hold the whole grid at 16 bits a sample and convert
// it whole.
void sendTiles(QFile &file, qint64 end, const QString &name, const HeifGrid &grid, const ByteSink &send)
{
    // The file's bytes as threads may read them at once: mapped where the system can, else read.
    QByteArray read;
    const uchar *mapped = file.map(0, end);
    if (!mapped && (!file.seek(0) || (read = file.read(end)).size() != end))
        invalidPicture(QStringLiteral("The %1 picture cannot be read.").arg(name));
    const QByteArrayView bytes = mapped ? QByteArrayView(mapped, end) : QByteArrayView(read);
    const QByteArray number(grid.primaryBytes, '\0');
    if (!sendHeader(int(grid.width), int(grid.height), send))
        return;
    const int workers = std::clamp(QThread::idealThreadCount(), 1, 4);
    for (int row = 0; row < grid.rows && row * grid.tileHeight < grid.height; ++row) {
        const int top = int(row * grid.tileHeight), rows = int(std::min(grid.tileHeight, grid.height - top));
        QImage band(int(grid.width), rows, QImage::Format_RGBX8888);
        if (band.isNull())
            outOfMemory();
        const int columns = int(std::min<qint64>(grid.columns, (grid.width + grid.tileWidth - 1) / grid.tileWidth));
        std::atomic<int> next{0};
        std::vector<std::exception_ptr> failures(static_cast<std::size_t>(workers));
        const auto work = [&](int worker) {
            try {
                for (int column; (column = next++) < columns;) {
                    const int left = int(column * grid.tileWidth), across = int(std::min(grid.tileWidth, grid.width - left));
                    const quint32 tile = grid.tiles[std::size_t(row * grid.columns + column)];
                    QByteArray primary = number;
                    for (int i = 0; i < grid.primaryBytes; ++i)
                        primary[i] = char(tile >> (8 * (grid.primaryBytes - 1 - i)));
                    const qint64 flagsAt = grid.flagsAt.at(tile);
                    if (flagsAt < 0 || flagsAt >= end)
                        invalidPicture(QStringLiteral("The %1 picture cannot be read.").arg(name));
                    FileReader reader{nullptr, bytes, end, {{grid.primaryAt, primary}, {flagsAt, QByteArray(1, char(bytes[flagsAt] & ~1))}}};
                    const auto [context, handle] = openPrimary(reader, name);
                    // As libheif puts a grid together: each tile in RGB at its own bits a sample,
                    // its top left as large as its image-size box says.
                    const Image image = decoded(handle.get(), heif_colorspace_RGB, heif_chroma_444, false, name);
                    if (heif_image_get_width(image.get(), heif_channel_R) < across
                        || heif_image_get_height(image.get(), heif_channel_R) < rows)
                        checkDecodedSize(image.get(), heif_channel_R, int(grid.tileWidth), int(grid.tileHeight), name);
                    const DeepPixels pixels(image.get(), handle.get(), false);
                    for (int y = 0; y < rows; ++y)
                        for (int x = 0; x < across; ++x)
                            pixels.put(x, y, band.scanLine(y) + 4 * (left + x));
                }
            } catch (...) {
                failures[std::size_t(worker)] = std::current_exception();
                next = columns;
            }
        };
        std::vector<std::thread> threads;
        for (int worker = 1; worker < workers; ++worker)
            threads.emplace_back(work, worker);
        work(0);
        for (std::thread &thread : threads)
            thread.join();
        for (const std::exception_ptr &failure : failures)
            if (failure)
                std::rethrow_exception(failure);
        if (!sendOpaque(band, send))
            return;
    }
}

// Decodes the primary picture and sends it in bands of rows, each laid on white in RGB32 as it
// goes: the picture is never held twice.
void decode(QFile &file, qint64 end, const QString &name, const std::optional<HeifGrid> &grid, const ByteSink &send)
{
    FileReader reader{&file, {}, end, {}};
    const auto [context, handle] = openPrimary(reader, name);
    const int width = heif_image_handle_get_width(handle.get());
    const int height = heif_image_handle_get_height(handle.get());
    if (width <= 0 || height <= 0)
        invalidPicture(QStringLiteral("The %1 picture is damaged: its header gives no size.").arg(name));
    checkPixelCount(width, height);
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;

    // 10 and 12 bits a sample come down to 8: by libheif, or here for pictures too large for that.
    if (heif_image_handle_get_luma_bits_per_pixel(handle.get()) > 8
        && !withinDecoderBudget(width, height, deepConversionBytesPerPixel)) {
        if (grid && grid->plain && !alpha && grid->width == width && grid->height == height)
            return sendTiles(file, end, name, *grid, send);
        const Image image = decoded(handle.get(), heif_colorspace_undefined, heif_chroma_undefined, false, name);
        checkDecodedSize(image.get(), heif_image_get_colorspace(image.get()) == heif_colorspace_RGB ? heif_channel_R : heif_channel_Y,
                         width, height, name);
        return sendDeep(image.get(), handle.get(), width, height, alpha, send);
    }
    const Image image = decoded(handle.get(), heif_colorspace_RGB,
                                alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, true, name);
    int stride = 0;
    const uint8_t *pixels = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!pixels || stride <= 0)
        invalidPicture(QStringLiteral("The %1 picture is damaged or incomplete and cannot be decoded.").arg(name));
    checkDecodedSize(image.get(), heif_channel_interleaved, width, height, name);
    const QImage::Format format = !alpha ? QImage::Format_RGB888
                                  : heif_image_handle_is_premultiplied_alpha(handle.get())
                                      ? QImage::Format_RGBA8888_Premultiplied
                                      : QImage::Format_RGBA8888;
    if (!sendHeader(width, height, send))
        return;
    // Views of libheif's rows, each band laid on white in RGB32 and sent; opaque rows are spread to
    // 32 bits a pixel in one band reused throughout, as Qt spreads them.
    constexpr int bandRows = 64;
    QImage band;
    for (int y = 0; y < height; y += bandRows) {
        const int rows = std::min(bandRows, height - y);
        if (alpha) {
            if (!sendOpaque(QImage(pixels + qsizetype(y) * stride, width, rows, stride, format), send))
                return;
            continue;
        }
        if (band.isNull() && (band = QImage(width, bandRows, QImage::Format_RGB32)).isNull())
            outOfMemory();
        for (int row = 0; row < rows; ++row) {
            const uint8_t *in = pixels + qsizetype(y + row) * stride;
            auto *out = reinterpret_cast<QRgb *>(band.scanLine(row));
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = qRgb(in[0], in[1], in[2]);
        }
        const qsizetype bytes = qsizetype(rows) * band.bytesPerLine();
        if (!send(record('B', quint32(bytes), 0)) || !send(QByteArrayView(band.constBits(), bytes)))
            return;
    }
}

// The picture the child process sends, put together as it arrives; only as large as its header
// says, which is held to the size limit.
struct Assembly {
    QByteArray head;  // the record's type and its fixed fields, as far as they have come
    QByteArray error;  // an error record's number and description
    QImage image;
    qint64 filled = 0;
    qint64 bandLeft = 0;  // bytes of the band being received
    bool tooLarge = false;

    bool take(QByteArrayView bytes)
    {
        while (!bytes.isEmpty()) {
            if (!error.isEmpty() || (head.isEmpty() && bandLeft == 0 && bytes.front() == 'E')) {
                error += bytes;  // the last record: the error's number and description
                return error.size() < 64 * 1024;
            }
            if (bandLeft > 0) {
                const qint64 n = std::min<qint64>(bandLeft, bytes.size());
                std::memcpy(image.bits() + filled, bytes.data(), size_t(n));
                filled += n;
                bandLeft -= n;
                bytes = bytes.sliced(n);
                continue;
            }
            const qsizetype wanted = std::min(recordBytes - head.size(), bytes.size());
            head += bytes.first(wanted);
            bytes = bytes.sliced(wanted);
            if (head.size() < recordBytes)
                return true;
            const qint64 first = bytes::u32At(head, 1), second = bytes::u32At(head, 5);
            const char type = head.front();
            head.clear();
            if (type == 'P' && image.isNull()) {
                if (first <= 0 || second <= 0 || first * second > PictureLimits::maxPixels)
                    return false;
                image = QImage(int(first), int(second), QImage::Format_RGB32);
                tooLarge = image.isNull();
                if (tooLarge)
                    return false;
            } else if (type == 'B' && !image.isNull() && first <= image.sizeInBytes() - filled && second == 0) {
                bandLeft = first;
            } else {
                return false;
            }
        }
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
    HeifImages images;
    try {
        images = heifImages(readAt, end);
    } catch (const std::bad_alloc &) {
        outOfMemory();
    }
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
                decode(file, end, name, images.grid, send);
            } catch (const RuntimeError &e) {
                send(errorRecord(e.number(), e.description()));
            } catch (const std::bad_alloc &) {
                send(errorRecord(err::OutOfMemory, QStringLiteral("There is not enough memory to load the picture.")));
            } catch (const std::exception &e) {
                send(errorRecord(err::InvalidPicture, QStringLiteral("The %1 picture could not be decoded (%2).")
                                                          .arg(name, QString::fromLocal8Bit(e.what()))));
            }
        },
        [&](QByteArrayView bytes) { return assembly.take(bytes); }, QDeadlineTimer(decodingDeadlineMs()), watch);
    if (assembly.tooLarge)
        outOfMemory();
    if (assembly.error.size() >= 5)
        raise(int(bytes::u32At(assembly.error, 1)), QString::fromUtf8(assembly.error.sliced(5)));
    switch (run.outcome) {
    case IsolatedRun::Outcome::Finished:
        if (!assembly.image.isNull() && assembly.filled == assembly.image.sizeInBytes() && assembly.bandLeft == 0)
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
