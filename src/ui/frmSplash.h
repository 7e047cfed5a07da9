// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The splash and about window. At start-up (programWide().SplashAtStartup true) it shows for one
// second and closes itself; from the About menu entry it stays until "Close this window" is
// clicked or a key is pressed. Both roles show the product, the version and three links.

#include <QDialog>
#include <QString>

class QFont;
class QFrame;
class QPoint;
class QLabel;
class QTimer;

namespace plakatron {

class LinkLabel;

// The system the program runs on, as the window names it: "Debian GNU/Linux 12 (bookworm)",
// "Windows 11 Version 22H2"; the kernel and its version where the system has no name of its own.
QString systemName();

// Link targets, from the build configuration.
QString homepageLinkTarget();
QString galleryLinkTarget();
// "mailto:" + address + "?Subject=Sending cool poster-picture!"
QString mailLinkTarget(const QString &address);
QString mailLinkTarget();

// `caption` with every "%v" replaced by `version`.
QString fillVersion(QString caption, const QString &version);

// Where a label continuing a word-wrapped text goes, relative to the text's top-left corner: after
// the last line and a blank when `followerWidth` still fits before `maxRight`, else at the start of
// the next line.
QPoint textFollowPosition(const QString &text, const QFont &font, int wrapWidth, int followerWidth, int maxRight);

// True for the key presses that close the window: keys that type a character, Enter and Esc.
// Shift, arrows or function keys alone do not.
bool keyClosesSplash(int key, const QString &text);

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *owner = nullptr);
    ~frmSplash() override;

    // The one instance while it is loaded, else null.
    static frmSplash *current();

    bool startupRole() const { return startupRole_; }

    QTimer *tmrUnload() const { return tmrUnload_; }
    QFrame *Frame1() const { return Frame1_; }
    QLabel *lblVersion() const { return lblVersion_; }
    LinkLabel *Label2() const { return Label2_; }      // software homepage
    LinkLabel *Label5() const { return Label5_; }      // e-mail
    LinkLabel *lbGallery() const { return lbGallery_; }
    LinkLabel *Label6() const { return Label6_; }      // "Close this window"

    // Where the window goes: centred over its owner's window, else over the screen.
    void placeCentred();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildDesign();
    void Form_Load();
    void tmrUnload_Timer();
    void openLink(const QString &target);
    void unload();

    bool startupRole_ = false;
    QTimer *tmrUnload_ = nullptr;
    QWidget *client_ = nullptr;
    QFrame *Frame1_ = nullptr;
    QLabel *lblVersion_ = nullptr;
    LinkLabel *Label2_ = nullptr;
    LinkLabel *Label5_ = nullptr;
    LinkLabel *lbGallery_ = nullptr;
    LinkLabel *Label6_ = nullptr;
};

// Shows a fresh window modally over `owner` (none at start-up) in the role SplashAtStartup
// names, and returns once it has unloaded.
void showSplash(QWidget *owner);

}  // namespace plakatron
