// A machine without any printer: ctest runs this program with CUPS_SERVER pointing at a server
// that does not exist, so no print queue can be found. The window still prints, to a PDF file, and
// the tool says there is no such printer.
#include "support/CliRunner.h"
#include "app/frmMain.h"
#include "input/Toolbox.h"
#include "printing/PrinterSettings.h"
#include "printing/modPrinter.h"
#include "support/PdfTools.h"
#include "support/TestSupport.h"

#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

TEST(NoPrinter, TheWindowPrintsToAPdfFile)
{
    ASSERT_TRUE(installedPrinterNames().isEmpty()) << "this test needs a machine without print queues";
    QTemporaryDir dir;
    modToolbox::setAppFolderForTesting(dir.path());
    resetCurrentPrinter();
    const QString output = dir.filePath(QStringLiteral("poster.pdf"));
    bool offeredAFile = false;
    const auto previous = setPrintDialogFunction([&](const PrintDialogRequest &request) {
        // With nothing else to offer, the dialog opens on "Print to File (PDF)".
        offeredAFile = printsToFile(request.printer);
        request.printer.setOutputFileName(output);
        return true;
    });
    {
        frmMain window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        test::MessageCapture messages;
        window.findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click();
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Question) << messages.messages()[0].text.toStdString();
        EXPECT_TRUE(offeredAFile);
        EXPECT_EQ(test::pdfPageCount(output), 6);
    }
    setPrintDialogFunction(previous);
    modToolbox::setAppFolderForTesting(QString());
    resetCurrentPrinter();
}

TEST(NoPrinter, TheToolNamesNoPrinterAndRefusesOne)
{
    const test::CliRun list = test::runCli({QStringLiteral("print"), QStringLiteral("--list-printers")});
    EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.trimmed().isEmpty()) << list.out.toStdString();
    const test::CliRun print = test::runCli({QStringLiteral("print"), QStringLiteral("--printer"), QStringLiteral("Office")});
    EXPECT_EQ(print.exitCode, 2);
    EXPECT_TRUE(print.err.contains("no installed printer is named 'Office'")) << print.err.toStdString();
}

}  // namespace
