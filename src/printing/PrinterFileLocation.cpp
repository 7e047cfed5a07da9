// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PrinterFileLocation.h"

#include "printing/StoredPrinter.h"

#include <QFileInfo>

namespace plakatron {

PrinterFilePlaces choosePrinterFilePlaces(const QString &appFolder, const QString &configFolder,
                                          const PrinterFileFacts &facts)
{
    const QString beside = appFolder + QLatin1String(PrinterFileName);
    const QString own = configFolder + QLatin1String(PrinterFileName);
    PrinterFilePlaces places;
    places.write = facts.besideWritable ? beside : own;
    // The file that will be written is the one read back; until it exists, one beside the
    // program (a portable copy's, an administrator's) starts the dialog.
    if (facts.besideWritable ? facts.besideExists : facts.configExists)
        places.read = places.write;
    else if (facts.besideExists)
        places.read = beside;
    return places;
}

PrinterFilePlaces printerFilePlaces(const QString &appFolder, const QString &configFolder)
{
    const QFileInfo beside(appFolder + QLatin1String(PrinterFileName));
    const QFileInfo own(configFolder + QLatin1String(PrinterFileName));
    PrinterFileFacts facts;
    facts.besideExists = beside.isFile();
    facts.besideWritable = beside.exists() ? beside.isFile() && beside.isWritable() : QFileInfo(appFolder).isWritable();
    facts.configExists = own.isFile();
    return choosePrinterFilePlaces(appFolder, configFolder, facts);
}

}  // namespace plakatron
