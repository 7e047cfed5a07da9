#include "printing/PageGeometry.h"

#include "core/NumberText.h"
#include "core/Numeric.h"

#include <algorithm>

namespace plakatron {

double pageColumns(double sheetsAcross) { return Int(sheetsAcross + 0.99); }

PagePosition pagePosition(double pageNumber, double sheetsAcross)
{
    const double columns = pageColumns(sheetsAcross);
    const std::int16_t row = CInt(Int(Div(pageNumber - 1, columns)) + 1);
    const std::int16_t column = CInt(pageNumber - (row - 1) * columns);
    return {row, column};
}

double cellWidth(double sourceWidth, double sheetsAcross) { return Int(Div(sourceWidth, sheetsAcross) + 0.99); }

double cellHeight(double sourceHeight, double sheetsDown) { return Int(Div(sourceHeight, sheetsDown) + 0.99); }

std::int16_t overlapPixels(double cell, std::int16_t percent)
{
    const std::int16_t pixels = CInt(Int(cell * percent * 0.01 + 0.99));
    return pixels < 2 ? std::int16_t{2} : pixels;
}

QRect cropSourceRect(PagePosition p, double cw, double ch, std::int16_t overlapX, std::int16_t overlapY)
{
    return QRect(CLng((p.column - 1) * cw + 1), CLng((p.row - 1) * ch + 1), CLng(cw + overlapX), CLng(ch + overlapY));
}

QString bottomHint(double pageNumber, std::int16_t row, std::int16_t gridRows, double columns)
{
    if (Int(gridRows + 0.999) > row)
        return QStringLiteral("p.") + Str(pageNumber) + QStringLiteral(" put ") + Str(pageNumber + columns)
               + QStringLiteral(" below");
    return QStringLiteral(" ");
}

QString rightHint(double pageNumber, std::int16_t column, double sheetsAcross)
{
    if (column < sheetsAcross)
        return Str(pageNumber) + QStringLiteral(" put ") + Str(pageNumber + 1) + QStringLiteral(" next");
    return QStringLiteral(" ");
}

QRectF fitUndistortedTopLeft(QSizeF picture, const QRectF &area)
{
    if (!(picture.width() > 0 && picture.height() > 0 && area.width() > 0 && area.height() > 0))
        return {area.topLeft(), QSizeF(0, 0)};
    const double scale = std::min(area.width() / picture.width(), area.height() / picture.height());
    return {area.topLeft(), picture * scale};
}

}  // namespace plakatron
