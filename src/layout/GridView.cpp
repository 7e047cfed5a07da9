// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/GridView.h"

#include "core/MessageBox.h"
#include "core/Numeric.h"
#include "core/RuntimeError.h"
#include "layout/Poster.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace plakatron {

namespace {
// Pen OR NOT screen: lines stay visible on any picture.
constexpr QPainter::CompositionMode MergePenNot = QPainter::RasterOp_SourceOrNotDestination;

// Widths in device pixels whatever the view's scale.
QPen pen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen p(colour, width, style);
    p.setCosmetic(true);
    return p;
}

// Blue lines from top left to bottom right every 8 pixels across `area` (in view pixels). Drawn
// as lines rather than with a pattern brush: under the raster operation a brush's transparent
// gaps would invert the picture between the lines.
void drawDownwardHatch(QPainter &p, const QRectF &area, double ratio)
{
    p.save();
    p.resetTransform();
    p.setClipRect(area);
    p.setPen(pen(QColor(0, 0, 255), ratio));
    const double h = area.height();
    for (double x = area.left() - h; x < area.right(); x += 8)
        p.drawLine(QPointF(x, area.top()), QPointF(x + h, area.top() + h));
    p.restore();
}

// Where the keyboard is: a dashed frame just inside `area` (a page's cell or the whole view), dark
// on a light band so it shows on any picture, drawn plainly (not mixed) so it never takes the
// picture's colours.
void drawFocusFrame(QPainter &p, const QRectF &area, double ratio)
{
    const QRectF frame = area.adjusted(4, 4, -4, -4);
    if (frame.width() < 2 || frame.height() < 2)
        return;
    p.save();
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(Qt::white, 3 * ratio));
    p.drawRect(frame);
    QPen dashes = pen(Qt::black, 1 * ratio, Qt::CustomDashLine);
    dashes.setDashPattern({3, 2});
    p.setPen(dashes);
    p.drawRect(frame);
    p.restore();
}

QAccessibleInterface *pictureViewAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("plakatron::GridView") || className == QLatin1String("plakatron::PreviewBox"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}
}  // namespace

bool isMenuKey(int key, Qt::KeyboardModifiers modifiers)
{
    return key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

QSize devicePixels(QSize logical, double ratio)
{
    return {qCeil(logical.width() * ratio - 1e-9), qCeil(logical.height() * ratio - 1e-9)};
}

void installViewAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(pictureViewAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

GridView::GridView(QWidget *parent) : QFrame(parent)
{
    installViewAccessibility();
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    clock_ = [] {
        static QElapsedTimer since;
        if (!since.isValid())
            since.start();
        return since.nsecsElapsed() / 1e9 + 1.0;
    };
}

void GridView::rebuild(const Picture &source, const PosterSettings &settings, PageGrid &grid)
{
    const QSize interior = interiorSize();
    grid.GridViewWidth = interior.width();
    grid.GridViewHeight = interior.height();
    source_ = source;
    settings_ = settings;
    grid_ = grid;
    drawBackground();
    update();
}

void GridView::drawBackground()
{
    const double ratio = devicePixelRatioF();
    background_ = QImage(devicePixels(QSize(CLng(grid_.GridViewWidth), CLng(grid_.GridViewHeight)), ratio),
                         QImage::Format_RGB32);
    background_.setDevicePixelRatio(ratio);
    background_.fill(Qt::white);
    composed_ = background_;

    // The same fit as the assembly map's.
    const GridFit fit = fitGrid(settings_, grid_, QSizeF(grid_.GridViewWidth, grid_.GridViewHeight));
    s_ = 1 / fit.scale;
    const int dw = fit.picture.width();
    const int dh = fit.picture.height();
    if (dw > 0 && dh > 0 && !source_.isNull()) {
        // Shrinking smoothly is slow, so it happens here once and never in a tick; on a dense
        // screen straight to the device pixels, so the picture stays sharp. A vector picture
        // that cannot be drawn leaves the view white.
        skippingErrors([&] {
            QImage shrunk = source_.scaledAsCut(QSize(qRound(dw * ratio), qRound(dh * ratio)));
            shrunk.setDevicePixelRatio(ratio);
            QPainter p(&background_);
            p.drawImage(QPoint(0, 0), shrunk);
        });
    }
    composed_ = background_;
    QPainter p(&composed_);
    DrawGrid(p, settings_, grid_);
}

void GridView::DrawGrid(QPainter &p, const PosterSettings &s, const PageGrid &g) const
{
    const double W = g.GridColumns * s.PagePixelWidth;
    const double H = g.GridRows * s.PagePixelHeight;
    p.save();
    p.scale(1 / s_, 1 / s_);
    p.setCompositionMode(MergePenNot);
    // One device pixel wide on every screen: a hairline stays sharp where the thick boxes scale.
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
        const double ratio = composed_.devicePixelRatio();
        QPainter p(&composed_);
        DrawGrid(p, s, g);
        p.scale(1 / s_, 1 / s_);
        p.setCompositionMode(MergePenNot);
        if (g.SelectedPage > 0)
            skippingErrors([&] {
                const QRectF box = selectedPageBox(g.SelectedPage, s);
                if (blinkOn_)
                    drawDownwardHatch(p, p.transform().mapRect(box), ratio);
                p.setPen(pen(QColor(0, 0, 255), 3 * ratio));
                p.setBrush(Qt::NoBrush);
                p.drawRect(box);
            });
        skippingErrors([&] {
            if (const std::optional<QRectF> box = pointerBox(pointer_, s, g)) {
                p.setPen(pen(QColor(255, 0, 0), 3 * ratio));
                p.setBrush(Qt::NoBrush);
                p.drawRect(*box);
            }
        });
        if (hasFocus())
            skippingErrors([&] {
                const QRectF area = isPosterPage(g.SelectedPage, s, g)
                                        ? p.transform().mapRect(selectedPageBox(g.SelectedPage, s))
                                        : QRectF(QPointF(0, 0), composed_.deviceIndependentSize());
                drawFocusFrame(p, area, ratio);
            });
    }
    update();
    DoEvents();
}

void GridView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    // Moved to a screen of another density: the same background, drawn for this one.
    if (s_ > 0 && !background_.isNull() && !qFuzzyCompare(background_.devicePixelRatio(), devicePixelRatioF()))
        skippingErrors([this] { drawBackground(); });
    QPainter p(this);
    if (!composed_.isNull())
        p.drawImage(contentsRect().topLeft(), composed_);
}

QPoint GridView::globalPosition(QPointF viewPoint) const
{
    const QPointF widget = QPointF(contentsRect().topLeft()) + (s_ > 0 ? viewPoint / s_ : QPointF());
    return mapToGlobal(widget.toPoint());
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

void GridView::mouseReleaseEvent(QMouseEvent *event)
{
    if (const auto p = toView(event->position()))
        Q_EMIT released(event->button(), *p, event->globalPosition().toPoint());
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (isMenuKey(event->key(), modifiers)) {
        Q_EMIT menuRequested();
        return;
    }
    if (modifiers != Qt::NoModifier) {
        QFrame::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: Q_EMIT stepped(PageStep::Left); return;
    case Qt::Key_Right: Q_EMIT stepped(PageStep::Right); return;
    case Qt::Key_Up: Q_EMIT stepped(PageStep::Up); return;
    case Qt::Key_Down: Q_EMIT stepped(PageStep::Down); return;
    case Qt::Key_Home: Q_EMIT stepped(PageStep::First); return;
    case Qt::Key_End: Q_EMIT stepped(PageStep::Last); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: Q_EMIT activated(); return;
    default: QFrame::keyPressEvent(event);
    }
}

void GridView::contextMenuEvent(QContextMenuEvent *event)
{
    // The mouse opens the menu on the right button's release; this is the keyboard's way in,
    // where the platform turns the Menu key or Shift+F10 into a request of its own.
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard)
        Q_EMIT menuRequested();
}

void GridView::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    Q_EMIT focusChanged();
}

void GridView::focusOutEvent(QFocusEvent *event)
{
    QFrame::focusOutEvent(event);
    Q_EMIT focusChanged();
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

}  // namespace plakatron
