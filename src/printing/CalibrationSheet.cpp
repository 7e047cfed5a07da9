// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/CalibrationSheet.h"

#include "core/RuntimeError.h"
#include "layout/Poster.h"
#include "printing/PrintJob.h"
#include "printing/PrinterSheet.h"
#include "printing/PrinterSettings.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace plakatron {

namespace {
constexpr double MillimetresPerInch = 25.4;
// The rulers' zero this far inside the printable area, on both sides.
constexpr double InsetMillimetres = 8;
constexpr double ShortestRuler = 50;
constexpr double LineMillimetres = 0.2;
}  // namespace

CalibrationRulers calibrationRulers(QSizeF printable)
{
    const auto ruler = [](double room) { return std::floor((room - 2 * InsetMillimetres) / 10) * 10; };
    const CalibrationRulers rulers{ruler(printable.width()), ruler(printable.height())};
    if (!(rulers.across >= ShortestRuler && rulers.down >= ShortestRuler))
        raise(err::InvalidCall, QCoreApplication::translate("CalibrationSheet", "The printable area of the sheet is too small for the calibration rulers."));
    return rulers;
}

void drawCalibrationSheet(QPainter &p, const QRectF &area, double dotsPerInch, const QString &printerName, const Paper &paper)
{
    const double perMillimetre = dotsPerInch / MillimetresPerInch;
    const CalibrationRulers rulers = calibrationRulers(area.size() / perMillimetre);
    const auto at = [&](double x, double y) {
        return area.topLeft() + QPointF(InsetMillimetres + x, InsetMillimetres + y) * perMillimetre;
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, LineMillimetres * perMillimetre);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    QFont numbers(QStringLiteral("DejaVu Sans"));
    numbers.setStyleHint(QFont::SansSerif);
    numbers.setPointSizeF(7);
    p.setFont(numbers);

    // Millimetre ticks, longer every 5 mm, longest and numbered every centimetre; numbers below
    // the ruler across and to the right of the ruler down.
    const auto tick = [](int mm) { return mm % 10 == 0 ? 5.0 : mm % 5 == 0 ? 3.5 : 2.0; };
    p.drawLine(at(0, 0), at(rulers.across, 0));
    for (int mm = 0; mm <= rulers.across; ++mm) {
        p.drawLine(at(mm, 0), at(mm, tick(mm)));
        if (mm % 10 == 0 && mm > 0)
            p.drawText(QRectF(at(mm - 5, 6), at(mm + 5, 10)), Qt::AlignHCenter | Qt::AlignTop, QString::number(mm / 10));
    }
    p.drawLine(at(0, 0), at(0, rulers.down));
    for (int mm = 0; mm <= rulers.down; ++mm) {
        p.drawLine(at(0, mm), at(tick(mm), mm));
        if (mm % 10 == 0 && mm > 0)
            p.drawText(QRectF(at(6, mm - 2), at(16, mm + 2)), Qt::AlignLeft | Qt::AlignVCenter, QString::number(mm / 10));
    }

    QFont text = numbers;
    text.setPointSizeF(10);
    p.setFont(text);
    const QString lines =
        QCoreApplication::translate("CalibrationSheet", "Calibration sheet for %1, %2\n\n"
                       "Measure each ruler from 0 to its last mark, to the half millimetre,\n"
                       "and type the two lengths where the program asks for them.\n\n"
                       "Across: %3 mm as sent to the printer\nDown: %4 mm as sent to the printer")
            .arg(printerName, paperDisplayText(paper))
            .arg(rulers.across)
            .arg(rulers.down);
    p.drawText(QRectF(at(25, 25), at(rulers.across, rulers.down)), Qt::AlignLeft | Qt::AlignTop, lines);
    p.restore();
}

namespace {
void printSheet(PrintJob &job, const QString &deviceName, const Paper &paper)
{
    job.run(PrintRange{1, 0}, {}, {}, [&] {
        job.DrawSheet([&](QPainter &painter, const QRectF &area, double dotsPerInch) {
            drawCalibrationSheet(painter, area, dotsPerInch, deviceName, paper);
        });
    });
}
}  // namespace

void printCalibrationSheet(QPrinter &printer, const Cancellation *cancellation)
{
    PrintJob job(printer, cancellation);
    printSheet(job, deviceNameOf(printer), paperOf(printer).value_or(Paper{}));
}

void printCalibrationSheet(const PdfFileOutput &file, const Cancellation *cancellation)
{
    PrintJob job(file, cancellation);
    printSheet(job, QString::fromLatin1(PrintToFileDeviceName), file.paper);
}

MeasuredCalibration calibrationFromMeasured(double across, double down, const CalibrationRulers &rulers)
{
    const Calibration c{across / rulers.across, down / rulers.down};
    for (const double ratio : {c.x, c.y})
        if (!isCalibrationRatio(ratio))
            return {{}, notACalibrationMessage(ratio)};
    return {c, QString()};
}

}  // namespace plakatron
