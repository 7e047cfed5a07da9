// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file system of a few megabytes for the tests of full disks: a tmpfs mounted on a temporary
// folder while the object lives. Mounting needs root; where it is not allowed the tests skip,
// unless PLAKATRON_REQUIRE_SMALL_DISK=1 (set by CI, which runs as root) makes that a failure.

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plakatron::test {

class SmallDisk {
public:
    explicit SmallDisk(int megabytes = 2);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return mounted_; }
    const QString &whyNot() const { return whyNot_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }
    // Takes the free space with a filler file until at most `bytesLeft` bytes are free.
    void fill(qint64 bytesLeft = 0);
    // Gives the filler's space back.
    void empty();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString whyNot_;
};

// Skips the test (or fails it where a small disk is required) when `disk` is not mounted.
#define PLAKATRON_REQUIRE_SMALL_DISK(disk)                                                               \
    do {                                                                                                 \
        if (!(disk).mounted()) {                                                                         \
            if (qEnvironmentVariable("PLAKATRON_REQUIRE_SMALL_DISK") == QLatin1String("1"))              \
                FAIL() << "no small disk: " << (disk).whyNot().toStdString();                           \
            GTEST_SKIP() << "no small disk (" << (disk).whyNot().toStdString()                          \
                         << "); the full-disk tests mount a tmpfs and need root";                       \
        }                                                                                                \
    } while (false)

}  // namespace plakatron::test
