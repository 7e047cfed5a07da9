// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Output files that replace the old file only with a whole new one. The new content goes to a
// temporary file in the target's folder; commit() syncs and closes it, checking each step, and
// renames it over the target in one step. Until then, whatever happens (a failed write, a full
// disk, an exception, a stop signal), the target stays exactly as it was and the temporary file
// goes with the object.
//
// The target is what the user named: an existing regular file they may write, or a new name in an
// existing folder. A link is followed to the file it names, which is then replaced (the link
// stays). A folder, a FIFO, a device, a read-only file or a name the system refuses fails at once,
// before any work is done. Temporary files of the same target that a killed run left behind (not
// one another run is writing) are removed.

#include "core/FileSystem.h"
#include "core/RuntimeError.h"

#include <QByteArrayView>
#include <QString>

namespace plakatron {

// A file that cannot be written: the system's reason ("No space left on device"), numbered as the
// classic run time numbers file errors: Disk full (61), Permission denied (70), Path not found
// (76), Bad file name or number (52) for a name too long, Device I/O error (57), otherwise
// Path/File access error (75). The description reads "Cannot write '<path>': <reason>".
class WriteError : public RuntimeError {
public:
    WriteError(const QString &path, int systemError);
    WriteError(const QString &path, int number, const QString &reason);

    const QString &path() const noexcept { return path_; }
    const QString &reason() const noexcept { return reason_; }

private:
    QString path_;
    QString reason_;
};

class OutputFile {
public:
    // Checks the target and creates the temporary file beside it; WriteError when either fails.
    explicit OutputFile(const QString &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // The target as the user named it (for messages).
    const QString &path() const { return path_; }
    // Where the new content goes: written through write(), or by another writer (Qt's file classes)
    // by this name.
    QString temporaryPath() const;

    // Appends to the temporary file; WriteError when not all of it gets there.
    void write(QByteArrayView bytes);
    // For a writer that wrote the temporary file by its name and went wrong, or whose file came out
    // incomplete without saying why: the system's reason for writing there now, found by trying.
    WriteError failure();
    // Syncs and closes the temporary file and renames it over the target; WriteError on failure,
    // and the target stays as it was.
    void commit();

private:
    QString path_;
    QString target_;  // the file replaced: links followed
    QString temporary_;
    platform::NativeFile file_;
    qint64 written_ = 0;
    bool committed_ = false;
};

}  // namespace plakatron
