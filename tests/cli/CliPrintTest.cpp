// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-cli print: the real binary printing to PDF files (checked with poppler-utils) and to the
// queues of the private CUPS server that tools/test-cups starts.
#include "cli/PrintCommand.h"
#include "support/CliRunner.h"
#include "support/PdfTools.h"
#include "support/TestCups.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

using namespace plakatron;
using namespace plakatron::test;

TEST(CliPrint, APosterBecomesOneA4SheetPerPageWhateverTheStoredSettings)
{
    // Stored choices of 1 sheet at 10 pixels would change every poster if the tool read them.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Plakatron")));
    writeFile(dir.filePath(QStringLiteral("Plakatron/Plakatron.ini")), "[General]\nPW=0\nResX=0\nOverlap=50\n");
    writePicture(dir.filePath(QStringLiteral("tall.jpg")), {400, 16000});
    const QFileInfo printerFile(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/printer.dat"));
    const QDateTime printerFileTime = printerFile.exists() ? printerFile.lastModified() : QDateTime();

    const QString out = dir.filePath(QStringLiteral("poster.pdf"));
    // Each sheet carries the page as the window prints it: 800 x 1131 and its 20-pixel hint
    // margins; at 300 pixels and below there are no hints and so no margins. The assembly map
    // comes first, on a sheet of its own.
    const struct { const char *options; int pages; QSize image; bool map = false; } rows[] = {
        {"", 6, {820, 1151}},
        {"--page 5", 1, {820, 1151}},
        {"--pages 2-4", 3, {820, 1151}},
        {"--sheets 1 --resolution 300", 1, {300, 424}},
        // The last pages a job can number of a poster of 45280.
        {"--pages 32766-32767 --picture %1/tall.jpg --sheets 40 --resolution 10", 2, {10, 14}},
        {"--with-map", 6, {820, 1151}, true},
        {"--with-map --pages 2-4", 3, {820, 1151}, true},
        {"--with-map --page 5", 1, {820, 1151}, true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.options);
        QFile::remove(out);
        const CliRun run = runCli(words("print -o %1", out) + words(r.options, dir.path()),
                                  {QStringLiteral("XDG_CONFIG_HOME=") + dir.path()});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const int sheets = r.pages + int(r.map);
        ASSERT_EQ(pdfPageCount(out), sheets);
        EXPECT_EQ(pdfPageSize(out).toSize(), QSize(595, 842));  // A4 in points
        const std::vector<PdfImage> images = pdfImages(out);
        ASSERT_EQ(int(images.size()), sheets) << "one picture per sheet";
        if (r.map) {
            // The whole poster's numbers and its caption, over the map's own picture.
            const QString map = pdfText(out, 1);
            EXPECT_TRUE(map.contains(QStringLiteral("6 pages, overlap 3 %"))) << map.toStdString();
            EXPECT_NEAR(images[0].xPpi, 300, 1) << "the map's picture";
            EXPECT_TRUE(run.err.startsWith("printing the assembly map\n")) << run.err.toStdString();
        }
        for (int i = int(r.map); i < sheets; ++i) {
            EXPECT_EQ(std::tuple(images[i].page, images[i].width, images[i].height),
                      std::tuple(i + 1, r.image.width(), r.image.height()));
            EXPECT_TRUE(pdfText(out, i + 1).trimmed().isEmpty()) << "sheet " << i + 1;
        }
        // Not a terminal here: one plain progress line per page, then the summary.
        EXPECT_EQ(run.err.count("printing page "), r.pages);
        EXPECT_TRUE(run.err.contains(QStringLiteral("printed %1 page").arg(r.pages).toUtf8())) << run.err.toStdString();
        EXPECT_EQ(run.err.contains(" and the assembly map in "), r.map) << run.err.toStdString();
    }
    const QFileInfo after(printerFile.filePath());
    EXPECT_EQ(after.exists() ? after.lastModified() : QDateTime(), printerFileTime);
}

// Cells are cut whole, so on a tall or narrow picture the cut runs ahead of the grid and the last
// rows take nothing of the picture: those pages are left out of the job and the tool says how many.
// The layout counts them too. (Which pages of which pictures: the print loop's own table.)
TEST(CliPrint, PagesThatHoldNothingOfThePictureAreLeftOutAndCounted)
{
    QTemporaryDir dir;
    for (const QSize size : {QSize(100, 1000), QSize(3000, 2000)})
        writePicture(dir.filePath(QStringLiteral("%1x%2.png").arg(size.width()).arg(size.height())), size);
    const QString out = dir.filePath(QStringLiteral("poster.pdf"));
    const struct { const char *options; int exitCode, sheets, withoutPicture; const char *said; } rows[] = {
        {"--picture %1/100x1000.png --sheets 40", 0, 670, 40, "40 pages hold nothing of the picture and are not printed.\n"},
        {"--picture %1/100x1000.png --sheets 40 --pages 665-675", 0, 6, 40,
         "5 pages hold nothing of the picture and are not printed.\n"},
        {"--picture %1/100x1000.png --sheets 40 --page 700", 2, 0, 40,
         "plakatron-cli: page 700 holds nothing of the picture: nothing was printed\n"},
        {"--picture %1/100x1000.png --sheets 40 --pages 671-710 --with-map", 2, 0, 40,
         "plakatron-cli: pages 671 to 710 hold nothing of the picture: nothing was printed\n"},
        {"--picture %1/3000x2000.png --sheets 3", 0, 6, 0, nullptr},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.options);
        QFile::remove(out);
        // Small pages: which pages hold something of the picture does not depend on their pixels.
        const CliRun run = runCli(words("print -o %1 --resolution 50", out) + words(r.options, dir.path()));
        ASSERT_EQ(run.exitCode, r.exitCode) << run.err.toStdString();
        if (r.said)
            EXPECT_TRUE(run.err.endsWith(r.said)) << run.err.toStdString();
        else
            EXPECT_FALSE(run.err.contains("nothing of the picture")) << run.err.toStdString();
        if (r.exitCode != 0) {
            EXPECT_FALSE(QFile::exists(out));
        } else {
            EXPECT_TRUE(run.err.contains(QStringLiteral("printed %1 pages in").arg(r.sheets).toUtf8())) << run.err.toStdString();
            EXPECT_EQ(run.err.count("printing page "), r.sheets);
            EXPECT_EQ(pdfPageCount(out), r.sheets);
        }
        QStringList layout = words("layout") + words(r.options, dir.path());
        layout = layout.mid(0, layout.indexOf(QRegularExpression(QStringLiteral("--page.*|--with-map"))));
        const CliRun laidOut = runCli(layout);
        ASSERT_EQ(laidOut.exitCode, 0) << laidOut.err.toStdString();
        EXPECT_EQ(QJsonDocument::fromJson(laidOut.out).object()[QStringLiteral("pagesWithoutPicture")].toInt(-1), r.withoutPicture);
    }
}

TEST(CliPrint, APrinterQueueReceivesTheJob)
{
    PLAKATRON_REQUIRE_TEST_CUPS();
    const CliRun list = runCli(words("print --list-printers"));
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_TRUE(list.out.split('\n').contains("Office_2")) << list.out.toStdString();

    const QStringList before = queueOutput();
    const CliRun run = runCli(words("print --printer Office_2 --pages 2-4"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList files = queueOutput();
    for (const QString &file : before)
        files.removeOne(file);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].contains(QStringLiteral("/Office_2/"))) << files[0].toStdString();
    EXPECT_EQ(pdfPageCount(files[0]), 3);
}

// A signal while page 3 of over a thousand is printed (40 sheets across at 1400 pixels) ends the
// tool between pages, as the shell expects, once the half-written job is gone.
TEST(CliPrint, AStopSignalLeavesTheOldFileAndNothingQueued)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("poster.pdf"));
    const struct { int signal; bool queue; } rows[] = {
        {SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGINT, true}, {SIGTERM, true},
    };
    std::optional<QStringList> queued;
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << strsignal(r.signal) << (r.queue ? " on a queue" : " to a file"));
        if (r.queue && !queued) {
            PLAKATRON_REQUIRE_TEST_CUPS();
            queued = queueOutput();
        }
        writeFile(out, "the old poster");
        const std::string before = listing(dir.path());
        QProcess cli;
        cli.setReadChannel(QProcess::StandardError);
        cli.start(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron-cli"),
                  words("print --sheets 40 --resolution 1400") + (r.queue ? words("--printer Office") : words("-o %1", out)));
        QByteArray err;
        while (!err.contains("printing page 3 of") && cli.waitForReadyRead(60000))
            err += cli.readAllStandardError();
        ASSERT_TRUE(err.contains("printing page 3 of")) << err.right(300).toStdString();
        ASSERT_EQ(::kill(pid_t(cli.processId()), r.signal), 0);
        ASSERT_TRUE(cli.waitForFinished(60000));
        err += cli.readAllStandardError();
        EXPECT_EQ(std::tuple(cli.exitStatus(), cli.exitCode()), std::tuple(QProcess::CrashExit, r.signal));
        EXPECT_TRUE(err.contains(r.queue ? "nothing was printed" : "the PDF file was not written")) << err.right(300).toStdString();
        EXPECT_FALSE(err.contains("printing page 100 of")) << "stopped between pages, not at the end";
        EXPECT_EQ(listing(dir.path()), before);
        EXPECT_EQ(contentOf(out), QByteArray("the old poster"));
    }
    // No job waits on the server and none arrived.
    QThread::msleep(1000);
    EXPECT_EQ(queueOutput(), *queued);
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
    // Numbers of any length are pages, those beyond int the largest.
    EXPECT_TRUE(cli::parsePageRange(QStringLiteral("1-99999999999999999999"), first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(1, std::numeric_limits<int>::max()));
    for (const char *bad : {"0-3", "3", "a-b", "2-", "5-2"})
        EXPECT_FALSE(cli::parsePageRange(QString::fromLatin1(bad), first, last)) << bad;
}

// A poster written to a PDF file asks no print server for anything: a server that hangs up on
// every caller hears nothing from `print -o`, `map -o` and `calibrate -o`, and hears the tool that
// looks for a printer.
TEST(CliPrint, APdfFileAsksNoPrintServer)
{
    QTemporaryDir dir;
    QLocalServer server;
    const QString socket = dir.filePath(QStringLiteral("cups.sock"));
    ASSERT_TRUE(server.listen(socket));
    const struct {
        const char *arguments;
        bool asks;
    } rows[] = {
        {"print --sheets 3 -o %1/poster.pdf", false},
        {"map --sheets 3 -o %1/map.pdf", false},
        {"calibrate --paper A3 -o %1/calibration.pdf", false},
        {"print --sheets 3 --printer nowhere", true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments);
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CUPS_SERVER"), socket);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron-cli"), words(r.arguments, dir.path()));
        ASSERT_TRUE(tool.waitForStarted());
        int heard = 0;
        // Each caller is hung up on at once, so a tool that asks goes on without an answer.
        while (!tool.waitForFinished(20))
            while (server.waitForNewConnection(0) && server.hasPendingConnections()) {
                delete server.nextPendingConnection();
                ++heard;
            }
        while (server.waitForNewConnection(0) && server.hasPendingConnections()) {
            delete server.nextPendingConnection();
            ++heard;
        }
        EXPECT_EQ(tool.exitCode(), r.asks ? 2 : 0) << tool.readAllStandardError().constData();
        EXPECT_EQ(heard > 0, r.asks);
    }
}
