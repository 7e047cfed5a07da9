// Not a test: saves pictures of the settings dialog, the about box, the separator lines and the
// link cursor, so a person can look at them (run under a real or virtual X server):
//   xvfb-run -s "-screen 0 1280x1024x24" build/tests/ui/ui_screenshots /tmp/shots
#include "core/ProgramWide.h"
#include "ui/Design.h"
#include "ui/LinkCursor.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"
#include "ui/line3d.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>

using namespace plakatron;

namespace {

bool save(QWidget *widget, const QString &path)
{
    widget->show();
    QTest::qWait(300);
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/plakatron-shots");
    QDir().mkpath(folder);
    bool ok = true;

    QWidget host;
    host.setWindowTitle(QStringLiteral("Plakatron V2.0.9"));
    host.resize(783, 120);
    auto *caption = new QLabel(QStringLiteral("Three separators as the main window places them"), &host);
    caption->move(16, 8);
    for (int i = 0; i < 3; ++i) {
        auto *line = new line3d(&host);
        line->setGeometry(twipsRect(240, 600 + i * 300, 11235, 30));
    }
    auto *vertical = new line3d(&host);
    vertical->setGeometry(twipsRect(11400, 450, 500, 500));
    ok &= save(&host, folder + QStringLiteral("/line3d.png"));
    ok &= host.grab(QRect(0, 30, 120, 70)).scaled(480, 280).save(folder + QStringLiteral("/line3d-zoom.png"));

    programWide().HorizontalOverlap = 3;
    frmSettings settings(&host);
    ok &= save(&settings, folder + QStringLiteral("/settings.png"));
    settings.cmbOverlab()->showPopup();
    QTest::qWait(300);
    // The open list is a window of its own: take it from the screen.
    const QRect around = settings.frameGeometry().adjusted(-10, -200, 10, 200);
    ok &= QGuiApplication::primaryScreen()->grabWindow(0, around.x(), around.y(), around.width(), around.height())
              .save(folder + QStringLiteral("/settings-list.png"));
    settings.cmbOverlab()->hidePopup();

    programWide().SplashAtStartup = false;
    frmSplash about(&host);
    ok &= save(&about, folder + QStringLiteral("/about.png"));

    programWide().SplashAtStartup = true;
    frmSplash splash;
    splash.tmrUnload()->stop();  // keep it on screen for the picture
    ok &= save(&splash, folder + QStringLiteral("/splash.png"));

    ok &= linkCursorImage().scaled(256, 256).save(folder + QStringLiteral("/cursor.png"));
    return ok ? 0 : 1;
}
