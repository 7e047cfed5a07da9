// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SmallDisk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#ifdef __linux__
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace plakatron::test {

namespace {
const QString Filler = QStringLiteral(".filler");
}

SmallDisk::SmallDisk(int megabytes)
{
#ifdef __linux__
    if (!dir_.isValid()) {
        whyNot_ = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(megabytes) + "m,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        whyNot_ = QStringLiteral("mount: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = true;
#else
    (void)megabytes;
    whyNot_ = QStringLiteral("not Linux");
#endif
}

SmallDisk::~SmallDisk()
{
#ifdef __linux__
    // Detached even while a file on it is still open, so the folder can go.
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
#endif
}

void SmallDisk::fill(qint64 bytesLeft)
{
#ifdef __linux__
    ASSERT_TRUE(mounted_);
    const int fd = ::open(QFile::encodeName(filePath(Filler)).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ASSERT_GE(fd, 0);
    static const char block[64 * 1024] = {};
    for (qint64 chunk = sizeof block; chunk > 0; chunk /= 2)
        while (::write(fd, block, size_t(chunk)) == chunk) {
        }
    const off_t full = ::lseek(fd, 0, SEEK_END);
    EXPECT_EQ(::ftruncate(fd, full > bytesLeft ? full - bytesLeft : 0), 0);
    ::close(fd);
#else
    (void)bytesLeft;
#endif
}

void SmallDisk::empty() { QFile::remove(filePath(Filler)); }

}  // namespace plakatron::test
