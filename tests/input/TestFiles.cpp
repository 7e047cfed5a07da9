#include "TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace plakatron::test {

QByteArray le(int size, std::initializer_list<qint64> values)
{
    QByteArray out;
    for (qint64 v : values)
        for (int i = 0; i < size; ++i)
            out += char((v >> (8 * i)) & 0xFF);
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
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

QByteArray MetafileBuilder::bytes(bool withEndRecord) const
{
    const QByteArray records = withEndRecord ? records_ + le(4, {3}) + le(2, {0}) : records_;
    return placeable_ + le(2, {1, 9, 0x0300}) + le(4, {9 + records.size() / 2}) + le(2, {objects_ + 2})
           + le(4, {largest_}) + le(2, {0}) + records;
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
    // A little-endian TIFF header and one directory entry: Orientation, one SHORT.
    const QByteArray exif = QByteArray("Exif\0\0II*\0", 10) + le(4, {8}) + le(2, {1, 0x0112, 3}) + le(4, {1})
                            + le(2, {orientation, 0}) + le(4, {0});
    // An APP1 segment; its length (big-endian, counting itself) is under 256.
    return plain.left(2) + le(1, {0xFF, 0xE1, 0, exif.size() + 2}) + exif + plain.mid(2);
}

}  // namespace plakatron::test
