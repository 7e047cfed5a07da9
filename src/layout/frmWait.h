// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wait window shown while a page is enlarged for the preview and while a job prints: a grey
// box with one large line of text, and during a print job a "Cancel" button. One instance exists
// while it is loaded; each use after an unload starts from a fresh window with the design text.
// The window is as wide as its text needs in the font the label really gets (the design's Arial
// is not everywhere), never narrower than designed.

#include <QDialog>

class QLabel;
class QPushButton;

namespace plakatron {

class Cancellation;

class frmWait : public QDialog {
    Q_OBJECT
public:
    explicit frmWait(QWidget *owner);
    ~frmWait() override;

    QLabel *label() const { return label_; }
    // Widens the window (keeping its centre) so that `text`, and any text that differs from it only
    // in its digits, fits in the label. It never gets narrower.
    void fitText(const QString &text);
    // The label's text, the window widened first where it would not fit.
    void setText(const QString &text);
    // Offers "Cancel", also on Esc and on closing the window: either asks `cancellation` to stop.
    // The button then stays pressed down (disabled) until the job has stopped.
    void offerCancel(Cancellation &cancellation);
    // Null until offerCancel.
    QPushButton *cancelButton() const { return cancel_; }
    // Shows the window without making it modal and paints it at once.
    void showNow();
    // Unloads the window: the program-wide reference is cleared and the window deleted later.
    void unload();

    void reject() override;  // Esc

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void cancel();
    void fitSize(int labelWidth);

    QLabel *label_;
    QPushButton *cancel_ = nullptr;
    Cancellation *cancellation_ = nullptr;
};

// The program-wide instance: created on first use, owned by `owner`.
frmWait *waitWindow(QWidget *owner);
// The instance if one is loaded, else null.
frmWait *loadedWaitWindow();

}  // namespace plakatron
