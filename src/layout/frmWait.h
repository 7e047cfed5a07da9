#pragma once
// The wait window shown while a page is enlarged for the preview and while a job prints: a grey
// box with one large line of text. One instance exists while it is loaded; each use after an
// unload starts from a fresh window with the design text.

#include <QDialog>

class QLabel;

namespace plakatron {

class frmWait : public QDialog {
    Q_OBJECT
public:
    explicit frmWait(QWidget *owner);
    ~frmWait() override;

    QLabel *label() const { return label_; }
    // Shows the window without making it modal and paints it at once.
    void showNow();
    // Unloads the window: the program-wide reference is cleared and the window deleted later.
    void unload();

private:
    QLabel *label_;
};

// The program-wide instance: created on first use, owned by `owner`.
frmWait *waitWindow(QWidget *owner);
// The instance if one is loaded, else null.
frmWait *loadedWaitWindow();

}  // namespace plakatron
