// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The etched separator: a dark and a light one-pixel line side by side, read as a groove in the
// window's surface. It lays itself out horizontally when wider than high, otherwise vertically,
// and keeps itself two pixels thick.

#include "ui/Line3dModel.h"

#include <QVariantMap>
#include <QWidget>
#include <cstdint>

namespace plakatron {

class line3d : public QWidget {
    Q_OBJECT
public:
    explicit line3d(QWidget *parent = nullptr);

    // Stored and saved only: it neither disables the control nor changes its drawing.
    bool Enabled() const { return properties_.Enabled; }
    void setEnabledFlag(bool value);

    std::uint32_t Color1() const { return properties_.Color1; }
    void setColor1(std::uint32_t color);  // recolours the first (dark) line only
    std::uint32_t Color2() const { return properties_.Color2; }
    void setColor2(std::uint32_t color);  // recolours the second (light) line only
    std::uint32_t BackColor() const { return properties_.BackColor; }

    void Refresh() {}  // kept for callers that expect it: the control draws itself when needed
    void ReDraw();     // runs the layout again

    // The design's name/value bag: a new control, a control loaded from a design, saving it.
    void InitProperties();
    void ReadProperties(const QVariantMap &bag);
    void WriteProperties(QVariantMap &bag) const;

    // The two lines as the last layout left them, twips; and the colour each one is drawn in.
    const Line3dSegment &Line1(int index) const { return lines_.at(static_cast<std::size_t>(index)); }
    std::uint32_t lineColor(int index) const { return colors_.at(static_cast<std::size_t>(index)); }
    // For hosts that move the lines by other means; ReDraw() puts them back.
    void setLine1(int index, const Line3dSegment &segment);

    QSize sizeHint() const override;

Q_SIGNALS:
    // Button: 1 left, 2 right, 4 middle (pressed buttons for a move); Shift: 1 Shift, 2 Ctrl,
    // 4 Alt; X, Y in twips from the control's top-left corner.
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    // Declared for hosts written against the control's full event list; never raised.
    void Click();
    void DblClick();
    // A property the host should save has changed.
    void PropertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void applyProperties();

    Line3dProperties properties_;
    std::array<Line3dSegment, 2> lines_{};
    std::array<std::uint32_t, 2> colors_{Line3dProperties::defaultColor1, Line3dProperties::defaultColor2};
    bool linesVisible_ = true;
};

// Mouse buttons and modifier keys as the control's events number them.
int mouseButtonCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);

}  // namespace plakatron
