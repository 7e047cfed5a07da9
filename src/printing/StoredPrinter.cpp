// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/StoredPrinter.h"

#include "core/FileSystem.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace plakatron {

PrinterRecords readPrinterFile(const QString &path)
{
    platform::NativeFile file(path, platform::NativeFile::Mode::Read);
    if (!file.isOpen())
        raise(err::PathFileAccessError);
    // The records are small; a larger file only has a tail nobody reads.
    return decodePrinterRecords(file.readAt(0, PrinterFileBytes + 2 * 0xFFFF));
}

void writePrinterFile(const QString &path, const PrinterRecords &records)
{
    using platform::NativeFile;
    if (!QFileInfo(path).absoluteDir().exists())
        raise(err::PathNotFound);
    NativeFile file(path, NativeFile::Mode::CreateNew);
    const bool created = file.isOpen();
    if (!created && file.error() == EEXIST)
        file = NativeFile(path, NativeFile::Mode::ReadWrite);
    if (!file.isOpen())
        raise(err::PathFileAccessError);
    // No truncation: the records overwrite the start of an existing file.
    const QByteArray bytes = encodePrinterRecords(records);
    const qint64 oldSize = created ? 0 : file.size();
    const QByteArray old = created ? QByteArray() : file.readAt(0, bytes.size());
    if (oldSize < 0 || old.size() != std::min<qint64>(oldSize, bytes.size()))
        raise(err::PathFileAccessError);
    if (file.writeAt(0, bytes) && file.close())
        return;
    if (created) {
        file = NativeFile();
        platform::removeFile(path);
    } else if (file.isOpen()) {
        // What fitted before fits again.
        file.writeAt(0, old);
        file.resize(oldSize);
    }
    raise(err::DeviceIOError);
}

}  // namespace plakatron
