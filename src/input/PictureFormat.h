#pragma once
// Rules over a picture file's bytes, kept apart from decoding so they can be checked on their
// own: which format a file holds, whether a JPEG file is complete, which image of an icon file
// to take.

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace plakatron {

enum class PictureFormat { Unknown, Jpeg, Bmp, Gif, Ico, Wmf, Png };

// The format the first bytes of a file announce (16 bytes are enough). The content decides;
// the file's extension is never trusted.
PictureFormat sniffPictureFormat(QByteArrayView head);

// The name Qt's image plugins know a format by ("jpeg", "bmp", ...); empty for Wmf and Unknown.
QByteArray qtFormatName(PictureFormat format);

// A readable name for messages ("JPEG", "BMP", "GIF", "ICO", "WMF", "PNG").
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
// run-length compressed files, whose end cannot be known beforehand). valid is false when the
// headers cannot be read; Qt's reader then has the last word.
struct BmpHeader {
    bool valid = false;
    qint64 width = 0;
    qint64 height = 0;
    bool complete = false;
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
// encoder writes. 0 for formats whose reader knows its own end (ICO, WMF).
qint64 usefulFileBytes(PictureFormat format, qint64 width, qint64 height);

}  // namespace plakatron
