// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/AssemblyMap.h"

#include "core/RuntimeError.h"
#include "printing/PageGeometry.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <algorithm>

namespace plakatron {

namespace {

constexpr double mapPixels(double points) { return points * MapDotsPerInch / 72; }
constexpr double MillimetresPerInch = 25.4;
constexpr double mapPixelsFromMillimetres(double mm) { return mm * MapDotsPerInch / MillimetresPerInch; }

constexpr double CaptionPoints = 9;
// Numbers as large as a cell allows, up to this; below the smallest size that can still be read
// with a magnifier, the cells carry none (which also keeps the numbers on a sheet to about ten
// thousand, however many pages the poster has).
constexpr double LargestNumberPoints = 36;
constexpr double SmallestNumberPoints = 1.5;
// A number sits on a light ground reaching this far round its digits (in digit heights); ground
// and number take at most these shares of a cell, so neighbouring grounds stay apart.
constexpr double NumberPadding = 0.2;
constexpr double NumberWidthShare = 0.85;
constexpr double NumberHeightShare = 0.5;
// Lines closer than this would run together; then only the grid's outline is drawn that way.
constexpr double NarrowestCellMillimetres = 1;
// A thin black line on a wider white one shows on dark and light parts of the picture alike.
constexpr double LinePoints = 0.5;
constexpr double LineBackingPoints = 1.5;

// Fonts are measured once at this size; widths and heights grow in proportion.
constexpr double MeasuringPixels = 1000;

}  // namespace

QFont assemblyMapFont(double pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

QString assemblyMapCaption(const Poster &poster)
{
    const PageGrid &g = poster.grid;
    const LayoutLabels &labels = poster.labels;
    const bool oneSheet = g.pageCount() == 1;
    // The paper is named where it is not the A4 portrait the program always printed on.
    const Paper &paper = poster.settings.Sheet.paper;
    const QString columns = QString::number(g.GridColumns);
    const QString rows = QString::number(g.GridRows);
    const QString overlap = QString::number(poster.settings.Overlap);
    if (paper.isA4Portrait())
        return (oneSheet ? QCoreApplication::translate("AssemblyMap", "Poster %1 × %2: %3 × %4 sheet, %5 page, overlap %6 %")
                         : QCoreApplication::translate("AssemblyMap", "Poster %1 × %2: %3 × %4 sheets, %5 pages, overlap %6 %"))
            .arg(labels.lbFinalImageWidth, labels.lbFinalImageHeight, columns, rows, labels.lbTotalPages, overlap);
    const QString sheets =
        paper.orientation == QPageLayout::Portrait ? paperSizeName(paper.size) : paperDisplayText(paper);
    return (oneSheet ? QCoreApplication::translate("AssemblyMap", "Poster %1 × %2: %3 × %4 %7 sheet, %5 page, overlap %6 %")
                     : QCoreApplication::translate("AssemblyMap", "Poster %1 × %2: %3 × %4 %7 sheets, %5 pages, overlap %6 %"))
        .arg(labels.lbFinalImageWidth, labels.lbFinalImageHeight, columns, rows, labels.lbTotalPages, overlap, sheets);
}

AssemblyMap::AssemblyMap(const Poster &poster) : poster_(poster)
{
    if (!isPosterPage(1, poster_.settings, poster_.grid))
        raise(err::InvalidCall, QCoreApplication::translate("AssemblyMap", "The poster has no pages to show on an assembly map."));
}

AssemblyMapLayout AssemblyMap::layout(QSizeF area) const
{
    AssemblyMapLayout l;
    l.captionPixels = mapPixels(CaptionPoints);
    const QFontMetricsF caption(assemblyMapFont(l.captionPixels, false));
    // Half a line of space under the grid, then the caption.
    const double captionSpace = caption.height() * 1.5;
    if (!(area.width() > 0 && area.height() > captionSpace))
        raise(err::InvalidCall, QCoreApplication::translate("AssemblyMap", "The printable area of the sheet is too small for the assembly map."));

    // The grid view's own rule, on the area above the caption.
    l.fit = fitGrid(poster_.settings, poster_.grid, QSizeF(area.width(), area.height() - captionSpace));
    l.grid = QRectF(QPointF(0, 0), l.fit.grid);
    l.caption = caption.elidedText(assemblyMapCaption(poster_), Qt::ElideRight, area.width());
    l.captionOrigin = QPointF(0, l.grid.bottom() + caption.height() * 0.5 + caption.ascent());

    const QSizeF cell = l.fit.cell(1, poster_.settings).size();
    l.columnLines = cell.width() >= mapPixelsFromMillimetres(NarrowestCellMillimetres);
    l.rowLines = cell.height() >= mapPixelsFromMillimetres(NarrowestCellMillimetres);

    // One size for every number, the one the longest number fits at.
    const QFontMetricsF digits(assemblyMapFont(MeasuringPixels, true));
    const double padding = 2 * NumberPadding * digits.capHeight();
    const double widest = digits.horizontalAdvance(QString::number(poster_.grid.pageCount())) + padding;
    const double fitting = MeasuringPixels * std::min(NumberWidthShare * cell.width() / widest,
                                                      NumberHeightShare * cell.height() / (digits.capHeight() + padding));
    const double size = std::min(fitting, mapPixels(LargestNumberPoints));
    l.numberPixels = size >= mapPixels(SmallestNumberPoints) ? size : 0;
    return l;
}

const QImage &AssemblyMap::shrunkTo(QSize size)
{
    // Averaging: each pixel of the map's picture is the mean of the picture pixels under it, so
    // fine detail turns into its tone instead of into stripes and speckle (sampling two pixels
    // out of hundreds would alias). Once per size, never per sheet.
    if (shrunk_.size() != size) {
        // A vector picture is drawn at this size instead (or shrunk from its screen picture).
        shrunk_ = poster_.picture.scaledAsCut(size);
    }
    return shrunk_;
}

void AssemblyMap::compose(QPainter &p, const AssemblyMapLayout &l)
{
    p.save();
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);

    // The picture at its place on the poster's pages, as they are cut from it. A sliver below the
    // last row (under a hundredth of a sheet) belongs to no page and stays off the map.
    if (!poster_.picture.isNull() && !l.fit.picture.isEmpty()) {
        p.save();
        p.setClipRect(l.grid);
        p.drawImage(QPointF(0, 0), shrunkTo(l.fit.picture));
        p.restore();
    }

    // The page grid: its outline always, the lines between the cells where they stay apart.
    const double cellWidth = poster_.settings.PagePixelWidth * l.fit.scale;
    const double cellHeight = poster_.settings.PagePixelHeight * l.fit.scale;
    for (const auto &[colour, points] : {std::pair(QColor(Qt::white), LineBackingPoints), std::pair(QColor(Qt::black), LinePoints)}) {
        QPen pen(colour, mapPixels(points));
        pen.setCapStyle(Qt::SquareCap);
        p.setPen(pen);
        for (int i = 0; i <= poster_.grid.GridColumns; ++i)
            if (l.columnLines || i == 0 || i == poster_.grid.GridColumns)
                p.drawLine(QPointF(i * cellWidth, 0), QPointF(i * cellWidth, l.grid.bottom()));
        for (int j = 0; j <= poster_.grid.GridRows; ++j)
            if (l.rowLines || j == 0 || j == poster_.grid.GridRows)
                p.drawLine(QPointF(0, j * cellHeight), QPointF(l.grid.right(), j * cellHeight));
    }

    // Every page's number, centred in its cell on a light ground that keeps it readable on any
    // picture.
    if (l.numberPixels > 0) {
        const QFont font = assemblyMapFont(l.numberPixels, true);
        const QFontMetricsF metrics(font);
        const double cap = metrics.capHeight();
        const double pad = cap * NumberPadding;
        p.setFont(font);
        p.setPen(Qt::black);
        const QColor ground(255, 255, 255, 210);
        for (int page = 1; page <= poster_.grid.pageCount(); ++page) {
            const QPointF centre = l.fit.cell(page, poster_.settings).center();
            const QString number = QString::number(page);
            const double width = metrics.horizontalAdvance(number);
            const QPointF baseline(centre.x() - width / 2, centre.y() + cap / 2);
            p.fillRect(QRectF(baseline.x() - pad, baseline.y() - cap - pad, width + 2 * pad, cap + 2 * pad), ground);
            p.drawText(baseline, number);
        }
    }

    p.setFont(assemblyMapFont(l.captionPixels, false));
    p.setPen(Qt::black);
    p.drawText(l.captionOrigin, l.caption);
    p.restore();
}

void AssemblyMap::draw(QPainter &painter, const QRectF &printable, double dotsPerInch)
{
    const QSizeF area = printable.size() * (MapDotsPerInch / dotsPerInch);
    const AssemblyMapLayout l = layout(area);
    // The map composed for the printable area fills it; it is placed as a page picture would be.
    const QRectF placed = fitUndistortedTopLeft(area, printable);
    painter.save();
    painter.translate(placed.topLeft());
    painter.scale(placed.width() / area.width(), placed.height() / area.height());
    compose(painter, l);
    painter.restore();
}

QImage AssemblyMap::sheetImage(const QPageLayout &sheet)
{
    // Millimetres are the page sizes' own unit: A4 is 2480 x 3508 pixels.
    const double pixelsPerMillimetre = MapDotsPerInch / MillimetresPerInch;
    const QSizeF size = sheet.fullRect(QPageLayout::Millimeter).size() * pixelsPerMillimetre;
    const QRectF printable = sheet.paintRect(QPageLayout::Millimeter);
    QImage image(qRound(size.width()), qRound(size.height()), QImage::Format_RGB888);
    if (image.isNull())
        raise(err::OutOfMemory);
    const int dotsPerMetre = qRound(pixelsPerMillimetre * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p, QRectF(printable.topLeft() * pixelsPerMillimetre, printable.size() * pixelsPerMillimetre), MapDotsPerInch);
    return image;
}

}  // namespace plakatron
