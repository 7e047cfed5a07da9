// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>
#include <libheif/heif.h>
#include <memory>

namespace plakatron::test {

namespace {

constexpr char initials[] = "KRGYBMCW";

// A TIFF directory entry: tag, type (3 SHORT, 4 LONG), one value in the entry.
QByteArray tiffEntry(int tag, int type, qint64 value)
{
    return le(2, {tag, type}) + le(4, {1}) + (type == 3 ? le(2, {value, 0}) : le(4, {value}));
}

// A little-endian TIFF stream of one directory with the Orientation tag: Exif data.
QByteArray orientationTag(int orientation)
{
    return "II*" + le(1, {0}) + le(4, {8}) + le(2, {1}) + tiffEntry(274, 3, orientation) + le(4, {0});
}

QByteArray webpChunk(const char *fourcc, const QByteArray &data)
{
    return QByteArray(fourcc, 4) + le(4, {data.size()}) + data + QByteArray(data.size() % 2, '\0');
}

// A RIFF WebP file whose first chunk is VP8X with these flags and the canvas size less one.
QByteArray extendedWebp(int flags, QSize canvas, const QByteArray &chunks)
{
    const QByteArray vp8x = le(1, {flags, 0, 0, 0}) + le(3, {canvas.width() - 1, canvas.height() - 1});
    const QByteArray all = webpChunk("VP8X", vp8x) + chunks;
    return "RIFF" + le(4, {4 + all.size()}) + "WEBP" + all;
}

// The first chunk of a simple WebP file (Qt writes VP8L for lossless), header and all.
QByteArray losslessChunk(const QImage &image)
{
    const QByteArray file = encode(image, "webp", 100);
    EXPECT_EQ(file.mid(12, 4), "VP8L");
    return file.mid(12);
}

heif_error appendTo(heif_context *, const void *data, size_t size, void *out)
{
    static_cast<QByteArray *>(out)->append(static_cast<const char *>(data), qsizetype(size));
    return {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

}  // namespace

QByteArray le(int size, std::initializer_list<qint64> values)
{
    QByteArray out;
    for (qint64 v : values)
        for (int i = 0; i < size; ++i)
            out += char((v >> (8 * i)) & 0xFF);
    return out;
}

QByteArray patched(QByteArray bytes, qsizetype offset, int size, qint64 value)
{
    return bytes.replace(offset, size, le(size, {value}));
}

QImage fourColours(int width, int height, const char *colours)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const char c = colours[(2 * y >= height) * 2 + (2 * x >= width)];
            const auto bits = c == 'T' ? 0 : std::strchr(initials, c) - initials;
            image.setPixel(x, y, qRgba(bits & 1 ? 255 : 0, bits & 2 ? 255 : 0, bits & 4 ? 255 : 0, c == 'T' ? 0 : 255));
        }
    }
    return std::strchr(colours, 'T') ? image : image.convertToFormat(QImage::Format_RGB32);
}

char colourAt(const QImage &image, QPoint point)
{
    const QRgb c = image.pixel(point);
    return initials[(qRed(c) > 127) + 2 * (qGreen(c) > 127) + 4 * (qBlue(c) > 127)];
}

std::string quarterColours(const QImage &image)
{
    std::string seen;
    for (int i = 0; i < 4; ++i)
        seen += colourAt(image, {image.width() * (1 + i % 2 * 2) / 4, image.height() * (1 + i / 2 * 2) / 4});
    return seen;
}

MetafileBuilder &MetafileBuilder::placeable(int left, int top, int right, int bottom, int unitsPerInch)
{
    // The last word is a checksum: the words before it XORed.
    placeable_ = le(4, {0x9AC6CDD7}) + le(2, {0, left, top, right, bottom, unitsPerInch}) + le(4, {0})
                 + le(2, {0x9AC6 ^ 0xCDD7 ^ left ^ top ^ right ^ bottom ^ unitsPerInch});
    return *this;
}

MetafileBuilder &MetafileBuilder::record(quint16 function, const QByteArray &parameters)
{
    const qint64 words = 3 + parameters.size() / 2;
    largest_ = std::max(largest_, words);
    records_ += le(4, {words}) + le(2, {function}) + parameters;
    return *this;
}

MetafileBuilder &MetafileBuilder::solidFill(QColor colour)
{
    // CREATEBRUSHINDIRECT (solid), SELECTOBJECT, CREATEPENINDIRECT (null pen), SELECTOBJECT
    record(0x02FC, le(2, {0}) + le(1, {colour.red(), colour.green(), colour.blue(), 0}) + le(2, {0}));
    record(0x012D, {objects_++});
    record(0x02FA, {5, 0, 0, 0, 0});
    return record(0x012D, {objects_++});
}

MetafileBuilder &MetafileBuilder::font(int height, int width, int weight)
{
    // CREATEFONTINDIRECT: the sizes, escapement, orientation, weight, eight flag bytes, the face.
    const QByteArray font = le(2, {height, width, 0, 0, weight}) + QByteArray(8, '\0') + "Arial";
    return record(0x02FB, font.leftJustified(50, '\0')).record(0x012D, {objects_++});
}

QByteArray MetafileBuilder::bytes(bool withEndRecord) const
{
    const QByteArray records = withEndRecord ? records_ + le(4, {3}) + le(2, {0}) : records_;
    return placeable_ + le(2, {1, 9, 0x0300}) + le(4, {9 + records.size() / 2}) + le(2, {objects_ + 2})
           + le(4, {largest_}) + le(2, {0}) + records;
}

QByteArray bitmapMetafile(qint64 headerSize, qint64 height, const QByteArray &pixels)
{
    const QByteArray bitmap = le(4, {headerSize, 1, height}) + le(2, {1, 24}) + le(4, {0, 0, 2835, 2835, 0, 0});
    const QByteArray stretch = le(4, {0x00CC0020}) + le(2, {0, 1, 1, 0, 0, 1440, 1440, 0, 0});
    return MetafileBuilder().placeable(0, 0, 1440, 1440, 1440).record(0x0F43, stretch + bitmap + pixels).bytes();
}

QByteArray makeGif(const std::vector<QRgb> &palette4, const std::vector<GifFrame> &frames)
{
    QByteArray out = "GIF89a" + le(2, {frames.front().width, frames.front().height}) + le(1, {0xF1, 0, 0});
    for (QRgb c : palette4)
        out += le(1, {qRed(c), qGreen(c), qBlue(c)});
    for (const GifFrame &f : frames) {
        // Graphic control (restore to background, transparency), then the image descriptor.
        const bool clear = f.transparentIndex >= 0;
        out += le(1, {0x21, 0xF9, 4, clear ? 0x09 : 0x08, 10, 0, clear ? f.transparentIndex : 0, 0, 0x2C});
        out += le(2, {0, 0, f.width, f.height}) + le(1, {0, 7});
        // Codes of 8 bits (minimum code size 7): every pixel a literal, with a clear code (128)
        // before every 100 pixels so the decoder's table never outgrows 8 bits; then the end code.
        QByteArray codes;
        for (size_t i = 0; i < f.indices.size(); ++i)
            codes += QByteArray(i % 100 ? 0 : 1, char(128)) + char(f.indices[i]);
        codes += char(129);
        for (qsizetype i = 0; i < codes.size(); i += 255)
            out += char(codes.mid(i, 255).size()) + codes.mid(i, 255);
        out += '\0';
    }
    return out + ';';
}

QByteArray makeIcon(const std::vector<QImage> &images)
{
    QByteArray directory = le(2, {0, 1, qint64(images.size())});
    QByteArray bodies;
    for (const QImage &image : images) {
        const int w = image.width(), h = image.height();
        // Colour rows bottom up as blue, green, red, alpha; the mask rows after them stay clear.
        const QImage rows = image.convertToFormat(QImage::Format_RGBA8888).rgbSwapped().mirrored();
        QByteArray body = le(4, {40, w, 2 * h}) + le(2, {1, 32}) + le(4, {0, 0, 0, 0, 0, 0})
                          + QByteArray(reinterpret_cast<const char *>(rows.constBits()), rows.sizeInBytes());
        body = w == 256 && h == 256 ? encode(image, "png") : body + QByteArray((w + 31) / 32 * 4 * h, '\0');
        const qint64 offset = 6 + 16 * qint64(images.size()) + bodies.size();
        directory += le(1, {w % 256, h % 256, 0, 0}) + le(2, {1, 32}) + le(4, {body.size(), offset});
        bodies += body;
    }
    return directory + bodies;
}

QByteArray encode(const QImage &image, const char *format, int quality, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

QByteArray jpegWithOrientation(const QImage &image, int orientation)
{
    const QByteArray plain = encode(image, "jpeg", 95);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + orientationTag(orientation);
    // An APP1 segment; its length (big-endian, counting itself) is under 256.
    return plain.left(2) + le(1, {0xFF, 0xE1, 0, exif.size() + 2}) + exif + plain.mid(2);
}

QByteArray makeTiff(const std::vector<QImage> &pages, const char *kind, int orientation)
{
    const QString k = QLatin1String(kind);
    const int samples = k == "grey16" ? 1 : k == "rgba16" || k.startsWith("cmyk") ? 4 : 3;
    const int bytes = k.endsWith("16") ? 2 : 1;
    QByteArray out = "II" + le(2, {42}) + le(4, {8});
    for (size_t i = 0; i < pages.size(); ++i) {
        const QImage page = pages[i].convertToFormat(QImage::Format_ARGB32);
        QByteArray pixels;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb p = page.pixel(x, y);
                const int inks = k.startsWith("cmyk") ? 255 : 0;  // C = 255 - R ...
                const qint64 all[] = {std::abs(inks - qRed(p)), std::abs(inks - qGreen(p)), std::abs(inks - qBlue(p)),
                                      inks ? 0 : qAlpha(p)};
                for (int s = 0; s < samples; ++s)
                    pixels += le(bytes, {(samples == 1 ? qGray(p) : all[s]) * (bytes == 2 ? 257 : 1)});
            }
        }
        // The strip follows the directory: its offset is known once the entries are counted.
        const qint64 count = 9 + (orientation ? 1 : 0) + (k == "rgba16" ? 1 : 0);
        const qint64 strip = out.size() + 2 + 12 * count + 4;
        out += le(2, {count}) + tiffEntry(256, 4, page.width()) + tiffEntry(257, 4, page.height())
               + tiffEntry(258, 3, 8 * bytes) + tiffEntry(259, 3, 1)
               + tiffEntry(262, 3, samples == 1 ? 1 : k.startsWith("cmyk") ? 5 : 2) + tiffEntry(273, 4, strip)
               + (orientation ? tiffEntry(274, 3, orientation) : QByteArray()) + tiffEntry(277, 3, samples)
               + tiffEntry(278, 4, page.height()) + tiffEntry(279, 4, pixels.size())
               + (k == "rgba16" ? tiffEntry(338, 3, 2) : QByteArray());  // ExtraSamples: unassociated alpha
        out += le(4, {i + 1 == pages.size() ? 0 : strip + pixels.size()}) + pixels;
    }
    return out;
}

QByteArray webpWithOrientation(const QImage &image, int orientation)
{
    // VP8X with the Exif flag, the image, the Exif block.
    return extendedWebp(0x08, image.size(), losslessChunk(image) + webpChunk("EXIF", orientationTag(orientation)));
}

QByteArray animatedWebp(const std::vector<QImage> &frames)
{
    QByteArray chunks = webpChunk("ANIM", le(4, {0xFFFFFFFF}) + le(2, {0}));
    for (const QImage &frame : frames) {
        // Offset (in pairs of pixels), size less one, 100 ms, no blending, then the frame's image.
        const QByteArray header = le(3, {0, 0, frame.width() - 1, frame.height() - 1, 100}) + le(1, {0x02});
        chunks += webpChunk("ANMF", header + losslessChunk(frame));
    }
    return extendedWebp(0x02, frames.front().size(), chunks);
}

QByteArray makeHeif(const QImage &image, bool avif, int orientation, int exifOrientation, int bits)
{
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(), heif_context_free);
    heif_encoder *encoder = nullptr;
    heif_context_get_encoder_for_format(context.get(), avif ? heif_compression_AV1 : heif_compression_HEVC, &encoder);
    EXPECT_TRUE(encoder) << "no " << (avif ? "AV1" : "HEVC") << " encoder in libheif";
    if (!encoder)
        return QByteArray();
    heif_encoder_set_lossy_quality(encoder, 90);
    const bool alpha = image.hasAlphaChannel();
    const QImage rgba = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    heif_image *input = nullptr;
    heif_image_create(image.width(), image.height(), heif_colorspace_RGB,
                      bits == 8 ? (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB)
                                : (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE),
                      &input);
    heif_image_add_plane(input, heif_channel_interleaved, image.width(), image.height(), bits);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(input, heif_channel_interleaved, &stride);
    for (int y = 0; y < image.height(); ++y) {
        for (int i = 0; i < image.width() * (alpha ? 4 : 3); ++i) {
            const uchar sample = rgba.constScanLine(y)[i];
            if (bits == 8)
                plane[y * stride + i] = sample;
            else  // the 8-bit value spread over the wider range
                reinterpret_cast<quint16 *>(plane + y * stride)[i] = quint16(sample * ((1 << bits) - 1) / 255);
        }
    }
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(orientation);
    heif_image_handle *handle = nullptr;
    EXPECT_EQ(heif_context_encode_image(context.get(), input, encoder, options, &handle).code, heif_error_Ok);
    if (exifOrientation && handle) {
        const QByteArray exif = orientationTag(exifOrientation);
        EXPECT_EQ(heif_context_add_exif_metadata(context.get(), handle, exif.constData(), int(exif.size())).code,
                  heif_error_Ok);
    }
    heif_image_handle_release(handle);
    heif_encoding_options_free(options);
    heif_image_release(input);
    heif_encoder_release(encoder);
    QByteArray out;
    heif_writer writer{1, appendTo};
    EXPECT_EQ(heif_context_write(context.get(), &writer, &out).code, heif_error_Ok);
    return out;
}

QByteArray heifClaiming(QByteArray heif, quint32 width, quint32 height)
{
    // An image-size box: its size (20), "ispe", version and flags, width, height (big-endian).
    for (qsizetype at = heif.indexOf("ispe"); at >= 4; at = heif.indexOf("ispe", at + 4)) {
        qToBigEndian(width, heif.data() + at + 8);
        qToBigEndian(height, heif.data() + at + 12);
    }
    return heif;
}

namespace {

QByteArray bigEndian(int bytes, quint64 value)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out += char(value >> (8 * i) & 0xFF);
    return out;
}

QByteArray box(const char *type, const QByteArray &body) { return bigEndian(4, 8 + body.size()) + type + body; }
QByteArray fullBox(const char *type, int version, const QByteArray &body)
{
    return box(type, bigEndian(1, version) + bigEndian(3, 0) + body);
}

// The whole box of this type in a file made by libheif (its first), empty when there is none.
QByteArray boxOf(const QByteArray &file, const char *type)
{
    const qsizetype at = file.indexOf(type);
    return at >= 4 ? file.mid(at - 4, qFromBigEndian<quint32>(file.constData() + at - 4)) : QByteArray();
}

}  // namespace

QByteArray makeHeifDerived(const QImage &tile, bool avif, const HeifDerived &d)
{
    const QByteArray coded = makeHeif(tile, avif, 1, 0, d.bits);
    const QByteArray config = boxOf(coded, avif ? "av1C" : "hvcC"), colour = boxOf(coded, "colr"),
                     pixels = boxOf(coded, "pixi");
    const QByteArray data = d.emptyData ? QByteArray() : boxOf(coded, "mdat").mid(8);
    const bool iden = QByteArray(d.kind) == "iden";
    const int inputs = iden ? 1 : d.columns * d.rows;
    // The descriptor: a grid's rows and columns and size; an overlay's fill colour, size and the
    // inputs' places; 32-bit sizes where 16 bits do not hold them.
    const bool wide = d.canvas.width() > 65535 || d.canvas.height() > 65535;
    const int field = wide ? 4 : 2;
    QByteArray descriptor = bigEndian(1, 0) + bigEndian(1, wide ? 1 : 0);
    if (QByteArray(d.kind) == "grid")
        descriptor += bigEndian(1, d.rows - 1) + bigEndian(1, d.columns - 1);
    else
        descriptor += QByteArray(8, '\xFF');
    descriptor += bigEndian(field, d.canvas.width()) + bigEndian(field, d.canvas.height());
    if (QByteArray(d.kind) == "iovl")
        for (int i = 0; i < inputs; ++i)
            descriptor += bigEndian(field, i % d.columns * tile.width()) + bigEndian(field, i / d.columns * tile.height());

    const char *codedType = avif ? "av01" : "hvc1";
    const auto meta = [&](quint64 dataAt) -> QByteArray {
        QByteArray infos = fullBox("infe", 2, bigEndian(2, 1) + bigEndian(2, 0) + d.kind + QByteArray(1, '\0'));
        // Where each item's data is: an item, its construction method (1: in idat), a data reference,
        // one extent's offset and length.
        const auto location = [](int id, int method, quint64 at, qint64 length) -> QByteArray {
            return bigEndian(2, id) + bigEndian(2, method) + bigEndian(2, 0) + bigEndian(2, 1) + bigEndian(4, at)
                   + bigEndian(4, length);
        };
        // A derived picture without a descriptor still has its entry, of no extents.
        QByteArray locations = iden ? bigEndian(2, 1) + bigEndian(6, 0) : location(1, 1, 0, descriptor.size());
        QByteArray references = bigEndian(2, 1) + bigEndian(2, inputs);
        QByteArray associations = bigEndian(2, 1) + bigEndian(1, 1) + bigEndian(1, 3);  // the header's size
        const int codedProperties = 2 + !colour.isEmpty() + !pixels.isEmpty();
        for (int i = 0; i < inputs; ++i) {
            const int id = 2 + i;
            infos += box("infe", bigEndian(1, 2) + bigEndian(3, 1) + bigEndian(2, id) + bigEndian(2, 0) + codedType
                                     + QByteArray(1, '\0'));  // hidden
            locations += location(id, 0, dataAt, data.size());
            references += bigEndian(2, id);
            associations += bigEndian(2, id) + bigEndian(1, codedProperties) + bigEndian(1, 0x81) + bigEndian(1, 2);
            for (int p = 0; p < codedProperties - 2; ++p)
                associations += bigEndian(1, 4 + p);
        }
        const QByteArray properties = box("ipco", config + fullBox("ispe", 0, bigEndian(4, tile.width()) + bigEndian(4, tile.height()))
                                                      + fullBox("ispe", 0, bigEndian(4, d.header.width()) + bigEndian(4, d.header.height()))
                                                      + colour + pixels);
        QByteArray m = fullBox("hdlr", 0, bigEndian(4, 0) + "pict" + QByteArray(13, '\0'))
                       + fullBox("pitm", 0, bigEndian(2, 1)) + fullBox("iinf", 0, bigEndian(2, inputs + 1) + infos)
                       + fullBox("iloc", 1, bigEndian(1, 0x44) + bigEndian(1, 0) + bigEndian(2, inputs + 1) + locations)
                       + fullBox("iref", 0, box("dimg", references))
                       + box("iprp", properties + fullBox("ipma", 0, bigEndian(4, inputs + 1) + associations));
        if (!iden)
            m += box("idat", descriptor);
        return fullBox("meta", 0, m);
    };
    const QByteArray ftyp = box("ftyp", QByteArray(avif ? "avif" : "heic") + bigEndian(4, 0) + "mif1" + (avif ? "avif" : "heic") + "miaf");
    const qsizetype metaSize = meta(0).size();
    return ftyp + meta(quint64(ftyp.size() + metaSize + 8)) + box("mdat", data);
}

}  // namespace plakatron::test
