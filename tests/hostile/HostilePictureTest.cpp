// SPDX-License-Identifier: GPL-3.0-or-later
// Picture files a user may have on disk that are not what they claim, or made to hurt: not a
// picture, cut off at any byte, of a kind not decoded, headers claiming gigapixels, metafiles
// drawing far out or for minutes, scan bombs, lying icons, special files, gigabytes of padding.
// Each is refused with error 481 or 7 and a description saying what is wrong, or loads as a whole
// picture of bounded size; none crashes, hangs or comes back half decoded.
#include "HostileFiles.h"
#include "Loading.h"
#include "TestFiles.h"
#include "input/Metafile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace plakatron;
using namespace plakatron::test;
using Wmf = MetafileBuilder;

namespace {

// What loading bytes saved under a name gives (see loaded).
QString load(const char *name, const QByteArray &bytes, Picture *picture = nullptr)
{
    return loaded(saved(QLatin1String(name), bytes), picture);
}

QByteArray smallGif() { return makeGif({qRgb(255, 0, 0), 0, 0, 0}, {GifFrame{4, 3, std::vector<quint8>(12, 0)}}); }

// Each file gives the outcome it starts with; where it loads, the pixels at the points listed
// have the colours given (by initials, see fourColours).
TEST(HostilePicture, EachIsRefusedWithItsReasonOrLoadsWithinItsBudget)
{
    const QByteArray bmp = encode(fourColours(8, 8), "bmp"), jpeg = encode(fourColours(16, 16), "jpeg");
    const QByteArray gif = smallGif(), tiff = makeTiff({fourColours(6, 4)}, "rgb8");
    const QByteArray heic = makeHeif(fourColours(16, 12), false), avif = makeHeif(fourColours(16, 12), true);
    const QByteArray webp = webpWithOrientation(fourColours(6, 4), 1);
    const QByteArray inch = Wmf().placeable(0, 0, 1440, 1440, 1440).rectangle(0, 0, 10, 10).bytes();
    const QString tooLarge = "Error: 7 The picture is too large: ", wmf = "Error: 481 The metafile";
    const QString huge = tooLarge + "100000 x 100000 pixels (10000 megapixels). Pictures of up to 250 megapixels "
                                    "can be loaded.";
    const QString scans = "Error: 481 The JPEG picture is made of ";
    QImage cyan(224, 224, QImage::Format_RGB32), yellow(32, 24, QImage::Format_RGB32);
    cyan.fill(Qt::cyan);
    yellow.fill(Qt::yellow);
    const QString canvas = tooLarge + "60000 x 60000 pixels (3600 megapixels)";
    const QString incomplete = "Error: 481 The %1 picture is incomplete: the file ends before the picture does.";
    const struct { const char *name; QByteArray bytes; QString outcome; std::vector<std::pair<QPoint, char>> pixels; } cases[] = {
        {"notes.bmp", "BMP is a nice format; these are notes.", "Error: 481 The file is not a picture in a supported "
         "format (JPEG, PNG, TIFF, WebP, HEIC, AVIF, BMP, GIF, ICO, WMF, PDF or SVG), although its name ends in \".bmp\".", {}},
        {"print-16.tif", makeTiff({fourColours(8, 8)}, "cmyk16"), "Error: 481 The TIFF picture is damaged, or of a "
                                                                  "kind this program cannot decode (16-bit CMYK).", {}},
        {"other-size.avif", heifClaiming(avif, 600, 400), "Error: 481 The AVIF picture is damaged: its header says "
                                                          "600 x 400 pixels, its image data holds 16 x 12.", {}},
        // Headers claiming 100000 x 100000 pixels (a BMP also top-down), refused before any pixel
        // memory: a TIFF's first two entries, a WebP canvas (24 bits, less one), every image-size
        // box of a HEIC or AVIF file.
        {"bomb.bmp", patched(patched(bmp, 18, 4, 100000), 22, 4, 100000), huge, {}},
        {"bomb.bmp", patched(patched(bmp, 18, 4, 100000), 22, 4, -100000), huge, {}},
        {"huge.bmp", patched(patched(bmp, 18, 4, 20000), 22, 4, 20000), tooLarge + "20000 x 20000 pixels (400 megapixels)", {}},
        {"bomb.png", pngClaiming(100000), huge, {}},
        {"bomb.tif", patched(patched(tiff, 18, 4, 100000), 30, 4, 100000), huge, {}},
        {"bomb.webp", patched(patched(webp, 24, 3, 99999), 27, 3, 99999), huge, {}},
        {"bomb.heic", heifClaiming(heic, 100000, 100000), huge, {}},
        {"bomb.avif", heifClaiming(avif, 100000, 100000), huge, {}},
        // Beyond what any side of the format holds; GIF and JPEG at their largest, 65535 and 65500.
        {"bomb.webp", patched(patched(webp, 24, 3, 0xFFFFFF), 27, 3, 0xFFFFFF), tooLarge + "16777216 x 16777216", {}},
        {"bomb.heic", heifClaiming(heic, 0xFFFFFFFF, 0xFFFFFFFF), tooLarge + "4294967295 x 4294967295", {}},
        {"bomb.gif", patched(patched(gif, 6, 4, 0xFFFFFFFF), gif.indexOf(char(0x2C), 25) + 5, 4, 0xFFFFFFFF),
         tooLarge + "65535 x 65535", {}},
        {"bomb.jpg", patched(jpeg, jpeg.indexOf("\xFF\xC0") + 5, 4, 0xDCFFDCFF), tooLarge + "65500 x 65500", {}},
        // A grid or an overlay whose image-size box says 224 x 224 over a canvas of 3600
        // megapixels; a grid whose tiles do not make its picture; grids, an overlay and a derived
        // picture that hold together load (HEIC at 8 and 10 bits, AVIF).
        {"grid.heic", makeHeifDerived(cyan, false, {"grid", 1, 1, {60000, 60000}, {224, 224}}), canvas, {}},
        {"grid.avif", makeHeifDerived(cyan, true, {"grid", 1, 1, {60000, 60000}, {224, 224}}), canvas, {}},
        {"overlay.heic", makeHeifDerived(cyan, false, {"iovl", 1, 1, {60000, 60000}, {224, 224}}), canvas, {}},
        {"gaps.heic", makeHeifDerived(cyan, false, {"grid", 2, 2, {1000, 1000}, {1000, 1000}}), "Error: 481 The HEIC "
         "picture is damaged: its grid of 2 x 2 tiles of 224 x 224 pixels does not make a picture of 1000 x 1000.", {}},
        {"grid.heic", makeHeifDerived(yellow, false, {"grid", 3, 2, {90, 48}, {90, 48}}), "90 x 48", {{{89, 47}, 'Y'}}},
        {"grid.heic", makeHeifDerived(yellow, false, {"grid", 2, 2, {64, 48}, {64, 48}, 10}), "64 x 48", {{{40, 30}, 'Y'}}},
        {"grid.avif", makeHeifDerived(yellow, true, {"grid", 2, 1, {64, 24}, {64, 24}}), "64 x 24", {{{63, 0}, 'Y'}}},
        {"overlay.avif", makeHeifDerived(yellow, true, {"iovl", 2, 1, {80, 30}, {80, 30}}), "80 x 30", {{{70, 28}, 'W'}}},
        {"derived.heic", makeHeifDerived(yellow.scaled(64, 64), false, {"iden", 1, 1, {}, {64, 64}}), "64 x 64", {{{5, 5}, 'Y'}}},
        {"empty.avif", makeHeifDerived(yellow, true, {"grid", 1, 1, {32, 24}, {32, 24}, 8, true}), "Error: 481 The AVIF "
         "picture is damaged or incomplete and cannot be decoded.", {}},
        // Text chunks that would inflate to 2 GB before the pixels are not read at all; a PNG wider
        // than libpng reads, within the size limit, is refused for that.
        {"text.png", pngWithText(64, 250, 7'900'000, false), "64 x 64", {{{9, 9}, 'G'}}},
        {"text.png", pngWithText(64, 250, 7'900'000, true), "64 x 64", {{{9, 9}, 'G'}}},
        {"wide.png", pngClaiming(1'000'001, false, 1), "Error: 481 The PNG picture is too wide for the PNG decoder "
         "(1,000,001 px; at most 1,000,000).", {}},
        {"tall.png", pngClaiming(2, false, 1'000'001), "Error: 481 The PNG picture is too tall for the PNG decoder "
         "(1,000,001 px; at most 1,000,000).", {}},
        // Icons whose PNG is larger than their directory says: up to 255 the directory is believed,
        // 256 also stands for larger sizes, which count against the limit.
        {"large.ico", iconWithPng(16, 16300, false), "Error: 481 The ICO picture is damaged: its image 1 is 16300 x "
                                                     "16300 pixels, larger than its list of images says (16 x 16).", {}},
        {"large.ico", iconWithPng(256, 16300, false), tooLarge + "16300 x 16300 pixels (266 megapixels)", {}},
        {"large.ico", iconWithPng(256, 300, true), "300 x 300", {{{150, 150}, 'K'}}},
        // Progressive JPEGs of thousands of empty scans; 100 scans are still a picture.
        {"scans.jpg", jpegScanBomb(15800, 15800, 3000), scans + "3000 scans; pictures of more than 100 scans are "
                                                                 "not loaded (encoders write about 10).", {}},
        {"scans.jpg", jpegScanBomb(2000, 2000, 20000), scans + "20000 scans", {}},
        {"scans.jpg", jpegScanBomb(64, 48, 101), scans + "101 scans", {}},
        {"scans.jpg", jpegScanBomb(64, 48, 100), "64 x 48", {}},
        // Cut short, each in its own words; run-length codes cut inside the bitmap.
        {"cut.jpg", jpeg.chopped(40), incomplete.arg("JPEG"), {}},
        {"cut.jpg", encode(fourColours(64, 64), "jpeg", -1, true).chopped(40), incomplete.arg("JPEG"), {}},
        {"cut.bmp", encode(fourColours(100, 100), "bmp").left(20000), incomplete.arg("BMP"), {}},
        {"cut.bmp", rleBmpWithSkips(8, 6).chopped(6), incomplete.arg("BMP"), {}},
        {"cut.tif", tiff.chopped(10), incomplete.arg("TIFF"), {}},
        {"cut.webp", webp.chopped(10), incomplete.arg("WebP"), {}},
        {"cut.gif", makeGif({0, 0, 0, 0}, {{40, 30, std::vector<quint8>(1200, 2), -1}}).left(400), "Error: 481 The GIF "
         "picture is damaged or incomplete: the file ends before its first image does.", {}},
        {"cut.ico", makeIcon({fourColours(32, 32)}).left(3000), "Error: 481 The icon file is damaged or incomplete", {}},
        {"cut.heic", heic.chopped(10), "Error: 481 The HEIC picture is incomplete or damaged: the file ends before the "
                                       "picture does.", {}},
        {"cut.avif", avif.chopped(10), "Error: 481 The AVIF picture is incomplete or damaged", {}},
        // Metafile headers and records that cannot be.
        {"inch.wmf", Wmf().placeable(0, 0, 1440, 1440, 0).bytes(), wmf + "'s header does not say", {}},
        {"inverted.wmf", Wmf().placeable(1440, 0, 0, 1440, 1440).bytes(), wmf + "'s frame (1440, 0 to 0, 1440) is "
                                                                                 "empty or inverted.", {}},
        {"empty.wmf", Wmf().placeable(0, 0, 1440, 0, 1440).bytes(), wmf + "'s frame (0, 0", {}},
        {"long.wmf", Wmf().placeable(0, 0, 32767, 10, 96).bytes(), tooLarge + "32767 x 10", {}},
        {"short.wmf", inch.left(30), wmf + " is incomplete: its header is cut short.", {}},
        {"type.wmf", patched(inch, 22, 2, 7), "Error: 481 The file is not a Windows metafile", {}},
        {"zero.wmf", patched(inch, 40, 4, 0), wmf + " is damaged: record 1 has an impossible size", {}},
        {"beyond.wmf", patched(inch, 40, 4, 99), wmf + " is incomplete: it ends inside record 1.", {}},
        // Cut right after a record: the records read are whole, but the header gives more.
        {"after.wmf", Wmf().solidFill(Qt::red).rectangle(0, 0, 9, 9).bytes().chopped(6 + 14),
         wmf + " is incomplete: it ends after record 4, before the end its header gives", {}},
        {"nothing.wmf", Wmf().bytes(), wmf + " draws nothing", {}},
        // Bitmaps that would send libwmf's reader through rows that are not there (a header size
        // of 32 made it spin for minutes); a blit of 8 parameter words is neither the 9 of one
        // without a bitmap nor long enough for one.
        {"header.wmf", bitmapMetafile(32, 1, le(4, {0})), wmf + " is damaged: the bitmap in record 1 cannot be read", {}},
        {"rows.wmf", bitmapMetafile(40, 3, le(4, {0, 0})), wmf + " is damaged: the bitmap in record 1 cannot be read", {}},
        {"blit.wmf", Wmf().record(0x0940, {0x20, 0xCC, 0, 0, 9, 9, 0, 0}).bytes(), wmf + " is damaged: the bitmap in record 1", {}},
        // Walls winding through the picture, then a fill (libwmf's recursion overflowed the stack):
        // the corridor fills to its far end, the walls stay.
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
    };
    // The mazes, the long polyline and the texts take seconds to draw, many times that on a machine
    // busy with other work; what is checked here is what they give, not how long it takes (the
    // deadline has its own test below).
    setDecodingDeadlineForTesting(600'000);
    for (const auto &c : cases) {
        Picture picture;
        const QString outcome = load(c.name, c.bytes, &picture);
        SCOPED_TRACE(std::string(c.name) + " gives " + outcome.toStdString());
        EXPECT_TRUE(outcome.startsWith(c.outcome));
        for (const auto &[point, colour] : c.pixels)
            EXPECT_EQ(colourAt(picture.raster(), point), colour) << point.x() << ", " << point.y();
        EXPECT_EQ(picture.raster().textKeys(), QStringList());  // no decoder read any text
    }
    setDecodingDeadlineForTesting(0);
}

// Each file whole gives its outcome (a metafile drawing far out: within the metafile limits, or
// 481 or 7), then cut off at every byte it is refused as damaged, or (within the bytes at its end
// that hold no pixels) loads whole.
TEST(HostilePicture, CutOffAtEveryByteOrDrawingFarOut)
{
    const auto red = [] { return Wmf().solidFill(Qt::red); };
    const auto window = [](int x, int y, int view) {
        return Wmf().mapMode(8).windowExt(x, y).viewportExt(view, view).solidFill(Qt::red);
    };
    // The end bytes: a BMP row's padding, a GIF's trailer, a PNG's last checksum, a metafile's end.
    const struct { const char *name; QByteArray bytes; QString outcome; int dispensable; } cases[] = {
        {"cut.jpg", encode(fourColours(24, 16), "jpeg", 60), "24 x 16", 0},
        {"cut.jpg", encode(fourColours(24, 16), "jpeg", 60, true), "24 x 16", 0},  // progressive
        {"cut.bmp", encode(fourColours(5, 3), "bmp"), "5 x 3", 1},
        {"cut.gif", smallGif(), "4 x 3", 1},
        {"cut.ico", makeIcon({fourColours(8, 8)}), "8 x 8", 0},
        {"cut.png", encode(fourColours(6, 4), "png"), "6 x 4", 4},
        {"cut.tif", makeTiff({fourColours(6, 4)}, "cmyk8", 6), "4 x 6", 0},
        {"cut.webp", encode(fourColours(6, 4), "webp", 60), "6 x 4", 0},
        {"cut.webp", webpWithOrientation(fourColours(6, 4), 1), "6 x 4", 0},
        {"cut.webp", animatedWebp({fourColours(6, 4), fourColours(6, 4)}), "6 x 4", 0},
        {"cut.heic", makeHeif(fourColours(16, 12), false), "16 x 12", 0},
        {"cut.avif", makeHeif(fourColours(16, 12), true), "16 x 12", 0},
        {"cut.wmf", red().placeable(0, 0, 720, 720, 1440).rectangle(0, 0, 360, 360).bytes(), "48 x 48", 6},
        {"cut.wmf", red().rectangle(0, 0, 30, 30).ellipse(10, 10, 40, 20).bytes(), "54 x 41", 6},
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

// A drawing or a decoding that runs past its deadline (shortened for the test) is given up with
// the documented message: a metafile by its own checks inside a record, before the child that
// draws would be ended; a HEIC or AVIF grid of 19881 tiles (a minute and a half of decoding) by
// ending its child.
TEST(HostilePicture, DrawingAndDecodingStopAtTheDeadline)
{
    Wmf slow;
    slow.placeable(0, 0, 3000, 3000, 96).record(0x02FA, {0, 64, 0, 0x00FF, 0}).record(0x012D, {0});
    for (int i = 0; i < 200; ++i)  // each half a second of a 64-pixel brush
        slow.record(0x0325, {4, 0, 0, 2999, 2999, 0, 2999, 2999, 0});
    QImage tile(112, 112, QImage::Format_RGB32);
    tile.fill(Qt::cyan);
    const HeifDerived tiles{"grid", 141, 141, {15792, 15792}, {15792, 15792}};
    const std::tuple<const char *, QByteArray, QString> cases[] = {
        {"slow.wmf", slow.bytes(), "The metafile takes too long to draw (more than 20 seconds)."},
        {"tiles.heic", makeHeifDerived(tile, false, tiles), "The HEIC picture takes too long to decode (more than 20 seconds)."},
        {"tiles.avif", makeHeifDerived(tile, true, tiles), "The AVIF picture takes too long to decode (more than 20 seconds)."},
    };
    setDecodingDeadlineForTesting(1000);
    for (const auto &[name, bytes, message] : cases) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(load(name, bytes), "Error: 7 " + message);
        EXPECT_GE(timer.elapsed(), 1000) << name;
        // Given up at the deadline and the time the child that draws is given to report, far
        // short of the 100 seconds the drawing would take (room left for a busy machine).
        if (QByteArray(name).endsWith("wmf")) {
            EXPECT_LT(timer.elapsed(), 1000 + 2000 + 10'000) << timer.elapsed() << " ms";
        }
    }
    setDecodingDeadlineForTesting(0);
    EXPECT_EQ(metafileTooSlowDescription(), std::get<2>(cases[0]));
}

// Only regular files are opened: a pipe (held open for writing here, so that opening it would not
// wait but find it empty), a socket (which cannot be opened at all, so the kind is what refuses
// it), a folder or a missing name is refused with its reason; a link
// to a picture is the picture. A picture padded to gigabytes is read only as far as it goes.
TEST(HostilePicture, SpecialFilesAndPaddingAreNotRead)
{
    const QDir home = QDir::home();
    const QByteArray pipe = QFile::encodeName(home.filePath("pipe.jpg"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    const int pipeWriter = ::open(pipe.constData(), O_RDWR | O_NONBLOCK);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(home.filePath("socket.jpg")).constData(), sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    const QImage image = fourColours(64, 48);
    writeFile(home.filePath("photo.jpg"), encode(image, "jpeg"));
    ASSERT_TRUE(QFile::link(home.filePath("photo.jpg"), home.filePath("link.jpg")));
    const QString special = "Error: 481 The path names a pipe, a device or another special file, not a picture file.";
    const std::pair<QString, QString> cases[] = {
        {"pipe.jpg", special}, {"socket.jpg", special}, {"link.jpg", "64 x 48"}, {".", "Error: 75 The path names a "
         "folder, not a picture file."}, {"nowhere.jpg", "Error: 53 File not found"}};
    for (const auto &[name, outcome] : cases)
        EXPECT_EQ(loaded(home.filePath(name)), outcome) << name.toStdString();
    ::close(pipeWriter);
    ::close(socket);

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
        const QString padded = home.filePath(QLatin1String(name));
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
