#pragma once
// Looking into printed PDF files with poppler-utils (pdfinfo, pdfimages, pdftoppm), as a user's
// viewer would see them, and the printers the print tests print on.

#include <QImage>
#include <QRect>
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

// The text of a PDF file (page `page` alone when it is 1 or more) as pdftotext extracts it.
QString pdfText(const QString &pdf, int page = 0);

// One page rendered by pdftoppm at `dpi`; null when it fails.
QImage renderPdfPage(const QString &pdf, int page, int dpi);

// The smallest rectangle holding every pixel darker than `threshold` (all three channels).
QRect inkBounds(const QImage &image, int threshold = 235);
// Whether any pixel of `area` has a channel below `threshold`.
bool hasDarkPixel(const QImage &image, const QRect &area, int threshold = 128);

// A printer writing an A4 PDF file at `path`, as the print dialog's "Print to File (PDF)" makes it.
std::unique_ptr<QPrinter> pdfPrinter(const QString &path);

}  // namespace plakatron::test
