// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever the settings file holds, the window starts with choices inside their lists, and what
// it stores on closing comes back unchanged at the next start, next to the folder the open dialog
// remembered.
#include "FuzzTargets.h"

#include "app/StoredSettings.h"
#include "core/ProgramWide.h"
#include "layout/PageLayout.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSettings>

namespace plakatron::fuzz {

namespace {

QString settingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName();
}

// Qt keeps a parsed settings file and reads it again only when its size or modification time
// changed; every input gets a time of its own so it is really read.
void writeSettingsFile(QByteArrayView data)
{
    static qint64 seconds = 0;
    const QString path = settingsFile();
    require(path.startsWith(workFolder()), "the settings file is not in the work folder");
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the settings file");
    require(file.write(data.data(), data.size()) == data.size(), "cannot write the settings file");
    require(file.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++seconds), QFileDevice::FileModificationTime),
            "cannot set the settings file's time");
}

bool operator==(const StoredPosterChoices &a, const StoredPosterChoices &b)
{
    return a.sheetsIndex == b.sheetsIndex && a.resolutionIndex == b.resolutionIndex && a.overlap == b.overlap
           && a.paper == b.paper && a.size == b.size;
}

}  // namespace

void settingsTarget(QByteArrayView data)
{
    writeSettingsFile(data);

    // Form_Load: every choice inside its list or range, whatever the file said.
    const StoredPosterChoices stored = readPosterChoices();
    require(stored.sheetsIndex >= 0 && stored.sheetsIndex < sheetsAcrossEntries().size(),
            "a stored sheets index outside the list");
    require(stored.resolutionIndex >= 0 && stored.resolutionIndex < resolutionEntries(stored.paper).size(),
            "a stored resolution index outside the list");
    require(stored.overlap >= 0 && stored.overlap <= 50, "a stored overlap outside 0 ... 50");
    require(paperEntries().contains(paperText(stored.paper)), "a stored paper the window does not offer");
    require(!stored.size.isSet() || parsePosterSize(posterSizeText(stored.size)) == stored.size,
            "a stored size that does not read back");

    // Form_Unload writes the choices; the next start reads the same, and the folder the
    // open dialog remembered is still there.
    const QString missing = QStringLiteral("\x01missing");
    const QString folder = GetSetting(settingkeys::Section, settingkeys::LastFolder, missing);
    writePosterChoices(stored);
    require(readPosterChoices() == stored, "the choices stored on closing are not read back at the next start");
    require(GetSetting(settingkeys::Section, settingkeys::LastFolder, missing) == folder,
            "storing the choices changed the remembered folder");
}

}  // namespace plakatron::fuzz
