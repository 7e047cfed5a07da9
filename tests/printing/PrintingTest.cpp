// SPDX-License-Identifier: GPL-3.0-or-later
// Printing without the window: the printer records against bytes laid out by hand from the
// offsets table and against Qt's printer settings, pages rendered from the built-in picture
// checked pixel by pixel, and the print loop on a real PDF printer.
#include "app/BuiltInPicture.h"
#include "core/RuntimeError.h"
#include "imaging/DibSection.h"
#include "printing/PageGeometry.h"
#include "printing/PageRenderer.h"
#include "printing/PagesAhead.h"
#include "printing/PdfCheck.h"
#include "printing/PrinterFileLocation.h"
#include "printing/PrintJob.h"
#include "printing/PrinterSettings.h"
#include "printing/modPrinter.h"
#include "printing/StoredPrinter.h"
#include "support/ModalDriver.h"
#include "support/PdfTools.h"
#include "support/PrintRuns.h"
#include "support/TestSupport.h"
#include "support/WholeCrop.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtEndian>
#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
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
// A distinct value for every field (so that swapped fields show), its top bit set (so that a sign
// slip shows).
template <typename T, typename R> T valueAt(int offset, T R::*)
{
    return T(0x80008000u | offset << 16 | (offset + 1));
}
QByteArray bytesOf(const FixedText &text) { return QByteArray(text.data(), qsizetype(text.size())); }

// The file as the table lays it out, with the device name "Office" and the form name "A4".
QByteArray sampleBytes()
{
    QByteArray bytes(PrinterFileBytes, '\0');
    for (const Field &f : Fields)
        std::visit([&](auto m) { qToLittleEndian(valueAt(f.offset, m), bytes.data() + f.offset); }, f.member);
    return bytes.replace(62, 6, "Office").replace(132, 2, "A4");
}

// The number of the run-time error `call` fails with; 0 when it does not fail.
int errorNumber(const std::function<void()> &call) { return failureOf(call).first; }

// A picture (the built-in one unless given) laid out as the window lays it out, with a renderer.
struct TestPoster : Poster {
    TestPoster(int sheets, double resolution, int overlap, QImage source = builtInPicture())
        : Poster(makePoster(std::move(source), {double(sheets), resolution, static_cast<std::int16_t>(overlap), pdfSheet({}), {}}))
    {
    }
    PageRenderer renderer{*this};
};

}  // namespace

TEST(PrinterRecords, FileFormMatchesTheOffsetsTable)
{
    const QByteArray bytes = sampleBytes();
    PrinterRecords r = decodePrinterRecords(bytes);
    for (const Field &f : Fields)
        std::visit([&](auto m) { EXPECT_EQ(field(r, m), valueAt(f.offset, m)) << f.offset; }, f.member);
    EXPECT_EQ(bytesOf(r.devMode.dmDeviceName), QByteArray("Office").leftJustified(32, '\0'));
    EXPECT_EQ(bytesOf(r.devMode.dmFormName), QByteArray("A4").leftJustified(32, '\0'));
    EXPECT_EQ(encodePrinterRecords(r).toHex(' '), bytes.toHex(' '));
}

TEST(PrinterRecords, ShortOrDamagedFileIsReadAsFarAsItsFieldsAreWhole)
{
    // Wherever a file ends, the fields wholly inside it are read and the rest stay empty: written
    // back, its whole fields come first and zeros after them.
    const QByteArray bytes = sampleBytes();
    std::set<int> ends{0, 94, 164};  // the texts' ends; the template-name lengths are 0
    for (const Field &f : Fields)
        ends.insert(f.offset + std::visit([](auto m) { return int(sizeof(valueAt(0, m))); }, f.member));
    for (int length = 0; length < PrinterFileBytes; ++length) {
        const int whole = *std::prev(ends.upper_bound(length));
        EXPECT_EQ(encodePrinterRecords(decodePrinterRecords(bytes.left(length))),
                  bytes.left(whole) + QByteArray(PrinterFileBytes - whole, '\0'))
            << length;
    }
    // A template name that fits is read; a length running past the end ends the reading.
    const QByteArray names("\x02\0AB\xff\xff", 6);
    const PrinterRecords r = decodePrinterRecords(QByteArray(bytes.left(50) + names + bytes.mid(54)));
    EXPECT_EQ(r.dialog.lpPrintTemplateName, QByteArray("AB"));
    EXPECT_EQ(std::tuple(r.dialog.lpSetupTemplateName, r.dialog.hPrintTemplate), std::tuple(QByteArray(), 0u));
    EXPECT_EQ(r.devMode, DevModeRecord());
}

TEST(PrinterRecords, DeviceNamesAndTheInstalledPrinterTheyMean)
{
    // Into the dialog blank-padded or cut to 32 bytes, out of it at most 31 and a NUL; never cut
    // inside a character ("ü" at bytes 30-31 does not fit in 31). 32 bytes without a NUL name no
    // printer.
    const QString umlaut = QStringLiteral("Drucker_im_Erdgeschoss_rechts_\u00fcber");
    EXPECT_EQ(bytesOf(paddedDeviceName(umlaut)), QByteArray("Drucker_im_Erdgeschoss_rechts_\xc3\xbc"));
    EXPECT_EQ(bytesOf(dialogDeviceName(umlaut)),
              QByteArray("Drucker_im_Erdgeschoss_rechts_").leftJustified(32, '\0'));
    DevModeRecord m;
    m.dmDeviceName = paddedDeviceName(umlaut);
    EXPECT_EQ(errorNumber([&] { chosenDeviceName(m); }), 5);

    const QStringList installed{QStringLiteral("Office_2"), QStringLiteral("Office"),
                                QStringLiteral("Laser_Printer_on_the_second_floor_west")};
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
    const QByteArray bytes = sampleBytes();
    const PrinterRecords records = decodePrinterRecords(bytes);
    writeFile(path, QByteArray(300, char(0xEE)));
    writePrinterFile(path, records);  // over the start of a longer file, its tail kept
    EXPECT_EQ(contentOf(path), bytes + QByteArray(116, char(0xEE)));
    EXPECT_EQ(readPrinterFile(path), records);
    // A folder in the file's way, or no folder at all.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    EXPECT_EQ(errorNumber([&] { readPrinterFile(dir.filePath(QStringLiteral("taken"))); }), 75);
    EXPECT_EQ(errorNumber([&] { writePrinterFile(dir.filePath(QStringLiteral("taken")), {}); }), 75);
    EXPECT_EQ(errorNumber([&] { writePrinterFile(dir.filePath(QStringLiteral("gone/printer.dat")), {}); }), 76);
}

TEST(StoredPrinter, RecordsThatDoNotAllFitLeaveTheFileAsItWas)
{
    // A file size limit stands in for a full disk (which takes whole pages, so a short file is
    // never cut there): the 184 bytes do not fit, and the file stays as it was or is not made.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printer.dat"));
    const PrinterRecords records = decodePrinterRecords(sampleBytes());
    for (const QByteArray &old : {QByteArray("ten bytes!"), QByteArray()}) {
        SCOPED_TRACE(old.size());
        QFile::remove(path);
        if (!old.isEmpty())
            writeFile(path, old);
        rlimit previous{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit limit = previous;
        limit.rlim_cur = 100;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const int error = errorNumber([&] { writePrinterFile(path, records); });
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_EQ(error, err::DeviceIOError);
        EXPECT_EQ(QFile::exists(path) ? contentOf(path) : QByteArray(), old);
    }
}

// Where "printer.dat" lives: beside a portable copy; for a program whose folder cannot be written,
// in the user's configuration folder beside the settings file. The rule on its facts, then on the
// disk: a folder, a link or a FIFO in the way is never followed or waited on, the file a link
// names stays as it was, and the choice goes where it can be kept.
TEST(PrinterFilePlace, BesideTheProgramWhereThatCanBeWrittenElseTheUsersOwn)
{
    const QString app = QStringLiteral("/opt/plakatron/"), config = QStringLiteral("/home/me/.config/Plakatron/");
    const QString beside = app + "printer.dat", own = config + "printer.dat";
    const struct { bool besideExists, besideWritable, configExists; QString read, write; } rows[] = {
        // A portable copy, as ever: its own file only.
        {false, true, false, {}, beside}, {true, true, false, beside, beside}, {true, true, true, beside, beside},
        {false, true, true, {}, beside},
        // An installed program: the user's own file once there is one; until then one beside the
        // program (an administrator's) starts the dialog.
        {false, false, false, {}, own}, {false, false, true, own, own}, {true, false, false, beside, own},
        {true, false, true, own, own},
    };
    for (const auto &r : rows) {
        const PrinterFilePlaces places = choosePrinterFilePlaces(app, config, {r.besideExists, r.besideWritable, r.configExists});
        EXPECT_EQ(std::pair(places.read, places.write), std::pair(r.read, r.write)) << r.besideExists << r.besideWritable << r.configExists;
    }
}

TEST(PrinterFilePlace, WhatTheDiskSaysAndWhatReadingAndWritingThereDo)
{
    QTemporaryDir dir;
    const QString app = dir.filePath("app/"), config = dir.filePath("config/"), elsewhere = dir.filePath("elsewhere");
    const QString beside = app + "printer.dat", own = config + "printer.dat";
    const auto fifo = [](const QString &path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0); };
    const PrinterRecords records = decodePrinterRecords(sampleBytes());
    // The error numbers of reading and of storing at the places chosen (0: it worked; -1: not tried).
    struct Row { const char *what; std::function<void()> make; QString read, write; int readError, writeError; };
    const Row rows[] = {
        {"a portable copy keeps to itself", [&] { writeFile(own, {}); }, {}, beside, -1, 0},
        {"a file beside the program", [&] { writeFile(beside, sampleBytes()); }, beside, beside, 0, 0},
        {"a folder in the way", [&] { QDir().mkpath(beside); writeFile(own, sampleBytes()); }, own, own, 0, 0},
        {"a link to a file", [&] { writeFile(elsewhere, "kept"); QFile::link(elsewhere, beside); }, beside, beside, 75, 75},
        {"a link to nothing", [&] { QFile::link(elsewhere, beside); }, {}, beside, -1, 75},
        {"a FIFO", [&] { fifo(beside); }, {}, own, -1, 0},
        {"a link to a FIFO", [&] { fifo(elsewhere); QFile::link(elsewhere, beside); }, {}, own, -1, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        QDir(dir.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(app) && QDir().mkpath(config));
        r.make();
        const std::string before = listing(dir.path());
        const PrinterFilePlaces places = printerFilePlaces(app, config);
        EXPECT_EQ(std::pair(places.read, places.write), std::pair(r.read, r.write));
        const int read = places.read.isEmpty() ? -1 : errorNumber([&] { EXPECT_EQ(readPrinterFile(places.read), records); });
        EXPECT_EQ(read, r.readError);
        EXPECT_EQ(errorNumber([&] { writePrinterFile(places.write, records); }), r.writeError);
        if (r.writeError) {
            EXPECT_EQ(listing(dir.path()), before) << "nothing written through a link";
        }
        EXPECT_TRUE(!QFileInfo(elsewhere).isFile() || contentOf(elsewhere) == "kept");
    }
    // A program folder the user may not write (root may write anywhere; then the rows above hold).
    QDir(dir.path()).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(app) && QDir().mkpath(config));
    writeFile(beside, {});
    QFile::setPermissions(beside, QFile::ReadOwner);
    QFile::setPermissions(app, QFile::ReadOwner | QFile::ExeOwner);
    if (!QFileInfo(app).isWritable()) {
        EXPECT_EQ(printerFilePlaces(app, config).write, own);
    }
    QFile::setPermissions(app, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}


TEST(PdfCheck, AWholeFilePassesAndEveryLostWriteIsSeen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("poster.pdf"));
    const TestPoster poster(3, 200, 3);
    printPoster(*pdfPrinter(path), posterJob(poster, {1, 3}));
    const QByteArray whole = contentOf(path);
    const qsizetype xref = whole.lastIndexOf("\nxref") + 1;
    const qsizetype image = whole.indexOf("/Subtype /Image");
    ASSERT_GT(image, 0);
    const qsizetype imageObject = whole.lastIndexOf(" 0 obj", image);
    ASSERT_GT(imageObject, 0);
    // A failed write loses a block somewhere: the file ends early or what follows moves up; a block
    // that never reached the disk may also read back as zeros, everything else in place.
    const struct { const char *what; qsizetype at, length; bool whole, zeroed = false; } rows[] = {
        {"whole", 0, 0, true},
        {"empty", 0, whole.size(), false},
        {"the header only", 9, whole.size(), false},
        {"cut in the middle", whole.size() / 2, whole.size(), false},
        {"cut before %%EOF", whole.size() - 6, 6, false},
        {"16 KB of an image lost", image + 100, 16 * 1024, false},
        {"one byte lost", image, 1, false},
        {"a line of the table lost", xref + 30, 20, false},
        {"zeros where an object starts", imageObject - 2, 64, false, true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        QByteArray damaged = whole;
        if (r.zeroed)
            damaged.replace(r.at, r.length, QByteArray(r.length, '\0'));
        else
            damaged.remove(r.at, r.length);
        QBuffer buffer(&damaged);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        EXPECT_EQ(isWholePdf(buffer), r.whole);
    }
}

TEST(PrinterSettings, DialogAnswerAndRecordsMapBothWays)
{
    // A choice in the dialog gives `number` in the records; stored (as `stored` where that differs)
    // it opens the next dialog, and sets up the chosen printer, the same way. Numbers with no
    // meaning here leave the printer's own setting.
    struct Row { const char *what; void (*choose)(QPrinter &); std::int16_t M::*field; int number, stored = 0; };
    const Row rows[] = {
        {"A3", [](QPrinter &p) { p.setPageSize(QPageSize(QPageSize::A3)); }, &M::dmPaperSize, 8},
        {"landscape", [](QPrinter &p) { p.setPageOrientation(QPageLayout::Landscape); }, &M::dmOrientation, 2},
        {"grey", [](QPrinter &p) { p.setColorMode(QPrinter::GrayScale); }, &M::dmColor, 1},
        {"3 copies", [](QPrinter &p) { p.setCopyCount(3); }, &M::dmCopies, 3},
        {"not collated", [](QPrinter &p) { p.setCollateCopies(false); }, &M::dmCollate, 0},
        {"600 dpi", [](QPrinter &p) { p.setResolution(600); }, &M::dmPrintQuality, 600},
        {"manual feed", [](QPrinter &p) { p.setPaperSource(QPrinter::Manual); }, &M::dmDefaultSource, 4},
        {"orientation 3", nullptr, &M::dmOrientation, 1, 3},
        {"quality 'high' (-4)", nullptr, &M::dmPrintQuality, 1200, -4},
        {"bin 99", nullptr, &M::dmDefaultSource, 7, 99},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        const auto chosen = pdfPrinter(QStringLiteral("unused.pdf"));
        const auto dialogPrinter = pdfPrinter(QStringLiteral("unused.pdf"));
        const auto devicePrinter = pdfPrinter(QStringLiteral("unused.pdf"));
        if (r.choose)
            r.choose(*chosen);
        PrinterRecords records, viaDialog, viaDevice;
        recordDialogAnswer(*chosen, records);
        EXPECT_EQ(records.devMode.*r.field, r.number);
        if (r.stored)
            records.devMode.*r.field = static_cast<std::int16_t>(r.stored);
        applyRecordsToDialogPrinter(records, *dialogPrinter);
        applyDeviceSettings(records.devMode, *devicePrinter);
        recordDialogAnswer(*dialogPrinter, viaDialog);
        recordDialogAnswer(*devicePrinter, viaDevice);
        EXPECT_EQ(viaDialog.devMode.*r.field, r.number);
        EXPECT_EQ(viaDevice.devMode.*r.field, r.number);
    }
    // A PDF file is one-sided: the duplex numbers on their own.
    EXPECT_EQ(duplexMode(3), QPrinter::DuplexShortSide);
    EXPECT_EQ(duplexNumber(QPrinter::DuplexLongSide), 2);
}

TEST(PageGeometry, PositionsAndHintsNameTheNeighbours)
{
    struct Row { int page; double sheets; int gridRows, row, column; const char16_t *below, *next; };
    const Row rows[] = {
        {6, 4, 2, 2, 2, u" ", u" 6 put  7 next"},  // the worked example: the last row
        {10, 4, 4, 3, 2, u"p. 10 put  14 below", u" 10 put  11 next"},
        {8, 4, 2, 2, 4, u" ", u" "},
        {41, 40, 2, 2, 1, u" ", u" 41 put  42 next"},
    };
    for (const Row &r : rows) {
        const PagePosition p = pagePosition(r.page, r.sheets);
        EXPECT_EQ(std::tuple(p.row, p.column), std::tuple(r.row, r.column)) << r.page;
        EXPECT_EQ(bottomHint(r.page, p.row, std::int16_t(r.gridRows), pageColumns(r.sheets)),
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
    const Row rows[] = {{6, 5, {221, 313, 231, 323}}, {8, 0, {661, 313, 222, 314}}, {1, 7, {1, 1, 236, 328}}};
    for (const Row &r : rows) {
        TestPoster poster(4, 800, r.overlap);
        poster.renderer.RenderPage(static_cast<std::int16_t>(r.page));
        QImage expected(r.from.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        for (int y = 1; y < expected.height(); ++y)
            for (int x = 1; x < expected.width(); ++x)
                if (poster.picture.raster().valid(r.from.x() + x - 1, r.from.y() + y - 1))
                    expected.setPixel(x, y, poster.picture.raster().pixel(r.from.x() + x - 1, r.from.y() + y - 1));
        EXPECT_EQ(wholeCrop(poster.renderer.crop()), expected) << r.page;
    }
}

TEST(PageRenderer, PageIsItsCropEnlargedWithHintsInMarginsAboveThreeHundredPixels)
{
    TestPoster poster(4, 800, 5);  // the worked example's page 6: the last row, a column to the right
    const PageResult result = poster.renderer.RenderPage(6);
    const QImage &page = poster.renderer.pageCanvas();
    ASSERT_EQ(page.size(), QSize(820, 1151));
    cDIBSection buffer;
    buffer.CreateFromPicture(wholeCrop(poster.renderer.crop()));
    EXPECT_EQ(page.copy(0, 0, 800, 1131), buffer.Resample(1131, 800)->toImage());
    EXPECT_FALSE(hasDarkPixel(page, QRect(0, 1131, 800, 20)));
    EXPECT_TRUE(hasDarkPixel(page, QRect(800, 0, 20, 1131)));
    EXPECT_TRUE(result.made && result.warnings.isEmpty());
    struct Row { double resolution; QSize canvas; };
    const Row rows[] = {{300, {300, 424}}, {400, {420, 586}}, {250, {250, 354}}, {750, {770, 1080}}};
    for (const Row &r : rows) {
        TestPoster small(3, r.resolution, 3);
        small.renderer.RenderPage(1);
        ASSERT_EQ(small.renderer.pageCanvas().size(), r.canvas) << r.resolution;
        if (r.resolution == 400) {  // page 1 of 3 x 2 has a page below: its hint is centred
            const QRect ink = inkBounds(small.renderer.pageCanvas().copy(0, 566, 420, 20));
            EXPECT_NEAR(ink.left(), 419 - ink.right(), 2);
        }
    }
}


TEST(PrintJob, ARequestNamesOnlyPagesOfThePoster)
{
    // The poster's pages: rows x columns, within 16 bits.
    struct Count { double sheetsAcross, sheetsDown; int pages; };
    const Count counts[] = {
        {4, 1.8002, 8},  // the worked example: 2 rows of 4
        {3, 1.0, 3},     // a whole number of rows gets no extra row
        {40, 900, -1},   // beyond 16 bits: Overflow
    };
    for (const Count &c : counts) {
        std::int16_t pages = -1;
        Poster poster;
        poster.settings.SheetsAcross = c.sheetsAcross;
        poster.grid.SheetsDown = c.sheetsDown;
        EXPECT_EQ(errorNumber([&] { pages = posterPageCount(poster); }),
                  c.pages < 0 ? 6 : 0);
        EXPECT_EQ(pages, c.pages);
    }
    // Of a range, the pages on the poster and within what a job numbers; never a page off it.
    struct Within { int first, last, pageCount; PrintRange range; };
    const PrintRange none{1, 0};
    const Within ranges[] = {
        {2, 3, 6, {2, 3}},   {1, 6, 6, {1, 6}},   {0, 3, 6, {1, 3}},         {5, 9, 6, {5, 6}},
        {5, 2, 6, none},     {7, 9, 6, none},     {0, 0, 6, none},           {1, 0, 0, none},
        {1, 45280, 45280, {1, 32767}},             {40000, 40001, 45280, none},
    };
    for (const Within &w : ranges)
        EXPECT_EQ(printRangeWithin(w.first, w.last, w.pageCount), w.range) << w.first << '-' << w.last << " of " << w.pageCount;
    // What the dialog offers and starts with: the page asked for ("Print this picture..."), else
    // every page; the selected page as the current one. Pages off the poster are never current.
    struct Choice { std::int32_t singlePage, selected; PrintChoices choices; };
    const Choice choices[] = {
        {0, 0, {6, 0, false}}, {0, 4, {6, 4, false}}, {5, 5, {6, 5, true}},
        {-1, 3, {6, 3, false}}, {7, 7, {6, 0, false}}, {3, 0, {6, 3, true}},    {0, 6, {6, 6, false}}, {6, 0, {6, 6, true}},
    };
    for (const Choice &c : choices)
        EXPECT_EQ(printChoicesFor(c.singlePage, c.selected, 6), c.choices) << c.singlePage << ' ' << c.selected;
    // The counter names the page and the job's last page while later ones follow.
    struct Counter { int page; PrintRange range; const char16_t *text; };
    const Counter counters[] = {
        {1, {1, 8}, u"Printing page  1/ 8"}, {8, {1, 8}, u"Printing page  8"},
        {2, {2, 3}, u"Printing page  2/ 3"}, {3, {2, 3}, u"Printing page  3"},
        {7, {7, 7}, u"Printing page  7"},
    };
    for (const Counter &c : counters)
        EXPECT_EQ(progressText(std::int16_t(c.page), c.range), QString::fromUtf16(c.text));
}

TEST(PrintJob, JobBrokenOffByAnErrorLeavesNoDocument)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    TestPoster poster(3, 200, 3);
    const auto printer = pdfPrinter(pdf);
    printPoster(*printer, posterJob(poster, {1, 0}));
    EXPECT_FALSE(QFile::exists(pdf)) << "no pages, no document";
    {
        PrintJob job(*printer);
        const auto printPage = [&](std::int16_t page) {
            if (page == 3)
                plakatron::raise(err::OutOfMemory);
            job.PrintPageImage(poster.picture.raster());
        };
        EXPECT_EQ(errorNumber([&] { job.run(PrintRange{1, 6}, printPage); }), 7) << "the error reaches the caller";
        EXPECT_FALSE(QFile::exists(pdf)) << "the half-printed document is aborted, not left behind";
        EXPECT_EQ(errorNumber([&] { job.PrintPageImage(poster.picture.raster()); }), 482) << "no sheet outside a job";
    }
    printPoster(*printer, posterJob(poster, {1, 2}));
    EXPECT_EQ(pdfPageCount(pdf), 2) << "the same printer prints the next job";
}

// A grey page of 300 x 424 pixels (no hint margins) on four papers, as poppler draws the PDF:
// undistorted within 0.5 %, as large as fits, at the printable area's top-left corner (its first
// pixel column and row are white, so the grey starts a pixel or two in).
TEST(PrintJob, ASheetKeepsThePagesShapeOnAnyPaper)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    QImage grey(1200, 1800, QImage::Format_RGB32);
    grey.fill(qRgb(90, 90, 90));
    const TestPoster poster(2, 300, 3, grey);
    const double shape = 300.0 / 424;
    const struct { QPageSize::PageSizeId paper; QPageLayout::Orientation orientation; } rows[] = {
        {QPageSize::A4, QPageLayout::Portrait}, {QPageSize::Letter, QPageLayout::Portrait},
        {QPageSize::Letter, QPageLayout::Landscape}, {QPageSize::A3, QPageLayout::Landscape},
    };
    // One page is drawn as the sheet is printed; more are encoded on every core first.
    for (const auto &[r, last] : {std::pair(rows[0], 1), std::pair(rows[1], 2), std::pair(rows[2], 1), std::pair(rows[3], 2)}) {
        SCOPED_TRACE(testing::Message() << r.paper << ' ' << r.orientation << ", pages 1-" << last);
        const auto printer = pdfPrinter(pdf);
        printer->setPageSize(QPageSize(r.paper));
        printer->setPageOrientation(r.orientation);
        printPoster(*printer, posterJob(poster, {1, std::int16_t(last)}));
        ASSERT_EQ(pdfPageCount(pdf), last);
        const QPageLayout layout = printer->pageLayout();
        EXPECT_EQ(pdfPageSize(pdf).toSize(), layout.fullRectPoints().size()) << "the paper chosen";
        constexpr int Dpi = 150;
        const QRect drawn = inkBounds(renderPdfPage(pdf, 1, Dpi));
        const QRectF inch = layout.paintRect(QPageLayout::Inch), printable(inch.topLeft() * Dpi, inch.size() * Dpi);
        EXPECT_NEAR(double(drawn.width()) / drawn.height() / shape, 1, 0.005) << drawn.width() << " x " << drawn.height();
        EXPECT_TRUE(std::abs(drawn.width() - printable.width()) <= 3 || std::abs(drawn.height() - printable.height()) <= 3)
            << drawn.width() << " x " << drawn.height() << " in " << printable.width() << " x " << printable.height();
        EXPECT_LE((drawn.topLeft() - printable.topLeft()).manhattanLength(), 4);
        EXPECT_LE(std::max(drawn.right() - printable.right(), drawn.bottom() - printable.bottom()), 1);
    }
}

TEST(PagesAhead, RendersInTurnAndKeepsTheWarningsWithTheirPageWhereAFailedStepIsNoEnd)
{
    TestPoster poster(3, 200, 3);
    {
        PagesAhead pages(poster, PrintRange{1, 3});
        for (std::int16_t page = 1; page <= 3; ++page) {
            const PagesAhead::Page taken = pages.take(page);
            ASSERT_TRUE(taken.result.made);
            EXPECT_TRUE(taken.result.warnings.isEmpty());
            TestPoster alone(3, 200, 3);
            alone.renderer.RenderPage(page);
            EXPECT_EQ(*taken.canvas, alone.renderer.pageCanvas()) << page;
        }
    }
    // A step that fails on the rendering thread: its warning comes with the page, and the later
    // steps still make the page.
    poster.settings.SheetsAcross = 0;
    {
        PagesAhead pages(poster, PrintRange{2, 2});
        const PagesAhead::Page taken = pages.take(2);
        EXPECT_TRUE(taken.result.made);
        ASSERT_FALSE(taken.result.warnings.isEmpty());
        EXPECT_EQ(taken.result.warnings.first(), QStringLiteral("Division by zero\r\nCode 11"));
        EXPECT_FALSE(taken.canvas->isNull());
    }
    // The print loop hands the warning on before it prints the page.
    QTemporaryDir dir;
    QStringList said;
    PosterJob job = posterJob(poster, {2, 3});
    job.warnings = [&](std::int16_t page, const QStringList &warnings) { said << QString::number(page) + ": " + warnings.first(); };
    printPoster(*pdfPrinter(dir.filePath(QStringLiteral("p.pdf"))), job);
    EXPECT_EQ(said, QStringList({"2: Division by zero\r\nCode 11", "3: Division by zero\r\nCode 11"}));
    EXPECT_EQ(pdfPageCount(dir.filePath(QStringLiteral("p.pdf"))), 2);
}

// The dialog opens on the stored choices, the current printer and the poster's pages. Its answer
// becomes the current printer and the records (bits this program does not know kept), and names
// only pages of the poster: its own range kept within the poster, "Current page" the selected page
// and nothing while none is selected. A cancelled dialog changes nothing.
TEST(ShowPrinterDialog, OpensOnTheStoredChoicesAndItsAnswerPrintsOnlyPagesOfThePoster)
{
    QTemporaryDir dir;
    resetCurrentPrinter();
    currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    currentPrinter().setOutputFileName(dir.filePath(QStringLiteral("before.pdf")));
    struct { QPrinter::PrintRange range; int from, to; bool confirm; } answer{QPrinter::PageRange, 2, 4, true};
    // What the dialog opened with: file, copies, colour, range, from, to; and its options.
    std::tuple<QString, int, QPrinter::ColorMode, QPrinter::PrintRange, int, int> opened;
    QAbstractPrintDialog::PrintDialogOptions options;
    const auto previous = setPrintDialogFunction([&](const PrintDialogRequest &request) {
        QPrinter &p = request.printer;
        opened = {p.outputFileName(), p.copyCount(), p.colorMode(), p.printRange(), p.fromPage(), p.toPage()};
        options = request.options;
        p.setOutputFileName(dir.filePath(answer.confirm ? u"chosen.pdf"_qs : u"no.pdf"_qs));
        p.setCopyCount(5);
        p.setPrintRange(answer.range);
        if (answer.from)
            p.setFromTo(answer.from, answer.to);
        return answer.confirm;
    });
    const QString chosenFile = dir.filePath(QStringLiteral("chosen.pdf"));
    PrinterRecords records;
    records.dialog.Flags = 0x40000 | pd::Selection;
    records.dialog.nFromPage = 7;  // another poster's range
    records.dialog.nToPage = 8;
    records.devMode.dmCopies = 2;
    records.devMode.dmColor = 1;
    PrintRange chosen;
    EXPECT_EQ(ShowPrinterDialog(nullptr, records.dialog, records.devMode, {9, 4, false}, chosen), u"PRINT TO FILE (PDF)"_qs);
    EXPECT_EQ(opened, std::tuple(dir.filePath(QStringLiteral("before.pdf")), 2, QPrinter::GrayScale, QPrinter::AllPages, 1, 9));
    using O = QAbstractPrintDialog;
    EXPECT_EQ(options & (O::PrintPageRange | O::PrintCurrentPage | O::PrintSelection), O::PrintPageRange | O::PrintCurrentPage);
    EXPECT_EQ(chosen, PrintRange({2, 4}));
    const QPrinter &current = currentPrinter();
    EXPECT_EQ(std::tuple(current.outputFileName(), current.copyCount(), current.colorMode(), records.devMode.dmCopies),
              std::tuple(chosenFile, 5, QPrinter::GrayScale, std::int16_t(5)));
    EXPECT_EQ(records.dialog.Flags, 0x40000u | pd::PageNums | pd::Collate | pd::PrintToFile);
    EXPECT_EQ(std::tuple(records.dialog.nFromPage, records.dialog.nToPage, records.dialog.nMinPage, records.dialog.nMaxPage),
              std::tuple(2, 4, 1, 9));

    // "Print this picture..." starts with its page, and the dialog on the file chosen last;
    // cancelled, nothing changes.
    answer.confirm = false;
    chosen = {};
    PrinterRecords fresh;
    EXPECT_EQ(ShowPrinterDialog(nullptr, fresh.dialog, fresh.devMode, {9, 4, true}, chosen), QString());
    EXPECT_EQ(opened, std::tuple(chosenFile, 5, QPrinter::GrayScale, QPrinter::CurrentPage, 4, 4));
    EXPECT_EQ(std::pair(chosen, current.outputFileName()), std::pair(PrintRange(), chosenFile));

    struct Row { QPrinter::PrintRange answer; int from, to, currentPage; PrintRange chosen; };
    const Row rows[] = {
        {QPrinter::AllPages, 0, 0, 0, {1, 9}},   {QPrinter::PageRange, 2, 3, 0, {2, 3}},
        {QPrinter::PageRange, 8, 12, 0, {8, 9}}, {QPrinter::PageRange, 10, 12, 0, {1, 0}},
        {QPrinter::CurrentPage, 0, 0, 4, {4, 4}}, {QPrinter::CurrentPage, 0, 0, 0, {1, 0}},
        {QPrinter::Selection, 0, 0, 4, {1, 9}},
    };
    for (const Row &r : rows) {
        answer = {r.answer, r.from, r.to, true};
        fresh = {};
        ShowPrinterDialog(nullptr, fresh.dialog, fresh.devMode, {9, std::int16_t(r.currentPage), false}, chosen);
        EXPECT_EQ(chosen, r.chosen) << r.answer << ' ' << r.from << '-' << r.to;
        EXPECT_EQ(std::tuple(fresh.dialog.nFromPage, fresh.dialog.nToPage), std::tuple(r.chosen.first, r.chosen.last));
    }
    setPrintDialogFunction(previous);
    resetCurrentPrinter();
}

// Qt's own dialog, as the user meets it: the poster's pages on offer, "Current page" only with a
// selected page, no choice the job would not honour, no copies of a PDF file; what is set in it is
// what the job gets.
TEST(ShowPrinterDialog, QtsDialogOffersThePostersPagesAndNothingThatWouldNotPrint)
{
    QTemporaryDir dir;
    resetCurrentPrinter();
    currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    currentPrinter().setOutputFileName(dir.filePath(QStringLiteral("poster.pdf")));
    const auto previous = setPrintDialogFunction({});
    const auto dialog = [] { return qobject_cast<QPrintDialog *>(QApplication::activeModalWidget()); };
    struct Row { PrintChoices choices; std::function<void(QPrintDialog &)> choose; bool currentEnabled, currentChecked; PrintRange chosen; };
    const auto pagesFrom = [](int from, int to) {
        return [=](QPrintDialog &d) {
            d.findChild<QRadioButton *>(QStringLiteral("printRange"))->setChecked(true);
            d.findChild<QSpinBox *>(QStringLiteral("from"))->setValue(from);
            d.findChild<QSpinBox *>(QStringLiteral("to"))->setValue(to);
        };
    };
    const Row rows[] = {
        {{9, 0, false}, pagesFrom(2, 3), false, false, {2, 3}},
        {{9, 0, false}, pagesFrom(5, 12), false, false, {5, 9}},  // the box stops at the last page
        {{9, 0, false}, pagesFrom(5, 2), false, false, {5, 5}},   // Qt's reading of "from 5 to 2"
        {{9, 4, false}, {}, true, false, {1, 9}},
        {{9, 4, true}, {}, true, true, {4, 4}},
    };
    for (const Row &r : rows) {
        // Current page enabled and checked, the pages' range, copies enabled, and which of the
        // choices that are never offered show.
        std::tuple<bool, bool, int, int, int, bool> seen;
        QStringList shown;
        test::whileModal<QPrintDialog>(100, dialog, [&](QPrintDialog &d) {
            // The dialog's own widgets, by the names Qt gives them.
            const auto *current = d.findChild<QRadioButton *>(QStringLiteral("printCurrentPage"));
            const auto *from = d.findChild<QSpinBox *>(QStringLiteral("from"));
            const auto *to = d.findChild<QSpinBox *>(QStringLiteral("to"));
            const auto *copies = d.findChild<QSpinBox *>(QStringLiteral("copies"));
            if (!current || !from || !to || !copies || !d.findChild<QRadioButton *>(QStringLiteral("printRange"))) {
                ADD_FAILURE() << "Qt's print dialog names its widgets differently";
                d.reject();
                return;
            }
            seen = {current->isEnabled(), current->isChecked(), from->minimum(), from->maximum(), to->maximum(), copies->isEnabled()};
            for (const char *name : {"printSelection", "pagesRadioButton", "pageSetCombo", "reverse"})
                if (const auto *w = d.findChild<QWidget *>(QLatin1String(name)); w && !w->isHidden())
                    shown << QLatin1String(name);
            if (r.choose)
                r.choose(d);
            d.accept();
        });
        const test::ModalWatchdog<QPrintDialog> watchdog(30000, dialog);
        PrinterRecords records;
        PrintRange chosen;
        EXPECT_FALSE(ShowPrinterDialog(nullptr, records.dialog, records.devMode, r.choices, chosen).isEmpty());
        // No copies: a PDF file holds each sheet once.
        EXPECT_EQ(seen, std::tuple(r.currentEnabled, r.currentChecked, 1, 9, 9, false));
        EXPECT_EQ(shown, QStringList());
        EXPECT_EQ(chosen, r.chosen);
    }
    setPrintDialogFunction(previous);
    resetCurrentPrinter();
}
