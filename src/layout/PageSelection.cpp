#include "layout/PageSelection.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace plakatron {

double CeilingOf(double x)
{
    const double whole = Int(x);
    return whole == x ? whole : whole + 1;
}

double pageUnderClick(QPointF p, const PosterSettings &s)
{
    return Int(Div(p.y(), s.PagePixelHeight)) * s.SheetsAcross + Int(Div(p.x(), s.PagePixelWidth)) + 1;
}

QRectF selectedPageBox(int page, const PosterSettings &s)
{
    const std::int32_t r = CLng(CeilingOf(Div(page, s.SheetsAcross)) - 1);
    const std::int32_t k = CLng(page - r * s.SheetsAcross - 1);
    return {k * s.PagePixelWidth, r * s.PagePixelHeight, s.PagePixelWidth, s.PagePixelHeight};
}

std::optional<QRectF> pointerBox(QPointF pointer, const PosterSettings &s, const PageGrid &g)
{
    const std::int32_t kx = IntDiv(CLng(pointer.x()), CLng(s.PagePixelWidth));
    const std::int32_t ry = IntDiv(CLng(pointer.y()), CLng(s.PagePixelHeight));
    if (kx <= s.SheetsAcross - 1 && ry <= g.SheetsDown)
        return QRectF(kx * s.PagePixelWidth, ry * s.PagePixelHeight, s.PagePixelWidth, s.PagePixelHeight);
    return std::nullopt;
}

double viewScale(const PosterSettings &s, const PageGrid &g)
{
    const double pagePixelsPerViewPixel = std::max(Div(g.GridColumns * s.PagePixelWidth, g.GridViewWidth),
                                                   Div(g.GridRows * s.PagePixelHeight, g.GridViewHeight));
    return Div(1, pagePixelsPerViewPixel);
}

}  // namespace plakatron
