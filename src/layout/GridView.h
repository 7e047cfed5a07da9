// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid view `picGrid`: the whole poster at a glance. A persistent background (the picture
// shrunk once per layout pass) and an overlay rebuilt from state alone on every tick: the dotted
// page grid, the selected page in blinking blue, the page under the pointer in red and, while the
// view has the keyboard focus, a frame round the selected page (round the view while none is).
// Both are drawn at the screen's device pixel ratio; positions stay in logical pixels.

#include "imaging/Picture.h"
#include "layout/PageLayout.h"
#include "layout/PageSelection.h"

#include <QFrame>
#include <QImage>
#include <functional>
#include <optional>

class QMimeData;
class QPainter;

namespace plakatron {

class GridView : public QFrame {
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    // Interior size in logical pixels (inside the sunken border).
    QSize interiorSize() const { return contentsRect().size(); }

    // The view rebuild of a layout pass: reads GridViewWidth/Height into the grid, fits the grid
    // into the view, shrinks the picture into the background and draws the grid over it. The view
    // keeps what it was given, so it can draw the same background again for another screen.
    void rebuild(const Picture &source, const PosterSettings &settings, PageGrid &grid);

    // One tick: blink phase, overlay from the background, grid, selected box, pointer box, focus
    // frame. Every statement that fails (as while the page size is still 0) is skipped.
    void tick(const PosterSettings &settings, const PageGrid &grid);
    void DrawGrid(QPainter &painter, const PosterSettings &settings, const PageGrid &grid) const;

    // Page pixels per view pixel; 0 before the first rebuild.
    double pagePixelsPerViewPixel() const { return s_; }
    QPointF pointer() const { return pointer_; }
    bool blinkOn() const { return blinkOn_; }
    const QImage &background() const { return background_; }
    const QImage &composed() const { return composed_; }

    // A point in view coordinates (page pixels) on the screen.
    QPoint globalPosition(QPointF viewPoint) const;

    // Seconds on a steady clock; replaceable so a test can step the blink.
    void setClock(std::function<double()> clock) { clock_ = std::move(clock); }

    // Decides what a drag of these data may do over the view: 1 copy, 0 none.
    void setDragOverHandler(std::function<int(const QMimeData &)> handler) { dragOver_ = std::move(handler); }

Q_SIGNALS:
    void pointerMoved();
    void dropped(const QMimeData &data);
    void pressed(Qt::MouseButton button, QPointF position);
    void released(Qt::MouseButton button, QPointF position, QPoint globalPosition);
    // Keys: arrows, Home and End; Enter or Space; the Menu key or Shift+F10.
    void stepped(plakatron::PageStep step);
    void activated();
    void menuRequested();
    void focusChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // A pointer position in page pixels, or nothing on the border.
    std::optional<QPointF> toView(QPointF widgetPosition) const;
    // Background and grid at the widget's present device pixel ratio, from the kept inputs.
    void drawBackground();

    Picture source_;           // what the last rebuild was given (shared, not copied)
    PosterSettings settings_;
    PageGrid grid_;
    QImage background_;        // white + shrunken picture, made once per layout pass
    QImage composed_;          // background + overlay of the last tick
    double s_ = 0;
    QPointF pointer_;
    bool blinkOn_ = false;
    double lastBlinkTime_ = 0;
    std::function<double()> clock_;
    std::function<int(const QMimeData &)> dragOver_;
};

// Key events a picture view takes for its pop-up menu: the Menu key and Shift+F10.
bool isMenuKey(int key, Qt::KeyboardModifiers modifiers);

// Pixels of a logical size at a device pixel ratio, rounded up so nothing is cut.
QSize devicePixels(QSize logical, double ratio);

// Screen readers get the grid view and the preview as pictures (a plain frame would be skipped).
void installViewAccessibility();

}  // namespace plakatron
