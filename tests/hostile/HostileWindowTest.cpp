// The real main window meeting extreme pictures and a settings store it cannot trust or cannot
// write: it keeps working, says what went wrong where it can, and loses nothing it had.
#include "TestFiles.h"
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

QString settingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName();
}

QString label(frmMain &w, const char *name) { return w.findChild<QLabel *>(QLatin1String(name))->text(); }
QComboBox *list(frmMain &w, const char *name) { return w.findChild<QComboBox *>(QLatin1String(name)); }

class HostileWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(QFileInfo(settingsFile()).path()).removeRecursively();
        QFile::remove(settingsFile());
    }
    void TearDown() override
    {
        // A folder or file put in the settings' way must not outlive the test.
        QDir(settingsFile()).removeRecursively();
        QFile::remove(QFileInfo(settingsFile()).path());
        QFile::remove(settingsFile());
    }

    QString picture(int width, int height)
    {
        const QString path = dir_.filePath(QStringLiteral("%1x%2.bmp").arg(width).arg(height));
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    QTemporaryDir dir_;
    test::MessageCapture messages_;
};

}  // namespace

// A 1 x 1 picture cannot be spread over 40 sheets: at least 10 source pixels make a sheet, and
// there is always one. The list shows the one sheet and its page renders.
TEST_F(HostileWindow, OnePixelPictureAtFortySheetsIsOnePage)
{
    frmMain w;
    list(w, "cmbA4Width")->setCurrentIndex(39);
    w.UpdatePictureFile(picture(1, 1));
    EXPECT_EQ(list(w, "cmbA4Width")->currentText(), QStringLiteral("1 page"));
    EXPECT_EQ(w.poster().SheetsAcross, 1);
    EXPECT_EQ(label(w, "lbTotalPages"), QStringLiteral("1"));
    w.picGrid_MouseDown(Qt::LeftButton, QPointF(5, 5));
    EXPECT_EQ(w.grid().SelectedPage, 1);
    EXPECT_EQ(w.pageCanvas().size(), QSize(820, 1151));
    EXPECT_TRUE(messages_.messages().empty());
}

// So tall that the rows do not fit 16 bits: the layout pass is abandoned silently, as every
// arithmetic failure of a pass is. The picture is in, the sizes it reached are shown, the page
// count and the grid stay those of the last complete pass, and clicking a page still works.
TEST_F(HostileWindow, PictureTooTallForTheGridAbandonsThePassSilently)
{
    frmMain w;
    list(w, "cmbA4Width")->setCurrentIndex(0);
    const PageGrid before = w.grid();
    w.UpdatePictureFile(picture(1, 46400));
    EXPECT_TRUE(messages_.messages().empty());
    EXPECT_EQ(w.sourcePicture().size(), QSize(1, 46400));
    EXPECT_EQ(w.grid().SourceHeight, 46400);
    EXPECT_GT(w.grid().SheetsDown, 32767);
    EXPECT_EQ(w.grid().GridRows, before.GridRows);
    EXPECT_EQ(label(w, "lbTotalPages"), QString::number(before.pageCount()));
    w.picGrid_MouseDown(Qt::LeftButton, QPointF(5, 5));
    EXPECT_EQ(w.grid().SelectedPage, 1);
    EXPECT_FALSE(w.pageCanvas().isNull());
    EXPECT_TRUE(messages_.messages().empty());

    // The next picture that fits gets a complete pass again.
    w.UpdatePictureFile(picture(100, 100));
    EXPECT_EQ(label(w, "lbTotalPages"), QStringLiteral("1"));
}

// Values the program never writes are read as their fallbacks; closing stores values in range
// and keeps the folder the open dialog remembered.
TEST_F(HostileWindow, ClosingRepairsStoredValuesAndKeepsTheFolder)
{
    {
        QSettings stored(settingsFile(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("PW"), QStringLiteral("abc"));
        stored.setValue(QStringLiteral("ResX"), QStringLiteral("1e9"));
        stored.setValue(QStringLiteral("Overlap"), QStringLiteral("-5"));
        stored.setValue(QStringLiteral("LastFolder"), QStringLiteral("/home/someone/Pictures/"));
    }
    {
        frmMain w;
        EXPECT_EQ(list(w, "cmbA4Width")->currentIndex(), 0);
        EXPECT_EQ(list(w, "cmbResox")->currentIndex(), 17);
        EXPECT_EQ(programWide().HorizontalOverlap, 3);
        w.close();
    }
    QSettings stored(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("PW")).toString(), QStringLiteral("0"));
    EXPECT_EQ(stored.value(QStringLiteral("ResX")).toString(), QStringLiteral("17"));
    EXPECT_EQ(stored.value(QStringLiteral("Overlap")).toString(), QStringLiteral("3"));
    EXPECT_EQ(stored.value(QStringLiteral("LastFolder")).toString(), QStringLiteral("/home/someone/Pictures/"));
    EXPECT_TRUE(messages_.messages().empty());
}

// A settings store that cannot be written (here a folder stands where the file belongs, which
// even an administrator cannot write through): the window runs on the defaults, closing it
// neither fails nor disturbs what is in the way.
TEST_F(HostileWindow, UnwritableSettingsStore)
{
    ASSERT_TRUE(QDir().mkpath(settingsFile()));
    QFile inside(settingsFile() + QStringLiteral("/keep.txt"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("kept");
    inside.close();
    {
        frmMain w;
        EXPECT_EQ(list(w, "cmbA4Width")->currentIndex(), DefaultSheetsIndex);
        list(w, "cmbA4Width")->setCurrentIndex(7);
        SaveSetting(settingkeys::Section, settingkeys::LastFolder, QStringLiteral("/somewhere/"));
        w.close();
    }
    EXPECT_TRUE(QFileInfo(settingsFile()).isDir());
    ASSERT_TRUE(inside.open(QIODevice::ReadOnly));
    EXPECT_EQ(inside.readAll(), QByteArray("kept"));
    EXPECT_EQ(readPosterChoices().sheetsIndex, DefaultSheetsIndex);
    EXPECT_TRUE(messages_.messages().empty());
}

// The help page beside the program is missing, or nothing on the desktop opens it: the program
// says which, where the Windows shell would have said it.
