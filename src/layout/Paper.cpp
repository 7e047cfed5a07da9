// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Paper.h"

#include <QCoreApplication>
#include <QMarginsF>
#include <QRect>
#include <QRegularExpression>
#include <algorithm>

namespace plakatron {

namespace {
constexpr double MillimetresPerInch = 25.4;

QString orientationWord(QPageLayout::Orientation orientation)
{
    return orientation == QPageLayout::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
}
}  // namespace

const std::vector<QPageSize::PageSizeId> &offeredPaperSizes()
{
    static const std::vector<QPageSize::PageSizeId> sizes{QPageSize::A4,    QPageSize::A3,    QPageSize::A5,
                                                          QPageSize::Letter, QPageSize::Legal, QPageSize::Tabloid};
    return sizes;
}

// Qt's keys are the short names ("Letter"; its display names say "Letter / ANSI A").
QString paperSizeName(QPageSize::PageSizeId size) { return QPageSize::key(size); }

QString paperText(const Paper &paper) { return paperSizeName(paper.size) + u' ' + orientationWord(paper.orientation); }

QString paperDisplayText(const Paper &paper)
{
    const QString size = paperSizeName(paper.size);
    return paper.orientation == QPageLayout::Landscape ? QCoreApplication::translate("Paper", "%1 landscape").arg(size)
                                                       : QCoreApplication::translate("Paper", "%1 portrait").arg(size);
}

QStringList paperDisplayEntries()
{
    QStringList entries;
    for (const QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape})
        for (const QPageSize::PageSizeId size : offeredPaperSizes())
            entries << paperDisplayText({size, orientation});
    return entries;
}

QStringList paperEntries()
{
    QStringList entries;
    for (const QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape})
        for (const QPageSize::PageSizeId size : offeredPaperSizes())
            entries << paperText({size, orientation});
    return entries;
}

std::optional<Paper> parsePaper(const QString &text)
{
    const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 2)
        return std::nullopt;
    Paper paper;
    if (words.size() == 2) {
        if (words[1].compare(orientationWord(QPageLayout::Landscape), Qt::CaseInsensitive) == 0)
            paper.orientation = QPageLayout::Landscape;
        else if (words[1].compare(orientationWord(QPageLayout::Portrait), Qt::CaseInsensitive) != 0)
            return std::nullopt;
    }
    for (const QPageSize::PageSizeId size : offeredPaperSizes())
        if (words[0].compare(paperSizeName(size), Qt::CaseInsensitive) == 0) {
            paper.size = size;
            return paper;
        }
    return std::nullopt;
}

double pageProportion(const Paper &paper)
{
    if (paper.isA4Portrait())
        return 1.414;  // not 297 / 210: stored choices and printed pages count on it
    const QSizeF mm = QPageSize::size(paper.size, QPageSize::Millimeter);
    return paper.orientation == QPageLayout::Landscape ? mm.width() / mm.height() : mm.height() / mm.width();
}

bool isCalibrationRatio(double ratio) { return ratio >= SmallestCalibration && ratio <= LargestCalibration; }

QSizeF printableMillimetres(QSizeF devicePixels, double dotsPerInch)
{
    return devicePixels * (MillimetresPerInch / dotsPerInch);
}

PrintSheet pdfSheet(const Paper &paper)
{
    const QPageLayout layout(QPageSize(paper.size), paper.orientation,
                             QMarginsF(PdfMarginPoints, PdfMarginPoints, PdfMarginPoints, PdfMarginPoints),
                             QPageLayout::Point);
    return {paper, printableMillimetres(layout.paintRectPixels(PrintableAreaDotsPerInch).size(), PrintableAreaDotsPerInch), {}};
}

std::optional<double> parseLength(const QString &text)
{
    static const QRegularExpression length(QStringLiteral("^\\s*(\\d+(?:[.,]\\d*)?|[.,]\\d+)\\s*(mm|cm|m|in)\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = length.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double number = QString(m.captured(1)).replace(u',', u'.').toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const QString unit = m.captured(2).toLower();
    const double millimetresPerUnit = unit == QLatin1String("mm")   ? 1
                                      : unit == QLatin1String("cm") ? 10
                                      : unit == QLatin1String("m")  ? 1000
                                                                    : MillimetresPerInch;
    return number * millimetresPerUnit;
}

std::optional<double> parseMillimetres(const QString &text)
{
    if (const std::optional<double> length = parseLength(text))
        return length;
    return parseLength(text + QStringLiteral("mm"));
}

std::optional<PosterSize> parsePosterSize(const QString &text)
{
    static const QRegularExpression size(QStringLiteral("^\\s*(width|height)?\\s*(.*?)\\s*(wide|high)?\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = size.match(text);
    const QString before = m.captured(1).toLower(), after = m.captured(3).toLower();
    if (!m.hasMatch() || (!before.isEmpty() && !after.isEmpty()))
        return std::nullopt;
    const std::optional<double> millimetres = parseLength(m.captured(2));
    if (!millimetres)
        return std::nullopt;
    PosterSize result;
    result.side = before == QLatin1String("height") || after == QLatin1String("high") ? PosterSize::Side::Height
                                                                                        : PosterSize::Side::Width;
    result.millimetres = *millimetres;
    result.length = m.captured(2).simplified().remove(u' ').toLower();
    return result;
}

QString posterSizeText(const PosterSize &size)
{
    return size.length + (size.side == PosterSize::Side::Height ? QStringLiteral(" high") : QString());
}

}  // namespace plakatron
