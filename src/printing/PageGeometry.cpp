// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PageGeometry.h"

#include "core/NumberText.h"
#include "core/Numeric.h"

#include <QCoreApplication>
#include <algorithm>

namespace plakatron {

PagePosition pagePosition(double pageNumber, double sheetsAcross)
{
    const double columns = pageColumns(sheetsAcross);
    const std::int16_t row = CInt(Int(Div(pageNumber - 1, columns)) + 1);
    const std::int16_t column = CInt(pageNumber - (row - 1) * columns);
    return {row, column};
}

QRect cropSourceRect(PagePosition p, double cw, double ch, std::int16_t overlapX, std::int16_t overlapY)
{
    return QRect(CLng((p.column - 1) * cw + 1), CLng((p.row - 1) * ch + 1), CLng(cw + overlapX), CLng(ch + overlapY));
}

QString bottomHint(double pageNumber, std::int16_t row, std::int16_t gridRows, double columns)
{
    if (Int(gridRows + 0.999) > row)
        return QCoreApplication::translate("PageGeometry", "p.%1 put %2 below").arg(Str(pageNumber), Str(pageNumber + columns));
    return QStringLiteral(" ");
}

QString rightHint(double pageNumber, std::int16_t column, double columns)
{
    if (column < columns)
        return QCoreApplication::translate("PageGeometry", "%1 put %2 next").arg(Str(pageNumber), Str(pageNumber + 1));
    return QStringLiteral(" ");
}

QRectF fitUndistortedTopLeft(QSizeF picture, const QRectF &area)
{
    if (!(picture.width() > 0 && picture.height() > 0 && area.width() > 0 && area.height() > 0))
        return {area.topLeft(), QSizeF(0, 0)};
    const double scale = std::min(area.width() / picture.width(), area.height() / picture.height());
    return {area.topLeft(), picture * scale};
}

QRectF pagePlacement(QSizeF picture, const QRectF &area, QSizeF share)
{
    const QRectF fit = fitUndistortedTopLeft(picture, area);
    if (share == QSizeF(1, 1))
        return fit;
    return {fit.topLeft(), QSizeF(fit.width() * share.width(), fit.height() * share.height())};
}

}  // namespace plakatron
