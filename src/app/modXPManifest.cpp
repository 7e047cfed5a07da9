// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/modXPManifest.h"

#include "app/frmMain.h"
#include "core/MessageBox.h"
#include "core/ProgramWide.h"

#include "ui/ProgramIcon.h"
#include "ui/frmSplash.h"

#include <QApplication>
#include <QScreen>

namespace plakatron::modXPManifest {

bool InitControlClasses()
{
    return QApplication::instance() != nullptr && QGuiApplication::primaryScreen() != nullptr;
}

void showStartupSplash() { showSplash(nullptr); }

bool Main(const StartupSteps &steps, const QString &picture, int pdfPage)
{
    if (!steps.initControlClasses()) {
        MsgBox(QStringLiteral("Initialization error!"), MsgIcon::Critical);
        return false;
    }
    // Every window and message of the program carries its icon.
    QApplication::setWindowIcon(programIcon());
    // The splash closing must not end the program before the main window exists.
    const bool quitOnClose = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);

    programWide().SplashAtStartup = true;
    steps.showSplash();
    programWide().SplashAtStartup = false;

    frmMain *window = mainWindow() ? mainWindow() : new frmMain;
    window->show();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnClose);
    if (!picture.isEmpty())
        window->UpdatePictureFile(picture, pdfPage);
    return true;
}

}  // namespace plakatron::modXPManifest
