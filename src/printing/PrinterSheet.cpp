// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PrinterSheet.h"

#include "core/SettingsStore.h"
#include "printing/PrinterSettings.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QUrl>

namespace plakatron {

namespace {
// What a printer in high resolution writes a PDF file at.
constexpr int PdfFileDotsPerInch = 1200;

// A printer's key in the calibration section: its name, with the characters the store would read
// as a path or an escape percent-encoded.
QString calibrationKey(const QString &printerName)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(printerName));
}

QPageSize::PageSizeId sizeOf(const QPageSize &size)
{
    if (size.id() != QPageSize::Custom)
        return size.id();
    return QPageSize::id(size.size(QPageSize::Millimeter), QPageSize::Millimeter, QPageSize::FuzzyMatch);
}
}  // namespace

std::optional<Paper> paperOf(const QPrinter &printer)
{
    const QPageLayout layout = printer.pageLayout();
    const QPageSize::PageSizeId size = sizeOf(layout.pageSize());
    for (const QPageSize::PageSizeId offered : offeredPaperSizes())
        if (offered == size)
            return Paper{size, layout.orientation()};
    return std::nullopt;
}

void setPaper(QPagedPaintDevice &printer, const Paper &paper)
{
    printer.setPageOrientation(paper.orientation);
    printer.setPageSize(QPageSize(paper.size));
}

QSizeF printableArea(const QPrinter &printer)
{
    return printableMillimetres(QSizeF(printer.width(), printer.height()), printer.resolution());
}

Calibration storedCalibration(const QString &printerName)
{
    const QStringList values =
        GetSetting(settingkeys::CalibrationSection, calibrationKey(printerName), QString()).split(u' ', Qt::SkipEmptyParts);
    if (values.size() != 2)
        return {};
    bool xOk = false, yOk = false;
    const Calibration c{values[0].toDouble(&xOk), values[1].toDouble(&yOk)};
    return xOk && yOk && isCalibrationRatio(c.x) && isCalibrationRatio(c.y) ? c : Calibration{};
}

void storeCalibration(const QString &printerName, const Calibration &c)
{
    if (c.isNone())
        DeleteSetting(settingkeys::CalibrationSection, calibrationKey(printerName));
    else
        SaveSetting(settingkeys::CalibrationSection, calibrationKey(printerName),
                    QString::number(c.x, 'g', 10) + u' ' + QString::number(c.y, 'g', 10));
}

Calibration calibrationOf(const QPrinter &printer)
{
    return printsToFile(printer) ? Calibration{} : storedCalibration(printer.printerName());
}

PrintSheet sheetOf(const QPrinter &printer, const Paper &paper) { return {paper, printableArea(printer), calibrationOf(printer)}; }

std::unique_ptr<QPdfWriter> pdfFileWriter(const QString &fileName, const Paper &paper)
{
    auto writer = std::make_unique<QPdfWriter>(fileName);
    writer->setResolution(PdfFileDotsPerInch);
    setPaper(*writer, paper);
    return writer;
}

PrintSheet pdfFileSheet(const Paper &paper)
{
    const std::unique_ptr<QPdfWriter> writer = pdfFileWriter(QString(), paper);
    return {paper, printableMillimetres(QSizeF(writer->width(), writer->height()), writer->resolution()), {}};
}

QSizeF PrintableAreas::of(QPrinter &printer, const Paper &paper)
{
    const Key key{deviceNameOf(printer), paper.size, paper.orientation};
    if (const auto known = known_.find(key); known != known_.end())
        return known->second;
    setPaper(printer, paper);
    ++read_;
    return known_[key] = printableArea(printer);
}

void PrintableAreas::remember(const QPrinter &printer)
{
    if (const std::optional<Paper> paper = paperOf(printer))
        known_[Key{deviceNameOf(printer), paper->size, paper->orientation}] = printableArea(printer);
}

}  // namespace plakatron
