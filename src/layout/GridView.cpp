#include "layout/GridView.h"

#include "core/Numeric.h"

#include <QPainter>
#include <algorithm>

namespace plakatron {

GridView::GridView(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void GridView::rebuild(const QImage &source, const PosterSettings &settings, PageGrid &grid)
{
    const QSize interior = interiorSize();
    grid.GridViewWidth = interior.width();
    grid.GridViewHeight = interior.height();

    background_ = QImage(interior, QImage::Format_RGB32);
    background_.fill(Qt::white);

    // Page pixels per view pixel: the whole grid fits, anchored at the top left.
    const double sx = Div(grid.GridColumns * settings.PagePixelWidth, grid.GridViewWidth);
    const double sy = Div(grid.GridRows * settings.PagePixelHeight, grid.GridViewHeight);
    const double s = std::max(sx, sy);
    scale_ = 1.0 / s;
    const int dw = CLng(static_cast<float>(grid.PosterPixelWidth / s));
    const int dh = CLng(static_cast<float>(grid.PosterPixelHeight / s));
    if (dw > 0 && dh > 0 && !source.isNull()) {
        QPainter p(&background_);
        p.drawImage(QPoint(0, 0), source.scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }

    composed_ = background_;
    {
        QPainter p(&composed_);
        p.setCompositionMode(QPainter::RasterOp_SourceOrNotDestination);
        QPen pen(QColor(0, 200, 0), 0, Qt::DotLine);
        p.setPen(pen);
        p.scale(scale_, scale_);
        const double W = grid.GridColumns * settings.PagePixelWidth;
        const double H = grid.GridRows * settings.PagePixelHeight;
        for (int i = 0; i <= grid.GridColumns; ++i)
            p.drawLine(QPointF(i * settings.PagePixelWidth, 0), QPointF(i * settings.PagePixelWidth, H));
        for (int j = 0; j <= grid.GridRows; ++j)
            p.drawLine(QPointF(0, j * settings.PagePixelHeight), QPointF(W, j * settings.PagePixelHeight));
    }
    update();
}

void GridView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    if (!composed_.isNull())
        p.drawImage(contentsRect().topLeft(), composed_);
}

}  // namespace plakatron
