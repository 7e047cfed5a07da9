// SPDX-License-Identifier: GPL-3.0-or-later
// The input area with real parts: real files of every format through the real decoders and
// libwmf, the program's own flood fill and isolated drawing, the path helpers with the classic
// examples written with '/', the real open dialog over a real folder and what a drag may do.
// Damaged and hostile files are in tests/hostile.
#include "HostileFiles.h"
#include "TestFiles.h"
#include "core/RuntimeError.h"
#include "input/DropRules.h"
#include "input/Metafile.h"
#include "input/MetafileRecords.h"
#include "input/OpenPicture.h"
#include "input/PictureLoader.h"
#include "input/Platform.h"
#include "input/Toolbox.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QListView>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::modToolbox;
using namespace plakatron::test;
using Wmf = MetafileBuilder;

namespace {

// Every extension the program promises to open, written out here so that one dropped from the
// shared list fails.
const QStringList extensions =
    QStringLiteral(".jpg .jpeg .jpe .jfif .png .tif .tiff .webp .heic .heif .avif .bmp .gif .ico .wmf").split(u' ');

// The picture darkening from right to left, to half at the left edge: every shade between.
QImage shaded(QImage image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const double f = 0.5 + 0.5 * x / image.width();
            image.setPixelColor(x, y, QColor(int(c.red() * f), int(c.green() * f), int(c.blue() * f)));
        }
    return image;
}

// Size, upright orientation and colours by quarter (see fourColours; transparent parts show white).
TEST(LoadPicture, EveryFormatAtItsNaturalSizeUprightOnWhite)
{
    // The first frame's yellow quarter is transparent; a second frame, all green, is cut off.
    QByteArray gif = makeGif({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)},
                                   {{4, 4, {0, 0, 1, 1, 0, 0, 1, 1, 2, 2, 3, 3, 2, 2, 3, 3}, 3},
                                    {4, 4, std::vector<quint8>(16, 1), -1}});
    Wmf inch;
    inch.placeable(0, 0, 1440, 1440, 1440).solidFill(Qt::red).rectangle(0, 0, 1440, 1440);
    // An inch square at (720, 720) with all the mapping records, red over its bottom-right quarter.
    Wmf mapped;
    mapped.placeable(720, 720, 2160, 2160, 1440).mapMode(8).record(0x020B, {720, 720}).windowExt(1440, 1440);
    mapped.viewportExt(300, 300).solidFill(Qt::red).rectangle(1440, 1440, 2160, 2160);
    Wmf pen;  // a solid red pen 30000 units wide along the top quarters' middle: MOVETO, LINETO
    pen.placeable(0, 0, 2880, 2880, 1440).record(0x02FA, {0, 30000, 0, 0x00FF, 0}).record(0x012D, {0});
    pen.record(0x0214, {720, 0}).record(0x0213, {720, 2880});
    const std::tuple<const char *, QByteArray, QSize, std::string> cases[] = {
        // A camera's trailer after the end marker does not matter.
        {"photo.jpg", encode(fourColours(320, 200), "jpeg", 95) + QByteArray(5000, 'x'), {320, 200}, "RGBY"},
        {"progressive.jpg", encode(fourColours(64, 64), "jpeg", 95, true), {64, 64}, "RGBY"},
        {"turned.jpg", jpegWithOrientation(fourColours(40, 20), 6), {20, 40}, "BRYG"},
        // Rows of 99 bytes padded to 100; the last row's padding may be missing.
        {"odd.bmp", encode(fourColours(33, 17), "bmp").chopped(1), {33, 17}, "RGBY"},
        {"8-bit.bmp", encode(fourColours(8, 6).convertToFormat(QImage::Format_Indexed8), "bmp"), {8, 6}, "RGBY"},
        {"anim.gif", gif.chopped(4), {4, 4}, "RGBW"},
        {"old.gif", gif.replace(3, 3, "87a"), {4, 4}, "RGBW"},
        {"app.ico", makeIcon({fourColours(8, 8, "RRRR"), fourColours(24, 24), fourColours(16, 16, "BBBB")}), {24, 24},
         "RGBY"},
        {"vista.ico", makeIcon({fourColours(32, 32, "RRRR"), fourColours(256, 256)}), {256, 256}, "RGBY"},
        {"really-a-png.jpg", encode(fourColours(50, 40), "png"), {50, 40}, "RGBY"},
        {"screenshot.png", encode(fourColours(48, 32, "RGBT").convertToFormat(QImage::Format_RGBA64), "png"),
         {48, 32}, "RGBW"},
        {"deep.png", encode(fourColours(48, 32).convertToFormat(QImage::Format_RGBX64), "png"), {48, 32}, "RGBY"},
        {"grey.png", encode(fourColours(48, 32, "KWWK").convertToFormat(QImage::Format_Grayscale16), "png"), {48, 32}, "KWWK"},
        // TIFF: the first page only, every kind of pixel as 8-bit RGB, the orientation tag applied.
        {"scan.tif", encode(fourColours(40, 30), "tiff"), {40, 30}, "RGBY"},
        {"pages.tif", makeTiff({fourColours(40, 30), fourColours(20, 20, "KKKK")}, "rgb8"), {40, 30}, "RGBY"},
        {"print.tif", makeTiff({fourColours(40, 30)}, "cmyk8"), {40, 30}, "RGBY"},
        {"deep.tif", makeTiff({fourColours(40, 30)}, "rgb16"), {40, 30}, "RGBY"},
        {"clear.tif", makeTiff({fourColours(40, 30, "RTBY")}, "rgba16"), {40, 30}, "RWBY"},
        {"grey.tif", makeTiff({fourColours(40, 30, "KWWK")}, "grey16"), {40, 30}, "KWWK"},
        {"turned.tif", makeTiff({fourColours(40, 20)}, "rgb8", 6), {20, 40}, "BRYG"},
        // WebP: lossy and lossless, turned, transposed and flipped by its Exif chunk, the first frame.
        {"photo.webp", encode(fourColours(40, 30), "webp", 90), {40, 30}, "RGBY"},
        {"clear.webp", encode(fourColours(40, 30, "TGBY"), "webp", 100), {40, 30}, "WGBY"},
        {"turned.webp", webpWithOrientation(fourColours(40, 20), 6), {20, 40}, "BRYG"},
        {"transposed.webp", webpWithOrientation(fourColours(40, 20), 5), {20, 40}, "RBGY"},
        {"upside-down.webp", webpWithOrientation(fourColours(40, 20), 3), {40, 20}, "YBGR"},
        {"animated.webp", animatedWebp({fourColours(40, 30), fourColours(40, 30, "KKKK")}), {40, 30}, "RGBY"},
        // HEIC and AVIF: turned and mirrored by the file's own boxes, once even with an Exif tag
        // saying the same; 10 bits a sample; odd sizes; transparency; the content decides.
        {"turned.heic", makeHeif(fourColours(64, 48), false, 6, 6), {48, 64}, "BRYG"},
        {"mirrored.heic", makeHeif(fourColours(64, 48), false, 4), {64, 48}, "BYRG"},
        {"deep.heic", makeHeif(fourColours(64, 48), false, 1, 0, 10), {64, 48}, "RGBY"},
        {"shaded.heic", makeHeif(shaded(fourColours(64, 48)), false, 1, 0, 10), {64, 48}, "RGBY"},
        {"shaded-grid.heic", makeHeifDerived(shaded(fourColours(64, 64)), false, {"grid", 2, 2, {120, 100}, {120, 100}, 10}),
         {120, 100}, "RRRR"},
        {"odd.heic", makeHeif(fourColours(61, 45), false), {61, 45}, "RGBY"},
        {"clear.heic", makeHeif(fourColours(64, 48, "RGBT"), false), {64, 48}, "RGBW"},
        {"turned.avif", makeHeif(fourColours(64, 48), true, 8), {48, 64}, "GYRB"},
        {"clear.avif", makeHeif(fourColours(64, 48, "TGBY"), true), {64, 48}, "WGBY"},
        {"really-a-heic.jpg", makeHeif(fourColours(64, 48), false), {64, 48}, "RGBY"},
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
        {"wrong-largest.wmf", patched(inch.bytes(), 22 + 12, 4, 0xFFFFFFFF), {96, 96}, "RRRR"},
        {"no-end.wmf", inch.bytes(false), {96, 96}, "RRRR"},
        // gd paints a thick pen point by point and would take minutes; it is drawn 64 pixels wide.
        {"pen.wmf", pen.bytes(), {192, 192}, "RRWW"},
    };
    for (const auto &[name, bytes, size, colours] : cases) {
        SCOPED_TRACE(name);
        const QString path = QDir::home().filePath(QLatin1String(name));
        writeFile(path, bytes);
        const QImage image = loadPicture(path).raster();
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(quarterColours(image), colours);
        // 16-bit PNGs and TIFFs too large for Qt's readers (here: all of them) are decoded by the
        // loader itself, to the same pixels; HEIC and AVIF pictures of more than 8 bits too large for
        // libheif's conversion to RGB are converted by it, to within its rounding. Every picture
        // loads the same each time (a BMP without its last padding byte left its top row as the
        // memory was).
        setDecoderBudgetForTesting(1);
        const QImage again = loadPicture(path).raster();
        setDecoderBudgetForTesting(0);
        const bool heif = QByteArray(name).endsWith("heic") || QByteArray(name).endsWith("avif");
        ASSERT_EQ(again.size(), image.size());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                for (const int shift : {0, 8, 16})
                    ASSERT_LE(std::abs(int(again.pixel(x, y) >> shift & 0xFF) - int(image.pixel(x, y) >> shift & 0xFF)),
                              heif ? 2 : 0) << x << ", " << y;
    }
}

// A picture of 32 bits a pixel is laid on white in its own rows, band by band, to exactly the
// pixels a copy drawn on white has; so is one Qt turns without alpha.
TEST(LoadPicture, LaidOnWhiteInItsOwnRowsAsOnACopy)
{
    for (const QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGBA8888,
                                        QImage::Format_RGBA8888_Premultiplied, QImage::Format_RGBX8888}) {
        SCOPED_TRACE(format);
        QImage picture(37, 70, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgba(x * 7, y * 3, (x * y) % 256, (x + y * 5) % 256));
        picture = picture.convertToFormat(format);
        QImage expected(picture.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter(&expected).drawImage(0, 0, picture);
        if (!picture.hasAlphaChannel())
            expected = picture.convertToFormat(QImage::Format_RGB32);
        const uchar *bits = picture.constBits();
        const QImage opaque = toOpaqueRgb32(std::move(picture));
        EXPECT_EQ(opaque, expected);
        EXPECT_EQ(opaque.constBits(), bits) << "no second copy";
    }
}

// "Hi!" in a font of the given height and width under a window of the given height: drawn, or
// left out where it could not show (libwmf crashed on those before text went through a check).
TEST(LoadPicture, MetafileTextIsDrawnOrLeftOutButNeverCrashes)
{
    const std::tuple<int, int, int, bool> cases[] = {
        {-480, 0, 1440, true}, {0, 0, 1440, true}, {-480, 30000, 1440, false}, {32767, 0, 1440, false},
        {-480, 0, 1, false}};
    for (const auto &[height, width, windowHeight, visible] : cases) {
        Wmf b;
        b.placeable(0, 0, 2880, 1440, 1440).mapMode(8).windowExt(2880, windowHeight).font(height, width, 700);
        const QImage image = renderMetafile(b.record(0x0521, {3, 'H' | ('i' << 8), '!', windowHeight / 7, 200}).bytes());
        ASSERT_EQ(image.size(), QSize(192, 96));
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
        const auto dark = std::count_if(pixels, pixels + 192 * 96, [](QRgb p) { return qGray(p) < 128; });
        EXPECT_EQ(dark > 20, visible) << height << " " << width << " " << windowHeight << ": " << dark;
    }
}

// The flood fills on pictures 6 pixels wide, rows split by '|', each pixel named by a letter ('.'
// white, 'k' black, 'r' red, 'b' blue), from the point given, in red.
TEST(Metafile, FloodFillsAsWindowsFills)
{
    using metafile::FloodMode;
    const std::map<char, quint32> colours{{'.', 0xFFFFFF}, {'k', 0}, {'r', 0xFF0000}, {'b', 0x0000FF}};
    const struct { const char *before; int x, y; char colour; FloodMode mode; const char *after; } cases[] = {
        // Bounded by black; blue inside is filled too, diagonal gaps do not leak.
        {"..k...|..k.b.|kkk...|...k..", 4, 0, 'k', FloodMode::Border, "..krrr|..krrr|kkkrrr|...krr"},
        // The area of white only: the blue pixel and the corner beyond the black stay.
        {"..k...|..k.b.|kkk...|...k..", 4, 0, '.', FloodMode::Surface, "..krrr|..krbr|kkkrrr|...krr"},
        // A start on the border's colour, or off the surface's colour, fills nothing.
        {"..k...", 2, 0, 'k', FloodMode::Border, "..k..."},
        {"..k...", 2, 0, '.', FloodMode::Surface, "..k..."},
        // Beyond the right edge: the last column; left of it: nothing.
        {"...k..", 40, 0, 'k', FloodMode::Border, "...krr"},
        {"...k..", -1, 0, 'k', FloodMode::Border, "...k.."},
        // Red already there ends the fill.
        {"..r...", 0, 0, 'k', FloodMode::Border, "rrr..."},
    };
    const auto pixelsOf = [&colours](const char *text) {
        std::vector<quint32> pixels;
        for (; *text; ++text)
            if (*text != '|')
                pixels.push_back(colours.at(*text));
        return pixels;
    };
    for (const auto &c : cases) {
        std::vector<quint32> pixels = pixelsOf(c.before);
        metafile::floodFill(pixels, 6, int(pixels.size()) / 6, c.x, c.y, 0xFF0000, colours.at(c.colour), c.mode);
        EXPECT_EQ(pixels, pixelsOf(c.after)) << c.before << " from " << c.x << ", " << c.y;
    }
}

// The platform seam's child process: its bytes come back whole; one that runs on is stopped at
// the deadline; one the caller stops, or that another's signal ends, is stopped; one that crashes
// fails. Only the run that must time out has a short deadline, so no outcome depends on how fast
// a child reports its end (a sanitizer's crash report takes its time on a busy machine).
TEST(Platform, IsolatedWorkFinishesTimesOutOrFails)
{
    using Outcome = IsolatedRun::Outcome;
    const QByteArray large(5 * 1024 * 1024, 'x');  // more than a pipe holds at once
    const auto runsOn = [] { volatile int i = 0; for (;;) { i = i + 1; } return QByteArray(); };
    Cancellation stop;
    int waits = 0;
    const IsolationWatch stopsAtTheThirdWait{&stop, [&] {
        if (++waits == 3)
            stop.request();
    }};
    const struct { const char *name; std::function<QByteArray()> work; qint64 deadlineMs; IsolationWatch watch; Outcome outcome; int signal; } cases[] = {
        {"finishes", [&] { return large; }, 600'000, {}, Outcome::Finished, 0},
        {"runs on", runsOn, 300, {}, Outcome::TimedOut, 0},
        {"crashes", [] { std::raise(SIGSEGV); return QByteArray("unreached"); }, 600'000, {}, Outcome::Failed, 0},
        {"is killed", [] { std::raise(SIGKILL); return QByteArray("unreached"); }, 600'000, {}, Outcome::Stopped, SIGKILL},
        {"is stopped", runsOn, 600'000, stopsAtTheThirdWait, Outcome::Stopped, 0},
    };
    ASSERT_TRUE(isolationStopsFromOutside());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        const IsolatedRun run = runIsolated(c.work, QDeadlineTimer(c.deadlineMs), c.watch);
        EXPECT_EQ(run.outcome, c.outcome);
        EXPECT_EQ(run.signal, c.signal);
        EXPECT_EQ(run.result, c.outcome == Outcome::Finished ? large : QByteArray());
        if (c.outcome == Outcome::TimedOut) {
            EXPECT_GE(timer.elapsed(), 300);
        }
    }
    EXPECT_EQ(waits, 3);
}

// A child outlives nothing: when the program that started it is killed, it goes too.
TEST(Platform, IsolatedWorkEndsWithTheProgram)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t program = ::fork();
    if (program == 0) {
        runIsolated([&] {
            const pid_t child = ::getpid();
            [[maybe_unused]] const auto written = ::write(fds[1], &child, sizeof child);
            for (;;)
                ::pause();
            return QByteArray();
        }, QDeadlineTimer(600'000));
        ::_exit(0);
    }
    ::close(fds[1]);
    pid_t child = 0;
    ASSERT_EQ(::read(fds[0], &child, sizeof child), ssize_t(sizeof child));
    ::close(fds[0]);
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    // Gone, or a zombie left to whoever adopts it.
    const auto alive = [child] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(child));
        return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
    };
    QElapsedTimer timer;
    timer.start();
    while (alive() && timer.elapsed() < 60'000)
        QThread::msleep(10);
    EXPECT_FALSE(alive());
}

// Run-length codes draw their runs and leave white where they skip: a delta jump, rows and the
// bitmap ended early.
TEST(LoadPicture, RunLengthBitmapsAreWhiteWhereTheirRunsSkip)
{
    writeFile(QDir::home().filePath("skips.bmp"), rleBmpWithSkips(8, 6));
    const QImage image = loadPicture(QDir::home().filePath("skips.bmp")).raster();
    ASSERT_EQ(image.size(), QSize(8, 6));
    std::string rows;  // top row first
    for (int y = 0; y < 6; ++y, rows += '|')
        for (int x = 0; x < 8; ++x)
            rows += image.pixel(x, y) == qRgb(255, 0, 0) ? 'R' : image.pixel(x, y) == qRgb(255, 255, 255) ? 'W' : '?';
    EXPECT_EQ(rows, "WWWWWWWW|WWWWRRRR|WWWWWWWW|RRRRWWWW|RRRRWWWW|RRRRWWWW|");
}

TEST(Toolbox, PathsFilesAndFolders)
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
    for (const auto &[path, folder] : {std::pair<QString, QString>{"C:/pics/a.jpg", "C:/pics/"}, {"C:/pics/", "C:/pics/"},
                                       {"a.jpg", "a.jpg"}})
        EXPECT_EQ(FolderOfPath(path), folder);

    QTemporaryDir dir;
    const QString before = QDir::currentPath(), file = dir.filePath("read-only.jpg");
    for (const char *name : {"plain.jpg", ".hidden.jpg", "read-only.jpg"}) {
        writeFile(dir.filePath(name), "x");
        QFile::setPermissions(dir.filePath(name), QFile::ReadOwner);
        EXPECT_TRUE(FileExists(dir.filePath(name))) << name;
    }
    for (const QString &path : {dir.path(), QString(), dir.filePath("missing.jpg")})  // a folder is no file
        EXPECT_FALSE(FileExists(path)) << path.toStdString();
    EXPECT_TRUE(FolderExists(dir.path()));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_EQ(QDir::currentPath(), before);  // unlike the classic test, the current folder stays
    setAppFolderForTesting("/opt/plakatron//");
    EXPECT_EQ(AppFolder(), "/opt/plakatron/");  // exactly one separator at the end
    setAppFolderForTesting(QString());
    EXPECT_EQ(AppFolder(), QCoreApplication::applicationDirPath() + '/');
    // The test main points HOME at a temporary folder.
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + '/');
    EXPECT_EQ(SpecialFolderPath(0x2A), QString());  // a number this platform does not know
}

// The file dialog through its seam: the answer loses blanks and NULs, a cancel gives nothing, a
// name too long for the classic dialog's buffer fails before any dialog opens. Then Qt's own open
// dialog over a real folder: "Supported formats" shows every picture in any letter case (a
// camera's IMG_0001.JPG, photo.Png) and nothing else, "All files" everything, and a typed name of
// a missing file is handed on.
TEST(Toolbox, OpenDialog)
{
    FileDialogAnswer answer{true, QString("  /tmp/my photo.jpg  ") + QChar(u'\0') + QChar(u'\0'), 2};
    const auto previous = installFileDialogHandler([&](const FileDialogRequest &) { return answer; });
    int index = 1;  // the chosen entry comes back
    EXPECT_EQ(ShowFileDialog("A|*.a|B|*.b", nullptr, "/tmp", "", 0, false, index), "/tmp/my photo.jpg");
    EXPECT_EQ(index, 2);
    answer.accepted = false;
    EXPECT_EQ(ShowFileDialog("A|*.a", nullptr, "/tmp", "T", 0, false, index, QString(254, 'n')), QString());
    answer.accepted = true;
    try {
        ShowFileDialog("A|*.a", nullptr, "", "", 0, false, index, QString(255, 'n'));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 5);
    }
    installFileDialogHandler(previous);

    QTemporaryDir dir;
    QStringList pictures{"IMG_0001.JPG", "photo.Png", "scan.TIFF", "IMG_2000.HEIC", "mixed.Jpeg"};
    for (const QString &extension : extensions)
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
    const auto answered = [&dir](int timeoutMs, const std::function<void(QFileDialog &)> &step) {
        const auto open = [] { return qobject_cast<QFileDialog *>(QApplication::activeModalWidget()); };
        const ModalWatchdog<QFileDialog> watchdog(timeoutMs, open);
        whileModal<QFileDialog>(0, open, step);
        return openPictureDialog(nullptr, dir.path());
    };
    const QString typed = dir.filePath("typed-but-missing.jpeg");
    EXPECT_EQ(answered(5000, [&](QFileDialog &dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
        EXPECT_EQ(dialog.windowTitle(), "Open Picture");
        dialog.selectFile(typed);
        QMetaObject::invokeMethod(&dialog, &QDialog::accept);
    }), typed);
    QStringList seen, all;
    EXPECT_EQ(answered(10000, [&](QFileDialog &dialog) {
        // The folder is read in the background: wait until the listing settles. (Qt's QTRY macros
        // report to Qt's test runner and would let a failed wait pass here.)
        const auto settles = [&](qsizetype count) {
            return QTest::qWaitFor([&] { return listed(dialog).size() == count; }, 5000);
        };
        EXPECT_TRUE(settles(pictures.size()));
        seen = listed(dialog);
        dialog.selectNameFilter("All files (*)");
        EXPECT_TRUE(settles(pictures.size() + others.size()));
        all = listed(dialog);
        QMetaObject::invokeMethod(&dialog, &QDialog::reject);
    }), QString());
    QStringList everything = pictures + others;
    pictures.sort();
    everything.sort();
    EXPECT_EQ(seen, pictures);
    EXPECT_EQ(all, everything);
}

TEST(DropRules, OneLocalFileWithAPictureExtensionInAnyLetterCase)
{
    using Action = DropDecision::Action;
    std::vector<std::pair<QStringList, Action>> cases = {
        {{"/tmp/photo.Png"}, Action::Load},   {{"/tmp/a.txt"}, Action::Unsupported},
        {{"/tmp/a.jpg.part"}, Action::Unsupported}, {{"/tmp/my.pics/photo"}, Action::Unsupported},
        {{"/tmp/a.txt", "/tmp/b.jpg"}, Action::Ignore}, {{"https://example.org/tower.jpg"}, Action::Ignore}};
    for (const QString &extension : extensions)
        cases.insert(cases.end(), {{{"/tmp/a" + extension}, Action::Load}, {{"/tmp/B" + extension.toUpper()}, Action::Load}});
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
