// SPDX-License-Identifier: GPL-3.0-or-later
// PDF files printed on every core: the same pages in the same order, each page picture the very
// bytes Qt's PDF engine writes when it draws the page itself, whatever the number of threads; and
// a job stopped or out of disk leaves nothing behind, neither beside the file nor in the
// temporary folder.
#include "app/BuiltInPicture.h"
#include "core/Cancellation.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "printing/AssemblyMap.h"
#include "printing/EncodedPages.h"
#include "printing/PageRenderer.h"
#include "printing/PdfCheck.h"
#include "printing/PrintJob.h"
#include "printing/PrinterSheet.h"
#include "support/PdfTools.h"
#include "support/PrintRuns.h"
#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

Poster builtInPoster(double sheets, double resolution)
{
    return makePoster(builtInPicture(), {sheets, resolution, 3, pdfSheet({}), {}});
}

// The page pictures of a PDF file as stored in it, in page order (pdfimages -all).
std::vector<QByteArray> storedPictures(const QString &pdf)
{
    QTemporaryDir dir;
    QProcess::execute(QStringLiteral("pdfimages"), {QStringLiteral("-all"), pdf, dir.filePath(QStringLiteral("p"))});
    std::vector<QByteArray> pictures;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        pictures.push_back(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return pictures;
}

bool qpdfAccepts(const QString &pdf)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
    return qpdf.waitForFinished(60000) && qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0;
}

bool wholePdf(const QString &pdf)
{
    QFile file(pdf);
    return file.open(QIODevice::ReadOnly) && isWholePdf(file);
}

// PLAKATRON_PRINT_THREADS for the life of the object.
class PrintThreads {
public:
    explicit PrintThreads(int threads) { qputenv("PLAKATRON_PRINT_THREADS", QByteArray::number(threads)); }
    ~PrintThreads() { qunsetenv("PLAKATRON_PRINT_THREADS"); }
};

// The temporary folder of the life of the object: what a job leaves there shows.
class OwnTemporaryFolder {
public:
    OwnTemporaryFolder() : old_(qgetenv("TMPDIR")) { qputenv("TMPDIR", dir_.path().toLocal8Bit()); }
    ~OwnTemporaryFolder() { qputenv("TMPDIR", old_); }
    QString listing() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).join(u' '); }

private:
    QTemporaryDir dir_;
    QByteArray old_;
};

// The pages Qt's engine writes itself: each page rendered on this thread and drawn as it is.
void printAsQtDoes(QPrinter &printer, const Poster &poster, PrintRange range, AssemblyMap *map)
{
    PageRenderer renderer(poster);
    PrintJob sheets(printer);
    sheets.run(
        posterJobPages(poster, range),
        [&](std::int16_t page) {
            ASSERT_TRUE(renderer.RenderPage(page).made);
            sheets.PrintPageImage(renderer.pageCanvas(), poster.grid.Printed.share);
        },
        {}, map ? PrintJob::SheetPrinter([&] { sheets.PrintAssemblyMap(*map); }) : PrintJob::SheetPrinter());
}

}  // namespace

// Fifty pages of the built-in picture (enlarged with hints, and reduced without them), and a range
// of them after the assembly map: on one thread, on three and on one a core, the pictures are
// the bytes Qt's engine writes, page by page in order, in a file that qpdf and the whole-file
// check accept.
TEST(EncodedPages, EveryThreadCountPrintsTheBytesQtWritesInPageOrder)
{
    QTemporaryDir dir;
    const struct Row {
        const char *what;
        double sheets, resolution;
        PrintRange range;
        bool map;
    } rows[] = {
        {"enlarged, 50 pages", 10, 800, {1, 50}, false},
        {"reduced, no hints", 4, 250, {1, 8}, false},
        {"a range after the map", 10, 800, {7, 23}, true},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        const Poster poster = builtInPoster(r.sheets, r.resolution);
        const QString qt = dir.filePath(QStringLiteral("qt.pdf"));
        std::unique_ptr<AssemblyMap> map = r.map ? std::make_unique<AssemblyMap>(poster) : nullptr;
        printAsQtDoes(*pdfPrinter(qt), poster, r.range, map.get());
        const std::vector<QByteArray> expected = storedPictures(qt);  // the map's own first
        const int pages = posterJobPages(poster, r.range).count();
        ASSERT_GE(expected.size(), size_t(pages));
        for (const int threads : {1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << threads << " threads");
            const PrintThreads set(threads);
            const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
            const auto printer = pdfPrinter(pdf);
            ASSERT_TRUE(takesEncodedPages(*printer));
            std::vector<int> progress;
            PosterJob job = posterJob(poster, r.range);
            job.map = map.get();
            job.progress = [&](std::int16_t page, std::int16_t) { progress.push_back(page); };
            printPoster(*printer, job);
            EXPECT_EQ(printer->outputFileName(), pdf) << "the printer's file, not the draft's";
            EXPECT_EQ(pdfPageCount(pdf), pages + (r.map ? 1 : 0));
            const std::vector<QByteArray> printed = storedPictures(pdf);
            ASSERT_EQ(printed.size(), expected.size());
            for (std::size_t i = 0; i < expected.size(); ++i)
                EXPECT_TRUE(printed[i] == expected[i]) << "page picture " << i + 1;
            EXPECT_EQ(progress.size(), size_t(pages));
            EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
            EXPECT_TRUE(wholePdf(pdf));
            EXPECT_TRUE(qpdfAccepts(pdf));
            EXPECT_LE(QFileInfo(pdf).size(), QFileInfo(qt).size() * 11 / 10);
        }
    }
}

// A renderer that writes each page over the page before last gives the pages a fresh renderer
// gives, pixel for pixel, whether the pages enlarge or reduce.
TEST(EncodedPages, APageWrittenOverThePageBeforeIsTheFreshPage)
{
    for (const double resolution : {800.0, 150.0}) {
        const Poster poster = builtInPoster(5, resolution);
        PageRenderer reused(poster);
        for (std::int16_t page : {1, 7, 2, 9, 3}) {
            PageRenderer fresh(poster);
            ASSERT_TRUE(reused.RenderPage(page).made);
            ASSERT_TRUE(fresh.RenderPage(page).made);
            EXPECT_EQ(reused.pageCanvas(), fresh.pageCanvas()) << resolution << " px, page " << page;
        }
    }
}

// A stop in the middle of a job on every core, asked for while the workers are pages ahead: the
// job ends with User interrupt, the old file stays, and neither the file's temporary copy nor the
// draft and its pictures are left behind.
TEST(EncodedPages, AStopInTheMiddleLeavesTheOldFileAndNothingElse)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    writeFile(pdf, "the old poster");
    const Poster poster = builtInPoster(10, 800);
    for (const int stopAt : {1, 20, 50}) {
        SCOPED_TRACE(stopAt);
        const OwnTemporaryFolder temporary;
        const PrintThreads set(2);
        Cancellation stop;
        PosterJob job = posterJob(poster, {1, 50});
        job.cancellation = &stop;
        job.progress = [&](std::int16_t page, std::int16_t) {
            if (page == stopAt)
                stop.request();
        };
        const auto printer = pdfPrinter(pdf);
        EXPECT_EQ(failureOf([&] { printPoster(*printer, job); }).first, err::UserInterrupt);
        EXPECT_EQ(contentOf(pdf), "the old poster");
        EXPECT_EQ(listing(dir.path()), "poster.pdf");
        EXPECT_EQ(temporary.listing(), "");
        EXPECT_EQ(printer->outputFileName(), pdf);
    }
}

// A disk that fills while the file is written: the system's reason, the old file kept, nothing
// left on the disk or in the temporary folder; the printer prints the next job.
TEST(EncodedPages, AFullDiskKeepsTheOldFileAndLeavesNothing)
{
    SmallDisk disk(2);
    PLAKATRON_REQUIRE_SMALL_DISK(disk);
    const QString pdf = disk.filePath(QStringLiteral("poster.pdf"));
    writeFile(pdf, "the old poster");
    disk.fill(600 << 10);
    const Poster poster = builtInPoster(10, 800);
    const OwnTemporaryFolder temporary;
    const PrintThreads set(2);
    PosterJob job = posterJob(poster, {1, 50});
    const auto printer = pdfPrinter(pdf);
    EXPECT_EQ(failureOf([&] { printPoster(*printer, job); }),
              std::pair(61, QString("Cannot write '" + pdf + "': No space left on device")));
    EXPECT_EQ(contentOf(pdf), "the old poster");
    EXPECT_EQ(listing(disk.path()), ".filler poster.pdf");
    EXPECT_EQ(temporary.listing(), "");
    disk.empty();
    job.range = {1, 3};
    printPoster(*printer, job);
    EXPECT_EQ(pdfPageCount(pdf), 3);
}

// The encoder gives Qt's JPEG writer's bytes for every picture a page can be: sizes that are no
// whole number of blocks, resolutions recorded per inch or per centimetre, a noisy page whose
// JPEG outgrows the first guess of its size; pictures with texts go through Qt's writer itself.
TEST(EncodedPages, TheEncoderWritesTheBytesOfQtsWriter)
{
    const auto noise = [](int width, int height, QImage::Format format) {
        QImage image(width, height, format);
        std::uint32_t state = 12345;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                state = state * 1664525u + 1013904223u;
                image.setPixel(x, y, qRgba(int(state >> 24), int(state >> 16) & 255, int(state >> 8) & 255, 255));
            }
        return image;
    };
    struct Case {
        const char *what;
        QImage picture;
    };
    std::vector<Case> cases = {
        {"a page of the built-in picture", {}},
        {"17 x 9 noise", noise(17, 9, QImage::Format_RGB32)},
        {"1 x 1", noise(1, 1, QImage::Format_RGB32)},
        {"noise larger than the first guess", noise(640, 480, QImage::Format_RGB32)},
        {"premultiplied", noise(33, 31, QImage::Format_ARGB32_Premultiplied)},
        {"300 dpi", noise(40, 40, QImage::Format_RGB32)},
        {"118 dots per cm", noise(40, 40, QImage::Format_RGB32)},
        {"with a text", noise(40, 40, QImage::Format_RGB32)},
    };
    const Poster poster = builtInPoster(3, 800);  // the renderer reads it at every page
    PageRenderer renderer(poster);
    ASSERT_TRUE(renderer.RenderPage(2).made);
    cases[0].picture = renderer.pageCanvas();
    cases[5].picture.setDotsPerMeterX(11811);
    cases[5].picture.setDotsPerMeterY(11811);
    cases[6].picture.setDotsPerMeterX(11800);
    cases[6].picture.setDotsPerMeterY(11800);
    cases[7].picture.setText(QStringLiteral("Title"), QStringLiteral("page"));
    for (const Case &c : cases) {
        QByteArray qt;
        QBuffer buffer(&qt);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(94);
        ASSERT_TRUE(writer.write(c.picture)) << c.what;
        QByteArray ours("left over");
        ASSERT_TRUE(encodePagePicture(c.picture, ours)) << c.what;
        EXPECT_TRUE(ours == qt) << c.what << ": " << ours.size() << " bytes against Qt's " << qt.size();
    }
}

// A PDF file written without a printer (the tool's -o, which asks no print server) is the file a
// printer writing PDF makes: the same printable area on every paper, and the same bytes but for
// the moment of writing and the file's identifier, on one thread and on two.
TEST(EncodedPages, AFileWrittenWithoutAPrinterIsThePrintersFile)
{
    QTemporaryDir dir;
    for (const QPageSize::PageSizeId size : offeredPaperSizes())
        for (const QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            const Paper paper{size, orientation};
            const auto printer = pdfPrinter(dir.filePath(QStringLiteral("unused.pdf")));
            setPaper(*printer, paper);
            EXPECT_EQ(pdfFileSheet(paper).printable, sheetOf(*printer, paper).printable) << paperText(paper).toStdString();
            EXPECT_TRUE(pdfFileSheet(paper).calibration.isNone());
        }
    const auto withoutDate = [](const QString &pdf) {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromLatin1(file.readAll()).remove(QRegularExpression(QStringLiteral("/CreationDate \\(D:[^)]*\\)|/ID \\[<[0-9a-f]*><[0-9a-f]*>\\]")))
                   : QString();
    };
    const Paper paper{QPageSize::A3, QPageLayout::Landscape};
    Poster poster = makePoster(builtInPicture(), {4, 800, 3, pdfFileSheet(paper), {}});
    for (const int threads : {1, 2}) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        const PrintThreads set(threads);
        PosterJob job;
        job.poster = &poster;
        job.range = {1, 8};
        const QString byPrinter = dir.filePath(QStringLiteral("printer.pdf"));
        const auto printer = pdfPrinter(byPrinter);
        setPaper(*printer, paper);
        printPoster(*printer, job);
        const QString byWriter = dir.filePath(QStringLiteral("writer.pdf"));
        printPoster(PdfFileOutput{byWriter, paper}, job);
        EXPECT_EQ(pdfPageCount(byWriter), 8);
        EXPECT_TRUE(withoutDate(byWriter) == withoutDate(byPrinter));
    }
}

// A photograph whose rows are still being decoded when the job starts prints the page pictures of
// the photograph loaded whole, whether one thread renders the pages or three.
TEST(EncodedPages, APhotographStillArrivingPrintsThePagesOfThePhotographLoadedWhole)
{
    QTemporaryDir dir;
    QImage photo(3000, 2000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            row[x] = qRgb((x / 7 + y) % 256, (x ^ y) % 256, (x * y / 97) % 256);
    }
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(photo.save(path, "JPG", 90));
    const PosterChoices choices{5, 800, 3, pdfFileSheet({}), {}};
    const auto printed = [&](const Picture &picture) {
        const Poster poster = makePoster(picture, choices);
        PosterJob job;
        job.poster = &poster;
        job.range = {1, std::int16_t(poster.pageCount())};
        const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
        printPoster(PdfFileOutput{pdf, {}}, job);
        return storedPictures(pdf);
    };
    const std::vector<QByteArray> expected = printed(loadPicture(path, {}, PictureRequest{1, false}));
    ASSERT_EQ(expected.size(), 15u);
    for (const int threads : {1, 3}) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        const PrintThreads set(threads);
        const Picture arriving = loadPicture(path, {}, PictureRequest{1, false, true});
        ASSERT_TRUE(arriving.rowsArrive());
        EXPECT_TRUE(printed(arriving) == expected);
    }
}
