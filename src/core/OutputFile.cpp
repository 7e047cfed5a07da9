// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/OutputFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>

namespace plakatron {

namespace {

using platform::FileKind;

int numberFor(int systemError)
{
    switch (systemError) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return err::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return err::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return err::PathNotFound;
    case ENAMETOOLONG:
        return err::BadFileNameOrNumber;
    case EIO:
    case EFBIG:
        return err::DeviceIOError;
    default:
        return err::PathFileAccessError;
    }
}

// How many links are followed before a chain counts as a loop (the system's own limit).
constexpr int MaxLinks = 40;

// The file `path` leads to, links followed, when it may be replaced: a regular file someone may
// write, or a free name. WriteError naming `named` otherwise.
QString replaceableTarget(const QString &path, const QString &named)
{
    QString target = path;
    for (int links = 0;; ++links) {
        const platform::FileStatus status = platform::fileStatus(target);
        if (status.error != 0)
            throw WriteError(named, status.error);
        switch (status.kind) {
        case FileKind::Missing: return target;
        case FileKind::Folder: throw WriteError(named, EISDIR);
        case FileKind::Other: throw WriteError(named, platform::NotRegularFile);
        case FileKind::Regular:
            // A file nobody may write is kept even from those the system would let through.
            if ((status.permissions & 0222) == 0)
                throw WriteError(named, EACCES);
            if (const int error = platform::writeAccess(target))
                throw WriteError(named, error);
            return target;
        case FileKind::Link:
            if (links == MaxLinks)
                throw WriteError(named, ELOOP);
            target = platform::linkTarget(target);
            break;
        }
    }
}

constexpr char16_t letters[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr int suffixLength = 6;

// When this run began: temporary files changed since then may be another run's, at work.
const qint64 runStarted = QDateTime::currentSecsSinceEpoch();

// ".poster.pdf." for the target poster.pdf: hidden, named after it, within the system's name length.
QString temporaryPrefix(const QFileInfo &target)
{
    QString name = target.fileName();
    while (platform::nativeName(name).size() > 200)
        name.chop(1);
    return u'.' + name + u'.';
}

// ".poster.pdf.k3Xq9Z" beside the target.
QString temporaryName(const QFileInfo &target)
{
    QString suffix(suffixLength, u'x');
    for (QChar &c : suffix)
        c = letters[QRandomGenerator::global()->bounded(int(std::size(letters) - 1))];
    return target.path() + u'/' + temporaryPrefix(target) + suffix;
}

// Temporary files of this target left by runs that were killed before they could remove them:
// named as this class names them, regular files of this user, changed before this run began and
// held by no run that is writing them (a writing run holds a lock on its file). Anything else of
// that name is left alone.
void removeStaleTemporaries(const QFileInfo &target, const QString &own)
{
    const QString prefix = temporaryPrefix(target);
    for (const QString &name : platform::folderEntries(target.path())) {
        const QString path = target.path() + u'/' + name;
        const auto random = [](QChar c) { return QStringView(letters).contains(c); };
        if (!name.startsWith(prefix) || name.size() != prefix.size() + suffixLength || path == own
            || !std::all_of(name.end() - suffixLength, name.end(), random))
            continue;
        platform::NativeFile stale(path, platform::NativeFile::Mode::Read);
        const qint64 modified = stale.isOpen() ? stale.modifiedSeconds() : -1;
        if (modified >= 0 && modified < runStarted && stale.ownedByThisUser() && stale.lockWhileOpen())
            platform::removeFile(path);
    }
}

}  // namespace

WriteError::WriteError(const QString &path, int systemError)
    : WriteError(path, numberFor(systemError), platform::errorText(systemError))
{
}

WriteError::WriteError(const QString &path, int number, const QString &reason)
    : RuntimeError(number, QCoreApplication::translate("OutputFile", "Cannot write '%1': %2").arg(path, reason)),
      path_(path), reason_(reason)
{
}

OutputFile::OutputFile(const QString &path) : path_(path), target_(replaceableTarget(path, path))
{
    const platform::FileStatus old = platform::fileStatus(target_);
    for (int attempt = 0; !file_.isOpen(); ++attempt) {
        temporary_ = temporaryName(QFileInfo(target_));
        file_ = platform::NativeFile(temporary_, platform::NativeFile::Mode::CreateNew);
        if (!file_.isOpen() && (file_.error() != EEXIST || attempt == 100))
            throw WriteError(path_, file_.error());
    }
    // The new file replaces the old one with the old one's permissions; a new name gets the usual.
    if (old.kind == FileKind::Regular && !file_.setPermissions(old.permissions)) {
        const WriteError error(path_, file_.error());
        platform::removeFile(temporary_);
        throw error;
    }
    // While this run writes, others see its file is taken; where locks are not had, only the age
    // of a file tells.
    file_.lockWhileOpen();
    removeStaleTemporaries(QFileInfo(target_), temporary_);
}

QString OutputFile::temporaryPath() const { return file_.nameForOtherWriters(temporary_); }

OutputFile::~OutputFile()
{
    if (!committed_) {
        file_.close();
        platform::removeFile(temporary_);
    }
}

void OutputFile::write(QByteArrayView bytes)
{
    if (!file_.writeAt(written_, bytes))
        throw WriteError(path_, file_.error());
    written_ += bytes.size();
}

WriteError OutputFile::failure()
{
    // Whatever is in the temporary file is lost anyway; a megabyte more shows what the device says.
    const QByteArray block(64 * 1024, '\0');
    const qint64 end = file_.size();
    for (int i = 0; end >= 0 && i < 16; ++i)
        if (!file_.writeAt(end + i * block.size(), block))
            return WriteError(path_, file_.error());
    file_.resize(end);
    return WriteError(path_, err::DeviceIOError, QStringLiteral("the written file is incomplete"));
}

void OutputFile::commit()
{
    if (!file_.sync() || !file_.close())
        throw WriteError(path_, file_.error());
    // Checked again: a FIFO or a folder may have taken the name while the content was written.
    replaceableTarget(target_, path_);
    if (const int error = platform::replaceFile(temporary_, target_))
        throw WriteError(path_, error);
    committed_ = true;
}

}  // namespace plakatron
