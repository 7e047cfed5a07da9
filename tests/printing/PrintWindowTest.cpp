// Printing from the real main window under the offscreen platform: the confirmation, the wait
// window as the user sees it, printer.dat beside the program (a temporary folder here) and what
// comes out. The dialog is answered through its seam: a PDF file, or a queue of the private CUPS
// server tools/test-cups starts ("Office" and "Office_2", each writing PDF files into its own
// folder). Without that server the queue tests skip, unless PLAKATRON_REQUIRE_CUPS=1.
#include "support/PdfTools.h"
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "input/Toolbox.h"
#include "layout/frmWait.h"
#include "printing/PrintJob.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plakatron;
using test::contentOf;
using test::writeFile;

namespace {

const QString Office = QStringLiteral("Office");
const QString Office2 = QStringLiteral("Office_2");
const QString DesignText = QStringLiteral("Processing - please wait");
const QString SixPages = QStringLiteral("Are you sure you want to print the  6 pages?");

// The wait window as the user sees it: its place at each showing, its label's texts as painted.
class WaitWindowWatcher : public QObject {
public:
    WaitWindowWatcher() { qApp->installEventFilter(this); }
    ~WaitWindowWatcher() override { qApp->removeEventFilter(this); }
    std::vector<QRect> shown;
    QStringList painted;  // repeats of a text folded

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<frmWait *>(object))
            shown.push_back(static_cast<QWidget *>(object)->frameGeometry());
        const auto *label = qobject_cast<QLabel *>(object);
        if (event->type() == QEvent::Paint && label && qobject_cast<frmWait *>(object->parent())
            && (painted.isEmpty() || painted.back() != label->text()))
            painted << label->text();
        return false;
    }
};

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        modToolbox::setAppFolderForTesting(dir.path());
        previousDialog = setPrintDialogFunction([this](const PrintDialogRequest &request) {
            seen = request.records;
            seenColour = request.printer.colorMode();
            if (queue.isEmpty())
                request.printer.setOutputFileName(output);
            else
                request.printer.setPrinterName(queue);
            request.printer.setColorMode(QPrinter::GrayScale);
            // The dialog's own page range does not change what is printed.
            request.printer.setPrintRange(QPrinter::PageRange);
            request.printer.setFromTo(2, 3);
            return confirm;
        });
        resetCurrentPrinter();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override
    {
        setPrintDialogFunction(previousDialog);
        modToolbox::setAppFolderForTesting(QString());
        resetCurrentPrinter();
    }
    void clickPrint() { window.findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click(); }

    QTemporaryDir dir;
    QString output = dir.filePath(QStringLiteral("poster.pdf"));
    const QString printerFile = dir.filePath(QStringLiteral("printer.dat"));
    QString queue;  // the queue the user chooses; none: the PDF file `output`
    bool confirm = true;
    PrinterRecords seen;  // what the dialog opened with
    QPrinter::ColorMode seenColour = QPrinter::Color;
    PrintDialogFunction previousDialog;
    test::MessageCapture messages;
    frmMain window;
};



// The names in a folder, hidden ones included, with `added`, in order: "poster.pdf printer.dat".
std::string namesIn(const QString &folder, QStringList added = {})
{
    added += QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    added.sort();
    return added.join(u' ').toStdString();
}

class CupsPrintTest : public PrintWindowTest {
protected:
    void SetUp() override
    {
        const QStringList names = installedPrinterNames();
        if (outFolder.isEmpty() || !names.contains(Office) || !names.contains(Office2)) {
            const char *why = "no test CUPS server with the queues Office and Office_2 (run the tests through "
                              "tools/test-cups, as tools/dev test does)";
            if (qEnvironmentVariable("PLAKATRON_REQUIRE_CUPS") == QLatin1String("1"))
                FAIL() << why;
            GTEST_SKIP() << why;
        }
        PrintWindowTest::SetUp();
        before = newOutput();
    }
    // The PDF files the queues wrote since the test began, once no job is pending or printing.
    QStringList newOutput() const
    {
        for (QDeadlineTimer deadline(120000); !deadline.hasExpired(); QThread::msleep(200)) {
            QProcess lpstat;
            lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
            if (lpstat.waitForFinished(30000) && lpstat.readAllStandardOutput().trimmed().isEmpty())
                break;
        }
        QStringList files;
        for (const QString &name : {Office, Office2})
            for (const QFileInfo &file : QDir(outFolder + u'/' + name).entryInfoList({QStringLiteral("*.pdf")}))
                if (!before.contains(file.filePath()))
                    files << file.filePath();
        return files;
    }
    const QString outFolder = qEnvironmentVariable("PLAKATRON_TEST_CUPS_OUT");
    QStringList before;
};

}  // namespace

TEST_F(PrintWindowTest, PopupEntryPrintsAllPagesWithoutSelectionAndTheSelectedPageWithOne)
{
    QAction *printThisPicture = window.findChild<QAction *>(QStringLiteral("mnuPrintThisPicture"));
    WaitWindowWatcher wait;
    printThisPicture->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    const MessageRequest &ask = messages.messages()[0];
    EXPECT_EQ(std::tuple(ask.text, ask.icon, ask.buttons, ask.title),
              std::tuple(SixPages, MsgIcon::Question, MsgButtons::YesNo, QStringLiteral("Plakatron")));
    EXPECT_EQ(wait.painted,
              QStringList({DesignText, QStringLiteral("Printing page  1/ 6"), QStringLiteral("Printing page  2/ 6"),
                           QStringLiteral("Printing page  3/ 6"), QStringLiteral("Printing page  4/ 6"),
                           QStringLiteral("Printing page  5/ 6"), QStringLiteral("Printing page  6")}));
    ASSERT_EQ(wait.shown.size(), 1u);
    EXPECT_LE((wait.shown[0].center() - window.frameGeometry().center()).manhattanLength(), 2) << "centred";
    // All six pages, whatever range the dialog chose: one page picture per sheet, margins
    // included, across the printable area's width on A4 and undistorted.
    const QSizeF printable = currentPrinter().pageLayout().paintRect(QPageLayout::Inch).size();
    const std::vector<test::PdfImage> images = test::pdfImages(output);
    EXPECT_EQ(test::pdfPageCount(output), 6);
    ASSERT_EQ(images.size(), 6u);
    EXPECT_NEAR(images[5].xPpi, 820 / printable.width(), 1);
    EXPECT_EQ(images[5].yPpi, images[5].xPpi);
    // The choice is stored beside the program, this window as the dialog's owner.
    EXPECT_EQ(QFileInfo(printerFile).size(), 184);
    const PrinterRecords stored = readPrinterFile(printerFile);
    EXPECT_EQ(std::tuple(stored.dialog.lStructSize, stored.dialog.hwndOwner, stored.devMode.dmColor),
              std::tuple(66u, static_cast<std::uint32_t>(window.winId()), 1));

    // As after a restart the platform's default printer is current; the stored choices still
    // open the dialog. Page 5 alone.
    resetCurrentPrinter();
    const PosterSettings &s = window.poster();
    window.picGrid_MouseDown(Qt::LeftButton, QPointF(1.5 * s.PagePixelWidth, 1.5 * s.PagePixelHeight));
    wait.painted.clear();
    printThisPicture->trigger();
    EXPECT_EQ(std::tuple(seen.dialog.Flags & pd::PrintToFile, seenColour),
              std::tuple(pd::PrintToFile, QPrinter::GrayScale));
    EXPECT_EQ(messages.messages().back().text, QStringLiteral("Are you sure you want to print the  1 pages?"));
    EXPECT_EQ(wait.painted, QStringList({DesignText, QStringLiteral("Printing page  5")}));
    EXPECT_EQ(test::pdfPageCount(output), 1);
    EXPECT_EQ(std::tuple(programWide().FirstPrintPage, programWide().LastPrintPage), std::tuple(5, 5));
}

TEST_F(PrintWindowTest, PrintAssemblyMapPrintsOneSheetThroughTheSameDialog)
{
    // Under "Print this picture..." in the pop-up menu of the grid view and the preview.
    const QList<QAction *> entries = window.findChild<QMenu *>(QStringLiteral("mnu"))->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->objectName(), QStringLiteral("mnuPrintThisPicture"));
    EXPECT_EQ(entries[1]->text().remove(u'&'), QStringLiteral("Print assembly map..."));

    // With a page selected as without one: the whole poster on one sheet, no question after the
    // dialog, the wait window while it prints, the choice stored.
    const PosterSettings &s = window.poster();
    window.picGrid_MouseDown(Qt::LeftButton, QPointF(1.5 * s.PagePixelWidth, 0.5 * s.PagePixelHeight));
    WaitWindowWatcher wait;
    entries[1]->trigger();
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(wait.painted, QStringList({QStringLiteral("Printing the assembly map")}));
    ASSERT_EQ(wait.shown.size(), 1u);
    EXPECT_EQ(test::pdfPageCount(output), 1);
    const QString text = test::pdfText(output);
    for (const char *word : {"1", "2", "3", "4", "5", "6"})
        EXPECT_TRUE(text.split(u'\n').contains(QLatin1String(word))) << word;
    EXPECT_TRUE(text.contains(QStringLiteral("Poster 59.8cm × 38cm: 3 × 2 sheets, 6 pages, overlap 3 %"))) << text.toStdString();
    EXPECT_EQ(QFileInfo(printerFile).size(), 184);
    QApplication::processEvents();
    EXPECT_EQ(loadedWaitWindow(), nullptr);

    // The next time the dialog opens on the stored choice; cancelled, nothing is printed.
    QFile::remove(output);
    confirm = false;
    resetCurrentPrinter();
    entries[1]->trigger();
    EXPECT_EQ(seen.dialog.Flags & pd::PrintToFile, pd::PrintToFile);
    EXPECT_FALSE(QFile::exists(output));

    // The usual errors: a file that cannot be written is a message, and nothing is left.
    confirm = true;
    output = dir.filePath(QStringLiteral("missing/map.pdf"));
    entries[1]->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(std::tuple(messages.messages()[0].text, messages.messages()[0].icon),
              std::tuple(QStringLiteral("Error: 76 Cannot write '%1': No such file or directory").arg(output),
                         MsgIcon::Critical));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
}

TEST_F(PrintWindowTest, WhatStopsAJobAndWhatDoesNot)
{
    // A printer.dat that cannot be written (a program folder only the administrator may write)
    // does not keep the poster from being printed.
    struct Row { const char *what, *inTheWay; bool confirm, stored; MsgAnswer answer; int sheets; QString last; };
    const Row rows[] = {
        {"dialog cancelled", "", false, false, MsgAnswer::Yes, -1, QString()},
        {"answered No", "", true, true, MsgAnswer::No, -1, SixPages},
        {"printer.dat in the way", "printer.dat", true, false, MsgAnswer::Yes, 6, SixPages},
        {"output in the way", "poster.pdf", true, true, MsgAnswer::Yes, -1,
         QStringLiteral("Error: 75 Cannot write '%1': Is a directory").arg(output)},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        QDir(dir.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QLatin1String(r.inTheWay))));
        confirm = r.confirm;
        messages.clear();
        if (r.answer == MsgAnswer::No)
            messages.answerNext(MsgAnswer::No);
        WaitWindowWatcher wait;
        clickPrint();
        EXPECT_EQ(currentPrinter().outputFileName().isEmpty(), !r.confirm) << "cancelled, nothing changes";
        EXPECT_EQ(QFileInfo(printerFile).isFile(), r.stored);
        EXPECT_EQ(test::pdfPageCount(output), r.sheets);
        EXPECT_EQ(messages.messages().empty() ? QString() : messages.messages().back().text, r.last);
        EXPECT_EQ(wait.shown.size(), r.confirm && r.answer == MsgAnswer::Yes ? 1u : 0u);
        QApplication::processEvents();
        EXPECT_EQ(loadedWaitWindow(), nullptr);
    }
}

TEST_F(CupsPrintTest, PosterArrivesOnExactlyTheChosenQueueAndABrokenJobNowhere)
{
    // From a PDF file back to a queue; "OFFICE" also starts "Office_2", which gets nothing.
    currentPrinter().setOutputFileName(output);
    queue = Office;
    clickPrint();
    EXPECT_EQ(currentPrinter().printerName(), Office);
    EXPECT_FALSE(QFile::exists(output));
    // Qt's CUPS engine cannot abort a document; one broken off by an error must not print.
    PrintJob broken(currentPrinter());
    const auto printPage = [&](std::int16_t page) {
        if (page == 3)
            plakatron::raise(err::OutOfMemory);
        broken.PrintPageImage(window.pageCanvas());
    };
    EXPECT_THROW(broken.run({1, 4}, printPage), RuntimeError);
    const QStringList files = newOutput();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].contains(QStringLiteral("/Office/"))) << files[0].toStdString();
    EXPECT_EQ(test::pdfPageCount(files[0]), 6);
}

TEST_F(PrintWindowTest, AFullDiskKeepsTheOldPosterAndSaysWhy)
{
    test::SmallDisk disk(2);
    PLAKATRON_REQUIRE_SMALL_DISK(disk);
    // The six pages do not fit in what is left: the message names the system's reason, the
    // poster printed before stays, and nothing else is left on the disk.
    output = disk.filePath(QStringLiteral("poster.pdf"));
    writeFile(output, "the old poster");
    disk.fill(100 << 10);
    const std::string before = namesIn(disk.path());
    clickPrint();
    ASSERT_EQ(messages.messages().size(), 2u);
    const MessageRequest &failure = messages.messages().back();
    EXPECT_EQ(std::tuple(failure.text, failure.icon),
              std::tuple(QStringLiteral("Error: 61 Cannot write '%1': No space left on device").arg(output),
                         MsgIcon::Critical));
    EXPECT_EQ(contentOf(output), QByteArray("the old poster"));
    EXPECT_EQ(namesIn(disk.path()), before);
    EXPECT_EQ(currentPrinter().outputFileName(), output) << "the next dialog offers the same file";
    QApplication::processEvents();
    EXPECT_EQ(loadedWaitWindow(), nullptr);

    // printer.dat on a full disk: the poster prints (elsewhere), the choice is not remembered and
    // no empty printer.dat is left behind.
    disk.empty();
    disk.fill(0);
    modToolbox::setAppFolderForTesting(disk.path());
    output = dir.filePath(QStringLiteral("poster.pdf"));
    messages.clear();
    clickPrint();
    EXPECT_EQ(messages.messages().size(), 1u) << messages.messages().back().text.toStdString();
    EXPECT_EQ(test::pdfPageCount(output), 6) << "the printer prints again after a failed job";
    EXPECT_EQ(namesIn(disk.path()), ".filler poster.pdf");
}

TEST_F(PrintWindowTest, APrinterFileThatIsNoRegularFileIsNeitherReadNorWrittenAndThePosterPrints)
{
    // A printer.dat that was written through links or waited on as a FIFO could overwrite another
    // file or freeze the window. A link is taken as a file that can be neither read nor written;
    // a FIFO, like anything else in the program folder's way, sends the choice to the user's own
    // printer.dat.
    PrinterRecords remembered;
    remembered.dialog.Flags = pd::PrintToFile;
    enum Kind { LinkToFile, DanglingLink, Fifo, LinkToFifo };
    const struct { Kind kind; const char *what; } rows[] = {
        {LinkToFile, "a link to another file"},
        {DanglingLink, "a link to a file that does not exist"},
        {Fifo, "a FIFO"},
        {LinkToFifo, "a link to a FIFO"},
    };
    const QString target = dir.filePath(QStringLiteral("elsewhere"));
    const QByteArray path = QFile::encodeName(printerFile);
    const QString usersOwn = settingsFolder() + QLatin1String(PrinterFileName);
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        QFile::remove(usersOwn);
        QDir(dir.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.path()));
        switch (r.kind) {
        case LinkToFile:
            writePrinterFile(target, remembered);
            ASSERT_TRUE(QFile::link(target, printerFile));
            break;
        case DanglingLink: ASSERT_TRUE(QFile::link(target, printerFile)); break;
        case Fifo: ASSERT_EQ(::mkfifo(path.constData(), 0644), 0); break;
        case LinkToFifo:
            ASSERT_EQ(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
            ASSERT_TRUE(QFile::link(target, printerFile));
            break;
        }
        const QByteArray targetBefore = r.kind == LinkToFile ? contentOf(target) : QByteArray();
        const std::string expected = namesIn(dir.path(), {QStringLiteral("poster.pdf")});
        messages.clear();
        clickPrint();
        EXPECT_EQ(seen.dialog.Flags, 0u) << "the dialog starts afresh";
        EXPECT_EQ(messages.messages().size(), 1u) << "only the confirmation";
        EXPECT_EQ(test::pdfPageCount(output), 6);
        EXPECT_EQ(namesIn(dir.path()), expected);
        EXPECT_EQ(QFileInfo(printerFile).isSymLink(), r.kind != Fifo);
        EXPECT_EQ(QFileInfo(usersOwn).isFile(), r.kind == Fifo || r.kind == LinkToFifo);
        if (r.kind == LinkToFile) {
            EXPECT_EQ(contentOf(target), targetBefore);
        }
    }
    QFile::remove(usersOwn);
}

namespace {
std::atomic<int> hangups{0};
extern "C" void countHangup(int) { ++hangups; }
}  // namespace

TEST_F(PrintWindowTest, AStopSignalDuringAPrintStopsItBetweenPagesAndLeavesTheOldPoster)
{
    // This process counts hang-ups instead of ending; the job must hand the signal back when it
    // has cleaned up, as it would end a process that keeps the default.
    struct sigaction counting = {}, previous = {};
    counting.sa_handler = countHangup;
    ASSERT_EQ(::sigaction(SIGHUP, &counting, &previous), 0);
    hangups = 0;
    writeFile(output, "the old poster");
    const std::string expected = namesIn(dir.path(), {QStringLiteral("printer.dat")});

    // The hang-up comes while page 2 is being printed.
    class HangUpAtPage2 : public QObject {
    protected:
        bool eventFilter(QObject *object, QEvent *event) override
        {
            const auto *label = qobject_cast<QLabel *>(object);
            if (event->type() == QEvent::Paint && label && label->text() == QLatin1String("Printing page  2/ 6")
                && hangups == 0 && !raised_) {
                raised_ = true;
                std::raise(SIGHUP);
            }
            return false;
        }
        bool raised_ = false;
    } hangUp;
    qApp->installEventFilter(&hangUp);
    WaitWindowWatcher wait;
    clickPrint();
    qApp->removeEventFilter(&hangUp);
    ::sigaction(SIGHUP, &previous, nullptr);

    EXPECT_EQ(wait.painted.back(), QStringLiteral("Printing page  2/ 6")) << "no page after the signal";
    EXPECT_EQ(hangups.load(), 1) << "the signal is delivered again after the job";
    EXPECT_EQ(messages.messages().size(), 1u) << "only the confirmation";
    EXPECT_EQ(contentOf(output), QByteArray("the old poster"));
    EXPECT_EQ(namesIn(dir.path()), expected);
    QApplication::processEvents();
    EXPECT_EQ(loadedWaitWindow(), nullptr);
}
