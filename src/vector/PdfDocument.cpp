// SPDX-License-Identifier: GPL-3.0-or-later
// PDF pages through poppler's Qt binding (poppler's own renderer, Splash).
//
// What poppler settles: the page shown is its crop box (the part viewers show and printers
// print; what lies outside it is not drawn), turned as its /Rotate says; a PDF encrypted with an
// empty user password opens as any other; annotations are drawn as viewers draw them;
// transparent parts are laid on the white paper.
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "vector/VectorFormats.h"

#include <QIODevice>
#include <QLocale>
#include <QVariant>
#include <cmath>
#include <poppler-qt6.h>

namespace plakatron {

using vectorprotocol::Format;

namespace {

constexpr double pointsPerInch = 72;

[[noreturn]] void invalid(const QString &description) { raise(err::InvalidPicture, description); }

// poppler's notes on what it repairs go nowhere: the program's message says what matters.
void quietPoppler()
{
    static const bool quiet = [] {
        Poppler::setDebugErrorFunction([](const QString &, const QVariant &) {}, QVariant());
        return true;
    }();
    Q_UNUSED(quiet)
}

// Asked by poppler as it draws: whether to give up (the deadline has passed).
bool pastDeadline(const QVariant &deadline) { return QDeadlineTimer::current().deadline() >= deadline.toLongLong(); }

class PdfDocument final : public VectorDocument {
public:
    PdfDocument(std::unique_ptr<Poppler::Document> document, int page)
        : VectorDocument(Format::Pdf), document_(std::move(document))
    {
        pageCount_ = document_->numPages();
        page_ = page;
        pageObject_ = document_->page(page - 1);
        if (!pageObject_)
            invalid(QStringLiteral("The PDF is damaged: its page %1 cannot be read.").arg(page));
        const QSizeF points = pageObject_->pageSizeF();  // the crop box, turned
        setNominalSize(points, pointsPerInch / PictureLimits::vectorDotsPerInch);
    }

protected:
    QImage drawScaled(const QRectF &area, QSize size, int row, const QDeadlineTimer &deadline) const override
    {
        const Pass pass = passOf(area, size);
        if (!inBand(pass))
            drawBand(pass, row, deadline);
        // A part of the band drawn before: the same pixels of the same page at the same resolution,
        // shown where they are.
        const QPoint at = pass.wanted.topLeft() - band_.area.topLeft();
        const QImage &band = band_.pixels;
        return QImage(band.constScanLine(at.y()) + qsizetype(at.x()) * 4, pass.wanted.width(), pass.wanted.height(),
                      band.bytesPerLine(), QImage::Format_RGB32);
    }

    void prepareScaled(const QRectF &area, QSize size, int row, const QDeadlineTimer &deadline) const override
    {
        const Pass pass = passOf(area, size);
        if (!inBand(pass))
            drawBand(pass, row, deadline);
    }

    // The whole of `keep` at the part's resolution, on the same grid of pixels, as one band (or
    // the rows of it around the part that may be kept): a window's clicks on other pages then cut
    // their pixels out of it.
    void keepScaled(const QRectF &area, QSize size, const QRectF &keep, const QDeadlineTimer &deadline) const override
    {
        const Pass pass = passOf(area, size);
        const QRectF pixels(keep.x() * pass.xres / pointsPerInch, keep.y() * pass.yres / pointsPerInch,
                            keep.width() * pass.xres / pointsPerInch, keep.height() * pass.yres / pointsPerInch);
        if (!(std::abs(pixels.left()) < 1e9 && std::abs(pixels.top()) < 1e9 && pixels.width() < 1e9 && pixels.height() < 1e9))
            return;
        QRect whole = pixels.toAlignedRect().united(pass.wanted);
        // Too large to keep: the full rows around the part, as many as may be kept.
        if (qint64(whole.width()) * whole.height() > maxKeptPixels) {
            const int rows = int(maxKeptPixels / whole.width());
            if (rows < pass.wanted.height())
                return;
            const int top = std::clamp(pass.wanted.center().y() - rows / 2, whole.top(), whole.bottom() + 1 - rows);
            whole = QRect(whole.left(), std::min(top, pass.wanted.top()), whole.width(), rows);
            if (!whole.contains(pass.wanted))
                return;
        }
        if (band_.xres == pass.xres && band_.yres == pass.yres && band_.area.contains(whole))
            return;
        drawArea(pass, whole, deadline);
    }

private:
    // A part of the page in pixels at a resolution. poppler draws the page at the resolution and
    // cuts a rectangle of whole pixels out of it: the area's corner lands on the nearest pixel
    // corner (within half a pixel), and parts at one resolution share one grid of pixels.
    struct Pass {
        double xres = 0, yres = 0;
        QRect wanted;
    };
    static Pass passOf(const QRectF &area, QSize size)
    {
        const double xres = size.width() / area.width() * pointsPerInch;
        const double yres = size.height() / area.height() * pointsPerInch;
        const double x = std::round(area.x() * xres / pointsPerInch);
        const double y = std::round(area.y() * yres / pointsPerInch);
        if (!std::isfinite(xres) || !std::isfinite(yres) || std::abs(x) > 1e9 || std::abs(y) > 1e9)
            raise(err::InvalidCall);
        return Pass{xres, yres, QRect(int(x), int(y), size.width(), size.height())};
    }

    // What the last pass drew: the part asked for and the rest of its row, as far as a band
    // holds, kept for the requests that follow. poppler's cost is mostly reading the page's
    // content, which every pass does however little of the page it draws.
    struct Band {
        double xres = 0, yres = 0;
        QRect area;
        QImage pixels;
    };
    // A band holds at most this many pixels (80 MB): a row of 6 pages at 1400 pixels is one band.
    static constexpr qint64 maxBandPixels = 20'000'000;
    // What a window's preview keeps may be larger (128 MB): an A0 poster on 3 sheets at 1400 pixels.
    static constexpr qint64 maxKeptPixels = 32'000'000;

    bool inBand(const Pass &pass) const
    {
        return band_.xres == pass.xres && band_.yres == pass.yres && band_.area.contains(pass.wanted);
    }

    void drawBand(const Pass &pass, int row, const QDeadlineTimer &deadline) const
    {
        const qint64 room = std::max<qint64>(0, maxBandPixels / pass.wanted.height() - pass.wanted.width());
        const QRect area(pass.wanted.topLeft(), QSize(pass.wanted.width() + int(std::clamp<qint64>(row, 0, room)),
                                                      pass.wanted.height()));
        drawArea(pass, area, deadline);
    }

    void drawArea(const Pass &pass, const QRect &area, const QDeadlineTimer &deadline) const
    {
        band_ = Band();
        QImage image = pageObject_->renderToImage(pass.xres, pass.yres, area.x(), area.y(), area.width(), area.height(),
                                                  Poppler::Page::Rotate0, nullptr, nullptr, pastDeadline,
                                                  QVariant(qint64(deadline.deadline())));
        if (deadline.hasExpired())
            raise(err::OutOfMemory, vectorTooSlowDescription(Format::Pdf, QStringLiteral("draw")));
        if (image.isNull() || image.size() != area.size())
            invalid(QStringLiteral("The PDF's page could not be drawn."));
        // Drawn on the white paper already; only the format is the program's.
        if (image.format() != QImage::Format_RGB32)
            image = image.convertToFormat(QImage::Format_RGB32);
        band_ = Band{pass.xres, pass.yres, area, image};
    }

    std::unique_ptr<Poppler::Document> document_;
    std::unique_ptr<Poppler::Page> pageObject_;
    mutable Band band_;
};

}  // namespace

std::unique_ptr<VectorDocument> openPdf(QIODevice &file, int page, const QDeadlineTimer &deadline)
{
    quietPoppler();
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(&file);
    if (deadline.hasExpired())
        raise(err::OutOfMemory, vectorTooSlowDescription(Format::Pdf, QStringLiteral("open")));
    if (!document)
        invalid(QStringLiteral("The PDF is damaged or incomplete: its structure cannot be read."));
    if (document->isLocked())
        invalid(QStringLiteral("The PDF is protected by a password. Only PDFs that open without one can be loaded."));
    if (!document->okToPrint())
        invalid(QStringLiteral("The PDF's author does not allow it to be printed."));
    const int pages = document->numPages();
    if (pages < 1)
        invalid(QStringLiteral("The PDF has no pages."));
    const QLocale english(QLocale::English);
    if (pages > PictureLimits::maxPdfPages)
        raise(err::OutOfMemory, QStringLiteral("The PDF has %1 pages; PDFs of up to %2 pages can be loaded.")
                                    .arg(english.toString(pages), english.toString(PictureLimits::maxPdfPages)));
    if (page < 1 || page > pages)
        raise(err::SubscriptOutOfRange, QStringLiteral("The PDF has %1 page%2: there is no page %3.")
                                            .arg(english.toString(pages), pages == 1 ? QString() : QStringLiteral("s"))
                                            .arg(page));
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    auto pdf = std::make_unique<PdfDocument>(std::move(document), page);
    if (deadline.hasExpired())
        raise(err::OutOfMemory, vectorTooSlowDescription(Format::Pdf, QStringLiteral("open")));
    return pdf;
}

}  // namespace plakatron
