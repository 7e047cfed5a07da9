#pragma once
// The grid view `picGrid`: the whole poster at a glance, the picture shrunk once per layout pass
// into a persistent background with the dotted page grid over it.

#include "layout/PageLayout.h"

#include <QFrame>
#include <QImage>

namespace plakatron {

class GridView : public QFrame {
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    // Interior size in pixels (inside the sunken border).
    QSize interiorSize() const { return contentsRect().size(); }

    // The view rebuild of a layout pass: white, the source stretched to the poster's size in view
    // pixels, the grid. Reads GridViewWidth/Height into the grid.
    void rebuild(const QImage &source, const PosterSettings &settings, PageGrid &grid);
    // View pixels per page pixel, 1 / s; 0 before the first rebuild.
    double scale() const { return scale_; }
    const QImage &background() const { return background_; }
    const QImage &composed() const { return composed_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage background_;  // white + shrunken picture, made once per layout pass
    QImage composed_;    // background with the grid drawn over it
    double scale_ = 0;
};

}  // namespace plakatron
