// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files built byte by byte for the loader's tests, the fuzz seeds and the benchmarks:
// Windows metafiles, GIFs (Qt writes none), multi-image icons, JPEGs with an orientation tag,
// TIFFs of every kind of pixel, WebP files with an orientation or frames; HEIC and AVIF files
// made with libheif's encoders.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <initializer_list>
#include <string>
#include <vector>

namespace plakatron::test {

// Each value as size bytes, least significant first (negative values in two's complement).
QByteArray le(int size, std::initializer_list<qint64> values);
// bytes with value written over them at offset as size bytes, least significant first.
QByteArray patched(QByteArray bytes, qsizetype offset, int size, qint64 value);

// Four quarters in the colours given by their initials, left to right and top to bottom: blacK,
// Red, Green, Yellow, Blue, Magenta, Cyan, White, or T for transparent.
QImage fourColours(int width, int height, const char *colours = "RGBY");
// The initial of the colour at point, to the nearest (transparent counts as black).
char colourAt(const QImage &image, QPoint point);
// The initials at the middles of the four quarters.
std::string quarterColours(const QImage &image);

class MetafileBuilder {
public:
    // Adds the 22-byte placeable header with this frame and units per inch.
    MetafileBuilder &placeable(int left, int top, int right, int bottom, int unitsPerInch);
    // Any record: function and its parameters, as 16-bit words or as bytes (an even
    // number), in file order.
    MetafileBuilder &record(quint16 f, std::initializer_list<qint64> w) { return record(f, le(2, w)); }
    MetafileBuilder &record(quint16 function, const QByteArray &parameters);

    MetafileBuilder &mapMode(int mode) { return record(0x0103, {mode}); }
    MetafileBuilder &windowExt(int x, int y) { return record(0x020C, {y, x}); }
    MetafileBuilder &viewportExt(int x, int y) { return record(0x020E, {y, x}); }
    // Creates a solid brush and a null pen and selects both.
    MetafileBuilder &solidFill(QColor colour);
    MetafileBuilder &rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
    MetafileBuilder &ellipse(int l, int t, int r, int b) { return record(0x0418, {b, r, t, l}); }
    // Creates a font of this height (negative: of its glyphs) and weight and selects it.
    MetafileBuilder &font(int height, int width = 0, int weight = 400);

    QByteArray bytes(bool withEndRecord = true) const;

private:
    QByteArray placeable_;
    QByteArray records_;
    qint64 largest_ = 3;  // words of the largest record, the end record at least
    int objects_ = 0;
};

// A placeable inch square drawn by one STRETCHDIB record (SRCCOPY, RGB colours) from a bitmap
// with this header size and height, 1 pixel wide at 24 bits.
QByteArray bitmapMetafile(qint64 headerSize, qint64 height, const QByteArray &pixels);

struct GifFrame {
    int width = 0, height = 0;
    std::vector<quint8> indices;  // row by row
    int transparentIndex = -1;
};
// A GIF89a with a 4-colour global palette; every frame covers the whole screen.
QByteArray makeGif(const std::vector<QRgb> &palette4, const std::vector<GifFrame> &frames);

// An icon file of 32-bit images with alpha, in the order given; an image of 256 x 256 is stored
// as PNG, as icon files since Windows Vista store them.
QByteArray makeIcon(const std::vector<QImage> &images);

// JPEG bytes of image with an Exif orientation tag (1 to 8) inserted after the start marker.
QByteArray jpegWithOrientation(const QImage &image, int orientation);

// Encodes image with Qt's writer for format ("jpeg", "bmp", "png", "ico", "tiff", "webp").
QByteArray encode(const QImage &image, const char *format, int quality = -1, bool progressive = false);

// An uncompressed little-endian TIFF of image, one strip per image, in the kind of pixels given:
// "rgb8", "rgb16", "rgba16" (unassociated alpha), "cmyk8" or "cmyk16" (inks from the colours:
// C = 255 - R ..., K = 0) or "grey16"; with an Orientation tag when orientation is not 0. Every
// further image is another page.
QByteArray makeTiff(const std::vector<QImage> &pages, const char *kind, int orientation = 0);

// A lossless WebP of image (Qt's writer) in the extended layout with an Exif chunk holding the
// orientation (1 to 8).
QByteArray webpWithOrientation(const QImage &image, int orientation);

// An animated lossless WebP: every frame covers the whole canvas.
QByteArray animatedWebp(const std::vector<QImage> &frames);

// image (its alpha kept) as HEIC (HEVC, x265) or AVIF (AV1, aom) at quality 90, of the given bits a
// sample (8, or 10 for HEIC); orientation (1 to 8) is written as the file's turn and mirror
// boxes, exifOrientation (0: none) in an Exif block beside them.
QByteArray makeHeif(const QImage &image, bool avif, int orientation = 1, int exifOrientation = 0, int bits = 8);

// heif (a HEIC or AVIF file) with every image-size box claiming width x height.
QByteArray heifClaiming(QByteArray heif, quint32 width, quint32 height);

// A HEIC or AVIF file whose primary picture is derived from coded images: a grid of columns x rows
// tiles ("grid"), an overlay of them side by side ("iovl") or the one coded image as it is
// ("iden"). Every input is `tile`, coded once (at `bits` a sample), all items pointing at the one
// piece of coded data, which may be empty. The derived item's descriptor gives `canvas` (a grid's
// or overlay's picture), its image-size box `header`.
struct HeifDerived {
    const char *kind = "grid";
    int columns = 1, rows = 1;
    QSize canvas, header;
    int bits = 8;
    bool emptyData = false;
};
QByteArray makeHeifDerived(const QImage &tile, bool avif, const HeifDerived &derived);

}  // namespace plakatron::test
