#include "layout/PreviewBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace plakatron {

PreviewBox::PreviewBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PreviewBox::showPage(const QImage &page)
{
    const QSize inner = interiorSize();
    picture_ = QImage(inner, QImage::Format_RGB32);
    picture_.fill(palette().color(QPalette::Base));
    if (!page.isNull() && !inner.isEmpty()) {
        QPainter p(&picture_);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(1, 1, inner.width(), inner.height()), page);
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
    if (!picture_.isNull()) {
        QPainter p(this);
        p.drawImage(contentsRect().topLeft(), picture_);
    }
}

void PreviewBox::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT released(event->button(), event->globalPosition().toPoint());
}

}  // namespace plakatron
