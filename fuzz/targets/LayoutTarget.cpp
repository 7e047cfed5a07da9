// SPDX-License-Identifier: GPL-3.0-or-later
// The window's road from a picture size and the choices (sheets or a size asked for, resolution,
// overlap, paper, a printer's calibration) to a page on the canvas: the layout pass with its clamps, the grid view's rebuild and tick, a click that selects a page, the
// page geometry and, wherever the picture is small enough to be made quickly, the rendering.
#include "FuzzTargets.h"

#include "core/MessageBox.h"
#include "core/Numeric.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "layout/GridView.h"
#include "layout/Poster.h"
#include "layout/PageSelection.h"
#include "printing/AssemblyMap.h"
#include "printing/PageGeometry.h"
#include "printing/PageRenderer.h"

#include <QPainter>
#include <cmath>
#include <cstring>
#include <optional>

namespace plakatron::fuzz {

namespace {

// Pictures up to this many pixels are made for real, and their pages rendered whatever their
// size: a page costs what the page needs, however large its crop (a line of 131072 pixels on one
// sheet has a crop of 135005 x 189269 pixels at 3 % overlap).
constexpr qint64 renderedPixels = 1 << 17;
// The grid view's size in the window.
constexpr QSize gridViewSize(440, 401);

bool isArithmetic(int number) { return number == err::Overflow || number == err::DivisionByZero; }

// The failures a layout pass may abandon itself with.
template <typename F>
bool completes(F &&pass)
{
    try {
        pass();
        return true;
    } catch (const RuntimeError &e) {
        require(isArithmetic(e.number()), "a layout step failed with an unexpected error number");
        return false;
    }
}

// The window as a layout pass sees it: the list index and the grid view.
class WindowSurface final : public LayoutSurface {
public:
    WindowSurface(int index, GridView &view, Poster &poster) : index(index), view_(view), poster_(poster) {}
    void setSheetsListIndex(int i) override { index = i; }
    void rebuildGridView() override { view_.rebuild(poster_.picture, poster_.settings, poster_.grid); }

    int index;

private:
    GridView &view_;
    Poster &poster_;
};

QImage pictureOfSize(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    return image;
}

double fromBits(quint64 bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Every number the arithmetic takes, not only those the window can produce: whatever they are,
// the rules end in a value or a RuntimeError.
void arithmeticOnly(InputReader &in)
{
    Poster poster;
    PosterSettings &settings = poster.settings;
    PageGrid &grid = poster.grid;
    const double pagePixelWidth = fromBits(in.take<quint64>());
    const QSizeF source(fromBits(in.take<quint64>()), fromBits(in.take<quint64>()));
    const auto overlap = in.take<std::int16_t>();
    const auto page = in.take<std::int16_t>();
    const QPointF click(fromBits(in.take<quint64>()), fromBits(in.take<quint64>()));
    const double sheetsAcross = in.take<std::int16_t>() + 1.0;
    grid.GridViewWidth = fromBits(in.take<quint64>());
    grid.GridViewHeight = fromBits(in.take<quint64>());
    LayoutSurface noWindow;
    completes([&] {
        applyChoices(settings, {sheetsAcross, pagePixelWidth, overlap, pdfSheet({}), {}});
        RunLayoutPass(source, sheetsAcross, settings, grid, poster.labels, noWindow);
    });
    completes([&] { pageAt(click, settings, grid); });
    completes([&] { selectedPageBox(page, settings); });
    completes([&] { pointerBox(click, settings, grid); });
    completes([&] { viewScale(settings, grid); });
    completes([&] {
        const PagePosition p = pagePosition(page, settings.SheetsAcross);
        const double cw = cellWidth(grid.SourceWidth, settings.SheetsAcross);
        const double ch = cellHeight(grid.SourceHeight, grid.SheetsDown);
        const std::int16_t ox = overlapPixels(cw, overlap);
        cropSourceRect(p, cw, ch, ox, ox);
        bottomHint(page, p.row, grid.GridRows, pageColumns(settings.SheetsAcross));
        rightHint(page, p.column, pageColumns(settings.SheetsAcross));
    });
    // The assembly map of whatever the pass left: a layout, or no map (5) or no arithmetic for it.
    try {
        AssemblyMap(poster).layout(QSizeF(fromBits(in.take<quint64>()), 3424));
    } catch (const RuntimeError &e) {
        require(e.number() == err::InvalidCall || isArithmetic(e.number()), "the assembly map failed with an unexpected error number");
    }
}

// Whether the page's overlap strip fits its 16 bits: a percent of a cell wider than 65,534
// pixels may not, and the renderer then reports an Overflow.
bool overlapFits(const PosterSettings &s, const PageGrid &g, std::int16_t percent)
{
    try {
        overlapPixels(cellWidth(g.SourceWidth, s.SheetsAcross), percent);
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

// What a complete pass promises the rest of the window. A size asked for gives fractional sheets
// across, each showing a whole number of source pixels, and the labels that size unless the
// choices were refused (`refused`: a poster larger than 40 sheets or 10 pixels a sheet allow).
void checkCompletePass(const Poster &poster, int listIndex, double sourceWidth, bool refused)
{
    const PosterSettings &s = poster.settings;
    const PageGrid &g = poster.grid;
    const LayoutLabels &labels = poster.labels;
    const bool asked = s.AskedSize.isSet();
    require(s.SheetsAcross >= 1 && s.SheetsAcross <= 40 && (asked || s.SheetsAcross == std::floor(s.SheetsAcross)),
            "sheets across not a whole number 1 ... 40");
    require(asked || listIndex == s.SheetsAcross - 1, "the list does not show the sheets across the pass used");
    require(sourceWidth < 10 || cellWidth(sourceWidth, s.SheetsAcross) >= 10, "fewer than 10 source pixels to a sheet");
    require(g.GridColumns == pageColumns(s.SheetsAcross), "the grid's columns differ from the sheets across");
    if (asked && !refused) {
        const double printed = s.AskedSize.side == PosterSize::Side::Width ? g.Printed.width : g.Printed.height;
        require(std::abs(printed - s.AskedSize.millimetres) < 0.5, "the poster does not print at the size asked for");
    }
    const QSizeF printable = s.Sheet.printable, page(g.Printed.page);
    const double fit = std::min(printable.width() / page.width(), printable.height() / page.height());
    require(g.Printed.share.width() > 0 && g.Printed.share.height() > 0
                && g.Printed.share.width() * fit * page.width() <= printable.width() * (1 + 1e-12)
                && g.Printed.share.height() * fit * page.height() <= printable.height() * (1 + 1e-12),
            "a page drawn larger than its printable area");
    require(g.GridRows >= 1, "a grid without rows");
    require(g.SelectedPage == 0, "a page stays selected after a pass");
    require(labels.lbTotalPages == QString::number(g.pageCount()), "the page count label differs from the grid");
    require(labels.lbFinalImageWidth.endsWith(QLatin1String("cm")) && labels.lbFinalImageHeight.endsWith(QLatin1String("cm")),
            "a size label without its unit");
}

// Every poster a pass lays out has its assembly map on Qt's A4 PDF sheet (2397 x 3424 map pixels
// of printable area): the grid at the top left, inside the area and above the caption.
void checkAssemblyMap(const Poster &poster)
{
    const QSizeF area(2397, 3424);
    try {
        const AssemblyMapLayout l = AssemblyMap(poster).layout(area);
        require(l.grid.topLeft() == QPointF(0, 0) && l.grid.width() <= area.width() * (1 + 1e-12) && l.grid.height() > 0,
                "the map's grid is not at the top left of the sheet, inside it");
        require(l.grid.bottom() < l.captionOrigin.y() && l.captionOrigin.y() < area.height(), "the map's caption is not under its grid");
        require(l.fit.picture.width() <= std::ceil(l.grid.width()), "the map's picture is wider than its grid");
    } catch (const RuntimeError &) {
        require(false, "a poster the window laid out has no assembly map");
    }
}

}  // namespace

void layoutTarget(QByteArrayView data)
{
    InputReader in(data);
    if (in.take<quint8>() & 0x80) {
        arithmeticOnly(in);
        return;
    }

    // A picture that loadPicture could give: at least 1 x 1, at most its pixel limit.
    const qint64 width = 1 + in.take<quint32>() % PictureLimits::maxPixels;
    const qint64 height = 1 + in.take<quint32>() % (PictureLimits::maxPixels / width);
    const int sheetsIndex = in.take<quint8>() % 40;
    const int resolutionIndex = in.take<quint8>() % 24;
    const auto overlap = static_cast<std::int16_t>(in.take<quint8>() % 51);
    const QPoint click(in.take<quint16>() % (gridViewSize.width() + 40), in.take<quint16>() % (gridViewSize.height() + 40));
    // The paper, a size asked for (0: none) and a calibration within what the window accepts.
    const QStringList papers = paperEntries();
    const Paper paper = parsePaper(papers[in.take<quint8>() % papers.size()]).value_or(Paper{});
    const quint16 askedCentimetres = in.take<quint16>();
    const auto side = in.take<quint8>() & 1 ? PosterSize::Side::Height : PosterSize::Side::Width;
    const auto ratio = [&] {
        const int b = in.take<quint8>();
        return b == 0 ? 1.0 : SmallestCalibration + (LargestCalibration - SmallestCalibration) * (b / 255.0);
    };
    PrintSheet sheet = pdfSheet(paper);
    sheet.calibration = {ratio(), ratio()};

    const bool real = width * height <= renderedPixels;
    // A picture too large to make here is laid out by its size alone.
    Poster poster;
    poster.picture = real ? pictureOfSize(int(width), int(height)) : QImage();
    const PosterSettings &settings = poster.settings;
    PageGrid &grid = poster.grid;

    // The settings dialog's overlap, cmbResox_Click's resolution and the pass the list change starts.
    GridView view;
    view.resize(gridViewSize);
    WindowSurface surface(sheetsIndex, view, poster);
    PosterChoices choices{sheetsIndex + 1.0, Val(resolutionEntries()[resolutionIndex]), overlap, sheet, {}, false};
    if (askedCentimetres > 0)
        choices.size = {side, askedCentimetres * 10.0, QString::number(askedCentimetres) + QStringLiteral("cm")};
    const bool refused = !choicesProblem(QSizeF(double(width), double(height)), choices).isEmpty();
    const bool complete = completes([&] {
        if (real) {
            layOutPoster(poster, choices, surface);
            return;
        }
        applyChoices(poster.settings, choices);
        RunLayoutPass(QSizeF(double(width), double(height)), choices.sheetsAcross, poster.settings, grid, poster.labels,
                      surface);
    });
    if (complete) {
        checkCompletePass(poster, surface.index, double(width), refused);
        checkAssemblyMap(poster);
    }

    // A click on the grid view selects the page under it: only pages of the poster, and a number
    // beyond 16 bits is ignored.
    std::optional<std::int16_t> page;
    completes([&] {
        if (const std::optional<std::int32_t> at = pageAt(QPointF(click) * view.pagePixelsPerViewPixel(), settings, grid)) {
            require(*at >= 1 && *at <= grid.pageCount(), "a click selected a page that is not on the poster");
            page = CInt(*at);
            grid.SelectedPage = *page;
        }
    });
    view.tick(settings, grid);
    if (!page)
        return;

    const bool onThePoster = complete && *page >= 1 && *page <= grid.pageCount();
    if (onThePoster) {
        const PagePosition p = pagePosition(*page, settings.SheetsAcross);
        require(p.row >= 1 && p.row <= grid.GridRows && p.column >= 1 && p.column <= grid.GridColumns,
                "a page of the poster outside its grid");
        require((p.row - 1) * grid.GridColumns + p.column == *page, "page position does not number row by row");
    }

    // RenderPreview: the page on the canvas, every failed step reported.
    if (!real)
        return;
    PageRenderer renderer(poster);
    const PageResult result = renderer.RenderPage(*page);
    if (!onThePoster)
        return;
    require(result.warnings.size() == (overlapFits(settings, grid, overlap) ? 0 : 1),
            "rendering a page of a complete layout reported a failure");
    require(result.made, "a page of a complete layout was not made");
    const int margin = settings.PagePixelWidth > HintMarginThreshold ? HintMargin : 0;
    require(renderer.pageCanvas().size()
                == QSize(CLng(settings.PagePixelWidth) + margin, CLng(settings.PagePixelHeight) + margin),
            "the page canvas is not the page size");
}

}  // namespace plakatron::fuzz
