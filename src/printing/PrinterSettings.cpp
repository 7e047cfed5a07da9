// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PrinterSettings.h"

#include "core/Numeric.h"
#include "core/RuntimeError.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace plakatron {

namespace {

// The platform's paper bins (DMBIN_*) for Qt's paper sources, in Qt's order.
constexpr std::array<std::pair<QPrinter::PaperSource, std::int16_t>, 13> BinNumbers{{
    {QPrinter::OnlyOne, 1},  // also Upper
    {QPrinter::Lower, 2},
    {QPrinter::Middle, 3},
    {QPrinter::Manual, 4},
    {QPrinter::Envelope, 5},
    {QPrinter::EnvelopeManual, 6},
    {QPrinter::Auto, 7},
    {QPrinter::Tractor, 8},
    {QPrinter::SmallFormat, 9},
    {QPrinter::LargeFormat, 10},
    {QPrinter::LargeCapacity, 11},
    {QPrinter::Cassette, 14},
    {QPrinter::FormSource, 15},
}};

std::int16_t to16(int value)
{
    return static_cast<std::int16_t>(std::clamp(value, int(std::numeric_limits<std::int16_t>::min()),
                                                int(std::numeric_limits<std::int16_t>::max())));
}

}  // namespace

bool printsToFile(const QPrinter &printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

QString deviceNameOf(const QPrinter &printer)
{
    return printsToFile(printer) ? QString::fromLatin1(PrintToFileDeviceName) : printer.printerName();
}

std::int16_t duplexNumber(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexNone: return dm::Simplex;
    case QPrinter::DuplexAuto:  // both sides, bound at the long edge as a portrait page is
    case QPrinter::DuplexLongSide: return dm::DuplexLongEdge;
    case QPrinter::DuplexShortSide: return dm::DuplexShortEdge;
    }
    return dm::Simplex;
}

std::optional<QPrinter::DuplexMode> duplexMode(std::int16_t number)
{
    switch (number) {
    case dm::Simplex: return QPrinter::DuplexNone;
    case dm::DuplexLongEdge: return QPrinter::DuplexLongSide;
    case dm::DuplexShortEdge: return QPrinter::DuplexShortSide;
    default: return std::nullopt;
    }
}

std::int16_t orientationNumber(QPageLayout::Orientation o) { return o == QPageLayout::Landscape ? dm::Landscape : dm::Portrait; }

std::optional<QPageLayout::Orientation> orientation(std::int16_t number)
{
    switch (number) {
    case dm::Portrait: return QPageLayout::Portrait;
    case dm::Landscape: return QPageLayout::Landscape;
    default: return std::nullopt;
    }
}

std::int16_t paperNumber(const QPageSize &size)
{
    if (!size.isValid() || size.id() == QPageSize::Custom)
        return 0;
    return to16(size.windowsId());
}

std::optional<QPageSize> paperSize(std::int16_t number)
{
    if (number <= 0)
        return std::nullopt;
    const QPageSize::PageSizeId id = QPageSize::id(number);
    if (id == QPageSize::Custom)
        return std::nullopt;
    return QPageSize(id);
}

std::int16_t colourNumber(QPrinter::ColorMode mode) { return mode == QPrinter::GrayScale ? dm::Monochrome : dm::Colour; }

std::optional<QPrinter::ColorMode> colourMode(std::int16_t number)
{
    switch (number) {
    case dm::Monochrome: return QPrinter::GrayScale;
    case dm::Colour: return QPrinter::Color;
    default: return std::nullopt;
    }
}

std::int16_t binNumber(QPrinter::PaperSource source)
{
    for (const auto &[qt, number] : BinNumbers)
        if (qt == source)
            return number;
    return 0;
}

std::optional<QPrinter::PaperSource> paperSource(std::int16_t number)
{
    for (const auto &[qt, n] : BinNumbers)
        if (n == number)
            return qt;
    return std::nullopt;
}

std::optional<int> resolution(std::int16_t printQuality)
{
    if (printQuality > 0)
        return printQuality;
    return std::nullopt;
}

void describeCurrentPrinter(const QPrinter &printer, DevModeRecord &m)
{
    skippingErrors([&] { m.dmDeviceName = paddedDeviceName(deviceNameOf(printer)); });
    m.dmSize = dm::DevModeSize;
    m.dmFields = dm::Orientation | dm::Duplex;
    const QPageLayout layout = printer.pageLayout();
    // 1440 twips to the inch (from millimetres: Qt's point sizes are rounded to whole points).
    skippingErrors([&] { m.dmPaperWidth = CInt(layout.fullRect(QPageLayout::Millimeter).width() * 1440 / 25.4); });
    m.dmOrientation = orientationNumber(layout.orientation());
    m.dmPaperSize = paperNumber(layout.pageSize());
    m.dmDuplex = duplexNumber(printer.duplex());
}

void applyRecordsToDialogPrinter(const PrinterRecords &records, QPrinter &printer)
{
    const DevModeRecord &m = records.devMode;
    // An empty (zero) field leaves the printer's own setting.
    if (const auto o = orientation(m.dmOrientation))
        printer.setPageOrientation(*o);
    if (const auto size = paperSize(m.dmPaperSize))
        printer.setPageSize(*size);
    if (const auto mode = duplexMode(m.dmDuplex))
        printer.setDuplex(*mode);
    if (m.dmCopies > 0)
        printer.setCopyCount(m.dmCopies);
    if (m.dmFields & dm::Collate)
        printer.setCollateCopies(m.dmCollate == dm::CollateTrue);
    if (const auto mode = colourMode(m.dmColor))
        printer.setColorMode(*mode);
    if (const auto dpi = resolution(m.dmPrintQuality))
        printer.setResolution(*dpi);
    if (const auto source = paperSource(m.dmDefaultSource))
        printer.setPaperSource(*source);
}

void recordDialogAnswer(const QPrinter &answer, PrinterRecords &records)
{
    DevModeRecord &m = records.devMode;
    PrintDlgRecord &d = records.dialog;
    const QPageLayout layout = answer.pageLayout();
    const bool collate = answer.collateCopies();

    m.dmDeviceName = dialogDeviceName(deviceNameOf(answer));
    m.dmCopies = d.nCopies = to16(answer.copyCount());
    m.dmCollate = collate ? dm::CollateTrue : dm::CollateFalse;
    m.dmDuplex = duplexNumber(answer.duplex());
    m.dmOrientation = orientationNumber(layout.orientation());
    m.dmPaperSize = paperNumber(layout.pageSize());
    m.dmColor = colourNumber(answer.colorMode());
    m.dmPrintQuality = to16(answer.resolution());
    m.dmDefaultSource = binNumber(answer.paperSource());
    m.dmFields |= dm::Orientation | dm::Copies | dm::PrintQuality | dm::Color | dm::Duplex | dm::Collate;
    if (m.dmPaperSize != 0)
        m.dmFields |= dm::PaperSize;
    if (m.dmDefaultSource != 0)
        m.dmFields |= dm::DefaultSource;

    d.nFromPage = to16(answer.fromPage());
    d.nToPage = to16(answer.toPage());
    std::uint32_t flags = d.Flags & ~pd::AnswerBits;
    switch (answer.printRange()) {
    case QPrinter::Selection: flags |= pd::Selection; break;
    case QPrinter::PageRange: flags |= pd::PageNums; break;
    case QPrinter::CurrentPage: flags |= pd::CurrentPage; break;
    case QPrinter::AllPages: break;
    }
    if (collate)
        flags |= pd::Collate;
    if (printsToFile(answer))
        flags |= pd::PrintToFile;
    d.Flags = flags;
}

void applyDeviceSettings(const DevModeRecord &m, QPrinter &printer)
{
    if (m.dmCopies > 0)
        printer.setCopyCount(m.dmCopies);
    if (const auto mode = duplexMode(m.dmDuplex))
        printer.setDuplex(*mode);
    if (const auto o = orientation(m.dmOrientation))
        printer.setPageOrientation(*o);
    if (const auto size = paperSize(m.dmPaperSize))
        printer.setPageSize(*size);
    if (const auto dpi = resolution(m.dmPrintQuality))
        printer.setResolution(*dpi);
    if (const auto mode = colourMode(m.dmColor))
        printer.setColorMode(*mode);
    if (const auto source = paperSource(m.dmDefaultSource))
        printer.setPaperSource(*source);
    if (m.dmFields & dm::Collate)
        printer.setCollateCopies(m.dmCollate == dm::CollateTrue);
}

void applyDialogOnlySettings(const QPrinter &answer, QPrinter &printer)
{
    // A layout the printer cannot take leaves the one the records gave it.
    if (answer.pageLayout().isValid())
        printer.setPageLayout(answer.pageLayout());
    copyPrintServerOptions(answer, printer);
}

}  // namespace plakatron
