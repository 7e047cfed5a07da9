#pragma once
// Rules over a picture file's bytes, kept apart from decoding so they can be checked on their
// own: which format a file holds, whether a JPEG file is complete, which image of an icon file
// to take.

#include <QByteArrayView>
#include <QString>

namespace plakatron {

enum class PictureFormat { Unknown, Jpeg, Bmp, Gif, Ico, Wmf, Png };

// The format the first bytes of a file announce (16 bytes are enough). The content decides;
// the file's extension is never trusted.
PictureFormat sniffPictureFormat(QByteArrayView head);

// The name Qt's image plugins know a format by ("jpeg", "bmp", ...); empty for Wmf and Unknown.
QByteArray qtFormatName(PictureFormat format);

// A readable name for messages ("JPEG", "BMP", "GIF", "ICO", "WMF", "PNG").
QString displayName(PictureFormat format);

// True when a JPEG stream runs from its start marker through every segment and scan to its end
// marker. A file cut short lacks the end marker; libjpeg would fill the missing rows with grey
// and call that success, so the loader checks this first. Bytes after the end marker (camera
// trailers, appended video) do not matter.
bool jpegIsComplete(QByteArrayView data);

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

}  // namespace plakatron
