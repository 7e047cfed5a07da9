// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramIcon.h"

#include <QDir>

namespace plakatron {

QIcon programIcon()
{
    // Every size the build made; Qt picks the nearest for each use and screen density.
    QIcon icon;
    const QDir folder(QStringLiteral(":/plakatron/icon"));
    for (const QString &name : folder.entryList({QStringLiteral("plakatron-*.png")}, QDir::Files))
        icon.addFile(folder.filePath(name));
    return icon;
}

}  // namespace plakatron
