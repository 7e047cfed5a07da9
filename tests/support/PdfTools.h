// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Looking into printed PDF files with poppler-utils (pdfinfo, pdfimages, pdftoppm), as a user's
// viewer would see them, and the printers the print tests print on.

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

class QPrinter;

namespace plakatron::test {

// Pages of a PDF file as pdfinfo counts them; -1 when it cannot read the file.
int pdfPageCount(const QString &pdf);

struct PdfImage {
    int page = 0;
    int width = 0;
    int height = 0;
    QString encoding;  // "jpeg", "image" (Flate), ...
    int xPpi = 0;      // pixels per inch as placed on the page
    int yPpi = 0;
};
// The size of the first page in points as pdfinfo reports it; empty when it cannot read the file.
QSizeF pdfPageSize(const QString &pdf);
// The images of a PDF file as pdfimages -list lists them.
std::vector<PdfImage> pdfImages(const QString &pdf);

// Where each image of a PDF file is drawn: for every page (in order), the rectangle in points of
// each image drawn on it (its unit square through the content stream's matrices), as the file
// says it, read through qpdf's uncompressed form. Empty when qpdf cannot read the file.
std::vector<std::vector<QRectF>> pdfImagePlacements(const QString &pdf);

// The text of a PDF file (page `page` alone when it is 1 or more) as pdftotext extracts it.
QString pdfText(const QString &pdf, int page = 0);

// The images of a PDF file as pdfimages extracts them, in the order it lists them: as PNG files
// (pdfimages decoding them), or `asStored` (a JPEG image as its own JPEG file, many times faster).
std::vector<QImage> pdfImageContents(const QString &pdf, bool asStored = false);

// One page rendered by pdftoppm at `dpi`; null when it fails.
QImage renderPdfPage(const QString &pdf, int page, int dpi);

// The smallest rectangle holding every pixel darker than `threshold` (all three channels).
QRect inkBounds(const QImage &image, int threshold = 235);
// Whether any pixel of `area` has a channel below `threshold`.
bool hasDarkPixel(const QImage &image, const QRect &area, int threshold = 128);

// A printer writing an A4 PDF file at `path`, as the print dialog's "Print to File (PDF)" makes it.
std::unique_ptr<QPrinter> pdfPrinter(const QString &path);

}  // namespace plakatron::test
