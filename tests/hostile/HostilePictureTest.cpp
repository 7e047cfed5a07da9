// Picture files a user may have on disk that are not what they claim: empty or cut off at any
// byte, headers claiming gigapixels, metafiles drawing far outside any sensible area. Each is
// refused with error 481 or 7 and a description, or loads as a whole picture of bounded size;
// none crashes, hangs or comes back half decoded.
#include "HostileFiles.h"
#include "TestFiles.h"
#include "core/MessageBox.h"
#include "core/RuntimeError.h"
#include "input/Metafile.h"
#include "input/PictureLoader.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// What loading the file at path gives: "width x height", or "Error: number description".
QString loaded(const QString &path, QImage *picture = nullptr)
{
    try {
        const QImage image = loadPicture(path);
        if (picture)
            *picture = image;
        return QStringLiteral("%1 x %2").arg(image.width()).arg(image.height());
    } catch (const RuntimeError &e) {
        return errorWithNumber(e);
    }
}

// The same for bytes saved under a name.
QString load(const char *name, const QByteArray &bytes, QImage *picture = nullptr)
{
    writeFile(folder().filePath(QLatin1String(name)), bytes);
    return loaded(folder().filePath(QLatin1String(name)), picture);
}

// A picture of one colour in a format Qt writes, or (no format) as an icon file.
QByteArray encoded(int width, int height, const char *format)
{
    QImage image(width, height, format ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    return format ? encode(image, format, 60) : makeIcon({image});
}

QImage filled(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

// bytes with a little-endian number of size bytes written over them at offset.
QByteArray writing(QByteArray bytes, qsizetype offset, int size, qint64 value)
{
    return bytes.replace(offset, size, le(size, {value}));
}

// bytes with the hex digits written over them from offset on: a header claiming another size.
QByteArray claiming(QByteArray bytes, qsizetype offset, const char *hex)
{
    const QByteArray with = QByteArray::fromHex(hex);
    return bytes.replace(offset, with.size(), with);
}

// A PNG claiming 100000 x 100000 pixels, its header's checksum made right again (libpng checks it).
QByteArray pngClaiming()
{
    QByteArray bytes = claiming(encoded(8, 8, "png"), 16, "000186a0000186a0");
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(bytes.constData() + 12), 17);
    qToBigEndian(quint32(crc), bytes.data() + 29);
    return bytes;
}

// Each file whole: refused with 481 or 7, or a picture within the metafile limits. Each that
// loads is also cut off at every byte, and must then be refused as damaged, or (within the bytes
// at its end that hold no pixels) load whole.
TEST(HostilePicture, WholeCutOffClaimingTooMuchOrDrawingFarOut)
{
    const QByteArray gif = makeGif({qRgb(255, 0, 0), 0, 0, 0}, {GifFrame{4, 3, std::vector<quint8>(12, 0)}});
    const QByteArray bmp = encoded(8, 8, "bmp"), jpeg = encoded(16, 16, "jpeg");
    const QByteArray tiff = makeTiff({filled(6, 4)}, "rgb8"), heic = makeHeif(filled(16, 12), false);
    const QByteArray avif = makeHeif(filled(16, 12), true), webp = webpWithOrientation(filled(6, 4), 1);
    const QByteArray icon = encoded(256, 256, nullptr);  // 256 x 256 icons hold a PNG
    const qsizetype image = gif.indexOf(char(0x2C), 25), frame = jpeg.indexOf("\xFF\xC0");
    const QString tooLarge = "Error: 7 The picture is too large: ";
    const QString huge = tooLarge + "100000 x 100000 pixels (10000 megapixels). Pictures of up to 250 "
                                    "megapixels can be loaded.";
    const auto red = [] { return MetafileBuilder().solidFill(Qt::red); };
    const auto window = [](int x, int y, int view) {
        return MetafileBuilder().mapMode(8).windowExt(x, y).viewportExt(view, view).solidFill(Qt::red);
    };
    // The end bytes: a BMP row's padding, a GIF's trailer, a PNG's last checksum, a metafile's end.
    const struct { const char *name; QByteArray bytes; QString outcome; int dispensable; } cases[] = {
        {"cut.jpg", encoded(24, 16, "jpeg"), "24 x 16", 0},
        {"cut.bmp", encoded(5, 3, "bmp"), "5 x 3", 1},
        {"cut.gif", gif, "4 x 3", 1},
        {"cut.ico", encoded(8, 8, nullptr), "8 x 8", 0},
        {"cut.png", encoded(6, 4, "png"), "6 x 4", 4},
        {"cut.tif", tiff, "6 x 4", 0},
        {"cut.tif", makeTiff({filled(6, 4)}, "cmyk8", 6), "4 x 6", 0},
        {"cut.webp", encoded(6, 4, "webp"), "6 x 4", 0},
        {"cut.webp", webp, "6 x 4", 0},
        {"cut.webp", animatedWebp({filled(6, 4), filled(6, 4)}), "6 x 4", 0},
        {"cut.heic", heic, "16 x 12", 0},
        {"cut.avif", avif, "16 x 12", 0},
        {"cut.wmf", red().placeable(0, 0, 720, 720, 1440).rectangle(0, 0, 360, 360).bytes(), "48 x 48", 6},
        {"cut.wmf", red().rectangle(0, 0, 30, 30).ellipse(10, 10, 40, 20).bytes(), "54 x 41", 6},
        // 100000 little-endian is a0 86 01 00, -100000 (rows top-down) 60 79 fe ff.
        {"bomb.bmp", claiming(bmp, 18, "a0860100a0860100"), huge, 0},
        {"bomb.bmp", claiming(bmp, 18, "a08601006079feff"), huge, 0},
        {"bomb.png", pngClaiming(), huge, 0},
        // A TIFF's first two entries, a WebP canvas (24 bits, less one), every image-size box of a
        // HEIC or AVIF file.
        {"bomb.tif", writing(writing(tiff, 18, 4, 100000), 30, 4, 100000), huge, 0},
        {"bomb.webp", writing(writing(webp, 24, 3, 99999), 27, 3, 99999), huge, 0},
        {"bomb.heic", heifClaiming(heic, 100000, 100000), huge, 0},
        {"bomb.avif", heifClaiming(avif, 100000, 100000), huge, 0},
        // Beyond what any side of the format can hold.
        {"bomb.webp", writing(writing(webp, 24, 3, 0xFFFFFF), 27, 3, 0xFFFFFF), tooLarge + "16777216 x 16777216", 0},
        {"bomb.heic", heifClaiming(heic, 0xFFFFFFFF, 0xFFFFFFFF), "Error: 7 The HEIC picture is too large (", 0},
        // GIF and JPEG at their largest: 65535 and 65500 (beyond it the decoder itself refuses).
        {"bomb.gif", claiming(claiming(gif, 6, "ffffffff"), image + 5, "ffffffff"),
         tooLarge + "65535 x 65535", 0},
        {"bomb.jpg", claiming(jpeg, frame + 5, "ffdcffdc"), tooLarge + "65500 x 65500", 0},
        // The icon's directory says 256 x 256, which stands for larger too: the PNG's own size counts.
        {"bomb.ico", QByteArray(icon).replace(icon.indexOf("\x89PNG"), 33, pngClaiming().left(33)), huge, 0},
        // Drawing far out: the whole 16-bit range, only negative coordinates, a negative frame, a
        // window flipped, of no size, blown up.
        {"far.wmf", red().rectangle(-32768, -32768, 32767, 32767).bytes(), {}, 6},
        {"far.wmf", red().rectangle(-30000, -20000, -29000, -19500).bytes(), {}, 6},
        {"far.wmf", red().placeable(-32768, -32768, -31000, -31000, 1440)
                        .rectangle(-32000, -32000, -31500, -31500).bytes(), {}, 6},
        {"far.wmf", window(-1440, -1440, 96).rectangle(0, 0, -1440, -1440).bytes(), {}, 6},
        {"far.wmf", window(0, 0, 500).rectangle(0, 0, 10, 10).bytes(), {}, 6},
        {"far.wmf", window(1, 1, 32767).rectangle(-5, -5, 5, 5).bytes(), {}, 6},
    };
    for (const auto &c : cases) {
        const QString whole = load(c.name, c.bytes);
        SCOPED_TRACE(std::string(c.name) + " gives " + whole.toStdString());
        EXPECT_TRUE(whole.startsWith(c.outcome));
        if (whole.startsWith("Error: ")) {
            EXPECT_TRUE(whole.startsWith("Error: 481 ") || whole.startsWith("Error: 7 "));
            continue;
        }
        const QStringList sides = whole.split(" x ");
        EXPECT_LE(std::max(sides[0].toInt(), sides[1].toInt()), PictureLimits::maxMetafileSide);
        EXPECT_LE(qint64(sides[0].toInt()) * sides[1].toInt(), PictureLimits::maxMetafilePixels);
        for (qsizetype length = 0; length < c.bytes.size(); ++length) {
            const QString o = load(c.name, c.bytes.left(length));
            SCOPED_TRACE(testing::Message() << "the first " << length << " bytes give " << o.toStdString());
            const bool refused = o.startsWith("Error: 481 ") && o.size() > 11;
            EXPECT_TRUE(refused || (o == whole && length >= c.bytes.size() - c.dispensable));
            EXPECT_EQ(o == "Error: 481 The file is empty.", length == 0);
        }
    }
}

// Files made to crash a decoder, hold it for minutes or take gigabytes: each ends well within the
// loader's budgets, drawn whole or refused with its reason. Where one is drawn, the pixels at the
// points listed have the colours given (by initials: Red, blacK, White).
TEST(HostilePicture, DecoderBombsEndWithinTheirBudgets)
{
    const QString tooLarge = "Error: 7 The picture is too large: ";
    const QString scans = "Error: 481 The JPEG picture is made of ";
    const struct { const char *name; QByteArray bytes; QString outcome; std::vector<std::pair<QPoint, char>> pixels; } cases[] = {
        // Walls winding through the picture, then a fill: libwmf's recursion overflowed the stack.
        // The corridor fills to its far end; the walls stay.
        {"maze.wmf", floodMaze(2000, 10, 0x0419), "2000 x 2000", {{{5, 5}, 'R'}, {{1995, 1990}, 'R'}, {{10, 1000}, 'K'}}},
        {"maze-border.wmf", floodMaze(2000, 10, 0x0548, 0), "2000 x 2000", {{{1005, 1000}, 'R'}, {{1000, 1000}, 'K'}}},
        {"maze-surface.wmf", floodMaze(2000, 10, 0x0548, 1), "2000 x 2000", {{{1995, 5}, 'R'}, {{1990, 500}, 'K'}}},
        // Minutes each before: a pen as wide as the frame along 440 points, 32000 characters,
        // 200000 saved states, glyphs as tall as the picture.
        {"polyline.wmf", thickPolyline(3000, 440, 30000), "3000 x 3000", {{{0, 0}, 'R'}}},
        {"text.wmf", longText(32000, false), "6000 x 6000", {}},
        {"spaced-text.wmf", longText(32000, true), "6000 x 6000", {}},
        {"savedc.wmf", manySaveDc(200000), "668 x 668", {{{300, 300}, 'R'}}},
        {"font.wmf", hugeFont(3000), "3000 x 3000", {}},
        // Progressive JPEGs of thousands of empty scans; 100 scans are still a picture.
        {"scans.jpg", jpegScanBomb(15800, 15800, 3000), scans + "3000 scans; pictures of more than 100 scans are "
                                                                 "not loaded (encoders write about 10).", {}},
        {"scans.jpg", jpegScanBomb(2000, 2000, 20000), scans + "20000 scans", {}},
        {"scans.jpg", jpegScanBomb(64, 48, 101), scans + "101 scans", {}},
        {"scans.jpg", jpegScanBomb(64, 48, 100), "64 x 48", {}},
        // Icons whose PNG is larger than their directory says: up to 255 the directory is believed,
        // 256 also stands for larger sizes, which count against the limit.
        {"large.ico", iconWithPng(16, 16300, false), "Error: 481 The ICO picture is damaged: its image 1 is 16300 x "
                                                     "16300 pixels, larger than its list of images says (16 x 16).", {}},
        {"large.ico", iconWithPng(256, 16300, false), tooLarge + "16300 x 16300 pixels (266 megapixels)", {}},
        {"large.ico", iconWithPng(256, 300, true), "300 x 300", {}},
    };
    for (const auto &c : cases) {
        QImage picture;
        const QString outcome = load(c.name, c.bytes, &picture);
        SCOPED_TRACE(std::string(c.name) + " gives " + outcome.toStdString());
        EXPECT_TRUE(outcome.startsWith(c.outcome));
        for (const auto &[point, colour] : c.pixels) {
            const QRgb p = picture.pixel(point);
            EXPECT_EQ(qRed(p) > 127 ? (qBlue(p) > 127 ? 'W' : 'R') : 'K', colour) << point.x() << ", " << point.y();
        }
    }
}

// A drawing that runs past its time is given up with the documented message; so is one whose
// single record would run on (the deadline is shortened for the test).
TEST(HostilePicture, MetafileDrawingStopsAtTheDeadline)
{
    MetafileBuilder slow;
    slow.placeable(0, 0, 3000, 3000, 96).record(0x02FA, {0, 64, 0, 0x00FF, 0}).record(0x012D, {0});
    for (int i = 0; i < 200; ++i)  // each half a second of a 64-pixel brush
        slow.record(0x0325, {4, 0, 0, 2999, 2999, 0, 2999, 2999, 0});
    setMetafileDeadlineForTesting(1000);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(load("slow.wmf", slow.bytes()), "Error: 7 " + metafileTooSlowDescription());
    EXPECT_LT(timer.elapsed(), 1000 + 2000 + 1000) << "the deadline and the time a child is given to report";
    setMetafileDeadlineForTesting(0);
    EXPECT_EQ(metafileTooSlowDescription(), "The metafile takes too long to draw (more than 20 seconds).");
}

// A pipe, a device or a socket named as the picture is refused before anything is read from it;
// a link to a picture is the picture. A picture padded to gigabytes is read only as far as it goes.
TEST(HostilePicture, SpecialFilesAndPaddingAreNotRead)
{
    const QString pipe = folder().filePath("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString picture = folder().filePath("photo.jpg");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    writeFile(picture, encode(image, "jpeg"));
    const QString link = folder().filePath("link.jpg");
    ASSERT_TRUE(QFile::link(picture, link));
    const QString special = "Error: 481 The path names a pipe, a device or another special file, not a picture file.";
    const std::pair<QString, QString> cases[] = {
        {pipe, special}, {"/dev/zero", special}, {link, "64 x 48"}};
    for (const auto &[path, outcome] : cases)
        EXPECT_EQ(loaded(path), outcome) << path.toStdString();

    // 3 GB of zeros after the end marker, the container or the last box, in a sparse file: nothing
    // of it is written or read.
    const auto bytesRead = [] {
        QFile io(QStringLiteral("/proc/self/io"));
        return io.open(QIODevice::ReadOnly) ? io.readAll().split('\n').front().split(' ').back().toLongLong() : 0;
    };
    const std::pair<const char *, QByteArray> pictures[] = {
        {"padded.jpg", encode(image, "jpeg")}, {"padded.webp", encode(image, "webp")},
        {"padded.heic", makeHeif(image, false)}, {"padded.avif", makeHeif(image, true)}};
    for (const auto &[name, bytes] : pictures) {
        const QString padded = folder().filePath(QLatin1String(name));
        writeFile(padded, bytes);
        QFile file(padded);
        ASSERT_TRUE(file.resize(3LL * 1024 * 1024 * 1024));
        const qint64 before = bytesRead();
        EXPECT_EQ(loaded(padded), "64 x 48") << name;
        EXPECT_LT(bytesRead() - before, 16 * 1024 * 1024) << name;
        file.remove();
    }
}

}  // namespace
