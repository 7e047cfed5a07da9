// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page grid: how a picture of a given size is blown up to a number of sheets across (a whole
// number from the list, or as many as a width or height asked for needs), how many sheets down
// that makes, the size the poster really prints at, and the size labels the main window shows.
// Plain C++ so the window, the command-line tool and the tests run the very same pass.

#include "layout/Paper.h"

#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace plakatron {

// The poster parameters as the layout and the pages see them.
struct PosterSettings {
    double SheetsAcross = 0;     // whole number 1 ... 40 from the sheets-across list, or as many as AskedSize needs
    double PagePixelWidth = 0;   // 10 ... the paper's 300 ppi, from the resolution list
    double PagePixelHeight = 0;  // PagePixelWidth x the paper's proportion (1.414 for A4 portrait)
    // "Auto" chosen: the pass sets the page size from the picture's pixels a sheet (autoPagePixelWidth).
    bool AutoResolution = false;
    std::int16_t Overlap = 0;    // percent, 0 ... 50, between neighbouring sheets in both directions
    PrintSheet Sheet = pdfSheet({});  // the paper the pages are printed on, its printable area, the printer's calibration
    PosterSize AskedSize{};      // a width or height asked for; when set, it decides the sheets across
};

// What the pages come to on paper, for the sheet they are printed on.
struct PrintedSize {
    double width = 0;   // millimetres: the picture on the assembled sheets, overlaps and hint margins off
    double height = 0;  // (to where the picture ends, as on the last column and row)
    double pagePixelsPerInch = 0;  // page pixels to an inch of the printed sheet
    double picturePixelsPerInch = 0;  // picture pixels to an inch of the printed poster, across
    QSize page;                    // the finished page in pixels, hint margins included
    // The page picture's size on the sheet as a share of the largest that fits the printable area
    // undistorted: 1 x 1 unless a size asked for makes it smaller, or a calibration changes one
    // side (so that on paper it keeps its shape), always within the printable area.
    QSizeF share{1, 1};
};

// Everything derived from the settings and the source size. SelectedPage 0 means none.
struct PageGrid {
    double SourceWidth = 0;
    double SourceHeight = 0;
    double SourceAspect = 0;
    double PosterPixelWidth = 0;
    double PosterPixelHeight = 0;
    double SheetsDown = 0;
    std::int16_t GridColumns = 0;
    std::int16_t GridRows = 0;
    double GridViewWidth = 0;
    double GridViewHeight = 0;
    std::int16_t SelectedPage = 0;
    PrintedSize Printed{};

    int pageCount() const { return GridColumns * GridRows; }
};

struct LayoutLabels {
    QString lbA4Height;          // sheets down, "0.00" in the user's locale
    QString lbFinalImageWidth;   // the printed size, e.g. "57.6cm", "1m  23.4cm"
    QString lbFinalImageHeight;
    QString lbTotalPages;        // e.g. "6"
    QString lbResolution;        // what the print will be, e.g. "103 ppi on A4, picture 37 ppi (blown up)"
};

// The window around a layout pass: the sheets-across list and the views the pass clears and
// rebuilds. The defaults do nothing, which is all the command-line tool needs.
class LayoutSurface {
public:
    virtual ~LayoutSurface() = default;
    // Writes a clamped selection back to the list; must not start another pass.
    virtual void setSheetsListIndex(int) {}
    virtual void clearPreview() {}
    virtual void rebuildGridView() {}
    virtual void repaintGridView() {}
};

inline constexpr double A4Proportion = 1.414;

// One pass of the layout over a source of `sourceSize` with `sheetsAcross` asked for (the list's
// index + 1, clamped here to the picture) or, when settings.AskedSize is set, as many sheets as
// that size needs; the page size, overlap and sheet of `settings`. Fields and labels are written
// as the pass goes; an arithmetic failure throws RuntimeError and leaves what was written so far,
// as the window's silent abandonment expects. `labels` members are only assigned when their step
// is reached.
void RunLayoutPass(QSizeF sourceSize, double sheetsAcross, PosterSettings &settings, PageGrid &grid,
                   LayoutLabels &labels, LayoutSurface &surface);

// The sheets across a size asked for needs: the fewest (each sheet showing a whole number of
// source pixels) at which the picture prints at least that large, the page then drawn a little
// smaller to make it exact. Between the most the layout allows (40 sheets across, 10 source pixels
// a sheet) and one sheet.
double sheetsAcrossFor(QSizeF sourceSize, const PosterSettings &settings);

// The poster printed on the sheet of `settings` with `sheetsAcross` and `sheetsDown`: its pages
// placed undistorted in the printable area (a calibrated printer's corrected, a size asked for
// made exact), each sheet adding its cell, the last column and row to where the picture ends.
PrintedSize printedSize(QSizeF sourceSize, double sheetsAcross, double sheetsDown, const PosterSettings &settings);

// "59.8cm", "100cm", "1m  .5cm", "3m  45.6cm".
QString physicalSizeLabel(double centimetres);
// A printed length in that form, to the nearest millimetre.
QString sizeLabel(double millimetres);

// floor(SheetsAcross + 0.99): the page columns.
double pageColumns(double sheetsAcross);
// The share of the source one page shows, in source pixels (whole numbers).
double cellWidth(double sourceWidth, double sheetsAcross);
double cellHeight(double sourceHeight, double sheetsDown);
// Where the pages are cut from the picture: each takes cellWidth x cellHeight source pixels (and
// its overlap), the first from the picture's second column and row (its first is never cut into a
// page). The cells are rounded up, so the cut can run ahead of the grid: the pages right of the
// first `columns` columns or below the first `rows` rows take nothing of the picture and would
// print white.
struct PageCut {
    QSizeF picture;                 // the picture as cut, in page pixels of the grid (cells of PagePixelWidth x PagePixelHeight)
    std::int32_t gridColumns = 0;   // the grid's columns, for the page numbers
    std::int32_t columns = 0;       // of the grid's columns and rows, those whose pages take something of the picture
    std::int32_t rows = 0;

    // True for the pages (1-based, row by row) that take something of the picture.
    bool holdsPicture(std::int32_t page) const
    {
        return page >= 1 && gridColumns > 0 && (page - 1) % gridColumns < columns && (page - 1) / gridColumns < rows;
    }
};
// The cut of a laid-out grid (RuntimeError where its arithmetic fails).
PageCut pageCut(const PosterSettings &settings, const PageGrid &grid);
// The overlap strip in source pixels: a percent of the cell *width* (for both directions), at
// least 2 pixels so that neighbouring sheets always share an edge. overlapPixels holds it in 16
// bits (Overflow beyond), as the renderer does.
double overlapWidth(double cellWidth, std::int16_t percent);
std::int16_t overlapPixels(double cellWidth, std::int16_t percent);
// Pages wider than this many pixels get white margins with the hints.
inline constexpr double HintMarginThreshold = 300;
inline constexpr int HintMargin = 20;

// The two poster lists of the main window, in order.
QStringList sheetsAcrossEntries();  // "1 page", "2 pages", "3 pages *", ... "40 pages"
// "10" ... "100", "100" ... "1400" with "800 *" (indexes 0 ... 23, the same on every paper), then
// 1600 ... 2400 by 200 and on by 400, up to the paper's 300 ppi and that width itself (A4: 2480),
// then "Auto". Stored indexes count on the order.
QStringList resolutionEntries(const Paper &paper = {});
inline constexpr int DefaultSheetsIndex = 2;
inline constexpr int DefaultResolutionIndex = 17;
inline constexpr int DefaultOverlap = 3;
inline constexpr double DefaultPagePixelWidth = 800;
inline constexpr int MostPixelsPerInch = 300;
// Pixels below this many to a printed inch show as a blown-up print.
inline constexpr double SharpPixelsPerInch = 100;
// The resolution list's last entry.
QString autoResolutionEntry();  // "Auto"
// The same in the user's language, as the window's list shows it.
QString autoResolutionDisplayEntry();
// The list index of a resolution value on `paper` (the first entry with that number), or -1.
int resolutionIndexOf(int pixels, const Paper &paper = {});
// The resolution list's selection when the paper changes from `from` to `to`: the first 24 entries
// and "Auto" stay, the paper's 300 ppi stays 300 ppi, another entry becomes the largest of the new
// list not above it. -1 stays -1 (no selection).
int resolutionIndexOnPaper(int index, const Paper &from, const Paper &to);
// Pixels across the paper's whole width (as it lies) at 300 ppi: A4 portrait 2480, A3 3508.
int mostPagePixels(const Paper &paper);
// "Auto": as many page pixels as the picture has for a sheet (`cellWidth` source pixels), at
// least the default 800 and at most the paper's 300 ppi.
double autoPagePixelWidth(double cellWidth, const Paper &paper);
// The window's line on what the print will be: the page's pixels per inch on the paper and the
// picture's own, marked where that blows the picture up (under 100 ppi). A vector picture has
// detail at any size. "2000 px: " in front for "Auto", which chose that number.
QString resolutionLine(const PrintedSize &printed, const Paper &paper, bool vectorPicture, double autoPixels = 0);
// Whether the line marks the print blown up: a raster picture under 100 ppi, as the line rounds it.
bool blownUp(const PrintedSize &printed, bool vectorPicture);

}  // namespace plakatron
