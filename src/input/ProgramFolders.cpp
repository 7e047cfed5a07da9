// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ProgramFolders.h"

#include "core/BuildConfig.h"
#include "input/Toolbox.h"

#include <QDir>

namespace plakatron {

namespace {
const QString HelpSubfolder = QStringLiteral("help/");
const QString HelpPage = QStringLiteral("index.htm");
}  // namespace

QString installedDataFolder(const QString &appFolder)
{
    const QString folder = QDir::cleanPath(appFolder + QLatin1String(buildconfig::dataFolderFromProgram));
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString helpFolder(const QString &appFolder)
{
    const QString beside = appFolder + HelpSubfolder;
    if (modToolbox::FileExists(beside + HelpPage))
        return beside;
    const QString installed = installedDataFolder(appFolder) + HelpSubfolder;
    if (modToolbox::FileExists(installed + HelpPage))
        return installed;
    return beside;
}

QString helpPage(const QString &folder, const QString &language)
{
    if (!language.isEmpty()) {
        const QString translated = folder + QStringLiteral("index_") + language + QStringLiteral(".htm");
        if (modToolbox::FileExists(translated))
            return translated;
    }
    return folder + HelpPage;
}

}  // namespace plakatron
