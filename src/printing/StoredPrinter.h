// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "printer.dat", the file beside the program (modToolbox::AppFolder) that remembers the print
// dialog: reading and writing the two printer records in it.

#include "printing/PrinterRecords.h"

#include <QString>

namespace plakatron {

inline constexpr char PrinterFileName[] = "printer.dat";

// "printer.dat" is opened only as a regular file and never through a link: the folder beside the
// program may be shared, and a link or a FIFO put there must neither redirect the records into
// another file nor stop the print. Either is treated as a file that cannot be opened.

// Reads both records from the file, as far as its bytes are sound (the rest stays empty). Fails
// with Path/File access error (75) when the file cannot be opened.
PrinterRecords readPrinterFile(const QString &path);

// Writes both records from the start of the file, creating it if needed and overwriting in place:
// a longer file keeps the bytes after the records. Fails with Path not found (76) when the folder
// does not exist, Path/File access error (75) when the file cannot be opened for writing, and
// Device I/O error (57) when the bytes cannot all be written; the file is then left as it was (a
// file made for them removed).
void writePrinterFile(const QString &path, const PrinterRecords &records);

}  // namespace plakatron
