// Not a test: saves pictures of the settings dialog (closed and with its list open), the about box,
// the splash, the separator lines and the link cursor, so a person can look at them (run under a
// real or virtual X server):
//   xvfb-run -s "-screen 0 1280x1024x24" build/tests/ui/ui_screenshots /tmp/shots
#include "core/ProgramWide.h"
#include "ui/Design.h"
#include "ui/LinkCursor.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"
#include "ui/line3d.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace plakatron;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
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
    return ok ? 0 : 1;
}
