// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preview box `picPreview`: shows one finished page drawn at (1, 1) and stretched over its
// interior, whatever the page's own proportions, so margins and hints are always in view; or,
// keeping its shape (a page of a paper shaped unlike the box), as large as fits and centred. The
// page is drawn at the screen's device pixel ratio. The box takes the keyboard focus so its
// pop-up menu can be opened without a mouse.

#include <QFrame>
#include <QImage>

namespace plakatron {

class PreviewBox : public QFrame {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget *parent = nullptr);

    QSize interiorSize() const { return contentsRect().size(); }
    void showPage(const QImage &page, bool keepShape = false);
    void clear();
    // What the box shows, its interior at the device pixel ratio (null when empty).
    const QImage &picture() const { return picture_; }

Q_SIGNALS:
    void released(Qt::MouseButton button, QPoint globalPosition);
    // The Menu key or Shift+F10.
    void menuRequested();
    // The box is now on a screen of another density: the page should be shown again.
    void resolutionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QImage picture_;
    bool resolutionChangeSent_ = false;
};

}  // namespace plakatron
