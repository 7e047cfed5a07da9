// The real main window under the offscreen platform, with a real settings file in the test's
// temporary HOME and message boxes captured: its first run, the choices it stores and restores,
// picking pages, pictures dropped on it, and the start-up that fails before it opens.
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "app/modXPManifest.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "layout/GridView.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

QString settingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName();
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(settingsFile());
        QLocale::setDefault(QLocale::c());
        open();
    }
    // A new main window, shown; the one before must have been closed.
    void open()
    {
        window = std::make_unique<frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        grid = child<GridView>("picGrid");
    }
    template <typename Widget = QComboBox>
    Widget *child(const char *name) const { return window->findChild<Widget *>(QLatin1String(name)); }
    // The two lists' choices and the four size labels as the user reads them.
    std::string shown() const
    {
        QStringList texts{child("cmbA4Width")->currentText(), child("cmbResox")->currentText()};
        for (const char *name : {"lbA4Height", "lbFinalImageWidth", "lbFinalImageHeight", "lbTotalPages"})
            texts << child<QLabel>(name)->text();
        return texts.join(u'|').toStdString();
    }
    // A picture of one colour in the test's folder, in the format its name gives unless one is given;
    // no path when it cannot be saved.
    QString picture(const QString &name, int width, int height, const char *format = nullptr)
    {
        const QString path = QDir(dir.path()).filePath(name);
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkMagenta);
        return image.save(path, format) ? path : QString();
    }
    // Drags the files over the grid view and drops them; true when the drag was accepted.
    bool drag(const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        QDragEnterEvent enter(grid->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &enter);
        // Qt sends no drop after a refused drag; a platform that does reaches the handler.
        QDropEvent drop(grid->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QCoreApplication::sendEvent(grid, &drop);
        else
            window->picGrid_OLEDragDrop(data);
        return enter.isAccepted();
    }

    QTemporaryDir dir;
    test::MessageCapture messages;
    std::unique_ptr<frmMain> window;
    GridView *grid = nullptr;
};

// The worked example as the window first opens; a refused drop (two files, a name that is not a
// picture's) or a file that fails to load keeps the picture, the labels and the selected page.
TEST_F(MainWindow, FirstRunShowsTheWorkedExampleWhichFailedDropsKeep)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Plakatron V2.0.9"));
    EXPECT_EQ(child<QLabel>("lbPreview")->text(), QStringLiteral("Preview:"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(783, 537));
    EXPECT_EQ(mainWindow(), window.get());
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(10, 10));
    // A format the program does not read, named as one it does.
    const QString fake = picture("fake.bmp", 1, 1, "XPM");
    // The message's start and end; none when empty.
    const struct { QStringList files; bool accepted; QString starts, ends; } rows[] = {
        {{}, false, {}, {}},
        {{picture("a.bmp", 5, 5), picture("b.bmp", 6, 6)}, false, {}, {}},
        {{picture("notes.txt", 1, 1, "BMP")}, false, "File format not supported!", "supported!"},
        {{fake}, true, "Unable to load picture '" + fake + "'\r\n", "\r\nCode 481"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.files.join(u' ').toStdString());
        messages.clear();
        EXPECT_EQ(drag(r.files), r.accepted);
        ASSERT_EQ(messages.messages().size(), r.starts.isEmpty() ? 0u : 1u);
        for (const MessageRequest &m : messages.messages()) {
            EXPECT_TRUE(m.text.startsWith(r.starts) && m.text.endsWith(r.ends)) << m.text.toStdString();
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        }
        EXPECT_EQ(window->sourcePicture().size(), QSize(880, 560));
        EXPECT_EQ(window->grid().SelectedPage, 1);
        EXPECT_EQ(shown(), "3 pages *|800 *|1.35|59.8cm|38cm|6");
    }
}

// Stored values the program never writes open as their fallbacks (a list index is the leading
// number of its text, none giving 0; the overlap must be a whole number); closing stores what the
// window shows and keeps the folder the open dialog remembered. A store that cannot be written
// leaves the window on its defaults.
TEST_F(MainWindow, TheSettingsStore)
{
    window->close();
    using namespace settingkeys;
    const QString keys[] = {SheetsAcross, Resolution, Overlap, LastFolder};
    const auto stored = [&keys] {
        QStringList values;
        for (const QString &key : keys)
            values << GetSetting(Section, key, {});
        return values.join(u'|').toStdString();
    };
    SaveSetting(Section, LastFolder, QStringLiteral("/home/someone/"));
    const struct { const char *values[3], *stored; } rows[] = {
        {{"", "", ""}, "0|0|3"},          {{"abc", "abc", "abc"}, "0|0|3"},  {{"-5", "-5", "-5"}, "2|17|3"},
        {{"1e9", "1e9", "1e9"}, "2|17|3"}, {{"40", "24", "51"}, "2|17|3"},  {{"39", "23", "50"}, "39|23|50"},
        {{"5 pages", "10", " 0 "}, "5|10|0"}, {{"7.5", "3", "12 %"}, "8|3|3"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.values[0]);
        for (int i = 0; i < 3; ++i)
            SaveSetting(Section, keys[i], QLatin1String(r.values[i]));
        open();
        window->close();
        EXPECT_EQ(stored(), r.stored + std::string("|/home/someone/"));
    }
    ASSERT_FALSE(picture(settingsFile(), 2, 2, "BMP").isEmpty());  // not a settings file at all
    open();
    EXPECT_EQ(shown(), "3 pages *|800 *|1.35|59.8cm|38cm|6");

    // The user's choices are stored when the window closes.
    child("cmbA4Width")->setCurrentIndex(3);
    child("cmbResox")->setCurrentIndex(10);  // the second "100"
    programWide().HorizontalOverlap = programWide().VerticalOverlap = 12;
    window->close();
    EXPECT_EQ(mainWindow(), nullptr);
    EXPECT_EQ(stored(), "3|10|12|");

    // Something in the file's way (a folder, which not even an administrator can write through):
    // the window runs on the defaults, and closing it stores nothing and disturbs nothing.
    ASSERT_TRUE(QFile::remove(settingsFile()) && QDir().mkpath(settingsFile() + QStringLiteral("/kept")));
    open();
    EXPECT_EQ(shown(), "3 pages *|800 *|1.35|59.8cm|38cm|6");
    child("cmbA4Width")->setCurrentIndex(7);
    window->close();
    EXPECT_TRUE(QFileInfo(settingsFile() + QStringLiteral("/kept")).isDir());
    EXPECT_EQ(stored(), "|||");
    EXPECT_TRUE(messages.messages().empty());
    QDir(settingsFile()).removeRecursively();
}

// Instructions opens help/index.htm beside the program; without it nothing of ours happens.
TEST_F(MainWindow, InstructionsOpenTheHelpPageIfThereIsOne)
{
    modToolbox::setAppFolderForTesting(dir.path());
    std::vector<QUrl> opened;
    const auto previous = modToolbox::installShellOpenHandler([&opened](const QUrl &url) {
        opened.push_back(url);
        return true;
    });
    child<QAction>("mnuInst")->trigger();
    EXPECT_TRUE(opened.empty());
    QDir(dir.path()).mkpath(QStringLiteral("help"));
    const QString help = picture("help/index.htm", 1, 1, "XPM");
    child<QAction>("mnuInst")->trigger();
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(help)});
    EXPECT_TRUE(messages.messages().empty());
    modToolbox::installShellOpenHandler(previous);
    modToolbox::setAppFolderForTesting(QString());
}

// A left press or a right release picks the page under the pointer (x, y in pages), also beside
// the grid; the right release opens the menu. The caption is only rewritten ("-" stays) for a new
// page.
TEST_F(MainWindow, LeftPressOrRightReleasePicksThePageUnderThePointer)
{
    auto *caption = child<QLabel>("lbPreview");
    auto *menu = child<QMenu>("mnu");
    const PosterSettings &s = window->poster();
    const struct { double x, y; Qt::MouseButton button; bool press; int page; const char *says; } rows[] = {
        {0.5, 0.5, Qt::RightButton, true, 0, "-"},
        {0.5, 0.5, Qt::LeftButton, false, 0, "-"},
        {1.5, 1.5, Qt::LeftButton, true, 5, "Preview: (page  5)"},
        {3.02, 0.01, Qt::LeftButton, true, 4, "Preview: (page  4)"},  // right of the 3 x 2 grid
        {1.5, 0.5, Qt::RightButton, false, 2, "Preview: (page  2)"},
        {1.5, 0.5, Qt::RightButton, false, 2, "-"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &r - rows);
        caption->setText(QStringLiteral("-"));
        const QPointF page(r.x * s.PagePixelWidth, r.y * s.PagePixelHeight);
        const QPoint at = grid->contentsRect().topLeft() + (page / grid->pagePixelsPerViewPixel()).toPoint();
        r.press ? QTest::mousePress(grid, r.button, {}, at) : QTest::mouseRelease(grid, r.button, {}, at);
        EXPECT_EQ(window->grid().SelectedPage, r.page);
        EXPECT_EQ(caption->text().toStdString(), r.says);
        EXPECT_EQ(menu->isVisible(), r.button == Qt::RightButton && !r.press);
        menu->hide();
    }
    EXPECT_EQ(window->pageCanvas().size(), QSize(820, 1151));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Print this picture..."));
}

// Each tick draws over the kept picture: a box on the page under the pointer, and the selected
// page's box, whose hatch blinks with a new phase every half second. Nothing else changes.
TEST_F(MainWindow, TickDrawsThePointerBoxAndTheBlinkingSelection)
{
    double now = 100;
    grid->setClock([&] { return now; });
    const QImage background = grid->background();
    const PosterSettings &s = window->poster();
    const double scale = grid->pagePixelsPerViewPixel();
    const auto view = [&](double x, double y) {
        return QPointF(x * s.PagePixelWidth, y * s.PagePixelHeight) / scale;
    };
    // The view rectangle of a page cell, widened by the thick pen.
    const auto cell = [&](int k, int r) {
        return QRectF(view(k, r), view(k + 1, r + 1)).toRect().adjusted(-3, -3, 3, 3);
    };
    const auto changed = [](const QImage &a, const QImage &b) {
        QRect where;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    where |= QRect(x, y, 1, 1);
        return where;
    };
    const auto frame = [&](double later) {
        now += later;
        window->tmrGrid_Timer();
        return grid->composed();
    };
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(1.5 * s.PagePixelWidth, 1.5 * s.PagePixelHeight));
    const auto moveTo = [&](double x, double y) {
        QTest::mouseMove(grid, grid->contentsRect().topLeft() + view(x, y).toPoint());
    };
    moveTo(3.02, 0.01);  // beside the grid: no box
    const QImage first = frame(0.6);
    EXPECT_EQ(frame(0.3), first) << "no new phase within half a second";
    const QImage second = frame(0.3);
    EXPECT_FALSE(changed(first, second).isEmpty());
    EXPECT_TRUE(cell(1, 1).contains(changed(first, second)));
    moveTo(0.5, 0.5);
    const QImage pointed = frame(0);
    EXPECT_FALSE(changed(second, pointed).isEmpty());
    EXPECT_TRUE(cell(0, 0).contains(changed(second, pointed)));
    EXPECT_EQ(grid->background(), background) << "a tick never redraws the picture";
}

// Dropped pictures at the edges of the page arithmetic neither stop the window nor show a message.
TEST_F(MainWindow, ExtremePicturesKeepTheWindowWorking)
{
    // So tall that the rows pass 16 bits: the pass is abandoned silently; the labels up to the
    // heights are new, the page count and the grid stay those of the last complete pass.
    child("cmbA4Width")->setCurrentIndex(1);
    ASSERT_TRUE(drag({picture("tall.BMP", 1, 46400)}));
    EXPECT_EQ(shown(), "1 page|800 *|32814.71|19.9cm|9258m  67cm|2");
    EXPECT_EQ(window->grid().GridRows, 1);
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(5, 5));
    EXPECT_FALSE(window->pageCanvas().isNull());

    // A 1 x 1 picture on 40 sheets: at least 10 picture pixels make a sheet, and there is one.
    child("cmbA4Width")->setCurrentIndex(39);
    ASSERT_TRUE(drag({picture("dot.jpeg", 1, 1)}));
    EXPECT_EQ(shown(), "1 page|800 *|0.71|19.9cm|19.9cm|1");
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(5, 5));
    EXPECT_EQ(window->pageCanvas().size(), QSize(820, 1151));
    EXPECT_TRUE(messages.messages().empty());
}

// The splash shows in its start-up role, then the main window opens.
TEST(Startup, TheSplashInItsStartupRoleThenTheWindow)
{
    test::MessageCapture messages;
    int startupSplashes = 0;
    EXPECT_TRUE(modXPManifest::Main({.initControlClasses = [] { return true; },
                                     .showSplash = [&] { startupSplashes += programWide().SplashAtStartup; }}));
    EXPECT_EQ(startupSplashes, 1);
    EXPECT_FALSE(programWide().SplashAtStartup);
    ASSERT_NE(mainWindow(), nullptr);
    EXPECT_TRUE(mainWindow()->isVisible());
    EXPECT_TRUE(messages.messages().empty());
    mainWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Startup, FailedInitialisationShowsTheErrorAndNoWindow)
{
    test::MessageCapture messages;
    EXPECT_FALSE(modXPManifest::Main({.initControlClasses = [] { return false; },
                                      .showSplash = [] { ADD_FAILURE() << "the splash showed"; }}));
    ASSERT_EQ(messages.messages().size(), 1u);
    const MessageRequest &m = messages.messages()[0];
    EXPECT_EQ(m.title + u'|' + m.text, "Plakatron|Initialization error!");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(mainWindow(), nullptr);
}

}  // namespace
