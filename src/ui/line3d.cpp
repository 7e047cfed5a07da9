// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/line3d.h"

#include "ui/Design.h"

#include <QMouseEvent>
#include <QPainter>

namespace plakatron {

int mouseButtonCode(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

line3d::line3d(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);  // moves are reported without a pressed button too
    InitProperties();
}

void line3d::setEnabledFlag(bool value)
{
    properties_.Enabled = value;
    Q_EMIT PropertyChanged(QStringLiteral("Enabled"));
}

void line3d::setColor1(std::uint32_t color)
{
    properties_.Color1 = color;
    Q_EMIT PropertyChanged(QStringLiteral("Color1"));
    colors_[0] = color;
    update();
}

void line3d::setColor2(std::uint32_t color)
{
    properties_.Color2 = color;
    Q_EMIT PropertyChanged(QStringLiteral("Color2"));
    colors_[1] = color;
    update();
}

void line3d::setLine1(int index, const Line3dSegment &segment)
{
    lines_.at(static_cast<std::size_t>(index)) = segment;
    update();
}

void line3d::ReDraw()
{
    linesVisible_ = false;
    const Line3dLayout layout = layoutLine3d(pixelsToTwips(width()), pixelsToTwips(height()));
    // Resizing re-enters through resizeEvent; that nested pass sees the corrected size and
    // produces the same geometry, so the outer pass may simply finish.
    const QSize corrected(twipsToPixels(layout.width), twipsToPixels(layout.height));
    if (corrected != size())
        resize(corrected);
    lines_ = layout.lines;
    linesVisible_ = true;
    update();
}

void line3d::InitProperties()
{
    // A newly placed control: defaults for the three properties, the background as it is.
    const std::uint32_t backColor = properties_.BackColor;
    properties_ = Line3dProperties{};
    properties_.BackColor = backColor;
    applyProperties();
}

void line3d::ReadProperties(const QVariantMap &bag)
{
    properties_ = Line3dProperties::read(bag);
    applyProperties();
}

void line3d::WriteProperties(QVariantMap &bag) const { properties_.write(bag); }

void line3d::applyProperties()
{
    colors_ = {properties_.Color1, properties_.Color2};
    ReDraw();
}

QSize line3d::sizeHint() const { return {twipsToPixels(line3dThicknessTwips) * 8, twipsToPixels(line3dThicknessTwips)}; }

void line3d::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolveColor(properties_.BackColor, palette()));
    if (!linesVisible_)
        return;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line3dSegment &line = lines_[i];
        painter.setPen(QPen(resolveColor(colors_[i], palette()), 0));  // cosmetic: one pixel
        painter.drawLine(line.x1 / twipsPerPixel, line.y1 / twipsPerPixel, line.x2 / twipsPerPixel,
                         line.y2 / twipsPerPixel);
    }
}

void line3d::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ReDraw();
}

void line3d::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position() * twipsPerPixel;
    Q_EMIT MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
}

void line3d::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position() * twipsPerPixel;
    Q_EMIT MouseMove(mouseButtonCode(event->buttons()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
}

void line3d::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position() * twipsPerPixel;
    Q_EMIT MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()), float(at.y()));
}

void line3d::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is still a press for the host.
    mousePressEvent(event);
}

}  // namespace plakatron
