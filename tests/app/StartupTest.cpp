// The start-up sequence: class initialisation, modal splash, flag reset, then the main window.
#include "app/frmMain.h"
#include "app/modXPManifest.h"
#include "core/ProgramWide.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {
int visibleTopLevelWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->isVisible() ? 1 : 0;
    return n;
}
}  // namespace

TEST(Startup, SplashComesFirstThenTheMainWindow)
{
    bool splashShown = false;
    modXPManifest::StartupSteps steps;
    steps.showSplash = [&] {
        splashShown = true;
        EXPECT_TRUE(programWide().SplashAtStartup);
        EXPECT_EQ(mainWindow(), nullptr) << "the main window must not exist while the splash shows";
    };
    ASSERT_TRUE(modXPManifest::Main(steps));
    EXPECT_TRUE(splashShown);
    EXPECT_FALSE(programWide().SplashAtStartup);
    ASSERT_NE(mainWindow(), nullptr);
    EXPECT_TRUE(mainWindow()->isVisible());
    mainWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(mainWindow(), nullptr);
}

TEST(Startup, FailedInitialisationShowsTheErrorAndNoWindow)
{
    test::MessageCapture messages;
    bool splashShown = false;
    modXPManifest::StartupSteps steps;
    steps.initControlClasses = [] { return false; };
    steps.showSplash = [&] { splashShown = true; };
    EXPECT_FALSE(modXPManifest::Main(steps));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Initialization error!"));
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(messages.messages()[0].title, QStringLiteral("Plakatron"));
    EXPECT_FALSE(splashShown);
    EXPECT_EQ(mainWindow(), nullptr);
    EXPECT_EQ(visibleTopLevelWindows(), 0);
}

TEST(Startup, TheRealSplashClosesByItselfThenTheMainWindowOpens)
{
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(modXPManifest::Main());
    EXPECT_GE(clock.elapsed(), 900) << "the splash shows for about a second";
    ASSERT_NE(mainWindow(), nullptr);
    EXPECT_TRUE(mainWindow()->isVisible());
    mainWindow()->close();
    QApplication::processEvents();
}
