// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/PreviewBox.h"

#include "layout/GridView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace plakatron {

PreviewBox::PreviewBox(QWidget *parent) : QFrame(parent)
{
    installViewAccessibility();
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PreviewBox::showPage(const QImage &page, bool keepShape)
{
    const QSize inner = interiorSize();
    const double ratio = devicePixelRatioF();
    picture_ = QImage(devicePixels(inner, ratio), QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(palette().color(QPalette::Base));
    resolutionChangeSent_ = false;
    if (!page.isNull() && !inner.isEmpty()) {
        QPainter p(&picture_);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        QRectF box(1, 1, inner.width(), inner.height());
        if (keepShape) {
            const QSizeF fitted = QSizeF(page.size()).scaled(box.size(), Qt::KeepAspectRatio);
            box = QRectF(box.center() - QPointF(fitted.width(), fitted.height()) / 2, fitted);
        }
        p.drawImage(box, page);
    }
    update();
}

void PreviewBox::clear()
{
    picture_ = QImage();
    update();
}

void PreviewBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    if (!picture_.isNull()) {
        if (!resolutionChangeSent_ && !qFuzzyCompare(picture_.devicePixelRatio(), devicePixelRatioF())) {
            // Not from inside a paint event: the owner renders the page again.
            resolutionChangeSent_ = true;
            QTimer::singleShot(0, this, &PreviewBox::resolutionChanged);
        }
        p.drawImage(contentsRect().topLeft(), picture_);
    }
    if (hasFocus()) {
        // Where the keyboard is: a dotted frame in the highlight colour just inside the border.
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(contentsRect()).adjusted(2, 2, -2, -2));
    }
}

void PreviewBox::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT released(event->button(), event->globalPosition().toPoint());
}

void PreviewBox::keyPressEvent(QKeyEvent *event)
{
    if (isMenuKey(event->key(), event->modifiers() & ~Qt::KeypadModifier))
        Q_EMIT menuRequested();
    else
        QFrame::keyPressEvent(event);
}

void PreviewBox::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard)
        Q_EMIT menuRequested();
}

}  // namespace plakatron
