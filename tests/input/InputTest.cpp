// The input area with real parts: real files of every format through the real decoders,
// Windows metafiles drawn through libwmf, the failures a user can run into (each a RuntimeError
// whose number and text say what is wrong), the path and dialog helpers with the classic
// examples written with '/', and what a drag over the grid view may do.
#include "TestFiles.h"
#include "core/RuntimeError.h"
#include "input/DropRules.h"
#include "HostileFiles.h"
#include "input/Metafile.h"
#include "input/MetafileRecords.h"
#include "input/OpenPicture.h"
#include "input/PictureLoader.h"
#include "input/PictureTypes.h"
#include "input/Platform.h"
#include "input/Toolbox.h"
#include "core/MessageBox.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QMimeData>
#include <QTest>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>

using namespace plakatron;
using namespace plakatron::modToolbox;
using namespace plakatron::test;
using Wmf = MetafileBuilder;

namespace {

// Colours by their initials: black, red, green, yellow, blue, magenta, cyan, white.
constexpr char initials[] = "KRGYBMCW";
const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};

// Four quarters in the colours named left to right, top to bottom.
QImage quarters(int width, int height, const char *colours = "RGBY")
{
    QImage image(2, 2, QImage::Format_RGB32);
    for (int i = 0; i < 4; ++i) {
        const auto bits = std::strchr(initials, colours[i]) - initials;
        image.setPixel(i % 2, i / 2, qRgb(bits & 1 ? 255 : 0, bits & 2 ? 255 : 0, bits & 4 ? 255 : 0));
    }
    return image.scaled(width, height);
}

// A placeable inch square drawn by one STRETCHDIB record (SRCCOPY, RGB colours) from a bitmap
// with this header size and height, 1 pixel wide at 24 bits.
QByteArray bitmapMetafile(qint64 header, qint64 height, const QByteArray &pixels)
{
    const QByteArray bitmap = le(4, {header, 1, height}) + le(2, {1, 24}) + le(4, {0, 0, 2835, 2835, 0, 0});
    const QByteArray stretch = le(4, {0x00CC0020}) + le(2, {0, 1, 1, 0, 0, 1440, 1440, 0, 0});
    return Wmf().placeable(0, 0, 1440, 1440, 1440).record(0x0F43, stretch + bitmap + pixels).bytes();
}

// image with one quarter (0 top left, 1 top right, 2, 3) transparent.
QImage clearQuarter(const QImage &image, int quarter)
{
    QImage clear = image.convertToFormat(QImage::Format_ARGB32);
    const int w = clear.width() / 2, h = clear.height() / 2;
    for (int y = quarter / 2 * h; y < (quarter / 2 + 1) * h; ++y)
        for (int x = quarter % 2 * w; x < (quarter % 2 + 1) * w; ++x)
            clear.setPixel(x, y, qRgba(0, 0, 0, 0));
    return clear;
}

// bytes with a little-endian number of size bytes written over them at offset.
QByteArray patched(QByteArray bytes, qsizetype offset, int size, qint64 value)
{
    return bytes.replace(offset, size, le(size, {value}));
}

// Saves bytes, when there are any, under name in a temporary folder; gives the path.
QString saved(const char *name, const std::optional<QByteArray> &bytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (bytes)
        writeFile(path, *bytes);
    return path;
}

TEST(LoadPicture, EveryFormatAtItsNaturalSize)
{
    // The first frame's yellow quarter is transparent; a second frame, all green, is cut off.
    QByteArray gif = makeGif(palette, {{4, 4, {0, 0, 1, 1, 0, 0, 1, 1, 2, 2, 3, 3, 2, 2, 3, 3}, 3},
                                       {4, 4, std::vector<quint8>(16, 1), -1}});
    Wmf inch;
    inch.placeable(0, 0, 1440, 1440, 1440).solidFill(Qt::red).rectangle(0, 0, 1440, 1440);
    // An inch square at (720, 720) with all the mapping records, red over its bottom-right quarter.
    Wmf mapped;
    mapped.placeable(720, 720, 2160, 2160, 1440).mapMode(8).record(0x020B, {720, 720}).windowExt(1440, 1440);
    mapped.viewportExt(300, 300).solidFill(Qt::red).rectangle(1440, 1440, 2160, 2160);
    Wmf pen;  // a solid red pen 30000 units wide along the top quarters' middle
    pen.placeable(0, 0, 2880, 2880, 1440).record(0x02FA, {0, 30000, 0, 0x00FF, 0}).record(0x012D, {0});
    pen.record(0x0214, {720, 0}).record(0x0213, {720, 2880});  // MOVETO, LINETO
    const std::tuple<const char *, QByteArray, QSize, std::string> cases[] = {
        // A camera's trailer after the end marker does not matter.
        {"photo.jpg", encode(quarters(320, 200), "jpeg", 95) + QByteArray(5000, 'x'), {320, 200}, "RGBY"},
        {"progressive.jpg", encode(quarters(64, 64), "jpeg", 95, true), {64, 64}, "RGBY"},
        {"upside-down.jpg", jpegWithOrientation(quarters(40, 20), 3), {40, 20}, "YBGR"},
        {"turned-right.jpg", jpegWithOrientation(quarters(40, 20), 6), {20, 40}, "BRYG"},
        {"turned-left.jpg", jpegWithOrientation(quarters(40, 20), 8), {20, 40}, "GYRB"},
        // Rows of 99 bytes padded to 100; the last row's padding may be missing.
        {"odd.bmp", encode(quarters(33, 17), "bmp").chopped(1), {33, 17}, "RGBY"},
        {"8-bit.bmp", encode(quarters(8, 6).convertToFormat(QImage::Format_Indexed8), "bmp"), {8, 6}, "RGBY"},
        {"anim.gif", gif.chopped(4), {4, 4}, "RGBW"},
        {"old.gif", gif.replace(3, 3, "87a"), {4, 4}, "RGBW"},
        {"app.ico", makeIcon({quarters(8, 8, "RRRR"), quarters(24, 24), quarters(16, 16, "BBBB")}), {24, 24},
         "RGBY"},
        {"vista.ico", makeIcon({quarters(32, 32, "RRRR"), quarters(256, 256)}), {256, 256}, "RGBY"},
        {"really-a-png.jpg", encode(quarters(50, 40), "png"), {50, 40}, "RGBY"},
        // 16 bits a sample, a transparent quarter on white.
        {"screenshot.png", encode(clearQuarter(quarters(48, 32), 3).convertToFormat(QImage::Format_RGBA64), "png"),
         {48, 32}, "RGBW"},
        // TIFF: the first page only, every kind of pixel as 8-bit RGB, the orientation tag applied once.
        {"scan.tif", encode(quarters(40, 30), "tiff"), {40, 30}, "RGBY"},
        {"pages.tif", makeTiff({quarters(40, 30), quarters(20, 20, "KKKK")}, "rgb8"), {40, 30}, "RGBY"},
        {"print.tif", makeTiff({quarters(40, 30)}, "cmyk8"), {40, 30}, "RGBY"},
        {"deep.tif", makeTiff({quarters(40, 30)}, "rgb16"), {40, 30}, "RGBY"},
        {"clear.tif", makeTiff({clearQuarter(quarters(40, 30), 1)}, "rgba16"), {40, 30}, "RWBY"},
        {"grey.tif", makeTiff({quarters(40, 30, "KWWK")}, "grey16"), {40, 30}, "KWWK"},
        {"turned.tif", makeTiff({quarters(40, 20)}, "rgb8", 6), {20, 40}, "BRYG"},
        {"mirrored.tif", makeTiff({quarters(40, 20)}, "rgb8", 2), {40, 20}, "GRYB"},
        // WebP: lossy and lossless, turned by its Exif chunk, the first frame of an animation.
        {"photo.webp", encode(quarters(40, 30), "webp", 90), {40, 30}, "RGBY"},
        {"clear.webp", encode(clearQuarter(quarters(40, 30), 0), "webp", 100), {40, 30}, "WGBY"},
        {"turned.webp", webpWithOrientation(quarters(40, 20), 6), {20, 40}, "BRYG"},
        {"transposed.webp", webpWithOrientation(quarters(40, 20), 5), {20, 40}, "RBGY"},
        {"upside-down.webp", webpWithOrientation(quarters(40, 20), 3), {40, 20}, "YBGR"},
        {"animated.webp", animatedWebp({quarters(40, 30), quarters(40, 30, "KKKK")}), {40, 30}, "RGBY"},
        // HEIC and AVIF: turned by the file's own boxes, once even with an Exif tag saying the same;
        // 10 bits a sample; odd sizes; transparency on white.
        {"iphone.heic", makeHeif(quarters(64, 48), false), {64, 48}, "RGBY"},
        {"odd.heic", makeHeif(quarters(61, 45), false), {61, 45}, "RGBY"},
        {"turned.heic", makeHeif(quarters(64, 48), false, 6, 6), {48, 64}, "BRYG"},
        {"mirrored.heic", makeHeif(quarters(64, 48), false, 4), {64, 48}, "BYRG"},
        {"deep.heic", makeHeif(quarters(64, 48), false, 1, 0, 10), {64, 48}, "RGBY"},
        {"clear.heic", makeHeif(clearQuarter(quarters(64, 48), 3), false), {64, 48}, "RGBW"},
        {"photo.avif", makeHeif(quarters(64, 48), true), {64, 48}, "RGBY"},
        {"turned.avif", makeHeif(quarters(64, 48), true, 8), {48, 64}, "GYRB"},
        {"clear.avif", makeHeif(clearQuarter(quarters(64, 48), 0), true), {64, 48}, "WGBY"},
        {"really-a-heic.jpg", makeHeif(quarters(64, 48), false), {64, 48}, "RGBY"},
        // A placeable metafile is its frame at 96 dpi, however it maps its units, and its drawing
        // keeps its place in the frame.
        {"frame.wmf", Wmf().placeable(0, 0, 1245, 1000, 1000).bytes(), {120, 96}, "WWWW"},
        {"tiny.wmf", Wmf().placeable(0, 0, 7, 7, 1440).bytes(), {1, 1}, "WWWW"},
        {"mapped.wmf", mapped.bytes(), {96, 96}, "WWWR"},
        // Without a placeable header the drawing fills the picture: an extent under 1024 units
        // counts as points, a larger one as twips. The ellipse is filled, not just outlined.
        {"points.wmf", Wmf().solidFill(Qt::red).ellipse(200, 100, 400, 200).bytes(), {268, 134}, "RRRR"},
        {"twips.wmf", Wmf().solidFill(Qt::red).rectangle(0, 0, 14400, 7200).bytes(), {960, 480}, "RRRR"},
        {"bitmap.wmf", bitmapMetafile(40, 1, le(1, {0, 0, 255, 0})), {96, 96}, "RRRR"},
        {"wrong-largest.wmf", inch.bytes().replace(22 + 12, 4, le(4, {0xFFFFFFFF})), {96, 96}, "RRRR"},
        {"no-end.wmf", inch.bytes(false), {96, 96}, "RRRR"},
        // gd paints a thick pen point by point and would take minutes; it is drawn 64 pixels wide.
        {"pen.wmf", pen.bytes(), {192, 192}, "RRWW"},
    };
    for (const auto &[name, bytes, size, colours] : cases) {
        SCOPED_TRACE(name);
        const QImage image = loadPicture(saved(name, bytes));
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        std::string seen;  // the colours in the middle of the quarters, to the nearest
        for (int i = 0; i < 4; ++i) {
            const QPoint middle(size.width() * (1 + i % 2 * 2) / 4, size.height() * (1 + i / 2 * 2) / 4);
            const QRgb c = image.pixel(middle);
            seen += initials[(qRed(c) > 127) + 2 * (qGreen(c) > 127) + 4 * (qBlue(c) > 127)];
        }
        EXPECT_EQ(seen, colours);
    }
}

TEST(LoadPicture, FailuresSayWhatIsWrong)
{
    ASSERT_TRUE(QDir().mkpath(saved("album.jpg", std::nullopt)));
    const QByteArray inch = Wmf().placeable(0, 0, 1440, 1440, 1440).rectangle(0, 0, 10, 10).bytes();
    const std::tuple<const char *, std::optional<QByteArray>, int, QString> cases[] = {
        {"nowhere.jpg", std::nullopt, 53, "File not found"},
        {"album.jpg", std::nullopt, 75, "The path names a folder, not a picture file."},
        {"empty.jpg", QByteArray(), 481, "The file is empty."},
        {"notes.bmp", QByteArray("BMP is a nice format; these are notes."), 481,
         "The file is not a picture in a supported format (JPEG, PNG, TIFF, WebP, HEIC, AVIF, BMP, GIF, ICO or WMF), "
         "although its name ends in \".bmp\"."},
        {"cut.jpg", encode(quarters(64, 64), "jpeg").chopped(40), 481, "The JPEG picture is incomplete: the"},
        // A progressive JPEG is complete only with its last scan.
        {"cut-progressive.jpg", encode(quarters(64, 64), "jpeg", -1, true).chopped(40), 481,
         "The JPEG picture is incomplete: the"},
        {"cut.bmp", encode(quarters(100, 100), "bmp").left(20000), 481, "The BMP picture is incomplete: the"},
        {"cut.gif", makeGif(palette, {{40, 30, std::vector<quint8>(1200, 2), -1}}).left(400), 481,
         "The GIF picture is damaged or incomplete: the file ends before its first image does."},
        {"cut.ico", makeIcon({quarters(32, 32)}).left(3000), 481, "The icon file is damaged or incomplete"},
        {"cut.tif", makeTiff({quarters(40, 30)}, "rgb8").chopped(10), 481,
         "The TIFF picture is incomplete: the file ends before the picture does."},
        {"cut.webp", encode(quarters(40, 30), "webp").chopped(10), 481,
         "The WebP picture is incomplete: the file ends before the picture does."},
        {"cut.heic", makeHeif(quarters(64, 48), false).chopped(10), 481,
         "The HEIC picture is incomplete or damaged: the file ends before the picture does."},
        {"cut.avif", makeHeif(quarters(64, 48), true).chopped(10), 481, "The AVIF picture is incomplete or damaged"},
        // A TIFF of a kind Qt's reader does not decode says which kind it is.
        {"print-16.tif", makeTiff({quarters(8, 8)}, "cmyk16"), 481,
         "The TIFF picture is damaged, or of a kind this program cannot decode (16-bit CMYK)."},
        // Sizes in the headers: the TIFF's first two entries, the WebP canvas (less one, 24 bits), the
        // HEIC's image-size boxes.
        {"huge.tif", patched(patched(makeTiff({quarters(8, 8)}, "rgb8"), 18, 4, 100000), 30, 4, 100000), 7,
         "The picture is too large: 100000 x 100000 pixels (10000 megapixels)."},
        {"huge.webp", patched(patched(webpWithOrientation(quarters(8, 8), 1), 24, 3, 99999), 27, 3, 99999), 7,
         "The picture is too large: 100000 x 100000 pixels (10000 megapixels)."},
        {"huge.heic", heifClaiming(makeHeif(quarters(64, 48), false), 100000, 100000), 7,
         "The picture is too large: 100000 x 100000 pixels (10000 megapixels)."},
        // An AVIF whose header and image data disagree on its size.
        {"other-size.avif", heifClaiming(makeHeif(quarters(64, 48), true), 600, 400), 481,
         "The AVIF picture is damaged: its header says 600 x 400 pixels, its image data holds 64 x 48."},
        {"huge.bmp", encode(quarters(8, 8), "bmp").replace(18, 8, le(4, {20000, 20000})), 7,
         "The picture is too large: 20000 x 20000 pixels (400 megapixels). Pictures of up to 250 megapixels "
         "can be loaded."},
        {"inch.wmf", Wmf().placeable(0, 0, 1440, 1440, 0).bytes(), 481, "The metafile's header does not say"},
        {"inverted.wmf", Wmf().placeable(1440, 0, 0, 1440, 1440).bytes(), 481,
         "The metafile's frame (1440, 0 to 0, 1440) is empty or inverted."},
        {"empty.wmf", Wmf().placeable(0, 0, 1440, 0, 1440).bytes(), 481, "The metafile's frame (0, 0"},
        {"long.wmf", Wmf().placeable(0, 0, 32767, 10, 96).bytes(), 7, "The picture is too large: 32767 x 10"},
        {"short.wmf", inch.left(30), 481, "The metafile is incomplete: its header is cut short."},
        {"type.wmf", QByteArray(inch).replace(22, 2, le(2, {7})), 481, "The file is not a Windows metafile"},
        {"zero.wmf", QByteArray(inch).replace(40, 4, le(4, {0})), 481, "record 1 has an impossible size"},
        {"beyond.wmf", QByteArray(inch).replace(40, 4, le(4, {99})), 481, "it ends inside record 1."},
        // Cut right after a record: the records read are whole, but the header gives more.
        {"after.wmf", Wmf().solidFill(Qt::red).rectangle(0, 0, 9, 9).bytes().chopped(6 + 14), 481,
         "ends after record 4, before the end its header gives"},
        {"nothing.wmf", Wmf().bytes(), 481, "The metafile draws nothing"},
        // Bitmaps that would send libwmf's reader through rows that are not there (a header size
        // of 32 made it spin for minutes).
        {"header.wmf", bitmapMetafile(32, 1, le(4, {0})), 481, "the bitmap in record 1 cannot be read"},
        {"rows.wmf", bitmapMetafile(40, 3, le(4, {0, 0})), 481, "the bitmap in record 1 cannot be read"},
        // A blit of 8 parameter words is neither the 9 of one without a bitmap nor long enough for one.
        {"blit.wmf", Wmf().record(0x0940, {0x20, 0xCC, 0, 0, 9, 9, 0, 0}).bytes(), 481, "bitmap in record 1"},
    };
    for (const auto &[name, bytes, number, says] : cases) {
        SCOPED_TRACE(name);
        const QString path = saved(name, bytes);
        try {
            loadPicture(path);
            ADD_FAILURE() << "loaded";
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.number(), number);
            EXPECT_TRUE(e.description().contains(says)) << e.description().toStdString();
            const QString rest = "'\r\n" + e.description() + "\r\nCode " + QString::number(number);
            EXPECT_EQ(loadFailureMessage(path, e), "Unable to load picture '" + path + rest);
        }
    }
}

// "Hi!" in a font of the given height and width under a window of the given height: libwmf
// crashed on all but the first two before text went through a check.
TEST(LoadPicture, MetafileTextIsDrawnOrLeftOutButNeverCrashes)
{
    const std::tuple<int, int, int, bool> cases[] = {
        {-480, 0, 1440, true}, {0, 0, 1440, true}, {-480, 30000, 1440, false}, {32767, 0, 1440, false},
        {-480, 0, 1, false}};
    for (const auto &[height, width, windowHeight, visible] : cases) {
        Wmf b;
        b.placeable(0, 0, 2880, 1440, 1440).mapMode(8).windowExt(2880, windowHeight);
        const QByteArray font = le(2, {height, width, 0, 0, 700}) + QByteArray(8, '\0') + "Arial";
        b.record(0x02FB, font.leftJustified(50, '\0')).record(0x012D, {0});  // CREATEFONTINDIRECT, select it
        b.record(0x0521, {3, 'H' | ('i' << 8), '!', windowHeight / 7, 200});  // TEXTOUT
        const QImage image = renderMetafile(b.bytes());
        ASSERT_EQ(image.size(), QSize(192, 96));
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
        const auto dark = std::count_if(pixels, pixels + 192 * 96, [](QRgb p) { return qGray(p) < 128; });
        EXPECT_TRUE(!visible || dark > 20) << height << " " << width << " " << windowHeight;
    }
}

// The flood fills on a picture of 6 x 4, each pixel named by a letter ('.' white, 'k' black,
// 'r' red, 'b' blue), from the point given, in red.
TEST(Metafile, FloodFillsAsWindowsFills)
{
    using metafile::FloodMode;
    const std::map<char, quint32> colours{{'.', 0xFFFFFF}, {'k', 0}, {'r', 0xFF0000}, {'b', 0x0000FF}};
    const struct { const char *before; int x, y; char colour; FloodMode mode; const char *after; } cases[] = {
        // Bounded by black; blue inside is filled too, diagonal gaps do not leak.
        {"..k..."
         "..k.b."
         "kkk..."
         "...k..", 4, 0, 'k', FloodMode::Border,
         "..krrr"
         "..krrr"
         "kkkrrr"
         "...krr"},
        // The area of white only, the blue pixel and the corner beyond the black stay.
        {"..k..."
         "..k.b."
         "kkk..."
         "...k..", 4, 0, '.', FloodMode::Surface,
         "..krrr"
         "..krbr"
         "kkkrrr"
         "...krr"},
        // A start on the border's colour, or off the surface's colour, fills nothing.
        {"..k...", 2, 0, 'k', FloodMode::Border, "..k..."},
        {"..k...", 2, 0, '.', FloodMode::Surface, "..k..."},
        // Beyond the right edge: the last column; left of it: nothing.
        {"...k..", 40, 0, 'k', FloodMode::Border, "...krr"},
        {"...k..", -1, 0, 'k', FloodMode::Border, "...k.."},
        // Red already there ends the fill.
        {"..r...", 0, 0, 'k', FloodMode::Border, "rrr..."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before);
        const int height = int(std::strlen(c.before)) / 6;
        std::vector<quint32> pixels;
        for (const char *p = c.before; *p; ++p)
            pixels.push_back(colours.at(*p));
        metafile::floodFill(pixels, 6, height, c.x, c.y, 0xFF0000, colours.at(c.colour), c.mode);
        std::string after;
        for (quint32 pixel : pixels)
            after += std::find_if(colours.begin(), colours.end(), [&](auto &e) { return e.second == pixel; })->first;
        EXPECT_EQ(after, c.after);
    }
}

// The platform seam's child process: its bytes come back whole; one that runs on is stopped at
// the deadline, one that crashes ends without a result.
TEST(Platform, IsolatedWorkFinishesTimesOutOrFails)
{
    const QByteArray large(5 * 1024 * 1024, 'x');  // more than a pipe holds at once
    const struct { const char *name; std::function<QByteArray()> work; IsolatedRun::Outcome outcome; } cases[] = {
        {"finishes", [&] { return large; }, IsolatedRun::Outcome::Finished},
        {"runs on", [] { volatile int i = 0; for (;;) { i = i + 1; } return QByteArray(); }, IsolatedRun::Outcome::TimedOut},
        {"crashes", [] { std::raise(SIGSEGV); return QByteArray("unreached"); }, IsolatedRun::Outcome::Failed},
    };
    ASSERT_TRUE(isolationStopsFromOutside());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        const IsolatedRun run = runIsolated(c.work, QDeadlineTimer(300));
        EXPECT_EQ(run.outcome, c.outcome);
        EXPECT_EQ(run.result, c.outcome == IsolatedRun::Outcome::Finished ? large : QByteArray());
        EXPECT_LT(timer.elapsed(), 3000);
    }
}

// Run-length bitmaps: what the runs draw, white where they skip (a delta jump, rows ended early,
// the bitmap ended before its last row); cut inside the codes, the file is incomplete.
TEST(LoadPicture, RunLengthBitmapsAreWhiteWhereTheirRunsSkip)
{
    const QByteArray bmp = rleBmpWithSkips(8, 6);
    const QImage image = loadPicture(saved("skips.bmp", bmp));
    ASSERT_EQ(image.size(), QSize(8, 6));
    std::string rows;  // top row first
    for (int y = 0; y < 6; ++y, rows += '|')
        for (int x = 0; x < 8; ++x)
            rows += image.pixel(x, y) == qRgb(255, 0, 0) ? 'R' : image.pixel(x, y) == qRgb(255, 255, 255) ? '.' : '?';
    EXPECT_EQ(rows, "........|....RRRR|........|RRRR....|RRRR....|RRRR....|");
    try {
        loadPicture(saved("cut-rle.bmp", bmp.chopped(6)));
        ADD_FAILURE() << "loaded";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(errorWithNumber(e), "Error: 481 The BMP picture is incomplete: the file ends before the picture does.");
    }
}

TEST(Toolbox, PathTexts)
{
    // No extension when the last dot lies in a folder name; a text without dot and separator is
    // a bare extension.
    const std::tuple<QString, bool, std::optional<QString>> extensions[] = {
        {"C:/pics/Photo.JPG", true, ".JPG"}, {"C:/pics/Photo.JPG", false, "JPG"},
        {"C:/my.pics/photo", true, {}},      {"C:/pics/photo", false, {}},
        {"jpg", true, ".jpg"},               {"jpg", false, "jpg"},
        {"C:/pics/photo.", true, "."},       {"C:/pics/photo.", false, ""},
        {"/home/anna/archive.tar.gz", true, ".gz"}};
    for (const auto &[path, withDot, extension] : extensions)
        EXPECT_EQ(FileExtension(path, withDot), extension) << path.toStdString() << withDot;
    const std::pair<QString, QString> folders[] = {
        {"C:/pics/a.jpg", "C:/pics/"}, {"C:/pics/", "C:/pics/"}, {"a.jpg", "a.jpg"}};
    for (const auto &[path, folder] : folders)
        EXPECT_EQ(FolderOfPath(path), folder);
}

TEST(Toolbox, FilesAndFolders)
{
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    for (const char *name : {"plain.jpg", ".hidden.jpg", "read-only.jpg"}) {
        writeFile(dir.filePath(name), "x");
        QFile::setPermissions(dir.filePath(name), QFile::ReadOwner);
        EXPECT_TRUE(FileExists(dir.filePath(name))) << name;
    }
    for (const QString &path : {dir.path(), QString(), dir.filePath("missing.jpg")})  // a folder is no file
        EXPECT_FALSE(FileExists(path)) << path.toStdString();
    EXPECT_TRUE(FolderExists(dir.path()));
    EXPECT_FALSE(FolderExists(dir.filePath("plain.jpg")));
    EXPECT_EQ(QDir::currentPath(), before);  // unlike the classic test, the current folder stays

    EXPECT_EQ(AppFolder(), QCoreApplication::applicationDirPath() + '/');
    setAppFolderForTesting("/opt/plakatron//");
    EXPECT_EQ(AppFolder(), "/opt/plakatron/");  // exactly one separator at the end
    setAppFolderForTesting(QString());

    // The test main points HOME at a temporary folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + '/';
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), documents);
    EXPECT_EQ(SpecialFolderPath(0x2A), QString());  // a number this platform does not know
}

TEST(Toolbox, FileDialog)
{
    // Through its seam: the answer loses blanks and NULs; a cancelled dialog gives nothing.
    FileDialogAnswer answer{true, QString("  /tmp/my photo.jpg  ") + QChar(u'\0') + QChar(u'\0'), 2};
    const auto previous = installFileDialogHandler([&](const FileDialogRequest &) { return answer; });
    int index = 1;  // the chosen entry comes back
    EXPECT_EQ(ShowFileDialog("A|*.a|B|*.b", nullptr, "/tmp", "", 0, false, index), "/tmp/my photo.jpg");
    EXPECT_EQ(index, 2);
    answer.accepted = false;
    EXPECT_EQ(ShowFileDialog("A|*.a", nullptr, "/tmp", "T", 0, false, index, QString(254, 'n')), QString());
    // A name too long for the classic dialog's buffer fails before any dialog opens.
    answer.accepted = true;
    try {
        ShowFileDialog("A|*.a", nullptr, "", "", 0, false, index, QString(255, 'n'));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 5);
    }
    installFileDialogHandler(previous);

    // The real one, answered from inside its own event loop: a typed name of a missing file is
    // handed on.
    QTemporaryDir dir;
    const auto open = [] { return qobject_cast<QFileDialog *>(QApplication::activeModalWidget()); };
    const test::ModalWatchdog<QFileDialog> watchdog(5000, open);
    test::whileModal<QFileDialog>(0, open, [&](QFileDialog &dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
        EXPECT_EQ(dialog.windowTitle(), "Open Picture");
        EXPECT_EQ(dialog.nameFilters(),
                  QStringList({"Supported formats (*.jpg *.jpeg *.jpe *.jfif *.png *.tif *.tiff *.webp *.heic *.heif "
                               "*.avif *.bmp *.gif *.ico *.wmf)",
                               "All files (*)"}));
        dialog.selectFile(dir.filePath("typed-but-missing.jpeg"));
        QMetaObject::invokeMethod(&dialog, &QDialog::accept);
    });
    EXPECT_EQ(openPictureDialog(nullptr, dir.path()), dir.filePath("typed-but-missing.jpeg"));
}

// The open dialog's "Supported formats" entry, in Qt's own dialog over a real folder: a name with
// any picture extension shows, in any letter case (a camera's IMG_0001.JPG, photo.Png), other files
// do not; "All files" shows them all.
TEST(Toolbox, TheOpenDialogShowsEveryPictureInAnyLetterCase)
{
    QTemporaryDir dir;
    QStringList pictures{"IMG_0001.JPG", "photo.Png", "scan.TIFF", "IMG_2000.HEIC", "mixed.Jpeg"};
    for (const QString &extension : pictureExtensions())
        pictures << "lower" + extension << "UPPER" + extension.toUpper();
    const QStringList others{"notes.txt", "movie.mp4", "jpg", "photo.jpg.part"};
    for (const QString &name : pictures + others)
        writeFile(dir.filePath(name), "x");
    const auto listed = [](QFileDialog &dialog) {
        const auto *view = dialog.findChild<QListView *>(QStringLiteral("listView"));
        QStringList names;
        for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        names.sort();
        return names;
    };
    QStringList seen, all;
    const auto open = [] { return qobject_cast<QFileDialog *>(QApplication::activeModalWidget()); };
    const test::ModalWatchdog<QFileDialog> watchdog(10000, open);
    test::whileModal<QFileDialog>(0, open, [&](QFileDialog &dialog) {
        // The folder is read in the background: wait until the listing settles.
        QTRY_COMPARE_WITH_TIMEOUT(listed(dialog).size(), pictures.size(), 5000);
        seen = listed(dialog);
        dialog.selectNameFilter("All files (*)");
        QTRY_COMPARE_WITH_TIMEOUT(listed(dialog).size(), pictures.size() + others.size(), 5000);
        all = listed(dialog);
        QMetaObject::invokeMethod(&dialog, &QDialog::reject);
    });
    EXPECT_EQ(openPictureDialog(nullptr, dir.path()), QString());
    pictures.sort();
    EXPECT_EQ(seen, pictures);
    QStringList everything = pictures + others;
    everything.sort();
    EXPECT_EQ(all, everything);
}

TEST(DropRules, OneLocalFileWithAPictureExtension)
{
    using Action = DropDecision::Action;
    const std::pair<QStringList, Action> cases[] = {
        {{"/tmp/a.gif"}, Action::Load},        {{"/tmp/a.ico"}, Action::Load},
        {{"/tmp/a.wmf"}, Action::Load},        {{"/tmp/a.png"}, Action::Load},
        {{"/tmp/IMG_0001.JPG"}, Action::Load}, {{"/tmp/photo.Png"}, Action::Load},
        {{"/tmp/scan.tiff"}, Action::Load},    {{"/tmp/web.webp"}, Action::Load},
        {{"/tmp/IMG_2000.HEIC"}, Action::Load}, {{"/tmp/a.heif"}, Action::Load},
        {{"/tmp/a.avif"}, Action::Load},       {{"/tmp/a.jfif"}, Action::Load},
        {{"/tmp/a.txt"}, Action::Unsupported}, {{"/tmp/a.jpg.part"}, Action::Unsupported},
        {{"/tmp/my.pics/photo"}, Action::Unsupported}, {{"/tmp/a.txt", "/tmp/b.jpg"}, Action::Ignore},
        {{"https://example.org/tower.jpg"}, Action::Ignore}};  // no file
    for (const QString &extension : pictureExtensions()) {  // every one the dialog lists
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/tmp/picture" + extension.toUpper())});
        EXPECT_EQ(checkDrop(data).action, Action::Load) << extension.toStdString();
    }
    for (const auto &[files, action] : cases) {
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << (file.startsWith('/') ? QUrl::fromLocalFile(file) : QUrl(file));
        QMimeData data;
        data.setUrls(urls);
        SCOPED_TRACE(files.join(' ').toStdString());
        EXPECT_EQ(dragOverEffect(data), action == Action::Load ? 1 : 0);
        EXPECT_EQ(checkDrop(data).action, action);
        EXPECT_EQ(checkDrop(data).path, action == Action::Ignore ? QString() : files.front());
    }
}

}  // namespace
