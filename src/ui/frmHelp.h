// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help in a window of the program's own, for a system with no web browser to show it: the
// help pages with their pictures and style, the links between them followed in the window (Alt+Left
// and Alt+Right go back and forth), links out of them (mail, the web) given to the system. One
// window, shown again and raised when asked for again.

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace plakatron {

class frmHelp : public QDialog {
    Q_OBJECT
public:
    // The page at `page` (an absolute path), owned by `owner`.
    frmHelp(QWidget *owner, const QString &page);

    QTextBrowser *browser() const { return browser_; }

private:
    QTextBrowser *browser_;
};

// Shows `page` in the window owned by `owner`, made on first use, and returns it.
frmHelp *showHelpWindow(QWidget *owner, const QString &page);

}  // namespace plakatron
