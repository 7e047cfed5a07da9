// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsStore.h"

#include "core/FileSystem.h"
#include "core/ProgramWide.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace plakatron {

namespace {
// One INI file per user on every platform (~/.config/Plakatron/Plakatron.ini here). The INI format
// names the section of top-level keys "General", so that section's keys are stored top-level.
QString keyPath(const QString &section, const QString &key)
{
    return section == settingkeys::Section ? key : section + u'/' + key;
}

// The program's own file holds four short values; anything this large is not one it wrote, and
// reading or rewriting it would hold the window for seconds.
constexpr qint64 MaxSettingsFileBytes = 64 * 1024;

// The store, or none when its file is too large, is a link or is not a file at all, or when its
// lock file (which QSettings takes to read and to write) is a link or not a file: QSettings would
// read and write through a link, and wait forever on a FIFO. The program then runs on the
// defaults and leaves those names alone.
std::unique_ptr<QSettings> store()
{
    const QString path = settingsFilePath();
    const auto plainOrMissing = [](const QString &name) {
        const platform::FileStatus status = platform::fileStatus(name);
        return status.error == 0 && (status.kind == platform::FileKind::Missing || status.kind == platform::FileKind::Regular);
    };
    if (!plainOrMissing(path) || !plainOrMissing(path + QStringLiteral(".lock"))
        || QFileInfo(path).size() > MaxSettingsFileBytes)
        return nullptr;
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle());
}

}  // namespace

QString settingsFilePath()
{
    // Named without being opened: QSettings reads its files as it is made, so it is asked about an
    // organisation that has no files, whose folder lies beside the program's.
    const QFileInfo probe(
        QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle() + QChar(1), appTitle()).fileName());
    return QFileInfo(probe.path()).path() + u'/' + appTitle() + u'/' + appTitle() + QStringLiteral(".ini");
}

QString settingsFolder() { return QFileInfo(settingsFilePath()).absolutePath() + u'/'; }

QString GetSetting(const QString &section, const QString &key, const QString &fallback)
{
    const auto s = store();
    return s ? s->value(keyPath(section, key), fallback).toString() : fallback;
}

void SaveSetting(const QString &section, const QString &key, const QString &value)
{
    if (const auto s = store()) {
        s->setValue(keyPath(section, key), value);
        s->sync();
    }
}

void DeleteSetting(const QString &section, const QString &key)
{
    if (const auto s = store()) {
        s->remove(keyPath(section, key));
        s->sync();
    }
}

}  // namespace plakatron
