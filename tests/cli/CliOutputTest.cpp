// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-cli's output files in the way of harm: a full disk and a name that is no regular file
// show their reason and leave the old file (what a file may replace: OutputFileTest), a link leads
// to the file it names; names are their own bytes; temporary files of killed runs go.
#include "support/CliRunner.h"
#include "support/PdfTools.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plakatron::test;

namespace {
// The end of a tool's stderr, for failure messages: progress lines are many.
std::string tail(const QByteArray &err) { return err.right(300).toStdString(); }
}  // namespace

TEST(CliOutput, AFullDiskLeavesTheOldFileAndSaysWhy)
{
    SmallDisk disk(1);
    PLAKATRON_REQUIRE_SMALL_DISK(disk);
    // A poster's PDF onto a full disk, a page PNG (about 140 KB) with 40 KB left, each over an old
    // file (a PDF that does not fit: PrintJob's test; a full disk: OutputFile's).
    const struct { const char *arguments; qint64 left; bool old; } rows[] = {
        {"print --page 1 -o %1/poster.pdf", 0, true},
        {"page --page 1 -o %1/poster.png", 40 << 10, true},
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

TEST(CliOutput, ANameThatIsNoRegularFileIsRefusedAndALinkLeadsToTheFileItNames)
{
    QTemporaryDir dir;
    // Each row makes what is in the way at `out` (using `target` where it needs a second name).
    using Make = std::function<bool(const QString &out, const QString &target)>;
    const struct { QString name; Make make; int exitCode; const char *mentions; } rows[] = {
        {"fifo", [](auto &out, auto &) { return ::mkfifo(QFile::encodeName(out).constData(), 0644) == 0; }, 1, "Not a regular file"},
        {"link", [](auto &out, auto &target) {  // a relative link
             writeFile(target, "old");
             return ::symlink(QFile::encodeName(QFileInfo(target).fileName()).constData(), QFile::encodeName(out).constData()) == 0;
         }, 0, ""},
    };
    for (const char *suffix : {".pdf", ".png"}) {
        const bool pdf = QLatin1String(suffix) == QLatin1String(".pdf");
        for (const auto &r : rows) {
            SCOPED_TRACE(testing::Message() << r.name.left(20).toStdString() << suffix);
            QDir(dir.path()).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(dir.path()));
            const QString out = dir.filePath(r.name + QLatin1String(suffix));
            const QString target = dir.filePath(QStringLiteral("target") + QLatin1String(suffix));
            ASSERT_TRUE(r.make(out, target));
            const std::string before = listing(dir.path());
            const CliRun run = runCli(words(pdf ? "print --page 1 -o" : "page --page 1 -o") << out);
            EXPECT_EQ(run.exitCode, r.exitCode) << tail(run.err);
            EXPECT_TRUE(run.err.contains(r.mentions)) << tail(run.err);
            EXPECT_FALSE(run.err.contains("printing page") && r.exitCode != 0) << "refused before any page";
            if (r.exitCode == 0) {
                // The link stays; the file it names is the new page or poster.
                EXPECT_EQ(QFileInfo(out).symLinkTarget(), target);
                EXPECT_TRUE(pdf ? pdfPageCount(target) == 1 : !QImage(target).isNull());
                EXPECT_EQ(QString::fromStdString(listing(dir.path())).count(u' '), 1) << "the link and its file";
            } else {
                EXPECT_EQ(listing(dir.path()), before);
            }
        }
    }
}

// A name is its bytes: a picture whose name is not UTF-8 ("caf\xe9") loads, and the file written
// has the very name given, for a PNG written by the tool and a PDF written by Qt's PDF writer.
// (Arguments go through the shell here: QProcess would change such bytes.)
TEST(CliOutput, NamesAreTheirOwnBytes)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    writePicture(dir.filePath(QStringLiteral("plain.bmp")), {40, 30});
    ASSERT_EQ(::rename(QByteArray(folder + "/plain.bmp").constData(), QByteArray(folder + "/caf\xe9.bmp").constData()), 0);
    for (const char *verb : {"page --page 1", "print --page 1"}) {
        SCOPED_TRACE(verb);
        const QByteArray out = folder + (QByteArray(verb).startsWith("page") ? "/out\xe9.png" : "/out\xe9.pdf");
        const QString escaped = QString::fromLatin1(out).replace(QChar(0xE9), QStringLiteral("\\0351"));  // printf's octal
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("exec \"$0\" %1 --picture \"$(printf %b \"$1\")\" -o \"$(printf %b \"$2\")\"").arg(QLatin1String(verb)),
                     QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron-cli"),
                     QString::fromLatin1(QByteArray(folder + "/caf\\0351.bmp")), escaped});
        ASSERT_TRUE(shell.waitForFinished(600000));
        EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        struct stat written {};
        EXPECT_EQ(::stat(out.constData(), &written), 0) << "the name given";
        EXPECT_GT(written.st_size, 0);
    }
}

// Temporary files a killed run left beside its file are removed by the next run that writes the
// same file; anything else of a like name is left: one changed since that run began or held by a
// run at work, a link, a name not of the pattern, another file's.
TEST(CliOutput, TemporaryFilesOfKilledRunsGo)
{
    QTemporaryDir dir;
    // Changed an hour ago, or (as if by a run at work since this one began) an hour from now.
    const auto make = [&](const QString &name, int hours = -1) {
        const QString path = dir.filePath(name);
        writeFile(path, "left by a killed run");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(hours * 3600), QFileDevice::FileModificationTime));
        return path;
    };
    make(QStringLiteral(".out.png.k3Xq9Z"));
    make(QStringLiteral(".out.png.Ab12Cd"));
    make(QStringLiteral(".out.png.N0w5t1"), 1);
    const QString held = make(QStringLiteral(".out.png.Lock3d"));
    make(QStringLiteral(".out.png.short"));
    make(QStringLiteral(".other.png.k3Xq9Z"));
    ASSERT_TRUE(QFile::link(held, dir.filePath(QStringLiteral(".out.png.L1nk00"))));
    // A run at work holds its file locked.
    QFile holder(held);
    ASSERT_TRUE(holder.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(holder.handle(), LOCK_EX | LOCK_NB), 0);
    const CliRun run = runCli(words("page --page 1 -o %1/out.png", dir.path()));
    EXPECT_EQ(run.exitCode, 0) << tail(run.err);
    EXPECT_EQ(listing(dir.path()),
              ".other.png.k3Xq9Z .out.png.L1nk00->.out.png.Lock3d .out.png.Lock3d .out.png.N0w5t1 .out.png.short out.png");
}
