// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/Metafile.h"

#include "core/RuntimeError.h"
#include "input/Bytes.h"
#include "input/MetafileRecords.h"
#include "input/PictureLoader.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace plakatron {

using namespace bytes;
using namespace metafile;

namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;

// Record functions that only change the mapping from metafile units to the device.
constexpr quint16 mappingRecords[] = {
    0x0103,  // SETMAPMODE
    0x020B,  // SETWINDOWORG
    0x020C,  // SETWINDOWEXT
    0x020D,  // SETVIEWPORTORG
    0x020E,  // SETVIEWPORTEXT
    0x020F,  // OFFSETWINDOWORG
    0x0211,  // OFFSETVIEWPORTORG
    0x0410,  // SCALEWINDOWEXT
    0x0412,  // SCALEVIEWPORTEXT
    0x001E,  // SAVEDC
    0x0127,  // RESTOREDC
};

// Record functions that put something on the page.
constexpr quint16 drawingRecords[] = {
    0x0213, 0x0817, 0x0418, 0x0419, 0x081A, 0x041B, 0x061C, 0x061D, 0x041F, 0x0521, 0x0324, 0x0325, 0x0830,
    0x0548, 0x0A32, 0x0538, 0x0922, 0x0940, 0x0B23, 0x0B41, 0x0F43, 0x0D33, 0x0228, 0x0429, 0x012B, 0x012A,
};
constexpr quint16 setPixelRecord = 0x041F;

template <std::size_t N>
bool contains(const quint16 (&list)[N], quint16 value)
{
    for (quint16 v : list) {
        if (v == value)
            return true;
    }
    return false;
}

// Where the device-independent bitmap starts in the parameters of the records that carry one;
// -1 for other records. The two blit records carry none when they have exactly their fixed
// parameters with a reserved word (9 and 11 words); of any other length they carry one.
qsizetype bitmapOffset(quint16 function, qsizetype parameterBytes)
{
    switch (function) {
    case 0x0940:  // DIBBITBLT
        return parameterBytes == 9 * 2 ? -1 : 16;
    case 0x0B41:  // DIBSTRETCHBLT
        return parameterBytes == 11 * 2 ? -1 : 20;
    case 0x0F43:  // STRETCHDIB
        return 22;
    case 0x0D33:  // SETDIBTODEV
        return 18;
    case 0x0142:  // DIBCREATEPATTERNBRUSH
        return 4;
    default:
        return -1;
    }
}

// The headers of data with the standard header's size fields set for the given records.
QByteArray headersFor(QByteArrayView data, const MetafileLayout &layout, QByteArrayView records,
                      quint32 largestRecordWords)
{
    QByteArray out(data.data(), layout.recordsOffset);
    out.append(records.data(), records.size());
    append32(out, 3);  // the end record
    append16(out, 0);
    const qsizetype h = layout.headerOffset;
    put32(out, h + 6, quint32((out.size() - h) / 2));        // file size in words
    put32(out, h + 12, qMax<quint32>(largestRecordWords, 3)); // largest record in words
    if (layout.placeable) {
        quint16 checksum = 0;
        for (qsizetype i = 0; i < 20; i += 2)
            checksum ^= u16At(out, i);
        put16(out, 20, checksum);
    }
    return out;
}

}  // namespace

namespace metafile {

void invalid(const QString &description) { raise(err::InvalidPicture, description); }

void checkSize(qint64 width, qint64 height)
{
    if (width > PictureLimits::maxMetafileSide || height > PictureLimits::maxMetafileSide
        || width * height > PictureLimits::maxMetafilePixels)
        raise(err::OutOfMemory, tooLargeDescription(width, height, PictureLimits::maxMetafilePixels));
}

// libwmf's bitmap reader trusts the header: a wrong header size or a height beyond the data sends
// it through millions of rows that are not there.
bool bitmapIsSound(QByteArrayView dib)
{
    constexpr qint64 maxBitmapPixels = 64LL * 1024 * 1024;
    if (dib.size() < 12)
        return false;
    const quint32 headerSize = u32At(dib, 0);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bits = 0;
    quint32 compression = 0;
    quint32 coloursUsed = 0;
    qint64 entryBytes = 4;
    if (headerSize == 12) {  // the old core header
        width = u16At(dib, 4);
        height = u16At(dib, 6);
        bits = u16At(dib, 10);
        entryBytes = 3;
        if (u16At(dib, 8) != 1)
            return false;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 || headerSize == 108
               || headerSize == 124) {
        if (dib.size() < qsizetype(headerSize))
            return false;
        width = s32At(dib, 4);
        height = s32At(dib, 8);
        bits = u16At(dib, 14);
        compression = u32At(dib, 16);
        coloursUsed = u32At(dib, 32);
        if (u16At(dib, 12) != 1)
            return false;
    } else {
        return false;
    }
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || width * height > maxBitmapPixels)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    const bool masks = compression == 3 && (bits == 16 || bits == 32);
    if (compression != 0 && !rle && !masks)
        return false;
    const qint64 palette = bits <= 8 ? (coloursUsed ? coloursUsed : (1u << bits)) : coloursUsed;
    if (bits <= 8 && palette > (1 << bits))
        return false;
    const qint64 tableBytes = qMin<qint64>(palette, 65536) * entryBytes + (masks && headerSize == 40 ? 12 : 0);
    const qint64 pixelsAt = headerSize + tableBytes;
    if (pixelsAt > dib.size())
        return false;
    if (rle)
        return true;  // run-length data ends where its end code is
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return stride * height <= dib.size() - pixelsAt;
}

// Calls keep(position, words, function) for each record of the file before its end record that
// libwmf is to see. SAVEDC records beyond maxSavedStates deep are left out with the RESTOREDC that
// would undo them: libwmf keeps every saved state in a list it searches on each allocation, so
// 200,000 of them took minutes.
template <typename Keep>
void forEachPlayedRecord(QByteArrayView data, const MetafileLayout &layout, Keep keep)
{
    constexpr quint16 saveDc = 0x001E, restoreDc = 0x0127;
    int depth = 0;     // states saved for libwmf
    int skipped = 0;   // SAVEDC records left out and not yet undone
    qsizetype end = layout.recordsEnd;
    if (layout.hasEndRecord)
        end -= recordHeaderSize;
    for (qsizetype pos = layout.recordsOffset; pos + recordHeaderSize <= end;) {
        const quint32 words = u32At(data, pos);
        const quint16 function = u16At(data, pos + 4);
        bool played = true;
        if (function == saveDc) {
            played = depth < maxSavedStates;
            if (played)
                ++depth;
            else
                ++skipped;
        } else if (function == restoreDc) {
            played = skipped == 0;  // libwmf undoes one state per record, whatever its parameter says
            if (played)
                depth = qMax(0, depth - 1);
            else
                --skipped;
        }
        if (played && !keep(pos, words, function))
            return;
        pos += qsizetype(words) * 2;
    }
}

// Whatever the header claimed about sizes: a wrong "largest record" field neither fails the file
// nor sizes a huge buffer in libwmf.
QByteArray normalisedCopy(QByteArrayView data, const MetafileLayout &layout)
{
    QByteArray records;
    forEachPlayedRecord(data, layout, [&](qsizetype pos, quint32 words, quint16) {
        records.append(data.data() + pos, qsizetype(words) * 2);
        return true;
    });
    return headersFor(data, layout, records, layout.largestRecordWords);
}

QByteArray mappingProbe(QByteArrayView data, const MetafileLayout &layout, int x, int y)
{
    QByteArray records;
    quint32 largest = 7;
    forEachPlayedRecord(data, layout, [&](qsizetype pos, quint32 words, quint16 function) {
        if (contains(drawingRecords, function))
            return false;
        if (contains(mappingRecords, function)) {
            records.append(data.data() + pos, qsizetype(words) * 2);
            largest = qMax(largest, words);
        }
        return true;
    });
    append32(records, 7);
    append16(records, setPixelRecord);
    append16(records, 0);  // colour: red and green
    append16(records, 0);  // colour: blue
    append16(records, quint16(qint16(y)));
    append16(records, quint16(qint16(x)));
    return headersFor(data, layout, records, largest);
}

void floodFill(std::span<quint32> pixels, int width, int height, int x, int y, quint32 fill, quint32 colour,
               FloodMode mode)
{
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || pixels.size() < std::size_t(width) * std::size_t(height))
        return;
    x = std::min(x, width - 1);
    y = std::min(y, height - 1);
    // Pixels already of the fill colour count as filled, so the fill ends.
    const auto inside = [&](quint32 pixel) {
        return pixel != fill && (mode == FloodMode::Border ? pixel != colour : pixel == colour);
    };
    if (!inside(pixels[std::size_t(y) * width + x]))
        return;
    struct Seed { int x, y; };
    std::vector<Seed> seeds{{x, y}};
    while (!seeds.empty()) {
        const Seed seed = seeds.back();
        seeds.pop_back();
        quint32 *row = pixels.data() + std::size_t(seed.y) * width;
        if (!inside(row[seed.x]))
            continue;  // filled since it was listed
        int left = seed.x, right = seed.x;
        while (left > 0 && inside(row[left - 1]))
            --left;
        while (right + 1 < width && inside(row[right + 1]))
            ++right;
        std::fill(row + left, row + right + 1, fill);
        // One seed per run of fillable pixels in the rows above and below.
        for (const int y2 : {seed.y - 1, seed.y + 1}) {
            if (y2 < 0 || y2 >= height)
                continue;
            const quint32 *next = pixels.data() + std::size_t(y2) * width;
            for (int i = left; i <= right; ++i) {
                if (inside(next[i]) && (i == left || !inside(next[i - 1])))
                    seeds.push_back({i, y2});
            }
        }
    }
}

}  // namespace metafile

QSize placeableNaturalSize(int left, int top, int right, int bottom, int unitsPerInch)
{
    if (unitsPerInch <= 0)
        invalid(QStringLiteral("The metafile's header does not say how many of its units make an inch."));
    if (right <= left || bottom <= top)
        invalid(QStringLiteral("The metafile's frame (%1, %2 to %3, %4) is empty or inverted.")
                    .arg(left).arg(top).arg(right).arg(bottom));
    const double width = std::nearbyint(double(right - left) * screenDpi / unitsPerInch);
    const double height = std::nearbyint(double(bottom - top) * screenDpi / unitsPerInch);
    const qint64 w = qMax<qint64>(1, qint64(width));
    const qint64 h = qMax<qint64>(1, qint64(height));
    checkSize(w, h);
    return QSize(int(w), int(h));
}

MetafileLayout inspectMetafile(QByteArrayView data)
{
    MetafileLayout layout;
    qsizetype pos = 0;
    if (data.size() >= 4 && u32At(data, 0) == placeableKey) {
        if (data.size() < placeableHeaderSize)
            invalid(QStringLiteral("The metafile is incomplete: its header is cut short."));
        layout.placeable = true;
        layout.left = s16At(data, 6);
        layout.top = s16At(data, 8);
        layout.right = s16At(data, 10);
        layout.bottom = s16At(data, 12);
        layout.unitsPerInch = u16At(data, 14);
        pos = placeableHeaderSize;
    }
    layout.headerOffset = pos;
    if (data.size() < pos + standardHeaderSize)
        invalid(QStringLiteral("The metafile is incomplete: its header is cut short."));
    const quint16 type = u16At(data, pos);
    const quint16 headerWords = u16At(data, pos + 2);
    if ((type != 1 && type != 2) || headerWords != standardHeaderSize / 2)
        invalid(QStringLiteral("The file is not a Windows metafile: its header is not one."));
    if (layout.placeable)
        layout.naturalSize =
            placeableNaturalSize(layout.left, layout.top, layout.right, layout.bottom, layout.unitsPerInch);

    pos += standardHeaderSize;
    layout.recordsOffset = pos;
    while (data.size() - pos >= recordHeaderSize) {
        const quint32 words = u32At(data, pos);
        const quint16 function = u16At(data, pos + 4);
        const qint64 record = layout.recordCount + 1;
        if (words < 3)
            invalid(QStringLiteral("The metafile is damaged: record %1 has an impossible size.").arg(record));
        if (qint64(words) > (data.size() - pos) / 2)
            invalid(QStringLiteral("The metafile is incomplete: it ends inside record %1.").arg(record));
        const qsizetype parameterBytes = qsizetype(words) * 2 - recordHeaderSize;
        const qsizetype dib = bitmapOffset(function, parameterBytes);
        if (dib >= 0
            && (dib >= parameterBytes || !bitmapIsSound(data.sliced(pos + recordHeaderSize + dib, parameterBytes - dib))))
            invalid(QStringLiteral("The metafile is damaged: the bitmap in record %1 cannot be read.").arg(record));
        pos += qsizetype(words) * 2;
        layout.recordCount = quint32(record);
        layout.largestRecordWords = qMax(layout.largestRecordWords, words);
        if (function == 0) {
            layout.hasEndRecord = true;
            break;
        }
    }
    // Without its end record a file may stop after a whole record; stopping inside one means it
    // was cut short, and so does stopping short of the size its header gives (a file cut off
    // right after a record would otherwise show part of its drawing, or none of it).
    if (!layout.hasEndRecord && pos != data.size())
        invalid(QStringLiteral("The metafile is incomplete: it ends inside record %1.").arg(layout.recordCount + 1));
    if (!layout.hasEndRecord && qint64(u32At(data, layout.headerOffset + 6)) * 2 > data.size() - layout.headerOffset)
        invalid(QStringLiteral("The metafile is incomplete: it ends after record %1, before the end its header gives.")
                    .arg(layout.recordCount));
    layout.recordsEnd = pos;
    return layout;
}

}  // namespace plakatron
