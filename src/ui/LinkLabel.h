// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that reports a left click released over it, for the link texts of the about window.

#include <QLabel>

namespace plakatron {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

}  // namespace plakatron
