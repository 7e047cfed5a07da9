#pragma once
// The main window's print commands: the print dialog on the stored printer choice, the
// confirmation, the wait window with its page counter and "Cancel", and the job itself (the one
// print loop, printPoster), for the poster's pages and for its assembly map. A failure is shown
// in a message; a stop signal or "Cancel" ends a job between sheets.

#include "core/Cancellation.h"
#include "layout/Poster.h"

#include <QString>
#include <cstdint>
#include <functional>

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
    // the program as it asked); a failure is reported; the wait window goes when it ends.
    void runPrintJob(const std::function<void()> &job);

    QWidget &window_;
    Cancellation cancellation_;  // asks the running job to stop between pages
};

}  // namespace plakatron
