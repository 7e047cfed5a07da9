// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

namespace plakatron::fuzz {

namespace {
QString &folderSlot()
{
    static QString folder;
    return folder;
}
}  // namespace

void require(bool condition, const char *what)
{
    if (!condition)
        throw Violation(what);
}

void setWorkFolder(const QString &folder) { folderSlot() = folder; }

QString workFolder()
{
    require(!folderSlot().isEmpty(), "no work folder set");
    return folderSlot();
}

}  // namespace plakatron::fuzz
