// The print dialog's way in and out: the platform numbers of the records against Qt's printer
// settings, and ShowPrinterDialog with the dialog answered through its seam on PDF printers.
#include "printing/PrinterSettings.h"
#include "printing/modPrinter.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

FixedText nulTerminated(const char *s)
{
    FixedText t{};
    std::copy(s, s + std::strlen(s), t.begin());
    return t;
}

// The dialog seam for one test: records each request, answers with `answer`.
class DialogAnswer {
public:
    explicit DialogAnswer(std::function<bool(const PrintDialogRequest &)> answer)
    {
        previous_ = setPrintDialogFunction([this, answer](const PrintDialogRequest &request) {
            ++shown;
            toFile = request.printer.outputFormat() == QPrinter::PdfFormat;
            file = request.printer.outputFileName();
            copies = request.printer.copyCount();
            colour = request.printer.colorMode();
            records = request.records;
            options = request.options;
            minPage = request.minPage;
            maxPage = request.maxPage;
            return answer(request);
        });
    }
    ~DialogAnswer() { setPrintDialogFunction(previous_); }

    int shown = 0;
    bool toFile = false;
    QString file;
    int copies = 0;
    QPrinter::ColorMode colour = QPrinter::Color;
    PrinterRecords records;
    QAbstractPrintDialog::PrintDialogOptions options;
    int minPage = -1, maxPage = -1;

private:
    PrintDialogFunction previous_;
};

class PrinterDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Whatever printers this machine has, the tests start from a PDF file.
        resetCurrentPrinter();
        currentPrinter().setOutputFormat(QPrinter::PdfFormat);
        currentPrinter().setOutputFileName(dir.filePath(QStringLiteral("before.pdf")));
        currentPrinter().setPageSize(QPageSize(QPageSize::A4));
        currentPrinter().setPageOrientation(QPageLayout::Portrait);
    }
    void TearDown() override { resetCurrentPrinter(); }
    QTemporaryDir dir;
};

}  // namespace

TEST(PrinterNumbers, RecordNumbersMeanQtSettings)
{
    struct Paper { std::int16_t number; QPageSize::PageSizeId id; };
    for (const Paper &p : {Paper{9, QPageSize::A4}, Paper{1, QPageSize::Letter}, Paper{8, QPageSize::A3},
                           Paper{5, QPageSize::Legal}, Paper{11, QPageSize::A5}, Paper{13, QPageSize::JisB5}}) {
        SCOPED_TRACE(p.number);
        EXPECT_EQ(paperNumber(QPageSize(p.id)), p.number);
        ASSERT_TRUE(paperSize(p.number).has_value());
        EXPECT_EQ(paperSize(p.number)->id(), p.id);
    }
    EXPECT_EQ(paperNumber(QPageSize(QSizeF(123, 45), QPageSize::Millimeter)), 0);
    for (std::int16_t nonsense : {0, -1, 256, 32000})
        EXPECT_FALSE(paperSize(nonsense).has_value()) << nonsense;

    struct Duplex { std::int16_t number; QPrinter::DuplexMode mode; };
    for (const Duplex &d : {Duplex{1, QPrinter::DuplexNone}, Duplex{2, QPrinter::DuplexLongSide},
                            Duplex{3, QPrinter::DuplexShortSide}}) {
        EXPECT_EQ(duplexNumber(d.mode), d.number);
        EXPECT_EQ(duplexMode(d.number), d.mode);
    }
    EXPECT_EQ(duplexNumber(QPrinter::DuplexAuto), 2);
    EXPECT_EQ(orientation(1), QPageLayout::Portrait);
    EXPECT_EQ(orientation(2), QPageLayout::Landscape);
    EXPECT_EQ(orientationNumber(QPageLayout::Landscape), 2);
    EXPECT_EQ(colourMode(1), QPrinter::GrayScale);
    EXPECT_EQ(colourMode(2), QPrinter::Color);
    EXPECT_EQ(colourNumber(QPrinter::GrayScale), 1);

    struct Bin { std::int16_t number; QPrinter::PaperSource source; };
    for (const Bin &b : {Bin{1, QPrinter::Upper}, Bin{2, QPrinter::Lower}, Bin{4, QPrinter::Manual},
                         Bin{7, QPrinter::Auto}, Bin{14, QPrinter::Cassette}, Bin{15, QPrinter::FormSource}}) {
        EXPECT_EQ(binNumber(b.source), b.number);
        EXPECT_EQ(paperSource(b.number), b.source);
    }
    EXPECT_EQ(binNumber(QPrinter::CustomSource), 0);
    EXPECT_EQ(resolution(600), 600);
    EXPECT_FALSE(resolution(-4).has_value()) << "the platform's 'high' names no resolution";
    for (std::int16_t nonsense : {0, 3, 4, -1}) {
        EXPECT_FALSE(colourMode(nonsense).has_value()) << nonsense;
        EXPECT_FALSE(orientation(nonsense).has_value()) << nonsense;
        EXPECT_EQ(duplexMode(nonsense).has_value(), nonsense == 3) << nonsense;
    }
}

TEST_F(PrinterDialogTest, DescribesTheCurrentPrinterAndKeepsTheRest)
{
    DevModeRecord m;
    m.dmSpecVersion = 0x401;
    m.dmCopies = 4;
    currentPrinter().setPageOrientation(QPageLayout::Landscape);
    describeCurrentPrinter(currentPrinter(), m);
    EXPECT_EQ(m.dmDeviceName, nulTerminated("Print to File (PDF)             "));
    EXPECT_EQ(m.dmSize, 122);
    EXPECT_EQ(m.dmFields, 0x1001u);
    EXPECT_EQ(m.dmPaperWidth, 16838) << "A4 across in landscape: 297 mm in twips";
    EXPECT_EQ(m.dmOrientation, 2);
    EXPECT_EQ(m.dmPaperSize, 9);
    EXPECT_EQ(m.dmDuplex, 1);
    EXPECT_EQ(m.dmSpecVersion, 0x401);
    EXPECT_EQ(m.dmCopies, 4);
}

TEST_F(PrinterDialogTest, AnswerIntoTheRecordsAndStoredFieldsBackIntoTheDialog)
{
    QPrinter answer(QPrinter::HighResolution);
    answer.setOutputFormat(QPrinter::PdfFormat);
    answer.setOutputFileName(dir.filePath(QStringLiteral("answer.pdf")));
    answer.setCopyCount(3);
    answer.setCollateCopies(false);
    answer.setPageSize(QPageSize(QPageSize::A3));
    answer.setPageOrientation(QPageLayout::Landscape);
    answer.setColorMode(QPrinter::GrayScale);
    answer.setResolution(600);
    answer.setPaperSource(QPrinter::Manual);
    answer.setPrintRange(QPrinter::PageRange);
    answer.setFromTo(2, 5);

    PrinterRecords records;
    records.dialog.Flags = 0x40000 | 0x1;  // a bit this program does not know, and "selection"
    records.dialog.nMinPage = 1;
    records.devMode.dmSpecVersion = 0x401;
    recordDialogAnswer(answer, records);

    const DevModeRecord &m = records.devMode;
    EXPECT_EQ(m.dmDeviceName, nulTerminated("Print to File (PDF)"));
    EXPECT_EQ(m.dmCopies, 3);
    EXPECT_EQ(records.dialog.nCopies, 3);
    EXPECT_EQ(m.dmCollate, 0);
    EXPECT_EQ(m.dmPaperSize, 8);
    EXPECT_EQ(m.dmOrientation, 2);
    EXPECT_EQ(m.dmColor, 1);
    EXPECT_EQ(m.dmPrintQuality, 600);
    EXPECT_EQ(m.dmDefaultSource, 4);
    EXPECT_EQ(m.dmDuplex, 1) << "a PDF file is one-sided";
    EXPECT_EQ(m.dmFields, 0x9F03u);
    EXPECT_EQ(records.dialog.Flags, 0x40000u | 0x2 | 0x20) << "page numbers and print to file; the unknown bit kept";
    EXPECT_EQ(records.dialog.nFromPage, 2);
    EXPECT_EQ(records.dialog.nToPage, 5);
    EXPECT_EQ(records.dialog.nMinPage, 1) << "not the dialog's to change";
    EXPECT_EQ(m.dmSpecVersion, 0x401);

    // The same records open the next dialog with the same choices.
    QPrinter next(QPrinter::HighResolution);
    next.setOutputFormat(QPrinter::PdfFormat);
    applyRecordsToDialogPrinter(records, next);
    EXPECT_EQ(next.copyCount(), 3);
    EXPECT_FALSE(next.collateCopies());
    EXPECT_EQ(next.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(next.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(next.colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(next.resolution(), 600);
    EXPECT_EQ(next.paperSource(), QPrinter::Manual);
    EXPECT_EQ(next.printRange(), QPrinter::PageRange);
    EXPECT_EQ(next.fromPage(), 2);
    EXPECT_EQ(next.toPage(), 5);
    PrinterRecords again = records;
    recordDialogAnswer(next, again);
    EXPECT_EQ(again.devMode, records.devMode);
    EXPECT_EQ(again.dialog.Flags & ~0x20u, records.dialog.Flags & ~0x20u);
}

TEST_F(PrinterDialogTest, CancelChangesNothing)
{
    DialogAnswer dialog([](const PrintDialogRequest &request) {
        request.printer.setOutputFileName(QStringLiteral("/tmp/never.pdf"));
        return false;
    });
    PrinterRecords records;
    EXPECT_EQ(ShowPrinterDialog(nullptr, records.dialog, records.devMode), QString());
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(currentPrinter().outputFileName(), dir.filePath(QStringLiteral("before.pdf")));
    EXPECT_EQ(records.devMode.dmDeviceName, nulTerminated("Print to File (PDF)             "));
}

TEST_F(PrinterDialogTest, DialogOpensOnTheStoredChoicesAndTheCurrentPrinter)
{
    PrinterRecords stored;
    stored.dialog.Flags = 0x40000;
    stored.dialog.nMinPage = 1;
    stored.dialog.nMaxPage = 9;
    stored.dialog.hDevMode = 1234;
    stored.devMode.dmCopies = 2;
    stored.devMode.dmColor = 1;
    stored.devMode.dmOrientation = 2;  // overridden by the current printer's
    stored.devMode.dmDeviceName = nulTerminated("SOMEWHERE_ELSE");

    const QString target = dir.filePath(QStringLiteral("chosen.pdf"));
    DialogAnswer dialog([&](const PrintDialogRequest &request) {
        request.printer.setOutputFileName(target);
        request.printer.setCopyCount(5);
        return true;
    });
    PrinterRecords records = stored;
    EXPECT_EQ(ShowPrinterDialog(nullptr, records.dialog, records.devMode), QStringLiteral("PRINT TO FILE (PDF)"));

    // What the dialog was opened with.
    EXPECT_EQ(dialog.records.dialog.lStructSize, 66u);
    EXPECT_EQ(dialog.records.dialog.hDevMode, 0u);
    EXPECT_EQ(dialog.records.dialog.Flags, 0x40000u);
    EXPECT_EQ(dialog.records.devMode.dmDeviceName, nulTerminated("Print to File (PDF)             "));
    EXPECT_EQ(dialog.records.devMode.dmOrientation, 1) << "the current printer's, not the stored one";
    EXPECT_EQ(dialog.copies, 2);
    EXPECT_EQ(dialog.colour, QPrinter::GrayScale);
    EXPECT_TRUE(dialog.options.testFlag(QAbstractPrintDialog::PrintPageRange));
    EXPECT_EQ(dialog.minPage, 1);
    EXPECT_EQ(dialog.maxPage, 9);

    // The answer is current and stored.
    EXPECT_EQ(currentPrinter().outputFileName(), target);
    EXPECT_EQ(currentPrinter().copyCount(), 5);
    EXPECT_EQ(currentPrinter().colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(records.devMode.dmCopies, 5);
    EXPECT_EQ(records.dialog.Flags & 0x40020u, 0x40020u);

    // Without a stored range the dialog offers none: the range is fixed before it opens.
    PrinterRecords fresh;
    ShowPrinterDialog(nullptr, fresh.dialog, fresh.devMode);
    EXPECT_TRUE(dialog.toFile) << "the dialog opens on the current printer: the file chosen last";
    EXPECT_EQ(dialog.file, target);
    EXPECT_FALSE(dialog.options.testFlag(QAbstractPrintDialog::PrintPageRange));
    EXPECT_TRUE(dialog.options.testFlag(QAbstractPrintDialog::PrintToFile));
    EXPECT_EQ(dialog.records.dialog.Flags, 0u);
}
