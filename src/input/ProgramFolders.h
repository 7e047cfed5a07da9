// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program finds the files it brings along. A build tree and a portable copy keep them
// beside the program; an installation keeps them in its data folder (<prefix>/share/plakatron
// beside <prefix>/bin), which the program reaches relative to its own folder, so an installed tree
// can move to another prefix as a whole.

#include <QString>

namespace plakatron {

// The installed data folder as seen from appFolder (a folder ending in a separator), cleaned of
// ".." and ending in a separator: "/usr/bin/" -> "/usr/share/plakatron/".
QString installedDataFolder(const QString &appFolder);

// The folder of the help pages, ending in a separator: "help/" beside the program when its
// index.htm is there, else the installed data folder's "help/" when its index.htm is there,
// else "help/" beside the program (which then opens nothing).
QString helpFolder(const QString &appFolder);
// The help's first page in the language ("de": index_de.htm) where the folder has it, the English
// index.htm otherwise.
QString helpPage(const QString &folder, const QString &language);

}  // namespace plakatron
