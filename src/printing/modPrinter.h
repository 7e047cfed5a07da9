// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's printer and the print dialog. One current printer serves the whole run: the
// platform's default printer at first (a PDF file where no printer is installed), then whatever a
// confirmed print dialog chose. ShowPrinterDialog opens the dialog on the stored choices, turns
// the answer into the two printer records and makes the chosen printer current with the chosen
// settings.

#include "printing/PrintJob.h"
#include "printing/PrinterRecords.h"

#include <QAbstractPrintDialog>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

namespace plakatron {

QPrinter &currentPrinter();
// Starts again from the platform's default printer.
void resetCurrentPrinter();

// The installed printers' names, in the platform's order.
QStringList installedPrinterNames();

// What the print dialog opens with.
struct PrintDialogRequest {
    // The dialog's own printer: the current printer with the stored choices applied. After a
    // confirmed dialog it carries the user's answer; the current printer is not touched by the
    // dialog itself.
    QPrinter &printer;
    const PrinterRecords &records;  // as they go into the dialog
    QAbstractPrintDialog::PrintDialogOptions options;
    int minPage = 0;  // the page range the dialog offers; 0, 0 when it offers none
    int maxPage = 0;
    // The page "Current page" prints; 0 when no page is selected, and the choice is then offered
    // but cannot be made. The printer's print range and from/to pages are the dialog's start.
    int currentPage = 0;
    QWidget *owner = nullptr;
};

// Shows the dialog; true when the user confirms it. Replaceable, so tests answer the dialog
// without showing it.
using PrintDialogFunction = std::function<bool(const PrintDialogRequest &request)>;
// Replaces the dialog (an empty function restores Qt's print dialog); returns the previous one.
PrintDialogFunction setPrintDialogFunction(PrintDialogFunction function);
// Qt's print dialog, modal over request.owner.
bool execPrintDialog(const PrintDialogRequest &request);

// Opens the print dialog on the current printer and the stored records, on the paper of `choices`,
// offering its pages and starting with every page or with the current page, as they say. Confirmed: the
// records hold the answer, the chosen printer (a printer whose name matches exactly, else the
// first whose name starts with the possibly cut-short chosen name, else the current one stays) is
// current with the chosen copies, duplex, orientation, paper size and margins, print quality,
// colour, paper bin, collate and the printer's own job options, `chosen` holds the pages to print
// (printRangeWithin the poster; the records' from/to pages say the same), and the result is the
// chosen device name in upper case. Cancelled: empty, and the current printer is unchanged.
// Failures other than reading or setting a single printer property reach the caller as
// RuntimeError.
QString ShowPrinterDialog(QWidget *owner, PrintDlgRecord &dialog, DevModeRecord &devMode, const PrintChoices &choices,
                          PrintRange &chosen);

}  // namespace plakatron
