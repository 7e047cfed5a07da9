// Loading real files of every format through the real decoders, and the failures a user can
// run into: each must end in a RuntimeError whose text says what is wrong.
#include "TestFiles.h"
#include "core/MessageBox.h"
#include "core/RuntimeError.h"
#include "input/OpenPicture.h"
#include "input/PictureFormat.h"
#include "input/PictureLoader.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

constexpr QRgb white = 0xFFFFFFFF;

// Four quarters: red, green / blue, yellow.
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

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class LoadPicture : public ::testing::Test {
protected:
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir_.filePath(name);
        writeFile(path, bytes);
        return path;
    }
    QString path(const QString &name) const { return dir_.filePath(name); }

    // The error loading path gives; fails the test when it loads.
    RuntimeError failure(const QString &path)
    {
        try {
            loadPicture(path);
        } catch (const RuntimeError &e) {
            return e;
        }
        ADD_FAILURE() << "loaded " << path.toStdString();
        return RuntimeError(0);
    }

    QTemporaryDir dir_;
};

// --- every format, real decoders --------------------------------------------------------------

struct FormatCase {
    const char *name;
    const char *fileName;
    std::function<QByteArray()> bytes;
    QSize size;
    int tolerance;  // JPEG is lossy
};

class LoadFormat : public LoadPicture, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(LoadFormat, NaturalSizeAndColours)
{
    const FormatCase &c = GetParam();
    const QImage image = loadPicture(file(QString::fromLatin1(c.fileName), c.bytes()));
    ASSERT_EQ(image.size(), c.size);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    const int w = c.size.width(), h = c.size.height();
    EXPECT_TRUE(near(image.pixel(w / 4, h / 4), qRgb(255, 0, 0), c.tolerance));
    EXPECT_TRUE(near(image.pixel(3 * w / 4, h / 4), qRgb(0, 255, 0), c.tolerance));
    EXPECT_TRUE(near(image.pixel(w / 4, 3 * h / 4), qRgb(0, 0, 255), c.tolerance));
    EXPECT_TRUE(near(image.pixel(3 * w / 4, 3 * h / 4), qRgb(255, 255, 0), c.tolerance));
}

INSTANTIATE_TEST_SUITE_P(
    Picture, LoadFormat,
    ::testing::Values(
        FormatCase{"jpeg", "photo.jpg", [] { return encode(quarters(320, 200), "jpeg", 95); }, {320, 200}, 12},
        FormatCase{"jpeg_long_extension", "photo.jpeg", [] { return encode(quarters(64, 48), "jpeg", 95); }, {64, 48}, 12},
        FormatCase{"bmp_24bit_odd_width", "odd.bmp", [] { return encode(quarters(33, 17), "bmp"); }, {33, 17}, 0},
        FormatCase{"bmp_8bit_palette", "indexed.bmp",
                   [] { return encode(quarters(40, 30).convertToFormat(QImage::Format_Indexed8), "bmp"); }, {40, 30}, 0},
        FormatCase{"ico_single", "single.ico", [] { return encode(quarters(32, 32), "ico"); }, {32, 32}, 0},
        FormatCase{"png_named_jpg", "really-a-png.jpg", [] { return encode(quarters(50, 40), "png"); }, {50, 40}, 0},
        FormatCase{"jpeg_named_bmp", "really-a-jpeg.bmp", [] { return encode(quarters(64, 64), "jpeg", 95); }, {64, 64}, 12}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadPicture, GrayscaleJpegBecomesRgb32)
{
    QImage gray(30, 20, QImage::Format_Grayscale8);
    gray.fill(200);
    const QImage image = loadPicture(file("gray.jpg", encode(gray, "jpeg", 95)));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(near(image.pixel(15, 10), qRgb(200, 200, 200), 3));
}

struct OrientationCase {
    int orientation;
    QSize size;
    QRgb topLeft;  // the left half of the stored picture is red, the right half blue
};

class JpegOrientation : public LoadPicture, public ::testing::WithParamInterface<OrientationCase> {};

TEST_P(JpegOrientation, PhotoComesInUpright)
{
    QImage stored(40, 20, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    QPainter(&stored).fillRect(0, 0, 20, 20, Qt::red);
    const OrientationCase &c = GetParam();
    const QImage image = loadPicture(file("phone.jpg", jpegWithOrientation(stored, c.orientation)));
    ASSERT_EQ(image.size(), c.size);
    EXPECT_TRUE(near(image.pixel(3, 3), c.topLeft, 20));
}

INSTANTIATE_TEST_SUITE_P(Picture, JpegOrientation,
                         ::testing::Values(OrientationCase{1, {40, 20}, qRgb(255, 0, 0)},
                                           OrientationCase{3, {40, 20}, qRgb(0, 0, 255)},   // turned half round
                                           OrientationCase{6, {20, 40}, qRgb(255, 0, 0)},   // turned right
                                           OrientationCase{8, {20, 40}, qRgb(0, 0, 255)}),  // turned left
                         [](const auto &info) { return "orientation_" + std::to_string(info.param.orientation); });

TEST_F(LoadPicture, GifFirstFrameWithTransparencyOnWhite)
{
    // Palette: 0 red, 1 green, 2 blue, 3 black. Frame 1: top row transparent (index 3), the rest
    // red. Frame 2: all green.
    GifFrame first{4, 3, {3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0}, 3};
    GifFrame second{4, 3, std::vector<quint8>(12, 1), -1};
    const QImage image = loadPicture(
        file("anim.gif", makeGif({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)}, {first, second})));
    ASSERT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(1, 0), white);
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
}

TEST_F(LoadPicture, IconTakesTheLargestImageAndLaysItOnWhite)
{
    QImage small(16, 16, QImage::Format_ARGB32);
    small.fill(Qt::red);
    QImage large(48, 48, QImage::Format_ARGB32);
    large.fill(Qt::green);
    large.setPixel(0, 0, qRgba(0, 0, 0, 0));  // transparent corner
    QImage middle(32, 32, QImage::Format_ARGB32);
    middle.fill(Qt::blue);
    const QImage image = loadPicture(file("app.ico", makeIcon({small, large, middle})));
    ASSERT_EQ(image.size(), QSize(48, 48));
    EXPECT_EQ(image.pixel(24, 24), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(0, 0), white);
}

TEST_F(LoadPicture, IconWithAPngImage)
{
    QImage small(32, 32, QImage::Format_ARGB32);
    small.fill(Qt::red);
    QImage large(256, 256, QImage::Format_ARGB32);
    large.fill(Qt::blue);
    const QImage image = loadPicture(file("vista.ico", makeIcon({small, large})));
    ASSERT_EQ(image.size(), QSize(256, 256));
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 255));
}

TEST_F(LoadPicture, MetafileByContent)
{
    const QByteArray wmf = MetafileBuilder().placeable(0, 0, 2880, 1440, 1440).solidFill(Qt::red).rectangle(0, 0, 1440, 1440).bytes();
    const QImage image = loadPicture(file("drawing.wmf", wmf));
    ASSERT_EQ(image.size(), QSize(192, 96));
    EXPECT_EQ(image.pixel(40, 40), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(150, 40), white);
}

// --- failures ---------------------------------------------------------------------------------

struct FailureCase {
    const char *name;
    const char *fileName;
    std::function<QByteArray()> bytes;  // empty function: no file is written
    int number;
    const char *says;
};

class LoadFailure : public LoadPicture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LoadFailure, ClearError)
{
    const FailureCase &c = GetParam();
    const QString name = QString::fromLatin1(c.fileName);
    const QString target = c.bytes ? file(name, c.bytes()) : path(name);
    const RuntimeError e = failure(target);
    EXPECT_EQ(e.number(), c.number);
    EXPECT_TRUE(e.description().contains(QLatin1String(c.says))) << e.description().toStdString();
}

QByteArray bmpClaiming(int width, int height)
{
    QByteArray bytes = encode(quarters(8, 8), "bmp");
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    return bytes;
}

// A small JPEG whose frame header claims width x height.
QByteArray jpegClaiming(int width, int height)
{
    QByteArray bytes = encode(quarters(16, 16), "jpeg", 90);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    qToBigEndian<quint16>(quint16(height), bytes.data() + sof + 5);
    qToBigEndian<quint16>(quint16(width), bytes.data() + sof + 7);
    return bytes;
}

QByteArray firstPart(const QByteArray &bytes, double share) { return bytes.left(qsizetype(bytes.size() * share)); }

INSTANTIATE_TEST_SUITE_P(
    Picture, LoadFailure,
    ::testing::Values(
        FailureCase{"missing_file", "nowhere.jpg", {}, 53, "File not found"},
        FailureCase{"empty_file", "empty.jpg", [] { return QByteArray(); }, 481, "The file is empty."},
        FailureCase{"text_named_bmp", "notes.bmp", [] { return QByteArray("These are my notes, not a picture.\n"); }, 481,
                    "not a picture in a supported format (JPEG, BMP, GIF, ICO or WMF), although its name ends in \".bmp\""},
        FailureCase{"truncated_jpeg", "cut.jpg", [] { return firstPart(encode(quarters(200, 150), "jpeg", 95), 0.6); },
                    481, "JPEG picture is incomplete"},
        FailureCase{"jpeg_without_end_marker", "cut.jpg",
                    [] { return encode(quarters(64, 64), "jpeg", 95).chopped(2); }, 481, "JPEG picture is incomplete"},
        FailureCase{"truncated_bmp", "cut.bmp", [] { return firstPart(encode(quarters(100, 100), "bmp"), 0.5); }, 481,
                    "BMP picture is incomplete"},
        FailureCase{"truncated_gif", "cut.gif",
                    [] {
                        GifFrame f{4, 3, std::vector<quint8>(12, 1), -1};
                        return makeGif({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), 0}, {f}).left(40);
                    },
                    481, "GIF picture is damaged or incomplete"},
        FailureCase{"gif_cut_inside_the_pixels", "cut.gif",
                    [] {
                        GifFrame f{40, 30, std::vector<quint8>(1200, 2), -1};
                        return firstPart(makeGif({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), 0}, {f}), 0.7);
                    },
                    481, "GIF picture is damaged or incomplete"},
        FailureCase{"truncated_icon", "cut.ico",
                    [] {
                        QImage i(32, 32, QImage::Format_ARGB32);
                        i.fill(Qt::red);
                        return firstPart(makeIcon({i}), 0.8);
                    },
                    481, "icon file is damaged or incomplete"},
        FailureCase{"huge_bmp_header", "huge.bmp", [] { return bmpClaiming(20000, 20000); }, 7,
                    "too large: 20000 x 20000 pixels (400 megapixels)"},
        FailureCase{"huge_jpeg_header", "huge.jpg", [] { return jpegClaiming(30000, 30000); }, 7,
                    "Pictures of up to 250 megapixels can be loaded."},
        FailureCase{"hostile_metafile", "evil.wmf",
                    [] { return MetafileBuilder().placeable(0, 0, 32767, 32767, 1).bytes(); }, 7, "too large"},
        FailureCase{"metafile_cut_short", "cut.wmf",
                    [] { return firstPart(MetafileBuilder().solidFill(Qt::red).rectangle(0, 0, 9, 9).bytes(), 0.7); },
                    481, "metafile is incomplete"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadPicture, FolderIsNoPicture)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("album.jpg"));
    const RuntimeError e = failure(path("album.jpg"));
    EXPECT_EQ(e.number(), 75);
    EXPECT_EQ(e.description(), "The path names a folder, not a picture file.");
}

// What the main window shows when a dropped or chosen file cannot be loaded.
TEST_F(LoadPicture, FailureMessageNamesPathDescriptionAndCode)
{
    const QString target = file("notes.jpg", "plain text");
    try {
        loadPicture(target);
        FAIL() << "loaded";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(loadFailureMessage(target, e),
                  QString("Unable to load picture '" + target + "'\r\n" + e.description() + "\r\nCode 481"));
    }
}

// --- byte rules -------------------------------------------------------------------------------

TEST(PictureFormat, SniffsByContent)
{
    struct Case {
        QByteArray head;
        PictureFormat format;
    };
    const Case cases[] = {
        {QByteArray("\xFF\xD8\xFF\xE0", 4), PictureFormat::Jpeg},
        {QByteArray("GIF89a"), PictureFormat::Gif},
        {QByteArray("GIF87a"), PictureFormat::Gif},
        {QByteArray("GIF90a"), PictureFormat::Unknown},
        {QByteArray("\x89PNG\r\n\x1A\n", 8), PictureFormat::Png},
        {QByteArray("\xD7\xCD\xC6\x9A", 4), PictureFormat::Wmf},
        {QByteArray("\x01\x00\x09\x00\x00\x03", 6), PictureFormat::Wmf},
        {QByteArray("\x02\x00\x09\x00\x00\x01", 6), PictureFormat::Wmf},
        {QByteArray("\x01\x00\x09\x00\x00\x02", 6), PictureFormat::Unknown},  // no such metafile version
        {QByteArray("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00", 18), PictureFormat::Bmp},
        {QByteArray("BMP is a nice format"), PictureFormat::Unknown},
        {QByteArray("\x00\x00\x01\x00\x01\x00", 6), PictureFormat::Ico},
        {QByteArray("\x00\x00\x01\x00\x00\x00", 6), PictureFormat::Unknown},  // an icon file without images
        {QByteArray(), PictureFormat::Unknown},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sniffPictureFormat(c.head), c.format) << c.head.toHex().toStdString();
}

TEST(PictureFormat, JpegCompleteness)
{
    const QByteArray whole = encode(quarters(64, 64), "jpeg", 90);
    EXPECT_TRUE(jpegIsComplete(whole));
    EXPECT_TRUE(jpegIsComplete(QByteArray(whole + QByteArray(5000, 'x'))));  // a trailer after the end marker
    EXPECT_FALSE(jpegIsComplete(whole.chopped(2)));
    EXPECT_FALSE(jpegIsComplete(whole.left(whole.size() / 2)));
    EXPECT_FALSE(jpegIsComplete(whole.left(20)));
    EXPECT_FALSE(jpegIsComplete(QByteArray("\xFF\xD8\xFF\xD9", 2)));
    // A progressive JPEG has several scans.
    QByteArray progressive;
    {
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        ASSERT_TRUE(writer.write(quarters(64, 64)));
    }
    EXPECT_TRUE(jpegIsComplete(progressive));
    EXPECT_FALSE(jpegIsComplete(progressive.left(progressive.size() - 40)));
}

TEST(PictureFormat, GifFirstImageCompleteness)
{
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), 0};
    const GifFrame frame{40, 30, std::vector<quint8>(1200, 2), -1};
    const QByteArray one = makeGif(palette, {frame});
    const QByteArray two = makeGif(palette, {frame, frame});
    EXPECT_TRUE(gifFirstImageIsComplete(one));
    EXPECT_TRUE(gifFirstImageIsComplete(one.chopped(1)));  // without the trailer
    EXPECT_FALSE(gifFirstImageIsComplete(one.chopped(2)));  // without the blocks' terminator
    EXPECT_TRUE(gifFirstImageIsComplete(two.left(two.size() / 2 + 30)));  // the second image cut off
    for (double share : {0.1, 0.3, 0.5, 0.9})
        EXPECT_FALSE(gifFirstImageIsComplete(one.left(qsizetype(one.size() * share)))) << share;
}

TEST(PictureFormat, BmpHeader)
{
    const QByteArray bmp = encode(quarters(33, 17), "bmp");  // rows of 99 bytes padded to 100
    BmpHeader h = readBmpHeader(bmp, bmp.size());
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.width, 33);
    EXPECT_EQ(h.height, 17);
    EXPECT_TRUE(h.complete);
    EXPECT_TRUE(readBmpHeader(bmp, bmp.size() - 1).complete);  // only the last row's padding missing
    EXPECT_FALSE(readBmpHeader(bmp, bmp.size() - 2).complete);
    EXPECT_FALSE(readBmpHeader(bmp, 100).complete);
    EXPECT_FALSE(readBmpHeader(QByteArray("BM"), 2).valid);

    // A header whose rows, multiplied out, would not fit 64 bits: counted without overflowing.
    QByteArray absurd = bmp;
    qToLittleEndian<qint32>(0x5B000009, absurd.data() + 18);
    qToLittleEndian<qint32>(0x44490002, absurd.data() + 22);
    qToLittleEndian<quint16>(0x4144, absurd.data() + 28);  // bits per pixel
    h = readBmpHeader(absurd, absurd.size());
    EXPECT_TRUE(h.valid);
    EXPECT_FALSE(h.complete);
}

}  // namespace
