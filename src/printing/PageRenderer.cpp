// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PageRenderer.h"

#include "core/MessageBox.h"
#include "core/Numeric.h"
#include "core/RuntimeError.h"
#include "imaging/DibSection.h"
#include "imaging/PixelCopy.h"
#include "printing/PageGeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>

namespace plakatron {

namespace {
// A canvas of this size, or Out of memory (7) when it cannot be had.
QImage whiteImage(double width, double height)
{
    QImage image(CLng(width), CLng(height), QImage::Format_RGB32);
    if (image.isNull() && width > 0 && height > 0)
        raise(err::OutOfMemory);
    image.fill(Qt::white);
    return image;
}
// White right and bottom strips of `margin` pixels.
void fillMargins(QImage &canvas, int margin)
{
    if (margin <= 0)
        return;
    QPainter p(&canvas);
    p.fillRect(QRect(0, canvas.height() - margin, canvas.width(), margin), Qt::white);
    p.fillRect(QRect(canvas.width() - margin, 0, margin, canvas.height()), Qt::white);
}
}  // namespace

QFont hintFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

PageRenderer::PageRenderer(const Poster &poster) : poster_(poster) {}

PageRenderer::~PageRenderer() = default;

cDIBSection &PageRenderer::pageCropBuffer()
{
    if (!PageCropBuffer)
        PageCropBuffer = std::make_unique<cDIBSection>();
    return *PageCropBuffer;
}

cDIBSection &PageRenderer::pageImageBuffer()
{
    if (!PageImageBuffer)
        PageImageBuffer = std::make_unique<cDIBSection>();
    return *PageImageBuffer;
}

void PageRenderer::releaseBuffers()
{
    PageCropBuffer.reset();
    PageImageBuffer.reset();
    spareImageBuffer_.reset();
}

PageResult PageRenderer::RenderPage(std::int16_t pageNumber)
{
    const PosterSettings &s = poster_.settings;
    const PageGrid &g = poster_.grid;

    // Every step under one handler that notes the warning and goes on with the next step; except
    // that a page that cannot be had in memory ends the call there, before the canvas is touched,
    // so the page before stays whole.
    PageResult result;
    // A vector picture's page that cannot be drawn is not made either: a blank page is no page.
    const auto step = [&](auto &&body, bool pageNeedsIt = false) {
        if (!result.made)
            return;
        try {
            body();
        } catch (const RuntimeError &e) {
            result.warnings << describeWithCode(e);
            result.made = !pageNeedsIt && e.number() != err::OutOfMemory;
        } catch (const std::bad_alloc &) {
            result.warnings << describeWithCode(RuntimeError(err::OutOfMemory));
            result.made = false;
        }
    };

    const bool withHints = s.PagePixelWidth > HintMarginThreshold;
    double columns = 0, cw = 0, ch = 0;
    std::int16_t overlapX = 0, overlapY = 0;

    step([&] {
        columns = pageColumns(s.SheetsAcross);
        const PagePosition p = pagePosition(pageNumber, s.SheetsAcross);
        CurrentPageRow = p.row;
        CurrentPageColumn = p.column;
    });
    step([&] {
        cw = cellWidth(g.SourceWidth, s.SheetsAcross);
        ch = cellHeight(g.SourceHeight, g.SheetsDown);
    });
    step([&] {
        overlapX = overlapPixels(cw, s.Overlap);
        overlapY = overlapPixels(cw, s.Overlap);
    });
    // The crop is only described: white, of the cell's size plus the overlap ...
    // (Rows of the picture may still be arriving: the page waits below for those it reads.)
    step([&] { crop_ = PictureCrop{&poster_.picture.rasterArriving(), QSize(CLng(cw + overlapX), CLng(ch + overlapY)), {}, {}}; });
    QRect wanted;
    step([&] {
        // ... with the cell and its overlap, offset by one pixel, copied 1:1 to (1, 1); beyond the
        // source it stays white.
        wanted = cropSourceRect({CurrentPageRow, CurrentPageColumn}, cw, ch, overlapX, overlapY);
        crop_.place(wanted, QPoint(1, 1));
    });
    if (poster_.picture.isVector()) {
        // A vector picture's page is drawn at the page's size from the same part of the picture
        // the raster page would be enlarged from: the crop's (0, 0) is the picture's point one
        // pixel up and left of the cell's corner.
        QImage drawn;
        step(
            [&] {
                const QSize page(CLng(s.PagePixelWidth), CLng(s.PagePixelHeight));
                const QRectF sampled = cDIBSection::sampledArea(crop_.size, page);
                // Every page's crop has the same size: its area is the sampled part of its crop.
                const auto areaOf = [&](PagePosition p) {
                    return sampled.translated(cropSourceRect(p, cw, ch, overlapX, overlapY).topLeft() - QPoint(1, 1));
                };
                // The pages of a job that follow in the row, each a cell further right, in pixels.
                const auto rowAfter = [&](double number, std::int16_t row) {
                    const double after = std::min<double>(inOrderUpTo_, row * columns) - number;
                    return after > 0 ? int(std::ceil(after * cw * page.width() / sampled.width())) : 0;
                };
                DrawingAhead ahead{rowAfter(pageNumber, CurrentPageRow), {}, 0, {}};
                if (keepPoster_ && inOrderUpTo_ == 0)  // the rest of the poster, for the clicks to come
                    ahead.keep = areaOf({1, 1}).united(areaOf({g.GridRows, std::int16_t(columns)}));
                if (pageNumber < inOrderUpTo_) {
                    const PagePosition next = pagePosition(pageNumber + 1, s.SheetsAcross);
                    ahead.next = areaOf(next);
                    ahead.nextRow = rowAfter(pageNumber + 1, next.row);
                }
                drawn = poster_.picture.draw(areaOf({CurrentPageRow, CurrentPageColumn}), page, ahead);
            },
            true);
        step([&] {
            placeOnCanvas(drawn, withHints ? HintMargin : 0);
            pictureOnCanvas_ = true;
        });
        if (withHints)
            step([&] { drawHints(pageNumber); });
        return result;
    }
    step([&] {
        // The page reads what it needs of it: a few rows and columns, or the picture's rows.
        const std::int32_t height = CLng(s.PagePixelHeight);
        const std::int32_t width = CLng(s.PagePixelWidth);
        const PictureCrop::Landing landing = crop_.landing();
        poster_.picture.waitForRows(landing.from.y() + landing.inCrop.height());
        // The page before last is written over: no new page-sized block, nothing cleared.
        std::unique_ptr<cDIBSection> enlarged =
            cDIBSection::ResampleCrop(crop_, height, width, pageCropBuffer(), resampleThreads_, std::move(spareImageBuffer_));
        if (!enlarged && width > 0 && height > 0)
            raise(err::OutOfMemory);  // a page of a proper size, but no memory for it
        spareImageBuffer_ = std::exchange(PageImageBuffer, enlarged ? std::move(enlarged) : std::make_unique<cDIBSection>());
    });
    step([&] {
        // Pages with hints get their margins at once: the canvas is made once at its final size
        // (and kept from page to page), the margins white and the enlarged page copied in.
        cDIBSection &page = pageImageBuffer();
        prepareCanvas(QSize(page.Width(), page.Height()), withHints ? HintMargin : 0);
        pictureOnCanvas_ = !pictureOffCanvas_;
        if (pictureOnCanvas_)
            page.PaintPicture(picDibBuffer_, 0, 0, -1, -1, 0, 0);
    });
    if (withHints)
        step([&] { drawHints(pageNumber); });
    return result;
}

void PageRenderer::prepareCanvas(QSize page, int margin)
{
    const QSize size(CLng(double(page.width()) + margin), CLng(double(page.height()) + margin));
    if (picDibBuffer_.size() != size || !picDibBuffer_.isDetached())
        picDibBuffer_ = whiteImage(size.width(), size.height());
    else
        fillMargins(picDibBuffer_, margin);
}

void PageRenderer::placeOnCanvas(const QImage &page, int margin)
{
    prepareCanvas(page.size(), margin);
    QPainter p(&picDibBuffer_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), page);
}

void PageRenderer::drawHints(std::int16_t pageNumber)
{
    const PosterSettings &s = poster_.settings;
    const PageGrid &g = poster_.grid;

    // The canvas already carries its white margins; the page is at the top left.
    QImage &canvas = picDibBuffer_;
    const double W = canvas.width();
    const double H = canvas.height();
    QPainter p(&canvas);
    // The hints stay in the margins: the page itself may not be on the canvas yet.
    p.setClipRegion(QRegion(canvas.rect()).subtracted(QRegion(0, 0, canvas.width() - HintMargin, canvas.height() - HintMargin)));

    p.setFont(hintFont());
    p.setPen(Qt::black);
    const QFontMetrics metrics(p.font(), &canvas);  // whole pixels, as the hints are measured
    const double columns = pageColumns(s.SheetsAcross);

    // Bottom hint, centred, its text line starting 18 pixels above the bottom.
    const QString below = bottomHint(pageNumber, CurrentPageRow, g.GridRows, columns);
    p.drawText(QPointF((W - metrics.horizontalAdvance(below)) / 2, H - 18 + metrics.ascent()), below);

    // Right hint, one character per line; the start centres n plain lines, each step adds 1 pixel.
    const QString next = rightHint(pageNumber, CurrentPageColumn, columns);
    const std::int16_t n = CInt(next.size());
    double y = CInt(static_cast<float>((H - n * metrics.height()) / 2));
    for (QChar c : next) {
        p.drawText(QPointF(W - 14, y + metrics.ascent()), QString(c));
        y = CInt(y + metrics.height() + 1);
    }
}

void PageRenderer::pageRowBgr(std::int32_t y, std::uint8_t *row) const
{
    const QImage &canvas = picDibBuffer_;
    std::int32_t x = 0;
    if (!pictureOnCanvas_ && PageImageBuffer && y < PageImageBuffer->Height()) {
        // The page's rows are stored bottom up, in the canvas's own byte order.
        const cDIBSection &page = *PageImageBuffer;
        x = std::min(page.Width(), std::int32_t(canvas.width()));
        std::memcpy(row, page.bytes().rowPointer(page.Height() - 1 - y), std::size_t(x) * 3);
    }
    pixelcopy::toBgr(canvas.format(), canvas.constScanLine(y) + std::ptrdiff_t(x) * 4, row + std::ptrdiff_t(x) * 3,
                     canvas.width() - x);
}

}  // namespace plakatron
