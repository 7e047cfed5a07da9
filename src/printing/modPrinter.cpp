#include "printing/modPrinter.h"

#include "printing/PrinterSettings.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <utility>

namespace plakatron {

namespace {

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
    return printer;
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
    QPrintDialog dialog(&request.printer, request.owner);
    dialog.setOptions(request.options);
    if (request.maxPage > request.minPage)
        dialog.setMinMax(request.minPage, request.maxPage);
    // Where print queues are installed, Qt's dialog opens on a queue even for a printer that
    // writes a PDF file. Once it shows (and has added its file entry), its own "Print to File
    // (PDF)" entry is chosen again, with the file the user chose before.
    if (toFile)
        QTimer::singleShot(0, &dialog, [&dialog, file] {
            auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers"));
            const int entry = printers ? printers->findText(QPrintDialog::tr("Print to File (PDF)")) : -1;
            if (entry < 0)
                return;
            printers->setCurrentIndex(entry);
            if (auto *fileName = dialog.findChild<QLineEdit *>(QStringLiteral("filename")); fileName && !file.isEmpty())
                fileName->setText(file);
        });
    return dialog.exec() == QDialog::Accepted;
}

QString ShowPrinterDialog(QWidget *owner, PrintDlgRecord &dialog, DevModeRecord &devMode)
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

    // The page range is fixed before the dialog, so the dialog offers one only where a stored
    // range asks for it.
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
                                                       | QAbstractPrintDialog::PrintShowPageSize
                                                       | QAbstractPrintDialog::PrintCollateCopies;
    int minPage = 0, maxPage = 0;
    if (dialog.nMinPage >= 1 && dialog.nMaxPage > dialog.nMinPage) {
        options |= QAbstractPrintDialog::PrintPageRange;
        minPage = dialog.nMinPage;
        maxPage = dialog.nMaxPage;
    }
    const PrintDialogRequest request{*answer, records, options, minPage, maxPage, owner};
    const bool confirmed = dialogSlot() ? dialogSlot()(request) : execPrintDialog(request);
    if (!confirmed)
        return QString();

    recordDialogAnswer(*answer, records);
    dialog = records.dialog;
    devMode = records.devMode;
    const QString chosen = chosenDeviceName(devMode);

    if (printsToFile(*answer)) {
        current.setOutputFormat(QPrinter::PdfFormat);
        if (!answer->outputFileName().isEmpty())
            current.setOutputFileName(answer->outputFileName());
    } else if (chosen != current.printerName()) {
        const QStringList installed = installedPrinterNames();
        const int match = matchInstalledPrinter(chosen, installed);
        if (match >= 0)
            switchTo(current, installed[match]);
    }
    applyDeviceSettings(devMode, current);
    return chosen;
}

}  // namespace plakatron
