// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpora of the fuzz targets: small files made here, with Qt's writers and the
// test suite's own builders for metafiles, GIFs and icons. `tools/fuzz seeds` runs it; the files
// it writes are kept under fuzz/corpus/<target>/. With --regressions it writes instead the hostile
// pictures that once crashed or held the loader (`tools/fuzz regressions`), kept under
// fuzz/regressions/picture/.
//   fuzz_make_seeds <corpus folder>
//   fuzz_make_seeds --regressions <regressions folder>
#include "FuzzTargets.h"
#include "HostileFiles.h"
#include "TestFiles.h"
#include "printing/PrinterRecords.h"
#include "support/VectorFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <vector>

using namespace plakatron;
using namespace plakatron::test;

namespace {

QDir corpus;

void put(const char *target, const char *name, const QByteArray &bytes)
{
    corpus.mkpath(QLatin1String(target));
    QFile file(corpus.filePath(QLatin1String(target) + u'/' + QLatin1String(name)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QImage quarters(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height / 2, Qt::red);
    p.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    p.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::yellow);
    p.end();
    return image.convertToFormat(format);
}

QByteArray progressiveJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(50);
    writer.write(image);
    return bytes;
}

// An 8-bit run-length BMP (Qt writes none): 4 x 2 pixels, two runs a row.
QByteArray rle8Bmp()
{
    QByteArray pixels("\x02\x01\x02\x02\x00\x00\x04\x03\x00\x00\x00\x01", 12);
    QByteArray palette;
    for (QRgb c : {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)})
        palette.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    QByteArray out("BM");
    const auto add32 = [&out](quint32 v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    };
    const auto add16 = [&out](quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); };
    const quint32 offset = 14 + 40 + quint32(palette.size());
    add32(offset + quint32(pixels.size()));
    add32(0);
    add32(offset);
    add32(40), add32(4), add32(2), add16(1), add16(8), add32(1), add32(quint32(pixels.size()));
    add32(2835), add32(2835), add32(4), add32(0);
    return out + palette + pixels;
}

void pictureSeeds()
{
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)};
    put("picture", "baseline.jpg", encode(quarters(16, 12), "jpeg", 50));
    put("picture", "progressive.jpg", progressiveJpeg(quarters(16, 16)));
    put("picture", "grey.jpg", encode(quarters(8, 8, QImage::Format_Grayscale8), "jpeg", 50));
    put("picture", "turned.jpg", jpegWithOrientation(quarters(8, 16), 6));
    put("picture", "rgb24.bmp", encode(quarters(5, 3), "bmp"));
    put("picture", "indexed8.bmp", encode(quarters(6, 4, QImage::Format_Indexed8), "bmp"));
    put("picture", "mono.bmp", encode(quarters(9, 2, QImage::Format_Mono), "bmp"));
    put("picture", "argb32.bmp", encode(quarters(3, 3, QImage::Format_ARGB32), "bmp"));
    put("picture", "rle8.bmp", rle8Bmp());
    put("picture", "one.gif", makeGif(palette, {GifFrame{4, 3, std::vector<quint8>(12, 1), -1}}));
    put("picture", "transparent-two.gif",
        makeGif(palette, {GifFrame{3, 2, {3, 0, 1, 2, 3, 0}, 3}, GifFrame{3, 2, std::vector<quint8>(6, 2), -1}}));
    QImage small(8, 8, QImage::Format_ARGB32);
    small.fill(qRgba(255, 0, 0, 128));
    QImage large(16, 16, QImage::Format_ARGB32);
    large.fill(Qt::green);
    large.setPixel(0, 0, 0);
    put("picture", "two.ico", makeIcon({small, large}));
    put("picture", "qt.ico", encode(quarters(16, 16), "ico"));
    put("picture", "small.png", encode(quarters(6, 6, QImage::Format_ARGB32), "png"));
    put("picture", "deep.png", encode(quarters(6, 4, QImage::Format_RGBA64), "png"));

    // TIFF, WebP, HEIC and AVIF: each kind of pixel and orientation, and each cut short and
    // claiming 100000 x 100000 pixels (a TIFF's first two entries, a WebP canvas, every image-size
    // box of a HEIC or AVIF file).
    const QImage clear = quarters(8, 6, QImage::Format_ARGB32);
    const QByteArray tiff = makeTiff({quarters(6, 4)}, "rgb8");
    put("picture", "qt.tif", encode(quarters(6, 4), "tiff"));
    put("picture", "pages.tif", makeTiff({quarters(6, 4), quarters(3, 3)}, "rgb8"));
    put("picture", "cmyk-turned.tif", makeTiff({quarters(6, 4)}, "cmyk8", 6));
    put("picture", "rgba16.tif", makeTiff({clear}, "rgba16"));
    put("picture", "grey16.tif", makeTiff({quarters(5, 3)}, "grey16"));
    put("picture", "cut.tif", tiff.chopped(7));
    put("picture", "huge.tif", QByteArray(tiff).replace(18, 4, le(4, {100000})).replace(30, 4, le(4, {100000})));
    const QByteArray webp = webpWithOrientation(quarters(6, 4), 6);
    put("picture", "lossy.webp", encode(quarters(8, 6), "webp", 50));
    put("picture", "turned.webp", webp);
    put("picture", "animated.webp", animatedWebp({quarters(6, 4), quarters(6, 4, QImage::Format_ARGB32)}));
    put("picture", "cut.webp", webp.chopped(5));
    put("picture", "huge.webp", QByteArray(webp).replace(24, 3, le(3, {99999})).replace(27, 3, le(3, {99999})));
    const QByteArray heic = makeHeif(quarters(16, 12), false, 6, 6);
    put("picture", "turned.heic", heic);
    put("picture", "clear.heic", makeHeif(clear, false));
    put("picture", "deep.heic", makeHeif(quarters(8, 8), false, 1, 0, 10));
    put("picture", "cut.heic", heic.chopped(9));
    put("picture", "huge.heic", heifClaiming(heic, 100000, 100000));
    const QByteArray avif = makeHeif(quarters(16, 12), true, 3);
    put("picture", "turned.avif", avif);
    put("picture", "clear.avif", makeHeif(clear, true));
    put("picture", "cut.avif", avif.chopped(9));
    put("picture", "huge.avif", heifClaiming(avif, 100000, 100000));

    const QColor red(255, 0, 0);
    put("picture", "placeable.wmf", MetafileBuilder().placeable(0, 0, 1440, 720, 1440).solidFill(red).rectangle(0, 0, 720, 720).bytes());
    put("picture", "mapped.wmf",
        MetafileBuilder().placeable(100, 200, 1540, 1640, 1440).mapMode(8).record(0x020B, {200, 100}).windowExt(1440, 1440)
            .viewportExt(300, 300).solidFill(red).ellipse(100, 200, 800, 900).bytes());
    put("picture", "plain.wmf", MetafileBuilder().solidFill(red).ellipse(20, 10, 60, 40).rectangle(0, 0, 30, 30).bytes());
    put("picture", "no-end.wmf", MetafileBuilder().solidFill(red).rectangle(0, 0, 9, 9).bytes(false));
    // STRETCHDIB (copy, RGB colours) of a 2 x 2 bitmap at 24 bits, rows bottom up and padded.
    const QByteArray dib = le(4, {40, 2, 2}) + le(2, {1, 24}) + le(4, {0, 16, 2835, 2835, 0, 0})
                           + le(1, {0, 255, 0, 255, 255, 255, 0, 0}) + le(1, {0, 0, 255, 255, 0, 0, 0, 0});
    put("picture", "bitmap.wmf",
        MetafileBuilder().placeable(0, 0, 720, 720, 1440)
            .record(0x0F43, le(4, {0x00CC0020}) + le(2, {0, 2, 2, 0, 0, 720, 720, 0, 0}) + dib)
            .bytes());
    MetafileBuilder shapes;
    shapes.placeable(0, 0, 1440, 1440, 1440).mapMode(8).windowExt(1440, 1440).solidFill(red);
    shapes.record(0x0324, {4, 0, 0, 1440, 0, 1440, 1440, 0, 1440});                              // POLYGON
    shapes.record(0x0538, {2, 3, 3, 0, 0, 700, 0, 0, 700, 800, 800, 1400, 800, 800, 1400});  // POLYPOLYGON
    shapes.record(0x02FA, {0, 40, 0, 0x00FF, 0}).record(0x012D, {2});                            // a wide pen
    shapes.record(0x0214, {100, 100}).record(0x0213, {1300, 1300});                              // MOVETO, LINETO
    shapes.record(0x0817, {700, 700, 0, 0, 1440, 1440, 0, 0});                                   // ARC
    shapes.record(0x0940, {0x20, 0xCC, 0, 0, 9, 9, 0, 0, 0});                                    // DIBBITBLT, no bitmap
    put("picture", "shapes.wmf", shapes.bytes());
    MetafileBuilder text;
    text.placeable(0, 0, 2880, 1440, 1440).mapMode(8).windowExt(2880, 1440);
    QByteArray font;
    for (int v : {-480, 0, 0, 0, 700})
        font.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    font.append(QByteArray(8, '\0')).append("Arial").append(QByteArray(27, '\0'));
    text.record(0x02FB, font).record(0x012D, {0});
    text.record(0x0521, {3, 'H' | ('i' << 8), '!', 200, 200});                          // TEXTOUT
    text.record(0x0A32, {300, 300, 0, 2, 'o' | ('k' << 8)});                           // EXTTEXTOUT
    put("picture", "text.wmf", text.bytes());
}

// The PNG and HEIF structure targets' seeds: real files of each kind as their records.
void structureSeeds()
{
    using namespace plakatron::fuzz;
    QImage palette = quarters(6, 4, QImage::Format_Indexed8);
    palette.setColor(0, qRgba(255, 0, 0, 0));
    const std::pair<const char *, QByteArray> pngs[] = {
        {"rgb8", encode(quarters(6, 4), "png")},
        {"rgba16", encode(quarters(6, 4, QImage::Format_RGBA64), "png")},
        {"grey16", encode(quarters(5, 3, QImage::Format_Grayscale16), "png")},
        {"palette-transparent", encode(palette, "png")},
        {"ztxt", pngWithText(4, 2, 1000, false)},
        {"itxt", pngWithText(4, 2, 1000, true)},
    };
    for (const auto &[name, bytes] : pngs)
        put("png", name, pngChunkRecords(bytes));
    const QImage tile = quarters(32, 24);
    const std::pair<const char *, QByteArray> heifs[] = {
        {"turned-heic", makeHeif(quarters(16, 12), false, 6, 6)},
        {"clear-avif", makeHeif(quarters(8, 6, QImage::Format_ARGB32), true)},
        {"grid-heic", makeHeifDerived(tile, false, {"grid", 2, 2, {64, 48}, {64, 48}})},
        {"grid-avif", makeHeifDerived(tile, true, {"grid", 2, 1, {60, 24}, {60, 24}})},
        {"overlay-heic", makeHeifDerived(tile, false, {"iovl", 2, 1, {64, 24}, {64, 24}})},
        {"identity-avif", makeHeifDerived(tile, true, {"iden", 1, 1, {}, {32, 24}})},
        {"grid-10-bit-heic", makeHeifDerived(tile, false, {"grid", 1, 2, {32, 48}, {32, 48}, 10})},
    };
    for (const auto &[name, bytes] : heifs)
        put("heif", name, heifBoxRecords(bytes));
}

// The PDF and SVG targets' seeds: small files of what real ones hold (text, paths, gradients,
// several pages, a turned page, a crop box, <use>, nested groups, SVGZ), made by Qt's writers or
// by hand (tests/support/VectorFiles.h).
void vectorSeeds()
{
    const auto shapes = [](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRectF(4, 4, 40, 20), QColor(200, 40, 40, 128));
        QLinearGradient gradient(0, 0, 60, 0);
        gradient.setColorAt(0, Qt::blue);
        gradient.setColorAt(1, Qt::yellow);
        p.setBrush(gradient);
        p.setPen(QPen(Qt::black, 1.5, Qt::DashLine));
        p.drawEllipse(QRectF(20, 10, 50, 30));
        QPainterPath curve;
        curve.moveTo(0, 48);
        curve.cubicTo(20, 0, 40, 96, 72, 40);
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(9);
        p.setFont(font);
        p.drawText(QPointF(6, 44), QStringLiteral("Poster"));
    };
    const QByteArray halves = "0 0 1 rg 0 0 50 50 re f 1 0 0 rg 50 0 50 50 re f BT /F1 8 Tf 5 5 Td (x) Tj ET";
    QByteArray svgDeep = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"20\">";
    for (int i = 0; i < 8; ++i)
        svgDeep += "<g transform=\"translate(1,1)\">";
    svgDeep += "<rect width=\"4\" height=\"4\"/>" + QByteArray("</g>").repeated(8) + "</svg>";
    const QByteArray svgUse = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
                              R"(viewBox="0 0 30 10"><defs><circle id="c" cx="5" cy="5" r="4" fill="teal"/></defs>)"
                              R"(<use xlink:href="#c"/><use xlink:href="#c" x="10"/><use xlink:href="#c" x="20"/>)"
                              R"(<polygon points="0,0 30,10 0,10" fill-opacity="0.3"/></svg>)";
    const QByteArray written = writtenSvg(QSizeF(72, 48), shapes);
    const QList<std::tuple<const char *, const char *, QByteArray>> seeds = {
        {"pdf", "shapes.pdf", writtenPdf(QSizeF(72, 48), 1, [&](QPainter &p, int) { shapes(p); })},
        {"pdf", "two-pages.pdf", writtenPdf(QSizeF(30, 20), 2, [](QPainter &p, int page) {
             p.fillRect(QRectF(5, 5, 10 + page * 5, 10), Qt::darkGreen);
         })},
        {"pdf", "turned.pdf", handWrittenPdf(QStringLiteral("0 0 100 50"), QStringLiteral(" /Rotate 90"), halves)},
        {"pdf", "cropped.pdf", handWrittenPdf(QStringLiteral("0 0 100 50"), QStringLiteral(" /CropBox [10 10 60 40]"), halves)},
        {"pdf", "no-pages.pdf", handWrittenPdf(QStringLiteral("0 0 100 50"), QString(), "", 0)},
        {"svg", "shapes.svg", written},
        {"svg", "shapes.svgz", gzipped(written)},
        {"svg", "nested.svg", svgDeep},
        {"svg", "use.svg", svgUse},
        {"svg", "no-size.svg", R"(<svg xmlns="http://www.w3.org/2000/svg"><rect x="2" y="2" width="6" height="3"/></svg>)"},
    };
    for (const auto &[target, name, bytes] : seeds)
        put(target, name, bytes);
}

void settingsSeeds()
{
    put("settings", "defaults.ini", "[General]\nPW=2\nResX=17\nOverlap=3\n");
    put("settings", "written.ini", "[General]\nLastFolder=/home/user/Pictures/\nOverlap=12\nPW=39\nResX=10\n");
    put("settings", "hostile.ini", "[General]\nPW=abc\nResX=1e9\nOverlap=-5\n");
    put("settings", "numbers.ini", "[General]\nPW=&H10\nResX=\" 7.5 \"\nOverlap=3 %\nLastFolder=\"C:\\\\Bilder\\\\\"\n");
    put("settings", "empty.ini", "");
    put("settings", "variant.ini", "[General]\nPW=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nResX=@ByteArray(12)\nOverlap=1D1\n");
    put("settings", "sections.ini", "[%General]\nPW=1\n[General]\nResX=20\n[Other]\nOverlap=4\nPW\\x=3\n");
    put("settings", "lists.ini", "[General]\nPW=1, 2\nResX=23\nOverlap=50\nLastFolder=a, b\n");
}

// The layout target's input: a mode byte, width and height (32 bits each), the sheets, resolution
// and overlap indexes (a byte each), and the click in the grid view (16 bits each).
QByteArray layoutInput(quint32 width, quint32 height, int sheetsIndex, int resolutionIndex, int overlap,
                       quint16 x, quint16 y)
{
    QByteArray out(1, '\0');
    const quint32 size[2] = {width - 1, height - 1};  // the target adds the 1 back
    out.append(reinterpret_cast<const char *>(size), sizeof size);
    out.append(char(sheetsIndex)).append(char(resolutionIndex)).append(char(overlap));
    out.append(reinterpret_cast<const char *>(&x), 2);
    out.append(reinterpret_cast<const char *>(&y), 2);
    return out;
}

// The arithmetic mode: page width, source size, overlap, page, click, sheets index, view size.
QByteArray arithmeticInput(double pageWidth, double width, double height, qint16 overlap, qint16 page, double x,
                           double y, qint16 sheetsIndex)
{
    QByteArray out(1, char(0x80));
    const auto add = [&out](const auto &v) { out.append(reinterpret_cast<const char *>(&v), sizeof v); };
    add(pageWidth), add(width), add(height), add(overlap), add(page), add(x), add(y), add(sheetsIndex);
    add(436.0), add(397.0);
    return out;
}

void layoutSeeds()
{
    put("layout", "worked-example", layoutInput(880, 560, 2, 17, 3, 100, 100));
    put("layout", "rendered-small", layoutInput(64, 48, 3, 13, 5, 300, 20));
    put("layout", "narrow", layoutInput(25, 100, 2, 12, 0, 10, 10));
    put("layout", "one-pixel-40-sheets", layoutInput(1, 1, 39, 23, 50, 5, 5));
    put("layout", "rows-beyond-16-bits", layoutInput(1, 46400, 39, 23, 3, 1, 1));
    put("layout", "very-wide", layoutInput(250'000'000, 1, 39, 0, 3, 430, 2));
    put("layout", "page-right-of-the-grid", layoutInput(200, 100, 0, 5, 3, 470, 400));
    put("layout", "arithmetic-worked-example", arithmeticInput(800, 880, 560, 3, 6, 900, 1200, 2));
    put("layout", "arithmetic-nan", arithmeticInput(std::nan(""), 0, -1, -32768, 32767, 1e300, -0.0, -1));
}

// printer.dat as a confirmed dialog writes it, and files of the lengths around it.
void printerSeeds()
{
    PrinterRecords r;
    r.dialog.lStructSize = PrintDlgStructSize;
    r.dialog.Flags = pd::PageNums | pd::Collate;
    r.dialog.nFromPage = 2;
    r.dialog.nToPage = 5;
    r.dialog.nMinPage = 1;
    r.dialog.nMaxPage = 8;
    r.dialog.nCopies = 2;
    r.devMode.dmDeviceName = dialogDeviceName(QStringLiteral("Office_2"));
    r.devMode.dmSize = dm::DevModeSize;
    r.devMode.dmFields = dm::Orientation | dm::PaperSize | dm::Copies | dm::Duplex | dm::Collate | dm::Color;
    r.devMode.dmOrientation = dm::Landscape;
    r.devMode.dmPaperSize = 9;  // A4
    r.devMode.dmCopies = 2;
    r.devMode.dmDefaultSource = 7;
    r.devMode.dmPrintQuality = 600;
    r.devMode.dmColor = dm::Monochrome;
    r.devMode.dmDuplex = dm::DuplexLongEdge;
    r.devMode.dmCollate = dm::CollateTrue;
    const QByteArray written = encodePrinterRecords(r);
    put("printer", "confirmed.dat", written);
    put("printer", "empty.dat", QByteArray());
    put("printer", "one-byte.dat", written.left(1));
    put("printer", "183-bytes.dat", written.left(183));
    put("printer", "185-bytes.dat", written + QByteArray(1, '\x55'));
    put("printer", "10000-bytes.dat", written + QByteArray(10000 - written.size(), '\x55'));
    PrinterRecords named = r;
    named.dialog.lpPrintTemplateName = "PRINTDLG";
    named.dialog.lpSetupTemplateName = "S";
    put("printer", "template-names.dat", encodePrinterRecords(named));
    QByteArray longest = written;
    longest[50] = longest[51] = char(0xFF);  // a print template name of 65535 characters
    put("printer", "template-65535.dat", longest);
    PrinterRecords unterminated = r;
    unterminated.devMode.dmDeviceName = paddedDeviceName(QStringLiteral("A_printer_name_of_32_characters_"));
    put("printer", "name-without-nul.dat", encodePrinterRecords(unterminated));
}

// The hostile pictures of each kind that once crashed the loader or held it for minutes: a
// flood fill in a winding corridor (stack overflow), a pen as wide as the frame, 32000
// characters, 50000 saved states, glyphs as tall as the picture, JPEGs of thousands of scans, an
// icon whose PNG is larger than its directory says, a run-length bitmap that skips pixels.
void pictureRegressions()
{
    put("picture", "flood-maze.wmf", floodMaze(2000, 10, 0x0419));
    put("picture", "flood-maze-surface.wmf", floodMaze(2000, 10, 0x0548, 1));
    put("picture", "pen-along-440-points.wmf", thickPolyline(3000, 440, 30000));
    put("picture", "textout-32000.wmf", longText(32000, false));
    put("picture", "exttextout-32000.wmf", longText(32000, true));
    put("picture", "savedc-50000.wmf", manySaveDc(50000));
    put("picture", "font-as-tall-as-the-frame.wmf", hugeFont(3000));
    put("picture", "jpeg-3000-scans-249mp.jpg", jpegScanBomb(15800, 15800, 3000));
    put("picture", "jpeg-20000-scans-4mp.jpg", jpegScanBomb(2000, 2000, 20000));
    put("picture", "icon-16-holding-png-16300.ico", iconWithPng(16, 16300, false));
    put("picture", "icon-256-holding-png-16300.ico", iconWithPng(256, 16300, false));
    put("picture", "rle8-skips.bmp", rleBmpWithSkips(64, 32));
    // Text chunks inflating to 160 MB, a width libpng refuses, grids and overlays whose image-size
    // boxes say 224 x 224 over canvases of 3600 megapixels, tiles that do not cover their grid.
    put("picture", "png-ztxt-20-chunks-of-8-mb.png", pngWithText(64, 20, 7'900'000, false));
    put("picture", "png-itxt-20-chunks-of-8-mb.png", pngWithText(64, 20, 7'900'000, true));
    put("picture", "png-1000001-wide.png", pngClaiming(1'000'001, false, 1));
    QImage tile(224, 224, QImage::Format_RGB32);
    tile.fill(Qt::darkCyan);
    put("picture", "heic-grid-60000-over-224.heic", makeHeifDerived(tile, false, {"grid", 1, 1, {60000, 60000}, {224, 224}}));
    put("picture", "avif-grid-60000-over-224.avif", makeHeifDerived(tile, true, {"grid", 1, 1, {60000, 60000}, {224, 224}}));
    put("picture", "heic-overlay-60000.heic", makeHeifDerived(tile, false, {"iovl", 1, 1, {60000, 60000}, {224, 224}}));
    put("picture", "heic-grid-not-covered.heic", makeHeifDerived(tile, false, {"grid", 2, 2, {1000, 1000}, {1000, 1000}}));
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--regressions") == 0) {
        corpus = QDir(QString::fromLocal8Bit(argv[2]));
        pictureRegressions();
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder> | --regressions <regressions folder>\n");
        return 2;
    }
    corpus = QDir(QString::fromLocal8Bit(argv[1]));
    pictureSeeds();
    structureSeeds();
    settingsSeeds();
    layoutSeeds();
    printerSeeds();
    vectorSeeds();
    return 0;
}
