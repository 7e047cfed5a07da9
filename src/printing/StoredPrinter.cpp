#include "printing/StoredPrinter.h"

#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace plakatron {

PrinterRecords readPrinterFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raise(err::PathFileAccessError);
    // The records are small; a larger file only has a tail nobody reads.
    const QByteArray bytes = file.read(PrinterFileBytes + 2 * 0xFFFF);
    return decodePrinterRecords(bytes);
}

void writePrinterFile(const QString &path, const PrinterRecords &records)
{
    if (!QFileInfo(path).absoluteDir().exists())
        raise(err::PathNotFound);
    QFile file(path);
    // No truncation: the records overwrite the start of an existing file.
    if (!file.open(QIODevice::ReadWrite))
        raise(err::PathFileAccessError);
    const QByteArray bytes = encodePrinterRecords(records);
    if (file.write(bytes) != bytes.size() || !file.flush())
        raise(err::DeviceIOError);
}

}  // namespace plakatron
