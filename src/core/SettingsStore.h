// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-user settings store: text values by section and key under the application's title, and
// the name of every key the program uses. The window keeps the poster's choices there, and the
// window and the command-line tool share each printer's calibration through it.

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
// Removes a key (nothing when it is missing).
void DeleteSetting(const QString &section, const QString &key);
// The folder of the settings file, ending in a separator (~/.config/Plakatron/ here). It need not
// exist yet.
QString settingsFolder();

namespace settingkeys {
inline const QString Section = QStringLiteral("General");
inline const QString SheetsAcross = QStringLiteral("PW");     // index in the sheets-across list
inline const QString Resolution = QStringLiteral("ResX");     // index in the resolution list
inline const QString Overlap = QStringLiteral("Overlap");     // percent
inline const QString LastFolder = QStringLiteral("LastFolder");
inline const QString Paper = QStringLiteral("Paper");         // "A4 portrait", "Letter landscape"; missing: A4 portrait
inline const QString PosterSize = QStringLiteral("PosterSize");  // "150cm", "40in high"; missing or empty: none
inline const QString Window = QStringLiteral("Window");  // the main window's size and place; missing: as designed, centred
// One key per printer, named by the printer: its calibration, "x y" (measured / nominal).
inline const QString CalibrationSection = QStringLiteral("Calibration");
}  // namespace settingkeys

}  // namespace plakatron
