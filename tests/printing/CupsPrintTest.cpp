// Printing on real print queues: a private CUPS server (tools/test-cups) with two cups-pdf queues,
// "Office" and "Office_2", each writing its jobs as PDF files into its own folder. Without that
// server these tests skip, unless PLAKATRON_REQUIRE_CUPS=1 makes its absence a failure.
#include "support/PdfTools.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "input/Toolbox.h"
#include "printing/PrintJob.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPrintDialog>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

const QString Office = QStringLiteral("Office");
const QString Office2 = QStringLiteral("Office_2");

// Why the server cannot be used, or empty when it can.
QString missingServer()
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || qEnvironmentVariableIsEmpty("PLAKATRON_TEST_CUPS_OUT"))
        return QStringLiteral("no test CUPS server (run the tests through tools/test-cups, as tools/dev test does)");
    const QStringList names = installedPrinterNames();
    if (!names.contains(Office) || !names.contains(Office2))
        return QStringLiteral("the CUPS server has no queues Office and Office_2 (it lists: %1)").arg(names.join(u' '));
    return QString();
}

QString lpstat(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("lpstat"), arguments);
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Every job the server knows of on `queue`, finished ones included.
int jobsEverQueued(const QString &queue)
{
    return int(lpstat({QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue})
                   .split(u'\n', Qt::SkipEmptyParts)
                   .size());
}

// Waits until no job is pending or printing; false after two minutes.
bool waitForIdleQueues()
{
    QDeadlineTimer deadline(120000);
    while (!deadline.hasExpired()) {
        if (lpstat({QStringLiteral("-o")}).trimmed().isEmpty())
            return true;
        QThread::msleep(200);
    }
    return false;
}

QStringList outputFiles(const QString &queue)
{
    const QDir folder(qEnvironmentVariable("PLAKATRON_TEST_CUPS_OUT") + u'/' + queue);
    QStringList files;
    for (const QString &name : folder.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
        files << folder.filePath(name);
    return files;
}

class CupsPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString why = missingServer();
        if (!why.isEmpty()) {
            if (qEnvironmentVariable("PLAKATRON_REQUIRE_CUPS") == QLatin1String("1"))
                FAIL() << why.toStdString();
            GTEST_SKIP() << why.toStdString();
        }
        ASSERT_TRUE(dir.isValid());
        modToolbox::setAppFolderForTesting(dir.path());
        previousDialog = setPrintDialogFunction([this](const PrintDialogRequest &request) {
            // The user picks a queue in the dialog's list.
            request.printer.setPrinterName(chosen);
            return true;
        });
        resetCurrentPrinter();
        ASSERT_TRUE(waitForIdleQueues());
        before = {{Office, outputFiles(Office)}, {Office2, outputFiles(Office2)}};
    }
    void TearDown() override
    {
        setPrintDialogFunction(previousDialog);
        modToolbox::setAppFolderForTesting(QString());
        resetCurrentPrinter();
    }
    // The files a queue wrote since the test began.
    QStringList newOutput(const QString &queue) const
    {
        QStringList files = outputFiles(queue);
        for (const QString &old : before.at(queue))
            files.removeAll(old);
        return files;
    }

    QTemporaryDir dir;
    QString chosen = Office;
    std::map<QString, QStringList> before;
    PrintDialogFunction previousDialog;
};

}  // namespace

TEST_F(CupsPrintTest, InstalledQueuesAreListedInTheServersOrder)
{
    const QStringList names = installedPrinterNames();
    EXPECT_LT(names.indexOf(Office), names.indexOf(Office2));
    // Both names start with "OFFICE": only the exact match tells them apart.
    EXPECT_TRUE(names[names.indexOf(Office2)].startsWith(QStringLiteral("OFFICE"), Qt::CaseInsensitive));
    EXPECT_EQ(matchInstalledPrinter(QStringLiteral("OFFICE"), names), names.indexOf(Office));
}

TEST_F(CupsPrintTest, ChoosingAQueueMakesExactlyThatQueueCurrent)
{
    struct Row { QString start; QString chosen; };
    const Row rows[] = {
        {Office2, Office},  // "OFFICE" also starts "Office_2", which comes later in the list
        {Office, Office2},
        {QString(), Office},  // from a PDF file back to a queue
        {Office, Office},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(QString(r.start + QStringLiteral(" -> ") + r.chosen).toStdString());
        resetCurrentPrinter();
        if (r.start.isEmpty())
            currentPrinter().setOutputFileName(dir.filePath(QStringLiteral("file.pdf")));
        else
            currentPrinter().setPrinterName(r.start);
        chosen = r.chosen;
        PrinterRecords records;
        EXPECT_EQ(ShowPrinterDialog(nullptr, records.dialog, records.devMode), r.chosen.toUpper());
        EXPECT_EQ(currentPrinter().outputFormat(), QPrinter::NativeFormat);
        EXPECT_EQ(currentPrinter().printerName(), r.chosen);
        EXPECT_TRUE(currentPrinter().outputFileName().isEmpty());
    }
}

TEST_F(CupsPrintTest, QtsDialogOpensOnTheCurrentPrinter)
{
    setPrintDialogFunction(PrintDialogFunction());  // Qt's own dialog
    const QString file = dir.filePath(QStringLiteral("chosen before.pdf"));
    struct Row { QString start; QString shown; };
    const Row rows[] = {
        {Office2, Office2},
        {QString(), QPrintDialog::tr("Print to File (PDF)")},  // the file chosen before
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.shown.toStdString());
        resetCurrentPrinter();
        if (r.start.isEmpty())
            currentPrinter().setOutputFileName(file);
        else
            currentPrinter().setPrinterName(r.start);
        // The user looks at the open dialog and accepts it as it is.
        QString shown, shownFile;
        QTimer::singleShot(300, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = dialog->findChild<QComboBox *>(QStringLiteral("printers"))->currentText();
            shownFile = dialog->findChild<QLineEdit *>(QStringLiteral("filename"))->text();
            dialog->accept();
        });
        PrinterRecords records;
        const QString chosen = ShowPrinterDialog(nullptr, records.dialog, records.devMode);
        EXPECT_EQ(shown, r.shown);
        if (r.start.isEmpty()) {
            EXPECT_EQ(shownFile, file);
            EXPECT_EQ(chosen, QStringLiteral("PRINT TO FILE (PDF)"));
            EXPECT_EQ(currentPrinter().outputFileName(), file);
        } else {
            EXPECT_EQ(chosen, r.start.toUpper());
            EXPECT_EQ(currentPrinter().printerName(), r.start);
        }
    }
}

TEST_F(CupsPrintTest, PosterPrintedFromTheWindowArrivesOnTheChosenQueue)
{
    QFile::remove(QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName());
    test::MessageCapture messages;
    frmMain window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // Office_2 is current first; choosing Office prints on Office.
    currentPrinter().setPrinterName(Office2);
    chosen = Office;
    window.findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Are you sure you want to print the  6 pages?"));
    ASSERT_TRUE(waitForIdleQueues());
    const QStringList onOffice = newOutput(Office);
    ASSERT_EQ(onOffice.size(), 1) << "one job on Office";
    EXPECT_EQ(test::pdfPageCount(onOffice[0]), 6);
    EXPECT_TRUE(newOutput(Office2).isEmpty()) << "nothing on the other queue";

    // Page 2 alone, on Office_2.
    chosen = Office2;
    window.PrintNow(2);
    EXPECT_EQ(messages.messages().back().text, QStringLiteral("Are you sure you want to print the  1 pages?"));
    ASSERT_TRUE(waitForIdleQueues());
    const QStringList onOffice2 = newOutput(Office2);
    ASSERT_EQ(onOffice2.size(), 1);
    EXPECT_EQ(test::pdfPageCount(onOffice2[0]), 1);
    EXPECT_EQ(newOutput(Office).size(), 1);
}

TEST_F(CupsPrintTest, JobBrokenOffByAnErrorNeverReachesTheQueue)
{
    currentPrinter().setPrinterName(Office);
    const int jobs = jobsEverQueued(Office);
    const QImage page(400, 566, QImage::Format_RGB32);
    PrintJob job(currentPrinter());
    EXPECT_THROW(job.run({1, 4},
                         [&](std::int16_t number) {
                             if (number == 3)
                                 plakatron::raise(err::OutOfMemory);
                             job.PrintPageImage(page);
                         }),
                 RuntimeError);
    EXPECT_EQ(jobsEverQueued(Office), jobs) << "the aborted document made no job";
    ASSERT_TRUE(waitForIdleQueues());
    EXPECT_TRUE(newOutput(Office).isEmpty());

    // The queue takes the next whole job as usual.
    PrintJob next(currentPrinter());
    next.run({1, 2}, [&](std::int16_t) { next.PrintPageImage(page); });
    ASSERT_TRUE(waitForIdleQueues());
    const QStringList files = newOutput(Office);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(test::pdfPageCount(files[0]), 2);
}
