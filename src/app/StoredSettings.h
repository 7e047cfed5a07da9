#pragma once
// The per-user settings store: text values by section and key under the application's title.
// Every key the program uses, with its default and valid range, is declared here.

#include <QString>

namespace plakatron {

// The store's file (~/.config/Plakatron/Plakatron.ini here). A file there that is larger than the
// program ever writes (64 KB), a link, or not a file at all, and a lock file beside it
// (Plakatron.ini.lock) that is a link or not a file, are neither read nor written nor waited on:
// every key reads as missing and stores go nowhere.
QString settingsFilePath();

// Reads a stored text, or `fallback` when the key is missing.
QString GetSetting(const QString &section, const QString &key, const QString &fallback);
// Stores a text. Failures to write (a read-only folder) are not fatal: the store keeps its old file.
void SaveSetting(const QString &section, const QString &key, const QString &value);
// The folder of the settings file, ending in a separator (~/.config/Plakatron/ here). It need not
// exist yet.
QString settingsFolder();

namespace settingkeys {
inline const QString Section = QStringLiteral("General");
inline const QString SheetsAcross = QStringLiteral("PW");     // index in the sheets-across list
inline const QString Resolution = QStringLiteral("ResX");     // index in the resolution list
inline const QString Overlap = QStringLiteral("Overlap");     // percent
inline const QString LastFolder = QStringLiteral("LastFolder");
}  // namespace settingkeys

// The three poster choices as stored, each validated: a value the program never writes itself
// (not a number, outside its list or range) falls back to its default.
struct StoredPosterChoices {
    int sheetsIndex;      // 0 ... 39
    int resolutionIndex;  // 0 ... 23
    int overlap;          // 0 ... 50
};
StoredPosterChoices readPosterChoices();
void writePosterChoices(const StoredPosterChoices &choices);

}  // namespace plakatron
