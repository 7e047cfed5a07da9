// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/PictureFormat.h"

#include "input/Bytes.h"

#include <QtEndian>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

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

// An ISO media file (HEIF, AVIF) opens with its file-type box: its size, "ftyp", the major brand, a
// version and the compatible brands. AVIF names an AV1 brand, every other HEIF picture an HEVC or
// plain image brand.
PictureFormat isoMediaFormat(QByteArrayView d)
{
    if (d.size() < 16 || std::memcmp(d.data() + 4, "ftyp", 4) != 0)
        return PictureFormat::Unknown;
    const qsizetype boxEnd = std::min<qsizetype>(d.size(), qFromBigEndian<quint32>(d.data()));
    bool heif = false;
    for (qsizetype at = 8; at + 4 <= boxEnd; at += at == 8 ? 8 : 4) {  // the version is no brand
        const QByteArrayView brand = d.sliced(at, 4);
        if (brand == "avif" || brand == "avis")
            return PictureFormat::Avif;
        for (const char *name : {"heic", "heix", "heim", "heis", "hevc", "hevx", "hevm", "hevs", "mif1", "msf1"})
            heif = heif || brand == name;
    }
    return heif ? PictureFormat::Heic : PictureFormat::Unknown;
}

// XML text whose first element is <svg> (any prefix): a byte-order mark, white space, the XML
// declaration, comments, processing instructions and a DTD may come first.
bool isSvgText(QByteArrayView d)
{
    qsizetype at = d.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const auto skipSpace = [&] {
        while (at < d.size() && (d[at] == ' ' || d[at] == '\t' || d[at] == '\r' || d[at] == '\n'))
            ++at;
    };
    const auto skipPast = [&](QByteArrayView end) {
        const qsizetype found = QByteArrayView(d).sliced(at).indexOf(end);
        at = found < 0 ? d.size() : at + found + end.size();
    };
    for (skipSpace(); at < d.size(); skipSpace()) {
        const QByteArrayView rest = d.sliced(at);
        if (rest.startsWith("<?")) {
            skipPast("?>");
        } else if (rest.startsWith("<!--")) {
            skipPast("-->");
        } else if (rest.startsWith("<!DOCTYPE")) {
            // Up to the '>' that ends it, past an internal subset in brackets.
            const qsizetype bracket = rest.indexOf('[');
            const qsizetype close = rest.indexOf('>');
            if (bracket >= 0 && (close < 0 || bracket < close))
                skipPast("]");
            skipPast(">");
        } else if (rest.startsWith("<")) {
            qsizetype name = 1;
            while (name < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[name])) || rest[name] == '_'
                                          || rest[name] == '-' || rest[name] == '.' || rest[name] == ':'))
                ++name;
            const QByteArrayView element = rest.sliced(1, name - 1);
            const qsizetype colon = element.lastIndexOf(':');
            return element.sliced(colon + 1) == "svg" && name < rest.size()
                   && (rest[name] == '>' || rest[name] == '/' || std::isspace(static_cast<unsigned char>(rest[name])));
        } else {
            return false;
        }
    }
    return false;
}

}  // namespace

bool isVectorFormat(PictureFormat format)
{
    return format == PictureFormat::Pdf || format == PictureFormat::Svg || format == PictureFormat::Svgz;
}

PictureFormat sniffPictureFormat(QByteArrayView head)
{
    if (startsWith(head, "%PDF-", 5))
        return PictureFormat::Pdf;
    if (startsWith(head, "\xFF\xD8\xFF", 3))
        return PictureFormat::Jpeg;
    if (startsWith(head, "GIF87a", 6) || startsWith(head, "GIF89a", 6))
        return PictureFormat::Gif;
    if (startsWith(head, "\x89PNG\r\n\x1A\n", 8))
        return PictureFormat::Png;
    if (startsWith(head, "II*\0", 4) || startsWith(head, "MM\0*", 4) || startsWith(head, "II+\0", 4)
        || startsWith(head, "MM\0+", 4))
        return PictureFormat::Tiff;  // classic or BigTIFF, either byte order
    if (startsWith(head, "RIFF", 4) && head.size() >= 12 && std::memcmp(head.data() + 8, "WEBP", 4) == 0)
        return PictureFormat::Webp;
    if (const PictureFormat iso = isoMediaFormat(head); iso != PictureFormat::Unknown)
        return iso;
    if (startsWith(head, "\xD7\xCD\xC6\x9A", 4) || isStandardMetafileHeader(head))
        return PictureFormat::Wmf;
    // "BM" then the file size, two reserved words and the pixel offset; one of the known info
    // headers follows, named by its size.
    if (startsWith(head, "BM", 2) && head.size() >= 18 && isBmpInfoHeaderSize(u32At(head, 14)))
        return PictureFormat::Bmp;
    if (isIconDirectory(head))
        return PictureFormat::Ico;
    // A PDF reader looks for the header in the first 1024 bytes.
    if (head.first(std::min<qsizetype>(head.size(), 1024)).indexOf("%PDF-") >= 0)
        return PictureFormat::Pdf;
    if (startsWith(head, "\x1F\x8B\x08", 3))
        return PictureFormat::Svgz;  // gzip: what it holds is known once it is unpacked
    if (isSvgText(head))
        return PictureFormat::Svg;
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
    case PictureFormat::Tiff: return QByteArrayLiteral("tiff");
    case PictureFormat::Webp: return QByteArrayLiteral("webp");
    case PictureFormat::Wmf:
    case PictureFormat::Heic:
    case PictureFormat::Avif:
    case PictureFormat::Pdf:
    case PictureFormat::Svg:
    case PictureFormat::Svgz:
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
    case PictureFormat::Tiff: return QStringLiteral("TIFF");
    case PictureFormat::Webp: return QStringLiteral("WebP");
    case PictureFormat::Heic: return QStringLiteral("HEIC");
    case PictureFormat::Avif: return QStringLiteral("AVIF");
    case PictureFormat::Pdf: return QStringLiteral("PDF");
    case PictureFormat::Svg: return QStringLiteral("SVG");
    case PictureFormat::Svgz: return QStringLiteral("SVGZ");
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
        if (header.complete && stride > 0 && header.height - 1 == left / stride)
            header.missingPadding = std::max<qint64>(0, stride - lastRow - left % stride);
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
    // Four 32-bit floating-point samples, and half as much again for LZW codes longer than the data.
    case PictureFormat::Tiff: bytesPerPixel = 24; break;
    case PictureFormat::Ico:
    case PictureFormat::Wmf:
    case PictureFormat::Webp:
    case PictureFormat::Heic:
    case PictureFormat::Avif:
    case PictureFormat::Pdf:
    case PictureFormat::Svg:
    case PictureFormat::Svgz:
    case PictureFormat::Unknown: return 0;
    }
    return metadata + std::max<qint64>(0, width) * std::max<qint64>(0, height) * bytesPerPixel;
}

namespace {

// The bytes tiffStructure reads: a view of them, or a file read in pages as they are asked for
// (the structure of a TIFF lies in a few places of a file that may hold gigabytes of pixels).
struct ViewBytes {
    QByteArrayView d;
    quint64 size() const { return quint64(d.size()); }
    quint8 at(quint64 i) const { return quint8(d[qsizetype(i)]); }
};

class PagedBytes {
public:
    PagedBytes(const std::function<QByteArray(qint64, qint64)> &readAt, qint64 size) : readAt_(readAt), size_(size) {}
    quint64 size() const { return quint64(size_); }
    quint8 at(quint64 i) const
    {
        const qint64 page = qint64(i / pageBytes);
        if (page != page_) {
            if (pages_.size() >= 64)  // the pages asked for lately, a few megabytes at most
                pages_.clear();
            auto found = pages_.find(page);
            if (found == pages_.end())
                found = pages_.emplace(page, readAt_(page * qint64(pageBytes), qint64(pageBytes))).first;
            page_ = page;
            current_ = &found->second;
        }
        const qsizetype offset = qsizetype(i % pageBytes);
        return offset < current_->size() ? quint8(current_->at(offset)) : 0;
    }

private:
    static constexpr quint64 pageBytes = 64 * 1024;
    const std::function<QByteArray(qint64, qint64)> &readAt_;
    qint64 size_;
    mutable std::map<qint64, QByteArray> pages_;
    mutable qint64 page_ = -1;
    mutable const QByteArray *current_ = nullptr;
};

template <typename Bytes>
TiffStructure tiffStructureOf(const Bytes &d)
{
    TiffStructure tiff;
    const auto size = quint64(d.size());
    if (size < 8 || d.at(0) != d.at(1) || (d.at(0) != 'I' && d.at(0) != 'M'))
        return tiff;
    const bool little = d.at(0) == 'I';
    // Callers check the bounds; every offset below is first checked against size.
    const auto uint = [&](quint64 at, int bytes) -> quint64 {
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= quint64(d.at(at + quint64(little ? i : bytes - 1 - i))) << (8 * i);
        return v;
    };
    const quint64 magic = uint(2, 2);
    const bool big = magic == 43;
    if (!(magic == 42 || (big && size >= 16 && uint(4, 2) == 8)))
        return tiff;
    tiff.valid = true;
    // A directory: its entry count, the entries (tag, type, value count, the values or where they
    // are), the next directory's offset.
    const int offsetBytes = big ? 8 : 4, countBytes = big ? 8 : 2, entryBytes = big ? 20 : 12;
    const quint64 directory = uint(big ? 8 : 4, offsetBytes);
    if (directory > size || size - directory < quint64(countBytes))
        return tiff;
    const quint64 count = uint(directory, countBytes);
    const quint64 entries = directory + countBytes;
    if (count > (size - entries) / entryBytes || size - entries - count * entryBytes < quint64(offsetBytes))
        return tiff;
    quint64 end = entries + count * entryBytes + offsetBytes;  // the entries, then the next directory's offset

    // A tag's values: in the entry when they fit, else where it points.
    struct Values {
        quint64 at = 0, count = 0;
        int bytes = 0;
    };
    const auto typeBytes = [](quint64 type) {
        switch (type) {
        case 3: case 8: return 2;                    // SHORT, SSHORT
        case 4: case 9: case 11: case 13: return 4;  // LONG, SLONG, FLOAT, IFD
        case 5: case 10: case 12: case 16: case 17: case 18: return 8;  // rationals, DOUBLE, 64-bit
        default: return 1;                           // BYTE, ASCII, SBYTE, UNDEFINED and unknown types
        }
    };
    Values stripOffsets, stripBytes, tileOffsets, tileBytes, jpegAt, jpegBytes;
    const auto first = [&](const Values &v) { return v.count > 0 ? uint(v.at, v.bytes) : 0; };
    for (quint64 i = 0; i < count; ++i) {
        const quint64 entry = entries + i * entryBytes;
        const quint64 tag = uint(entry, 2);
        Values v{entry + 4 + offsetBytes, uint(entry + 4, offsetBytes), typeBytes(uint(entry + 2, 2))};
        if (v.count > size / quint64(v.bytes))
            return tiff;  // more values than the file has bytes
        if (v.count * v.bytes > quint64(offsetBytes)) {
            v.at = uint(v.at, offsetBytes);
            if (v.at > size || v.count * v.bytes > size - v.at)
                return tiff;
            end = std::max(end, v.at + v.count * v.bytes);
        }
        switch (tag) {
        case 256: tiff.width = qint64(first(v)); break;
        case 257: tiff.height = qint64(first(v)); break;
        case 258: tiff.bitsPerSample = int(first(v)); break;
        case 262: tiff.photometric = int(first(v)); break;
        case 274: tiff.orientation = first(v) >= 1 && first(v) <= 8 ? int(first(v)) : 1; break;
        case 339: tiff.sampleFormat = int(first(v)); break;
        case 273: stripOffsets = v; break;
        case 279: stripBytes = v; break;
        case 324: tileOffsets = v; break;
        case 325: tileBytes = v; break;
        case 513: jpegAt = v; break;     // old-style JPEG: where its stream starts
        case 514: jpegBytes = v; break;  // and how long it is
        default: break;
        }
    }
    // The image's parts: each strip or tile, and an old-style JPEG stream.
    const auto partsEnd = [&](const Values &offsets, const Values &lengths) -> bool {
        for (quint64 i = 0; i < std::min(offsets.count, lengths.count); ++i) {
            const quint64 at = uint(offsets.at + i * offsets.bytes, offsets.bytes);
            const quint64 bytes = uint(lengths.at + i * lengths.bytes, lengths.bytes);
            if (at > size || bytes > size - at)
                return false;
            end = std::max(end, at + bytes);
        }
        return true;
    };
    if (partsEnd(stripOffsets, stripBytes) && partsEnd(tileOffsets, tileBytes) && partsEnd(jpegAt, jpegBytes))
        tiff.end = qint64(end);
    return tiff;
}

}  // namespace

TiffStructure tiffStructure(QByteArrayView data) { return tiffStructureOf(ViewBytes{data}); }

TiffStructure tiffStructure(const std::function<QByteArray(qint64 offset, qint64 size)> &readAt, qint64 size)
{
    return tiffStructureOf(PagedBytes(readAt, size));
}

WebpHeader readWebpHeader(QByteArrayView d)
{
    WebpHeader header;
    if (d.size() < webpHeaderBytes || !startsWith(d, "RIFF", 4) || std::memcmp(d.data() + 8, "WEBP", 4) != 0)
        return header;
    // Chunks are padded to an even length; the RIFF size counts from after itself.
    header.end = 8 + qint64(u32At(d, 4)) + (u32At(d, 4) & 1);
    const QByteArrayView chunk = d.sliced(12, 4);
    const auto u24At = [&d](qsizetype at) { return qint64(u16At(d, at)) | qint64(byteAt(d, at + 2)) << 16; };
    if (chunk == "VP8X") {  // flags, three reserved bytes, canvas width and height less one, 24 bits each
        header.animated = (byteAt(d, 20) & 0x02) != 0;
        header.width = u24At(24) + 1;
        header.height = u24At(27) + 1;
        header.valid = true;
    } else if (chunk == "VP8 " && std::memcmp(d.data() + 23, "\x9D\x01\x2A", 3) == 0) {
        // A key frame's tag, its start code, then the size in 14 bits (2 bits of scaling above).
        header.width = u16At(d, 26) & 0x3FFF;
        header.height = u16At(d, 28) & 0x3FFF;
        header.valid = true;
    } else if (chunk == "VP8L" && byteAt(d, 20) == 0x2F) {  // signature, then width and height less one in 14 bits each
        const quint32 bits = u32At(d, 21);
        header.width = (bits & 0x3FFF) + 1;
        header.height = ((bits >> 14) & 0x3FFF) + 1;
        header.valid = true;
    }
    return header;
}

int webpOrientation(QByteArrayView d)
{
    // The chunks after the file header: four letters, a length, the data, a pad byte to even.
    for (qsizetype at = 12; at <= d.size() - 8;) {
        const qint64 length = u32At(d, at + 4);
        if (length > d.size() - at - 8)
            break;
        if (d.sliced(at, 4) == "EXIF") {
            QByteArrayView exif = d.sliced(at + 8, length);
            if (exif.startsWith(QByteArrayView("Exif\0\0", 6)))  // the JPEG segment's prefix, written by some
                exif = exif.sliced(6);
            return tiffStructure(exif).orientation;
        }
        at += 8 + length + (length & 1);
    }
    return 1;
}

PngHeader readPngHeader(QByteArrayView d)
{
    PngHeader header;
    if (d.size() < pngHeaderBytes || !startsWith(d, "\x89PNG\r\n\x1A\n", 8) || std::memcmp(d.data() + 12, "IHDR", 4) != 0)
        return header;
    header.width = qFromBigEndian<quint32>(d.data() + 16);
    header.height = qFromBigEndian<quint32>(d.data() + 20);
    header.bitDepth = byteAt(d, 24);
    header.colourType = byteAt(d, 25);
    header.interlaced = byteAt(d, 28) == 1;
    header.valid = true;
    return header;
}

bool isPngPixelChunk(QByteArrayView type) { return type.size() == 4 && ((type[0] & 0x20) == 0 || type == "tRNS"); }

qint64 isoMediaEnd(const std::function<QByteArray(qint64 offset)> &headerAt, qint64 fileSize)
{
    qint64 at = 0;
    while (at < fileSize) {
        const QByteArray header = headerAt(at);
        if (header.size() < 8)
            return -1;
        qint64 size = qFromBigEndian<quint32>(header.constData());
        qint64 headerBytes = 8;
        if (size == 1) {  // a 64-bit size follows the type
            if (header.size() < 16 || qFromBigEndian<quint64>(header.constData() + 8) > quint64(fileSize))
                return -1;
            size = qint64(qFromBigEndian<quint64>(header.constData() + 8));
            headerBytes = 16;
        } else if (size == 0) {
            return fileSize;  // the last box, to the end of the file
        }
        if (size < headerBytes || size > fileSize - at)
            return -1;
        at += size;
    }
    return at;
}

}  // namespace plakatron
