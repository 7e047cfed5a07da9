// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one entry point that brings a picture file in: JPEG, PNG, TIFF (its first page), WebP (its
// first frame), HEIC and AVIF, BMP, GIF, ICO, Windows metafiles, PDF (a page of it) and SVG or
// SVGZ, told apart by their content.
//
// A raster picture comes at its natural size in Format_RGB32, what the grid view and the page
// renderer copy from; a PDF or SVG picture as a vector picture (VectorPicture.h) that draws each
// page at its own resolution. Transparent parts are laid on white; 16-bit, CMYK and 10-bit pictures come
// down to 8-bit RGB. Pictures are shown upright: the orientation tag of a JPEG, TIFF or WebP file
// is applied, and the turns and mirrors of a HEIC or AVIF file. Every failure is a RuntimeError
// with a number and a description a user can act on; nothing is returned half-decoded (but a
// picture asked for with its rows arriving, which raises its failure when they are waited for).

#include "imaging/Picture.h"
#include "input/Platform.h"

#include <QImage>
#include <QString>

namespace plakatron {

struct PictureLimits {
    // The largest picture that loads: 250 million pixels, 1000 MB as RGB32 (a 100-megapixel
    // camera photo is well inside). Checked from the file's header before anything is decoded.
    static constexpr qint64 maxPixels = 250'000'000;
    // Qt's own allocation guard, raised to fit maxPixels at 4 bytes a pixel.
    static constexpr int qtAllocationLimitMB = 1024;
    // A metafile is drawn into a buffer of its natural size; beyond this it is refused.
    static constexpr qint64 maxMetafilePixels = 40'000'000;
    static constexpr int maxMetafileSide = 20'000;
    // Metafiles are read whole; real ones are far smaller.
    static constexpr qint64 maxMetafileBytes = 64 * 1024 * 1024;
    // A progressive JPEG is decoded once per scan; encoders write about 10. With this many at
    // most, the largest picture decodes in seconds (thousands of scans took minutes).
    static constexpr qint64 maxJpegScans = 100;
    // A metafile's drawing and a HEIC or AVIF picture's decoding are given up after this long.
    static constexpr qint64 decodingDeadlineMs = 20'000;
    // libpng, under Qt's PNG reader, takes no wider or taller picture.
    static constexpr qint64 maxPngSide = 1'000'000;

    // Vector pictures (PDF, SVG). A PDF page's nominal size is its size at this resolution.
    static constexpr double vectorDotsPerInch = 96;
    // Nominal pixels a side (1000 inches); nothing of this size is ever made whole.
    static constexpr qint64 maxVectorSide = 100'000;
    static constexpr qint64 maxPdfPages = 10'000;
    // An SVG file is read whole, an SVGZ file unpacked, up to this many bytes.
    static constexpr qint64 maxSvgBytes = 64 * 1024 * 1024;
    // Elements of an SVG picture, as written and as drawn (each <use> draws what it names again),
    // how deep they nest, and the numbers its paths, polylines and polygons give.
    static constexpr qint64 maxSvgElements = 500'000;
    static constexpr qint64 maxSvgDrawnElements = 2'000'000;
    static constexpr int maxSvgDepth = 256;
    static constexpr qint64 maxSvgPathNumbers = 8'000'000;
    // The most pixels one part of a vector picture is drawn at (a page at 2480 x 3508 has 8.7
    // million), and the helper's memory beyond what it takes at its start.
    static constexpr qint64 maxDrawnPixels = 100'000'000;
    static constexpr qint64 vectorHelperMemory = 1536LL * 1024 * 1024;
};

// Which page of a PDF to take, and whether a vector picture's overview for the screen is drawn as
// it loads (the window shows it; a command that prints pages needs none).
struct PictureRequest {
    int pdfPage = 1;
    bool overview = true;
    // A plain JPEG may come while its rows are still being decoded (Picture::raster waits for
    // them; a damaged file raises its error there): for a print job that starts on the first
    // pages meanwhile.
    bool rowsMayArrive = false;
};

// Loads the picture file at path (a name as platform::nameFromNative gives it, whatever its
// bytes). Errors: 53 "File not found" (missing path), 52 (a name the system finds too long), 75
// (a folder, or unreadable), 70 (no permission), 481 with a description (empty, not a supported
// picture, damaged or incomplete), 7 with a description (too large, too slow, or out of memory),
// 9 for a page the PDF does not have (or a page beyond 1 of any other picture), 18 when `watch`
// asked the loading to stop or another's signal ended its decoder. A picture that decodes in a
// child process (metafiles, HEIC, AVIF, PDF, SVG) keeps `watch` informed while it waits.
Picture loadPicture(const QString &path, const IsolationWatch &watch = {}, const PictureRequest &request = {});

// Tests: the drawing and decoding deadline in milliseconds (0 for the usual 20 seconds), and the
// memory another library's decoder may take for one picture before 16-bit PNGs and TIFFs and
// HEIC and AVIF pictures of more than 8 bits are brought to 8 bits by the loader itself (0 for
// Qt's limit, qtAllocationLimitMB).
void setDecodingDeadlineForTesting(qint64 milliseconds);
void setDecoderBudgetForTesting(qint64 bytes);

// "The picture is too large: W x H pixels (N megapixels). Pictures of up to 250 megapixels can
// be loaded." Shared with the metafile renderer.
QString tooLargeDescription(qint64 width, qint64 height, qint64 maxPixels);

// An image of any format as RGB32, transparent parts composed on white. A null result means
// the memory for the copy was not available. An image of 32 bits a pixel that nobody else holds
// is turned in place, without a second copy of its pixels.
QImage toOpaqueRgb32(QImage image);

}  // namespace plakatron
