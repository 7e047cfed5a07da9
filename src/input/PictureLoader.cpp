// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/PictureLoader.h"

#include "core/FileSystem.h"
#include "core/RuntimeError.h"
#include "core/StopSignals.h"
#include "input/Bytes.h"
#include "input/HeifPicture.h"
#include "input/JpegRows.h"
#include "input/LoadChecks.h"
#include "input/Metafile.h"
#include "input/PictureFormat.h"
#include "input/PictureTypes.h"
#include "input/PngPicture.h"
#include "input/RleBitmap.h"
#include "input/VectorPicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QLoggingCategory>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <tiffio.h>

namespace plakatron {

void invalidPicture(const QString &description) { raise(err::InvalidPicture, description); }

void outOfMemory() { raise(err::OutOfMemory, QStringLiteral("There is not enough memory to load the picture.")); }

void checkPixelCount(qint64 width, qint64 height)
{
    // Each side on its own first: headers may give sides whose product does not fit 64 bits.
    if (width > PictureLimits::maxPixels || height > PictureLimits::maxPixels
        || width * height > PictureLimits::maxPixels)
        raise(err::OutOfMemory, tooLargeDescription(width, height, PictureLimits::maxPixels));
}

namespace {
qint64 deadlineMs = PictureLimits::decodingDeadlineMs;  // shorter in tests
qint64 decoderBudget = 0;                              // 0: Qt's allocation limit
}  // namespace

void setDecoderBudgetForTesting(qint64 bytes) { decoderBudget = bytes; }

bool withinDecoderBudget(qint64 width, qint64 height, int bytesPerPixel)
{
    const qint64 budget = decoderBudget > 0 ? decoderBudget : qint64(PictureLimits::qtAllocationLimitMB) << 20;
    return width * height <= budget / bytesPerPixel;
}

qint64 decodingDeadlineMs() { return deadlineMs; }

void setDecodingDeadlineForTesting(qint64 milliseconds)
{
    deadlineMs = milliseconds > 0 ? milliseconds : PictureLimits::decodingDeadlineMs;
}

QString tooSlowDescription(const QString &what, const QString &verb)
{
    return QStringLiteral("%1 takes too long to %2 (more than %3 seconds).")
        .arg(what, verb)
        .arg(PictureLimits::decodingDeadlineMs / 1000);
}

void stoppedFromOutside(int signal, const QString &what)
{
    if (signal == 0)
        raise(err::UserInterrupt);
    raise(err::UserInterrupt, QStringLiteral("%1 was stopped from outside (by %2).").arg(what, stopSignalName(signal)));
}

namespace {

constexpr qsizetype bmpHeaderBytes = 64;  // the file header and the start of the info header

[[noreturn]] void invalid(const QString &description) { invalidPicture(description); }

void raiseAllocationLimit()
{
    if (QImageReader::allocationLimit() < PictureLimits::qtAllocationLimitMB)
        QImageReader::setAllocationLimit(PictureLimits::qtAllocationLimitMB);
}

// The decoders under Qt's readers write their errors and warnings to standard error: libtiff (a
// camera's private tags, a damaged strip) directly, libpng its warnings through Qt's image log (and
// its errors directly: see decodePng). The loader's own message says what matters, and the
// command-line tool promises one line.
void quietenDecoders()
{
    static const bool quiet = [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
        QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.warning=false"));
        return true;
    }();
    Q_UNUSED(quiet)
}

void checkSize(QSize size) { checkPixelCount(size.width(), size.height()); }

// Up to maxBytes more of the file (all of it when maxBytes is negative). Never more than the file
// holds: QFile takes the memory for all that is asked before it reads.
QByteArray readBytes(QFile &file, qint64 maxBytes = -1)
{
    try {
        const qint64 left = std::max<qint64>(0, file.size() - file.pos());
        QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(std::min(maxBytes, left));
        if (file.error() != QFileDevice::NoError)
            raise(err::DeviceIOError, QStringLiteral("The file could not be read: %1").arg(file.errorString()));
        return bytes;
    } catch (const std::bad_alloc &) {
        outOfMemory();
    }
}

QString unsupportedDescription(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    QString text = QStringLiteral("The file is not a picture in a supported format (%1)").arg(pictureFormatNames());
    if (!suffix.isEmpty())
        text += QStringLiteral(", although its name ends in \".%1\"").arg(suffix);
    return text + u'.';
}

// The picture as an Exif orientation (1-8) says to show it: mirrored, then turned (Qt's order).
QImage oriented(const QImage &image, int orientation)
{
    if (orientation == 8)
        return image.transformed(QTransform().rotate(270));
    const bool across = orientation == 2 || orientation == 3 || orientation == 7;
    const bool down = orientation == 3 || orientation == 4 || orientation == 5;
    QImage result = across || down ? image.mirrored(across, down) : image;
    if (orientation >= 5 && orientation <= 7)
        result = result.transformed(QTransform().rotate(90));
    return result;
}

// What kind of TIFF picture the header describes, for a message: "16-bit CMYK", "32-bit
// floating-point RGB".
QString tiffKind(const TiffStructure &tiff)
{
    QString colours;
    switch (tiff.photometric) {
    case 0:
    case 1: colours = QStringLiteral("grey"); break;
    case 2: colours = QStringLiteral("RGB"); break;
    case 3: colours = QStringLiteral("palette"); break;
    case 5: colours = QStringLiteral("CMYK"); break;
    case 6: colours = QStringLiteral("YCbCr"); break;
    case 8: colours = QStringLiteral("CIE L*a*b*"); break;
    default: colours = QStringLiteral("colour model %1").arg(tiff.photometric); break;
    }
    return QStringLiteral("%1-bit%2 %3")
        .arg(tiff.bitsPerSample)
        .arg(tiff.sampleFormat == 3 ? QStringLiteral(" floating-point") : QString())
        .arg(colours);
}

// The first `end` bytes of a file as a device its decoder reads as it goes, never mapped (Qt's
// TIFF reader maps a file it is given, which shows the whole file as memory of the program);
// bytes past the file's end up to `end` read as zeros (a BMP's last padding).
class FileWindow : public QIODevice {
public:
    FileWindow(QFile &file, qint64 end) : file_(file), end_(end) { open(QIODevice::ReadOnly); }
    qint64 size() const override { return end_; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 wanted = std::clamp<qint64>(end_ - pos(), 0, maxSize);
        qint64 got = file_.seek(pos()) ? file_.read(data, wanted) : -1;
        if (got < 0)
            return -1;
        if (got < wanted && pos() + got >= file_.size()) {
            std::memset(data + got, 0, size_t(wanted - got));
            got = wanted;
        }
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QFile &file_;
    qint64 end_;
};

// libtiff reads through a device with these.
tmsize_t tiffRead(thandle_t handle, void *data, tmsize_t size)
{
    return tmsize_t(static_cast<QIODevice *>(handle)->read(static_cast<char *>(data), qint64(size)));
}

tmsize_t tiffWrite(thandle_t, void *, tmsize_t) { return -1; }

toff_t tiffSeek(thandle_t handle, toff_t offset, int whence)
{
    auto *device = static_cast<QIODevice *>(handle);
    const qint64 base = whence == SEEK_CUR ? device->pos() : whence == SEEK_END ? device->size() : 0;
    device->seek(std::clamp<qint64>(base + qint64(offset), 0, device->size()));
    return toff_t(device->pos());
}

int tiffClose(thandle_t) { return 0; }
toff_t tiffSize(thandle_t handle) { return toff_t(static_cast<QIODevice *>(handle)->size()); }

// A 16-bit TIFF through libtiff's RGBA reading, which brings every kind of pixel it knows to 8
// bits a sample and associated alpha, straight into the picture's rows; turned as its orientation
// tag says, as Qt's reader turns the pictures it takes.
QImage decodeDeepTiff(QIODevice &source, const TiffStructure &structure)
{
    source.seek(0);
    const std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff(
        TIFFClientOpen("picture", "rm", &source, tiffRead, tiffWrite, tiffSeek, tiffClose, tiffSize, nullptr, nullptr),
        TIFFClose);
    char reason[1024] = "";
    TIFFRGBAImage rgba{};
    if (!tiff || !TIFFRGBAImageOK(tiff.get(), reason) || !TIFFRGBAImageBegin(&rgba, tiff.get(), 0, reason))
        invalid(QStringLiteral("The TIFF picture is damaged, or of a kind this program cannot decode (%1).")
                    .arg(tiffKind(structure)));
    // The rows as they are stored; the orientation is applied below.
    rgba.req_orientation = rgba.orientation;
    QImage image(int(rgba.width), int(rgba.height),
                 rgba.alpha ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_RGBX8888);
    const bool read = !image.isNull()
                      && TIFFRGBAImageGet(&rgba, reinterpret_cast<uint32_t *>(image.bits()), rgba.width, rgba.height);
    const int orientation = rgba.orientation >= 1 && rgba.orientation <= 8 ? rgba.orientation : 1;
    TIFFRGBAImageEnd(&rgba);
    if (image.isNull())
        outOfMemory();
    if (!read)
        invalid(QStringLiteral("The TIFF picture is damaged or incomplete and cannot be decoded."));
    image = toOpaqueRgb32(std::move(image));
    if (image.isNull())
        outOfMemory();
    return oriented(image, orientation);
}

QString damagedDescription(PictureFormat format)
{
    return QStringLiteral("The %1 picture is damaged or incomplete and cannot be decoded.").arg(displayName(format));
}

// The picture `source` holds, by Qt's reader for its format (or the loader's own decoders). For
// the formats read whole beforehand, `bytes` holds the file as far as it is read; a TIFF's
// structure has been read.
QImage decodeRaster(QIODevice &source, const QByteArray &bytes, PictureFormat format, const TiffStructure &tiff)
{
    if (format == PictureFormat::Bmp && isRleBitmap(bytes)) {
        const RleBitmap rle = decodeRleBitmap(bytes);
        if (rle.image.isNull())
            invalid(QStringLiteral("The BMP picture is damaged or incomplete and cannot be decoded."));
        if (!rle.complete)
            invalid(QStringLiteral("The BMP picture is incomplete: the file ends before the picture does."));
        return rle.image;
    }
    // TIFF and WebP come with Qt's extra image plugins, which may be missing.
    if ((format == PictureFormat::Tiff || format == PictureFormat::Webp)
        && !QImageReader::supportedImageFormats().contains(qtFormatName(format)))
        invalid(QStringLiteral("The %1 picture cannot be decoded: Qt's image plugin for it is not installed (on "
                               "Debian, qt6-image-formats-plugins).")
                    .arg(displayName(format)));
    // Qt's reader takes 16-bit TIFFs at 8 bytes a pixel; beyond its limit they are decoded here at 4.
    if (format == PictureFormat::Tiff && tiff.bitsPerSample == 16 && !withinDecoderBudget(tiff.width, tiff.height, 8))
        return decodeDeepTiff(source, tiff);
    QImageReader reader(&source, qtFormatName(format));
    // The orientation a JPEG or TIFF header gives; the first page of a TIFF, the first frame of
    // an animation.
    reader.setAutoTransform(true);
    if (format == PictureFormat::Ico) {
        const int index = largestIconImage(bytes);
        if (index < 0)
            invalid(QStringLiteral("The icon file is damaged or incomplete: its list of images does not match its "
                                   "contents."));
        // An image stored as PNG goes the way of every PNG: only its pixel chunks are read.
        const qsizetype entry = 6 + qsizetype(index) * 16;
        const QByteArray body = QByteArray::fromRawData(bytes.constData() + bytes::u32At(bytes, entry + 12),
                                                        bytes::u32At(bytes, entry + 8));
        if (const PngHeader png = readPngHeader(body); png.valid) {
            QBuffer entryBuffer;
            entryBuffer.setData(body);
            entryBuffer.open(QIODevice::ReadOnly);
            return decodePng(entryBuffer, body.size(), png);
        }
        if (index > 0 && !reader.jumpToImage(index))
            invalid(QStringLiteral("The icon file is damaged: its image %1 cannot be found.").arg(index + 1));
    }

    // The header's size, before any pixel memory is taken.
    const QSize size = reader.size();
    if (size.isValid())
        checkSize(size);

    QImage image;
    if (!reader.read(&image)) {
        if (reader.error() == QImageReader::InvalidDataError && image.isNull() && size.isValid()
            && qint64(size.width()) * size.height() * 4 > qint64(PictureLimits::qtAllocationLimitMB) * 1024 * 1024)
            raise(err::OutOfMemory, tooLargeDescription(size.width(), size.height(), PictureLimits::maxPixels));
        // A TIFF that is all there but still fails is most likely of a kind Qt's reader does not
        // decode (16-bit CMYK, floating point); say which.
        if (format == PictureFormat::Tiff && tiff.photometric >= 0)
            invalid(QStringLiteral("The TIFF picture is damaged, or of a kind this program cannot decode (%1).")
                        .arg(tiffKind(tiff)));
        invalid(damagedDescription(format));
    }
    if (image.isNull())
        outOfMemory();
    // Qt's WebP reader leaves the Exif orientation to its caller (should a later one apply it, it
    // says so, and the picture is not turned twice).
    if (format == PictureFormat::Webp && !reader.supportsOption(QImageIOHandler::ImageTransformation)) {
        image = oriented(image, webpOrientation(bytes));
        if (image.isNull())
            outOfMemory();
    }
    return image;
}

[[noreturn]] void notRegular()
{
    invalid(QStringLiteral("The path names a pipe, a device or another special file, not a picture file."));
}

void openPictureFile(QFile &file)
{
    // Looked at by the name's own bytes (Qt's file classes would look for another name where it
    // is not UTF-8), links followed.
    const platform::FileStatus status = platform::fileStatus(file.fileName(), true);
    if (status.error == ENAMETOOLONG)
        raise(err::BadFileNameOrNumber, QStringLiteral("The file cannot be opened: %1.").arg(platform::errorText(status.error)));
    if (file.fileName().isEmpty() || status.kind == platform::FileKind::Missing)
        raise(err::FileNotFound);
    if (status.kind == platform::FileKind::Folder)
        raise(err::PathFileAccessError, QStringLiteral("The path names a folder, not a picture file."));
    // Reading a pipe waits for a writer, a device may never end: only regular files are opened.
    if (status.kind != platform::FileKind::Regular)
        notRegular();
    switch (platform::openRegularFile(file)) {
    case platform::RegularFileOpen::Opened:
        break;
    case platform::RegularFileOpen::NotRegular:
        notRegular();
    case platform::RegularFileOpen::Failed:
        if (file.error() == QFileDevice::PermissionsError)
            raise(err::PermissionDenied);
        raise(err::PathFileAccessError, QStringLiteral("The file could not be opened: %1").arg(file.errorString()));
    }
    if (file.size() == 0)
        invalid(QStringLiteral("The file is empty."));
}

QImage loadMetafile(QFile &file, const IsolationWatch &watch)
{
    if (file.size() > PictureLimits::maxMetafileBytes)
        raise(err::OutOfMemory, QStringLiteral("The metafile is too large (%1 MB); metafiles of up to %2 MB can be "
                                               "loaded.")
                                    .arg(file.size() / (1024 * 1024))
                                    .arg(PictureLimits::maxMetafileBytes / (1024 * 1024)));
    const QByteArray bytes = readBytes(file);
    try {
        return renderMetafile(bytes, watch);
    } catch (const std::bad_alloc &) {
        outOfMemory();
    }
}

// An oversized or cut-off picture is refused from its header, before the whole file is read.
// Gives the size the header states (invalid when it cannot be told).
QSize checkHeader(QFile &file, PictureFormat format)
{
    if (format == PictureFormat::Bmp) {
        // Qt's reader takes a cut-off bitmap and leaves the missing rows black.
        const BmpHeader header = readBmpHeader(file.peek(bmpHeaderBytes), file.size());
        if (header.valid) {
            checkPixelCount(header.width, header.height);
            if (!header.complete)
                invalid(QStringLiteral("The BMP picture is incomplete: the file ends before the picture does."));
        }
    }
    if (format == PictureFormat::Webp) {
        // Qt's WebP reader reads the whole file and makes an animation's canvas as soon as it is
        // asked for the size: the header is read here instead.
        const WebpHeader header = readWebpHeader(file.peek(webpHeaderBytes));
        if (!header.valid)
            invalid(QStringLiteral("The WebP picture is damaged or incomplete: its header cannot be read."));
        checkPixelCount(header.width, header.height);
        return QSize(int(header.width), int(header.height));
    }
    if (format == PictureFormat::Png) {
        // Qt's reader would read every chunk before the pixels, text and all, to tell the size.
        const PngHeader header = readPngHeader(file.peek(pngHeaderBytes));
        if (!header.valid)
            invalid(QStringLiteral("The PNG picture is damaged or incomplete: its header cannot be read."));
        checkPixelCount(header.width, header.height);
        const QLocale english(QLocale::English);
        for (const auto &[side, length] : {std::pair("wide", header.width), std::pair("tall", header.height)})
            if (length > PictureLimits::maxPngSide)
                invalid(QStringLiteral("The PNG picture is too %1 for the PNG decoder (%2 px; at most %3).")
                            .arg(QLatin1String(side), english.toString(length), english.toString(PictureLimits::maxPngSide)));
        return QSize(int(header.width), int(header.height));
    }
    QImageReader probe(&file, qtFormatName(format));
    const QSize size = probe.size();
    if (size.isValid())
        checkSize(size);
    file.seek(0);
    return size;
}

// As much of the file as its format can put to use: an icon up to the end of its last image, a
// JPEG up to its end marker, a WebP file to the end of its container, any other picture up to
// what its size in pixels can fill. A picture followed by gigabytes of padding is read only as far
// as the picture goes.
QByteArray readUsefulBytes(QFile &file, PictureFormat format, QSize size)
{
    if (format == PictureFormat::Ico) {
        constexpr qsizetype largestDirectory = 6 + 65535 * 16;
        const qint64 end = iconFileEnd(file.peek(largestDirectory));
        return readBytes(file, end > 0 ? end : -1);
    }
    if (format == PictureFormat::Webp)
        return readBytes(file, readWebpHeader(file.peek(webpHeaderBytes)).end);
    const qint64 pixelsAcross = size.isValid() ? size.width() : PictureLimits::maxPixels;
    const qint64 pixelsDown = size.isValid() ? size.height() : 1;
    const qint64 useful = std::min(file.size(), usefulFileBytes(format, pixelsAcross, pixelsDown));
    if (format != PictureFormat::Jpeg)
        return readBytes(file, useful);
    // In growing steps until the end marker has been read.
    qint64 wanted = std::min<qint64>(useful, 1024 * 1024);
    QByteArray bytes = readBytes(file, wanted);
    for (;;) {
        const qsizetype end = jpegStructure(bytes).end;
        if (end >= 0) {
            bytes.truncate(end);
            return bytes;
        }
        if (bytes.size() < wanted || wanted >= useful)
            return bytes;  // the file, or all it may use, ends first: incomplete
        const qint64 more = std::min(useful, 2 * wanted) - wanted;
        bytes += readBytes(file, more);
        wanted += more;
    }
}

// Qt's JPEG and GIF readers show a cut-off picture as far as it goes and call that success.
void checkComplete(const QByteArray &bytes, PictureFormat format)
{
    if (format == PictureFormat::Jpeg) {
        const JpegStructure jpeg = jpegStructure(bytes);
        if (jpeg.end < 0)
            invalid(QStringLiteral("The JPEG picture is incomplete: the file ends before the picture does."));
        if (jpeg.scans > PictureLimits::maxJpegScans)
            invalid(QStringLiteral("The JPEG picture is made of %1 scans; pictures of more than %2 scans are not "
                                   "loaded (encoders write about 10).")
                        .arg(jpeg.scans)
                        .arg(PictureLimits::maxJpegScans));
    }
    if (format == PictureFormat::Gif && !gifFirstImageIsComplete(bytes))
        invalid(QStringLiteral("The GIF picture is damaged or incomplete: the file ends before its first image does."));
    // libwebp may show what it has.
    if (format == PictureFormat::Webp && bytes.size() < readWebpHeader(bytes).end)
        invalid(QStringLiteral("The %1 picture is incomplete: the file ends before the picture does.")
                    .arg(displayName(format)));
}

// Every image of an icon file, by its own header, before any is decoded: none may be larger than
// its directory entry says (an entry of 256 stands for that size or larger), none beyond the limit.
void checkIconImages(const QByteArray &bytes)
{
    const std::vector<IconImage> images = iconImages(bytes);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage &image = images[i];
        const auto beyond = [](qint64 own, int listed) { return listed < 256 ? own > listed : false; };
        if (beyond(image.width, image.listedWidth) || beyond(image.height, image.listedHeight))
            invalid(QStringLiteral("The ICO picture is damaged: its image %1 is %2 x %3 pixels, larger than its list "
                                   "of images says (%4 x %5).")
                        .arg(i + 1)
                        .arg(image.width)
                        .arg(image.height)
                        .arg(image.listedWidth)
                        .arg(image.listedHeight));
        checkPixelCount(image.width, image.height);
    }
}

}  // namespace

QString tooLargeDescription(qint64 width, qint64 height, qint64 maxPixels)
{
    const qint64 megapixels = qint64((double(width) * double(height) + 500'000) / 1'000'000);
    return QStringLiteral("The picture is too large: %1 x %2 pixels (%3 megapixels). "
                          "Pictures of up to %4 megapixels can be loaded.")
        .arg(width)
        .arg(height)
        .arg(megapixels)
        .arg(maxPixels / 1'000'000);
}

QImage toOpaqueRgb32(QImage image)
{
    if (image.format() == QImage::Format_RGB32)
        return image;
    // A picture of 32 bits a pixel nobody else holds is laid on white band by band in its own rows:
    // each band copied aside, its rows made white and the copy drawn over them, as below.
    if (image.depth() == 32 && image.hasAlphaChannel() && image.isDetached()) {
        constexpr int bandRows = 16;
        QImage band(image.width(), bandRows, image.format());
        if (band.isNull())
            return QImage();
        const qsizetype rowBytes = qsizetype(image.width()) * 4;
        for (int y = 0; y < image.height(); y += bandRows) {
            const int rows = std::min(bandRows, image.height() - y);
            for (int row = 0; row < rows; ++row)
                std::memcpy(band.scanLine(row), image.constScanLine(y + row), size_t(rowBytes));
            QImage target(image.scanLine(y), image.width(), rows, image.bytesPerLine(), QImage::Format_RGB32);
            target.fill(Qt::white);
            QPainter painter(&target);
            painter.drawImage(QPoint(0, 0), band, QRect(0, 0, image.width(), rows));
        }
        image.reinterpretAsFormat(QImage::Format_RGB32);
        return image;
    }
    // Without alpha, Qt turns a picture of 32 bits a pixel in place.
    if (image.depth() == 32 && image.isDetached()) {
        image.convertTo(QImage::Format_RGB32);
        return image;
    }
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage opaque(image.size(), QImage::Format_RGB32);
    if (opaque.isNull())
        return opaque;
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    painter.end();
    return opaque;
}

Picture loadPicture(const QString &path, const IsolationWatch &watch, const PictureRequest &request)
{
    raiseAllocationLimit();
    quietenDecoders();
    QFile file(path);
    openPictureFile(file);
    const PictureFormat format = sniffPictureFormat(file.peek(pictureSniffBytes));
    if (format == PictureFormat::Unknown)
        invalid(unsupportedDescription(path));
    if (format == PictureFormat::Pdf)
        return loadVectorPicture(file, format, request.pdfPage, request.overview, watch);
    if (request.pdfPage != 1)
        raise(err::SubscriptOutOfRange, QStringLiteral("The file is %1 %2 picture, not a PDF: it has no page %3.")
                                            .arg(QStringLiteral("AIOS").contains(displayName(format).front())
                                                     ? QStringLiteral("an") : QStringLiteral("a"),
                                                 displayName(format))
                                            .arg(request.pdfPage));
    if (isVectorFormat(format))
        return loadVectorPicture(file, format, 1, request.overview, watch);
    if (format == PictureFormat::Wmf)
        return loadMetafile(file, watch);
    if (format == PictureFormat::Heic || format == PictureFormat::Avif)
        return loadHeifPicture(file, format, watch);
    const QSize size = checkHeader(file, format);
    if (format == PictureFormat::Png) {
        try {
            return decodePng(file, std::min(file.size(), usefulFileBytes(format, size.width(), size.height())),
                             readPngHeader(file.peek(pngHeaderBytes)));
        } catch (const std::bad_alloc &) {
            outOfMemory();
        }
    }
    const qint64 useful = std::min(file.size(), usefulFileBytes(format, size.width(), size.height()));
    try {
        // TIFF and uncompressed BMP pixels take about as many bytes of the file as of memory: their
        // decoders read them from the file as they go. Other files are read whole, as far as their
        // format can use them.
        if (format == PictureFormat::Tiff || (format == PictureFormat::Bmp && !isRleBitmap(file.peek(bmpHeaderBytes)))) {
            TiffStructure tiff;
            qint64 end = useful;
            if (format == PictureFormat::Tiff) {
                tiff = tiffStructure([&file](qint64 at, qint64 n) { return file.seek(at) ? file.read(n) : QByteArray(); },
                                     file.size());
                if (tiff.end < 0)
                    invalid(QStringLiteral("The TIFF picture is incomplete: the file ends before the picture does."));
            } else if (useful == file.size()) {
                end += readBmpHeader(file.peek(bmpHeaderBytes), file.size()).missingPadding;
            }
            FileWindow window(file, end);
            QImage opaque = toOpaqueRgb32(decodeRaster(window, QByteArray(), format, tiff));
            if (opaque.isNull())
                outOfMemory();
            return opaque;
        }
        QByteArray bytes = readUsefulBytes(file, format, size);
        checkComplete(bytes, format);
        if (format == PictureFormat::Ico)
            checkIconImages(bytes);
        if (request.rowsMayArrive && format == PictureFormat::Jpeg) {
            const RuntimeError damaged(err::InvalidPicture, damagedDescription(format));
            if (Picture arriving = arrivingJpeg(bytes, size, damaged); !arriving.isNull())
                return arriving;
        }
        QImage decoded;
        {
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            decoded = decodeRaster(buffer, bytes, format, TiffStructure());
        }
        bytes = QByteArray();  // before the picture may be copied
        QImage opaque = toOpaqueRgb32(std::move(decoded));
        if (opaque.isNull())
            outOfMemory();
        return opaque;
    } catch (const std::bad_alloc &) {
        outOfMemory();
    }
}


}  // namespace plakatron
