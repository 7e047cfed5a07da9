// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the real main window under the offscreen platform: the confirmation, the wait
// window as the user sees it, printer.dat beside the program (a temporary folder here) and what
// comes out. The dialog is answered through its seam: a PDF file, or a queue of the private CUPS
// server tools/test-cups starts ("Office" and "Office_2", each writing PDF files into its own
// folder). Without that server the queue tests skip, unless PLAKATRON_REQUIRE_CUPS=1.
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "core/RuntimeError.h"
#include "input/Toolbox.h"
#include "layout/frmWait.h"
#include "printing/PrintJob.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "support/PdfTools.h"
#include "support/TestCups.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <csignal>
#include <gtest/gtest.h>

using namespace plakatron;
using test::contentOf;
using test::listing;
using test::writeFile;

namespace {

const QString Office = QStringLiteral("Office");
const QString Office2 = QStringLiteral("Office_2");
const QString DesignText = QStringLiteral("Processing - please wait");
const QString SixPages = QStringLiteral("Are you sure you want to print the  6 pages?");

std::atomic<int> hangups{0};
extern "C" void countHangup(int) { ++hangups; }

// The wait window as the user sees it: its place and title at each showing, its label's texts as
// painted.
// Given a counter, it asks the running job to stop while that is painted: as the user would (the
// click or the key waits in the queue for the job to look at its input), or as the system would
// (a hang-up); and keeps what the wait window was like then.
class WaitWindowWatcher : public QObject {
public:
    enum By { CancelButton, EscKey, HangUp };
    explicit WaitWindowWatcher(const QString &stopAt = {}, By by = CancelButton) : stopAt_(stopAt), by_(by)
    {
        qApp->installEventFilter(this);
    }
    ~WaitWindowWatcher() override { qApp->removeEventFilter(this); }
    std::vector<QRect> shown;
    QStringList titles;
    QStringList painted;  // repeats of a text folded
    bool asked = false;
    bool tookInput = false;  // whether the wait window alone took input
    bool labelInside = false;
    QFont font;    // the label's
    int room = 0;  // the label's width for its text

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *wait = qobject_cast<frmWait *>(object->parent());
        const auto *label = qobject_cast<QLabel *>(object);
        if (event->type() == QEvent::Show && qobject_cast<frmWait *>(object)) {
            shown.push_back(static_cast<QWidget *>(object)->frameGeometry());
            titles << static_cast<QWidget *>(object)->windowTitle();
        }
        if (event->type() != QEvent::Paint || !label || !wait)
            return false;
        if (painted.isEmpty() || painted.back() != label->text())
            painted << label->text();
        if (label->text() != stopAt_ || asked)
            return false;
        asked = true;
        tookInput = QApplication::activeModalWidget() == wait;
        labelInside = wait->rect().contains(label->geometry());
        font = label->font();
        room = label->contentsRect().width();
        if (by_ == HangUp) {
            std::raise(SIGHUP);
        } else if (by_ == EscKey) {
            QCoreApplication::postEvent(wait, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        } else {
            QPushButton *cancel = wait->cancelButton();
            const QPoint at = cancel->rect().center(), global = cancel->mapToGlobal(at);
            QCoreApplication::postEvent(cancel, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                                 Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(cancel, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                                 Qt::NoButton, Qt::NoModifier));
        }
        return false;
    }

private:
    QString stopAt_;
    By by_;
};

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        modToolbox::setAppFolderForTesting(dir.path());
        previousDialog = setPrintDialogFunction([this](const PrintDialogRequest &request) {
            seen = request.records;
            opened = {request.printer.printRange(), request.currentPage, request.minPage, request.maxPage};
            if (queue.isEmpty())
                request.printer.setOutputFileName(output);
            else
                request.printer.setPrinterName(queue);
            if (answer)
                answer(request.printer);
            return confirm;
        });
        resetCurrentPrinter();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override
    {
        // The window stores its list choices as it closes; the next test's window starts from the
        // default poster again.
        window.findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(DefaultSheetsIndex);
        window.findChild<QComboBox *>(QStringLiteral("cmbResox"))->setCurrentIndex(DefaultResolutionIndex);
        window.findChild<QComboBox *>(QStringLiteral("cmbPaper"))->setCurrentIndex(0);
        setPrintDialogFunction(previousDialog);
        modToolbox::setAppFolderForTesting(QString());
        resetCurrentPrinter();
    }
    void clickPrint() { window.findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click(); }
    // Lays the window out for a poster of a plain picture `size` pixels large, `sheets` across at
    // `resolution` pixels a sheet.
    void layOut(QSize size, int sheets, const QString &resolution)
    {
        window.UpdatePictureFile(test::writePicture(dir.filePath(QStringLiteral("picture.png")), size, qRgb(90, 90, 90)));
        window.findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(sheets - 1);
        auto *resolutions = window.findChild<QComboBox *>(QStringLiteral("cmbResox"));
        resolutions->setCurrentIndex(resolutions->findText(resolution));
    }
    // Once a job is over, its wait window is gone.
    void expectNoWaitWindow()
    {
        QApplication::processEvents();
        EXPECT_EQ(loadedWaitWindow(), nullptr);
    }

    QTemporaryDir dir;
    QString output = dir.filePath(QStringLiteral("poster.pdf"));
    const QString printerFile = dir.filePath(QStringLiteral("printer.dat"));
    QString queue;  // the queue the user chooses; none: the PDF file `output`
    std::function<void(QPrinter &)> answer;  // what else the user changes; none: the pages it opened with
    bool confirm = true;
    PrinterRecords seen;  // what the dialog opened with
    struct Opened {
        QPrinter::PrintRange start = QPrinter::AllPages;
        int currentPage = 0, minPage = 0, maxPage = 0;
        bool operator==(const Opened &) const = default;
    } opened;
    PrintDialogFunction previousDialog;
    test::MessageCapture messages;
    frmMain window;
};

TEST_F(PrintWindowTest, ALongJobShowsItsWholeCounterAndStopsOnCancelEscOrASignal)
{
    {
        // The preview's text fits as well.
        frmWait preview(&window);
        EXPECT_LE(QFontMetrics(preview.label()->font()).horizontalAdvance(DesignText), preview.width() - 16);
        EXPECT_EQ(preview.cancelButton(), nullptr) << "rendering one page cannot be cancelled";
    }
    // A tall picture, 40 sheets across at 10 pixels a sheet: thousands of pages.
    layOut({200, 800}, 40, QStringLiteral("10"));
    const int pages = window.grid().pageCount();
    ASSERT_GE(pages, 1000);
    ASSERT_LE(pages, 9999);
    // The counter names the last page printed (the last rows are cut from beyond the picture).
    const int last = posterJobPages(window.poster(), {1, std::int16_t(pages)}).printedRange().last;
    ASSERT_LT(last, pages);
    const QString second = QStringLiteral("Printing page  2/ %1").arg(last);
    // This process counts hang-ups instead of ending: the job must hand the signal back when it has
    // cleaned up, as it would end a process that keeps the default.
    struct sigaction counting = {}, previous = {};
    counting.sa_handler = countHangup;
    for (const auto by : {WaitWindowWatcher::CancelButton, WaitWindowWatcher::EscKey, WaitWindowWatcher::HangUp}) {
        SCOPED_TRACE(by);
        writeFile(output, "the old poster");
        const std::string before = listing(dir.path(), QFile::exists(printerFile) ? QStringList() : QStringList(u"printer.dat"_qs));
        messages.clear();
        hangups = 0;
        ASSERT_EQ(::sigaction(SIGHUP, &counting, &previous), 0);
        WaitWindowWatcher stop(second, by);
        clickPrint();
        ::sigaction(SIGHUP, &previous, nullptr);

        ASSERT_TRUE(stop.asked);
        // Every counter of the job fits, as it did from the start.
        EXPECT_TRUE(stop.labelInside);
        for (char digit = '0'; digit <= '9'; ++digit)
            EXPECT_LE(QFontMetrics(stop.font).horizontalAdvance(QStringLiteral("Printing page  %1/ %2").arg(QString(4, QChar(digit))).arg(pages)),
                      stop.room) << "in " << QFontInfo(stop.font).family().toStdString();
        EXPECT_TRUE(stop.tookInput) << "while printing, the wait window alone takes input";
        EXPECT_EQ(stop.painted.back(), second) << "no page after the one being printed";
        EXPECT_EQ(hangups.load(), by == WaitWindowWatcher::HangUp ? 1 : 0) << "the signal is delivered again after the job";
        EXPECT_EQ(messages.messages().size(), 1u) << "only the confirmation: a stopped job is no error";
        EXPECT_EQ(contentOf(output), QByteArray("the old poster"));
        EXPECT_EQ(listing(dir.path()), before);
        EXPECT_EQ(window.statusLine(), "Printing cancelled: nothing was printed");
        expectNoWaitWindow();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the window takes input again";
    }
    // The next job prints again, every page of a smaller poster.
    layOut({200, 800}, 2, QStringLiteral("100"));
    clickPrint();
    EXPECT_EQ(test::pdfPageCount(output), window.grid().pageCount());
}

// The paper chosen in the window shapes the pages and the dialog opens on it; the sheet is that
// paper and the page keeps its shape on it (where a page goes on any paper: PrintJob's table).
// Another paper chosen in the dialog lays the poster out for it and prints nothing yet.
TEST_F(PrintWindowTest, TheWindowsPaperShapesThePagesAndTheDialogsPaperLaysThePosterOut)
{
    layOut({1200, 1800}, 2, QStringLiteral("300"));  // grey to page 1's edges, no hint margins
    auto *papers = window.findChild<QComboBox *>(QStringLiteral("cmbPaper"));
    const Paper rows[] = {{QPageSize::Letter, QPageLayout::Portrait}, {QPageSize::A3, QPageLayout::Landscape}};
    for (const Paper &paper : rows) {
        SCOPED_TRACE(paperText(paper).toStdString());
        papers->setCurrentText(paperText(paper));
        const double shape = 300 / std::round(300 * pageProportion(paper));
        answer = [&](QPrinter &p) {
            EXPECT_EQ(p.pageLayout().pageSize().id(), paper.size) << "the dialog opens on the window's paper";
            EXPECT_EQ(p.pageLayout().orientation(), paper.orientation);
            p.setPrintRange(QPrinter::PageRange);
            p.setFromTo(1, 1);
        };
        clickPrint();
        ASSERT_EQ(test::pdfPageCount(output), 1);
        EXPECT_EQ(test::pdfPageSize(output).toSize(), currentPrinter().pageLayout().fullRectPoints().size());
        const QRect drawn = test::inkBounds(test::renderPdfPage(output, 1, 150));
        EXPECT_NEAR(double(drawn.width()) / drawn.height() / shape, 1, 0.005) << drawn.width() << " x " << drawn.height();
    }
    QFile::remove(output);
    messages.clear();
    answer = [](QPrinter &p) { p.setPageSize(QPageSize(QPageSize::Legal)); };
    clickPrint();
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_EQ(papers->currentText(), QStringLiteral("Legal landscape"));
    EXPECT_EQ(window.poster().settings.Sheet.paper, (Paper{QPageSize::Legal, QPageLayout::Landscape}));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("The print dialog chose Legal landscape paper: the poster is now "
                                                          "laid out for it. Check its size and pages, then print again."));
    papers->setCurrentText(paperText({}));
}

class CupsPrintTest : public PrintWindowTest {
protected:
    void SetUp() override
    {
        PLAKATRON_REQUIRE_TEST_CUPS();
        ASSERT_TRUE(installedPrinterNames().contains(Office) && installedPrinterNames().contains(Office2));
        PrintWindowTest::SetUp();
        before = test::queueOutput();
    }
    // The PDF files the queues wrote since the test began, once no job is pending or printing.
    QStringList newOutput() const
    {
        QStringList files = test::queueOutput();
        for (const QString &file : before)
            files.removeOne(file);
        return files;
    }
    QStringList before;
};

}  // namespace

// What the dialog offers and starts with, the count asked about, the counters (the page each sheet
// is printed for), the sheets, the pages stored and the status line, for each way to the dialog:
// the Print button, the File menu and the pop-up menu.
TEST_F(PrintWindowTest, WhatTheDialogShowsIsWhatPrints)
{
    const auto pagesFrom2To3 = [](QPrinter &p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
    };
    const auto currentPage = [](QPrinter &p) { p.setPrintRange(QPrinter::CurrentPage); };
    struct Row { const char *what, *action; int selected; std::function<void(QPrinter &)> answer; Opened opened; std::vector<int> sheets; std::uint32_t rangeFlag; };
    const std::vector<int> everyPage{1, 2, 3, 4, 5, 6};
    const Row rows[] = {
        {"Print", nullptr, 0, {}, {QPrinter::AllPages, 0, 1, 6}, everyPage, 0},
        {"Print, pages from 2 to 3", nullptr, 0, pagesFrom2To3, {QPrinter::AllPages, 0, 1, 6}, {2, 3}, pd::PageNums},
        {"Print, current page", nullptr, 5, currentPage, {QPrinter::AllPages, 5, 1, 6}, {5}, pd::CurrentPage},
        {"File, Print", "mnuPrint", 5, {}, {QPrinter::AllPages, 5, 1, 6}, everyPage, 0},
        {"File, Print page...", "mnuPrintPage", 1, {}, {QPrinter::CurrentPage, 1, 1, 6}, {1}, pd::CurrentPage},
        {"Print this picture...", "mnuPrintThisPicture", 5, {}, {QPrinter::CurrentPage, 5, 1, 6}, {5}, pd::CurrentPage},
        {"Print this picture..., no page selected", "mnuPrintThisPicture", 0, {}, {QPrinter::AllPages, 0, 1, 6}, everyPage, 0},
    };
    const QString file = QDir::toNativeSeparators(output);
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        window.RecomputeLayout();  // no page selected
        if (r.selected) {
            const PosterSettings &s = window.poster().settings;
            const int column = (r.selected - 1) % 3, row = (r.selected - 1) / 3;
            window.picGrid_MouseDown(Qt::LeftButton, QPointF((column + 0.5) * s.PagePixelWidth, (row + 0.5) * s.PagePixelHeight));
            ASSERT_EQ(window.grid().SelectedPage, r.selected);
        }
        answer = r.answer;
        messages.clear();
        WaitWindowWatcher wait;
        if (r.action)
            window.findChild<QAction *>(QLatin1String(r.action))->trigger();
        else
            clickPrint();
        EXPECT_EQ(opened, r.opened);
        ASSERT_EQ(messages.messages().size(), 1u);
        const MessageRequest &ask = messages.messages()[0];
        EXPECT_EQ(std::tuple(ask.text, ask.icon, ask.buttons, ask.title),
                  std::tuple(confirmationText(std::int16_t(r.sheets.size())), MsgIcon::Question, MsgButtons::YesNo,
                             QStringLiteral("Plakatron")));
        QStringList counters(DesignText);
        for (const int page : r.sheets)
            counters << progressText(std::int16_t(page), {std::int16_t(r.sheets.front()), std::int16_t(r.sheets.back())});
        EXPECT_EQ(wait.painted, counters);
        ASSERT_EQ(wait.shown.size(), 1u);
        EXPECT_LE((wait.shown[0].center() - window.frameGeometry().center()).manhattanLength(), 2) << "centred";
        EXPECT_EQ(wait.titles, QStringList(u"Printing the poster"_qs));
        EXPECT_EQ(test::pdfPageCount(output), int(r.sheets.size())) << "one sheet per page";
        const QString printed = r.sheets.size() == 1 ? u"1 page"_qs : QStringLiteral("%1 pages").arg(r.sheets.size());
        EXPECT_EQ(window.statusLine(), printed + " printed to " + file);
        const PrinterRecords stored = readPrinterFile(printerFile);
        EXPECT_EQ(std::tuple(stored.dialog.nFromPage, stored.dialog.nToPage, stored.dialog.nMinPage, stored.dialog.nMaxPage,
                             stored.dialog.Flags & (pd::PageNums | pd::CurrentPage), stored.dialog.hwndOwner),
                  std::tuple(r.sheets.front(), r.sheets.back(), 1, 6, r.rangeFlag, static_cast<std::uint32_t>(window.winId())));
    }
}

// A tall picture: the cut runs ahead of the grid and pages 671-710 take nothing of it. The
// confirmation says so and counts only the pages printed, the counter ends on the last of them,
// and no sheet is blank; pages that hold nothing alone print nothing, and the window says why.
TEST_F(PrintWindowTest, PagesWithoutThePictureAreLeftOutAndSaidSo)
{
    layOut({100, 1000}, 40, QStringLiteral("50"));
    ASSERT_EQ(window.grid().pageCount(), 710);
    messages.clear();
    WaitWindowWatcher wait;
    clickPrint();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, confirmationText(670, 40));
    ASSERT_FALSE(wait.painted.isEmpty());
    EXPECT_EQ(wait.painted.back(), QStringLiteral("Printing page  670"));
    EXPECT_EQ(test::pdfPageCount(output), 670);
    EXPECT_EQ(window.statusLine(), "670 pages printed to " + QDir::toNativeSeparators(output)
                                       + "; 40 pages hold nothing of the picture and are not printed.");

    QFile::remove(output);
    messages.clear();
    answer = [](QPrinter &p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(700, 710);
    };
    clickPrint();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(std::tuple(messages.messages()[0].text, messages.messages()[0].icon),
              std::tuple(nothingToPrintText(11), MsgIcon::Exclamation));
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_EQ(window.statusLine(), "Nothing was printed");
    expectNoWaitWindow();
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
    const PosterSettings &s = window.poster().settings;
    window.picGrid_MouseDown(Qt::LeftButton, QPointF(1.5 * s.PagePixelWidth, 0.5 * s.PagePixelHeight));
    WaitWindowWatcher wait;
    entries[1]->trigger();
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(wait.painted, QStringList({QStringLiteral("Printing the assembly map")}));
    EXPECT_EQ(wait.titles, QStringList({QStringLiteral("Printing the assembly map")}));
    EXPECT_EQ(test::pdfPageCount(output), 1);
    const QString text = test::pdfText(output);
    EXPECT_TRUE(text.contains(QStringLiteral("Poster 57.6cm × 37cm: 3 × 2 sheets, 6 pages, overlap 3 %"))) << text.toStdString();
    EXPECT_EQ(QFileInfo(printerFile).size(), 184);
    EXPECT_EQ(window.statusLine(), "Assembly map printed to " + QDir::toNativeSeparators(output));
    expectNoWaitWindow();

    // Cancelled, nothing is printed. (Reopening on the stored choice and a failed job's message
    // are the poster's own: the same dialog and job runner.)
    QFile::remove(output);
    confirm = false;
    entries[1]->trigger();
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(PrintWindowTest, WhatStopsAJobAndWhatDoesNot)
{
    // The status line: none, the status line stays as it was.
    struct Row { const char *what, *inTheWay; bool confirm, stored; MsgAnswer answer; int sheets; QString last; const char *status; };
    const Row rows[] = {
        {"dialog cancelled", "", false, false, MsgAnswer::Yes, -1, QString(), nullptr},
        {"answered No", "", true, true, MsgAnswer::No, -1, SixPages, "Printing cancelled: nothing was printed"},
        {"output in the way", "poster.pdf", true, true, MsgAnswer::Yes, -1,
         QStringLiteral("Error: 75 Cannot write '%1': Is a directory").arg(output), "Printing failed"},
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
        const QString statusBefore = window.statusLine();
        clickPrint();
        EXPECT_EQ(window.statusLine(), r.status ? QString::fromUtf8(r.status) : statusBefore);
        EXPECT_EQ(currentPrinter().outputFileName().isEmpty(), !r.confirm) << "cancelled, nothing changes";
        EXPECT_EQ(QFileInfo(printerFile).isFile(), r.stored);
        EXPECT_EQ(test::pdfPageCount(output), r.sheets);
        EXPECT_EQ(messages.messages().empty() ? QString() : messages.messages().back().text, r.last);
        EXPECT_EQ(wait.shown.size(), r.confirm && r.answer == MsgAnswer::Yes ? 1u : 0u);
        expectNoWaitWindow();
    }
}

TEST_F(CupsPrintTest, PosterArrivesOnExactlyTheChosenQueueAndABrokenOrCancelledJobNowhere)
{
    // From a PDF file back to a queue; "OFFICE" also starts "Office_2", which gets nothing.
    currentPrinter().setOutputFileName(output);
    queue = Office;
    clickPrint();
    EXPECT_EQ(currentPrinter().printerName(), Office);
    EXPECT_EQ(window.statusLine(), "6 pages sent to Office");
    EXPECT_FALSE(QFile::exists(output));
    // Qt's CUPS engine cannot abort a document; one broken off by an error must not print, nor
    // one cancelled on its second page.
    PrintJob broken(currentPrinter());
    const auto printPage = [&](std::int16_t page) {
        if (page == 3)
            plakatron::raise(err::OutOfMemory);
        broken.PrintPageImage(window.pageCanvas());
    };
    EXPECT_THROW(broken.run(PrintRange{1, 4}, printPage), RuntimeError);
    layOut({200, 800}, 40, QStringLiteral("10"));
    const JobPages printed = posterJobPages(window.poster(), {1, std::int16_t(window.grid().pageCount())});
    WaitWindowWatcher stop(QStringLiteral("Printing page  2/ %1").arg(printed.printedRange().last));
    clickPrint();
    EXPECT_TRUE(stop.asked);
    EXPECT_EQ(messages.messages().size(), 2u) << "only the confirmations";
    const QStringList files = newOutput();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].contains(QStringLiteral("/Office/"))) << files[0].toStdString();
    EXPECT_EQ(test::pdfPageCount(files[0]), 6);
}

// printer.dat beside the program in the way: a folder (as in the folder of an installed program)
// sends the dialog's choices to the user's configuration folder, made for them, which gives them
// back after a restart; a link is neither read nor written through. The poster prints either way,
// with no message but the confirmation.
TEST_F(PrintWindowTest, PrinterDatInTheWayKeepsNoPosterFromPrinting)
{
    const QString own = settingsFolder() + QLatin1String(PrinterFileName), target = dir.filePath(QStringLiteral("elsewhere"));
    const struct { const char *what; std::function<bool()> make; bool remembered; } rows[] = {
        {"a folder", [&] { return QDir().mkpath(printerFile); }, true},
        {"a link", [&] { writeFile(target, "kept"); return QFile::link(target, printerFile); }, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        QDir(dir.path()).removeRecursively();
        QDir(settingsFolder()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.path()) && r.make());
        std::vector<std::uint32_t> toFile;  // what each dialog opened with
        for (int run = 0; run < 2; ++run) {
            resetCurrentPrinter();  // as after a restart
            QFile::remove(output);
            messages.clear();
            clickPrint();
            toFile.push_back(seen.dialog.Flags & pd::PrintToFile);
            EXPECT_EQ(test::pdfPageCount(output), 6);
            EXPECT_EQ(messages.messages().size(), 1u) << "only the confirmation";
        }
        EXPECT_EQ(toFile, std::vector<std::uint32_t>({0, r.remembered ? pd::PrintToFile : 0}));
        EXPECT_EQ(QFileInfo(own).size(), r.remembered ? 184 : 0);
    }
    EXPECT_EQ(contentOf(target), "kept");
    QFile::remove(own);
}
