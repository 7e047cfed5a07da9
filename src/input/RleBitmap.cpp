// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/RleBitmap.h"

#include "input/Bytes.h"

#include <algorithm>

namespace plakatron {

using namespace bytes;

namespace {

constexpr qsizetype fileHeaderSize = 14;
constexpr quint32 rle8 = 1, rle4 = 2;

}  // namespace

bool isRleBitmap(QByteArrayView head)
{
    if (head.size() < fileHeaderSize + 20 || head.first(2) != QByteArrayView("BM"))
        return false;
    const quint32 infoSize = u32At(head, fileHeaderSize);
    if (infoSize < 40)  // the old core header knows no compression
        return false;
    const quint16 bits = u16At(head, fileHeaderSize + 14);
    const quint32 compression = u32At(head, fileHeaderSize + 16);
    return (compression == rle8 && bits == 8) || (compression == rle4 && bits == 4);
}

RleBitmap decodeRleBitmap(QByteArrayView file)
{
    RleBitmap result;
    if (!isRleBitmap(file) || file.size() < fileHeaderSize + 40)
        return result;
    const quint32 pixelOffset = u32At(file, 10);
    const quint32 infoSize = u32At(file, fileHeaderSize);
    const qint64 width = s32At(file, fileHeaderSize + 4);
    const qint64 height = s32At(file, fileHeaderSize + 8);
    const bool eightBits = u16At(file, fileHeaderSize + 14) == 8;
    const quint32 used = u32At(file, fileHeaderSize + 32);
    // Run-length bitmaps are stored bottom up; a negative height is not one of them.
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return result;
    const qint64 colours = used ? used : (eightBits ? 256 : 16);
    const qsizetype palette = fileHeaderSize + qsizetype(infoSize);
    if (colours > (eightBits ? 256 : 16) || palette + colours * 4 > file.size() || pixelOffset > file.size())
        return result;
    QRgb table[256];
    std::fill(std::begin(table), std::end(table), qRgb(0, 0, 0));  // indices beyond the table: black
    for (qint64 i = 0; i < colours; ++i)
        table[i] = qRgb(u8At(file, palette + i * 4 + 2), u8At(file, palette + i * 4 + 1), u8At(file, palette + i * 4));

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return result;
    image.fill(Qt::white);
    qsizetype pos = pixelOffset;
    const qsizetype end = file.size();
    qint64 x = 0, y = 0;  // y counts rows from the bottom
    const auto put = [&](quint8 index) {
        if (x < width && y < height)
            reinterpret_cast<QRgb *>(image.scanLine(int(height - 1 - y)))[x] = table[index];
        ++x;
    };
    bool ended = false;
    while (y < height && pos + 2 <= end) {
        const quint8 count = u8At(file, pos), value = u8At(file, pos + 1);
        pos += 2;
        if (count > 0) {  // a run: one index, or two nibbles in turn
            for (int i = 0; i < count; ++i)
                put(eightBits ? value : (i % 2 ? value & 0x0F : value >> 4));
        } else if (value == 0) {  // end of row
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            ended = true;
            break;
        } else if (value == 2) {  // delta: right and up
            if (pos + 2 > end)
                break;
            x += u8At(file, pos);
            y += u8At(file, pos + 1);
            pos += 2;
        } else {  // absolute: value indices, padded to a whole word
            const qsizetype bytes = eightBits ? value : (value + 1) / 2;
            if (pos + bytes > end)
                break;
            for (int i = 0; i < value; ++i) {
                const quint8 b = u8At(file, pos + (eightBits ? i : i / 2));
                put(eightBits ? b : (i % 2 ? b & 0x0F : b >> 4));
            }
            pos += (bytes + 1) & ~qsizetype(1);
        }
    }
    result.complete = ended || y >= height;
    result.image = image;
    return result;
}

}  // namespace plakatron
