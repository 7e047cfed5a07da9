// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Between the printer records and a QPrinter: the platform numbers of the records (DMPAPER paper
// sizes, DMBIN paper bins, duplex 1/2/3, orientation 1/2, colour 1/2, print quality in dots per
// inch) and Qt's printer settings, in both directions. Each setting travels on its own: one the
// printer does not have, or a number with no meaning here, is skipped and the others still go.

#include "printing/PrinterRecords.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <optional>

namespace plakatron {

// The name a printer goes by in the records; a printer writing a PDF file has no queue name,
// so it goes by the dialog's own name for that choice.
inline constexpr char PrintToFileDeviceName[] = "Print to File (PDF)";
QString deviceNameOf(const QPrinter &printer);
bool printsToFile(const QPrinter &printer);

// Record numbers <-> Qt values. Numbers without a Qt value give nullopt.
std::int16_t duplexNumber(QPrinter::DuplexMode mode);
std::optional<QPrinter::DuplexMode> duplexMode(std::int16_t number);
std::int16_t orientationNumber(QPageLayout::Orientation orientation);
std::optional<QPageLayout::Orientation> orientation(std::int16_t number);
std::int16_t paperNumber(const QPageSize &size);  // 0 for a size the platform has no number for
std::optional<QPageSize> paperSize(std::int16_t number);
std::int16_t colourNumber(QPrinter::ColorMode mode);
std::optional<QPrinter::ColorMode> colourMode(std::int16_t number);
std::int16_t binNumber(QPrinter::PaperSource source);  // 0 for a source the platform has no number for
std::optional<QPrinter::PaperSource> paperSource(std::int16_t number);
// Positive numbers are dots per inch; the platform's negative draft/low/medium/high codes name no
// resolution.
std::optional<int> resolution(std::int16_t printQuality);

// Before the dialog: the current printer's name (padded to 32 characters), the record size, the
// fields flag (orientation and duplex), its page width in twips, orientation, paper size and
// duplex. Each on its own; one that cannot be read is left as it was.
void describeCurrentPrinter(const QPrinter &printer, DevModeRecord &devMode);

// The dialog's starting state: the stored copies, collate, colour, print quality, paper bin,
// orientation, paper size and duplex on the dialog's printer. (The pages it starts with are the
// poster's, not the stored ones: a range of another poster means nothing for this one.)
void applyRecordsToDialogPrinter(const PrinterRecords &records, QPrinter &printer);

// The user's answer back into the records: printer name, copies, collate, duplex, orientation,
// paper size, colour, print quality, paper bin, the page range fields and the answer's bits of
// Flags (selection, page numbers, current page, collate, print to file). Every other field keeps
// its value.
void recordDialogAnswer(const QPrinter &answer, PrinterRecords &records);

// After a confirmed dialog: copies, duplex, orientation, paper size, print quality, colour, paper
// bin and collate from the device record onto the printer, each on its own.
void applyDeviceSettings(const DevModeRecord &devMode, QPrinter &printer);

// After a confirmed dialog, what it can choose that the records have no field for: the page as
// a whole (a paper size without a platform number, the margins) and the print server's job
// options (pages per sheet, banner pages, priority, the printer's own options). They stay with the
// printer for the rest of the run and are not stored.
void applyDialogOnlySettings(const QPrinter &answer, QPrinter &printer);

// Platform seam: the print server's job options a printer carries (Qt's CUPS options).
void copyPrintServerOptions(const QPrinter &from, QPrinter &to);

}  // namespace plakatron
