#include "printing/StoredPrinter.h"

#include "core/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace plakatron {

namespace {
PrinterFolderFunction &folderSlot()
{
    static PrinterFolderFunction function;
    return function;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    return folder;
}
}  // namespace

PrinterFolderFunction setPrinterFolderFunction(PrinterFolderFunction function)
{
    return std::exchange(folderSlot(), std::move(function));
}

QString printerFolder()
{
    if (folderSlot())
        return withSeparator(folderSlot()());
    return withSeparator(QCoreApplication::applicationDirPath());
}

QString printerFilePath() { return printerFolder() + QLatin1String(PrinterFileName); }

bool printerFileExists(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

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
