// SPDX-License-Identifier: GPL-3.0-or-later
// Platform seam: ending a printer document so that nothing of it is printed, a printer that can
// print again after it, and the print server's job options that Qt keeps in its CUPS engine.
#include "printing/PrintJob.h"
#include "printing/PrinterSettings.h"

#include <QFile>
#include <QPrintEngine>
#include <QPrinter>
#include <QStringList>

namespace plakatron {

namespace {
// Qt's CUPS engine takes a list of extra job options under this key (Qt's own
// PPK_CupsOptions: name, value, name, value, ...).
constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);
}  // namespace

void abortPrinterDocument(QPrinter &printer, QPainter &painter)
{
    if (printer.abort()) {
        painter.end();
        return;
    }
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        // Qt's CUPS engine cannot abort: it hands the finished document to CUPS when the painter
        // ends. A job asking for 3 pages per sheet is one CUPS refuses to create, so ending the
        // document then leaves no job behind (Qt removes its temporary file either way).
        const QStringList chosen = printer.printEngine()->property(CupsOptionsKey).toStringList();
        QStringList options = chosen;
        const qsizetype at = options.indexOf(QStringLiteral("number-up"));
        if (at >= 0 && at % 2 == 0 && at + 1 < options.size())
            options[at + 1] = QStringLiteral("3");
        else
            options << QStringLiteral("number-up") << QStringLiteral("3");
        printer.printEngine()->setProperty(CupsOptionsKey, options);
        painter.end();
        printer.printEngine()->setProperty(CupsOptionsKey, chosen);  // the next job prints as chosen
        return;
    }
    // A PDF file: the half-written file goes.
    const QString file = printer.outputFileName();
    painter.end();
    if (!file.isEmpty())
        QFile::remove(file);
}

void renewPdfEngine(QPrinter &printer)
{
    // A change of PDF version is the one public way to a new engine; Qt carries every setting over.
    const QPrinter::PdfVersion version = printer.pdfVersion();
    printer.setPdfVersion(version == QPrinter::PdfVersion_1_4 ? QPrinter::PdfVersion_1_6 : QPrinter::PdfVersion_1_4);
    printer.setPdfVersion(version);
}

void copyPrintServerOptions(const QPrinter &from, QPrinter &to)
{
    if (from.outputFormat() != QPrinter::NativeFormat || to.outputFormat() != QPrinter::NativeFormat)
        return;
    const QVariant options = from.printEngine()->property(CupsOptionsKey);
    to.printEngine()->setProperty(CupsOptionsKey, options.isValid() ? options : QVariant(QStringList()));
}

}  // namespace plakatron
