// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print job: one printer sheet per poster page, each page picture as large as the printable
// area of its sheet allows without distorting it, exactly as many sheets as pages. One loop,
// printPoster, serves the main window (which adds the confirmation and the wait window) and the
// command-line tool (which prints to a PDF file or a printer without any window).

#include "layout/Paper.h"
#include "layout/Poster.h"

#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <utility>
#include <memory>
#include <optional>

class QImage;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace plakatron {

class AssemblyMap;
class Cancellation;
class OutputFile;
class PagePictureSplice;
struct EncodedPage;

struct PrintRange {
    std::int16_t first = 0;
    std::int16_t last = 0;
    bool operator==(const PrintRange &) const = default;
};

// Page numbers of a print job are 16-bit: a job numbers at most this many pages.
inline constexpr int LastNumberedPage = 32767;

// The poster's pages, rows x columns of the grid (Overflow, 6, beyond 16 bits).
std::int16_t posterPageCount(const Poster &poster);

// The one page-range rule of the window and the tool: of the pages first to last, those that are
// pages of a poster of `pageCount` pages and that a job can number. Empty (last < first) when
// none of them is: never a page off the poster.
PrintRange printRangeWithin(int first, int last, int pageCount);

// The pages a print job prints, in order: those of its range that take something of the picture.
// The cells are rounded up, so the cut can run ahead of the grid (PageCut); pages right of or
// below the picture as it is cut would print white and are left out.
class JobPages {
public:
    // Every page of the range.
    JobPages(PrintRange range);
    // The pages of the range that hold something of the picture as `cut` cuts it.
    JobPages(PrintRange range, const PageCut &cut);

    PrintRange range() const { return range_; }
    bool printed(std::int32_t page) const;
    // The first page printed, and the page printed after `page`; 0 where there is none.
    std::int16_t first() const { return first_; }
    std::int16_t after(std::int16_t page) const;
    // The pages printed (16 bits, as the job numbers them) and those of the range left out.
    std::int16_t count() const { return count_; }
    std::int32_t leftOut() const { return leftOut_; }
    // From the first page printed to the last, as the progress texts name them; empty (last <
    // first) when none is.
    PrintRange printedRange() const { return {first_ ? first_ : std::int16_t{1}, last_}; }

private:
    PrintRange range_;
    std::optional<PageCut> cut_;
    std::int16_t first_ = 0, last_ = 0, count_ = 0;
    std::int32_t leftOut_ = 0;
};

// The pages of `range` of `poster` that a job prints: those that take something of its picture
// (every page of the range where its cut cannot be worked out, as pages were always printed).
JobPages posterJobPages(const Poster &poster, PrintRange range);

// "40 pages hold nothing of the picture and are not printed." ("1 page holds ... is not ...").
QString leftOutText(std::int32_t pages);
// The window's word when no page chosen holds anything of the picture.
QString nothingToPrintText(std::int32_t pages);

// What the print dialog offers for a poster: every page, "Pages from ... to ..." within 1 to
// pageCount, and "Current page" while a page of the poster is selected.
struct PrintChoices {
    std::int16_t pageCount = 0;
    std::int16_t currentPage = 0;  // 0: no page selected, "Current page" cannot be chosen
    bool startWithCurrentPage = false;  // else the dialog starts with every page
    Paper paper = {};  // the paper the dialog starts with: the poster's
    bool operator==(const PrintChoices &) const = default;
};
// For a print request: `singlePage` 1 or more ("Print this picture..." with a page selected) starts
// with that page as the current one, anything else with every page; `selectedPage` is the page
// selected in the grid, the current page otherwise. Only pages of the poster become current.
PrintChoices printChoicesFor(std::int32_t singlePage, std::int32_t selectedPage, std::int16_t pageCount);

// last - first + 1 as a 16-bit count (Overflow, 6, beyond 16 bits).
std::int16_t printPageCount(PrintRange range);

// "Are you sure you want to print the  8 pages?" (plural whatever the count), after the pages'
// leftOutText where pages are left out.
QString confirmationText(std::int16_t count, std::int32_t leftOut = 0);
// "Printing page  3/ 8" while later pages follow, else "Printing page  8": the page number as the
// sheet's hints name it, and the last page of the job. For a whole poster the last page is the
// page count, so it reads "page 3 of 8".
QString progressText(std::int16_t page, PrintRange range);

// A PDF file written without a printer: the job makes Qt's PDF writer itself, so no print server
// is asked for anything (a printer object asks for its default printer as it is made).
struct PdfFileOutput {
    QString fileName;
    Paper paper;
};

class PrintJob {
public:
    using PagePrinter = std::function<void(std::int16_t page)>;
    using Progress = std::function<void(std::int16_t page, std::int16_t count)>;
    // Draws a sheet that is not a poster page (the assembly map).
    using SheetPrinter = std::function<void()>;

    // `cancellation`, when given, is looked at before each page and before the document ends.
    explicit PrintJob(QPrinter &printer, const Cancellation *cancellation = nullptr);
    // A job writing `file` on sheets of its paper, as a printer writing a PDF file of that paper
    // writes it.
    explicit PrintJob(const PdfFileOutput &file, const Cancellation *cancellation = nullptr);
    ~PrintJob();  // a document still open is aborted
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    // Prints `pages`: for each page, progress(page, count), then printPage(page), which renders
    // the page and hands it to PrintPageImage; a new sheet between pages; the document ends after
    // the last. Pages without any page to print start no document. Any failure aborts
    // the document (nothing of it is printed, a PDF file of it is removed) and is rethrown;
    // a document that cannot be started fails with Printer error (482), a stop asked for through
    // the cancellation with User interrupt (18).
    //
    // A PDF file is written under a temporary name beside it and replaces the old file only when
    // it is whole (OutputFile): a name that cannot be written fails before the first page, and a
    // document that did not reach the disk whole fails with the system's reason (WriteError), the
    // old file untouched either way. The printer keeps its file name.
    //
    // `firstSheet`, when given, prints a sheet of its own before the pages (the assembly map);
    // with it, a job without pages prints that one sheet.
    void run(const JobPages &pages, const PagePrinter &printPage, const Progress &progress = {},
             const SheetPrinter &firstSheet = {});

    // Draws `page` on the current sheet as large as the printable area allows, never distorted,
    // at the area's top-left corner (fitUndistortedTopLeft, the rule of every printed sheet), each
    // side times the poster's `share` of that (pagePlacement: smaller on a calibrated printer or
    // for a size asked for).
    void PrintPageImage(const QImage &page, QSizeF share = QSizeF(1, 1));

    // Before run(), on a printer that takesEncodedPages: the pages come encoded (PrintEncodedPage)
    // and go into the file as they are, after the document is drawn (PagePictureSplice).
    void takeEncodedPages() { encoded_ = true; }
    // Draws `page`, encoded beforehand as Qt's engine encodes a page picture, where and as large
    // as PrintPageImage draws it; its bytes go into the file unchanged.
    void PrintEncodedPage(const EncodedPage &page, QSizeF share = QSizeF(1, 1));
    // The printable area of a sheet in the painter's device pixels.
    QRect printableArea() const;

    // Draws the assembly map on the current sheet, in the printable area.
    void PrintAssemblyMap(AssemblyMap &map);
    // Draws on the current sheet: `draw` gets the painter, the printable area in device pixels and
    // the printer's dots per inch.
    void DrawSheet(const std::function<void(QPainter &, const QRectF &, double)> &draw);

private:
    void begin();
    void end();
    void abort();
    void stopIfAsked() const;
    void restoreFileName();
    // What the pages are drawn on: the printer, or the PDF writer while a file is written.
    QPagedPaintDevice &device() const;

    QPrinter *printer_ = nullptr;
    std::optional<PdfFileOutput> file_;
    std::unique_ptr<QPdfWriter> writer_;  // while the file is written
    const Cancellation *cancellation_;
    QPainter painter_;
    std::unique_ptr<OutputFile> pdfFile_;  // while a PDF file is written
    bool encoded_ = false;
    std::unique_ptr<PagePictureSplice> splice_;  // while a PDF file of encoded pages is drawn
    QString pdfFileName_;                  // the printer's own file name, given back after the job
};

// A print job of a poster, as a front end asks for it.
struct PosterJob {
    const Poster *poster = nullptr;  // must stay as it is while the job runs
    PrintRange range;
    AssemblyMap *map = nullptr;  // when given, printed first on a sheet of its own
    PrintJob::Progress progress;  // before each page: the page and the job's page count
    // A page whose rendering gave warnings, before it is printed: the window shows them and the
    // page is printed as it came out; the tool throws, which ends the job there.
    std::function<void(std::int16_t page, const QStringList &warnings)> warnings;
    const Cancellation *cancellation = nullptr;
};

// The one print loop of the window and the tool: every page of the job's range that holds
// something of the picture (posterJobPages) rendered one page ahead on another thread and printed,
// undistorted, one sheet each (PrintJob::run). To a PDF file, the pages of a raster picture are
// rendered and encoded on every core (EncodedPages) and go into the file in order, their bytes
// those Qt's engine would have written. A page that cannot be had in memory ends the job with Out
// of memory (7) rather than print the page before again. Fails as PrintJob::run does.
void printPoster(QPrinter &printer, const PosterJob &job);
// The same job written to a PDF file without a printer (PdfFileOutput).
void printPoster(const PdfFileOutput &file, const PosterJob &job);

// Whether `printer` stores page pictures as Qt's PDF engine encodes them (a PDF file in colour),
// so that pages encoded beforehand on other threads can go into its file as they are.
bool takesEncodedPages(const QPrinter &printer);

// Qt's PDF engine keeps a failed write in the state of its output stream and writes nothing in any
// later job; a PDF printer whose job broke off gets a fresh engine with the same settings.
void renewPdfEngine(QPrinter &printer);

// Where an engine cannot abort a document itself (Qt's CUPS and PDF engines), the platform seam
// makes sure the open document comes to nothing. Returns after the painter has ended.
void abortPrinterDocument(QPrinter &printer, QPainter &painter);

}  // namespace plakatron
