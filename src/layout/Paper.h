// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sheet a poster is printed on: the paper (one of the sizes offered, portrait or landscape),
// the shape it gives a page, the printable area a printer leaves on it and the printer's
// calibration; and a poster size asked for in centimetres, metres or inches. Sizes and names come
// from Qt's page sizes, not from a table of our own.

#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace plakatron {

struct Paper {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    bool operator==(const Paper &) const = default;
    // The paper every text, page and label of the program was made for.
    bool isA4Portrait() const { return *this == Paper{}; }
};

// A4, A3, A5, Letter, Legal and Tabloid, in this order.
const std::vector<QPageSize::PageSizeId> &offeredPaperSizes();
// "A4", "Letter", "Tabloid": the name captions and the command line use.
QString paperSizeName(QPageSize::PageSizeId size);
// "A4 portrait", "Letter landscape": the window's list entries and the stored form.
QString paperText(const Paper &paper);
// paperText of every offered paper: each size portrait, then landscape.
QStringList paperEntries();
// The same in the user's language, for showing: "A4 portrait", "A4 Hochformat". paperText is the
// one stored and read back, always in English.
QString paperDisplayText(const Paper &paper);
QStringList paperDisplayEntries();
// The paper `text` names: an offered size's name, alone or followed by "portrait" or "landscape",
// in any case. Nothing for anything else.
std::optional<Paper> parsePaper(const QString &text);
// Page pixel height for a width of 1: 1.414 for A4 portrait, as the program always had it; the
// paper's own height over its width otherwise.
double pageProportion(const Paper &paper);

// How much larger a printer prints than it is asked to, per direction: a ruler's measured length
// over its nominal one. 1 is none.
struct Calibration {
    double x = 1;
    double y = 1;

    bool operator==(const Calibration &) const = default;
    bool isNone() const { return x == 1 && y == 1; }
};
// A correction further from 1 than this is a misreading, not a printer.
inline constexpr double SmallestCalibration = 0.8;
inline constexpr double LargestCalibration = 1.25;
bool isCalibrationRatio(double ratio);

// The sheet the pages are printed on.
struct PrintSheet {
    Paper paper;
    QSizeF printable;  // the printable area in millimetres, as the sheet lies
    Calibration calibration;

    bool operator==(const PrintSheet &) const = default;
};
// Margins of a PDF file as Qt writes it, on every side.
inline constexpr double PdfMarginPoints = 10;
// Printer resolution the printable areas are measured in, in dots per inch (Qt's PDF files and
// high-resolution printers).
inline constexpr int PrintableAreaDotsPerInch = 1200;
// The sheet of a PDF file of this paper: its printable area inside Qt's PDF margins, in whole
// device pixels as the printer has it, without calibration.
PrintSheet pdfSheet(const Paper &paper);
// Millimetres from a printable area in device pixels at `dotsPerInch`.
QSizeF printableMillimetres(QSizeF devicePixels, double dotsPerInch);

// A poster width or height asked for instead of a number of sheets.
struct PosterSize {
    enum class Side { Width, Height };
    Side side = Side::Width;
    double millimetres = 0;  // 0: none asked for
    QString length;          // as given: "150cm", "1.5m", "40in"

    bool isSet() const { return millimetres > 0; }
    bool operator==(const PosterSize &) const = default;
};
// A length: a number ("." or "," before decimals) and one of the units mm, cm, m, in; blanks
// between them allowed. Millimetres, 0 included; nothing when it is not such a length.
std::optional<double> parseLength(const QString &text);
// A length where millimetres go without saying: "179.5", "179,5", or any length parseLength reads.
std::optional<double> parseMillimetres(const QString &text);
// A size as the window takes it: a length, before it "width" or "height" or after it "wide" or
// "high" (a width when neither). Nothing when it is not one; a size of 0 is one (refused later).
std::optional<PosterSize> parsePosterSize(const QString &text);
// "150cm", "40in high": the form parsePosterSize reads back and the settings store.
QString posterSizeText(const PosterSize &size);

}  // namespace plakatron
