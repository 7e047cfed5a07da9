// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define PLAKATRON_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLAKATRON_TEST_ASAN 1
#endif
#endif

namespace plakatron::test {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::string listing(const QString &folder, QStringList added)
{
    for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        added << f.fileName() + (f.isSymLink() ? QStringLiteral("->") + QFileInfo(f.symLinkTarget()).fileName()
                                 : f.isDir()   ? QStringLiteral("/")
                                 : f.isFile()  ? QString()
                                               : QStringLiteral("|"));
    added.sort();
    return added.join(u' ').toStdString();
}

QString writePicture(const QString &path, QSize size, QRgb colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
    return path;
}

MessageCapture::MessageCapture()
{
    previous_ = installMessageHandler([this](const MessageRequest &request) {
        messages_.push_back(request);
        if (!answers_.empty()) {
            const MsgAnswer a = answers_.front();
            answers_.pop_front();
            return a;
        }
        return request.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    });
}

MessageCapture::~MessageCapture() { installMessageHandler(previous_); }

CappableChildren::CappableChildren()
    : previous_(qgetenv("GLIBC_TUNABLES")), wasSet_(qEnvironmentVariableIsSet("GLIBC_TUNABLES"))
{
    qputenv("GLIBC_TUNABLES", "glibc.malloc.arena_max=1:glibc.malloc.mmap_threshold=131072");
}

CappableChildren::~CappableChildren()
{
    if (wasSet_)
        qputenv("GLIBC_TUNABLES", previous_);
    else
        qunsetenv("GLIBC_TUNABLES");
}

#if defined(__linux__) && !defined(PLAKATRON_TEST_ASAN)
bool addressSpaceCanBeLimited() { return true; }

namespace {
rlimit unlimited{};  // the cap before limitAddressSpace
}

void limitAddressSpace(std::size_t headroom)
{
    // The first number of statm is the address space in use, in pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return;
    const rlim_t used = rlim_t(statm.readLine().split(' ').value(0).toULongLong()) * rlim_t(sysconf(_SC_PAGESIZE));
    getrlimit(RLIMIT_AS, &unlimited);
    rlimit limit = unlimited;
    limit.rlim_cur = std::min(limit.rlim_max, used + headroom);
    setrlimit(RLIMIT_AS, &limit);
}

void restoreAddressSpace() { setrlimit(RLIMIT_AS, &unlimited); }
#else
bool addressSpaceCanBeLimited() { return false; }
void limitAddressSpace(std::size_t) {}
void restoreAddressSpace() {}
#endif

}  // namespace plakatron::test
