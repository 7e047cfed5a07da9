// Printing without the window: the printer records against bytes laid out by hand from the
// offsets table and against Qt's printer settings, the print dialog answered through its seam,
// pages rendered from the built-in picture checked pixel by pixel, and the print loop on a real
// PDF printer looked at with poppler-utils.
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "imaging/DibSection.h"
#include "printing/PageGeometry.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"
#include "printing/PrinterSettings.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "support/PdfTools.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <variant>

using namespace plakatron;
using namespace plakatron::test;

namespace {

using D = PrintDlgRecord;
using M = DevModeRecord;
struct Field {
    int offset;
    std::variant<std::uint32_t D::*, std::int16_t D::*, std::uint32_t M::*, std::int16_t M::*> member;
};
// Every numeric field of the 184-byte form at the offset the table gives it.
const Field Fields[] = {
    {0, &D::lStructSize},       {4, &D::hwndOwner},        {8, &D::hDevMode},         {12, &D::hDevNames},
    {16, &D::hDC},              {20, &D::Flags},           {24, &D::nFromPage},       {26, &D::nToPage},
    {28, &D::nMinPage},         {30, &D::nMaxPage},        {32, &D::nCopies},         {34, &D::hInstance},
    {38, &D::lCustData},        {42, &D::lpfnPrintHook},   {46, &D::lpfnSetupHook},   {54, &D::hPrintTemplate},
    {58, &D::hSetupTemplate},   {94, &M::dmSpecVersion},   {96, &M::dmDriverVersion}, {98, &M::dmSize},
    {100, &M::dmDriverExtra},   {102, &M::dmFields},       {106, &M::dmOrientation},  {108, &M::dmPaperSize},
    {110, &M::dmPaperLength},   {112, &M::dmPaperWidth},   {114, &M::dmScale},        {116, &M::dmCopies},
    {118, &M::dmDefaultSource}, {120, &M::dmPrintQuality}, {122, &M::dmColor},        {124, &M::dmDuplex},
    {126, &M::dmYResolution},   {128, &M::dmTTOption},     {130, &M::dmCollate},      {164, &M::dmLogPixels},
    {166, &M::dmBitsPerPelLow}, {168, &M::dmPelsWidth},    {172, &M::dmPelsHeight},   {176, &M::dmDisplayFlags},
    {180, &M::dmDisplayFrequency},
};
template <typename T> T &field(PrinterRecords &r, T D::*member) { return r.dialog.*member; }
template <typename T> T &field(PrinterRecords &r, T M::*member) { return r.devMode.*member; }
template <typename T, typename R> int sizeOf(T R::*) { return int(sizeof(T)); }

FixedText fixedText(const char *text)
{
    FixedText t{};
    std::copy(text, text + std::strlen(text), t.begin());
    return t;
}

// The same content as records and as bytes: a distinct value in every field (so that swapped
// fields show) with its top bit set (so that a sign slip shows), and the texts "Office" and "A4".
struct Sample {
    PrinterRecords records;
    QByteArray bytes = QByteArray(PrinterFileBytes, '\0');
};
Sample sample()
{
    Sample s;
    for (const Field &f : Fields)
        std::visit(
            [&](auto member) {
                auto &value = field(s.records, member);
                value = static_cast<std::remove_reference_t<decltype(value)>>(0x80008000u | f.offset << 16 | (f.offset + 1));
                qToLittleEndian(value, s.bytes.data() + f.offset);
            },
            f.member);
    s.records.devMode.dmDeviceName = fixedText("Office");
    s.records.devMode.dmFormName = fixedText("A4");
    s.bytes.replace(62, 6, "Office").replace(132, 2, "A4");
    return s;
}

// The number of the run-time error `call` fails with; 0 when it does not fail.
int errorNumber(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

// The built-in picture (880 x 560) laid out by the real layout pass, as the window holds it.
struct Poster {
    Poster(int sheets, double resolution, int overlap)
    {
        programWide().HorizontalOverlap = programWide().VerticalOverlap = static_cast<std::int16_t>(overlap);
        settings.PagePixelWidth = resolution;
        settings.PagePixelHeight = resolution * A4Proportion;
        ListIndexSurface surface(sheets - 1);
        LayoutLabels labels;
        RunLayoutPass(QSizeF(picture.size()), static_cast<std::int16_t>(overlap), settings, grid, labels, surface);
        renderer.setPreview([this](const QImage &page) { previewed = page; });
    }
    QImage picture = QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32);
    PosterSettings settings;
    PageGrid grid;
    PageRenderer renderer{PosterSource{&picture, &settings, &grid}};
    QImage previewed;
};

}  // namespace

TEST(PrinterRecords, FileFormMatchesTheOffsetsTable)
{
    const Sample s = sample();
    EXPECT_EQ(encodePrinterRecords(s.records).toHex(' '), s.bytes.toHex(' '));
    EXPECT_EQ(decodePrinterRecords(s.bytes), s.records);
}

TEST(PrinterRecords, ShortOrDamagedFileIsReadAsFarAsItsFieldsAreWhole)
{
    // Wherever a file ends, the fields wholly inside it are read and the rest stay empty: written
    // back, its whole fields come first and zeros after them.
    const Sample s = sample();
    std::set<int> ends{0, 94, 164};  // the texts' ends; the template-name lengths are 0
    for (const Field &f : Fields)
        ends.insert(f.offset + std::visit([](auto member) { return sizeOf(member); }, f.member));
    for (int length = 0; length < PrinterFileBytes; ++length) {
        const int whole = *std::prev(ends.upper_bound(length));
        EXPECT_EQ(encodePrinterRecords(decodePrinterRecords(s.bytes.left(length))),
                  s.bytes.left(whole) + QByteArray(PrinterFileBytes - whole, '\0'))
            << length;
    }
    // Template names are read when they fit; a length running past the end ends the reading.
    for (const QByteArray &names : {QByteArray("\x02\0AB\x01\0C", 7), QByteArray("\x02\0AB\xff\xff", 6)}) {
        const bool sound = names.size() == 7;
        const PrinterRecords r = decodePrinterRecords(QByteArray(s.bytes.left(50) + names + s.bytes.mid(54)));
        EXPECT_EQ(r.dialog.lpPrintTemplateName, QByteArray("AB"));
        EXPECT_EQ(r.dialog.lpSetupTemplateName, QByteArray(sound ? "C" : ""));
        EXPECT_EQ(r.dialog.hPrintTemplate, sound ? s.records.dialog.hPrintTemplate : 0u);
        EXPECT_EQ(r.devMode, sound ? s.records.devMode : DevModeRecord());
    }
}

TEST(PrinterRecords, DeviceNamesAndTheInstalledPrinterTheyMean)
{
    // Into the dialog blank-padded or cut to 32 bytes, out of it at most 31 and a NUL; never cut
    // inside a character ("ü" at bytes 30-31 does not fit in 31).
    const QString longName = QStringLiteral("Laser_Printer_on_the_second_floor_west");
    const QString umlaut = QStringLiteral("Drucker_im_Erdgeschoss_rechts_\u00fcber");
    EXPECT_EQ(paddedDeviceName(umlaut), fixedText("Drucker_im_Erdgeschoss_rechts_\xc3\xbc"));
    EXPECT_EQ(dialogDeviceName(umlaut), fixedText("Drucker_im_Erdgeschoss_rechts_"));
    DevModeRecord m;
    m.dmDeviceName = dialogDeviceName(longName);
    EXPECT_EQ(chosenDeviceName(m), QStringLiteral("LASER_PRINTER_ON_THE_SECOND_FLO"));
    m.dmDeviceName = paddedDeviceName(longName);
    EXPECT_EQ(errorNumber([&] { chosenDeviceName(m); }), 5) << "32 characters without a NUL";

    const QStringList installed{QStringLiteral("Office_2"), QStringLiteral("Office"), longName};
    struct Row { const char *chosen; int match; };
    const Row rows[] = {
        {"OFFICE", 1},    // the exact name wins over the earlier prefix match
        {"office  ", 1},  // trailing blanks do not count
        {"OFF", 0},       // cut short: the first that starts with it
        {"LASER_PRINTER_ON_THE_SECOND_FLO", 2},
        {"OFFICE_3", -1},
        {"   ", -1},
    };
    for (const Row &r : rows)
        EXPECT_EQ(matchInstalledPrinter(QString::fromLatin1(r.chosen), installed), r.match) << r.chosen;
}

TEST(StoredPrinter, WritesInPlaceAndReadsAsFarAsTheFileGoes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printer.dat"));
    const Sample s = sample();
    writePrinterFile(path, {});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray(116, char(0xEE)));
    file.close();
    writePrinterFile(path, s.records);  // over the start of a longer file, its tail kept
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), s.bytes + QByteArray(116, char(0xEE)));
    EXPECT_EQ(readPrinterFile(path), s.records);
    ASSERT_TRUE(QFile::resize(path, 100));
    EXPECT_EQ(readPrinterFile(path), decodePrinterRecords(s.bytes.left(100)));
    // A folder in the file's way, or no folder at all.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    EXPECT_EQ(errorNumber([&] { readPrinterFile(dir.filePath(QStringLiteral("taken"))); }), 75);
    EXPECT_EQ(errorNumber([&] { writePrinterFile(dir.filePath(QStringLiteral("taken")), {}); }), 75);
    EXPECT_EQ(errorNumber([&] { writePrinterFile(dir.filePath(QStringLiteral("gone/printer.dat")), {}); }), 76);
}

TEST(PrinterSettings, DialogAnswerAndRecordsMapBothWays)
{
    // A choice in the dialog gives `number` in the records; stored (as `stored` where that differs)
    // it opens the next dialog, and sets up the chosen printer, the same way. Numbers with no
    // meaning here leave the printer's own setting.
    struct Row { const char *what; std::function<void(QPrinter &)> choose; std::int16_t M::*field; int number, stored = 0; };
    const Row rows[] = {
        {"A3", [](QPrinter &p) { p.setPageSize(QPageSize(QPageSize::A3)); }, &M::dmPaperSize, 8},
        {"JIS B5", [](QPrinter &p) { p.setPageSize(QPageSize(QPageSize::JisB5)); }, &M::dmPaperSize, 13},
        {"landscape", [](QPrinter &p) { p.setPageOrientation(QPageLayout::Landscape); }, &M::dmOrientation, 2},
        {"grey", [](QPrinter &p) { p.setColorMode(QPrinter::GrayScale); }, &M::dmColor, 1},
        {"3 copies", [](QPrinter &p) { p.setCopyCount(3); }, &M::dmCopies, 3},
        {"not collated", [](QPrinter &p) { p.setCollateCopies(false); }, &M::dmCollate, 0},
        {"600 dpi", [](QPrinter &p) { p.setResolution(600); }, &M::dmPrintQuality, 600},
        {"manual feed", [](QPrinter &p) { p.setPaperSource(QPrinter::Manual); }, &M::dmDefaultSource, 4},
        {"cassette", [](QPrinter &p) { p.setPaperSource(QPrinter::Cassette); }, &M::dmDefaultSource, 14},
        {"orientation 3", {}, &M::dmOrientation, 1, 3},
        {"colour 4", {}, &M::dmColor, 2, 4},
        {"quality 'high' (-4)", {}, &M::dmPrintQuality, 1200, -4},
        {"bin 99", {}, &M::dmDefaultSource, 7, 99},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        const auto chosen = pdfPrinter(QStringLiteral("unused.pdf"));
        if (r.choose)
            r.choose(*chosen);
        PrinterRecords records;
        recordDialogAnswer(*chosen, records);
        EXPECT_EQ(records.devMode.*r.field, r.number);
        if (r.stored)
            records.devMode.*r.field = static_cast<std::int16_t>(r.stored);
        for (const auto apply : {+[](const PrinterRecords &s, QPrinter &p) { applyRecordsToDialogPrinter(s, p); },
                                 +[](const PrinterRecords &s, QPrinter &p) { applyDeviceSettings(s.devMode, p); }}) {
            const auto next = pdfPrinter(QStringLiteral("unused.pdf"));
            apply(records, *next);
            PrinterRecords again;
            recordDialogAnswer(*next, again);
            EXPECT_EQ(again.devMode.*r.field, r.number);
        }
    }
    // A PDF file is one-sided; printers take the platform's duplex numbers.
    const QPrinter::DuplexMode duplex[] = {QPrinter::DuplexNone, QPrinter::DuplexLongSide, QPrinter::DuplexShortSide};
    for (std::int16_t n = 1; n <= 3; ++n) {
        EXPECT_EQ(duplexMode(n), duplex[n - 1]);
        EXPECT_EQ(duplexNumber(duplex[n - 1]), n);
    }
}

TEST(PrinterDialog, OpensOnTheStoredChoicesAndItsAnswerBecomesCurrent)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("chosen.pdf"));
    resetCurrentPrinter();  // whatever printers this machine has, start from an A4 landscape PDF file
    currentPrinter().setOutputFileName(dir.filePath(QStringLiteral("before.pdf")));
    currentPrinter().setPageSize(QPageSize(QPageSize::A4));
    currentPrinter().setPageOrientation(QPageLayout::Landscape);
    PrinterRecords seen;
    int seenCopies = 0;
    bool offersRange = false, confirm = true;
    const auto previous = setPrintDialogFunction([&](const PrintDialogRequest &request) {
        seen = request.records;
        seenCopies = request.printer.copyCount();
        offersRange = request.options.testFlag(QAbstractPrintDialog::PrintPageRange) && request.maxPage == 9;
        request.printer.setOutputFileName(confirm ? target : QStringLiteral("/tmp/never.pdf"));
        request.printer.setCopyCount(5);
        request.printer.setPrintRange(QPrinter::PageRange);
        request.printer.setFromTo(2, 5);
        return confirm;
    });
    const auto restore = qScopeGuard([&] {
        setPrintDialogFunction(previous);
        resetCurrentPrinter();
    });
    PrinterRecords records;
    records.dialog.Flags = 0x40000 | pd::Selection;  // a bit this program does not know is kept
    records.dialog.nMinPage = 1;
    records.dialog.nMaxPage = 9;
    records.devMode.dmCopies = 2;
    records.devMode.dmOrientation = dm::Portrait;  // the current printer's goes in instead
    EXPECT_EQ(ShowPrinterDialog(nullptr, records.dialog, records.devMode), QStringLiteral("PRINT TO FILE (PDF)"));
    // Opened with the current printer (A4 landscape: 297 mm across in twips) and the stored rest.
    const M &in = seen.devMode;
    EXPECT_EQ(in.dmDeviceName, fixedText("Print to File (PDF)             "));
    EXPECT_EQ(std::tuple(in.dmSize, in.dmFields, in.dmPaperWidth, in.dmOrientation, in.dmPaperSize, in.dmDuplex),
              std::tuple(122, 0x1001u, 16838, 2, 9, 1));
    EXPECT_EQ(std::tuple(seen.dialog.lStructSize, seen.dialog.Flags, seenCopies, offersRange),
              std::tuple(66u, 0x40001u, 2, true));
    // The answer is current and in the records.
    EXPECT_EQ(std::tuple(currentPrinter().outputFileName(), currentPrinter().copyCount()), std::tuple(target, 5));
    EXPECT_EQ(records.devMode.dmDeviceName, fixedText("Print to File (PDF)"));
    EXPECT_EQ(std::tuple(records.dialog.Flags, records.dialog.nFromPage, records.dialog.nToPage, records.dialog.nMinPage),
              std::tuple(0x40000u | pd::PageNums | pd::Collate | pd::PrintToFile, 2, 5, 1));
    // Without a stored range none is offered. Cancelled, nothing changes.
    confirm = false;
    PrinterRecords fresh;
    EXPECT_EQ(ShowPrinterDialog(nullptr, fresh.dialog, fresh.devMode), QString());
    EXPECT_FALSE(offersRange);
    EXPECT_EQ(std::tuple(currentPrinter().outputFileName(), currentPrinter().copyCount()), std::tuple(target, 5));
}

TEST(PageGeometry, PositionsAndHintsNameTheNeighbours)
{
    struct Row { int page; double sheets; int gridRows, row, column; const char16_t *below, *next; };
    const Row rows[] = {
        {6, 4, 2, 2, 2, u" ", u" 6 put  7 next"},  // the worked example: the last row
        {2, 4, 2, 1, 2, u"p. 2 put  6 below", u" 2 put  3 next"},
        {10, 4, 4, 3, 2, u"p. 10 put  14 below", u" 10 put  11 next"},
        {8, 4, 2, 2, 4, u" ", u" "},
        {41, 40, 2, 2, 1, u" ", u" 41 put  42 next"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.page);
        const PagePosition p = pagePosition(r.page, r.sheets);
        EXPECT_EQ(std::tuple(p.row, p.column), std::tuple(r.row, r.column));
        EXPECT_EQ(bottomHint(r.page, p.row, static_cast<std::int16_t>(r.gridRows), pageColumns(r.sheets)),
                  QString::fromUtf16(r.below));
        EXPECT_EQ(rightHint(r.page, p.column, r.sheets), QString::fromUtf16(r.next));
    }
}

TEST(PageRenderer, CropIsTheCellAndItsOverlapOnePixelIn)
{
    // 4 sheets at 800 pixels: cells of 220 x 312. Both overlaps are a percent of the cell width,
    // rounded up, at least 2 pixels. The crop starts with a white column and row; beyond the
    // source it stays white.
    struct Row { int page, overlap; QRect from; };
    for (const Row &r : {Row{6, 5, {221, 313, 231, 323}}, Row{8, 0, {661, 313, 222, 314}}, Row{1, 7, {1, 1, 236, 328}}}) {
        SCOPED_TRACE(r.page);
        Poster poster(4, 800, r.overlap);
        poster.renderer.RenderPage(static_cast<std::int16_t>(r.page), false);
        QImage expected(r.from.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        for (int y = 1; y < expected.height(); ++y)
            for (int x = 1; x < expected.width(); ++x)
                if (poster.picture.valid(r.from.x() + x - 1, r.from.y() + y - 1))
                    expected.setPixel(x, y, poster.picture.pixel(r.from.x() + x - 1, r.from.y() + y - 1));
        EXPECT_EQ(poster.renderer.crop(), expected);
    }
}

TEST(PageRenderer, PageIsItsCropEnlargedWithHintsInMarginsAboveThreeHundredPixels)
{
    MessageCapture messages;
    // The worked example's page 6: 800 x 1131 exactly as the crop resampled on its own, plus the
    // 20-pixel margins; the last row has no bottom hint, the right margin carries one.
    Poster poster(4, 800, 5);
    poster.renderer.RenderPage(6, false);
    const QImage &page = poster.renderer.pageCanvas();
    ASSERT_EQ(page.size(), QSize(820, 1151));
    cDIBSection buffer;
    buffer.CreateFromPicture(poster.renderer.crop());
    EXPECT_EQ(page.copy(0, 0, 800, 1131), buffer.Resample(1131, 800)->toImage());
    EXPECT_FALSE(hasDarkPixel(page, QRect(0, 1131, 800, 20)));
    EXPECT_TRUE(hasDarkPixel(page, QRect(800, 0, 20, 1131)));
    EXPECT_TRUE(poster.previewed.isNull()) << "the preview is only drawn when asked";
    EXPECT_TRUE(messages.messages().empty());

    struct Row { double resolution; QSize canvas; };
    for (const Row &r : {Row{300, {300, 424}}, Row{400, {420, 586}}, Row{250, {250, 354}}, Row{750, {770, 1080}}}) {
        Poster small(3, r.resolution, 3);
        small.renderer.RenderPage(1, true);
        EXPECT_EQ(small.previewed.size(), r.canvas) << r.resolution;
    }
    // Page 1 of 3 x 2 at 400 pixels has a page below: the bottom hint, centred.
    Poster centred(3, 400, 3);
    centred.renderer.RenderPage(1, false);
    const QRect ink = inkBounds(centred.renderer.pageCanvas().copy(0, 566, 420, 20));
    EXPECT_NEAR(ink.left(), 419 - ink.right(), 2);
}

TEST(PageRenderer, AFailedStepIsReportedAndTheRestCarriesOn)
{
    MessageCapture messages;
    Poster poster(3, 800, 3);
    poster.settings.SheetsAcross = 0;  // the position and the cell divide by zero
    poster.renderer.RenderPage(2, true);
    ASSERT_GE(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Division by zero\r\nCode 11"));
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(poster.previewed.isNull()) << "the later steps still made a page and showed it";
}

TEST(PrintJob, PrintRangeIsAllPagesOrTheSinglePage)
{
    struct Row { std::int32_t singlePage; double sheetsAcross, sheetsDown; PrintRange range; };
    const Row rows[] = {
        {0, 4, 1.8002, {1, 8}},  // the worked example: 2 rows of 4
        {-3, 4, 1.8002, {1, 8}},
        {7, 4, 1.8002, {7, 7}},
        {0, 3, 1.0, {1, 3}},  // a whole number of rows gets no extra row
        {0, 3, 1.01, {1, 6}},
        {0, 40, 900, {}},  // no range: the page count or the page overflows 16 bits
        {40000, 40, 2, {}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.singlePage);
        PosterSettings settings;
        settings.SheetsAcross = r.sheetsAcross;
        PageGrid grid;
        grid.SheetsDown = r.sheetsDown;
        PrintRange range;
        EXPECT_EQ(errorNumber([&] { range = printRangeFor(r.singlePage, settings, grid); }), r.range.last ? 0 : 6);
        EXPECT_EQ(range, r.range);
    }
}

TEST(PrintJob, PosterOfSixPagesFillsSixSheets)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    Poster poster(3, 800, 3);
    const auto printer = pdfPrinter(pdf);
    printPoster(*printer, poster.renderer, {1, 0});
    EXPECT_FALSE(QFile::exists(pdf)) << "no pages, no document";
    printPoster(*printer, poster.renderer, printRangeFor(0, poster.settings, poster.grid));
    ASSERT_EQ(pdfPageCount(pdf), 6) << "one sheet per page, no blank sheet after the last";
    // One page picture per sheet, margins included, stretched over the printable area.
    const QSizeF printable = printer->pageLayout().paintRect(QPageLayout::Inch).size();
    const std::vector<PdfImage> images = pdfImages(pdf);
    ASSERT_EQ(images.size(), 6u);
    for (const PdfImage &image : images) {
        EXPECT_EQ(std::tuple(image.width, image.height), std::tuple(820, 1151));
        EXPECT_NEAR(image.xPpi, 820 / printable.width(), 1);
        EXPECT_NEAR(image.yPpi, 1151 / printable.height(), 1);
    }
    // As a viewer shows it: the picture covers the printable area and nothing beyond it.
    const QRect area = printer->pageLayout().paintRectPixels(100);
    const QRect ink = inkBounds(renderPdfPage(pdf, 1, 100));
    EXPECT_TRUE(area.adjusted(-2, -2, 2, 2).contains(ink)) << "ink beyond the printable area";
    EXPECT_GT(ink.width() * ink.height(), area.width() * area.height() * 0.95);
}

TEST(PrintJob, JobBrokenOffByAnErrorLeavesNoDocument)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    Poster poster(3, 200, 3);
    const auto printer = pdfPrinter(pdf);
    {
        PrintJob job(*printer);
        int printed = 0;
        const auto printPage = [&](std::int16_t page) {
            if (page == 3)
                plakatron::raise(err::OutOfMemory);
            poster.renderer.RenderPage(page, false);
            job.PrintPageImage(poster.renderer.pageCanvas());
            ++printed;
        };
        EXPECT_EQ(errorNumber([&] { job.run({1, 6}, printPage); }), 7) << "the error reaches the caller";
        EXPECT_EQ(printed, 2);
        EXPECT_FALSE(QFile::exists(pdf)) << "the half-printed document is aborted, not left behind";
        EXPECT_EQ(errorNumber([&] { job.PrintPageImage(poster.picture); }), 482) << "no sheet outside a job";
    }
    printPoster(*printer, poster.renderer, {1, 2});
    EXPECT_EQ(pdfPageCount(pdf), 2) << "the same printer prints the next job";
}
