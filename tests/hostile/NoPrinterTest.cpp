// SPDX-License-Identifier: GPL-3.0-or-later
// A machine without any printer: ctest runs this program with CUPS_SERVER pointing at a server
// that does not exist, so no print queue can be found. The window still prints, to a PDF file, and
// the tool lists no printer and refuses one by name.
#include "app/frmMain.h"
#include "input/Toolbox.h"
#include "printing/PrinterSettings.h"
#include "printing/modPrinter.h"
#include "support/CliRunner.h"
#include "support/PdfTools.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

TEST(NoPrinter, TheWindowPrintsToAPdfFileAndTheToolKnowsNoPrinter)
{
    ASSERT_TRUE(installedPrinterNames().isEmpty()) << "this test needs a machine without print queues";
    QTemporaryDir dir;
    modToolbox::setAppFolderForTesting(dir.path());
    const QString output = dir.filePath(QStringLiteral("poster.pdf"));
    setPrintDialogFunction([&](const PrintDialogRequest &request) {
        EXPECT_TRUE(printsToFile(request.printer));  // with nothing else, "Print to File (PDF)"
        request.printer.setOutputFileName(output);
        return true;
    });
    test::MessageCapture messages;
    frmMain window;
    window.findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click();
    EXPECT_EQ(messages.messages().size(), 1u) << "only the question before printing";
    EXPECT_EQ(test::pdfPageCount(output), 6);

    const test::CliRun list = test::runCli(test::words("print --list-printers"));
    EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.trimmed().isEmpty()) << list.out.toStdString();
    const test::CliRun print = test::runCli(test::words("print --printer Office"));
    EXPECT_EQ(print.exitCode, 2);
    EXPECT_TRUE(print.err.contains("no installed printer is named 'Office'")) << print.err.toStdString();
}

}  // namespace
