// Picture files a user may have on disk that are not what they claim: empty or cut off at any
// byte, headers claiming gigapixels, metafiles drawing far outside any sensible area. Each is
// refused with error 481 or 7 and a description, or loads as a whole picture of bounded size;
// none crashes, hangs or comes back half decoded.
#include "TestFiles.h"
#include "core/MessageBox.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

// What loading bytes saved under a name gives: "width x height", or "Error: number description".
QString load(const char *name, const QByteArray &bytes)
{
    static QTemporaryDir dir;
    writeFile(dir.filePath(QLatin1String(name)), bytes);
    try {
        const QImage picture = loadPicture(dir.filePath(QLatin1String(name)));
        return QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height());
    } catch (const RuntimeError &e) {
        return errorWithNumber(e);
    }
}

// A picture of one colour in a format Qt writes, or (no format) as an icon file.
QByteArray encoded(int width, int height, const char *format)
{
    QImage image(width, height, format ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    return format ? encode(image, format, 60) : makeIcon({image});
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
        {"cut.wmf", red().placeable(0, 0, 720, 720, 1440).rectangle(0, 0, 360, 360).bytes(), "48 x 48", 6},
        {"cut.wmf", red().rectangle(0, 0, 30, 30).ellipse(10, 10, 40, 20).bytes(), "54 x 41", 6},
        // 100000 little-endian is a0 86 01 00, -100000 (rows top-down) 60 79 fe ff.
        {"bomb.bmp", claiming(bmp, 18, "a0860100a0860100"), huge, 0},
        {"bomb.bmp", claiming(bmp, 18, "a08601006079feff"), huge, 0},
        {"bomb.png", pngClaiming(), huge, 0},
        // GIF and JPEG at their largest: 65535 and 65500 (beyond it the decoder itself refuses).
        {"bomb.gif", claiming(claiming(gif, 6, "ffffffff"), image + 5, "ffffffff"),
         tooLarge + "65535 x 65535", 0},
        {"bomb.jpg", claiming(jpeg, frame + 5, "ffdcffdc"), tooLarge + "65500 x 65500", 0},
        // The icon's directory says 256 x 256, the PNG in it otherwise: the contradiction is reported.
        {"bomb.ico", QByteArray(icon).replace(icon.indexOf("\x89PNG"), 33, pngClaiming().left(33)),
         "Error: 481 The ICO picture is damaged", 0},
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

}  // namespace
