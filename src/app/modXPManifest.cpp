#include "app/modXPManifest.h"

#include "app/frmMain.h"
#include "core/MessageBox.h"
#include "core/ProgramWide.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace plakatron::modXPManifest {

bool InitControlClasses()
{
    return QApplication::instance() != nullptr && QGuiApplication::primaryScreen() != nullptr;
}

namespace {
// A plain splash: the product name for one second, or until a key is pressed.
class StartupSplash final : public QDialog {
public:
    StartupSplash() : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    {
        auto *layout = new QVBoxLayout(this);
        auto *name = new QLabel(appTitle() + QStringLiteral("\nVersion ") + versionText(), this);
        name->setAlignment(Qt::AlignCenter);
        QFont f = name->font();
        f.setPointSize(24);
        f.setBold(true);
        name->setFont(f);
        layout->addWidget(name);
        resize(360, 200);
        QTimer::singleShot(1000, this, &QDialog::accept);
    }

protected:
    void keyPressEvent(QKeyEvent *) override { accept(); }
};
}  // namespace

void showStartupSplash()
{
    StartupSplash splash;
    splash.exec();
}

bool Main(const StartupSteps &steps)
{
    if (!steps.initControlClasses()) {
        MsgBox(QStringLiteral("Initialization error!"), MsgIcon::Critical);
        return false;
    }
    // The splash closing must not end the program before the main window exists.
    const bool quitOnClose = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);

    programWide().SplashAtStartup = true;
    steps.showSplash();
    programWide().SplashAtStartup = false;

    frmMain *window = mainWindow() ? mainWindow() : new frmMain;
    window->show();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnClose);
    return true;
}

}  // namespace plakatron::modXPManifest
