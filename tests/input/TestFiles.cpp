#include "TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace plakatron::test {

namespace {

void add16(QByteArray &d, int v)
{
    d.append(char(v & 0xFF));
    d.append(char((v >> 8) & 0xFF));
}
void add32(QByteArray &d, quint32 v)
{
    add16(d, int(v & 0xFFFF));
    add16(d, int(v >> 16));
}

}  // namespace

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// --- metafiles ----------------------------------------------------------------------------------

MetafileBuilder &MetafileBuilder::placeable(int left, int top, int right, int bottom, int unitsPerInch)
{
    placeable_ = true;
    frame_[0] = left;
    frame_[1] = top;
    frame_[2] = right;
    frame_[3] = bottom;
    frame_[4] = unitsPerInch;
    return *this;
}

MetafileBuilder &MetafileBuilder::record(quint16 function, std::initializer_list<int> parameters)
{
    QByteArray p;
    for (int v : parameters)
        add16(p, v);
    return record(function, p);
}

MetafileBuilder &MetafileBuilder::record(quint16 function, const QByteArray &parameterBytes)
{
    QByteArray r;
    QByteArray params = parameterBytes;
    if (params.size() % 2)
        params.append('\0');
    add32(r, quint32(3 + params.size() / 2));
    add16(r, function);
    r.append(params);
    records_.push_back(r);
    return *this;
}

MetafileBuilder &MetafileBuilder::solidFill(QColor colour)
{
    const quint32 colorRef = quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
    record(0x02FC, {0, int(colorRef & 0xFFFF), int(colorRef >> 16), 0});  // CREATEBRUSHINDIRECT, solid
    record(0x012D, {objects_++});                                          // SELECTOBJECT
    record(0x02FA, {5, 0, 0, 0, 0});                                       // CREATEPENINDIRECT, null pen
    record(0x012D, {objects_++});
    return *this;
}

MetafileBuilder &MetafileBuilder::stretchDib(int left, int top, int width, int height,
                                             const std::vector<std::vector<QRgb>> &rows)
{
    const int h = int(rows.size());
    const int w = int(rows.front().size());
    QByteArray p;
    add32(p, 0x00CC0020);  // SRCCOPY
    add16(p, 0);           // colours are RGB values
    add16(p, h);           // source height, width, y, x
    add16(p, w);
    add16(p, 0);
    add16(p, 0);
    add16(p, height);      // destination height, width, y, x
    add16(p, width);
    add16(p, top);
    add16(p, left);
    add32(p, 40);          // BITMAPINFOHEADER
    add32(p, quint32(w));
    add32(p, quint32(h));
    add16(p, 1);
    add16(p, 24);
    add32(p, 0);
    const int stride = (w * 3 + 3) / 4 * 4;
    add32(p, quint32(stride * h));
    add32(p, 2835);
    add32(p, 2835);
    add32(p, 0);
    add32(p, 0);
    for (int y = h - 1; y >= 0; --y) {  // bottom-up
        QByteArray row;
        for (QRgb c : rows[size_t(y)]) {
            row.append(char(qBlue(c)));
            row.append(char(qGreen(c)));
            row.append(char(qRed(c)));
        }
        row.append(QByteArray(stride - row.size(), '\0'));
        p.append(row);
    }
    return record(0x0F43, p);  // STRETCHDIB
}

QByteArray MetafileBuilder::bytes(bool withEndRecord) const
{
    QByteArray out;
    if (placeable_) {
        add32(out, 0x9AC6CDD7);
        add16(out, 0);
        for (int i = 0; i < 5; ++i)
            add16(out, frame_[i]);
        add32(out, 0);
        quint16 checksum = 0;
        for (int i = 0; i < 20; i += 2)
            checksum ^= qFromLittleEndian<quint16>(out.constData() + i);
        add16(out, checksum);
    }
    std::vector<QByteArray> records = records_;
    if (withEndRecord) {
        QByteArray end;
        add32(end, 3);
        add16(end, 0);
        records.push_back(end);
    }
    quint32 words = 9;
    quint32 largest = 3;
    for (const QByteArray &r : records) {
        words += quint32(r.size() / 2);
        largest = std::max(largest, quint32(r.size() / 2));
    }
    add16(out, type_);
    add16(out, 9);
    add16(out, 0x0300);
    add32(out, words);
    add16(out, objects_ + 2);
    add32(out, maxRecordOverride_ ? maxRecordOverride_ : largest);
    add16(out, 0);
    for (const QByteArray &r : records)
        out.append(r);
    return out;
}

// --- GIF ----------------------------------------------------------------------------------------

namespace {

// LZW codes of 3 bits for a 2-bit palette: every pixel a literal, with a clear code after each
// pair so the decoder's table never grows past what 3 bits can name.
QByteArray gifImageData(const std::vector<quint8> &indices)
{
    constexpr int clear = 4;
    constexpr int end = 5;
    std::vector<int> codes{clear};
    int sinceClear = 0;
    for (quint8 index : indices) {
        if (sinceClear == 2) {
            codes.push_back(clear);
            sinceClear = 0;
        }
        codes.push_back(index);
        ++sinceClear;
    }
    codes.push_back(end);

    QByteArray packed;
    quint32 bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= quint32(code) << count;
        count += 3;
        while (count >= 8) {
            packed.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        packed.append(char(bits & 0xFF));

    QByteArray out;
    out.append(char(2));  // minimum code size
    for (qsizetype i = 0; i < packed.size(); i += 255) {
        const QByteArray block = packed.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append('\0');
    return out;
}

}  // namespace

QByteArray makeGif(const std::vector<QRgb> &palette4, const std::vector<GifFrame> &frames)
{
    QByteArray out("GIF89a");
    add16(out, frames.front().width);
    add16(out, frames.front().height);
    out.append(char(0xF1));  // global colour table of 4 entries
    out.append('\0');
    out.append('\0');
    for (QRgb c : palette4) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    for (const GifFrame &f : frames) {
        out.append(char(0x21));  // graphic control extension
        out.append(char(0xF9));
        out.append(char(4));
        out.append(char(f.transparentIndex >= 0 ? 0x09 : 0x08));  // restore to background, transparency flag
        add16(out, 10);
        out.append(char(f.transparentIndex >= 0 ? f.transparentIndex : 0));
        out.append('\0');
        out.append(char(0x2C));  // image descriptor
        add16(out, 0);
        add16(out, 0);
        add16(out, f.width);
        add16(out, f.height);
        out.append('\0');
        out.append(gifImageData(f.indices));
    }
    out.append(char(0x3B));
    return out;
}

// --- icons --------------------------------------------------------------------------------------

QByteArray makeIcon(const std::vector<QImage> &images)
{
    std::vector<QByteArray> bodies;
    for (const QImage &source : images) {
        if (source.width() == 256 && source.height() == 256) {
            bodies.push_back(encode(source, "png"));
            continue;
        }
        const QImage image = source.convertToFormat(QImage::Format_ARGB32);
        const int w = image.width();
        const int h = image.height();
        QByteArray body;
        add32(body, 40);
        add32(body, quint32(w));
        add32(body, quint32(h * 2));  // colour rows and mask rows
        add16(body, 1);
        add16(body, 32);
        add32(body, 0);
        add32(body, 0);
        add32(body, 0);
        add32(body, 0);
        add32(body, 0);
        add32(body, 0);
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y);
                body.append(char(qBlue(c)));
                body.append(char(qGreen(c)));
                body.append(char(qRed(c)));
                body.append(char(qAlpha(c)));
            }
        }
        const int maskStride = ((w + 31) / 32) * 4;
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row(maskStride, '\0');
            for (int x = 0; x < w; ++x) {
                if (qAlpha(image.pixel(x, y)) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
            body.append(row);
        }
        bodies.push_back(body);
    }
    QByteArray out;
    add16(out, 0);
    add16(out, 1);
    add16(out, int(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.append(char(images[i].width() >= 256 ? 0 : images[i].width()));
        out.append(char(images[i].height() >= 256 ? 0 : images[i].height()));
        out.append('\0');
        out.append('\0');
        add16(out, 1);
        add16(out, 32);
        add32(out, quint32(bodies[i].size()));
        add32(out, offset);
        offset += quint32(bodies[i].size());
    }
    for (const QByteArray &b : bodies)
        out.append(b);
    return out;
}

// --- JPEG ---------------------------------------------------------------------------------------

QByteArray encode(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

QByteArray jpegWithOrientation(const QImage &image, int orientation)
{
    const QByteArray plain = encode(image, "jpeg", 95);
    QByteArray tiff("II*\0", 4);
    add32(tiff, 8);     // first directory
    add16(tiff, 1);     // one entry
    add16(tiff, 0x0112);  // Orientation
    add16(tiff, 3);     // SHORT
    add32(tiff, 1);
    add16(tiff, orientation);
    add16(tiff, 0);
    add32(tiff, 0);     // no next directory
    QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment;
    segment.append(char(0xFF));
    segment.append(char(0xE1));
    segment.append(char(((app1.size() + 2) >> 8) & 0xFF));
    segment.append(char((app1.size() + 2) & 0xFF));
    segment.append(app1);
    return plain.left(2) + segment + plain.mid(2);
}

}  // namespace plakatron::test
