#pragma once
// The page grid: how a picture of a given size is blown up to a whole number of A4 sheets across,
// how many sheets down that makes, and the size labels the main window shows. Plain C++ so the
// window, the command-line tool and the tests run the very same pass.

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace plakatron {

// The poster parameters as the layout and the pages see them.
struct PosterSettings {
    double SheetsAcross = 0;     // whole number 1 ... 40, from the sheets-across list
    double PagePixelWidth = 0;   // 10 ... 1400, from the resolution list
    double PagePixelHeight = 0;  // PagePixelWidth x 1.414, the A4 proportion
    std::int16_t Overlap = 0;    // percent, 0 ... 50, between neighbouring sheets in both directions
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

    int pageCount() const { return GridColumns * GridRows; }
};

struct LayoutLabels {
    QString lbA4Height;          // sheets down, "0.00" in the user's locale
    QString lbFinalImageWidth;   // e.g. "59.8cm", "1m  23.4cm"
    QString lbFinalImageHeight;
    QString lbTotalPages;        // e.g. "6"
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
// index + 1, clamped here to the picture) and the page size and overlap of `settings`. Fields and
// labels are written as the pass goes; an arithmetic failure throws RuntimeError and leaves what
// was written so far, as the window's silent abandonment expects. `labels` members are only
// assigned when their step is reached.
void RunLayoutPass(QSizeF sourceSize, double sheetsAcross, PosterSettings &settings, PageGrid &grid,
                   LayoutLabels &labels, LayoutSurface &surface);

// Physical size in centimetres to the millimetre below: sheets x cmPerSheet x (98 - overlap) %.
double physicalCentimetres(double sheets, double centimetresPerSheet, std::int16_t overlap);
// "59.8cm", "100cm", "1m  .5cm", "3m  45.6cm".
QString physicalSizeLabel(double centimetres);

// The two poster lists of the main window, in order.
QStringList sheetsAcrossEntries();  // "1 page", "2 pages", "3 pages *", ... "40 pages"
QStringList resolutionEntries();    // "10" ... "100", "100" ... "1400" with "800 *"
inline constexpr int DefaultSheetsIndex = 2;
inline constexpr int DefaultResolutionIndex = 17;
inline constexpr int DefaultOverlap = 3;
// The list index of a resolution value (the first entry with that number), or -1.
int resolutionIndexOf(int pixels);

}  // namespace plakatron
