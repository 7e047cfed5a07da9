#include "input/PictureFormat.h"

#include "input/Bytes.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace plakatron {

namespace {

using bytes::u16At;
using bytes::u32At;
quint8 byteAt(QByteArrayView d, qsizetype at) { return bytes::u8At(d, at); }

bool startsWith(QByteArrayView d, const char *magic, qsizetype n)
{
    return d.size() >= n && std::memcmp(d.data(), magic, size_t(n)) == 0;
}

// A metafile header without the placeable prefix: type 1 (memory) or 2 (disk), nine words long,
// version 1.0 or 3.0.
bool isStandardMetafileHeader(QByteArrayView d)
{
    if (d.size() < 6)
        return false;
    const quint16 type = u16At(d, 0);
    const quint16 headerWords = u16At(d, 2);
    const quint16 version = u16At(d, 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

// Icon (1) or cursor (2) directory with at least one entry.
bool isIconDirectory(QByteArrayView d)
{
    return d.size() >= 6 && u16At(d, 0) == 0 && (u16At(d, 2) == 1 || u16At(d, 2) == 2) && u16At(d, 4) > 0;
}

bool isBmpInfoHeaderSize(quint32 size)
{
    return size == 12 || size == 16 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108
           || size == 124;
}

}  // namespace

PictureFormat sniffPictureFormat(QByteArrayView head)
{
    if (startsWith(head, "\xFF\xD8\xFF", 3))
        return PictureFormat::Jpeg;
    if (startsWith(head, "GIF87a", 6) || startsWith(head, "GIF89a", 6))
        return PictureFormat::Gif;
    if (startsWith(head, "\x89PNG\r\n\x1A\n", 8))
        return PictureFormat::Png;
    if (startsWith(head, "\xD7\xCD\xC6\x9A", 4) || isStandardMetafileHeader(head))
        return PictureFormat::Wmf;
    // "BM" then the file size, two reserved words and the pixel offset; one of the known info
    // headers follows, named by its size.
    if (startsWith(head, "BM", 2) && head.size() >= 18 && isBmpInfoHeaderSize(u32At(head, 14)))
        return PictureFormat::Bmp;
    if (isIconDirectory(head))
        return PictureFormat::Ico;
    return PictureFormat::Unknown;
}

QByteArray qtFormatName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Jpeg: return QByteArrayLiteral("jpeg");
    case PictureFormat::Bmp: return QByteArrayLiteral("bmp");
    case PictureFormat::Gif: return QByteArrayLiteral("gif");
    case PictureFormat::Ico: return QByteArrayLiteral("ico");
    case PictureFormat::Png: return QByteArrayLiteral("png");
    case PictureFormat::Wmf:
    case PictureFormat::Unknown: break;
    }
    return QByteArray();
}

QString displayName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Jpeg: return QStringLiteral("JPEG");
    case PictureFormat::Bmp: return QStringLiteral("BMP");
    case PictureFormat::Gif: return QStringLiteral("GIF");
    case PictureFormat::Ico: return QStringLiteral("ICO");
    case PictureFormat::Wmf: return QStringLiteral("WMF");
    case PictureFormat::Png: return QStringLiteral("PNG");
    case PictureFormat::Unknown: break;
    }
    return QStringLiteral("unknown");
}

JpegStructure jpegStructure(QByteArrayView data)
{
    JpegStructure jpeg;
    const qsizetype n = data.size();
    if (n < 4 || byteAt(data, 0) != 0xFF || byteAt(data, 1) != 0xD8)
        return jpeg;
    qsizetype pos = 2;
    while (pos < n) {
        // Between segments libjpeg skips stray bytes up to the next marker.
        if (byteAt(data, pos) != 0xFF) {
            ++pos;
            continue;
        }
        while (pos < n && byteAt(data, pos) == 0xFF)  // fill bytes
            ++pos;
        if (pos >= n)
            return jpeg;
        const quint8 marker = byteAt(data, pos++);
        if (marker == 0xD9) {  // end of image
            jpeg.end = pos;
            return jpeg;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;  // no length follows
        if (pos + 2 > n)
            return jpeg;
        const qsizetype length = (qsizetype(byteAt(data, pos)) << 8) | byteAt(data, pos + 1);
        if (length < 2 || pos + length > n)
            return jpeg;
        pos += length;
        if (marker != 0xDA)  // only a start of scan is followed by entropy-coded data
            continue;
        ++jpeg.scans;
        // The scan ends at the first marker that is neither a stuffed zero nor a restart.
        for (;;) {
            const void *ff = std::memchr(data.data() + pos, 0xFF, size_t(n - pos));
            if (!ff)
                return jpeg;
            pos = static_cast<const char *>(ff) - data.data();
            qsizetype next = pos + 1;
            while (next < n && byteAt(data, next) == 0xFF)
                ++next;
            if (next >= n)
                return jpeg;
            const quint8 after = byteAt(data, next);
            if (after == 0x00 || (after >= 0xD0 && after <= 0xD7)) {
                pos = next + 1;
                continue;
            }
            pos = next - 1;  // at the marker's last 0xFF
            break;
        }
    }
    return jpeg;
}

bool gifFirstImageIsComplete(QByteArrayView data)
{
    constexpr qsizetype screenDescriptorEnd = 13;
    if (data.size() < screenDescriptorEnd)
        return false;
    // Skips a chain of data sub-blocks starting at pos; returns the position after its
    // terminator, or -1 when the file ends first.
    const auto skipBlocks = [&data](qsizetype pos) -> qsizetype {
        while (pos < data.size()) {
            const quint8 length = byteAt(data, pos);
            if (length == 0)
                return pos + 1;
            pos += 1 + length;
        }
        return -1;
    };
    const auto colourTableBytes = [](quint8 flags) -> qsizetype {
        return (flags & 0x80) ? 3 * (qsizetype(1) << ((flags & 0x07) + 1)) : 0;
    };
    qsizetype pos = screenDescriptorEnd + colourTableBytes(byteAt(data, 10));
    while (pos < data.size()) {
        const quint8 introducer = byteAt(data, pos);
        if (introducer == 0x21) {  // extension: label, then sub-blocks
            if (pos + 2 > data.size())
                return false;
            pos = skipBlocks(pos + 2);
        } else if (introducer == 0x2C) {  // image: descriptor, colour table, code size, data
            if (pos + 10 > data.size())
                return false;
            pos += 10 + colourTableBytes(byteAt(data, pos + 9));
            if (pos >= data.size())
                return false;
            return skipBlocks(pos + 1) >= 0;
        } else {
            return false;  // the trailer or garbage before any image
        }
        if (pos < 0)
            return false;
    }
    return false;
}

BmpHeader readBmpHeader(QByteArrayView data, qint64 fileSize)
{
    BmpHeader header;
    constexpr qsizetype fileHeaderSize = 14;
    if (data.size() < fileHeaderSize + 12 || !startsWith(data, "BM", 2))
        return header;
    const quint32 pixelOffset = u32At(data, 10);
    const quint32 infoSize = u32At(data, 14);
    const qsizetype info = fileHeaderSize;
    qint64 width = 0;
    qint64 height = 0;
    quint32 bits = 0;
    quint32 compression = 0;
    if (infoSize == 12) {
        width = u16At(data, info + 4);
        height = u16At(data, info + 6);
        bits = u16At(data, info + 10);
    } else if (isBmpInfoHeaderSize(infoSize) && data.size() >= info + 20) {
        width = bytes::s32At(data, info + 4);
        height = bytes::s32At(data, info + 8);
        bits = u16At(data, info + 14);
        compression = infoSize >= 20 ? u32At(data, info + 16) : 0;
    } else {
        return header;
    }
    header.valid = width > 0 && height != 0;
    header.width = width;
    header.height = height < 0 ? -height : height;
    // Uncompressed rows (plain, or with colour masks): every row but the last padded to 4 bytes.
    // The rows before the last are counted against the bytes left, not multiplied out: a header
    // may claim sizes whose product does not fit 64 bits.
    if (compression == 0 || compression == 3 || compression == 6) {
        const qint64 stride = (width * bits + 31) / 32 * 4;
        const qint64 lastRow = (width * bits + 7) / 8;
        const qint64 left = fileSize - pixelOffset - lastRow;
        header.complete = header.valid && left >= 0 && (stride == 0 || header.height - 1 <= left / stride);
    } else {
        header.complete = true;
    }
    return header;
}

int largestIconImage(QByteArrayView data)
{
    if (!isIconDirectory(data))
        return -1;
    const int count = u16At(data, 4);
    constexpr qsizetype headerSize = 6;
    constexpr qsizetype entrySize = 16;
    if (data.size() < headerSize + count * entrySize)
        return -1;
    int best = -1;
    qint64 bestArea = 0;
    int bestBits = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype e = headerSize + i * entrySize;
        const int width = byteAt(data, e) == 0 ? 256 : byteAt(data, e);
        const int height = byteAt(data, e + 1) == 0 ? 256 : byteAt(data, e + 1);
        const int colours = byteAt(data, e + 2);
        const int bitCount = u16At(data, e + 6);
        const quint32 bytes = u32At(data, e + 8);
        const quint32 offset = u32At(data, e + 12);
        if (bytes == 0 || offset > quint64(data.size()) || bytes > quint64(data.size()) - offset)
            return -1;
        // Entries stored as PNG often leave the bit count 0; they carry 32 bits.
        const bool png = bytes >= 8 && std::memcmp(data.data() + offset, "\x89PNG", 4) == 0;
        int bits = bitCount;
        if (bits == 0)
            bits = png ? 32 : (colours == 0 ? 8 : 1);
        const qint64 area = qint64(width) * height;
        if (area > bestArea || (area == bestArea && bits > bestBits)) {
            best = i;
            bestArea = area;
            bestBits = bits;
        }
    }
    return best;
}

std::vector<IconImage> iconImages(QByteArrayView data)
{
    std::vector<IconImage> images;
    if (largestIconImage(data) < 0)
        return images;
    for (int i = 0; i < u16At(data, 4); ++i) {
        const qsizetype e = 6 + qsizetype(i) * 16;
        IconImage image;
        image.listedWidth = byteAt(data, e) == 0 ? 256 : byteAt(data, e);
        image.listedHeight = byteAt(data, e + 1) == 0 ? 256 : byteAt(data, e + 1);
        const QByteArrayView body = data.sliced(u32At(data, e + 12), u32At(data, e + 8));
        if (body.size() >= 24 && startsWith(body, "\x89PNG\r\n\x1A\n", 8)) {
            image.width = qFromBigEndian<quint32>(body.data() + 16);
            image.height = qFromBigEndian<quint32>(body.data() + 20);
        } else if (body.size() >= 12 && u32At(body, 0) == 12) {  // core header: words
            image.width = u16At(body, 4);
            image.height = u16At(body, 6) / 2;
        } else if (body.size() >= 12 && isBmpInfoHeaderSize(u32At(body, 0))) {
            // The height counts the colour rows and the mask rows below them.
            image.width = qAbs(qint64(bytes::s32At(body, 4)));
            image.height = qAbs(qint64(bytes::s32At(body, 8))) / 2;
        }
        images.push_back(image);
    }
    return images;
}

qint64 iconFileEnd(QByteArrayView head)
{
    if (!isIconDirectory(head) || head.size() < 6 + qsizetype(u16At(head, 4)) * 16)
        return -1;
    qint64 end = 6 + qint64(u16At(head, 4)) * 16;
    for (int i = 0; i < u16At(head, 4); ++i)
        end = std::max(end, qint64(u32At(head, 6 + i * 16 + 12)) + u32At(head, 6 + i * 16 + 8));
    return end;
}

qint64 usefulFileBytes(PictureFormat format, qint64 width, qint64 height)
{
    constexpr qint64 metadata = 64 * 1024 * 1024;
    qint64 bytesPerPixel = 0;
    switch (format) {
    case PictureFormat::Jpeg: bytesPerPixel = 16; break;  // four components, every coefficient coded
    case PictureFormat::Bmp: bytesPerPixel = 8; break;    // 32 bits, or run-length codes of single pixels
    case PictureFormat::Gif: bytesPerPixel = 3; break;    // 12-bit codes in blocks of 255 bytes
    case PictureFormat::Png: bytesPerPixel = 9; break;    // 64-bit pixels stored uncompressed, row filters
    case PictureFormat::Ico:
    case PictureFormat::Wmf:
    case PictureFormat::Unknown: return 0;
    }
    return metadata + std::max<qint64>(0, width) * std::max<qint64>(0, height) * bytesPerPixel;
}

}  // namespace plakatron
