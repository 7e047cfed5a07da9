// The main window with its real widgets and a real settings file in the test's temporary HOME.
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

QString settingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName();
}

QString text(frmMain &w, const char *label) { return w.findChild<QLabel *>(QLatin1String(label))->text(); }
QComboBox *list(frmMain &w, const char *name) { return w.findChild<QComboBox *>(QLatin1String(name)); }

// Writes the settings file as a user (or another program) might have left it.
void writeSettingsFile(const QByteArray &content)
{
    QFile f(settingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(settingsFile());
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

}  // namespace

TEST_F(MainWindowTest, FirstRunShowsTheDefaultsAndTheWorkedExample)
{
    frmMain w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Plakatron V2.0.9"));
    EXPECT_EQ(list(w, "cmbA4Width")->currentText(), QStringLiteral("3 pages *"));
    EXPECT_EQ(list(w, "cmbResox")->currentText(), QStringLiteral("800 *"));
    EXPECT_EQ(programWide().HorizontalOverlap, 3);
    EXPECT_EQ(programWide().VerticalOverlap, 3);
    EXPECT_EQ(w.sourcePicture().size(), QSize(880, 560));
    EXPECT_EQ(text(w, "lbA4Height"), QStringLiteral("1.35"));
    EXPECT_EQ(text(w, "lbFinalImageWidth"), QStringLiteral("59.8cm"));
    EXPECT_EQ(text(w, "lbFinalImageHeight"), QStringLiteral("38cm"));
    EXPECT_EQ(text(w, "lbTotalPages"), QStringLiteral("6"));
    EXPECT_EQ(text(w, "lbPreview"), QStringLiteral("Preview:"));
    EXPECT_EQ(w.centralWidget()->size(), QSize(783, 537));
    EXPECT_FALSE(list(w, "cmbResox")->toolTip().isEmpty());
    EXPECT_EQ(mainWindow(), &w);
}

TEST_F(MainWindowTest, ListChangesRecomputeAndClosingStoresTheChoices)
{
    {
        frmMain w;
        list(w, "cmbA4Width")->setCurrentIndex(3);
        EXPECT_EQ(w.grid().GridColumns, 4);
        EXPECT_EQ(text(w, "lbTotalPages"), QStringLiteral("8"));
        list(w, "cmbResox")->setCurrentIndex(10);  // the second "100"
        EXPECT_EQ(w.poster().PagePixelWidth, 100);
        programWide().HorizontalOverlap = programWide().VerticalOverlap = 12;
        w.close();
        EXPECT_EQ(mainWindow(), nullptr);
    }
    QSettings stored(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("PW")).toString(), QStringLiteral("3"));
    EXPECT_EQ(stored.value(QStringLiteral("ResX")).toString(), QStringLiteral("10"));
    EXPECT_EQ(stored.value(QStringLiteral("Overlap")).toString(), QStringLiteral("12"));

    frmMain again;
    EXPECT_EQ(list(again, "cmbA4Width")->currentIndex(), 3);
    EXPECT_EQ(list(again, "cmbResox")->currentIndex(), 10);
    EXPECT_EQ(programWide().HorizontalOverlap, 12);
    EXPECT_EQ(again.poster().PagePixelWidth, 100);
}

TEST_F(MainWindowTest, StoredValuesTheProgramNeverWritesFallBackToTheDefaults)
{
    struct Row { const char *pw, *resx, *overlap; int sheetsIndex, resolutionIndex, overlapValue; };
    const Row rows[] = {
        // The list indexes are the leading number of their text (none gives 0); the overlap must be
        // a number as a whole.
        {"", "", "", 0, 0, 3},            {"abc", "abc", "abc", 0, 0, 3},
        {"-5", "-5", "-5", 2, 17, 3},     {"1e9", "1e9", "1e9", 2, 17, 3},
        {"40", "24", "51", 2, 17, 3},     {"39", "23", "50", 39, 23, 50},
        {"5 pages", "10", " 0 ", 5, 10, 0}, {"7.5", "3", "3 %", 8, 3, 3},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.pw << " / " << r.resx << " / " << r.overlap);
        QSettings stored(settingsFile(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("PW"), QString::fromLatin1(r.pw));
        stored.setValue(QStringLiteral("ResX"), QString::fromLatin1(r.resx));
        stored.setValue(QStringLiteral("Overlap"), QString::fromLatin1(r.overlap));
        stored.sync();
        const StoredPosterChoices c = readPosterChoices();
        EXPECT_EQ(c.sheetsIndex, r.sheetsIndex);
        EXPECT_EQ(c.resolutionIndex, r.resolutionIndex);
        EXPECT_EQ(c.overlap, r.overlapValue);
    }
    // A file that is not a settings file at all: the window opens with the defaults.
    writeSettingsFile(QByteArray("\x00\xff garbage [[[ =\n", 17));
    frmMain w;
    EXPECT_EQ(list(w, "cmbA4Width")->currentIndex(), 2);
    EXPECT_EQ(text(w, "lbTotalPages"), QStringLiteral("6"));
}

TEST_F(MainWindowTest, TheSizeLabelsFollowTheLocaleOnlyForSheetsDown)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmMain w;
    list(w, "cmbA4Width")->setCurrentIndex(9);
    EXPECT_EQ(text(w, "lbA4Height"), QStringLiteral("4,50"));
    EXPECT_EQ(text(w, "lbFinalImageWidth"), QStringLiteral("1m  99.5cm"));
}

TEST_F(MainWindowTest, MenuCommandsOpenTheirWindowsAndTheHelp)
{
    frmMain w;
    w.show();
    const auto trigger = [&w](const char *name) { w.findChild<QAction *>(QLatin1String(name))->trigger(); };

    // Settings: 12 % applied by "Close"; the size labels follow only at the next layout.
    test::ModalWatchdog<frmSettings> settingsWatchdog(5000, [] { return frmSettings::current(); });
    test::whileModal<frmSettings>(50, [] { return frmSettings::current(); }, [&w](frmSettings &dialog) {
        EXPECT_EQ(dialog.parentWidget(), &w);
        dialog.cmbOverlab()->setCurrentIndex(12);
        QTest::mouseClick(dialog.Command1(), Qt::LeftButton);
    });
    trigger("mnuSettings");
    EXPECT_EQ(programWide().HorizontalOverlap, 12);
    EXPECT_EQ(programWide().VerticalOverlap, 12);
    EXPECT_EQ(text(w, "lbFinalImageWidth"), QStringLiteral("59.8cm"));
    list(w, "cmbA4Width")->setCurrentIndex(3);
    list(w, "cmbA4Width")->setCurrentIndex(2);
    EXPECT_EQ(text(w, "lbFinalImageWidth"), QStringLiteral("54.1cm"));

    // About: the splash window in its about role, closed by a key.
    bool aboutRole = false;
    test::ModalWatchdog<frmSplash> splashWatchdog(5000, [] { return frmSplash::current(); });
    test::whileModal<frmSplash>(50, [] { return frmSplash::current(); }, [&](frmSplash &splash) {
        aboutRole = !splash.startupRole();
        QTest::keyClick(&splash, Qt::Key_Escape);
    });
    trigger("mnuAbout");
    EXPECT_TRUE(aboutRole);
    EXPECT_EQ(frmSplash::current(), nullptr);

    // Instructions: help/index.htm beside the program; without it nothing of ours happens.
    QTemporaryDir appFolder;
    modToolbox::setAppFolderForTesting(appFolder.path());
    std::vector<QUrl> opened;
    const auto previous = modToolbox::installShellOpenHandler([&](const QUrl &url) {
        opened.push_back(url);
        return true;
    });
    test::MessageCapture messages;
    trigger("mnuInst");
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(messages.messages().empty());
    ASSERT_TRUE(QDir(appFolder.path()).mkpath(QStringLiteral("help")));
    QFile help(appFolder.filePath(QStringLiteral("help/index.htm")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    trigger("mnuInst");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(help.fileName()));
    modToolbox::installShellOpenHandler(previous);
    modToolbox::setAppFolderForTesting(QString());
}
