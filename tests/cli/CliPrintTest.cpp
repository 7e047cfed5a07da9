// plakatron-cli print: the real binary printing to PDF files (checked with poppler-utils) and to a
// queue of the private CUPS server that tools/test-cups starts.
#include "cli/CliRunner.h"
#include "cli/PrintCommand.h"
#include "support/PdfTools.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

class CliPrint : public ::testing::Test {
protected:
    QString pdf(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(CliPrint, APosterBecomesOneA4SheetPerPage)
{
    struct Row { QStringList options; int pages; };
    const Row rows[] = {
        {{}, 6},
        {{QStringLiteral("--page"), QStringLiteral("5")}, 1},
        {{QStringLiteral("--pages"), QStringLiteral("2-4")}, 3},
        {{QStringLiteral("--sheets"), QStringLiteral("1"), QStringLiteral("--resolution"), QStringLiteral("300")}, 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.options.join(u' ').toStdString());
        const QString out = pdf(QStringLiteral("poster.pdf"));
        QFile::remove(out);
        const CliRun run = runCli(QStringList{QStringLiteral("print"), QStringLiteral("-o"), out} + r.options);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(pdfPageCount(out), r.pages);
        const QSizeF size = pdfPageSize(out);
        EXPECT_NEAR(size.width(), 595.3, 1);
        EXPECT_NEAR(size.height(), 841.9, 1);
        EXPECT_EQ(int(pdfImages(out).size()), r.pages) << "one page picture per sheet";
        // Not a terminal here: one plain progress line per page, then the summary.
        EXPECT_EQ(run.err.count("printing page "), r.pages);
        EXPECT_TRUE(run.err.contains("printed ")) << run.err.toStdString();
    }
    // Every sheet carries the page as the window prints it: 820 x 1151 with its margins.
    const CliRun run = runCli({QStringLiteral("print"), QStringLiteral("-o"), pdf(QStringLiteral("all.pdf"))});
    ASSERT_EQ(run.exitCode, 0);
    for (const PdfImage &image : pdfImages(pdf(QStringLiteral("all.pdf"))))
        EXPECT_EQ(QSize(image.width, image.height), QSize(820, 1151));
}

TEST_F(CliPrint, BadRequestsFailWithoutLeavingAFile)
{
    struct Row { QStringList arguments; int exitCode; const char *mentions; };
    const QString out = pdf(QStringLiteral("out.pdf"));
    const Row rows[] = {
        {{QStringLiteral("-o"), out, QStringLiteral("--page"), QStringLiteral("7")}, 2, "page 7"},
        {{QStringLiteral("-o"), out, QStringLiteral("--pages"), QStringLiteral("4-2")}, 2, "--pages"},
        {{QStringLiteral("-o"), out, QStringLiteral("--pages"), QStringLiteral("5-9")}, 2, "page 9"},
        {{QStringLiteral("-o"), out, QStringLiteral("--page"), QStringLiteral("1"), QStringLiteral("--pages"), QStringLiteral("1-2")},
         2, "either"},
        {{}, 2, "-o FILE.pdf or --printer"},
        {{QStringLiteral("-o"), out, QStringLiteral("--printer"), QStringLiteral("Office")}, 2, "either"},
        {{QStringLiteral("--printer"), QStringLiteral("No Such Printer")}, 2, "No Such Printer"},
        {{QStringLiteral("-o"), pdf(QStringLiteral("missing/out.pdf"))}, 1, "missing/out.pdf"},
        {{QStringLiteral("-o"), out, QStringLiteral("--picture"), pdf(QStringLiteral("none.jpg"))}, 1, "File not found"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        const CliRun run = runCli(QStringList{QStringLiteral("print")} + r.arguments);
        EXPECT_EQ(run.exitCode, r.exitCode);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(r.mentions)) << run.err.toStdString();
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "nothing written";
    }
}

TEST_F(CliPrint, APrinterQueueReceivesTheJob)
{
    const QString out = qEnvironmentVariable("PLAKATRON_TEST_CUPS_OUT");
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || out.isEmpty()) {
        if (qEnvironmentVariable("PLAKATRON_REQUIRE_CUPS") == QLatin1String("1"))
            FAIL() << "no test CUPS server";
        GTEST_SKIP() << "no test CUPS server (run the tests through tools/test-cups, as tools/dev test does)";
    }
    const CliRun list = runCli({QStringLiteral("print"), QStringLiteral("--list-printers")});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_TRUE(list.out.split('\n').contains("Office_2")) << list.out.toStdString();

    const QDir queue(out + QStringLiteral("/Office_2"));
    const QStringList before = queue.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    const CliRun run = runCli({QStringLiteral("print"), QStringLiteral("--printer"), QStringLiteral("Office_2"),
                               QStringLiteral("--pages"), QStringLiteral("2-4")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QString arrived;
    for (QDeadlineTimer deadline(60000); arrived.isEmpty() && !deadline.hasExpired(); QThread::msleep(200))
        for (const QString &name : queue.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            if (!before.contains(name))
                arrived = queue.filePath(name);
    ASSERT_FALSE(arrived.isEmpty()) << "no job arrived on Office_2";
    int pages = -1;
    // cups-pdf may still be writing the file.
    for (QDeadlineTimer deadline(30000); pages != 3 && !deadline.hasExpired(); QThread::msleep(200))
        pages = pdfPageCount(arrived);
    EXPECT_EQ(pages, 3);
}

TEST(CliProgress, BarAndPageRanges)
{
    using namespace std::chrono_literals;
    EXPECT_EQ(cli::progressBar(1, 6, 0.0s, 12), QStringLiteral("[------------] page 1 of 6, 0.0 s elapsed"));
    EXPECT_EQ(cli::progressBar(3, 6, 0.4s, 12),
              QStringLiteral("[####--------] page 3 of 6, 0.4 s elapsed, about 0.8 s left"));
    EXPECT_EQ(cli::progressBar(6, 6, 1.0s, 12), QStringLiteral("[##########--] page 6 of 6, 1.0 s elapsed, about 0.2 s left"));
    int first = 0, last = 0;
    EXPECT_TRUE(cli::parsePageRange(QStringLiteral("2-4"), first, last));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 4);
    for (const char *bad : {"4-2", "0-3", "3", "a-b", "2-", "-2", "1-99999999"})
        EXPECT_FALSE(cli::parsePageRange(QString::fromLatin1(bad), first, last)) << bad;
}

TEST_F(CliPrint, ReadsNoSettingsAndWritesNoPrinterFile)
{
    // A stored choice of 1 sheet would change the poster if the tool read it.
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/.config/Plakatron")));
    QFile settings(home + QStringLiteral("/.config/Plakatron/Plakatron.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[General]\nPW=0\nResX=0\nOverlap=50\n");
    settings.close();
    const QFileInfo printerFile(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/printer.dat"));
    const QDateTime before = printerFile.exists() ? printerFile.lastModified() : QDateTime();

    const CliRun run = runCli({QStringLiteral("print"), QStringLiteral("-o"), pdf(QStringLiteral("p.pdf"))},
                              {QStringLiteral("HOME=") + home, QStringLiteral("XDG_CONFIG_HOME=") + home + QStringLiteral("/.config")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(pdfPageCount(pdf(QStringLiteral("p.pdf"))), 6);
    QFileInfo after(printerFile.filePath());
    EXPECT_EQ(after.exists() ? after.lastModified() : QDateTime(), before);
}
