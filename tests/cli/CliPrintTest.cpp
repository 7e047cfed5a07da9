// plakatron-cli print: the real binary printing to PDF files (checked with poppler-utils) and to a
// queue of the private CUPS server that tools/test-cups starts.
#include "support/CliRunner.h"
#include "cli/PrintCommand.h"
#include "support/PdfTools.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/types.h>

using namespace plakatron;
using namespace plakatron::test;

TEST(CliPrint, APosterBecomesOneA4SheetPerPageWhateverTheStoredSettings)
{
    // Stored choices of 1 sheet at 10 pixels would change every poster if the tool read them.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Plakatron")));
    QFile settings(dir.filePath(QStringLiteral("Plakatron/Plakatron.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[General]\nPW=0\nResX=0\nOverlap=50\n");
    settings.close();
    const QFileInfo printerFile(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/printer.dat"));
    const QDateTime printerFileTime = printerFile.exists() ? printerFile.lastModified() : QDateTime();

    const QString out = dir.filePath(QStringLiteral("poster.pdf"));
    // Each sheet carries the page as the window prints it: 800 x 1131 and its 20-pixel hint
    // margins; at 300 pixels and below there are no hints and so no margins.
    const struct { const char *options; int pages; QSize image; } rows[] = {
        {"", 6, {820, 1151}},
        {"--page 5", 1, {820, 1151}},
        {"--pages 2-4", 3, {820, 1151}},
        {"--sheets 1 --resolution 300", 1, {300, 424}},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.options);
        QFile::remove(out);
        const CliRun run = runCli(words("print -o %1", out) + words(r.options),
                                  {QStringLiteral("XDG_CONFIG_HOME=") + dir.path()});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(pdfPageCount(out), r.pages);
        EXPECT_EQ(pdfPageSize(out).toSize(), QSize(595, 842));  // A4 in points
        const std::vector<PdfImage> images = pdfImages(out);
        EXPECT_EQ(int(images.size()), r.pages) << "one page picture per sheet";
        for (const PdfImage &image : images)
            EXPECT_EQ(QSize(image.width, image.height), r.image);
        // Not a terminal here: one plain progress line per page, then the summary.
        EXPECT_EQ(run.err.count("printing page "), r.pages);
        EXPECT_TRUE(run.err.contains("printed ")) << run.err.toStdString();
    }
    const QFileInfo after(printerFile.filePath());
    EXPECT_EQ(after.exists() ? after.lastModified() : QDateTime(), printerFileTime);
}

// Skips a test that needs the private CUPS server of tools/test-cups where there is none (fails
// where PLAKATRON_REQUIRE_CUPS=1 asks for one).
#define PLAKATRON_REQUIRE_TEST_CUPS(out)                                                                        \
    const QString out = qEnvironmentVariable("PLAKATRON_TEST_CUPS_OUT");                                         \
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || out.isEmpty()) {                                           \
        if (qEnvironmentVariable("PLAKATRON_REQUIRE_CUPS") == QLatin1String("1"))                                \
            FAIL() << "no test CUPS server";                                                                     \
        GTEST_SKIP() << "no test CUPS server (run the tests through tools/test-cups, as tools/dev test does)"; \
    }

TEST(CliPrint, APrinterQueueReceivesTheJob)
{
    PLAKATRON_REQUIRE_TEST_CUPS(out);
    const CliRun list = runCli(words("print --list-printers"));
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_TRUE(list.out.split('\n').contains("Office_2")) << list.out.toStdString();

    const QDir queue(out + QStringLiteral("/Office_2"));
    const QStringList before = queue.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    const CliRun run = runCli(words("print --printer Office_2 --pages 2-4"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The job arrives when cups-pdf has written all of it.
    int pages = -1;
    for (QDeadlineTimer deadline(90000); pages != 3 && !deadline.hasExpired(); QThread::msleep(200))
        for (const QString &name : queue.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            if (!before.contains(name))
                pages = pdfPageCount(queue.filePath(name));
    EXPECT_EQ(pages, 3);
}

TEST(CliPrint, AStopSignalLeavesNothingQueued)
{
    PLAKATRON_REQUIRE_TEST_CUPS(out);
    const QDir queue(out + QStringLiteral("/Office"));
    const QStringList before = queue.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        // Over a thousand pages, far more than the test waits for.
        QProcess cli;
        cli.setReadChannel(QProcess::StandardError);
        cli.start(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron-cli"),
                  words("print --printer Office --sheets 40 --resolution 1400"));
        QByteArray err;
        while (!err.contains("printing page 3 of") && cli.waitForReadyRead(60000))
            err += cli.readAllStandardError();
        ASSERT_TRUE(err.contains("printing page 3 of")) << err.toStdString();
        ASSERT_EQ(::kill(pid_t(cli.processId()), signal), 0);
        ASSERT_TRUE(cli.waitForFinished(60000));
        err += cli.readAllStandardError();
        EXPECT_EQ(std::tuple(cli.exitStatus(), cli.exitCode()), std::tuple(QProcess::CrashExit, signal));
        EXPECT_TRUE(err.contains("nothing was printed")) << err.toStdString();
    }
    // No job waits on the server and none arrived.
    for (QDeadlineTimer deadline(30000); !deadline.hasExpired(); QThread::msleep(200)) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
        if (lpstat.waitForFinished(30000) && lpstat.readAllStandardOutput().trimmed().isEmpty())
            break;
    }
    QThread::msleep(1000);
    EXPECT_EQ(queue.entryList({QStringLiteral("*.pdf")}, QDir::Files), before);
}

TEST(CliProgress, BarAndPageRanges)
{
    using namespace std::chrono_literals;
    EXPECT_EQ(cli::progressBar(1, 6, 0.0s, 12), QStringLiteral("[------------] page 1 of 6, 0.0 s elapsed"));
    EXPECT_EQ(cli::progressBar(3, 6, 0.4s, 12),
              QStringLiteral("[####--------] page 3 of 6, 0.4 s elapsed, about 0.8 s left"));
    int first = 0, last = 0;
    EXPECT_TRUE(cli::parsePageRange(QStringLiteral("2-4"), first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(2, 4));
    for (const char *bad : {"0-3", "3", "a-b", "2-", "1-99999999"})
        EXPECT_FALSE(cli::parsePageRange(QString::fromLatin1(bad), first, last)) << bad;
}
