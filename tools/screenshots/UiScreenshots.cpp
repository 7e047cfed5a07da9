// SPDX-License-Identifier: GPL-3.0-or-later
// Not a test: saves pictures of the main window (a page chosen with the keyboard, at its designed
// size and grown to 1600 x 1000 and to a 3840 x 2160 screen, its pop-up menu, the File menu, the
// resolution list's tool tip; on Tabloid landscape, and on Letter at a width asked for), the
// calibration dialog, the settings dialog (closed and with its list open), the about box, the
// splash, the help window, the separator lines and the link cursor, so a person can look at them
// (run under a real or virtual X server; QT_SCALE_FACTOR=2 shows a dense screen):
//   xvfb-run -s "-screen 0 1280x1024x24" build/tools/screenshots/ui_screenshots /tmp/shots
// In the language of the locale, as the program starts (LANG=de_DE.UTF-8 for German).
// The window's settings go to a temporary folder, never the user's.
#include "app/Languages.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "ui/Design.h"
#include "ui/LinkCursor.h"
#include "input/ProgramFolders.h"
#include "ui/frmCalibrate.h"
#include "ui/frmHelp.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"
#include "ui/line3d.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <cstdio>
#include <tuple>

using namespace plakatron;

int main(int argc, char **argv)
{
    QTemporaryDir settingsFolder;
    qputenv("XDG_CONFIG_HOME", settingsFolder.path().toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    QApplication app(argc, argv);
    installTranslations(QLocale::system());
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/plakatron-shots");
    QDir().mkpath(folder);
    bool ok = true;
    const auto save = [&](const QPixmap &picture, const char *name) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        ok &= picture.save(path);
        std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    };
    const auto shown = [](QWidget &widget) -> QWidget & {
        widget.show();
        QTest::qWait(300);
        return widget;
    };
    const auto screenAround = [](const QRect &area) {
        return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    };

    {
        // The main window: page 5 selected with the keyboard and shown, the focus frame round it.
        frmMain window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        shown(window);
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            std::printf("the window did not become active: keys may go astray\n");
        auto *grid = window.findChild<QWidget *>(QStringLiteral("picGrid"));
        grid->setFocus();
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return})
            QTest::keyClick(grid, key);
        QTest::qWait(600);
        const QRect frame = window.frameGeometry();
        save(window.grab(), "main.png");
        // Grown: on a 1600 x 1000 window, and filling a 3840 x 2160 screen (at QT_SCALE_FACTOR=2
        // a dense one); then back to the designed size.
        for (const auto &[size, name] : {std::pair(QSize(1600, 1000), "main-1600x1000.png"),
                                         std::pair(QSize(3840, 2160) / window.devicePixelRatioF(), "main-3840x2160.png")}) {
            window.resize(size);
            QTest::qWait(600);
            save(window.grab(), name);
        }
        window.resize(window.minimumSize());
        QTest::qWait(300);
        QTest::keyClick(grid, Qt::Key_Menu);
        QTest::qWait(300);
        save(screenAround(frame), "main-popup.png");
        window.findChild<QMenu *>(QStringLiteral("mnu"))->hide();
        QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
        QTest::qWait(300);
        save(screenAround(frame), "main-file-menu.png");
        window.findChild<QMenu *>(QStringLiteral("mnuFile"))->hide();
        auto *resolution = window.findChild<QComboBox *>(QStringLiteral("cmbResox"));
        QCursor::setPos(resolution->mapToGlobal(QPoint(20, 12)));
        QTest::qWait(100);
        QToolTip::showText(resolution->mapToGlobal(QPoint(20, 12)), resolution->toolTip(), resolution);
        QTest::qWait(300);
        save(screenAround(frame.adjusted(0, 0, 0, frame.height() / 3)), "main-tooltip.png");  // the tip is below
        QToolTip::hideText();
        window.close();
    }

    for (const auto &[paper, size, name] : {std::tuple("Tabloid landscape", "", "main-tabloid-landscape.png"),
                                            std::tuple("Letter portrait", "150cm", "main-letter-150cm.png")}) {
        // Another paper, and a size asked for: the captions name the paper, the preview keeps the
        // page's shape.
        frmMain window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        shown(window);
        window.findChild<QComboBox *>(QStringLiteral("cmbPaper"))->setCurrentText(QLatin1String(paper));
        auto *entry = window.findChild<QLineEdit *>(QStringLiteral("txtPosterSize"));
        entry->setText(QLatin1String(size));
        Q_EMIT entry->editingFinished();
        auto *grid = window.findChild<QWidget *>(QStringLiteral("picGrid"));
        grid->setFocus();
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return})
            QTest::keyClick(grid, key);
        QTest::qWait(600);
        save(window.grab(), name);
        window.close();
    }
    {
        frmCalibrate calibrate(nullptr, QStringLiteral("Office"), 190, 270);
        save(shown(calibrate).grab(), "calibrate.png");
    }

    QWidget host;  // three separators as the main window places them, and a square one
    host.resize(783, 120);
    for (int i = 0; i < 3; ++i)
        (new line3d(&host))->setGeometry(twipsRect(240, 600 + i * 300, 11235, 30));
    (new line3d(&host))->setGeometry(twipsRect(11400, 450, 500, 500));
    save(shown(host).grab(), "line3d.png");

    programWide().HorizontalOverlap = 3;
    frmSettings settings(&host);
    save(shown(settings).grab(), "settings.png");
    settings.cmbOverlab()->showPopup();
    QTest::qWait(300);
    const QRect around = settings.frameGeometry().adjusted(-10, -200, 10, 200);  // the open list is a window
    save(QGuiApplication::primaryScreen()->grabWindow(0, around.x(), around.y(), around.width(), around.height()),
         "settings-list.png");
    settings.cmbOverlab()->hidePopup();

    programWide().SplashAtStartup = false;
    frmSplash about(&host);
    save(shown(about).grab(), "about.png");
    programWide().SplashAtStartup = true;
    frmSplash splash;
    splash.tmrUnload()->stop();  // keep it on screen for the picture
    save(shown(splash).grab(), "splash.png");
    save(QPixmap::fromImage(linkCursorImage().scaled(256, 256)), "cursor.png");
    // The help in the program's own window, as where no browser opens it.
    // (The build puts the help beside the programs in bin/.)
    const QString programs = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin")) + u'/';
    frmHelp help(&host, helpFolder(programs) + QStringLiteral("index.htm"));
    save(shown(help).grab(), "help.png");
    help.browser()->scrollToAnchor(QStringLiteral("assemble"));
    QTest::qWait(300);
    save(help.grab(), "help-assemble.png");
    return ok ? 0 : 1;
}
