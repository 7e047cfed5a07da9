// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sheet a printer prints on: the paper it is set to, the printable area it leaves on it (asked
// of the printer once per printer and paper, then remembered, since asking a print server takes
// time), and the calibration stored for it.

#include "layout/Paper.h"

#include <QSizeF>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace plakatron {

// The offered paper `printer` is set to; nothing for any other size.
std::optional<Paper> paperOf(const QPrinter &printer);
// Sets `printer` (or a PDF writer) to `paper`.
void setPaper(QPagedPaintDevice &printer, const Paper &paper);
// The printable area `printer` leaves on its paper now, in millimetres: its width and height in
// device pixels at its resolution, exactly what the print job draws into.
QSizeF printableArea(const QPrinter &printer);

// The calibration stored for the printer named `printerName` (none when nothing valid is stored).
Calibration storedCalibration(const QString &printerName);
// Stores it (none removes it). A printer writing a PDF file has none: its sizes are exact.
void storeCalibration(const QString &printerName, const Calibration &calibration);
// The calibration `printer` prints with: the stored one of a queue, none for a PDF file.
Calibration calibrationOf(const QPrinter &printer);

// The sheet of `printer` as it is set up now (its printable area and calibration) for `paper`.
PrintSheet sheetOf(const QPrinter &printer, const Paper &paper);

// Qt's PDF writer of `fileName` on `paper`, set up as a printer writing a PDF file is: 1200 dots
// per inch and the PDF engine's own margins. It opens the file when a painter begins on it.
std::unique_ptr<QPdfWriter> pdfFileWriter(const QString &fileName, const Paper &paper);
// The sheet of a PDF file of `paper` written by such a writer: the printable area a printer
// writing that file leaves, and no calibration.
PrintSheet pdfFileSheet(const Paper &paper);

// Printable areas of printers by paper, each read from the printer once: a driver may ask its
// print server when the paper changes, and the window asks at every change of its paper.
class PrintableAreas {
public:
    // The printable area `printer` leaves on `paper`: remembered for its device (queue or PDF
    // file), else read after setting it to that paper.
    QSizeF of(QPrinter &printer, const Paper &paper);
    // Takes what `printer` leaves on its own paper now (as a print dialog set its margins) in
    // place of what was read before.
    void remember(const QPrinter &printer);
    // How many areas were read from a printer; for the benchmarks.
    int read() const { return read_; }

private:
    using Key = std::tuple<QString, int, int>;  // device name, page size, orientation
    std::map<Key, QSizeF> known_;
    int read_ = 0;
};

}  // namespace plakatron
