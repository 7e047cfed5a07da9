#include "layout/GridView.h"

#include "core/MessageBox.h"
#include "core/Numeric.h"
#include "core/RuntimeError.h"
#include "layout/PageSelection.h"

#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace plakatron {

namespace {
// Pen OR NOT screen: lines stay visible on any picture.
constexpr QPainter::CompositionMode MergePenNot = QPainter::RasterOp_SourceOrNotDestination;

QPen pen(const QColor &colour, int width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen p(colour, width, style);
    p.setCosmetic(true);  // widths in screen pixels whatever the view's scale
    return p;
}

// Blue lines from top left to bottom right every 8 pixels across `area` (in view pixels). Drawn
// as lines rather than with a pattern brush: under the raster operation a brush's transparent
// gaps would invert the picture between the lines.
void drawDownwardHatch(QPainter &p, const QRectF &area)
{
    p.save();
    p.resetTransform();
    p.setClipRect(area);
    p.setPen(pen(QColor(0, 0, 255), 1));
    const double h = area.height();
    for (double x = area.left() - h; x < area.right(); x += 8)
        p.drawLine(QPointF(x, area.top()), QPointF(x + h, area.top() + h));
    p.restore();
}
}  // namespace

GridView::GridView(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setAcceptDrops(true);
    clock_ = [] {
        static QElapsedTimer since;
        if (!since.isValid())
            since.start();
        return since.nsecsElapsed() / 1e9 + 1.0;
    };
}

void GridView::rebuild(const QImage &source, const PosterSettings &settings, PageGrid &grid)
{
    const QSize interior = interiorSize();
    grid.GridViewWidth = interior.width();
    grid.GridViewHeight = interior.height();
    background_ = QImage(interior, QImage::Format_RGB32);
    background_.fill(Qt::white);
    composed_ = background_;

    const double scale = viewScale(settings, grid);
    s_ = 1 / scale;
    const std::int32_t dw = CLng(static_cast<float>(grid.PosterPixelWidth * scale));
    const std::int32_t dh = CLng(static_cast<float>(grid.PosterPixelHeight * scale));
    if (dw > 0 && dh > 0 && !source.isNull()) {
        // Shrinking smoothly is slow, so it happens here once and never in a tick.
        QPainter p(&background_);
        p.drawImage(QPoint(0, 0), source.scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    composed_ = background_;
    QPainter p(&composed_);
    DrawGrid(p, settings, grid);
    update();
}

void GridView::DrawGrid(QPainter &p, const PosterSettings &s, const PageGrid &g) const
{
    const double W = g.GridColumns * s.PagePixelWidth;
    const double H = g.GridRows * s.PagePixelHeight;
    p.save();
    p.scale(1 / s_, 1 / s_);
    p.setCompositionMode(MergePenNot);
    p.setPen(pen(QColor(0, 200, 0), 1, Qt::DotLine));
    for (int i = 0; i <= g.GridColumns; ++i) {
        const float x = static_cast<float>(i * s.PagePixelWidth);
        p.drawLine(QPointF(x, 0), QPointF(x, static_cast<float>(H)));
    }
    for (int j = 0; j <= g.GridRows; ++j) {
        const float y = static_cast<float>(j * s.PagePixelHeight);
        p.drawLine(QPointF(0, y), QPointF(static_cast<float>(W), y));
    }
    p.restore();
}

void GridView::tick(const PosterSettings &s, const PageGrid &g)
{
    const double now = clock_();
    if (now - lastBlinkTime_ > 0.5) {
        lastBlinkTime_ = now;
        blinkOn_ = !blinkOn_;
    }
    composed_ = background_;
    if (s_ > 0 && !composed_.isNull()) {
        QPainter p(&composed_);
        DrawGrid(p, s, g);
        p.scale(1 / s_, 1 / s_);
        p.setCompositionMode(MergePenNot);
        if (g.SelectedPage > 0)
            skippingErrors([&] {
                const QRectF box = selectedPageBox(g.SelectedPage, s);
                if (blinkOn_)
                    drawDownwardHatch(p, p.transform().mapRect(box));
                p.setPen(pen(QColor(0, 0, 255), 3));
                p.setBrush(Qt::NoBrush);
                p.drawRect(box);
            });
        skippingErrors([&] {
            if (const std::optional<QRectF> box = pointerBox(pointer_, s, g)) {
                p.setPen(pen(QColor(255, 0, 0), 3));
                p.setBrush(Qt::NoBrush);
                p.drawRect(*box);
            }
        });
    }
    update();
    DoEvents();
}

void GridView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    if (!composed_.isNull())
        p.drawImage(contentsRect().topLeft(), composed_);
}

std::optional<QPointF> GridView::toView(QPointF widgetPosition) const
{
    if (!contentsRect().contains(widgetPosition.toPoint()))
        return std::nullopt;
    return (widgetPosition - contentsRect().topLeft()) * s_;
}

void GridView::mouseMoveEvent(QMouseEvent *event)
{
    if (const auto p = toView(event->position())) {
        pointer_ = *p;
        Q_EMIT pointerMoved();
    }
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    if (const auto p = toView(event->position()))
        Q_EMIT pressed(event->button(), *p);
}

void GridView::dragEnterEvent(QDragEnterEvent *event) { dragMoveEvent(event); }

void GridView::dragMoveEvent(QDragMoveEvent *event)
{
    if (dragOver_ && dragOver_(*event->mimeData()) == 1) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void GridView::dropEvent(QDropEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Q_EMIT dropped(*event->mimeData());
}

void GridView::mouseReleaseEvent(QMouseEvent *event)
{
    if (const auto p = toView(event->position()))
        Q_EMIT released(event->button(), *p, event->globalPosition().toPoint());
}

}  // namespace plakatron
