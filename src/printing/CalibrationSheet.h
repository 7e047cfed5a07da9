// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calibration sheet: two rulers from a shared zero at the top left of the printable area, one
// across and one down, in millimetres with numbered centimetres, each as long as the area allows.
// A printer that scales a little prints them a little longer or shorter; the lengths the user
// measures, over the nominal ones, are the printer's calibration.

#include "layout/Paper.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;
class QPrinter;

namespace plakatron {

class Cancellation;
struct PdfFileOutput;

// Nominal lengths of the two rulers in millimetres, whole centimetres.
struct CalibrationRulers {
    double across = 0;
    double down = 0;
};
// The rulers on a printable area of `printableMillimetres`; RuntimeError (5) when it has no room
// for a ruler of 5 cm.
CalibrationRulers calibrationRulers(QSizeF printableMillimetres);

// Draws the sheet in the printable area `area` of a device with `dotsPerInch`, at the device's own
// scale (no correction: the sheet is what is measured). `printerName` and `paper` are named on it.
void drawCalibrationSheet(QPainter &painter, const QRectF &area, double dotsPerInch, const QString &printerName,
                          const Paper &paper);

// The calibration sheet on `printer`, or as the PDF file `file` (written without a printer), one
// sheet (fails as PrintJob::run does).
void printCalibrationSheet(QPrinter &printer, const Cancellation *cancellation = nullptr);
void printCalibrationSheet(const PdfFileOutput &file, const Cancellation *cancellation = nullptr);

// The calibration the measured lengths give, or the message why they give none (a length of 0, or
// one further from its nominal length than a printer scales).
struct MeasuredCalibration {
    Calibration calibration;
    QString problem;  // empty when the calibration holds
};
MeasuredCalibration calibrationFromMeasured(double across, double down, const CalibrationRulers &rulers);

}  // namespace plakatron
