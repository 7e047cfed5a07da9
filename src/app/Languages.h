// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's language: the program's catalogue (built into the program) and Qt's own for the
// print and file dialogs, chosen by the user's languages in order of preference. English needs no
// catalogue: the texts in the code are the English ones. The command-line tool never loads one,
// so its output stays English for the scripts that read it.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace plakatron {

// The languages the program speaks besides English ("de", "fr", ...).
QStringList translatedLanguages();

// The first of the locale's languages the program speaks, English ("en") included; empty where
// it speaks none of them (the window is then in English).
QString chosenLanguage(const QLocale &locale);

// Installs the catalogues for the locale in place of any installed before; returns the language
// loaded, empty for English.
QString installTranslations(const QLocale &locale);

// The language of the installed catalogue, empty for English.
QString installedLanguage();

}  // namespace plakatron
