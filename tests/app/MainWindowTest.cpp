// The real main window under the offscreen platform, with a real settings file in the test's
// temporary HOME and message boxes captured: its first run, the choices it stores and restores,
// picking pages, pictures dropped on it, and the start-up that fails before it opens.
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "app/modXPManifest.h"
#include "core/NumberText.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "layout/GridView.h"
#include "layout/PreviewBox.h"
#include "printing/modPrinter.h"
#include "support/ModalDriver.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace plakatron;

namespace {

// Named without being opened (a FIFO there would never answer QSettings).
QString settingsFile() { return settingsFilePath(); }

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
        preview = child<PreviewBox>("picPreview");
    }
    // The window as the one the keyboard types into.
    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The middle of a page's cell, in the grid view's widget coordinates.
    QPoint middleOf(int page) const
    {
        const PosterSettings &s = window->poster();
        const int columns = window->grid().GridColumns;
        const QPointF cell(((page - 1) % columns + 0.5) * s.PagePixelWidth, ((page - 1) / columns + 0.5) * s.PagePixelHeight);
        return grid->contentsRect().topLeft() + (cell / grid->pagePixelsPerViewPixel()).toPoint();
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
    PreviewBox *preview = nullptr;
};

// What a screen reader is told of a widget.
std::string said(QWidget *widget, QAccessible::Text text = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(widget)->text(text).toStdString();
}

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
    // A pipe named as a picture: opening it would wait for a writer for ever.
    const QString pipe = dir.filePath("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // The message's start and end; none when empty.
    const struct { QStringList files; bool accepted; QString starts, ends; } rows[] = {
        {{}, false, {}, {}},
        {{picture("a.bmp", 5, 5), picture("b.bmp", 6, 6)}, false, {}, {}},
        {{picture("notes.txt", 1, 1, "BMP")}, false, "File format not supported!", "supported!"},
        {{fake}, true, "Unable to load picture '" + fake + "'\r\n", "\r\nCode 481"},
        {{pipe}, true, "Unable to load picture '" + pipe + "'\r\nThe path names a pipe", "\r\nCode 481"},
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

TEST_F(MainWindow, ASettingsFileTooLargeOrNotARegularFileIsLeftAlone)
{
    // The program's own file is under 1 KB; reading and rewriting 50 MB froze the window for
    // seconds, and a FIFO for good. Such a file is neither read nor written: the window runs on the
    // defaults. Up to 64 KB is read as usual.
    window->close();
    const QByteArray choices = "[General]\nPW=0\nResX=0\nOverlap=9\n";
    // Keys of their own, each parsed and written back: 60 KB, or 1 MB.
    const auto padded = [&choices](int keys) {
        QByteArray file = choices;
        file.reserve(keys * 50);
        for (int i = 0; i < keys; ++i)
            file += "Note" + QByteArray::number(i) + '=' + QByteArray(40, 'x') + '\n';
        return file;
    };
    enum Kind { File, Fifo, LinkToFifo };
    const struct { Kind kind; QByteArray content; const char *shown; bool kept; } rows[] = {
        {File, padded(1200), "1 page|10|", false},
        {File, padded(20'000), "3 pages *|800 *|", true},  // 1 MB
        {Fifo, {}, "3 pages *|800 *|", true},
        {LinkToFifo, {}, "3 pages *|800 *|", true},
    };
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    EXPECT_EQ(settingsFile(), QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName());
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.kind << ", " << r.content.size() << " bytes");
        QFile::remove(settingsFile());
        QFile::remove(fifo);
        if (r.kind == File) {
            QFile file(settingsFile());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(r.content), r.content.size());
        } else {
            ASSERT_EQ(::mkfifo(QFile::encodeName(r.kind == Fifo ? settingsFile() : fifo).constData(), 0644), 0);
            if (r.kind == LinkToFifo) {
                ASSERT_TRUE(QFile::link(fifo, settingsFile()));
            }
        }
        const QFileInfo before(settingsFile());
        open();
        EXPECT_EQ(shown().substr(0, std::strlen(r.shown)), r.shown);
        child("cmbA4Width")->setCurrentIndex(7);
        window->close();
        const QFileInfo after(settingsFile());
        if (r.kind == File && r.kept) {
            QFile file(settingsFile());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), r.content);
        }
        if (r.kept) {
            EXPECT_EQ(std::tuple(after.size(), after.lastModified(), after.isSymLink(), after.isFile()),
                      std::tuple(before.size(), before.lastModified(), before.isSymLink(), before.isFile()));
        } else {
            EXPECT_EQ(GetSetting(settingkeys::Section, settingkeys::SheetsAcross, {}), QStringLiteral("7"));
        }
    }
    QFile::remove(settingsFile());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(MainWindow, AFullDiskKeepsTheSettingsFile)
{
    window->close();
    test::SmallDisk disk(1);
    PLAKATRON_REQUIRE_SMALL_DISK(disk);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, disk.path());
    const QByteArray stored = "[General]\nOverlap=7\nPW=5\nResX=3\n";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settingsFile()).path()));
    QFile file(settingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size());
    file.close();
    disk.fill(0);
    open();
    EXPECT_EQ(shown().substr(0, 11), "6 pages|40|");
    child("cmbA4Width")->setCurrentIndex(7);
    window->close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
    EXPECT_EQ(QDir(QFileInfo(settingsFile()).path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Plakatron.ini")})
        << "no temporary file left";
    EXPECT_TRUE(messages.messages().empty());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
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

// A left press or a right release picks the page under the pointer (x, y in pages); the right
// release opens the menu. The caption is only rewritten ("-" stays) for a new page. The white
// strip right of the grid and below it holds no page: clicks there select and open nothing.
TEST_F(MainWindow, LeftPressOrRightReleasePicksThePageUnderThePointerAndOnlyOnThePoster)
{
    auto *caption = child<QLabel>("lbPreview");
    auto *menu = child<QMenu>("mnu");
    const PosterSettings &s = window->poster();
    const struct { double x, y; Qt::MouseButton button; bool press; int page; const char *says; bool menu; } rows[] = {
        {0.5, 0.5, Qt::RightButton, true, 0, "-", false},
        {0.5, 0.5, Qt::LeftButton, false, 0, "-", false},
        {1.5, 1.5, Qt::LeftButton, true, 5, "Preview: (page  5)", false},
        {3.02, 0.01, Qt::LeftButton, true, 5, "-", false},   // right of the 3 x 2 grid
        {3.02, 0.01, Qt::RightButton, false, 5, "-", false},
        {3.05, 1.9, Qt::RightButton, false, 5, "-", false},
        {1.5, 0.5, Qt::RightButton, false, 2, "Preview: (page  2)", true},
        {1.5, 0.5, Qt::RightButton, false, 2, "-", true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &r - rows);
        caption->setText(QStringLiteral("-"));
        const QPointF page(r.x * s.PagePixelWidth, r.y * s.PagePixelHeight);
        const QPoint at = grid->contentsRect().topLeft() + (page / grid->pagePixelsPerViewPixel()).toPoint();
        ASSERT_TRUE(grid->contentsRect().contains(at));
        r.press ? QTest::mousePress(grid, r.button, {}, at) : QTest::mouseRelease(grid, r.button, {}, at);
        EXPECT_EQ(window->grid().SelectedPage, r.page);
        EXPECT_EQ(caption->text().toStdString(), r.says);
        EXPECT_EQ(menu->isVisible(), r.menu);
        menu->hide();
    }
    EXPECT_EQ(window->pageCanvas().size(), QSize(820, 1151));

    // Below the one row of a 3-page panorama: before, «page  5» with "5 put  6 next".
    ASSERT_TRUE(drag({picture("panorama.bmp", 3000, 500)}));
    ASSERT_EQ(window->grid().pageCount(), 3);
    const auto click = [&](double x, double y, Qt::MouseButton button) {
        const QPoint at = grid->contentsRect().topLeft()
                          + (QPointF(x * s.PagePixelWidth, y * s.PagePixelHeight) / grid->pagePixelsPerViewPixel()).toPoint();
        ASSERT_TRUE(grid->contentsRect().contains(at));
        button == Qt::LeftButton ? QTest::mousePress(grid, button, {}, at) : QTest::mouseRelease(grid, button, {}, at);
    };
    click(1.5, 1.5, Qt::LeftButton);
    click(0.5, 1.2, Qt::RightButton);
    EXPECT_EQ(window->grid().SelectedPage, 0);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(child<PreviewBox>("picPreview")->picture().isNull());
    click(1.5, 0.9, Qt::LeftButton);
    EXPECT_EQ(window->grid().SelectedPage, 2);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text().remove(u'&'), QStringLiteral("Print this picture..."));
    EXPECT_EQ(menu->actions()[1]->text().remove(u'&'), QStringLiteral("Print assembly map..."));
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
    // The device rectangle of a page cell, widened by the thick pen.
    const double ratio = background.devicePixelRatio();
    const auto cell = [&](int k, int r) {
        return QRectF(view(k, r) * ratio, view(k + 1, r + 1) * ratio).toRect().adjusted(-4, -4, 4, 4);
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
        // Sent straight to the view: QTest's own move is off at scales other than 1.
        const QPointF at = grid->contentsRect().topLeft() + view(x, y);
        QMouseEvent move(QEvent::MouseMove, at, grid->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &move);
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

// Every shortcut opens what it names, each command answered through its own seam: Alt+F opens
// the File menu and its letters its entries, Ctrl+O, F1, Ctrl+P and Ctrl+Q go straight to theirs,
// and the Menu key or Shift+F10 opens the pop-up menu of the focused grid view or preview. The
// captions stay as they were, with the mnemonic marked.
TEST_F(MainWindow, EveryShortcutOpensWhatItNames)
{
    activate();
    modToolbox::setAppFolderForTesting(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("help"));
    ASSERT_FALSE(picture("help/index.htm", 1, 1, "XPM").isEmpty());
    QStringList opened;  // what each seam saw
    const auto fileDialog = modToolbox::installFileDialogHandler([&](const modToolbox::FileDialogRequest &r) {
        opened << "file dialog " + r.title;
        return modToolbox::FileDialogAnswer{};
    });
    const auto shell = modToolbox::installShellOpenHandler([&](const QUrl &url) {
        opened << "shell " + url.fileName();
        return true;
    });
    const auto printDialog = setPrintDialogFunction([&](const PrintDialogRequest &) {
        opened << QStringLiteral("print dialog");
        return false;
    });
    // A modal window opened by the next key: recorded with its icon and closed.
    const auto closeWhenModal = [&]<typename Window>(Window *) {
        test::whileModal<Window>(0, &Window::current, [&](Window &w) {
            opened << QLatin1String(w.metaObject()->className()) + QLatin1String(w.windowIcon().isNull() ? "" : " with icon");
            w.done(QDialog::Rejected);
        });
    };
    QMenu *file = child<QMenu>("mnuFile");
    QMenu *popup = child<QMenu>("mnu");
    const auto popupBy = [&](QWidget *view, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        view->setFocus();
        QTest::keyClick(view, key, modifiers);
        opened << (popup->isVisible() ? "pop-up menu" : "");
        popup->hide();
    };
    const auto inFile = [&](Qt::Key letter) {
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        EXPECT_TRUE(file->isVisible());
        QTest::keyClick(file, letter);
    };
    const struct {
        const char *keys;
        std::function<void()> press;
        const char *opens;
    } rows[] = {
        {"Alt+F", [&] {
             QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
             opened << (file->isVisible() ? "File menu" : "");
             file->hide();
         }, "File menu"},
        {"Ctrl+O", [&] { QTest::keySequence(window.get(), QKeySequence(QStringLiteral("Ctrl+O"))); }, "file dialog Open Picture"},
        {"Alt+F O", [&] { inFile(Qt::Key_O); }, "file dialog Open Picture"},
        {"Alt+F S", [&] { closeWhenModal((frmSettings *)nullptr); inFile(Qt::Key_S); }, "plakatron::frmSettings with icon"},
        {"F1", [&] { QTest::keyClick(window.get(), Qt::Key_F1); }, "shell index.htm"},
        {"Alt+F I", [&] { inFile(Qt::Key_I); }, "shell index.htm"},
        {"Alt+F A", [&] { closeWhenModal((frmSplash *)nullptr); inFile(Qt::Key_A); }, "plakatron::frmSplash with icon"},
        {"Ctrl+P", [&] {
             QTest::keySequence(window.get(), QKeySequence(QStringLiteral("Ctrl+P")));
             // A button's shortcut clicks a moment later.
             EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 2000));
         }, "print dialog"},
        {"Menu on the grid, nothing selected", [&] { popupBy(grid, Qt::Key_Menu, {}); }, ""},
        {"Home, Menu on the grid", [&] {
             grid->setFocus();
             QTest::keyClick(grid, Qt::Key_Home);
             popupBy(grid, Qt::Key_Menu, {});
         }, "pop-up menu"},
        {"Shift+F10 on the grid", [&] { popupBy(grid, Qt::Key_F10, Qt::ShiftModifier); }, "pop-up menu"},
        {"Menu on the preview", [&] { popupBy(preview, Qt::Key_Menu, {}); }, "pop-up menu"},
        {"Shift+F10 on the preview", [&] { popupBy(preview, Qt::Key_F10, Qt::ShiftModifier); }, "pop-up menu"},
        {"Ctrl+Q", [&] {
             QTest::keySequence(window.get(), QKeySequence(QStringLiteral("Ctrl+Q")));
             opened << (window->isVisible() ? "" : "closed");
         }, "closed"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.keys);
        activate();  // again after each modal window
        opened.clear();
        r.press();
        EXPECT_EQ(opened.join(u'|').toStdString(), r.opens);
    }
    // Home selected page 1; the Menu key, a right click on it, showed it and opened the menu.
    EXPECT_EQ(window->grid().SelectedPage, 1);
    EXPECT_EQ(window->previewPage(), 1);
    EXPECT_EQ(mainWindow(), nullptr);

    QStringList captions;
    for (const QAction *a : window->menuBar()->actions() + file->actions() + popup->actions())
        if (!a->isSeparator())
            captions << a->text() + (a->shortcut().isEmpty() ? QString() : u'\t' + a->shortcut().toString());
    EXPECT_EQ(captions.join(u'|').toStdString(),
              "&File|&Open Picture...\tCtrl+O|&Settings|&Instructions\tF1|&About|E&xit\tCtrl+Q|&Print this picture..."
              "|Print assembly &map...");
    EXPECT_EQ(child<QPushButton>("cmdPrint")->text(), QStringLiteral("Print"));
    EXPECT_TRUE(messages.messages().empty());
    modToolbox::installFileDialogHandler(fileDialog);
    modToolbox::installShellOpenHandler(shell);
    setPrintDialogFunction(printDialog);
    modToolbox::setAppFolderForTesting(QString());
}

// Tab goes round the grid view, the preview, the two lists and Print. In the grid view the arrows
// select the next page, stopping at the poster's edges, Home and End the first and the last page;
// with no page selected the first key selects page 1 (End the last). Stepping neither renders nor
// names a page; Enter, Return or Space then shows the selected page once, as a click does.
// Posters: 3 x 2, one row, one column, one page, and no grid (the page size 0, as before the first
// pass), where keys do nothing.
TEST_F(MainWindow, TheKeysSelectAPageAndEnterShowsIt)
{
    activate();
    grid->setFocus();
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(u' '), "picGrid picPreview cmbA4Width cmbResox cmdPrint");
    EXPECT_EQ(QApplication::focusWidget(), grid);

    auto *caption = child<QLabel>("lbPreview");
    using K = Qt::Key;
    const struct { int sheetsIndex; QSize picture; const char *name; std::vector<std::pair<K, int>> keys; } posters[] = {
        {2, {}, "3 × 2 pages, page 2 selected",
         {{K::Key_Left, 1}, {K::Key_Up, 1}, {K::Key_Right, 2}, {K::Key_Right, 3}, {K::Key_Right, 3}, {K::Key_Down, 6},
          {K::Key_Down, 6}, {K::Key_Left, 5}, {K::Key_Home, 1}, {K::Key_End, 6}, {K::Key_Up, 3}, {K::Key_Left, 2}}},
        {2, {3000, 100}, "3 × 1 pages, page 1 selected",
         {{K::Key_End, 3}, {K::Key_Down, 3}, {K::Key_Right, 3}, {K::Key_Left, 2}, {K::Key_Up, 2}, {K::Key_Home, 1},
          {K::Key_Left, 1}}},
        {0, {100, 1000}, "1 × 8 pages, page 7 selected",
         {{K::Key_Down, 1}, {K::Key_Right, 1}, {K::Key_Down, 2}, {K::Key_End, 8}, {K::Key_Down, 8}, {K::Key_Left, 8},
          {K::Key_Up, 7}}},
        {0, {100, 100}, "1 × 1 page, page 1 selected",
         {{K::Key_Up, 1}, {K::Key_Right, 1}, {K::Key_Down, 1}, {K::Key_End, 1}, {K::Key_Home, 1}}},
        {-1, {}, "no pages", {{K::Key_Right, 0}, {K::Key_End, 0}, {K::Key_Home, 0}}},
    };
    for (const auto &p : posters) {
        SCOPED_TRACE(p.name);
        if (p.sheetsIndex >= 0)
            child("cmbA4Width")->setCurrentIndex(p.sheetsIndex);
        else
            child("cmbResox")->setCurrentIndex(-1);  // no page size: the pass gives up before its grid
        if (!p.picture.isEmpty()) {
            ASSERT_TRUE(drag({picture("poster.bmp", p.picture.width(), p.picture.height())}));
        }
        ASSERT_EQ(window->grid().SelectedPage, 0);
        caption->setText(QStringLiteral("-"));
        for (const auto &[key, page] : p.keys) {
            QTest::keyClick(grid, key);
            EXPECT_EQ(window->grid().SelectedPage, page) << QKeySequence(key).toString().toStdString();
        }
        EXPECT_EQ(said(grid), "Source picture: " + std::string(p.name));
        EXPECT_EQ(caption->text(), "-") << "stepping names no page";
        EXPECT_TRUE(preview->picture().isNull());
        EXPECT_TRUE(window->pageCanvas().isNull()) << "and renders none";

        const int last = p.keys.back().second;
        qint64 shown = 0;
        for (const K show : {K::Key_Return, K::Key_Space, K::Key_Enter}) {
            QTest::keyClick(grid, show);
            EXPECT_EQ(window->grid().SelectedPage, last);
            EXPECT_EQ(window->previewPage(), last);
            EXPECT_EQ(caption->text(), last ? QString("Preview: (page " + Str(last) + ')') : QString("-"));
            EXPECT_EQ(preview->picture().isNull(), last == 0);
            if (show != K::Key_Return) {
                EXPECT_EQ(preview->picture().cacheKey(), shown) << "the page shown is not rendered again";
            }
            shown = preview->picture().cacheKey();
        }
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A click, Enter or Space, and every way to the pop-up menu (the Menu key on the grid view, a right
// click on the selected page; a click or the Menu key on the preview) render the selected page
// unless the preview already shows it: a page the arrows selected can always be shown, the menu's
// entry prints the page in the preview, and that page is never rendered twice. With no page
// selected, Enter and the Menu key do nothing. "Print this picture..." prints the selected page.
TEST_F(MainWindow, ClicksAndKeysShowTheSelectedPageOnce)
{
    activate();
    grid->setFocus();
    auto *caption = child<QLabel>("lbPreview");
    auto *menu = child<QMenu>("mnu");
    enum By { Key, Left, Right, OnPreview, KeyOnPreview };
    using K = Qt::Key;
    const struct { By by; int what, selected, shown; bool rendered, menu; } rows[] = {
        {Key, K::Key_Return, 0, 0, false, false},
        {Key, K::Key_Menu, 0, 0, false, false},
        {Key, K::Key_Right, 1, 0, false, false},
        {Left, 1, 1, 1, true, false},  // the page the arrow selected
        {Left, 1, 1, 1, false, false},
        {Key, K::Key_Right, 2, 1, false, false},
        {Key, K::Key_Return, 2, 2, true, false},
        {Key, K::Key_Space, 2, 2, false, false},
        {Key, K::Key_Left, 1, 2, false, false},
        {Left, 2, 2, 2, false, false},  // back to the page in the preview
        {Key, K::Key_Down, 5, 2, false, false},
        {Right, 5, 5, 5, true, true},
        {Right, 5, 5, 5, false, true},
        {Key, K::Key_Up, 2, 5, false, false},
        {Key, K::Key_Menu, 2, 2, true, true},
        {Key, K::Key_Menu, 2, 2, false, true},
        {Right, 4, 4, 4, true, true},
        {Key, K::Key_Right, 5, 4, false, false},
        {OnPreview, Qt::LeftButton, 5, 5, true, true},
        {OnPreview, Qt::RightButton, 5, 5, false, true},
        {Key, K::Key_Left, 4, 5, false, false},
        {KeyOnPreview, K::Key_Menu, 4, 4, true, true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &r - rows);
        caption->setText(QStringLiteral("-"));
        const qint64 before = preview->picture().cacheKey();
        if (r.by == Key)
            QTest::keyClick(grid, K(r.what));
        else if (r.by == Left)
            QTest::mousePress(grid, Qt::LeftButton, {}, middleOf(r.what));
        else if (r.by == Right)
            QTest::mouseRelease(grid, Qt::RightButton, {}, middleOf(r.what));
        else if (r.by == OnPreview)
            QTest::mouseRelease(preview, Qt::MouseButton(r.what), {}, preview->rect().center());
        else
            QTest::keyClick(preview, K(r.what));
        EXPECT_EQ(window->grid().SelectedPage, r.selected);
        EXPECT_EQ(window->previewPage(), r.shown);
        EXPECT_EQ(preview->picture().cacheKey() != before, r.rendered);
        EXPECT_EQ(caption->text(), r.rendered ? QString("Preview: (page " + Str(r.shown) + ')') : QString("-"));
        EXPECT_EQ(menu->isVisible(), r.menu);
        menu->hide();
    }

    // Page 6 selected, page 4 in the preview: the entry prints page 6 (the job is declined).
    modToolbox::setAppFolderForTesting(dir.path());
    const auto printDialog = setPrintDialogFunction([](const PrintDialogRequest &) { return true; });
    QTest::keyClick(grid, K::Key_End);
    messages.answerNext(MsgAnswer::No);
    child<QAction>("mnuPrintThisPicture")->trigger();
    EXPECT_EQ(programWide().FirstPrintPage, 6);
    EXPECT_EQ(programWide().LastPrintPage, 6);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Are you sure you want to print the  1 pages?"));
    EXPECT_EQ(window->previewPage(), 4);
    setPrintDialogFunction(printDialog);
    modToolbox::setAppFolderForTesting(QString());
}

// Keys handled while a page renders (the render yields once, to draw the wait window): an arrow
// moves the selection, but the preview shows and names the page clicked; a list key that lays out
// a new grid there leaves the preview empty, as every new grid does.
TEST_F(MainWindow, KeysDuringARenderKeepThePreviewTrue)
{
    const auto postKey = [](QWidget *to, Qt::Key key) {
        QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    };
    // Sent, not through QTest, which would handle the posted keys before the click.
    const auto click = [&](int page) {
        const QPointF at = middleOf(page);
        QMouseEvent press(QEvent::MouseButtonPress, at, grid->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(grid, &press);
    };
    auto *caption = child<QLabel>("lbPreview");
    postKey(grid, Qt::Key_Right);
    click(1);
    EXPECT_EQ(window->grid().SelectedPage, 2);
    EXPECT_EQ(window->previewPage(), 1);
    EXPECT_EQ(caption->text(), "Preview: (page  1)");
    EXPECT_EQ(said(preview), "Preview of page 1");
    const QImage shown = window->pageCanvas();
    window->RenderPage(1, false);
    EXPECT_EQ(window->pageCanvas(), shown);
    window->RenderPage(2, false);
    EXPECT_NE(window->pageCanvas(), shown);

    postKey(child("cmbA4Width"), Qt::Key_Down);
    click(2);
    EXPECT_EQ(window->grid().pageCount(), 8);
    EXPECT_EQ(window->grid().SelectedPage, 0);
    EXPECT_EQ(window->previewPage(), 0);
    EXPECT_TRUE(preview->picture().isNull());
    EXPECT_TRUE(window->pageCanvas().isNull()) << "no page rendered for the new grid";
    EXPECT_EQ(said(preview), "Preview, empty");
    EXPECT_TRUE(messages.messages().empty());
}

// While the grid view has the focus, a frame shows where the keyboard is: inside the selected
// page's cell and nowhere else, or round the whole view while no page is selected. Without the
// focus there is none.
TEST_F(MainWindow, AFocusFrameShowsWhereTheKeyboardIs)
{
    activate();
    grid->setClock([] { return 100.0; });  // no blinking between the frames compared
    const auto frameOnly = [&] {
        grid->setFocus();
        window->tmrGrid_Timer();
        const QImage focused = grid->composed();
        child("cmbA4Width")->setFocus();
        window->tmrGrid_Timer();
        const QImage unfocused = grid->composed();
        QRect changed;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                if (focused.pixel(x, y) != unfocused.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
        return changed;
    };
    const PosterSettings &s = window->poster();
    const double ratio = grid->composed().devicePixelRatio();
    const double toDevice = ratio / grid->pagePixelsPerViewPixel();
    const QRect view = grid->composed().rect();
    const struct { std::vector<Qt::Key> keys; int page; } rows[] = {
        {{}, 0},
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}, 5},
        {{Qt::Key_End}, 6},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.page);
        grid->setFocus();
        for (const Qt::Key key : r.keys)
            QTest::keyClick(grid, key);
        ASSERT_EQ(window->grid().SelectedPage, r.page);
        const QRect changed = frameOnly();
        ASSERT_FALSE(changed.isEmpty());
        if (r.page == 0) {
            // A frame 4 pixels inside the view's edges, on every side.
            const int in = qRound(4 * ratio), band = qCeil(2 * ratio);
            EXPECT_TRUE(view.adjusted(in - band, in - band, band - in, band - in).contains(changed));
            EXPECT_FALSE(view.adjusted(in + band, in + band, -in - band, -in - band).contains(changed));
        } else {
            const QRectF cell(((r.page - 1) % 3) * s.PagePixelWidth, ((r.page - 1) / 3) * s.PagePixelHeight,
                              s.PagePixelWidth, s.PagePixelHeight);
            const QRect deviceCell(QPointF(cell.topLeft() * toDevice).toPoint(),
                                   QPointF(cell.bottomRight() * toDevice).toPoint());
            EXPECT_TRUE(deviceCell.contains(changed)) << "frame " << changed.x() << "," << changed.y() << " "
                                                      << changed.width() << "x" << changed.height();
        }
    }
}

// Screen readers hear the grid view as a picture with its pages and selection, the preview with
// its page, the lists by their captions and the size labels with their values.
TEST_F(MainWindow, ScreenReadersFollowTheWindow)
{
    EXPECT_EQ(QAccessible::queryAccessibleInterface(grid)->role(), QAccessible::Graphic);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(preview)->role(), QAccessible::Graphic);
    EXPECT_EQ(said(grid), "Source picture: 3 × 2 pages, no page selected");
    EXPECT_EQ(said(preview), "Preview, empty");
    EXPECT_NE(said(grid, QAccessible::Description).find("Arrow keys"), std::string::npos);
    EXPECT_NE(said(preview, QAccessible::Description).find("Menu key"), std::string::npos);
    const PosterSettings &s = window->poster();
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(1.5 * s.PagePixelWidth, 1.5 * s.PagePixelHeight));
    EXPECT_EQ(said(grid), "Source picture: 3 × 2 pages, page 5 selected");
    EXPECT_EQ(said(preview), "Preview of page 5");
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(said(grid), "Source picture: 3 × 2 pages, page 2 selected");
    EXPECT_EQ(said(preview), "Preview of page 5");

    const struct { const char *list, *label, *name; } lists[] = {
        {"cmbA4Width", "Label2", "Width in A4"}, {"cmbResox", "Label5", "A4 X resolution"}};
    for (const auto &l : lists) {
        QComboBox *list = child(l.list);
        EXPECT_EQ(list->accessibleName().toStdString(), l.name);
        EXPECT_EQ(child<QLabel>(l.label)->buddy(), list);  // the label relation and its mnemonic
        const QString tip = list->toolTip().replace(u'\n', u' ');
        EXPECT_EQ(said(list, QAccessible::Description), tip.toStdString());
        EXPECT_TRUE(tip.startsWith(l.list == std::string("cmbA4Width") ? "Input here" : "Pixel resolution"));
    }
    const auto labels = [&] {
        QStringList names;
        for (const char *label : {"lbA4Height", "lbFinalImageWidth", "lbFinalImageHeight", "lbTotalPages"})
            names << QString::fromStdString(said(child<QLabel>(label)));
        return names.join(u'|').toStdString();
    };
    EXPECT_EQ(labels(), "Height in A4: 1.35|Final image width: 59.8cm|Final image height: 38cm|Total pages: 6");
    child("cmbA4Width")->setCurrentIndex(3);
    EXPECT_EQ(labels(), "Height in A4: 1.80|Final image width: 79.8cm|Final image height: 50.7cm|Total pages: 8");
    EXPECT_EQ(said(grid), "Source picture: 4 × 2 pages, no page selected");
    EXPECT_EQ(said(preview), "Preview, empty");
    EXPECT_FALSE(said(child<QLabel>("lbTotalPages"), QAccessible::Description).empty());
}

// The resolution list's tool tip, all its words, wraps into lines of a readable width; the window
// carries the program's icon at the sizes desktops ask for.
TEST_F(MainWindow, TheToolTipWrapsAndTheWindowHasItsIcon)
{
    QComboBox *list = child("cmbResox");
    QToolTip::showText(list->mapToGlobal(QPoint(4, 4)), list->toolTip(), list);
    QLabel *tip = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("qtooltip_label") && w->isVisible())
            tip = qobject_cast<QLabel *>(w);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->text().replace(u'\n', u' '),
              "Pixel resolution of one A4 printer page in the width dimension. Defines how smooth the image is "
              "interpolated while blowing it up. You can see the effect by inserting small values.");
    const QFontMetrics metrics(tip->font());
    EXPECT_LE(tip->width(), 60 * metrics.averageCharWidth()) << tip->width();
    EXPECT_GE(tip->height(), 3 * metrics.lineSpacing()) << tip->height();
    QToolTip::hideText();

    const QIcon icon = window->windowIcon();
    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage drawn = icon.pixmap(QSize(size, size), 1.0).toImage();
        EXPECT_EQ(drawn.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(drawn.pixel(size / 2, size / 2)), 255) << "a poster in the middle";
        EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0) << "nothing in the corner";
    }
}

// At the screen's device pixel ratio (1 here, 2 in the run with QT_SCALE_FACTOR=2): the grid view's
// background and the preview have a pixel for every device pixel, the window paints them 1:1, and
// a grid line stays one device pixel wide; the layout in logical pixels stays as it is.
TEST_F(MainWindow, HiDpiPicturesUseEveryDevicePixelAndGridLinesStayThin)
{
    const double ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1;
    ASSERT_EQ(grid->devicePixelRatioF(), ratio);
    EXPECT_EQ(window->centralWidget()->size(), QSize(783, 537));
    EXPECT_EQ(grid->geometry(), QRect(16, 20, 440, 401));
    EXPECT_EQ(window->grid().GridViewWidth, 436);
    const QImage background = grid->background();
    EXPECT_EQ(background.size(), devicePixels(grid->interiorSize(), ratio));  // a fraction rounds up
    EXPECT_EQ(background.devicePixelRatio(), ratio);
    QImage lines = background;  // the grid alone, without the boxes of a tick
    {
        QPainter painter(&lines);
        grid->DrawGrid(painter, window->poster(), window->grid());
    }

    // Changes along each device row across the first inner vertical grid line: one pixel, never two.
    const PosterSettings &s = window->poster();
    const int lineX = qRound(s.PagePixelWidth / grid->pagePixelsPerViewPixel() * ratio);
    const int rowHeight = qRound(s.PagePixelHeight / grid->pagePixelsPerViewPixel() * ratio);
    int widest = 0, rowsWithLine = 0;
    for (int y = 5; y < rowHeight - 5; ++y) {  // between the horizontal lines
        int width = 0;
        for (int x = lineX - 4; x <= lineX + 4; ++x)
            width += lines.pixel(x, y) != background.pixel(x, y);
        widest = std::max(widest, width);
        rowsWithLine += width > 0;
    }
    EXPECT_EQ(widest, 1);
    EXPECT_GT(rowsWithLine, 40) << "a dotted line: about every other pixel";

    // The window shows exactly these pixels.
    window->tmrGrid_Timer();
    const QImage composed = grid->composed();
    const QImage shown = grid->grab().toImage();
    ASSERT_EQ(shown.devicePixelRatio(), ratio);
    const QPoint inside = grid->contentsRect().topLeft() * ratio;
    int different = 0;
    for (int y = 0; y < composed.height(); y += 3)
        for (int x = 0; x < composed.width(); x += 3)
            different += shown.pixel(inside + QPoint(x, y)) != composed.pixel(x, y);
    EXPECT_EQ(different, 0);

    window->picGrid_MouseDown(Qt::LeftButton, QPointF(10, 10));
    EXPECT_EQ(preview->picture().size(), devicePixels(preview->interiorSize(), ratio));
    EXPECT_EQ(preview->picture().devicePixelRatio(), ratio);
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
    // Keys on what that pass left: never a page beyond the grid.
    for (const Qt::Key key : {Qt::Key_End, Qt::Key_Down, Qt::Key_Right, Qt::Key_Return, Qt::Key_Menu}) {
        QTest::keyClick(grid, key);
        child<QMenu>("mnu")->hide();
        EXPECT_LE(window->grid().SelectedPage, window->grid().pageCount());
    }

    // A 1 x 1 picture on 40 sheets: at least 10 picture pixels make a sheet, and there is one.
    child("cmbA4Width")->setCurrentIndex(39);
    ASSERT_TRUE(drag({picture("dot.jpeg", 1, 1)}));
    EXPECT_EQ(shown(), "1 page|800 *|0.71|19.9cm|19.9cm|1");
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(5, 5));
    EXPECT_EQ(window->pageCanvas().size(), QSize(820, 1151));

    // So many pages (2 x 16408) that the last ones pass 16-bit numbers: End, which leads there, is
    // ignored, as a click there is; the pages that fit are selected as on any poster.
    ASSERT_TRUE(drag({picture("long.bmp", 20, 232000)}));
    child("cmbA4Width")->setCurrentIndex(1);
    ASSERT_EQ(window->grid().pageCount(), 32816);
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_End, 0}, {Qt::Key_Home, 1}, {Qt::Key_End, 1}, {Qt::Key_Down, 3}};
    for (const auto &[key, page] : steps) {
        QTest::keyClick(grid, key);
        EXPECT_EQ(window->grid().SelectedPage, page);
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A page that cannot be had in memory: its message, and the page selected before stays selected,
// with its caption, its preview and the canvas. In a child process whose address space is capped
// just above what it uses.
using MainWindowDeathTest = MainWindow;
TEST_F(MainWindowDeathTest, APageThatCannotBeHadKeepsTheSelection)
{
    if (!test::addressSpaceCanBeLimited())
        GTEST_SKIP() << "the address space cannot be capped here";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const test::CappableChildren cappable;
    const auto inChild = [this] {
        const auto fail = [](const char *what) {
            std::fprintf(stderr, "%s\n", what);
            std::_Exit(1);
        };
        child("cmbResox")->setCurrentIndex(23);  // 1400 pixels: 8 MB a page
        const PosterSettings &s = window->poster();
        const auto click = [&](double x, double y) {
            window->picGrid_MouseDown(Qt::LeftButton, QPointF(x * s.PagePixelWidth, y * s.PagePixelHeight));
        };
        click(0.5, 0.5);
        auto *preview = child<PreviewBox>("picPreview");
        const QImage canvas = window->pageCanvas().copy(), shown = preview->picture().copy();
        messages.clear();
        test::limitAddressSpace(4 << 20);
        click(1.5, 0.5);
        test::restoreAddressSpace();
        if (messages.messages().size() != 1 || messages.messages()[0].text != QStringLiteral("Out of memory\r\nCode 7"))
            fail("not the one Out of memory message");
        if (window->grid().SelectedPage != 1 || window->previewPage() != 1
            || child<QLabel>("lbPreview")->text() != QStringLiteral("Preview: (page  1)"))
            fail("the selection changed");
        if (window->pageCanvas() != canvas || preview->picture() != shown)
            fail("the page before did not stay");
        click(1.5, 0.5);  // with memory again, the page is had
        if (window->grid().SelectedPage != 2 || window->previewPage() != 2 || messages.messages().size() != 1)
            fail("the page was not had with memory again");
        std::_Exit(0);
    };
    EXPECT_EXIT(inChild(), testing::ExitedWithCode(0), "");
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
    // Windows without an owner (the start-up splash, messages before the window) carry the icon too.
    EXPECT_FALSE(QApplication::windowIcon().availableSizes().isEmpty());
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
