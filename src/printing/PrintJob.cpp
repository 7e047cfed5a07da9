// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PrintJob.h"

#include "core/Cancellation.h"
#include "core/NumberText.h"
#include "core/Numeric.h"
#include "core/OutputFile.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "printing/AssemblyMap.h"
#include "printing/EncodedPages.h"
#include "printing/PageGeometry.h"
#include "printing/PagePictureSplice.h"
#include "printing/PagesAhead.h"
#include "printing/PdfCheck.h"
#include "printing/PrinterSheet.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <utility>

namespace plakatron {

std::int16_t posterPageCount(const Poster &poster)
{
    return CInt(Int(poster.grid.SheetsDown + 0.99) * pageColumns(poster.settings.SheetsAcross));
}

PrintRange printRangeWithin(int first, int last, int pageCount)
{
    const int end = std::min(pageCount, LastNumberedPage);
    first = std::max(first, 1);
    last = std::min(last, end);
    if (first > last)
        return {1, 0};
    return {static_cast<std::int16_t>(first), static_cast<std::int16_t>(last)};
}

JobPages::JobPages(PrintRange range) : range_(range)
{
    if (range.first <= range.last) {
        first_ = range.first;
        last_ = range.last;
        count_ = printPageCount(range);
    }
}

JobPages::JobPages(PrintRange range, const PageCut &cut) : range_(range), cut_(cut)
{
    for (int page = range.first; page <= range.last; ++page) {
        if (!printed(page)) {
            ++leftOut_;
            continue;
        }
        if (!first_)
            first_ = static_cast<std::int16_t>(page);
        last_ = static_cast<std::int16_t>(page);
        ++count_;
    }
}

bool JobPages::printed(std::int32_t page) const
{
    return page >= range_.first && page <= range_.last && (!cut_ || cut_->holdsPicture(page));
}

std::int16_t JobPages::after(std::int16_t page) const
{
    for (int next = page + 1; next <= last_; ++next)
        if (printed(next))
            return static_cast<std::int16_t>(next);
    return 0;
}

JobPages posterJobPages(const Poster &poster, PrintRange range)
{
    try {
        return JobPages(range, pageCut(poster.settings, poster.grid));
    } catch (const RuntimeError &) {
        return JobPages(range);
    }
}

QString leftOutText(std::int32_t pages)
{
    return pages == 1 ? QCoreApplication::translate("PrintJob", "1 page holds nothing of the picture and is not printed.")
                      : QCoreApplication::translate("PrintJob", "%n pages hold nothing of the picture and are not printed.",
                                                    nullptr, pages);
}

QString nothingToPrintText(std::int32_t pages)
{
    return pages == 1
               ? QCoreApplication::translate("PrintJob",
                                             "The page chosen holds nothing of the picture: there is nothing to print.")
               : QCoreApplication::translate(
                     "PrintJob", "The %n pages chosen hold nothing of the picture: there is nothing to print.", nullptr,
                     pages);
}

PrintChoices printChoicesFor(std::int32_t singlePage, std::int32_t selectedPage, std::int16_t pageCount)
{
    const auto onPoster = [&](std::int32_t page) { return page >= 1 && page <= pageCount; };
    PrintChoices choices{pageCount, 0, false};
    if (onPoster(singlePage)) {
        choices.currentPage = static_cast<std::int16_t>(singlePage);
        choices.startWithCurrentPage = true;
    } else if (onPoster(selectedPage)) {
        choices.currentPage = static_cast<std::int16_t>(selectedPage);
    }
    return choices;
}

std::int16_t printPageCount(PrintRange range) { return CInt(double(range.last) - range.first + 1); }

QString confirmationText(std::int16_t count, std::int32_t leftOut)
{
    // (Str's leading blank is kept: "print the  6 pages?")
    const QString question =
        QCoreApplication::translate("PrintJob", "Are you sure you want to print the %1 pages?").arg(Str(count));
    return leftOut > 0 ? leftOutText(leftOut) + QStringLiteral("\r\n") + question : question;
}

QString progressText(std::int16_t page, PrintRange range)
{
    if (page < range.last)
        return QCoreApplication::translate("PrintJob", "Printing page %1/%2").arg(Str(page), Str(range.last));
    return QCoreApplication::translate("PrintJob", "Printing page %1").arg(Str(page));
}

PrintJob::PrintJob(QPrinter &printer, const Cancellation *cancellation) : printer_(&printer), cancellation_(cancellation) {}

PrintJob::PrintJob(const PdfFileOutput &file, const Cancellation *cancellation) : file_(file), cancellation_(cancellation) {}

PrintJob::~PrintJob() { abort(); }

QPagedPaintDevice &PrintJob::device() const
{
    if (printer_)
        return *printer_;
    if (!writer_)
        raise(err::PrinterError);
    return *writer_;
}

void PrintJob::begin()
{
    if (file_) {
        pdfFile_ = std::make_unique<OutputFile>(file_->fileName);
        if (encoded_)
            splice_ = std::make_unique<PagePictureSplice>();
        writer_ = pdfFileWriter(splice_ ? splice_->draftPath() : pdfFile_->temporaryPath(), file_->paper);
        writer_->setTitle(appTitle());
    } else {
        if (printer_->docName().isEmpty())
            printer_->setDocName(appTitle());
        if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
            pdfFile_ = std::make_unique<OutputFile>(printer_->outputFileName());
            pdfFileName_ = printer_->outputFileName();
            if (encoded_ && takesEncodedPages(*printer_))
                splice_ = std::make_unique<PagePictureSplice>();
            printer_->setOutputFileName(splice_ ? splice_->draftPath() : pdfFile_->temporaryPath());
        }
    }
    if (!painter_.begin(&device()))
        raise(err::PrinterError);
    // Pages reach the printer as a PDF stream; Qt then stores each page picture as a JPEG at
    // quality 94, which keeps photographs and the hint text sharp at a few milliseconds a page,
    // where lossless compression takes a large part of a second for a big page.
    painter_.setRenderHint(QPainter::LosslessImageRendering, false);
}

void PrintJob::end()
{
    stopIfAsked();
    const bool ended = painter_.end();
    restoreFileName();
    if (!ended)
        raise(err::PrinterError);
    if (pdfFile_ && splice_) {
        QFile draft(splice_->draftPath());
        if (!draft.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !isWholePdf(draft))
            throw pdfFile_->failure();
        draft.close();
        try {
            splice_->write(pdfFile_->temporaryPath());
        } catch (const RuntimeError &) {
            throw;
        } catch (const std::exception &) {
            // qpdf names no reason the user could act on; the system says why the file was not written.
            throw pdfFile_->failure();
        }
        splice_.reset();
    }
    if (pdfFile_) {
        QFile written(pdfFile_->temporaryPath());
        if (!written.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !isWholePdf(written))
            throw pdfFile_->failure();
        written.close();
        pdfFile_->commit();
        pdfFile_.reset();
    }
}

void PrintJob::abort()
{
    if (painter_.isActive()) {
        if (printer_)
            abortPrinterDocument(*printer_, painter_);
        else
            painter_.end();  // the file it wrote goes with the OutputFile below
    }
    restoreFileName();
    splice_.reset();
    writer_.reset();
    if (pdfFile_) {
        if (printer_)
            renewPdfEngine(*printer_);
        pdfFile_.reset();
    }
}

void PrintJob::stopIfAsked() const
{
    if (cancellation_)
        cancellation_->check();
}

void PrintJob::restoreFileName()
{
    if (!pdfFileName_.isEmpty())
        printer_->setOutputFileName(std::exchange(pdfFileName_, QString()));
}

void PrintJob::run(const JobPages &pages, const PagePrinter &printPage, const Progress &progress,
                   const SheetPrinter &firstSheet)
{
    const std::int16_t count = pages.count();
    if (count == 0 && !firstSheet)
        return;
    try {
        begin();
        if (firstSheet) {
            stopIfAsked();
            firstSheet();
            if (count > 0 && !device().newPage())
                raise(err::PrinterError);
        }
        for (std::int16_t page = pages.first(); page != 0;) {
            const std::int16_t next = pages.after(page);
            stopIfAsked();
            if (progress)
                progress(page, count);
            printPage(page);
            // A new sheet only between pages: no blank sheet after the last.
            if (next != 0 && !device().newPage())
                raise(err::PrinterError);
            page = next;
        }
        end();
    } catch (...) {
        abort();
        throw;
    }
}

void PrintJob::PrintPageImage(const QImage &page, QSizeF share)
{
    if (!painter_.isActive())
        raise(err::PrinterError);
    painter_.drawImage(pagePlacement(QSizeF(page.size()), QRectF(printableArea()), share), page);
}

void PrintJob::PrintEncodedPage(const EncodedPage &page, QSizeF share)
{
    if (!painter_.isActive() || !splice_)
        raise(err::PrinterError);
    painter_.drawImage(pagePlacement(QSizeF(page.size), QRectF(printableArea()), share), splice_->standIn(page));
}

bool takesEncodedPages(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
           && printer.colorMode() == QPrinter::Color;
}

QRect PrintJob::printableArea() const
{
    // On a printer the painter works in device pixels with (0, 0) at the top left of the
    // printable area, whose size is the printer's own width and height.
    const QPagedPaintDevice &sheets = device();
    return QRect(0, 0, sheets.width(), sheets.height());
}

void PrintJob::PrintAssemblyMap(AssemblyMap &map)
{
    DrawSheet([&](QPainter &painter, const QRectF &area, double dotsPerInch) { map.draw(painter, area, dotsPerInch); });
}

void PrintJob::DrawSheet(const std::function<void(QPainter &, const QRectF &, double)> &draw)
{
    if (!painter_.isActive())
        raise(err::PrinterError);
    draw(painter_, QRectF(printableArea()), device().logicalDpiX());
}

namespace {

void printEncodedPoster(PrintJob &sheets, const JobPages &printed, const PosterJob &job, int threads)
{
    sheets.takeEncodedPages();
    EncodedPages pages(*job.poster, printed, threads);
    sheets.run(
        printed,
        [&](std::int16_t page) {
            const EncodedPage encoded = pages.take(page);
            if (!encoded.result.warnings.isEmpty() && job.warnings)
                job.warnings(page, encoded.result.warnings);
            if (!encoded.result.made)
                raise(err::OutOfMemory);
            sheets.PrintEncodedPage(encoded, job.poster->grid.Printed.share);
        },
        job.progress,
        job.map ? PrintJob::SheetPrinter([&] {
            pages.startFirst();
            sheets.PrintAssemblyMap(*job.map);
        })
                : PrintJob::SheetPrinter());
}

// The loop itself, on the sheets of `sheets`; `encodable`: they store page pictures as Qt's PDF
// engine encodes them.
void printPosterOn(PrintJob &sheets, bool encodable, const PosterJob &job)
{
    const JobPages printed = posterJobPages(*job.poster, job.range);
    if (!job.poster->picture.isVector() && printed.count() > 1 && encodable) {
        printEncodedPoster(sheets, printed, job, printThreadsFor(*job.poster));
        return;
    }
    PagesAhead pages(*job.poster, printed);
    sheets.run(
        printed,
        [&](std::int16_t page) {
            const PagesAhead::Page ahead = pages.take(page);
            if (!ahead.result.warnings.isEmpty() && job.warnings)
                job.warnings(page, ahead.result.warnings);
            if (!ahead.result.made)
                raise(err::OutOfMemory);
            sheets.PrintPageImage(*ahead.canvas, job.poster->grid.Printed.share);
        },
        job.progress,
        job.map ? PrintJob::SheetPrinter([&] {
            // The first page renders while the map is drawn.
            pages.startFirst();
            sheets.PrintAssemblyMap(*job.map);
        })
                : PrintJob::SheetPrinter());
}

}  // namespace

void printPoster(QPrinter &printer, const PosterJob &job)
{
    PrintJob sheets(printer, job.cancellation);
    printPosterOn(sheets, takesEncodedPages(printer), job);
}

void printPoster(const PdfFileOutput &file, const PosterJob &job)
{
    PrintJob sheets(file, job.cancellation);
    printPosterOn(sheets, true, job);
}

}  // namespace plakatron
