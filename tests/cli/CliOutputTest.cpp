// plakatron-cli's output files in the way of harm: full disks, names that are not regular files,
// posters with more pages than a print job can number, and stop signals in the middle of a job.
// Whatever happens, a file is replaced only by a whole new one, or left exactly as it was.
#include "support/CliRunner.h"
#include "support/PdfTools.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace plakatron::test;

namespace {



// Every name in `folder`, hidden ones included, with what it is: "a.pdf link.pdf->a.pdf fifo|".
std::string listing(const QString &folder)
{
    QStringList names;
    for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                         QDir::Name)) {
        if (f.isSymLink())
            names << f.fileName() + QStringLiteral("->") + QFileInfo(f.symLinkTarget()).fileName();
        else if (f.isDir())
            names << f.fileName() + u'/';
        else if (!f.isFile())
            names << f.fileName() + u'|';
        else
            names << f.fileName();
    }
    return names.join(u' ').toStdString();
}

// The end of a tool's stderr, for failure messages: progress lines are many.
std::string tail(const QByteArray &err) { return err.right(300).toStdString(); }

}  // namespace

TEST(CliOutput, AFullDiskLeavesTheOldFileAndSaysWhy)
{
    SmallDisk disk(2);
    PLAKATRON_REQUIRE_SMALL_DISK(disk);
    // 50 pages (about 2.1 MB) onto a 2 MB disk; a page PNG (about 140 KB) with
    // 40 KB left; a disk already full; each over an old file and as a new name.
    const struct { const char *arguments; qint64 left; bool old; } rows[] = {
        {"print --sheets 10 -o %1/poster.pdf", 2 << 20, true},
        {"print --sheets 10 -o %1/poster.pdf", 2 << 20, false},
        {"print --page 1 -o %1/poster.pdf", 0, true},
        {"page --page 1 -o %1/poster.png", 40 << 10, true},
        {"page --page 1 -o %1/poster.png", 0, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.arguments << ", " << r.left << " bytes free, old file " << r.old);
        QDir(disk.path()).removeRecursively();
        const QString out = disk.filePath(QString::fromLatin1(r.arguments).section(u'/', -1));
        if (r.old)
            writeFile(out, "the old poster");
        disk.fill(r.left);
        const std::string before = listing(disk.path());
        const CliRun run = runCli(words(r.arguments, disk.path()));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("No space left on device")) << tail(run.err);
        EXPECT_FALSE(run.err.contains("printed ")) << tail(run.err);
        EXPECT_EQ(listing(disk.path()), before) << "no temporary file left";
        if (r.old) {
            EXPECT_EQ(contentOf(out), QByteArray("the old poster"));
        }
        disk.empty();
    }
}

TEST(CliOutput, PagesBeyond16BitsAreRefusedBeforeAnythingIsWritten)
{
    // 400 x 16000 pixels at 40 sheets and 10 pixels a sheet: 40 columns, 1132 rows, 45280 pages.
    QTemporaryDir dir;
    QImage tall(400, 16000, QImage::Format_RGB32);
    tall.fill(Qt::darkGreen);
    ASSERT_TRUE(tall.save(dir.filePath(QStringLiteral("tall.jpg"))));
    const QString poster = QStringLiteral(" --picture %1/tall.jpg --sheets 40 --resolution 10");
    const struct { const char *arguments; int exitCode; const char *mentions; int pages; } rows[] = {
        {"print -o %1/out.pdf", 2, "45280 pages", -1},
        {"print -o %1/out.pdf --pages 40000-40001", 2, "40000-40001", -1},
        {"print -o %1/out.pdf --pages 32767-32768", 2, "32768", -1},
        {"print -o %1/out.pdf --page 40000", 2, "--page", -1},
        {"page --page 32768 -o %1/out.png", 2, "--page", -1},
        // The pages within 16 bits of such a poster print.
        {"print -o %1/out.pdf --pages 32766-32767", 0, "printed 2 pages", 2},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments);
        QFile::remove(dir.filePath(QStringLiteral("out.pdf")));
        const CliRun run = runCli(words(r.arguments, dir.path()) + words(qPrintable(poster), dir.path()));
        EXPECT_EQ(run.exitCode, r.exitCode);
        EXPECT_TRUE(run.err.contains(r.mentions)) << tail(run.err);
        if (r.exitCode != 0) {
            EXPECT_EQ(listing(dir.path()), "tall.jpg") << "nothing written";
        }
        EXPECT_EQ(pdfPageCount(dir.filePath(QStringLiteral("out.pdf"))), r.pages);
    }
}

TEST(CliOutput, OnlyRegularFilesAreWrittenAndLinksLeadToTheFileTheyName)
{
    QTemporaryDir dir;
    const bool root = ::geteuid() == 0;
    enum Kind { Fifo, Device, LinkToDevice, ReadOnly, Folder, LinkToFile, DanglingLink, LinkLoop, LongName, NoFolder };
    const struct { Kind kind; const char *name; int exitCode; const char *mentions; } rows[] = {
        {Fifo, "fifo", 1, "Not a regular file"},
        {Device, "device", 1, "Not a regular file"},
        {LinkToDevice, "null", 1, "Not a regular file"},
        {ReadOnly, "read-only", 1, "Permission denied"},
        {Folder, "folder", 1, "Is a directory"},
        {LinkToFile, "link", 0, ""},
        {DanglingLink, "dangling", 0, ""},
        {LinkLoop, "loop", 1, "Too many levels of symbolic links"},
        {LongName, "", 1, "File name too long"},
        {NoFolder, "missing/out", 1, "No such file or directory"},
    };
    for (const char *verb : {"print --page 1 -o", "page --page 1 -o"}) {
        const QString suffix = QLatin1String(verb).startsWith(QLatin1String("print")) ? QStringLiteral(".pdf")
                                                                                      : QStringLiteral(".png");
        for (const auto &r : rows) {
            SCOPED_TRACE(testing::Message() << verb << " " << r.name);
            QDir(dir.path()).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(dir.path()));
            const QString name = r.kind == LongName ? QString(300, u'x') : QString::fromLatin1(r.name);
            const QString out = dir.filePath(name + suffix);
            const QByteArray path = QFile::encodeName(out);
            const QString target = dir.filePath(QStringLiteral("target") + suffix);
            switch (r.kind) {
            case Fifo: ASSERT_EQ(::mkfifo(path.constData(), 0644), 0); break;
            case Device:
                if (!root)
                    continue;  // only root makes device nodes
                ASSERT_EQ(::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3)), 0);  // a null device
                break;
            case LinkToDevice:
                // A node of the test's own: a tool that wrote through the link must not replace the
                // machine's /dev/null.
                if (!root)
                    continue;
                ASSERT_EQ(::mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
                ASSERT_TRUE(QFile::link(target, out));
                break;
            case ReadOnly:
                writeFile(out, "kept");
                ASSERT_TRUE(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
                break;
            case Folder: ASSERT_TRUE(QDir().mkpath(out)); break;
            case LinkToFile:
                writeFile(target, "old");
                ASSERT_EQ(::symlink(qPrintable(QStringLiteral("target") + suffix), path.constData()), 0);  // relative
                break;
            case DanglingLink: ASSERT_TRUE(QFile::link(target, out)); break;
            case LinkLoop: ASSERT_TRUE(QFile::link(out, out)); break;
            case LongName:
            case NoFolder: break;
            }
            const std::string before = listing(dir.path());
            const CliRun run = runCli(words(verb) << out);
            EXPECT_EQ(run.exitCode, r.exitCode) << tail(run.err);
            EXPECT_TRUE(run.err.contains(r.mentions)) << tail(run.err);
            EXPECT_FALSE(run.err.contains("printing page") && r.exitCode != 0) << "refused before any page";
            if (r.kind == LinkToFile || r.kind == DanglingLink) {
                // The link stays; the file it names is the new page or poster.
                EXPECT_EQ(QFileInfo(out).symLinkTarget(), target);
                EXPECT_TRUE(suffix == QLatin1String(".pdf") ? pdfPageCount(target) == 1 : !QImage(target).isNull());
                EXPECT_EQ(QString::fromStdString(listing(dir.path())).count(u' '), 1) << "the link and its file";
            } else {
                EXPECT_EQ(listing(dir.path()), before);
            }
            if (r.kind == ReadOnly) {
                EXPECT_EQ(contentOf(out), QByteArray("kept"));
            }
        }
    }
}

TEST(CliOutput, AStopSignalEndsTheJobAndLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("poster.pdf"));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        QDir(dir.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.path()));
        writeFile(out, "the old poster");
        const std::string before = listing(dir.path());
        // 40 sheets across at 1400 pixels: over a thousand pages, far more than the test waits for.
        QProcess cli;
        cli.setReadChannel(QProcess::StandardError);
        cli.start(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron-cli"),
                  words("print --sheets 40 --resolution 1400 -o") << out);
        QByteArray err;
        while (!err.contains("printing page 3 of") && cli.waitForReadyRead(60000))
            err += cli.readAllStandardError();
        ASSERT_TRUE(err.contains("printing page 3 of")) << tail(err);
        ASSERT_EQ(::kill(pid_t(cli.processId()), signal), 0);
        ASSERT_TRUE(cli.waitForFinished(60000));
        err += cli.readAllStandardError();
        // Ended by the signal itself, as the shell expects, once the temporary file was gone.
        EXPECT_EQ(cli.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(cli.exitCode(), signal);
        EXPECT_TRUE(err.contains("stopped")) << tail(err);
        EXPECT_FALSE(err.contains("printing page 100 of")) << "stopped between pages, not at the end";
        EXPECT_EQ(listing(dir.path()), before);
        EXPECT_EQ(contentOf(out), QByteArray("the old poster"));
    }
}
