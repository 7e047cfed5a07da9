// Printing from the real main window under the offscreen platform: the Print button and the pop-up
// entry, the confirmation, the wait window as the user sees it, printer.dat beside the program
// (AppFolder, a temporary folder here) and the PDF that comes out. The print dialog is answered
// through its seam with "Print to File (PDF)".
#include "support/PdfTools.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "layout/GridView.h"
#include "layout/frmWait.h"
#include "printing/PrinterRecords.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// Readable texts in failure messages.
void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

using namespace plakatron;

namespace {

const QString DesignText = QStringLiteral("Processing - please wait");

// What the user sees of the wait window: each time it is shown (and where), and the label's text
// each time it is painted.
class WaitWindowWatcher : public QObject {
public:
    WaitWindowWatcher() { qApp->installEventFilter(this); }
    ~WaitWindowWatcher() override { qApp->removeEventFilter(this); }

    std::vector<QRect> shown;  // frame geometry at each showing
    QStringList painted;       // label texts, repeats of the same text folded

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<frmWait *>(object))
            shown.push_back(static_cast<QWidget *>(object)->frameGeometry());
        if (event->type() == QEvent::Paint && object->objectName() == QLatin1String("label")
            && qobject_cast<frmWait *>(object->parent())) {
            const QString text = static_cast<QLabel *>(object)->text();
            if (painted.isEmpty() || painted.back() != text)
                painted << text;
        }
        return false;
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile::remove(QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName());
        modToolbox::setAppFolderForTesting(dir.path());
        output = dir.filePath(QStringLiteral("poster.pdf"));
        previousDialog = setPrintDialogFunction([this](const PrintDialogRequest &request) {
            ++dialogs;
            request.printer.setOutputFileName(output);
            return confirm;
        });
        resetCurrentPrinter();
        window = std::make_unique<frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        setPrintDialogFunction(previousDialog);
        modToolbox::setAppFolderForTesting(QString());
        resetCurrentPrinter();
    }

    void clickPrint() { window->findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click(); }
    void printThisPicture() { window->findChild<QAction *>(QStringLiteral("mnuPrintThisPicture"))->trigger(); }
    void selectPage(int page)
    {
        auto *grid = window->findChild<GridView *>(QStringLiteral("picGrid"));
        const PosterSettings &s = window->poster();
        const int r = (page - 1) / int(s.SheetsAcross), k = (page - 1) % int(s.SheetsAcross);
        const double scale = grid->pagePixelsPerViewPixel();
        QTest::mouseClick(grid, Qt::LeftButton, {},
                          grid->contentsRect().topLeft()
                              + QPoint(int((k + 0.5) * s.PagePixelWidth / scale), int((r + 0.5) * s.PagePixelHeight / scale)));
        ASSERT_EQ(window->grid().SelectedPage, page);
    }
    QString printerFile() const { return dir.filePath(QStringLiteral("printer.dat")); }

    QTemporaryDir dir;
    QString output;
    bool confirm = true;
    int dialogs = 0;
    PrintDialogFunction previousDialog;
    std::unique_ptr<frmMain> window;
};

}  // namespace

TEST_F(PrintWindowTest, PrintButtonPrintsEveryPageWithProgress)
{
    test::MessageCapture messages;
    WaitWindowWatcher wait;
    clickPrint();

    ASSERT_EQ(messages.messages().size(), 1u);
    const MessageRequest &ask = messages.messages()[0];
    EXPECT_EQ(ask.text, QStringLiteral("Are you sure you want to print the  6 pages?"));
    EXPECT_EQ(ask.icon, MsgIcon::Question);
    EXPECT_EQ(ask.buttons, MsgButtons::YesNo);
    EXPECT_EQ(ask.title, QStringLiteral("Plakatron"));

    EXPECT_EQ(test::pdfPageCount(output), 6);
    EXPECT_EQ(programWide().FirstPrintPage, 1);
    EXPECT_EQ(programWide().LastPrintPage, 6);
    // The window shows with its design text, then one text per page.
    EXPECT_EQ(wait.painted, (QStringList{DesignText, QStringLiteral("Printing page  1/ 6"), QStringLiteral("Printing page  2/ 6"),
                                         QStringLiteral("Printing page  3/ 6"), QStringLiteral("Printing page  4/ 6"),
                                         QStringLiteral("Printing page  5/ 6"), QStringLiteral("Printing page  6")}));
    ASSERT_EQ(wait.shown.size(), 1u);
    EXPECT_LE((wait.shown[0].center() - window->frameGeometry().center()).manhattanLength(), 2)
        << "the wait window is centred over the main window";
    QApplication::processEvents();
    EXPECT_EQ(loadedWaitWindow(), nullptr);

    // The choice is stored beside the program: 184 bytes, the dialog's structure size, this
    // window as owner, the printer's name and the print-to-file flag.
    const QByteArray stored = readAll(printerFile());
    ASSERT_EQ(stored.size(), 184);
    const PrinterRecords records = decodePrinterRecords(stored);
    EXPECT_EQ(records.dialog.lStructSize, 66u);
    EXPECT_EQ(records.dialog.hwndOwner, static_cast<std::uint32_t>(window->winId()));
    EXPECT_TRUE(records.dialog.Flags & pd::PrintToFile);
    EXPECT_EQ(chosenDeviceName(records.devMode), QStringLiteral("PRINT TO FILE (PDF)"));
    EXPECT_EQ(records.devMode.dmSize, 122);
    EXPECT_EQ(currentPrinter().outputFileName(), output) << "the chosen printer stays current";
}

TEST_F(PrintWindowTest, PopupEntryPrintsTheSelectedPageOrAllWithoutSelection)
{
    test::MessageCapture messages;
    // No page selected: all pages.
    printThisPicture();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Are you sure you want to print the  6 pages?"));
    EXPECT_EQ(test::pdfPageCount(output), 6);

    selectPage(5);
    messages.clear();
    WaitWindowWatcher wait;
    printThisPicture();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Are you sure you want to print the  1 pages?"));
    EXPECT_EQ(wait.painted, (QStringList{DesignText, QStringLiteral("Printing page  5")}));
    EXPECT_EQ(test::pdfPageCount(output), 1);
    EXPECT_EQ(programWide().FirstPrintPage, 5);
    EXPECT_EQ(programWide().LastPrintPage, 5);
}

TEST_F(PrintWindowTest, AnswerNoPrintsNothingButKeepsTheChoice)
{
    test::MessageCapture messages;
    messages.answerNext(MsgAnswer::No);
    WaitWindowWatcher wait;
    clickPrint();
    EXPECT_EQ(messages.messages().size(), 1u);
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_TRUE(wait.shown.empty());
    EXPECT_EQ(readAll(printerFile()).size(), 184);
}

TEST_F(PrintWindowTest, CancelStoresNothingAndPrintsNothing)
{
    confirm = false;
    test::MessageCapture messages;
    WaitWindowWatcher wait;
    clickPrint();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_FALSE(QFile::exists(printerFile()));
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_TRUE(wait.shown.empty());
}

// The choice cannot be remembered (no folder, or something in the file's way, as in a program
// folder only the administrator may write): the poster is printed all the same.
TEST_F(PrintWindowTest, FolderThatCannotTakePrinterFileStillPrints)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("taken/printer.dat")));
    const QString rows[] = {dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("taken"))};
    for (const QString &folder : rows) {
        SCOPED_TRACE(folder.toStdString());
        modToolbox::setAppFolderForTesting(folder);
        QFile::remove(output);
        test::MessageCapture messages;
        clickPrint();
        ASSERT_EQ(messages.messages().size(), 1u) << "only the confirmation";
        EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Question);
        EXPECT_EQ(test::pdfPageCount(output), 6);
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken/printer.dat"))).isDir());
}

TEST_F(PrintWindowTest, JobThatFailsReportsAndRemovesTheWaitWindow)
{
    // The chosen output file is a folder: the document cannot be started.
    output = dir.filePath(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.pdf")));
    test::MessageCapture messages;
    WaitWindowWatcher wait;
    clickPrint();
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[1].text, QStringLiteral("Error: 482 Printer error"));
    EXPECT_EQ(messages.messages()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(wait.shown.size(), 1u);
    QApplication::processEvents();
    EXPECT_EQ(loadedWaitWindow(), nullptr);
}

TEST_F(PrintWindowTest, DamagedOrLongPrinterFileIsRewrittenFromTheStart)
{
    test::MessageCapture messages;
    struct Row { const char *what; QByteArray before; int sizeAfter; };
    const Row rows[] = {
        {"short garbage", QByteArray("\xff\xff\xff\xff\x01\x02\x03", 7), 184},
        {"nonsense template length", QByteArray(50, '\x11') + QByteArray("\xff\xff", 2) + QByteArray(132, '\x22'), 184},
        {"longer file", QByteArray(300, '\x33'), 300},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        QFile f(printerFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(r.before);
        f.close();
        QFile::remove(output);
        clickPrint();
        EXPECT_EQ(test::pdfPageCount(output), 6);
        const QByteArray after = readAll(printerFile());
        ASSERT_EQ(after.size(), r.sizeAfter);
        EXPECT_EQ(decodePrinterRecords(after).dialog.lStructSize, 66u);
        EXPECT_EQ(after.mid(184), r.before.mid(184)) << "the tail of a longer file stays";
    }
}
