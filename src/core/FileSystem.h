// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Platform seam: the file operations Qt's classes leave out and the program's output files and its
// own records need. Knowing what a name is without following it; opening only regular files, never
// waiting on a FIFO and never through a link at the end of the name; writes, syncs and closes whose
// failures are seen; and the system's own error number for each failure.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QFile;

namespace plakatron::platform {

// Not one of the system's error numbers: the name is taken by something other than a regular file
// (a FIFO, a device, a socket).
inline constexpr int NotRegularFile = -1;

// The system's text for an error number ("No space left on device"), "Not a regular file" for
// NotRegularFile.
QString errorText(int error);

// A name as the system has it and back, whatever its bytes: on POSIX systems a name is any bytes,
// read here as UTF-8 with each byte that is not UTF-8 kept as a character of its own (U+DC80 to
// U+DCFF), so that a file called "caf\xe9.png" is opened by those very bytes and a name given is
// the name written. Every call of this seam names files this way; Qt's own file classes name them
// with U+FFFD in place of such bytes.
QByteArray nativeName(const QString &path);
QString nameFromNative(QByteArrayView bytes);

enum class FileKind { Missing, Regular, Folder, Link, Other };

struct FileStatus {
    FileKind kind = FileKind::Missing;
    int error = 0;             // why the name cannot be looked at (a name too long, a folder in it
                               // that is a file); kind is then Missing
    unsigned permissions = 0;  // the permission bits (0777)
};

// What `path` names; a link is reported as a link, or followed to what it names.
FileStatus fileStatus(const QString &path, bool followLinks = false);

// Where the link `path` points, relative targets taken from the link's folder; empty when it is
// no link.
QString linkTarget(const QString &path);

// 0 when this process may write the existing file `path`, else the system's reason.
int writeAccess(const QString &path);

// Renames `from` over `to` in one step: `to` is the old file or the new one, never half of either.
// 0 or the system's error.
int replaceFile(const QString &from, const QString &to);

// Removes a file if it is there; nothing is reported.
void removeFile(const QString &path);

// The names in `folder` (no "." and ".."); empty when it cannot be read.
QStringList folderEntries(const QString &folder);

// Opens `file` (its name set) for reading when it names a regular file, or a link to one: a file
// the user names is followed to what it names. A pipe, device or socket is refused without
// waiting for it (opening a pipe for reading waits for a writer) and without reading from it; the
// check is made on what was opened, so nothing can be swapped in between. Other failures leave
// file's error set, as QFile::open does.
enum class RegularFileOpen { Opened, NotRegular, Failed };
RegularFileOpen openRegularFile(QFile &file);

// An open regular file. The destructor closes it without a word; close() says whether everything
// reached the file.
class NativeFile {
public:
    enum class Mode {
        Read,       // an existing file, for reading
        ReadWrite,  // an existing file, for reading and writing
        CreateNew,  // a new file, for reading and writing; EEXIST when the name is taken
    };

    NativeFile() = default;
    // Opens `path` as a regular file and nothing else: a link at the end of the name fails (ELOOP),
    // anything other than a regular file fails (NotRegularFile) without being opened for use, and
    // a FIFO is never waited on. A new file gets `permissions` less the process's file mask.
    NativeFile(const QString &path, Mode mode, unsigned permissions = 0666);
    ~NativeFile();
    NativeFile(NativeFile &&other) noexcept;
    NativeFile &operator=(NativeFile &&other) noexcept;
    NativeFile(const NativeFile &) = delete;
    NativeFile &operator=(const NativeFile &) = delete;

    bool isOpen() const { return handle_ >= 0; }
    // The system's error number of the last failure (or of the opening), 0 when none.
    int error() const { return error_; }

    qint64 size();  // -1 on failure
    // Up to `maxSize` bytes from `offset` (fewer at the end); empty on failure.
    QByteArray readAt(qint64 offset, qint64 maxSize);
    // Writes all of `bytes` at `offset`, or fails.
    bool writeAt(qint64 offset, QByteArrayView bytes);
    bool resize(qint64 size);
    bool setPermissions(unsigned permissions);
    // Hands everything written (by any writer of this file) to the device.
    bool sync();
    bool close();
    // Marks the file as being written for as long as it is open here; false when another holder
    // already has (or the file system cannot say). Never waits.
    bool lockWhileOpen();
    // Seconds since the epoch of the last change to the file's content; -1 on failure.
    qint64 modifiedSeconds();
    // The owner is the user this process runs as.
    bool ownedByThisUser();
    // A name Qt's file classes open this very file by, for a writer that opens the file itself:
    // the path, or, where Qt would name the path otherwise, the file's handle as a name.
    QString nameForOtherWriters(const QString &path) const;

private:
    bool failed();  // records the system's error; false

    int handle_ = -1;
    int error_ = 0;
};

}  // namespace plakatron::platform
