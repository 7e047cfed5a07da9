// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Languages.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace plakatron {

namespace {
const QString CatalogueFolder = QStringLiteral(":/plakatron/translations");

struct Installed {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
    QString language;
};

Installed &installed()
{
    static Installed catalogues;
    return catalogues;
}

void remove(std::unique_ptr<QTranslator> &translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

// "de-CH" -> "de": the catalogues are by language, whatever the country.
QString languageOf(const QString &uiLanguage)
{
    return uiLanguage.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
}
}  // namespace

QStringList translatedLanguages()
{
    const QStringList files = QDir(CatalogueFolder).entryList({QStringLiteral("plakatron_*.qm")}, QDir::Files);
    QStringList languages;
    for (const QString &file : files)
        languages << file.mid(10, file.size() - 13);
    return languages;
}

QString chosenLanguage(const QLocale &locale)
{
    // A user who lists English before German gets English, though a German catalogue exists.
    const QStringList spoken = translatedLanguages();
    for (const QString &uiLanguage : locale.uiLanguages()) {
        const QString language = languageOf(uiLanguage);
        if (language == QLatin1String("en") || spoken.contains(language))
            return language;
    }
    return QString();
}

QString installTranslations(const QLocale &locale)
{
    Installed &now = installed();
    remove(now.qt);
    remove(now.program);
    now.language.clear();
    const QString language = chosenLanguage(locale);
    if (language.isEmpty() || language == QLatin1String("en"))
        return QString();
    auto program = std::make_unique<QTranslator>();
    if (!program->load(QStringLiteral("plakatron_") + language, CatalogueFolder))
        return QString();
    // Qt's own texts (the print and file dialogs, the message boxes' buttons) in the same language,
    // where the system has them; without them those stay English.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        now.qt = std::move(qt);
    }
    // Installed last, so it is asked first.
    QCoreApplication::installTranslator(program.get());
    now.program = std::move(program);
    now.language = language;
    return language;
}

QString installedLanguage() { return installed().language; }

}  // namespace plakatron
