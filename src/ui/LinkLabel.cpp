// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LinkLabel.h"

#include <QMouseEvent>

namespace plakatron {

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release on the same label: dragging off it cancels.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

}  // namespace plakatron
