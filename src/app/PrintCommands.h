// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's print commands: the print dialog on the stored printer choice and the
// poster's paper, the confirmation, the wait window with its page counter and "Cancel", and the
// job itself (the one print loop, printPoster), for the poster's pages and for its assembly map;
// and the calibration sheet with the lengths measured on it. A failure is shown in a message; a
// stop signal or "Cancel" ends a job between sheets.

#include "core/Cancellation.h"
#include "layout/Poster.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

class QWidget;

namespace plakatron {

class RuntimeError;
class frmWait;
struct PrintChoices;
struct PrintRange;

class PrintCommands {
public:
    // Messages and the wait window are shown over `window`.
    explicit PrintCommands(QWidget &window) : window_(window) {}

    // Asks for the printer and the pages: the dialog starts with page singlePage alone when it is a
    // page of the poster, else with every page; "Current page" is the selected page. A confirmed
    // dialog stores the choice and prints the chosen pages.
    void PrintNow(const Poster &poster, std::int32_t singlePage);
    // Prints programWide().FirstPrintPage to LastPrintPage of `poster` on the current printer,
    // after the confirmation.
    void doPrint(const Poster &poster);
    // The poster's assembly map on one sheet, after the print dialog.
    void PrintAssemblyMap(const Poster &poster);
    // The calibration sheet on `paper`, after the print dialog; on a printer (a PDF file keeps
    // its sizes) the lengths measured on it are then asked for and stored as the printer's
    // calibration. True when a calibration was stored; a length that gives none is refused in a
    // message and the stored calibration stays.
    bool PrintCalibrationSheet(const Paper &paper);

    // Runs after a confirmed print dialog, before anything of the poster is printed: the window
    // makes the poster follow the printer chosen (its paper, printable area and calibration), and
    // says false where nothing is to be printed.
    void setPrinterChosen(std::function<bool()> hook) { printerChosen_ = std::move(hook); }
    // Takes the line that says what a job did once it has ended: "6 pages printed to
    // /home/me/poster.pdf", "Assembly map sent to Office", "Printing cancelled: nothing was printed".
    void setReport(std::function<void(const QString &)> report) { report_ = std::move(report); }

private:
    // The print dialog on the stored choices and the pages of `choices`, which a confirmed dialog
    // stores again with the pages `chosen`; false when it was cancelled.
    bool ShowPrintDialog(const PrintChoices &choices, PrintRange &chosen);
    // The wait window of a print job, centred over the window and shown; with `text` in place of
    // its design text.
    frmWait *showPrintWaitWindow(const QString &text = {});
    // A print job's failure in a message, unless the job was stopped on request.
    void reportPrintFailure(const RuntimeError &e);
    // Runs a print job: a stop signal or "Cancel" ends it between sheets (a stop signal then ends
    // the program as it asked); a failure is reported; the wait window goes when it ends. Then
    // reports what was done: `printed` (the job's pages or sheet) printed to the file or sent to
    // the printer of `printer`, or that nothing was.
    void runPrintJob(const std::function<void()> &job, const std::function<QString()> &printed);
    void report(const QString &line) const
    {
        if (report_)
            report_(line);
    }

    // Whether the poster is to be printed on the printer the dialog chose.
    bool followPrinterChosen() const { return !printerChosen_ || printerChosen_(); }

    QWidget &window_;
    Cancellation cancellation_;  // asks the running job to stop between pages
    std::function<bool()> printerChosen_;
    std::function<void(const QString &)> report_;
};

}  // namespace plakatron
