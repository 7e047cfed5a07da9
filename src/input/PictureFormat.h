// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rules over a picture file's bytes, kept apart from decoding so they can be checked on their
// own: which format a file holds, what its header says, whether it is complete, which image of an
// icon file to take.

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>

namespace plakatron {

// HEIC stands for every HEIF picture but AVIF: both are decoded by libheif. PDF, SVG and SVGZ
// (gzip-compressed SVG) are vector pictures.
enum class PictureFormat { Unknown, Jpeg, Bmp, Gif, Ico, Wmf, Png, Tiff, Webp, Heic, Avif, Pdf, Svg, Svgz };

// How many of a file's first bytes sniffPictureFormat wants: an ISO media file lists its brands in
// its first box, a PDF's header may follow up to 1024 bytes of something else, and an SVG
// picture's first element may follow an XML declaration, comments and a DTD.
inline constexpr qsizetype pictureSniffBytes = 4096;

// PDF, SVG and SVGZ.
bool isVectorFormat(PictureFormat format);

// The format the first bytes of a file announce. The content decides; the file's extension is
// never trusted.
PictureFormat sniffPictureFormat(QByteArrayView head);

// The name Qt's image plugins know a format by ("jpeg", "bmp", "tiff", "webp", ...); empty for
// the formats Qt does not decode here (WMF, HEIC, AVIF) and Unknown.
QByteArray qtFormatName(PictureFormat format);

// A readable name for messages ("JPEG", "BMP", "GIF", "ICO", "WMF", "PNG", "TIFF", "WebP",
// "HEIC", "AVIF", "PDF", "SVG", "SVGZ"), as the list of supported formats names them.
QString displayName(PictureFormat format);

// A JPEG stream walked from its start marker through every segment and scan: where its end
// marker ends (-1 when the data stops first: libjpeg would fill the missing rows with grey and
// call that success, so the loader checks this first) and how many scans it has (a progressive
// picture is decoded once per scan, so thousands of empty scans cost minutes). Bytes after the end
// marker (camera trailers, appended video) are not part of the picture.
struct JpegStructure {
    qsizetype end = -1;
    qint64 scans = 0;
};
JpegStructure jpegStructure(QByteArrayView data);
inline bool jpegIsComplete(QByteArrayView data) { return jpegStructure(data).end >= 0; }

// True when a GIF file holds its first image whole: the image descriptor, its colour table and
// its data blocks up to their terminator. Qt's reader shows a cut-off first image as far as it
// goes and calls that success.
bool gifFirstImageIsComplete(QByteArrayView data);

// What a BMP file's headers say (head: the file's first bytes, 64 are enough): its size in
// pixels, and whether its pixel rows all lie inside a file of fileSize bytes (always true for
// run-length compressed files, whose end cannot be known beforehand), and how much of the last
// row's padding is missing (Qt's reader would leave that whole row unread, its pixels whatever
// the memory held). valid is false when the headers cannot be read; Qt's reader then has the last
// word.
struct BmpHeader {
    bool valid = false;
    qint64 width = 0;
    qint64 height = 0;
    bool complete = false;
    qint64 missingPadding = 0;  // bytes of the last row's padding the file lacks
};
BmpHeader readBmpHeader(QByteArrayView head, qint64 fileSize);

// The image of an icon (or cursor) file to load: the largest, and of equal sizes the one with
// the most colours; the first of equal candidates. Returns -1 when the directory is unreadable or
// an entry points outside the file.
int largestIconImage(QByteArrayView data);

// What the images of an icon file say about themselves: the size their directory entry gives
// (1-256; 256 also stands for larger, the most a byte can say) and the size their own PNG or
// bitmap header gives (0 x 0 when it cannot be read). Empty when the directory is unreadable.
struct IconImage {
    int listedWidth = 0, listedHeight = 0;
    qint64 width = 0, height = 0;
};
std::vector<IconImage> iconImages(QByteArrayView data);

// Where the last image of an icon file ends, from its directory alone (head: the file's first
// bytes, the directory whole); -1 when the directory is not all there.
qint64 iconFileEnd(QByteArrayView head);

// The most bytes of a file in this format, of width x height pixels, that its decoder can put to
// use; what lies beyond is never read. Generous: 64 MB of metadata and more bytes a pixel than any
// encoder writes. 0 for formats whose file says where it ends (ICO, WMF, WebP, HEIC, AVIF) and
// for vector pictures.
qint64 usefulFileBytes(PictureFormat format, qint64 width, qint64 height);

// What a TIFF stream says about its first image (a TIFF file, or the Exif block of another format,
// which is one): its size, its orientation (the Exif values 1-8: 6 is turned a quarter to the
// right), its kind of pixels, and where the last of its parts ends: the directory, the values it
// points to, the strips or tiles. end is -1 when any of them lies beyond data, or the first
// directory does; valid is false when data is no TIFF stream (classic or BigTIFF).
struct TiffStructure {
    bool valid = false;
    qint64 width = 0, height = 0;
    int orientation = 1;
    int photometric = -1, bitsPerSample = 1, sampleFormat = 1;
    qint64 end = -1;
};
TiffStructure tiffStructure(QByteArrayView data);
// The same of a file of `size` bytes, read by readAt(offset, size) only where its structure is.
TiffStructure tiffStructure(const std::function<QByteArray(qint64 offset, qint64 size)> &readAt, qint64 size);

// What a WebP file's header says (head: its first 30 bytes): the picture's size (the canvas of
// an animation), whether it is animated, and where its RIFF container ends, padding included.
// valid is false when the header is no WebP header of a kind libwebp decodes.
struct WebpHeader {
    bool valid = false;
    qint64 width = 0, height = 0;
    bool animated = false;
    qint64 end = 0;
};
inline constexpr qsizetype webpHeaderBytes = 30;
WebpHeader readWebpHeader(QByteArrayView head);

// The orientation the Exif chunk of a WebP file gives (the Exif values 1-8), 1 when it has none.
int webpOrientation(QByteArrayView data);

// What a PNG file's header chunk says (head: its first 33 bytes): the size, the bits a sample,
// the colour type, whether it is interlaced. valid is false when the file does not open with a
// header chunk.
struct PngHeader {
    bool valid = false;
    qint64 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    bool interlaced = false;
};
inline constexpr qsizetype pngHeaderBytes = 33;
PngHeader readPngHeader(QByteArrayView head);

// Whether the decoder is given a PNG chunk of this type (its four letters): the critical ones and
// the transparency (tRNS), which make the pixels. Text, profiles, animation frames and every other
// ancillary chunk go unread, so no text is ever inflated: a few kilobytes of zTXt may inflate to
// gigabytes, which the program never shows.
bool isPngPixelChunk(QByteArrayView type);

// Where the chain of top-level boxes of an ISO media file (HEIC, AVIF) ends: each box's header
// gives its size, the last may run to the end of the file. -1 when a box runs past fileSize or a
// header is impossible: the file is cut short or damaged. headerAt(offset) gives the file's 16
// bytes from offset on (fewer at its end).
qint64 isoMediaEnd(const std::function<QByteArray(qint64 offset)> &headerAt, qint64 fileSize);

}  // namespace plakatron
