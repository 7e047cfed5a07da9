// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Poster.h"

#include "core/Numeric.h"
#include "core/RuntimeError.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace plakatron {

namespace {
// Most pages a print job numbers (16 bits).
constexpr int MostPages = 32767;

QString sizeWords(const PosterSize &size)
{
    return size.side == PosterSize::Side::Width ? QCoreApplication::translate("Poster", "%1 wide").arg(size.length)
                                                : QCoreApplication::translate("Poster", "%1 high").arg(size.length);
}
}  // namespace

double pagePixelHeight(double pagePixelWidth, const Paper &paper) { return checked(pagePixelWidth * pageProportion(paper)); }

void applyChoices(PosterSettings &settings, const PosterChoices &choices)
{
    // "Auto" sets the page size in the pass; a size asked for chooses its sheets at the default.
    const double width = choices.autoResolution ? DefaultPagePixelWidth : choices.pagePixelWidth;
    const double height = pagePixelHeight(width, choices.sheet.paper);
    settings.PagePixelWidth = width;
    settings.PagePixelHeight = height;
    settings.AutoResolution = choices.autoResolution;
    settings.Overlap = choices.overlap;
    settings.Sheet = choices.sheet;
    settings.AskedSize = choices.size;
}

void layOutPoster(Poster &poster, const PosterChoices &choices, LayoutSurface &surface)
{
    applyChoices(poster.settings, choices);
    RunLayoutPass(QSizeF(poster.picture.size()), choices.sheetsAcross, poster.settings, poster.grid, poster.labels,
                  surface);
    poster.labels.lbResolution = resolutionLineOf(poster);
}

QString resolutionLineOf(const Poster &poster)
{
    const PosterSettings &s = poster.settings;
    return resolutionLine(poster.grid.Printed, s.Sheet.paper, poster.picture.isVector(),
                          s.AutoResolution ? s.PagePixelWidth : 0);
}

Poster makePoster(Picture picture, const PosterChoices &choices)
{
    Poster poster;
    poster.picture = std::move(picture);
    LayoutSurface noWindow;
    layOutPoster(poster, choices, noWindow);
    return poster;
}

void remeasurePoster(Poster &poster, const PrintSheet &sheet)
{
    PosterSettings settings = poster.settings;
    settings.Sheet = sheet;
    const PrintedSize printed = printedSize(QSizeF(poster.picture.size()), settings.SheetsAcross, poster.grid.SheetsDown, settings);
    poster.settings = settings;
    poster.grid.Printed = printed;
    poster.labels.lbFinalImageWidth = sizeLabel(printed.width);
    poster.labels.lbFinalImageHeight = sizeLabel(printed.height);
    poster.labels.lbResolution = resolutionLineOf(poster);
}

QString notAPosterSizeMessage(const QString &text)
{
    return QCoreApplication::translate("Poster", "'%1' is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, "
                          "1.5m or 40in high.")
        .arg(text);
}

QString notACalibrationMessage(double ratio)
{
    return QCoreApplication::translate("Poster", "A ruler that measures %1 times its length is a misreading, not a printer: a calibration "
                          "lies between 0.8 and 1.25.")
        .arg(ratio);
}

QString choicesProblem(QSizeF pictureSize, const PosterChoices &choices)
{
    for (const double ratio : {choices.sheet.calibration.x, choices.sheet.calibration.y})
        if (!isCalibrationRatio(ratio))
            return notACalibrationMessage(ratio);
    const PosterSize &size = choices.size;
    if (size.length.isEmpty() && !size.isSet())
        return QString();  // the sheets come from the list, and the list holds only what can be laid out
    if (!(size.millimetres > 0))
        return QCoreApplication::translate("Poster", "A poster %1 cannot be printed: give a size above 0.").arg(sizeWords(size));

    PosterSettings settings;
    PageGrid grid;
    LayoutLabels labels;
    LayoutSurface noWindow;
    try {
        applyChoices(settings, choices);
        RunLayoutPass(pictureSize, choices.sheetsAcross, settings, grid, labels, noWindow);
    } catch (const RuntimeError &) {
        // Rows beyond 16 bits: far more pages than a job holds.
        return QCoreApplication::translate("Poster", "A poster %1 needs more pages than a print job holds (%2).").arg(sizeWords(size)).arg(MostPages);
    }
    const double printed = size.side == PosterSize::Side::Width ? grid.Printed.width : grid.Printed.height;
    // (Within half a millimetre: the labels' own precision.)
    if (printed < size.millimetres - 0.5) {
        // The bound reached: 40 sheets across, or 10 source pixels a sheet for narrower pictures.
        if (pictureSize.width() >= 400)
            return QCoreApplication::translate("Poster",
                                               "A poster %1 needs more than 40 sheets of %2 across, the most a poster has.")
                .arg(sizeWords(size), paperDisplayText(choices.sheet.paper));
        return QCoreApplication::translate(
                   "Poster", "The picture is too small for a poster %1: a sheet would show fewer than 10 of its pixels.")
            .arg(sizeWords(size));
    }
    if (grid.pageCount() > MostPages)
        return QCoreApplication::translate("Poster", "A poster %1 needs %2 pages, more than a print job holds (%3).")
            .arg(sizeWords(size))
            .arg(grid.pageCount())
            .arg(MostPages);
    return QString();
}

}  // namespace plakatron
