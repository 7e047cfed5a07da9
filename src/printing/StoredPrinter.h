#pragma once
// "printer.dat" beside the program: where it is, and reading and writing the two printer records
// in it. The folder is replaceable so tests keep their file in a temporary folder.

#include "printing/PrinterRecords.h"

#include <QString>
#include <functional>

namespace plakatron {

// The folder printer.dat lives in, ending in a separator.
using PrinterFolderFunction = std::function<QString()>;
// Replaces the folder function (an empty one restores the built-in: the program's own folder);
// returns the previous one.
PrinterFolderFunction setPrinterFolderFunction(PrinterFolderFunction function);
QString printerFolder();

inline constexpr char PrinterFileName[] = "printer.dat";
// printerFolder() + "printer.dat".
QString printerFilePath();

// True when a file (not a folder) exists at path.
bool printerFileExists(const QString &path);

// Reads both records from the file, as far as its bytes are sound (the rest stays empty). Fails
// with Path/File access error (75) when the file cannot be opened.
PrinterRecords readPrinterFile(const QString &path);

// Writes both records from the start of the file, creating it if needed and overwriting in place:
// a longer file keeps the bytes after the records. Fails with Path not found (76) when the folder
// does not exist, Path/File access error (75) when the file cannot be opened for writing, and
// Device I/O error (57) when the bytes cannot all be written.
void writePrinterFile(const QString &path, const PrinterRecords &records);

}  // namespace plakatron
