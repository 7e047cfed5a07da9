#pragma once
// Picture files built byte by byte for the loader's tests: Windows metafiles, GIFs (Qt writes
// none), multi-image icons and JPEGs with an orientation tag.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <initializer_list>
#include <vector>

namespace plakatron::test {

// Writes bytes to path; fails the calling test when that is not possible.
void writeFile(const QString &path, const QByteArray &bytes);

class MetafileBuilder {
public:
    // Adds the 22-byte placeable header with this frame and units per inch.
    MetafileBuilder &placeable(int left, int top, int right, int bottom, int unitsPerInch);
    // Any record: function and its 16-bit parameters in file order.
    MetafileBuilder &record(quint16 function, std::initializer_list<int> parameters);
    MetafileBuilder &record(quint16 function, const QByteArray &parameterBytes);

    MetafileBuilder &mapMode(int mode) { return record(0x0103, {mode}); }
    MetafileBuilder &windowOrg(int x, int y) { return record(0x020B, {y, x}); }
    MetafileBuilder &windowExt(int x, int y) { return record(0x020C, {y, x}); }
    MetafileBuilder &viewportExt(int x, int y) { return record(0x020E, {y, x}); }
    // Creates a solid brush (object 0) and a null pen (object 1) and selects both.
    MetafileBuilder &solidFill(QColor colour);
    MetafileBuilder &rectangle(int left, int top, int right, int bottom)
    {
        return record(0x041B, {bottom, right, top, left});
    }
    MetafileBuilder &ellipse(int left, int top, int right, int bottom)
    {
        return record(0x0418, {bottom, right, top, left});
    }
    // A 24-bit bottom-up DIB (rows given top first) stretched over the destination rectangle.
    MetafileBuilder &stretchDib(int left, int top, int width, int height, const std::vector<std::vector<QRgb>> &rows);

    // Header field overrides for damaged files.
    MetafileBuilder &headerMaxRecord(quint32 words)
    {
        maxRecordOverride_ = words;
        return *this;
    }
    MetafileBuilder &headerType(quint16 type)
    {
        type_ = type;
        return *this;
    }

    QByteArray bytes(bool withEndRecord = true) const;

private:
    bool placeable_ = false;
    int frame_[5] = {};
    quint16 type_ = 1;
    quint32 maxRecordOverride_ = 0;
    int objects_ = 0;
    std::vector<QByteArray> records_;
};

struct GifFrame {
    int width = 0, height = 0;
    std::vector<quint8> indices;  // row by row
    int transparentIndex = -1;
};
// A GIF89a with a 4-colour global palette; every frame covers the whole screen.
QByteArray makeGif(const std::vector<QRgb> &palette4, const std::vector<GifFrame> &frames);

// An icon file whose entries are 32-bit DIBs with alpha, in the order given; images of 256 x 256
// are stored as PNG, as icon files since Windows Vista store them.
QByteArray makeIcon(const std::vector<QImage> &images);

// JPEG bytes of image with an Exif orientation tag (1 to 8) inserted after the start marker.
QByteArray jpegWithOrientation(const QImage &image, int orientation);

// Encodes image with Qt's writer for format ("jpeg", "bmp", "png", "ico").
QByteArray encode(const QImage &image, const char *format, int quality = -1);

}  // namespace plakatron::test
