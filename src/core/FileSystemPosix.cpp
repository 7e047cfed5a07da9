// SPDX-License-Identifier: GPL-3.0-or-later
// The file seam on POSIX systems. Another platform provides FileSystem.h in a file of its own.
#include "core/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace plakatron::platform {

namespace {

QByteArray native(const QString &path) { return nativeName(path); }

// The characters that stand for bytes that are not UTF-8.
constexpr char16_t firstByteCharacter = 0xDC80, lastByteCharacter = 0xDCFF;

// Retries a call interrupted by a signal (the stop signals are caught while files are written).
template <typename Call>
auto retried(Call call)
{
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR)
            return result;
    }
}

}  // namespace

QByteArray nativeName(const QString &path)
{
    QByteArray out;
    out.reserve(path.size());
    qsizetype run = 0;  // where the characters not yet encoded start
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (c < firstByteCharacter || c > lastByteCharacter || (i > 0 && path[i - 1].isHighSurrogate()))
            continue;
        out += QStringView(path).sliced(run, i - run).toUtf8();
        out += char(c - 0xDC00);
        run = i + 1;
    }
    return out + QStringView(path).sliced(run).toUtf8();
}

QString nameFromNative(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = [&](qsizetype at) { return quint8(bytes[at]); };
        const quint8 lead = byte(i);
        // The length of a UTF-8 sequence by its lead byte, its bits, and the least it may encode.
        const int more = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : 0;
        char32_t code = more == 3 ? lead & 0x07 : more == 2 ? lead & 0x0F : lead & 0x1F;
        bool whole = more > 0 && i + more < bytes.size();
        for (int k = 1; whole && k <= more; ++k) {
            whole = (byte(i + k) & 0xC0) == 0x80;
            code = code << 6 | (byte(i + k) & 0x3F);
        }
        const char32_t least = more == 3 ? 0x10000 : more == 2 ? 0x800 : 0x80;
        whole = whole && code >= least && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (lead < 0x80) {
            out += QChar(lead);
            ++i;
        } else if (whole) {
            out += QString::fromUcs4(&code, 1);
            i += 1 + more;
        } else {
            out += QChar(char16_t(0xDC00 + lead));
            ++i;
        }
    }
    return out;
}

QString errorText(int error)
{
    if (error == NotRegularFile)
        return QStringLiteral("Not a regular file");
    return QString::fromLocal8Bit(std::strerror(error));
}

FileStatus fileStatus(const QString &path, bool followLinks)
{
    struct stat s {};
    if ((followLinks ? ::stat(native(path).constData(), &s) : ::lstat(native(path).constData(), &s)) != 0)
        return {FileKind::Missing, errno == ENOENT ? 0 : errno, 0};
    const FileKind kind = S_ISREG(s.st_mode)   ? FileKind::Regular
                          : S_ISDIR(s.st_mode) ? FileKind::Folder
                          : S_ISLNK(s.st_mode) ? FileKind::Link
                                               : FileKind::Other;
    return {kind, 0, unsigned(s.st_mode & 0777)};
}

QString linkTarget(const QString &path)
{
    char target[4096];
    const ssize_t n = ::readlink(native(path).constData(), target, sizeof target);
    if (n <= 0 || n == sizeof target)
        return QString();
    const QString name = nameFromNative(QByteArrayView(target, n));
    return name.startsWith(u'/') ? name : QFileInfo(path).path() + u'/' + name;
}

int writeAccess(const QString &path)
{
    return ::faccessat(AT_FDCWD, native(path).constData(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int replaceFile(const QString &from, const QString &to)
{
    return std::rename(native(from).constData(), native(to).constData()) == 0 ? 0 : errno;
}

void removeFile(const QString &path) { ::unlink(native(path).constData()); }

QStringList folderEntries(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(native(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (name != "." && name != "..")
            names << nameFromNative(name);
    }
    ::closedir(dir);
    return names;
}

RegularFileOpen openRegularFile(QFile &file)
{
    const int fd = retried([&] { return ::open(native(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); });
    if (fd < 0) {
        // Not a pipe (those open at once without blocking): QFile meets the same failure, and
        // describes it.
        return file.open(QIODevice::ReadOnly) ? RegularFileOpen::Opened : RegularFileOpen::Failed;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return RegularFileOpen::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return RegularFileOpen::Failed;
    }
    return RegularFileOpen::Opened;
}

NativeFile::NativeFile(const QString &path, Mode mode, unsigned permissions)
{
    const QByteArray name = native(path);
    if (mode != Mode::CreateNew) {
        // Looked at before it is opened: opening a device may already do something.
        struct stat s {};
        if (::lstat(name.constData(), &s) != 0) {
            error_ = errno;
            return;
        }
        if (S_ISLNK(s.st_mode)) {
            error_ = ELOOP;
            return;
        }
        if (!S_ISREG(s.st_mode)) {
            error_ = NotRegularFile;
            return;
        }
    }
    const int flags = (mode == Mode::Read ? O_RDONLY : O_RDWR) | (mode == Mode::CreateNew ? O_CREAT | O_EXCL : 0)
                      | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    handle_ = retried([&] { return ::open(name.constData(), flags, mode_t(permissions)); });
    if (handle_ < 0) {
        error_ = errno;
        return;
    }
    // The name may have been given to something else since it was looked at.
    struct stat s {};
    if (::fstat(handle_, &s) != 0 || !S_ISREG(s.st_mode)) {
        ::close(std::exchange(handle_, -1));
        error_ = NotRegularFile;
    }
}

NativeFile::~NativeFile()
{
    if (handle_ >= 0)
        ::close(handle_);
}

NativeFile::NativeFile(NativeFile &&other) noexcept
    : handle_(std::exchange(other.handle_, -1)), error_(std::exchange(other.error_, 0))
{
}

NativeFile &NativeFile::operator=(NativeFile &&other) noexcept
{
    if (this != &other) {
        if (handle_ >= 0)
            ::close(handle_);
        handle_ = std::exchange(other.handle_, -1);
        error_ = std::exchange(other.error_, 0);
    }
    return *this;
}

bool NativeFile::failed()
{
    error_ = errno;
    return false;
}

qint64 NativeFile::size()
{
    struct stat s {};
    if (::fstat(handle_, &s) != 0) {
        failed();
        return -1;
    }
    return s.st_size;
}

QByteArray NativeFile::readAt(qint64 offset, qint64 maxSize)
{
    QByteArray bytes(maxSize, Qt::Uninitialized);
    qint64 done = 0;
    while (done < maxSize) {
        const ssize_t n = retried([&] { return ::pread(handle_, bytes.data() + done, size_t(maxSize - done), off_t(offset + done)); });
        if (n < 0) {
            failed();
            return {};
        }
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

bool NativeFile::writeAt(qint64 offset, QByteArrayView bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            retried([&] { return ::pwrite(handle_, bytes.data() + done, size_t(bytes.size() - done), off_t(offset + done)); });
        if (n < 0)
            return failed();
        done += n;
    }
    return true;
}

bool NativeFile::resize(qint64 size) { return retried([&] { return ::ftruncate(handle_, off_t(size)); }) == 0 || failed(); }

bool NativeFile::setPermissions(unsigned permissions) { return ::fchmod(handle_, mode_t(permissions)) == 0 || failed(); }

bool NativeFile::sync() { return retried([&] { return ::fsync(handle_); }) == 0 || failed(); }

bool NativeFile::lockWhileOpen() { return ::flock(handle_, LOCK_EX | LOCK_NB) == 0 || failed(); }

qint64 NativeFile::modifiedSeconds()
{
    struct stat s {};
    return ::fstat(handle_, &s) == 0 ? qint64(s.st_mtime) : (failed(), -1);
}

bool NativeFile::ownedByThisUser()
{
    struct stat s {};
    return ::fstat(handle_, &s) == 0 && s.st_uid == ::geteuid();
}

QString NativeFile::nameForOtherWriters(const QString &path) const
{
    // Opening the handle's name opens the very file the handle has open.
    if (QFile::encodeName(path) == native(path) || handle_ < 0)
        return path;
    return QStringLiteral("/dev/fd/%1").arg(handle_);
}

bool NativeFile::close()
{
    if (handle_ < 0)
        return true;
    // Not retried: after an interrupted close the descriptor is gone on Linux.
    if (::close(std::exchange(handle_, -1)) != 0 && errno != EINTR)
        return failed();
    return true;
}

}  // namespace plakatron::platform
