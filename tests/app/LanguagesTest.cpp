// SPDX-License-Identifier: GPL-3.0-or-later
// The window's languages: the catalogue chosen for a locale, each language's texts in each part of
// the program (menu, dialog, message, printed hint, map caption, Qt's own buttons), English as it
// is where no catalogue applies, the command-line tool English whatever the locale, mnemonics that
// do not clash, and a pseudo-language, longer than any real one, that shows every text left
// untranslated and every widget that cuts its text.
#include "app/Languages.h"
#include "app/frmMain.h"
#include "core/MessageBox.h"
#include "core/RuntimeError.h"
#include "input/ProgramFolders.h"
#include "layout/frmWait.h"
#include "printing/AssemblyMap.h"
#include "printing/PageGeometry.h"
#include "support/CliRunner.h"
#include "support/AppWindow.h"
#include "ui/frmCalibrate.h"
#include "ui/frmSettings.h"
#include "ui/LinkLabel.h"
#include "ui/frmSplash.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

// Every test leaves the program in English, as the others expect it.
class Languages : public test::AppWindow {
protected:
    void TearDown() override
    {
        AppWindow::TearDown();
        installTranslations(QLocale::c());
        QLocale::setDefault(QLocale::c());
    }
    static void use(const QLocale &locale)
    {
        QLocale::setDefault(locale);
        installTranslations(locale);
    }
};

// The letter after each single "&".
QString mnemonicOf(const QString &text)
{
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'&', i + 2))
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
    return QString();
}

// The texts of a window one sees or hears, each with where it is: captions, buttons, menu
// entries, list entries, tool tips, place holders, accessible names and descriptions.
struct Shown {
    QString where;
    QString text;
    const QWidget *widget;
};

QList<Shown> textsOf(QWidget *top)
{
    QList<Shown> found;
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *w : widgets) {
        const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        const auto add = [&](const char *what, const QString &text) {
            if (!text.isEmpty())
                found.append({name + u'.' + QLatin1String(what), text, w});
        };
        // Menus are looked at shut, as they are built.
        if (w != top && !w->isVisibleTo(top) && !qobject_cast<QMenu *>(w))
            continue;
        if (w == top)
            add("windowTitle", w->windowTitle());
        add("toolTip", w->toolTip());
        add("accessibleName", w->accessibleName());
        add("accessibleDescription", w->accessibleDescription());
        if (auto *label = qobject_cast<QLabel *>(w))
            add("text", label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            add("text", button->text());
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            add("placeholderText", edit->placeholderText());
        if (auto *list = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < list->count(); ++i)
                add("item", list->itemText(i));
        if (auto *menu = qobject_cast<QMenu *>(w)) {
            add("title", menu->title());
            for (const QAction *action : menu->actions())
                add("action", action->text());
        }
    }
    return found;
}

// Texts shown without the pseudo-language's brackets: never translated. Texts that are not the
// program's words are left out: the values, the product's name and copyright, the system's name,
// the mail address, and Qt's own buttons (Qt's catalogue translates those).
QStringList untranslated(QWidget *top)
{
    static const QSet<QString> notWords{QStringLiteral("lbA4Height"),    QStringLiteral("lbFinalImageWidth"),
                                        QStringLiteral("lbFinalImageHeight"), QStringLiteral("lbTotalPages"),
                                        QStringLiteral("lblProductName"), QStringLiteral("lblPlatform"),
                                        QStringLiteral("lblCopyright"),   QStringLiteral("Label5")};
    QStringList found;
    for (const Shown &s : textsOf(top)) {
        const QString name = s.where.section(u'.', 0, 0);
        const bool hasWords = std::any_of(s.text.begin(), s.text.end(), [](QChar c) { return c.isLetter(); });
        // The main window's title is the product's name and version.
        const bool productTitle = s.where.endsWith(QLatin1String(".windowTitle")) && s.text.startsWith(QLatin1String("Plakatron V"));
        if (!hasWords || notWords.contains(name) || productTitle || qobject_cast<QDialogButtonBox *>(s.widget->parentWidget()))
            continue;
        if (!s.text.contains(QLatin1String("[~")))
            found << s.where + QStringLiteral(": ") + s.text;
    }
    return found;
}

// Visible labels, buttons and lists that cut their text: wider than they are on one line, taller
// than they are when wrapped, a list's current entry wider than its field.
QStringList cutOff(QWidget *top)
{
    QStringList found;
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(top))
            continue;
        const QString name = w->objectName();
        if (w->parentWidget() && (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w))
            && !w->parentWidget()->rect().contains(w->geometry()))
            found << name + QStringLiteral(" runs out of its window");
        if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty()) {
            const bool cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                               : label->sizeHint().width() > label->width();
            if (cut)
                found << name + QStringLiteral(" cuts \"") + label->text() + u'"';
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            if (button->sizeHint().width() > button->width())
                found << name + QStringLiteral(" cuts \"") + button->text() + u'"';
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
            if (list->fontMetrics().horizontalAdvance(list->currentText()) > field.width())
                found << name + QStringLiteral(" cuts \"") + list->currentText() + u'"';
        }
    }
    return found;
}

// Controls of the main window's client area that run into each other or out of it (the
// separators lie under them).
QStringList overlapping(QWidget *area)
{
    QStringList found;
    QList<QWidget *> controls;
    for (QWidget *w : area->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible() && !w->objectName().startsWith(QLatin1String("line3d")))
            controls << w;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (!area->rect().contains(controls[i]->geometry()))
            found << controls[i]->objectName() + QStringLiteral(" runs out of the window");
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            if (controls[i]->geometry().intersects(controls[j]->geometry()))
                found << controls[i]->objectName() + u'/' + controls[j]->objectName();
    }
    return found;
}

// Mnemonics used twice among the texts.
QStringList clashingMnemonics(const QStringList &texts)
{
    QStringList found;
    QSet<QString> seen;
    for (const QString &text : texts) {
        const QString letter = mnemonicOf(text);
        if (letter.isEmpty())
            continue;
        if (seen.contains(letter))
            found << text;
        seen.insert(letter);
    }
    return found;
}

// A list readable in a failure message.
std::string text(const QStringList &list) { return list.join(QStringLiteral("\n")).toStdString(); }

}  // namespace

// The catalogue follows the first of the user's languages the program speaks; English and the
// languages it does not speak take none, so every text stays the program's own.
TEST_F(Languages, TheCatalogueFollowsTheLocale)
{
    EXPECT_EQ(translatedLanguages().size(), 6) << translatedLanguages().join(u' ').toStdString();
    const struct { const char *locale, *chosen, *installed; } rows[] = {
        {"de_DE", "de", "de"}, {"de_CH", "de", "de"}, {"de_AT", "de", "de"}, {"fr_FR", "fr", "fr"},
        {"fr_CA", "fr", "fr"}, {"es_ES", "es", "es"}, {"es_MX", "es", "es"}, {"it_IT", "it", "it"},
        {"nl_NL", "nl", "nl"}, {"nl_BE", "nl", "nl"}, {"pl_PL", "pl", "pl"}, {"en_US", "en", ""},
        {"en_GB", "en", ""},   {"C", "", ""},         {"sv_SE", "", ""},     {"ja_JP", "", ""},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.locale);
        const QLocale locale(QString::fromLatin1(r.locale));
        EXPECT_EQ(chosenLanguage(locale), QLatin1String(r.chosen));
        EXPECT_EQ(installTranslations(locale), QLatin1String(r.installed));
        EXPECT_EQ(installedLanguage(), QLatin1String(r.installed));
        // Installing another replaces the one before: no German left under a French catalogue.
        EXPECT_EQ(QCoreApplication::translate("PrintCommands", "Printing failed") == QLatin1String("Printing failed"),
                  QLatin1String(r.installed).isEmpty());
    }
}

// One row per language: the File menu, the settings dialog, a message box, Qt's own buttons, the
// hints printed on the pages and the assembly map's caption, each in the language; its menus,
// the window and the calibration dialog without a mnemonic used twice.
TEST_F(Languages, EachLanguageSpeaksInEveryPartOfTheProgram)
{
    const struct {
        QLocale::Language language;
        const char *file, *settings, *messageStart, *cancel, *hint, *captionStart;
    } rows[] = {
        {QLocale::German, "&Datei", "Weitere Einstellungen", "„abc“ ist keine Postergröße", "Abbrechen", "S. 1, darunter  4",
         "Poster 57.6cm × 37cm: 3 × 2 Blatt, 6 Seiten, Überlappung"},
        {QLocale::French, "&Fichier", "Réglages supplémentaires", "«\u00a0abc\u00a0» n’est pas une taille d’affiche", "Annuler",
         "p. 1, en dessous  4", "Affiche 57.6cm × 37cm\u00a0: 3 × 2 feuilles, 6 pages, chevauchement"},
        {QLocale::Spanish, "&Archivo", "Configuración adicional", "«abc» no es un tamaño de póster", "Cancelar",
         "p. 1, debajo  4", "Póster 57.6cm × 37cm: 3 × 2 hojas, 6 páginas, solapamiento"},
        {QLocale::Italian, "&File", "Altre impostazioni", "«abc» non è una dimensione di poster", "Annulla", "p. 1, sotto  4",
         "Poster 57.6cm × 37cm: 3 × 2 fogli, 6 pagine, sovrapposizione"},
        {QLocale::Dutch, "&Bestand", "Extra instellingen", "‘abc’ is geen postergrootte", "Annuleren", "p. 1, eronder  4",
         "Poster 57.6cm × 37cm: 3 × 2 vellen, 6 pagina’s, overlap"},
        {QLocale::Polish, "&Plik", "Dodatkowe ustawienia", "„abc” nie jest rozmiarem plakatu", "Anuluj", "s. 1, pod spodem  4",
         "Plakat 57.6cm × 37cm: arkusze 3 × 2, stron: 6, zakładka"},
    };
    for (const auto &r : rows) {
        const QLocale locale(r.language);
        SCOPED_TRACE(locale.name().toStdString());
        use(locale);
        messages.clear();
        open();
        const auto *file = window->menuBar()->actions().front();
        EXPECT_EQ(file->text(), QString::fromUtf8(r.file));
        frmSettings settings(window.get());
        EXPECT_EQ(settings.windowTitle(), QString::fromUtf8(r.settings));
        type("abc");
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_TRUE(messages.messages().front().text.startsWith(QString::fromUtf8(r.messageStart)))
            << messages.messages().front().text.toStdString();
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(r.cancel));
        EXPECT_EQ(bottomHint(1, 1, 2, 3), QString::fromUtf8(r.hint));
        const QString caption = assemblyMapCaption(window->poster());
        EXPECT_TRUE(caption.startsWith(QString::fromUtf8(r.captionStart))) << caption.toStdString();

        // No two entries of a menu, no two controls of a window share a mnemonic.
        for (QMenu *menu : window->findChildren<QMenu *>()) {
            QStringList entries;
            for (const QAction *action : menu->actions())
                entries << action->text();
            EXPECT_EQ(text(clashingMnemonics(entries)), "") << menu->objectName().toStdString();
        }
        QStringList windowKeys;
        for (const QAction *menu : window->menuBar()->actions())
            windowKeys << menu->text();
        for (const QLabel *label : window->centralWidget()->findChildren<QLabel *>())
            if (label->buddy())
                windowKeys << label->text();
        EXPECT_EQ(text(clashingMnemonics(windowKeys)), "");
        frmCalibrate calibrate(window.get(), QStringLiteral("Office"), 190, 270);
        QStringList calibrateKeys;
        for (const QLabel *label : calibrate.findChildren<QLabel *>())
            calibrateKeys << label->text();
        EXPECT_EQ(text(clashingMnemonics(calibrateKeys)), "");
        EXPECT_EQ(calibrateKeys.filter(QStringLiteral("&")).size(), 2);
        window->close();
    }
}

// The command-line tool speaks English to the scripts that read it, whatever the user's language.
TEST_F(Languages, TheCommandLineToolStaysEnglish)
{
    QImage tall(100, 1000, QImage::Format_RGB32);
    tall.fill(Qt::darkCyan);
    ASSERT_TRUE(tall.save(dir.filePath(QStringLiteral("tall.png"))));
    for (const char *language : {"de_DE.UTF-8", "pl_PL.UTF-8", "fr_FR.UTF-8"}) {
        SCOPED_TRACE(language);
        const QString lang = QString::fromLatin1(language);
        const test::CliRun run = test::runCli(
            test::words("print -o %1/out.pdf --resolution 50 --sheets 40", dir.path()) << QStringLiteral("--picture")
                << dir.filePath(QStringLiteral("tall.png")),
            {QStringLiteral("LANG=") + lang, QStringLiteral("LC_ALL=") + lang, QStringLiteral("LANGUAGE=") + lang.left(2)});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith("40 pages hold nothing of the picture and are not printed.\n")) << run.err.toStdString();
    }
}

// The pseudo-language: every text of the window, its dialogs, a message, the printed hints and the
// map caption comes from the catalogue, and no label, button or list cuts its text at the
// designed size, though each text is 40 % longer than in English.
TEST_F(Languages, APseudoLanguageShowsNothingUntranslatedOrCut)
{
    QTranslator pseudo;
    ASSERT_TRUE(pseudo.load(QStringLiteral(PLAKATRON_PSEUDO_CATALOGUE)));
    installTranslations(QLocale::c());
    QCoreApplication::installTranslator(&pseudo);
    open();
    ASSERT_EQ(window->centralWidget()->size(), frmMain::DesignClientSize);
    // Every paper, whose name is in the captions and the list.
    QComboBox *paper = child("cmbPaper");
    for (int i = paper->count() - 1; i >= 0; --i) {
        SCOPED_TRACE(paper->itemText(i).toStdString());
        paper->setCurrentIndex(i);
        EXPECT_EQ(text(untranslated(window.get())), "");
        EXPECT_EQ(text(cutOff(window.get())), "");
        EXPECT_EQ(text(overlapping(window->centralWidget())), "");
    }
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        EXPECT_TRUE(menu->title().isEmpty() || menu->title().contains(QLatin1String("[~"))) << menu->title().toStdString();
        for (const QAction *action : menu->actions())
            EXPECT_TRUE(action->isSeparator() || action->text().contains(QLatin1String("[~"))) << action->text().toStdString();
    }

    frmSettings settings(window.get());
    settings.show();
    frmCalibrate calibrate(window.get(), QStringLiteral("Office"), 190.5, 270);
    calibrate.show();
    frmSplash about(window.get());
    about.show();
    frmWait wait(window.get());
    wait.show();
    for (QWidget *dialog : std::initializer_list<QWidget *>{&settings, &calibrate, &about, &wait}) {
        SCOPED_TRACE(dialog->metaObject()->className());
        EXPECT_EQ(text(untranslated(dialog)), "");
        EXPECT_EQ(text(cutOff(dialog)), "");
    }
    // The about box's two links side by side, clear of each other.
    EXPECT_LT(about.lbGallery()->geometry().right(), about.Label2()->x());

    type("abc");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.messages().front().text.startsWith(QLatin1String("[~"))) << messages.messages().front().text.toStdString();
    for (const QString &printed : {bottomHint(1, 1, 2, 3), rightHint(1, 1, 3), assemblyMapCaption(window->poster()),
                                   errorWithNumber(RuntimeError(err::FileNotFound))})
        EXPECT_TRUE(printed.startsWith(QLatin1String("[~"))) << printed.toStdString();
    window->close();
    QCoreApplication::removeTranslator(&pseudo);
}

// The instructions open in the window's language where they are written in it, else in English.
TEST_F(Languages, TheInstructionsFollowTheLanguage)
{
    const QString built = QStringLiteral(PLAKATRON_BINARY_DIR "/bin/help/");
    const QString source = QStringLiteral(PLAKATRON_SOURCE_DIR "/resources/help/");
    const struct { const char *language, *page; } rows[] = {
        {"de", "index_de.htm"}, {"", "index.htm"}, {"fr", "index.htm"}, {"pl", "index.htm"}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.language);
        EXPECT_EQ(helpPage(built, QLatin1String(r.language)), built + QLatin1String(r.page));
    }
    // The German page is the English one's sections, every one of them.
    QFile english(source + QStringLiteral("index.htm"));
    QFile german(source + QStringLiteral("index_de.htm"));
    ASSERT_TRUE(english.open(QIODevice::ReadOnly) && german.open(QIODevice::ReadOnly));
    const QRegularExpression anchor(QStringLiteral("(?:id|href)=\"#?([a-z]+)\""));
    const auto anchors = [&](const QByteArray &page) {
        QStringList found;
        for (auto it = anchor.globalMatch(QString::fromUtf8(page)); it.hasNext();)
            found << it.next().captured(1);
        return found;
    };
    const QByteArray germanPage = german.readAll();
    EXPECT_EQ(anchors(germanPage), anchors(english.readAll()));
    EXPECT_TRUE(germanPage.contains("<html lang=\"de\">"));
}
