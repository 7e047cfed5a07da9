// SPDX-License-Identifier: GPL-3.0-or-later
// Output files: what a PDF or a page may replace and what it refuses before any work, and a full
// disk on a real small tmpfs. In every case the error names the file and the system's reason, and
// nothing is left beside the target: the old file stays whole or the new one replaces it whole.
#include "core/OutputFile.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

// Writes `bytes` to `path` through an OutputFile (by name, as Qt's PDF writer does, when `byName`)
// and commits it; the error's number and description, or 0 and nothing.
std::pair<int, QString> output(const QString &path, const QByteArray &bytes, bool commit = true, bool byName = false)
{
    try {
        OutputFile out(path);
        if (byName) {
            QFile file(out.temporaryPath());
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
                throw out.failure();
        } else {
            out.write(bytes);
        }
        if (commit)
            out.commit();
    } catch (const WriteError &e) {
        return {e.number(), e.description()};
    }
    return {0, QString()};
}

}  // namespace

TEST(OutputFile, ReplacesWholeWhatItMayAndRefusesTheRestBeforeAnyWork)
{
    QTemporaryDir dir;
    const QString d = dir.path() + u'/';
    const auto fifo = [&](const char *name) { ASSERT_EQ(::mkfifo(QFile::encodeName(d + name).constData(), 0644), 0); };
    const auto link = [&](const char *target, const char *name) {
        ASSERT_EQ(::symlink(target, QFile::encodeName(d + name).constData()), 0);
    };
    const auto old = [&](const char *name, QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup) {
        writeFile(d + name, "old");
        QFile::setPermissions(d + name, p);
    };
    const QString tooLong = QString(300, u'x') + ".pdf";
    // `kept`: the file that holds the content afterwards ("new" or "old"); permissions it had stay.
    struct Row { const char *what; std::function<void()> make; QString name; bool commit; int number; QString reason, kept, after; };
    const Row rows[] = {
        {"a new name", [] {}, "new.pdf", true, 0, {}, "new.pdf", "new.pdf"},
        {"an old file", [&] { old("old.pdf"); }, "old.pdf", true, 0, {}, "old.pdf", "old.pdf"},
        {"a relative link, followed", [&] { old("file.pdf"); link("file.pdf", "link.pdf"); }, "link.pdf", true, 0, {},
         "file.pdf", "file.pdf link.pdf->file.pdf"},
        {"a dangling link, followed", [&] { link("gone.pdf", "link.pdf"); }, "link.pdf", true, 0, {}, "gone.pdf",
         "gone.pdf link.pdf->gone.pdf"},
        {"a loop of links", [&] { link("loop.pdf", "loop.pdf"); }, "loop.pdf", true, 75, "Too many levels of symbolic links", {},
         "loop.pdf->loop.pdf"},
        {"given up before the commit", [&] { old("old.pdf"); }, "old.pdf", false, 0, {}, "old.pdf", "old.pdf"},
        {"a FIFO", [&] { fifo("fifo"); }, "fifo", true, 75, "Not a regular file", {}, "fifo|"},
        {"a link to a FIFO", [&] { fifo("fifo"); QFile::link(d + "fifo", d + "link"); }, "link", true, 75, "Not a regular file", {},
         "fifo| link->fifo"},
        {"a read-only file, even for root", [&] { old("old.pdf", QFile::ReadOwner); }, "old.pdf", true, 70, "Permission denied",
         "old.pdf", "old.pdf"},
        {"a folder", [&] { QDir(d).mkdir("folder"); }, "folder", true, 75, "Is a directory", {}, "folder/"},
        {"a name too long", [] {}, tooLong, true, 52, "File name too long", {}, ""},
        {"a missing folder", [] {}, "gone/new.pdf", true, 76, "No such file or directory", {}, ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        QDir(d).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(d));
        r.make();
        const bool existed = !r.kept.isEmpty() && QFileInfo::exists(d + r.kept);
        const QFile::Permissions before = QFile::permissions(d + r.kept);
        const auto [number, description] = output(d + r.name, "new", r.commit);
        EXPECT_EQ(number, r.number);
        EXPECT_EQ(description, r.number ? "Cannot write '" + d + r.name + "': " + r.reason : QString());
        EXPECT_EQ(listing(d), r.after.toStdString()) << "nothing left beside it";
        if (!r.kept.isEmpty()) {
            EXPECT_EQ(contentOf(d + r.kept), r.number || !r.commit ? "old" : "new");
            EXPECT_TRUE(!existed || QFile::permissions(d + r.kept) == before) << "its permissions kept";
        }
    }
}

TEST(OutputFile, AFullDiskKeepsTheOldFileAndSaysWhy)
{
    SmallDisk disk(1);
    PLAKATRON_REQUIRE_SMALL_DISK(disk);
    const QString path = disk.filePath(QStringLiteral("poster.pdf"));
    writeFile(path, "the old poster");
    disk.fill(64 << 10);
    // Through write(), and by another writer by name, which does not say why it failed (Qt's PDF
    // writer): failure() finds the device's reason.
    for (const bool byName : {false, true}) {
        SCOPED_TRACE(byName);
        EXPECT_EQ(output(path, QByteArray(256 << 10, 'x'), true, byName),
                  std::pair(61, QString("Cannot write '" + path + "': No space left on device")));
        EXPECT_EQ(contentOf(path), "the old poster");
        EXPECT_EQ(listing(disk.path()), ".filler poster.pdf");
    }
}
