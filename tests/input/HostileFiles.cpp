// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostileFiles.h"

#include "TestFiles.h"

#include <QImage>
#include <QtEndian>
#include <zlib.h>

namespace plakatron::test {

namespace {

// A placeable frame of side x side units at 96 units per inch: one unit is one pixel.
MetafileBuilder frame(int side)
{
    MetafileBuilder b;
    b.placeable(0, 0, side, side, 96);
    return b;
}

QByteArray bigEndian16(int value) { return QByteArray(1, char(value >> 8)) + char(value & 0xFF); }

}  // namespace

QByteArray floodMaze(int side, int step, quint16 function, int mode)
{
    MetafileBuilder b = frame(side);
    b.record(0x02FA, {0, 1, 0, 0, 0}).record(0x012D, {0});  // a black pen one pixel wide
    const int gap = 2 * step;
    for (int x = step, n = 0; x < side; x += step, ++n) {
        const bool openAtTop = n % 2;
        b.record(0x0214, {openAtTop ? gap : 0, x});              // MOVETO y, x
        b.record(0x0213, {openAtTop ? side : side - gap, x});    // LINETO y, x
    }
    // A red brush, then the fill at (1, 1): bounded by black, or over white. libwmf reads both
    // records with a mode word first.
    b.record(0x02FC, {0, 0x00FF, 0, 0}).record(0x012D, {1});
    const bool surface = function == 0x0548 && mode == 1;
    return b.record(function, {mode, surface ? 0xFFFF : 0, surface ? 0x00FF : 0, 1, 1}).bytes();
}

QByteArray thickPolyline(int side, int points, int penWidth)
{
    MetafileBuilder b = frame(side);
    b.record(0x02FA, {0, penWidth, 0, 0x00FF, 0}).record(0x012D, {0});
    QByteArray parameters = le(2, {points});
    for (int i = 0; i < points; ++i)
        parameters += le(2, {i % 2 ? side - 1 : 0, qint64(i) * (side - 1) / qMax(1, points - 1)});
    return b.record(0x0325, parameters).bytes();
}

QByteArray longText(int characters, bool withSpacing)
{
    MetafileBuilder b = frame(6000);
    b.font(-40);
    QByteArray text(characters + characters % 2, 'W');
    if (withSpacing)  // EXTTEXTOUT: y, x, count, options, the text, a spacing per character
        b.record(0x0A32, le(2, {100, 10, characters, 0}) + text + QByteArray(le(2, {1})).repeated(characters));
    else  // TEXTOUT: count, the text, y, x
        b.record(0x0521, le(2, {characters}) + text + le(2, {100, 10}));
    return b.bytes();
}

QByteArray manySaveDc(int count)
{
    MetafileBuilder b;
    for (int i = 0; i < count; ++i)
        b.record(0x001E, QByteArray());
    return b.solidFill(Qt::red).rectangle(0, 0, 500, 500).bytes();
}

QByteArray hugeFont(int side)
{
    return frame(side).font(-side, 0, 700).record(0x0521, le(2, {4}) + "WMWM" + le(2, {side - 10, 0})).bytes();
}

QByteArray jpegScanBomb(int width, int height, int scans)
{
    QByteArray out("\xFF\xD8", 2);
    out += QByteArray("\xFF\xDB\x00\x43\x00", 5) + QByteArray(64, '\x01');                // all quantisers 1
    out += QByteArray("\xFF\xC2\x00\x0B\x08", 5) + bigEndian16(height) + bigEndian16(width)
           + QByteArray("\x01\x01\x11\x00", 4);                                             // one grey component
    out += QByteArray("\xFF\xC4\x00\x14\x00\x01", 6) + QByteArray(16, '\0');               // DC: one code
    const QByteArray scan("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00", 10);                  // DC first, Al 0
    return out + scan.repeated(scans) + QByteArray("\xFF\xD9", 2);
}

QByteArray rleBmpWithSkips(int width, int height)
{
    // Runs of red (index 1) on a row, a delta jump, rows ended early, the end before the last row.
    QByteArray pixels;
    for (int y = 0; y < height - 1; ++y)
        pixels += y == height / 2 ? le(1, {0, 2, width / 2, 1})   // jump right and down a row
                                  : le(1, {width / 2, 1, 0, 0});  // half a row, then the end of the row
    pixels += le(1, {0, 1});  // end of bitmap
    const qint64 offset = 14 + 40 + 8;
    return "BM" + le(4, {offset + pixels.size(), 0, offset}) + le(4, {40, width, height}) + le(2, {1, 8})
           + le(4, {1, pixels.size(), 2835, 2835, 2, 0}) + le(1, {0, 0, 0, 0, 0, 0, 255, 0}) + pixels;
}

QByteArray pngClaiming(int side, bool real, int height)
{
    height = height > 0 ? height : side;
    QImage image(real ? side : 8, real ? height : 8, QImage::Format_Mono);
    image.fill(0);
    QByteArray png = encode(image, "png");
    qToBigEndian(quint32(side), png.data() + 16);
    qToBigEndian(quint32(height), png.data() + 20);
    qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef *>(png.constData() + 12), 17)), png.data() + 29);
    return png;
}

QByteArray iconWithPng(int dirSide, int pngSide, bool real)
{
    const QByteArray png = pngClaiming(pngSide, real);
    return le(2, {0, 1, 1}) + le(1, {dirSide % 256, dirSide % 256, 0, 0}) + le(2, {1, 32})
           + le(4, {png.size(), 22}) + png;
}

QByteArray pngWithText(int side, int chunks, qint64 inflated, bool international)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QByteArray png = encode(image, "png");
    // The keyword, its end and the compression method (0, deflate); iTXt adds a compression flag
    // and an empty language and translated keyword before the text.
    const QByteArray zeros(inflated, '\0');
    QByteArray text(compressBound(uLong(zeros.size())), Qt::Uninitialized);
    uLongf size = uLongf(text.size());
    compress2(reinterpret_cast<Bytef *>(text.data()), &size, reinterpret_cast<const Bytef *>(zeros.constData()),
              uLong(zeros.size()), 9);
    text.truncate(qsizetype(size));
    const QByteArray type = international ? "iTXt" : "zTXt";
    QByteArray all;
    for (int i = 0; i < chunks; ++i) {  // each under a keyword of its own, so a reader keeps them all
        const QByteArray data = "Comment " + QByteArray::number(i)
                                + QByteArray(international ? "\0\1\0\0\0" : "\0\0", international ? 5 : 2) + text;
        QByteArray chunk(4, '\0');
        qToBigEndian(quint32(data.size()), chunk.data());
        chunk += type + data + QByteArray(4, '\0');
        qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef *>(chunk.constData() + 4), uInt(chunk.size() - 8))),
                     chunk.data() + chunk.size() - 4);
        all += chunk;
    }
    // After the signature and the header chunk, before the pixels.
    return png.left(33) + all + png.mid(33);
}

}  // namespace plakatron::test
