// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/modPrinter.h"

#include "printing/PrinterSettings.h"
#include "printing/PrinterSheet.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <utility>

namespace plakatron {

namespace {
// The print dialog's own entry, in the words of Qt's catalogue (a variable, so that the program's
// catalogue does not take it over).
QString printToFileEntry()
{
    static const char *const entry = "Print to File (PDF)";
    return QPrintDialog::tr(entry);
}


std::unique_ptr<QPrinter> &printerSlot()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

PrintDialogFunction &dialogSlot()
{
    static PrintDialogFunction function;
    return function;
}

void releasePrinter() { printerSlot().reset(); }

// A printer set up like `current`: the same queue or PDF file and the same settings.
std::unique_ptr<QPrinter> copyOf(const QPrinter &current)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printsToFile(current)) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        // (An empty name would switch the printer back to a queue.)
        if (!current.outputFileName().isEmpty())
            printer->setOutputFileName(current.outputFileName());
    } else if (!current.printerName().isEmpty()) {
        printer->setPrinterName(current.printerName());
    }
    printer->setPageLayout(current.pageLayout());
    printer->setDuplex(current.duplex());
    printer->setCopyCount(current.copyCount());
    printer->setCollateCopies(current.collateCopies());
    printer->setColorMode(current.colorMode());
    printer->setResolution(current.resolution());
    printer->setPaperSource(current.paperSource());
    printer->setDocName(current.docName());
    copyPrintServerOptions(current, *printer);
    return printer;
}

// Qt's print dialog as this program offers it: a page range within the poster, the current page
// only while one is selected, and none of the choices the print job could not honour.
class PosterPrintDialog final : public QPrintDialog {
public:
    PosterPrintDialog(QPrinter *printer, QWidget *owner, int currentPage)
        : QPrintDialog(printer, owner), currentPage_(currentPage)
    {
    }
    void setVisible(bool visible) override
    {
        // The dialog sets its widgets up from the options as it shows; the changes come after.
        QPrintDialog::setVisible(visible);
        if (!visible)
            return;
        if (auto *current = findChild<QRadioButton *>(QStringLiteral("printCurrentPage")))
            current->setEnabled(currentPage_ >= 1);
        // A list of pages ("1-3, 5") and odd or even pages are left to the print server, which
        // would print fewer sheets than the job counts, confirms and shows; the order of the
        // sheets is the printer's own.
        for (const char *name : {"pagesRadioButton", "pagesLineEdit", "pageSetLabel", "pageSetCombo", "reverse"})
            if (auto *widget = findChild<QWidget *>(QLatin1String(name)))
                widget->hide();
        // A PDF file holds each sheet once, however many copies are asked for.
        if (auto *printers = findChild<QComboBox *>(QStringLiteral("printers")); printers && !copiesFollowPrinter_) {
            copiesFollowPrinter_ = true;
            connect(printers, &QComboBox::currentIndexChanged, this, [this] { offerCopies(); });
        }
        offerCopies();
    }

private:
    void offerCopies()
    {
        const auto *printers = findChild<QComboBox *>(QStringLiteral("printers"));
        const bool toFile = printers && printers->currentText() == printToFileEntry();
        auto *copies = findChild<QSpinBox *>(QStringLiteral("copies"));
        if (copies && toFile)
            copies->setValue(1);
        for (const char *name : {"copies", "collate"})
            if (auto *widget = findChild<QWidget *>(QLatin1String(name)))
                widget->setEnabled(!toFile);
    }

    int currentPage_;
    bool copiesFollowPrinter_ = false;
};

// The pages the confirmed dialog asks for, within the poster.
PrintRange chosenPages(const QPrinter &answer, const PrintChoices &choices)
{
    switch (answer.printRange()) {
    case QPrinter::PageRange: return printRangeWithin(answer.fromPage(), answer.toPage(), choices.pageCount);
    case QPrinter::CurrentPage: return printRangeWithin(choices.currentPage, choices.currentPage, choices.pageCount);
    case QPrinter::AllPages:
    case QPrinter::Selection: break;  // (a selection is never offered)
    }
    return printRangeWithin(1, choices.pageCount, choices.pageCount);
}

// Makes the installed printer `name` current; a printer writing a file goes back to a queue.
void switchTo(QPrinter &printer, const QString &name)
{
    if (printsToFile(printer))
        printer.setOutputFileName(QString());
    printer.setPrinterName(name);
}

}  // namespace

QPrinter &currentPrinter()
{
    if (!printerSlot()) {
        static const bool cleanupAdded = [] {
            // Released with the application, while the printing plug-in is still there.
            qAddPostRoutine(releasePrinter);
            return true;
        }();
        (void)cleanupAdded;
        printerSlot() = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printerSlot();
}

void resetCurrentPrinter() { releasePrinter(); }

QStringList installedPrinterNames() { return QPrinterInfo::availablePrinterNames(); }

PrintDialogFunction setPrintDialogFunction(PrintDialogFunction function)
{
    return std::exchange(dialogSlot(), std::move(function));
}

bool execPrintDialog(const PrintDialogRequest &request)
{
    const bool toFile = printsToFile(request.printer);
    const QString file = request.printer.outputFileName();
    PosterPrintDialog dialog(&request.printer, request.owner, request.currentPage);
    dialog.setOptions(request.options);
    if (request.minPage >= 1 && request.maxPage >= request.minPage)
        dialog.setMinMax(request.minPage, request.maxPage);
    // Where print queues are installed, Qt's dialog opens on a queue even for a printer that
    // writes a PDF file. Once it shows (and has added its file entry), its own "Print to File
    // (PDF)" entry is chosen again, with the file the user chose before.
    if (toFile)
        QTimer::singleShot(0, &dialog, [&dialog, file] {
            auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers"));
            const int entry = printers ? printers->findText(printToFileEntry()) : -1;
            if (entry < 0)
                return;
            printers->setCurrentIndex(entry);
            if (auto *fileName = dialog.findChild<QLineEdit *>(QStringLiteral("filename")); fileName && !file.isEmpty())
                fileName->setText(file);
        });
    return dialog.exec() == QDialog::Accepted;
}

QString ShowPrinterDialog(QWidget *owner, PrintDlgRecord &dialog, DevModeRecord &devMode, const PrintChoices &choices,
                          PrintRange &chosen)
{
    QPrinter &current = currentPrinter();

    dialog.lStructSize = PrintDlgStructSize;
    dialog.hwndOwner = owner ? static_cast<std::uint32_t>(owner->winId()) : 0;
    describeCurrentPrinter(current, devMode);
    // There are no movable memory blocks between this program and Qt's dialog.
    dialog.hDevMode = 0;
    dialog.hDevNames = 0;

    PrinterRecords records{dialog, devMode};
    const std::unique_ptr<QPrinter> answer = copyOf(current);
    applyRecordsToDialogPrinter(records, *answer);
    // The paper the poster is laid out for, whatever was stored.
    setPaper(*answer, choices.paper);

    // The pages on offer are the poster's; the dialog starts with every page, or with the current
    // page where the request was for that page.
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
                                                       | QAbstractPrintDialog::PrintShowPageSize
                                                       | QAbstractPrintDialog::PrintCollateCopies
                                                       | QAbstractPrintDialog::PrintCurrentPage;
    int minPage = 0, maxPage = 0;
    if (choices.pageCount >= 1) {
        options |= QAbstractPrintDialog::PrintPageRange;
        minPage = 1;
        maxPage = choices.pageCount;
    }
    if (choices.startWithCurrentPage && choices.currentPage >= 1) {
        answer->setPrintRange(QPrinter::CurrentPage);
        answer->setFromTo(choices.currentPage, choices.currentPage);
    } else {
        answer->setPrintRange(QPrinter::AllPages);
        if (maxPage >= 1)
            answer->setFromTo(minPage, maxPage);
    }
    const PrintDialogRequest request{*answer, records, options, minPage, maxPage, choices.currentPage, owner};
    const bool confirmed = dialogSlot() ? dialogSlot()(request) : execPrintDialog(request);
    if (!confirmed)
        return QString();

    recordDialogAnswer(*answer, records);
    chosen = chosenPages(*answer, choices);
    records.dialog.nFromPage = chosen.first;
    records.dialog.nToPage = chosen.last;
    records.dialog.nMinPage = static_cast<std::int16_t>(minPage);
    records.dialog.nMaxPage = static_cast<std::int16_t>(maxPage);
    dialog = records.dialog;
    devMode = records.devMode;
    const QString chosenName = chosenDeviceName(devMode);

    if (printsToFile(*answer)) {
        current.setOutputFormat(QPrinter::PdfFormat);
        if (!answer->outputFileName().isEmpty())
            current.setOutputFileName(answer->outputFileName());
    } else if (chosenName != current.printerName()) {
        const QStringList installed = installedPrinterNames();
        const int match = matchInstalledPrinter(chosenName, installed);
        if (match >= 0)
            switchTo(current, installed[match]);
    }
    applyDeviceSettings(devMode, current);
    applyDialogOnlySettings(*answer, current);
    return chosenName;
}

}  // namespace plakatron
