// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever "printer.dat" holds: it is read as far as it makes sense, what is read goes into the
// print dialog's printer and comes back out of it, and writing the records back loses nothing
// that was read (nor the tail of a longer file).
#include "FuzzTargets.h"

#include "core/RuntimeError.h"
#include "printing/PrinterRecords.h"
#include "printing/PrinterSettings.h"
#include "printing/StoredPrinter.h"

#include <QFile>
#include <QPrinter>
#include <algorithm>

namespace plakatron::fuzz {

namespace {

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "cannot read the printer file back");
    return file.readAll();
}

qsizetype formSize(const PrinterRecords &r)
{
    return PrinterFileBytes + r.dialog.lpPrintTemplateName.size() + r.dialog.lpSetupTemplateName.size();
}

}  // namespace

void printerTarget(QByteArrayView data)
{
    // The codec: read as far as the bytes are sound, written back in the file form.
    const PrinterRecords read = decodePrinterRecords(data);
    const QByteArray form = encodePrinterRecords(read);
    require(form.size() == formSize(read), "the written records are not 184 bytes plus their template names");
    require(decodePrinterRecords(form) == read, "records written back do not read the same");

    // The file beside the program: read, written over in place, read again.
    const QString path = workFolder() + QStringLiteral("/printer.dat");
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the printer file");
        require(file.write(data.data(), data.size()) == data.size(), "cannot write the printer file");
    }
    const PrinterRecords stored = readPrinterFile(path);
    require(stored == read, "the file reads differently from its bytes");
    writePrinterFile(path, stored);
    const QByteArray after = fileContent(path);
    require(after.left(form.size()) == form, "the records were not written at the start of the file");
    require(after.mid(form.size()) == data.sliced(std::min(data.size(), form.size())).toByteArray(),
            "writing the records changed the file's tail");
    require(readPrinterFile(path) == stored, "the rewritten file does not read the same");

    // A damaged device name either names a printer or fails as the print command reports it.
    try {
        matchInstalledPrinter(chosenDeviceName(stored.devMode), {QStringLiteral("Office"), QStringLiteral("Office_2")});
    } catch (const RuntimeError &e) {
        require(e.number() == err::InvalidCall, "an undelimited device name failed with another error");
    }

    // Into the dialog's printer (a PDF file: the fuzzer reaches no print queue) and back out as
    // the answer of a confirmed dialog, then onto the current printer.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    applyRecordsToDialogPrinter(stored, printer);
    PrinterRecords answer = stored;
    recordDialogAnswer(printer, answer);
    require(chosenDeviceName(answer.devMode) == QStringLiteral("PRINT TO FILE (PDF)"),
            "the dialog's answer does not name the printer chosen");
    require(decodePrinterRecords(encodePrinterRecords(answer)) == answer, "the dialog's answer does not survive the file");
    applyDeviceSettings(answer.devMode, printer);
    require(printer.copyCount() >= 1, "the printer was left without a copy to print");
}

}  // namespace plakatron::fuzz
