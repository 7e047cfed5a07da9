// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PrintCommands.h"

#include "app/StoredSettings.h"
#include "core/MessageBox.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "core/StopSignals.h"
#include "input/Toolbox.h"
#include "layout/frmWait.h"
#include "printing/AssemblyMap.h"
#include "printing/CalibrationSheet.h"
#include "printing/PrintJob.h"
#include "printing/PrinterFileLocation.h"
#include "printing/PrinterSettings.h"
#include "printing/PrinterSheet.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "ui/frmCalibrate.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <new>

namespace plakatron {

namespace {
// A new window appears asynchronously; until the window system has exposed it, repaint() draws
// nothing. Waits for that (at most a second) without taking any user input.
void waitUntilExposed(QWidget *window)
{
    QDeadlineTimer deadline(1000);
    while (window->windowHandle() && !window->windowHandle()->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
}

// Where a job's sheets went: "printed to /home/me/poster.pdf", "sent to Office".
QString destination(const QPrinter &printer)
{
    return printsToFile(printer)
               ? QCoreApplication::translate("PrintCommands", "printed to %1")
                     .arg(QDir::toNativeSeparators(printer.outputFileName()))
               : QCoreApplication::translate("PrintCommands", "sent to %1").arg(printer.printerName());
}

QString cancelledLine() { return QCoreApplication::translate("PrintCommands", "Printing cancelled: nothing was printed"); }
QString failedLine() { return QCoreApplication::translate("PrintCommands", "Printing failed"); }
}  // namespace

bool PrintCommands::ShowPrintDialog(const PrintChoices &choices, PrintRange &chosen)
{
    // The stored choice only spares the user some clicks: a file that cannot be read lets the
    // dialog start afresh, and one that cannot be written must not keep the poster from being
    // printed.
    const PrinterFilePlaces places = printerFilePlaces(modToolbox::AppFolder(), settingsFolder());
    PrinterRecords records;
    if (!places.read.isEmpty())
        skippingErrors([&] { records = readPrinterFile(places.read); });
    if (ShowPrinterDialog(&window_, records.dialog, records.devMode, choices, chosen).isEmpty())
        return false;  // cancelled: nothing stored, nothing printed
    skippingErrors([&] {
        // The configuration folder may not exist before the first settings are stored.
        QDir().mkpath(QFileInfo(places.write).absolutePath());
        writePrinterFile(places.write, records);
    });
    return true;
}

void PrintCommands::PrintNow(const Poster &poster, std::int32_t singlePage)
{
    try {
        PrintChoices choices = printChoicesFor(singlePage, poster.grid.SelectedPage, posterPageCount(poster));
        choices.paper = poster.settings.Sheet.paper;
        PrintRange range;
        if (!ShowPrintDialog(choices, range) || !followPrinterChosen())
            return;
        programWide().FirstPrintPage = range.first;
        programWide().LastPrintPage = range.last;
        doPrint(poster);
    } catch (const RuntimeError &e) {
        MsgBox(describeWithCode(e), MsgIcon::Exclamation, MsgButtons::Ok, &window_);
    }
}

frmWait *PrintCommands::showPrintWaitWindow(const QString &text)
{
    frmWait *wait = waitWindow(&window_);
    if (!text.isEmpty())
        wait->setText(text);
    // Named in the window list and to screen readers while the job runs.
    wait->setWindowTitle(text.isEmpty() ? QCoreApplication::translate("PrintCommands", "Printing the poster") : text);
    // Centred over the window, outer sizes. While it shows, it alone takes input: the job reads
    // the poster the window holds.
    const QRect main = window_.frameGeometry();
    const QSize waitSize = wait->frameGeometry().size();
    wait->move(main.left() + (main.width() - waitSize.width()) / 2, main.top() + (main.height() - waitSize.height()) / 2);
    wait->setWindowModality(Qt::ApplicationModal);
    wait->showNow();
    waitUntilExposed(wait);
    return wait;
}

void PrintCommands::reportPrintFailure(const RuntimeError &e)
{
    // A job stopped on request needs no message.
    if (e.number() != err::UserInterrupt || !cancellation_.requested())
        MsgBox(errorWithNumber(e), MsgIcon::Critical, MsgButtons::Ok, &window_);
}

void PrintCommands::doPrint(const Poster &poster)
{
    const JobPages pages = posterJobPages(poster, {programWide().FirstPrintPage, programWide().LastPrintPage});
    const std::int16_t count = pages.count();
    if (count == 0 && pages.leftOut() > 0) {
        MsgBox(nothingToPrintText(pages.leftOut()), MsgIcon::Exclamation, MsgButtons::Ok, &window_);
        report(QCoreApplication::translate("PrintCommands", "Nothing was printed"));
        return;
    }
    if (MsgBox(confirmationText(count, pages.leftOut()), MsgIcon::Question, MsgButtons::YesNo, &window_) != MsgAnswer::Yes) {
        report(cancelledLine());
        return;
    }
    // The page counter names the pages printed: the last of them shows no "/" part.
    const PrintRange range = pages.printedRange();
    runPrintJob([&] {
        frmWait *wait = waitWindow(&window_);
        wait->offerCancel(cancellation_);
        // As wide as the longest page counter of the job from the start, so it never jumps.
        if (count >= 1) {
            wait->fitText(progressText(std::max(range.first, std::int16_t(range.last - 1)), range));
            wait->fitText(progressText(range.last, range));
        }
        showPrintWaitWindow();

        // The job reads a poster of its own, which nothing changes while it prints.
        const Poster printed = poster;
        PosterJob job;
        job.poster = &printed;
        job.range = pages.range();
        job.cancellation = &cancellation_;
        job.progress = [&](std::int16_t page, std::int16_t) {
            wait->setText(progressText(page, range));
            wait->repaint();
            // Once a page: the clicks on Cancel and Esc; every other window waits for the job.
            QCoreApplication::processEvents();
        };
        job.warnings = [this](std::int16_t, const QStringList &warnings) {
            for (const QString &warning : warnings)
                MsgBox(warning, MsgIcon::Exclamation, MsgButtons::Ok, &window_);
        };
        printPoster(currentPrinter(), job);
    }, [&]() -> QString {
        // "5 pages sent to Office", "1 page printed to /home/me/poster.pdf"
        const QString done = count == 1
                                 ? QCoreApplication::translate("PrintCommands", "1 page %1").arg(destination(currentPrinter()))
                                 : QCoreApplication::translate("PrintCommands", "%n pages %1", nullptr, count)
                                       .arg(destination(currentPrinter()));
        return pages.leftOut() > 0
                   ? QCoreApplication::translate("PrintCommands", "%1; %2").arg(done, leftOutText(pages.leftOut()))
                   : done;
    });
}

void PrintCommands::PrintAssemblyMap(const Poster &poster)
{
    try {
        // Made before the dialog, so a poster without pages fails without asking for a printer.
        AssemblyMap map(poster);
        // One sheet: every page the dialog can name is that sheet.
        PrintRange sheet;
        if (!ShowPrintDialog({1, 0, false, poster.settings.Sheet.paper}, sheet) || !followPrinterChosen())
            return;
        map = AssemblyMap(poster);  // its caption as the poster now reads
        // One sheet: the dialog was the confirmation.
        runPrintJob([&] {
            showPrintWaitWindow(QCoreApplication::translate("PrintCommands", "Printing the assembly map"));
            PosterJob job;
            job.poster = &poster;
            job.range = {1, 0};
            job.map = &map;
            job.cancellation = &cancellation_;
            printPoster(currentPrinter(), job);
        }, []() -> QString {
            return QCoreApplication::translate("PrintCommands", "Assembly map %1").arg(destination(currentPrinter()));
        });
    } catch (const RuntimeError &e) {
        MsgBox(describeWithCode(e), MsgIcon::Exclamation, MsgButtons::Ok, &window_);
    }
}

bool PrintCommands::PrintCalibrationSheet(const Paper &paper)
{
    try {
        PrintRange sheet;
        if (!ShowPrintDialog({1, 0, false, paper}, sheet))
            return false;
        QPrinter &printer = currentPrinter();
        // Measured before the job, so a sheet without room for the rulers prints nothing.
        const CalibrationRulers rulers = calibrationRulers(printableArea(printer));
        bool printed = false;
        runPrintJob([&] {
            showPrintWaitWindow(QCoreApplication::translate("PrintCommands", "Printing the calibration sheet"));
            printCalibrationSheet(printer, &cancellation_);
            printed = true;
        }, [&]() -> QString {
            return QCoreApplication::translate("PrintCommands", "Calibration sheet %1").arg(destination(printer));
        });
        if (!printed || printsToFile(printer))
            return false;
        frmCalibrate measured(&window_, printer.printerName(), rulers.across, rulers.down);
        if (measured.exec() != QDialog::Accepted)
            return false;
        for (const QLineEdit *length : {measured.txtAcross(), measured.txtDown()})
            if (!parseMillimetres(length->text())) {
                MsgBox(QCoreApplication::translate("PrintCommands", "'%1' is not a length in millimetres.")
                           .arg(length->text()),
                       MsgIcon::Exclamation,
                       MsgButtons::Ok, &window_);
                return false;
            }
        const MeasuredCalibration c = calibrationFromMeasured(*parseMillimetres(measured.txtAcross()->text()),
                                                              *parseMillimetres(measured.txtDown()->text()), rulers);
        if (!c.problem.isEmpty()) {
            MsgBox(c.problem, MsgIcon::Exclamation, MsgButtons::Ok, &window_);
            return false;
        }
        storeCalibration(printer.printerName(), c.calibration);
        return true;
    } catch (const RuntimeError &e) {
        MsgBox(describeWithCode(e), MsgIcon::Exclamation, MsgButtons::Ok, &window_);
        return false;
    }
}

void PrintCommands::runPrintJob(const std::function<void()> &job, const std::function<QString()> &printed)
{
    cancellation_.clear();
    QString line;
    try {
        const CancelOnStopSignals stopSignals(cancellation_);
        job();
        line = printed();
    } catch (const RuntimeError &e) {
        reportPrintFailure(e);
        line = e.number() == err::UserInterrupt && cancellation_.requested() ? cancelledLine()
                                                                             : failedLine();
    } catch (const std::bad_alloc &) {
        reportPrintFailure(RuntimeError(err::OutOfMemory));
        line = failedLine();
    }
    if (frmWait *loaded = loadedWaitWindow())
        loaded->unload();
    report(line);
}

}  // namespace plakatron
