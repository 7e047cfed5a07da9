// Picture files a user may have on disk that are not what they claim: empty or cut off at any
// byte, headers claiming pictures of gigapixels, metafiles drawing far outside any sensible
// area. Each is refused with error 481 or 7 and a description, or loads as a whole picture of
// bounded size; none crashes, hangs or comes back half decoded.
#include "TestFiles.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

QImage quarters(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height / 2, Qt::red);
    p.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    p.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::yellow);
    return image;
}

const std::vector<QRgb> gifPalette{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)};

// The outcome of loading bytes saved under a name.
struct Outcome {
    bool loaded = false;
    QSize size;
    int number = 0;
    QString description;
};

class PictureFiles : public ::testing::Test {
protected:
    Outcome load(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir_.filePath(name);
        writeFile(path, bytes);
        Outcome o;
        try {
            o.size = loadPicture(path).size();
            o.loaded = true;
        } catch (const RuntimeError &e) {
            o.number = e.number();
            o.description = e.description();
        }
        return o;
    }
    QTemporaryDir dir_;
};

// --- every format cut off at every byte -------------------------------------------------------

struct CutCase {
    const char *name;
    const char *fileName;
    std::function<QByteArray()> bytes;
    QSize size;
    // How many bytes at the end the format can do without: the padding of a BMP's last row, a
    // GIF's trailer, a PNG's last checksum, a metafile's end record.
    int dispensable;
};

class CutOff : public PictureFiles, public ::testing::WithParamInterface<CutCase> {};

TEST_P(CutOff, EveryShorterFileIsRefusedOrWhole)
{
    const CutCase &c = GetParam();
    const QByteArray whole = c.bytes();
    const Outcome full = load(QLatin1String(c.fileName), whole);
    ASSERT_TRUE(full.loaded) << full.description.toStdString();
    ASSERT_EQ(full.size, c.size);
    for (qsizetype length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(testing::Message() << length << " of " << whole.size() << " bytes");
        const Outcome o = load(QLatin1String(c.fileName), whole.left(length));
        if (o.loaded) {
            EXPECT_GE(length, whole.size() - c.dispensable) << "a cut-off file loaded";
            EXPECT_EQ(o.size, c.size);
        } else {
            EXPECT_EQ(o.number, err::InvalidPicture) << o.description.toStdString();
            EXPECT_FALSE(o.description.isEmpty());
        }
        if (length == 0) {
            EXPECT_EQ(o.description, QStringLiteral("The file is empty."));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, CutOff,
    ::testing::Values(
        CutCase{"jpeg", "cut.jpg", [] { return encode(quarters(24, 16), "jpeg", 60); }, {24, 16}, 0},
        CutCase{"bmp", "cut.bmp", [] { return encode(quarters(5, 3), "bmp"); }, {5, 3}, 1},
        CutCase{"gif", "cut.gif", [] { return makeGif(gifPalette, {GifFrame{4, 3, std::vector<quint8>(12, 2), -1}}); },
                {4, 3}, 1},
        CutCase{"ico", "cut.ico",
                [] {
                    QImage i(8, 8, QImage::Format_ARGB32);
                    i.fill(Qt::red);
                    return makeIcon({i});
                },
                {8, 8}, 0},
        // The end chunk's checksum comes after every pixel.
        CutCase{"png", "cut.png", [] { return encode(quarters(6, 4), "png"); }, {6, 4}, 4},
        CutCase{"placeable_wmf", "cut.wmf",
                [] {
                    return MetafileBuilder().placeable(0, 0, 720, 720, 1440).solidFill(Qt::red).rectangle(0, 0, 360, 360).bytes();
                },
                {48, 48}, 6},
        CutCase{"plain_wmf", "cut.wmf",
                [] { return MetafileBuilder().solidFill(Qt::red).rectangle(0, 0, 30, 30).ellipse(10, 10, 40, 20).bytes(); },
                {54, 41}, 6}),
    [](const auto &info) { return std::string(info.param.name); });

// --- headers claiming enormous pictures -------------------------------------------------------

// CRC-32 of a PNG chunk's type and data.
quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// A small PNG whose header claims width x height (with a sound checksum).
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray bytes = encode(quarters(8, 8), "png");
    qToBigEndian(width, bytes.data() + 16);
    qToBigEndian(height, bytes.data() + 20);
    qToBigEndian(crc32(bytes.mid(12, 17)), bytes.data() + 29);
    return bytes;
}

QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray bytes = encode(quarters(8, 8), "bmp");
    qToLittleEndian(width, bytes.data() + 18);
    qToLittleEndian(height, bytes.data() + 22);
    return bytes;
}

// The logical screen and the first image both claim the size.
QByteArray gifClaiming(quint16 width, quint16 height)
{
    QByteArray bytes = makeGif(gifPalette, {GifFrame{4, 3, std::vector<quint8>(12, 2), -1}});
    qToLittleEndian(width, bytes.data() + 6);
    qToLittleEndian(height, bytes.data() + 8);
    const qsizetype descriptor = bytes.indexOf(char(0x2C), 13 + 12);
    qToLittleEndian(width, bytes.data() + descriptor + 5);
    qToLittleEndian(height, bytes.data() + descriptor + 7);
    return bytes;
}

QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray bytes = encode(quarters(16, 16), "jpeg", 90);
    const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    qToBigEndian(height, bytes.data() + frame + 5);
    qToBigEndian(width, bytes.data() + frame + 7);
    return bytes;
}

// An icon whose one image is a PNG claiming the size (the directory can only say 256).
QByteArray iconClaiming(quint32 width, quint32 height)
{
    QImage big(256, 256, QImage::Format_ARGB32);
    big.fill(Qt::blue);
    QByteArray bytes = makeIcon({big});
    const qsizetype png = bytes.indexOf("\x89PNG");
    const QByteArray claimed = pngClaiming(width, height);
    bytes.replace(png, 33, claimed.left(33));
    return bytes;
}

struct BombCase {
    const char *name;
    const char *fileName;
    std::function<QByteArray()> bytes;
    int number;
    const char *says;
};

class Bomb : public PictureFiles, public ::testing::WithParamInterface<BombCase> {};

TEST_P(Bomb, RefusedFromItsHeader)
{
    const BombCase &c = GetParam();
    const Outcome o = load(QLatin1String(c.fileName), c.bytes());
    EXPECT_FALSE(o.loaded) << o.size.width() << " x " << o.size.height();
    EXPECT_EQ(o.number, c.number) << o.description.toStdString();
    EXPECT_TRUE(o.description.contains(QLatin1String(c.says))) << o.description.toStdString();
}

constexpr int tooLarge = err::OutOfMemory;

INSTANTIATE_TEST_SUITE_P(
    Hostile, Bomb,
    ::testing::Values(
        BombCase{"bmp", "bomb.bmp", [] { return bmpClaiming(100000, 100000); }, tooLarge, "100000 x 100000 pixels"},
        BombCase{"bmp_top_down", "bomb.bmp", [] { return bmpClaiming(100000, -100000); }, tooLarge,
                 "100000 x 100000 pixels"},
        BombCase{"png", "bomb.png", [] { return pngClaiming(100000, 100000); }, tooLarge, "100000 x 100000 pixels"},
        BombCase{"png_long_rows", "bomb.png", [] { return pngClaiming(1000000, 300); }, tooLarge,
                 "1000000 x 300 pixels"},
        BombCase{"gif", "bomb.gif", [] { return gifClaiming(65535, 65535); }, tooLarge, "65535 x 65535 pixels"},
        // The largest a JPEG decoder takes; beyond it the decoder itself refuses the file.
        BombCase{"jpeg", "bomb.jpg", [] { return jpegClaiming(65500, 65500); }, tooLarge, "65500 x 65500 pixels"},
        // The icon's directory says 256 x 256, the image in it otherwise: Qt's allocation limit stops
        // the decoder, and the file is reported as the contradiction it is.
        BombCase{"icon_with_png", "bomb.ico", [] { return iconClaiming(100000, 100000); }, err::InvalidPicture,
                 "ICO picture is damaged"},
        BombCase{"placeable_metafile", "bomb.wmf",
                 [] { return MetafileBuilder().placeable(-32768, -32768, 32767, 32767, 1).bytes(); }, tooLarge,
                 "too large"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- metafiles drawing far out ----------------------------------------------------------------

struct ExtentCase {
    const char *name;
    std::function<QByteArray()> bytes;
};

class MetafileExtent : public PictureFiles, public ::testing::WithParamInterface<ExtentCase> {};

TEST_P(MetafileExtent, BoundedPictureOrClearRefusal)
{
    const Outcome o = load(QStringLiteral("far.wmf"), GetParam().bytes());
    if (o.loaded) {
        EXPECT_LE(o.size.width(), PictureLimits::maxMetafileSide);
        EXPECT_LE(o.size.height(), PictureLimits::maxMetafileSide);
        EXPECT_LE(qint64(o.size.width()) * o.size.height(), PictureLimits::maxMetafilePixels);
    } else {
        EXPECT_TRUE(o.number == err::InvalidPicture || o.number == err::OutOfMemory) << o.number;
        EXPECT_FALSE(o.description.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, MetafileExtent,
    ::testing::Values(
        ExtentCase{"whole_16_bit_range",
                   [] { return MetafileBuilder().solidFill(Qt::red).rectangle(-32768, -32768, 32767, 32767).bytes(); }},
        ExtentCase{"only_negative_coordinates",
                   [] { return MetafileBuilder().solidFill(Qt::red).rectangle(-30000, -20000, -29000, -19500).bytes(); }},
        ExtentCase{"negative_placeable_frame",
                   [] {
                       return MetafileBuilder().placeable(-32768, -32768, -31000, -31000, 1440).solidFill(Qt::red)
                           .rectangle(-32000, -32000, -31500, -31500).bytes();
                   }},
        ExtentCase{"flipped_window",
                   [] {
                       return MetafileBuilder().mapMode(8).windowExt(-1440, -1440).viewportExt(96, 96).solidFill(Qt::red)
                           .rectangle(0, 0, -1440, -1440).bytes();
                   }},
        ExtentCase{"window_of_no_size",
                   [] {
                       return MetafileBuilder().mapMode(8).windowExt(0, 0).viewportExt(500, 500).solidFill(Qt::red)
                           .rectangle(0, 0, 10, 10).bytes();
                   }},
        ExtentCase{"viewport_blown_up",
                   [] {
                       return MetafileBuilder().mapMode(8).windowExt(1, 1).viewportExt(32767, 32767).solidFill(Qt::red)
                           .rectangle(-5, -5, 5, 5).bytes();
                   }},
        ExtentCase{"placeable_frame_far_from_the_drawing",
                   [] {
                       return MetafileBuilder().placeable(0, 0, 1440, 1440, 1440).solidFill(Qt::red)
                           .rectangle(-32768, -32768, -32000, -32000).bytes();
                   }}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
