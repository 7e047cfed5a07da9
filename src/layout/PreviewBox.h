#pragma once
// The preview box `picPreview`: shows one finished page drawn at (1, 1) and stretched over its
// interior, whatever the page's own proportions, so margins and hints are always in view.

#include <QFrame>
#include <QImage>

namespace plakatron {

class PreviewBox : public QFrame {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget *parent = nullptr);

    QSize interiorSize() const { return contentsRect().size(); }
    void showPage(const QImage &page);
    void clear();
    // What the box shows, at its interior size (null when empty).
    const QImage &picture() const { return picture_; }

Q_SIGNALS:
    void released(Qt::MouseButton button, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage picture_;
};

}  // namespace plakatron
