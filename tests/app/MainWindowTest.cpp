// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window under the offscreen platform, with a real settings file in the test's
// temporary HOME and message boxes captured: what it shows and stores, pages picked with the mouse
// and the keyboard, what a screen reader hears, and its drawing on dense screens.
#include "TestFiles.h"
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "core/NumberText.h"
#include "core/ProgramWide.h"
#include "input/PictureLoader.h"
#include "input/Toolbox.h"
#include "layout/GridView.h"
#include "layout/PreviewBox.h"
#include "printing/modPrinter.h"
#include "support/SmallDisk.h"
#include "support/AppWindow.h"
#include "ui/frmHelp.h"
#include "support/VectorFiles.h"

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
#include <QSpinBox>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <array>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace plakatron;

namespace {

const std::string Defaults = "3 pages *|800 *|1.35|57.6cm|37cm|6";  // the built-in picture's poster

// Where a picture is not magenta.
QRect pageIn(const QImage &picture)
{
    QRect where;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 0, 255))
                where |= QRect(x, y, 1, 1);
    return where;
}

// The pixels where two pictures differ.
QRect changed(const QImage &a, const QImage &b)
{
    QRect where;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                where |= QRect(x, y, 1, 1);
    return where;
}

// What a screen reader is told of a widget.
std::string said(QWidget *widget, QAccessible::Text text = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(widget)->text(text).toStdString();
}

QString captionOf(int page) { return page ? "Preview: (page " + Str(page) + ')' : QStringLiteral("-"); }

class MainWindow : public test::AppWindow {
protected:
    void SetUp() override
    {
        AppWindow::SetUp();
        open();
    }
    // A new main window, shown; the one before must have been closed.
    void open()
    {
        AppWindow::open();
        grid = child<GridView>("picGrid");
        preview = child<PreviewBox>("picPreview");
        caption = child<QLabel>("lbPreview");
        menu = child<QMenu>("mnu");
    }
    // The window as the one the keyboard types into, with the grid view focused.
    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 30000));
        grid->setFocus();
    }
    int selected() const { return window->grid().SelectedPage; }
    // The point x, y pages from the grid's corner, in the grid view's widget coordinates.
    QPointF at(double x, double y) const
    {
        const PosterSettings &s = window->poster().settings;
        return grid->contentsRect().topLeft()
               + QPointF(x * s.PagePixelWidth, y * s.PagePixelHeight) / grid->pagePixelsPerViewPixel();
    }
    QPoint middleOf(int page) const
    {
        const int columns = window->grid().GridColumns;
        return at((page - 1) % columns + 0.5, (page - 1) / columns + 0.5).toPoint();
    }
    // A page's cell in the device pixels of the grid view's pictures.
    QRect deviceCell(int page) const
    {
        const int columns = window->grid().GridColumns, x = (page - 1) % columns, y = (page - 1) / columns;
        const QPointF corner = grid->contentsRect().topLeft();
        const double ratio = grid->composed().devicePixelRatio();
        return QRect(((at(x, y) - corner) * ratio).toPoint(), ((at(x + 1, y + 1) - corner) * ratio).toPoint());
    }
    // A left press x, y pages from the grid's corner, as the view reports it.
    void pick(double x, double y)
    {
        const PosterSettings &s = window->poster().settings;
        window->picGrid_MouseDown(Qt::LeftButton, QPointF(x * s.PagePixelWidth, y * s.PagePixelHeight));
    }
    // The two lists' choices and the four size labels as the user reads them.
    std::string shown() const
    {
        QStringList texts{child("cmbA4Width")->currentText(), child("cmbResox")->currentText()};
        for (const char *name : {"lbA4Height", "lbFinalImageWidth", "lbFinalImageHeight", "lbTotalPages"})
            texts << child<QLabel>(name)->text();
        return texts.join(u'|').toStdString();
    }
    // A picture of one colour in the test's folder, in the format its name gives unless one is given.
    QString picture(const QString &name, int width, int height, const char *format = nullptr)
    {
        const QString path = dir.filePath(name);
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkMagenta);
        return image.save(path, format) ? path : QString();
    }
    // Drags the files over the grid view (or another part of the window) and drops them; true
    // when the drag was accepted.
    bool drag(const QStringList &paths, QWidget *over = nullptr)
    {
        QWidget *const to = over ? over : grid;
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        QDragEnterEvent enter(to->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(to, &enter);
        // Qt sends no drop after a refused drag; a platform that does reaches the handler.
        QDropEvent drop(to->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QCoreApplication::sendEvent(to, &drop);
        else
            window->picGrid_OLEDragDrop(data);
        return enter.isAccepted();
    }

    GridView *grid = nullptr;
    PreviewBox *preview = nullptr;
    QLabel *caption = nullptr;
    QMenu *menu = nullptr;
};

// The built-in picture's poster as the window first opens; a refused drop or a file that fails to
// load keeps the picture, the labels and the selected page. A refused drag says why in the status
// line, over the grid view or the preview, where a picture is taken as well.
TEST_F(MainWindow, FirstRunShowsTheWorkedExampleWhichFailedDropsKeep)
{
    EXPECT_EQ(window->windowTitle() + caption->text(), QStringLiteral("Plakatron V" PLAKATRON_VERSION "Preview:"));
    EXPECT_EQ(mainWindow(), window.get());
    pick(0.01, 0.01);
    const QString fake = picture("fake.bmp", 1, 1, "XPM");  // a format the program does not read
    const QStringList two{picture("a.bmp", 5, 5), picture("b.bmp", 6, 6)};
    const QString notes = picture("notes.txt", 1, 1, "BMP");
    const struct { QStringList files; bool overPreview, accepted; QString starts, ends, status; } rows[] = {
        {two, false, false, {}, {}, "Only one picture file can be dropped"},
        {{fake}, false, true, "Unable to load picture '" + fake + "'\r\n", "\r\nCode 481", ""},
        {{notes}, false, false, "File format not supported!", "supported!", "Not a picture this program reads: notes.txt"},
        {{}, false, false, {}, {}, ""},  // no file: refused without a word, the reason before taken back
        // Over the preview the window's own handler answers.
        {{notes}, true, false, "File format not supported!", "supported!", "Not a picture this program reads: notes.txt"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.files.join(u' ').toStdString() + (r.overPreview ? " over the preview" : ""));
        messages.clear();
        EXPECT_EQ(drag(r.files, r.overPreview ? preview : nullptr), r.accepted);
        EXPECT_EQ(window->statusLine(), r.status);
        EXPECT_EQ(said(child<QLabel>("lbStatus")), r.status.toStdString()) << "what a screen reader hears";
        ASSERT_EQ(messages.messages().size(), r.starts.isEmpty() ? 0u : 1u);
        for (const MessageRequest &m : messages.messages()) {
            EXPECT_TRUE(m.text.startsWith(r.starts) && m.text.endsWith(r.ends)) << m.text.toStdString();
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        }
        EXPECT_EQ(window->sourcePicture().size(), QSize(880, 560));
        EXPECT_EQ(selected(), 1);
        EXPECT_EQ(shown(), Defaults);
    }
    messages.clear();
    EXPECT_TRUE(drag({picture("c.png", 60, 30)}, preview));
    EXPECT_EQ(window->sourcePicture().size(), QSize(60, 30));
    EXPECT_TRUE(messages.messages().empty());
}

// The choices the settings file holds, as the window reads them at start-up: the sheets, the
// resolution, the overlap, the paper and the size.
std::string storedChoices()
{
    const StoredPosterChoices c = readPosterChoices();
    const QString size = c.size.isSet() ? posterSizeText(c.size) : QString();
    return QStringLiteral("%1|%2|%3|%4|%5").arg(c.sheetsIndex).arg(c.resolutionIndex).arg(c.overlap).arg(paperText(c.paper), size).toStdString();
}

// Quit while a picture loads (a metafile whose drawing would take minutes; Ctrl+Q, then the close
// box): the loading stops, the window closes without a message, the picture before stays. Input
// meanwhile (a click on a page) is let go.
TEST_F(MainWindow, QuitWhileAPictureLoadsStopsItAndCloses)
{
    test::MetafileBuilder slow;
    slow.placeable(0, 0, 3000, 3000, 96).record(0x02FA, {0, 64, 0, 0x00FF, 0}).record(0x012D, {0});
    for (int i = 0; i < 200; ++i)  // each half a second of a 64-pixel brush
        slow.record(0x0325, {4, 0, 0, 2999, 2999, 0, 2999, 2999, 0});
    const QString path = dir.filePath(QStringLiteral("slow.wmf"));
    test::writeFile(path, slow.bytes());
    setDecodingDeadlineForTesting(600'000);
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Ctrl+Q");
        if (!window->isVisible())
            open();
        activate();
        int clicks = 0;
        QTimer::singleShot(200, [&] {
            QTest::mouseClick(grid, Qt::LeftButton, {}, middleOf(2));
            clicks = selected() == 2 ? -1 : 1;
            if (closeBox)
                window->close();
            else
                QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        });
        window->UpdatePictureFile(path);
        EXPECT_EQ(clicks, 1) << "the click was let go";
        EXPECT_EQ(window->sourcePicture().size(), QSize(880, 560));
        EXPECT_TRUE(window->isVisible()) << "closed once the loading has stopped";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
        EXPECT_TRUE(messages.messages().empty());
    }
    setDecodingDeadlineForTesting(0);
}

// Stored values the program never writes give the defaults: a list index is the leading number of
// its text and lies in its list (the resolutions' list is the stored paper's), the overlap is a
// whole number of 0 to 50, a paper or a size that does not read is none. A file over 64 KB (50 MB
// froze the window for seconds) or one that is no regular file (a FIFO froze it for good), a link
// (closing replaced the linked file; a dangling link's target was made) and a lock that is a link
// or no file (a FIFO hung closing for good) are neither read nor written. The window opens on the
// stored choices and stores its own on closing, keeping the open dialog's folder. A full disk
// keeps the old file.
TEST_F(MainWindow, TheSettingsStore)
{
    window->close();
    using namespace settingkeys;
    const auto padded = [](int keys) {  // keys of their own, each parsed and written back
        QByteArray file = "[General]\nPW=0\nResX=0\nOverlap=9\n";
        for (int i = 0; i < keys; ++i)
            file += "Note" + QByteArray::number(i) + '=' + QByteArray(40, 'x') + '\n';
        return file;
    };
    const std::string none = "2|17|3|A4 portrait|";  // nothing read
    enum Kind { Values, File, Fifo, LinkToFifo, Folder, LinkToFile, DanglingLink, FifoLock, LinkLock };
    // Values: the sheets, the resolution, the overlap and, where stored, the paper and the size.
    const struct { Kind kind; QByteArray content; std::string read; bool kept; } rows[] = {
        {Values, "||", "0|0|3|A4 portrait|", false},
        {Values, "abc|abc|abc", "0|0|3|A4 portrait|", false},
        {Values, "-5|-5|-5", none, false},
        {Values, "1e9|1e9|1e9", none, false},
        {Values, "40|31|51", none, false},
        {Values, "39|30|50", "39|30|50|A4 portrait|", false},
        {Values, "5 pages|10| 0 ", "5|10|0|A4 portrait|", false},
        {Values, "7.5|3|12 %", "8|3|3|A4 portrait|", false},
        {Values, "3|10|9|B5 sideways|lots", "3|10|9|A4 portrait|", false},
        {Values, "3|10|9||0cm", "3|10|9|A4 portrait|", false},
        {Values, "2|32|3|A3 portrait", "2|32|3|A3 portrait|", false},  // "Auto" on A3, past the end of A4's list
        {Values, "2|33|3|A3 portrait", "2|17|3|A3 portrait|", false},
        {File, QByteArray::fromHex("424d3a0000005b0aff3d00fe0a"), none, false},  // not a settings file
        {File, padded(1200), "0|0|9|A4 portrait|", false},  // 60 KB
        {File, padded(20'000), none, true},
        {Fifo, {}, none, true},
        {LinkToFifo, {}, none, true},
        // Links are never read or written through, a lock that is no file never waited on.
        {LinkToFile, {}, none, true},
        {DanglingLink, {}, none, true},
        {FifoLock, {}, none, false},
        {LinkLock, {}, none, false},
        {Folder, {}, none, true},
    };
    const QString file = settingsFilePath(), fifo = dir.filePath(QStringLiteral("fifo"));
    const QString lock = file + QStringLiteral(".lock"), notes = dir.filePath(QStringLiteral("notes.txt"));
    const QString nowhere = dir.filePath(QStringLiteral("nowhere.ini"));
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.kind << ": " << r.content.left(20).toStdString());
        for (const QString &name : {file, fifo, lock, notes})
            QFile::remove(name);
        test::writeFile(notes, "[General]\nPW=39\n");
        const QList<QByteArray> values = r.content.split('|');
        if (r.kind == Values)
            for (qsizetype i = 0; i < values.size(); ++i)
                SaveSetting(Section, std::array{SheetsAcross, Resolution, Overlap, settingkeys::Paper, settingkeys::PosterSize}[i], QString::fromUtf8(values[i]));
        else if (r.kind == File)
            test::writeFile(file, r.content);
        else if (r.kind == Folder)
            ASSERT_TRUE(QDir().mkpath(file + QStringLiteral("/kept")));
        else if (r.kind == LinkToFile || r.kind == DanglingLink || r.kind == LinkLock)
            ASSERT_TRUE(QFile::link(r.kind == DanglingLink ? nowhere : notes, r.kind == LinkLock ? lock : file));
        else
            ASSERT_TRUE(::mkfifo(QFile::encodeName(r.kind == Fifo ? file : fifo).constData(), 0644) == 0
                        && (r.kind == Fifo || QFile::link(fifo, r.kind == FifoLock ? lock : file)));
        const QFileInfo before(file);
        EXPECT_EQ(storedChoices(), r.read);
        writePosterChoices({7, 9, 12});
        EXPECT_EQ(test::contentOf(notes), "[General]\nPW=39\n");
        EXPECT_FALSE(QFileInfo::exists(nowhere));
        const QFileInfo after(file);
        if (r.kept) {
            EXPECT_EQ(std::tuple(after.size(), after.lastModified(), after.isSymLink(), after.isFile()),
                      std::tuple(before.size(), before.lastModified(), before.isSymLink(), before.isFile()));
        }
        const bool locked = r.kind == FifoLock || r.kind == LinkLock;
        EXPECT_EQ(storedChoices(), r.kept || locked ? none : "7|9|12|A4 portrait|");
        if (locked) {
            EXPECT_FALSE(QFileInfo::exists(file)) << "nothing is written while the lock is no file";
        }
    }
    QFile::remove(lock);
    EXPECT_EQ(test::contentOf(file + QStringLiteral("/kept")), "<unreadable>");  // still the folder
    QDir(file).removeRecursively();

    SaveSetting(Section, LastFolder, QStringLiteral("/home/someone/"));
    writePosterChoices({5, 10, 7});
    open();
    EXPECT_EQ(shown().substr(0, 12), "6 pages|100|");
    EXPECT_EQ(programWide().VerticalOverlap, 7);
    child("cmbA4Width")->setCurrentIndex(3);
    child("cmbResox")->setCurrentIndex(9);  // the first "100"
    programWide().HorizontalOverlap = programWide().VerticalOverlap = 12;
    window->close();
    EXPECT_EQ(mainWindow(), nullptr);
    EXPECT_EQ(storedChoices() + '|' + GetSetting(Section, LastFolder, {}).toStdString(), "3|9|12|A4 portrait||/home/someone/");
    EXPECT_TRUE(messages.messages().empty());

    // On a full disk the file stays as it was, and no temporary file is left beside it.
    test::SmallDisk disk(1);
    PLAKATRON_REQUIRE_SMALL_DISK(disk);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, disk.path());
    const QByteArray full = "[General]\nOverlap=7\nPW=5\nResX=3\n";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settingsFilePath()).path()));
    test::writeFile(settingsFilePath(), full);
    disk.fill(0);
    writePosterChoices({7, 9, 12});
    EXPECT_EQ(test::contentOf(settingsFilePath()), full);
    EXPECT_EQ(QDir(QFileInfo(settingsFilePath()).path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Plakatron.ini"});
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
}

// Each tick draws over the kept picture the pointer's box and the selected page's, blinking every
// half second, each in its cell. With the focus, a frame shows in the selected cell, or round the
// view while none is selected.
TEST_F(MainWindow, TickDrawsThePointerBoxTheBlinkingSelectionAndTheFocusFrame)
{
    activate();
    double now = 100;
    grid->setClock([&] { return now; });
    const auto frame = [&](double later) {
        now += later;
        window->tmrGrid_Timer();
        return grid->composed();
    };
    const auto focusFrame = [&] {  // what the focus adds to a frame
        grid->setFocus();
        const QImage focused = frame(0);
        child("cmbA4Width")->setFocus();
        return changed(focused, frame(0));
    };
    const auto moveTo = [&](double x, double y) {
        // Sent straight to the view: QTest's own move is off at scales other than 1.
        QMouseEvent move(QEvent::MouseMove, at(x, y), grid->mapToGlobal(at(x, y)), Qt::NoButton, Qt::NoButton, {});
        QCoreApplication::sendEvent(grid, &move);
    };
    const QImage background = grid->background();
    const double ratio = background.devicePixelRatio();
    const QRect view = background.rect(), none = focusFrame();
    const int in = qRound(4 * ratio), band = qCeil(2 * ratio);  // 4 pixels inside every edge
    EXPECT_TRUE(view.adjusted(in - band, in - band, band - in, band - in).contains(none));
    EXPECT_FALSE(view.adjusted(in + band, in + band, -in - band, -in - band).contains(none));

    const auto widened = [this](int page) { return deviceCell(page).adjusted(-4, -4, 4, 4); };  // by the pen
    pick(1.5, 1.5);
    moveTo(3.02, 0.01);  // beside the grid: no box
    const QImage first = frame(0.6);
    EXPECT_EQ(frame(0.3), first) << "no new phase within half a second";
    const QImage second = frame(0.3);
    EXPECT_TRUE(widened(5).contains(changed(first, second)));  // never an empty change
    moveTo(0.5, 0.5);
    EXPECT_TRUE(widened(1).contains(changed(second, frame(0))));
    EXPECT_EQ(grid->background(), background) << "a tick never redraws the picture";

    activate();  // again after the page's render
    for (const auto &[key, page] : {std::pair{Qt::Key_Right, 6}, {Qt::Key_Home, 1}}) {
        QTest::keyClick(grid, key);
        ASSERT_EQ(selected(), page);
        EXPECT_TRUE(deviceCell(page).contains(focusFrame())) << page;
    }
}

// Every shortcut opens what it names (each command answered by its seam): the File menu and its
// letters, Ctrl+O, F1, Ctrl+P, Ctrl+Q, and the Menu key or Shift+F10 on either view. The captions
// keep their words and mnemonics.
TEST_F(MainWindow, EveryShortcutOpensWhatItNames)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("help")));
    ASSERT_FALSE(picture("help/index.htm", 1, 1, "XPM").isEmpty());
    modToolbox::setAppFolderForTesting(dir.path());
    QStringList opened;  // what the keys opened
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
    QMenu *file = child<QMenu>("mnuFile");
    QWidget *const main = window.get();
    const struct { const char *keys; QWidget *to; const char *opens; } rows[] = {
        {"Alt+F", main, "File menu"},           {"Ctrl+O", main, "file dialog Open Picture"},
        {"Alt+F, O", main, "file dialog Open Picture"}, {"Alt+F, S", main, "plakatron::frmSettings with icon"},
        {"F1", main, "shell index.htm"},        {"Alt+F, I", main, "shell index.htm"},
        {"Alt+F, A", main, "plakatron::frmSplash with icon"}, {"Ctrl+P", main, "print dialog"},
        {"Alt+F, P", main, "print dialog"},     {"Alt+F, M", main, "print dialog"},
        {"Alt+F, G", main, "File menu"},  // no page selected: Print page... is not offered
        {"Menu", grid, ""},
        {"Home, Menu", grid, "pop-up menu"},    {"Shift+F10", grid, "pop-up menu"},
        {"Menu", preview, "pop-up menu"},       {"Shift+F10", preview, "pop-up menu"},
        {"Alt+F, G", main, "print dialog"},
        {"Ctrl+Q", main, "closed"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.keys);
        activate();  // again after each modal window
        opened.clear();
        QTimer::singleShot(0, [&] {  // a modal window the keys open: recorded with its icon, and closed
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened << modal->metaObject()->className() + QString(modal->windowIcon().isNull() ? "" : " with icon");
                modal->done(QDialog::Rejected);
            }
        });
        r.to->setFocus();
        const QKeySequence keys(QLatin1String(r.keys));
        for (int i = 0; i < keys.count(); ++i)  // a key after Alt+F goes to the menu it opened
            QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : r.to, keys[i].key(),
                            keys[i].keyboardModifiers());
        for (QMenu *shown : {file, menu})
            if (shown->isVisible())
                opened << (shown == file ? "File menu" : "pop-up menu");
        file->hide();
        menu->hide();
        if (!window->isVisible())
            opened << "closed";
        (void)QTest::qWaitFor([&] { return !opened.isEmpty(); }, *r.opens ? 30000 : 0);  // a button's shortcut clicks later
        EXPECT_EQ(opened.join(u'|').toStdString(), r.opens);
    }
    EXPECT_EQ(window->previewPage(), 1) << "the Menu key showed the page Home selected";
    EXPECT_EQ(mainWindow(), nullptr);
    QStringList captions;
    for (const QAction *a : window->menuBar()->actions() + file->actions() + menu->actions())
        if (!a->isSeparator())
            captions << a->text() + (a->shortcut().isEmpty() ? QString() : u'\t' + a->shortcut().toString());
    EXPECT_EQ(captions.join(u'|').toStdString(),
              "&File|&Open Picture...\tCtrl+O|&Print\tCtrl+P|Print pa&ge...|Print assembly &map...|&Settings"
              "|Print &calibration sheet...|&Instructions\tF1|&About|E&xit\tCtrl+Q|&Print this picture..."
              "|Print assembly &map...");
    EXPECT_EQ(child<QPushButton>("cmdPrint")->text(), QStringLiteral("Print"));
    EXPECT_TRUE(messages.messages().empty());
    modToolbox::installFileDialogHandler(fileDialog);
    modToolbox::installShellOpenHandler(shell);
    setPrintDialogFunction(printDialog);
    modToolbox::setAppFolderForTesting(QString());
}

// Tab goes round the grid view, the preview, the lists, the paper, the size entry and Print. Each
// key takes its step (the steps on posters of every shape: PageSelectionTest); stepping neither
// renders nor names a page, Enter shows it. Without a grid (no page size yet) keys do nothing.
TEST_F(MainWindow, TheKeysSelectAPageAndEnterShowsIt)
{
    activate();
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(u' '), "picGrid picPreview cmbA4Width cmbResox cmbPaper txtPosterSize cmdPrint");
    EXPECT_EQ(QApplication::focusWidget(), grid);
    // Each key and the page selected after it.
    const struct { const char *keys, *name; } posters[] = {
        {"Left 1, Up 1, Right 2, Right 3, Right 3, Down 6, Down 6, Left 5, Home 1, End 6, Up 3, Left 2",
         "3 × 2 pages, page 2 selected"},
        {"Right 0, End 0, Home 0", "no pages"},
    };
    for (const auto &p : posters) {
        SCOPED_TRACE(p.name);
        if (&p != posters)
            child("cmbResox")->setCurrentIndex(-1);  // no page size: the pass gives up before its grid
        ASSERT_EQ(selected(), 0);
        caption->setText(QStringLiteral("-"));
        int last = 0;
        for (const QString &step : QString::fromUtf8(p.keys).split(QStringLiteral(", "))) {
            QTest::keyClick(grid, QKeySequence(step.section(u' ', 0, 0))[0].key());
            last = step.section(u' ', 1).toInt();
            EXPECT_EQ(selected(), last) << step.toStdString();
        }
        EXPECT_EQ(said(grid), "Source picture: " + std::string(p.name));
        EXPECT_EQ(caption->text(), "-") << "stepping names no page";
        EXPECT_TRUE(window->pageCanvas().isNull()) << "and renders none";
        QTest::keyClick(grid, Qt::Key_Enter);
        EXPECT_EQ(window->previewPage(), last);
        EXPECT_EQ(caption->text(), captionOf(last));
        EXPECT_EQ(preview->picture().isNull(), last == 0);
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A left press or a right release selects a page. A click, Return, Space and every way to the
// pop-up menu show the selected page, rendered once; with none selected they do nothing. The white
// strip beside the grid holds no page: clicks there select and open nothing (below it neither:
// PageAt's table).
TEST_F(MainWindow, ClicksAndKeysPickPagesOfThePosterAndShowThemOnce)
{
    activate();
    enum By { Key, Press, Release, OnPreview, KeyOnPreview };
    using K = Qt::Key;
    constexpr int L = Qt::LeftButton, R = Qt::RightButton, Strip = 0;
    const struct { By by; int what, at, selected, shown; bool rendered, menu; } rows[] = {  // `at` a page
        {Press, R, 1, 0, 0, false, false},        {Release, L, 1, 0, 0, false, false},
        {Key, K::Key_Return, 0, 0, 0, false, false}, {Key, K::Key_Menu, 0, 0, 0, false, false},
        {Key, K::Key_Right, 0, 1, 0, false, false},  {Press, L, 1, 1, 1, true, false},  // the page the arrow selected
        {Press, L, 1, 1, 1, false, false},        {Key, K::Key_Right, 0, 2, 1, false, false},
        {Key, K::Key_Return, 0, 2, 2, true, false}, {Key, K::Key_Space, 0, 2, 2, false, false},
        {Key, K::Key_Left, 0, 1, 2, false, false},  {Press, L, 2, 2, 2, false, false},  // back to the page shown
        {Key, K::Key_Down, 0, 5, 2, false, false},  {Release, R, 5, 5, 5, true, true},
        {Release, R, 5, 5, 5, false, true},       {Press, L, Strip, 5, 5, false, false},
        {Release, R, Strip, 5, 5, false, false},  {Key, K::Key_Up, 0, 2, 5, false, false},
        {Key, K::Key_Menu, 0, 2, 2, true, true},    {Key, K::Key_Menu, 0, 2, 2, false, true},
        {Release, R, 4, 4, 4, true, true},        {Key, K::Key_Right, 0, 5, 4, false, false},
        {OnPreview, L, 0, 5, 5, true, true},      {OnPreview, R, 0, 5, 5, false, true},
        {Key, K::Key_Left, 0, 4, 5, false, false},  {KeyOnPreview, K::Key_Menu, 0, 4, 4, true, true},
    };
    const QPoint strip = at(3.02, 0.01).toPoint();  // right of the grid: before, the next row's first page
    ASSERT_TRUE(grid->contentsRect().contains(strip));
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &r - rows);
        caption->setText(QStringLiteral("-"));
        const qint64 before = preview->picture().cacheKey();
        const QPoint where = r.at == Strip ? strip : middleOf(r.at);
        if (r.by == Key || r.by == KeyOnPreview)
            QTest::keyClick(r.by == Key ? static_cast<QWidget *>(grid) : preview, K(r.what));
        else if (r.by == OnPreview)
            QTest::mouseRelease(preview, Qt::MouseButton(r.what), {}, preview->rect().center());
        else if (r.by == Press)
            QTest::mousePress(grid, Qt::MouseButton(r.what), {}, where);
        else
            QTest::mouseRelease(grid, Qt::MouseButton(r.what), {}, where);
        EXPECT_EQ(selected(), r.selected);
        EXPECT_EQ(window->previewPage(), r.shown);
        EXPECT_EQ(preview->picture().cacheKey() != before, r.rendered);
        EXPECT_EQ(caption->text(), captionOf(r.rendered ? r.shown : 0));
        EXPECT_EQ(menu->isVisible(), r.menu);
        menu->hide();
    }
    // The menu's entry prints the selected page, not the one in the preview (the job declined).
    modToolbox::setAppFolderForTesting(dir.path());
    const auto printDialog = setPrintDialogFunction([](const PrintDialogRequest &) { return true; });
    QTest::keyClick(grid, K::Key_Right);
    messages.answerNext(MsgAnswer::No);
    child<QAction>("mnuPrintThisPicture")->trigger();
    EXPECT_EQ(std::tuple(programWide().FirstPrintPage, programWide().LastPrintPage, window->previewPage()),
              std::tuple(5, 5, 4));
    setPrintDialogFunction(printDialog);
    modToolbox::setAppFolderForTesting(QString());
}

// Keys handled in the render's one yield (to draw the wait window): an arrow moves the selection,
// but the preview shows the page clicked; a new grid laid out there leaves the preview empty.
TEST_F(MainWindow, KeysDuringARenderKeepThePreviewTrue)
{
    // The key posted, so the render's yield handles it; the click sent, not through QTest, which
    // would handle the key first.
    const auto keyThenClick = [&](QWidget *to, Qt::Key key, int page) {
        QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
        const QPointF point = middleOf(page);
        QMouseEvent press(QEvent::MouseButtonPress, point, grid->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(grid, &press);
    };
    keyThenClick(grid, Qt::Key_Right, 1);
    EXPECT_EQ(selected(), 2);
    EXPECT_EQ(window->previewPage(), 1);
    EXPECT_EQ(caption->text(), "Preview: (page  1)");
    EXPECT_EQ(said(preview), "Preview of page 1");
    const QImage shown = window->pageCanvas();
    window->RenderPage(2, false);
    EXPECT_NE(window->pageCanvas(), shown) << "page 1 was shown, not page 2";

    keyThenClick(child("cmbA4Width"), Qt::Key_Down, 2);
    EXPECT_EQ(window->grid().pageCount(), 8);
    EXPECT_EQ(std::pair(selected(), int(window->previewPage())), std::pair(0, 0));
    EXPECT_TRUE(preview->picture().isNull());
    EXPECT_TRUE(window->pageCanvas().isNull()) << "no page rendered for the new grid";
    // Whatever empties the preview empties its caption: it named a page no longer shown.
    EXPECT_EQ(caption->text(), "Preview:");
    EXPECT_EQ(said(preview), "Preview, empty");
    EXPECT_TRUE(messages.messages().empty());
}

// Screen readers hear the two views as pictures, the lists by their captions with their tool tips,
// and the size labels with their values, kept current; the resolution list's tool tip wraps into
// readable lines. The window carries the program's icon at the sizes desktops ask for.
TEST_F(MainWindow, ScreenReadersFollowTheWindowWhichHasItsIconAndReadableToolTips)
{
    for (QWidget *view : std::initializer_list<QWidget *>{grid, preview})
        EXPECT_EQ(QAccessible::queryAccessibleInterface(view)->role(), QAccessible::Graphic);
    EXPECT_NE(said(grid, QAccessible::Description).find("Arrow keys"), std::string::npos);
    EXPECT_NE(said(preview, QAccessible::Description).find("Menu key"), std::string::npos);
    for (const auto &[name, label, says] :
         {std::tuple{"cmbA4Width", "Label2", "Width in A4"}, {"cmbResox", "Label5", "A4 X resolution"}}) {
        QComboBox *list = child(name);
        EXPECT_EQ(list->accessibleName().toStdString(), says);
        EXPECT_EQ(child<QLabel>(label)->buddy(), list);  // the label relation and its mnemonic
        EXPECT_GT(list->toolTip().size(), 40);
        EXPECT_EQ(said(list, QAccessible::Description), list->toolTip().replace(u'\n', u' ').toStdString());
    }
    const auto labels = [&] {
        QStringList names;
        for (const char *label : {"lbA4Height", "lbFinalImageWidth", "lbFinalImageHeight", "lbTotalPages"})
            names << QString::fromStdString(said(child<QLabel>(label)));
        return names.join(u'|').toStdString();
    };
    EXPECT_EQ(labels(), "Height in A4: 1.35|Final image width: 57.6cm|Final image height: 37cm|Total pages: 6");
    child("cmbA4Width")->setCurrentIndex(3);
    EXPECT_EQ(labels(), "Height in A4: 1.80|Final image width: 77cm|Final image height: 49.2cm|Total pages: 8");
    EXPECT_FALSE(said(child<QLabel>("lbTotalPages"), QAccessible::Description).empty());

    const QStringList lines = child("cmbResox")->toolTip().split(u'\n');
    EXPECT_EQ(lines.join(u' '),
              "Pixel resolution of one A4 printer page in the width dimension. Defines how smooth the image is "
              "interpolated while blowing it up. You can see the effect by inserting small values.");
    EXPECT_GE(lines.size(), 3) << "wrapped (how: Design's table)";
    const QIcon icon = window->windowIcon();
    for (const int size : {16, 32, 48, 256}) {
        const QImage drawn = icon.pixmap(QSize(size, size), 1.0).toImage();
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)) && drawn.size() == QSize(size, size)) << size;
        EXPECT_EQ(std::pair(qAlpha(drawn.pixel(size / 2, size / 2)), qAlpha(drawn.pixel(0, 0))), std::pair(255, 0))
            << size << ": a poster in the middle, nothing in the corner";
    }
}

// At the screen's device pixel ratio (also run at QT_SCALE_FACTOR 1.25, 1.5, 2): the pictures have
// a pixel for every device pixel, painted 1:1, and a grid line stays one device pixel wide.
TEST_F(MainWindow, HiDpiPicturesUseEveryDevicePixelAndGridLinesStayThin)
{
    const double ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1;
    ASSERT_EQ(grid->devicePixelRatioF(), ratio);
    const QImage background = grid->background();
    EXPECT_EQ(background.size(), devicePixels(grid->interiorSize(), ratio));  // a fraction rounds up
    EXPECT_EQ(background.devicePixelRatio(), ratio);
    QImage lines = background;  // the grid alone, without the boxes of a tick
    {
        QPainter painter(&lines);
        grid->DrawGrid(painter, window->poster().settings, window->grid());
    }
    // Changes along each device row across the first inner vertical grid line: one pixel, never two.
    const PosterSettings &s = window->poster().settings;
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

    window->tmrGrid_Timer();
    const QImage composed = grid->composed(), onScreen = grid->grab().toImage();
    ASSERT_EQ(onScreen.devicePixelRatio(), ratio);
    const QPoint inside = grid->contentsRect().topLeft() * ratio;
    int different = 0;
    for (int y = 0; y < composed.height(); y += 3)
        for (int x = 0; x < composed.width(); x += 3)
            different += onScreen.pixel(inside + QPoint(x, y)) != composed.pixel(x, y);
    EXPECT_EQ(different, 0) << "the window shows exactly these pixels";
}

// The window's size and place are kept with the settings (run on a large screen by
// app_tests_large_screen): as the user left them, maximised too; a window as it starts (designed
// and centred) stores nothing, so the file stays as it always was; a stored place that does not
// read opens the window as designed.
TEST_F(MainWindow, TheWindowPlaceIsKeptUnlessAsDesigned)
{
    const QRect screen = window->screen()->availableGeometry();
    if (screen.width() < 1300 || screen.height() < 900)
        GTEST_SKIP() << "the screen is too small for a larger window";
    const QRect designed(window->pos(), window->size());  // the outer place, the client area's size
    EXPECT_EQ(designed.center(), screen.center());
    const auto stored = [] { return GetSetting(settingkeys::Section, settingkeys::Window, QStringLiteral("none")); };
    const auto reopen = [&] {
        window->close();
        window.reset();
        open();
    };
    reopen();
    EXPECT_EQ(stored(), "none");
    EXPECT_EQ(QRect(window->pos(), window->size()), designed);

    window->resize(1200, 800);
    window->move(40, 30);
    reopen();
    EXPECT_NE(stored(), "none");
    EXPECT_EQ(window->size(), QSize(1200, 800));
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_EQ(window->grid().GridViewWidth, grid->interiorSize().width()) << "drawn for its size";

    window->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isMaximized(); }));
    reopen();
    EXPECT_TRUE(window->isMaximized());
    window->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isMaximized(); }));
    EXPECT_EQ(window->size(), QSize(1200, 800)) << "the size before it was maximised";

    window->resize(window->minimumSize());
    window->move(designed.topLeft());
    reopen();
    EXPECT_EQ(stored(), "none");

    for (const char *text : {"not base64!", "AAAA", ""}) {
        SCOPED_TRACE(text);
        window->close();
        SaveSetting(settingkeys::Section, settingkeys::Window, QLatin1String(text));
        window.reset();
        open();
        EXPECT_EQ(QRect(window->pos(), window->size()), designed);
        window->resize(900, 700);  // closing stores this one
    }
}

// F1 where no program opens the help: the help in a window of the program's own, its links followed
// in the window and back with Alt+Left; once, however often asked for (what the page holds: the
// installation's test). Without the help pages the status line says where they were looked for.
TEST_F(MainWindow, F1WithoutABrowserShowsTheHelpInAWindowOfItsOwn)
{
    const auto shell = modToolbox::installShellOpenHandler([](const QUrl &) { return false; });
    const QString help = QStringLiteral(PLAKATRON_SOURCE_DIR "/resources/help/");
    modToolbox::setAppFolderForTesting(QStringLiteral(PLAKATRON_SOURCE_DIR "/resources/"));
    activate();
    for (int asked = 0; asked < 2; ++asked) {
        QTest::keyClick(window.get(), Qt::Key_F1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->findChild<frmHelp *>() != nullptr; }));
        EXPECT_EQ(window->findChildren<frmHelp *>().size(), 1);
    }
    frmHelp *shown = window->findChild<frmHelp *>();
    QTextBrowser *browser = shown->browser();
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->windowTitle(), "Plakatron - Instructions");
    EXPECT_EQ(browser->source(), QUrl::fromLocalFile(help + "index.htm"));
    // A link of the contents, followed in the window by the keyboard, and back.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->source().fragment(), "overview");
    QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(browser->source().fragment(), "");
    EXPECT_TRUE(browser->openExternalLinks()) << "mail and web links go to the system";
    EXPECT_TRUE(messages.messages().empty());
    shown->close();

    modToolbox::setAppFolderForTesting(dir.path());  // no help there
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(window->statusLine(), "The instructions are missing: " + QDir::toNativeSeparators(dir.filePath("help/index.htm")));
    modToolbox::installShellOpenHandler(shell);
    modToolbox::setAppFolderForTesting(QString());
}

class MainWindowHiDpi : public MainWindow {};

// The window grows with the screen (also run at QT_SCALE_FACTOR 1.25, 1.5, 2; at 2 the largest
// size is a 3840 x 2160 screen): the picture view and the preview grow, the preview in its designed
// shape showing the page in the page's own, both with a pixel for every device pixel; the lists,
// labels and buttons keep their sizes below them, Print at the right edge; the labels and pages
// stay, a click picks the page under it. Back at the designed size every control is where it was.
TEST_F(MainWindowHiDpi, WindowGrowsItsPictureAndPreviewWithTheScreen)
{
    const double ratio = grid->devicePixelRatioF();
    QWidget *client = window->centralWidget();
    const auto controls = [client] {
        std::map<QString, QRect> places;
        for (QWidget *w : client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            places[w->objectName()] = w->geometry();
        return places;
    };
    const std::map<QString, QRect> designed = controls();
    EXPECT_EQ(client->size(), QSize(783, 537));
    EXPECT_EQ(designed.at("picGrid"), QRect(16, 20, 440, 401));
    EXPECT_EQ(designed.at("picPreview"), QRect(474, 22, 290, 400));
    EXPECT_EQ(designed.at("cmdPrint"), QRect(664, 478, 100, 32));
    const QSize frame = window->size() - client->size();  // the menu bar and the status line
    QPalette palette = preview->palette();  // a background that sets the page's white apart
    palette.setColor(QPalette::Base, Qt::magenta);
    preview->setPalette(palette);
    pick(1.5, 0.5);
    ASSERT_EQ(window->previewPage(), 2);
    const QImage page = window->pageCanvas();

    const QSize largest = QSize(3840, 2160) / ratio;
    for (const QSize size : {QSize(1600, 1000), largest, window->minimumSize()}) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        window->resize(size);
        // The pictures follow once the window has stopped changing. (QTRY_VERIFY would end the test
        // without failing it: it reports to Qt's test runner, not to this one.)
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return window->grid().GridViewWidth == grid->interiorSize().width()
                   && preview->picture().size() == devicePixels(preview->interiorSize(), ratio);
        }));
        ASSERT_EQ(client->size(), size - frame);
        const QSize more = client->size() - QSize(783, 537);
        const QRect view = grid->geometry(), box = preview->geometry();
        EXPECT_EQ(view.topLeft(), QPoint(16, 20));
        EXPECT_EQ(view.height(), 401 + more.height());
        EXPECT_EQ(box.top(), 22);
        EXPECT_EQ(box.height(), 400 + more.height());
        EXPECT_NEAR(box.width(), std::min(290.0 * box.height() / 400, 290 + more.width() / 2.0), 1);
        EXPECT_EQ(box.left() - view.right(), 474 - 455) << "the gap between them as designed";
        EXPECT_EQ(box.right() + 1, 764 + more.width()) << "and the margin on the right";
        if (more.width() > 0) {
            EXPECT_GT(view.width(), box.width()) << "the picture takes the larger share";
        }
        for (const auto &[name, place] : designed) {
            if (name == "picGrid" || name == "picPreview" || name == "lbPreview" || name == "Label10")
                continue;
            if (name.contains("PdfPage")) {  // over the picture view's top right corner
                EXPECT_EQ(client->findChild<QWidget *>(name)->geometry(), place.translated(view.right() - 455, 0))
                    << name.toStdString();
                continue;
            }
            const QRect now = client->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly)->geometry();
            EXPECT_EQ(now.size(), name.startsWith("line3d") ? place.size() + QSize(more.width(), 0) : place.size())
                << name.toStdString();
            EXPECT_EQ(now.topLeft(), place.topLeft() + QPoint(name == "cmdPrint" ? more.width() : 0, more.height()))
                << name.toStdString();
        }
        EXPECT_EQ(shown(), Defaults);
        // Sharp: a device pixel for each, the picture view at its new scale, the page in its shape.
        EXPECT_EQ(grid->composed().size(), devicePixels(grid->interiorSize(), ratio));
        EXPECT_EQ(preview->picture().size(), devicePixels(preview->interiorSize(), ratio));
        EXPECT_EQ(preview->picture().devicePixelRatio(), ratio);
        if (size != window->minimumSize()) {
            const QRect shown = pageIn(preview->picture());
            EXPECT_NEAR(double(shown.width()) / shown.height(), double(page.width()) / page.height(), 0.01);
        }
        EXPECT_EQ(window->pageCanvas().size(), page.size()) << "the page is not rendered again";
        QTest::mouseClick(grid, Qt::LeftButton, {}, middleOf(4));
        EXPECT_EQ(selected(), 4);
        pick(1.5, 0.5);
        EXPECT_EQ(selected(), 2);
    }
    EXPECT_EQ(controls(), designed);
    EXPECT_TRUE(messages.messages().empty());
}

// Pictures at the edges of the page arithmetic neither stop the window nor show a message, and
// keys never select a page beyond the grid.
TEST_F(MainWindow, ExtremePicturesKeepTheWindowWorking)
{
    // So tall that the rows pass 16 bits: the pass is abandoned silently; the labels up to the
    // heights are new, the page count and the grid stay those of the last complete pass.
    child("cmbA4Width")->setCurrentIndex(1);
    ASSERT_TRUE(drag({picture("tall.BMP", 1, 46400)}));
    EXPECT_EQ(shown(), "1 page|800 *|32814.71|0cm|4327m  3.2cm|2");
    EXPECT_EQ(window->grid().GridRows, 1);
    pick(0.01, 0.01);
    EXPECT_FALSE(window->pageCanvas().isNull());
    for (const Qt::Key key : {Qt::Key_End, Qt::Key_Down, Qt::Key_Right, Qt::Key_Return, Qt::Key_Menu}) {
        QTest::keyClick(grid, key);
        menu->hide();
        EXPECT_LE(selected(), window->grid().pageCount());
    }
    // So many pages (2 × 16408) that the last ones pass 16-bit numbers: End, which leads there, is
    // ignored, as a click there is; the pages that fit are selected as on any poster.
    ASSERT_TRUE(drag({picture("long.bmp", 20, 232000)}));
    child("cmbA4Width")->setCurrentIndex(1);
    ASSERT_EQ(window->grid().pageCount(), 32816);
    for (const auto &[key, page] : {std::pair{Qt::Key_End, 0}, {Qt::Key_Home, 1}, {Qt::Key_End, 1}, {Qt::Key_Down, 3}}) {
        QTest::keyClick(grid, key);
        EXPECT_EQ(selected(), page);
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A page that cannot be had in memory: its message, and the page before stays selected and shown;
// with memory again the page is had. In a child process with its address space capped.
using MainWindowDeathTest = MainWindow;
TEST_F(MainWindowDeathTest, APageThatCannotBeHadKeepsTheSelection)
{
    if (!test::addressSpaceCanBeLimited())
        GTEST_SKIP() << "the address space cannot be capped here";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const test::CappableChildren cappable;
    const auto inChild = [this] {
        const auto state = [&] {
            return QStringLiteral("page %1 shown %2, %3, %4 messages").arg(selected()).arg(window->previewPage())
                .arg(caption->text()).arg(messages.messages().size());
        };
        child("cmbResox")->setCurrentIndex(23);  // 1400 pixels: 8 MB a page
        pick(0.5, 0.5);
        const QImage canvas = window->pageCanvas().copy(), shown = preview->picture().copy();
        messages.clear();
        test::limitAddressSpace(4 << 20);
        pick(1.5, 0.5);
        test::restoreAddressSpace();
        const bool kept = window->pageCanvas() == canvas && preview->picture() == shown;
        const QString failed = state() + (kept ? " kept" : " changed") + ": " + messages.messages().at(0).text;
        pick(1.5, 0.5);  // with memory again
        std::fprintf(stderr, "%s; then %s\n", qPrintable(failed), qPrintable(state()));
        std::_Exit(0);
    };
    EXPECT_EXIT(inChild(), testing::ExitedWithCode(0),
                "page 1 shown 1, Preview: \\(page  1\\), 1 messages kept: Out of memory\r\nCode 7; "
                "then page 2 shown 2, Preview: \\(page  2\\), 1 messages\n");
}

}  // namespace

// A PDF of several pages opens on page 1 with the page box shown; the box picks another page,
// which becomes the poster's picture. A page the file cannot give, a damaged PDF or an SVG keep
// or hide the box as their picture says, and a failure keeps the picture and grid before.
TEST_F(MainWindow, APdfOpensOnItsFirstPageAndThePageBoxPicksAnother)
{
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    const QString pdf = dir.filePath(QStringLiteral("three pages.pdf")), svg = dir.filePath(QStringLiteral("one.svg"));
    test::writeFile(pdf, test::writtenPdf(QSizeF(144, 72), 3, [&](QPainter &p, int page) {
                        p.fillRect(QRectF(0, 0, 144, 72), colours[page]);
                    }));
    test::writeFile(svg, test::writtenSvg(QSizeF(60, 90), [](QPainter &p) { p.fillRect(QRectF(0, 0, 60, 90), Qt::yellow); }));
    auto *box = child<QSpinBox>("spnPdfPage");
    auto *count = child<QLabel>("lbPdfPages");
    const auto centre = [&] {
        const QImage &overview = window->sourcePicture().overview();
        return overview.pixel(overview.width() / 2, overview.height() / 2);
    };
    EXPECT_FALSE(box->isVisible());  // the built-in picture

    ASSERT_TRUE(drag({pdf}));
    EXPECT_TRUE(messages.messages().empty());
    ASSERT_TRUE(window->sourcePicture().isVector());
    EXPECT_EQ(window->sourcePicture().size(), QSize(192, 96));
    EXPECT_EQ(window->sourcePicture().documentPage(), (DocumentPage{1, 3}));
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->value(), 1);
    EXPECT_EQ(box->maximum(), 3);
    EXPECT_EQ(count->text(), "of 3");
    EXPECT_EQ(centre(), qRgb(255, 0, 0));
    EXPECT_EQ(child<QLabel>("lbTotalPages")->text(), QString::number(window->poster().pageCount()));

    box->setValue(3);
    EXPECT_EQ(window->sourcePicture().documentPage(), (DocumentPage{3, 3}));
    EXPECT_EQ(centre(), qRgb(0, 0, 255));
    EXPECT_EQ(box->value(), 3);

    // The file damaged meanwhile: the page asked for cannot be had, page 3 stays.
    test::writeFile(pdf, "%PDF-1.4\nnothing of a PDF");
    box->setValue(2);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.messages()[0].text.contains("The PDF is damaged or incomplete")) << messages.messages()[0].text.toStdString();
    EXPECT_EQ(window->sourcePicture().documentPage(), (DocumentPage{3, 3}));
    EXPECT_EQ(box->value(), 3);
    EXPECT_TRUE(box->isVisible());

    messages.clear();
    ASSERT_TRUE(drag({svg}));
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(window->sourcePicture().size(), QSize(60, 90));
    EXPECT_FALSE(box->isVisible());
}
