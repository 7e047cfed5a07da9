#include "app/StoredSettings.h"

#include "core/Numeric.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "layout/PageLayout.h"

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

std::unique_ptr<QSettings> store()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle());
}

// A stored index or percent: `read` gives the number, anything outside [min, max] or failing to
// convert gives the default.
template <typename Read>
int validated(const QString &key, int fallback, int min, int max, Read read)
{
    try {
        const int v = read(GetSetting(settingkeys::Section, key, QString::number(fallback)));
        return v >= min && v <= max ? v : fallback;
    } catch (const RuntimeError &) {
        return fallback;
    }
}
}  // namespace

QString settingsFolder() { return QFileInfo(store()->fileName()).absolutePath() + u'/'; }

QString GetSetting(const QString &section, const QString &key, const QString &fallback)
{
    return store()->value(keyPath(section, key), fallback).toString();
}

void SaveSetting(const QString &section, const QString &key, const QString &value)
{
    const auto s = store();
    s->setValue(keyPath(section, key), value);
    s->sync();
}

StoredPosterChoices readPosterChoices()
{
    // The list indexes are the leading number of their text; the overlap must be a number as a whole.
    const auto leadingNumber = [](const QString &text) { return static_cast<int>(CInt(Val(text))); };
    const auto wholeNumber = [](const QString &text) { return static_cast<int>(CIntText(text)); };
    return {
        validated(settingkeys::SheetsAcross, DefaultSheetsIndex, 0, sheetsAcrossEntries().size() - 1, leadingNumber),
        validated(settingkeys::Resolution, DefaultResolutionIndex, 0, resolutionEntries().size() - 1, leadingNumber),
        validated(settingkeys::Overlap, DefaultOverlap, 0, 50, wholeNumber),
    };
}

void writePosterChoices(const StoredPosterChoices &c)
{
    SaveSetting(settingkeys::Section, settingkeys::Overlap, QString::number(c.overlap));
    SaveSetting(settingkeys::Section, settingkeys::Resolution, QString::number(c.resolutionIndex));
    SaveSetting(settingkeys::Section, settingkeys::SheetsAcross, QString::number(c.sheetsIndex));
}

}  // namespace plakatron
