// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where "printer.dat" lives. Beside the program where it can be written there (a portable copy,
// as ever); otherwise, as for an installed program whose folder belongs to the administrator, in
// the user's configuration folder beside the settings file. A file beside the program is still
// read while the user has none of their own.

#include <QString>

namespace plakatron {

struct PrinterFilePlaces {
    QString read;   // the file to read the stored choices from; empty when there is none
    QString write;  // where a confirmed dialog stores them
};

// What the disk says, gathered by printerFilePlaces.
struct PrinterFileFacts {
    bool besideExists = false;    // a file "printer.dat" beside the program
    bool besideWritable = false;  // it, or where there is none the program's folder, can be written
    bool configExists = false;    // a file "printer.dat" in the configuration folder
};

// The rule itself. appFolder and configFolder end in a separator.
PrinterFilePlaces choosePrinterFilePlaces(const QString &appFolder, const QString &configFolder,
                                          const PrinterFileFacts &facts);

// The rule applied to the disk as it is now.
PrinterFilePlaces printerFilePlaces(const QString &appFolder, const QString &configFolder);

}  // namespace plakatron
