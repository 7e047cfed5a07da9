// The splash and about window: its two roles, the one-second timer, keys, the version text and
// the links handed to the shell.
#include "support/ModalDriver.h"
#include "core/BuildConfig.h"
#include "core/ProgramWide.h"
#include "ui/LinkCursor.h"
#include "ui/LinkLabel.h"
#include "input/Toolbox.h"
#include "ui/frmSplash.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plakatron {
namespace {

using test::ModalWatchdog;
using test::whileModal;


// Records what the windows hand to the shell instead of starting a browser.
class ShellRecorder {
public:
    ShellRecorder()
    {
        previousOpen_ = modToolbox::installShellOpenHandler([this](const QUrl &url) {
            calls.push_back(url);
            return false;  // the desktop cannot open it: the window must not care
        });
    }
    ~ShellRecorder() { modToolbox::installShellOpenHandler(previousOpen_); }
    ShellRecorder(const ShellRecorder &) = delete;
    ShellRecorder &operator=(const ShellRecorder &) = delete;

    std::vector<QUrl> calls;

private:
    modToolbox::ShellOpenHandler previousOpen_;
};

class Splash : public testing::Test {
protected:
    void TearDown() override { programWide().SplashAtStartup = false; }
    ShellRecorder shell;
};

void showSplashWith(QWidget *owner, int delayMs, std::function<void(frmSplash &)> step)
{
    ModalWatchdog<frmSplash> watchdog(5000, &frmSplash::current);
    if (step)
        whileModal<frmSplash>(delayMs, &frmSplash::current, std::move(step));
    showSplash(owner);
}

TEST_F(Splash, AtStartupItClosesItselfAfterOneSecond)
{
    programWide().SplashAtStartup = true;
    bool looked = false;
    QElapsedTimer clock;
    clock.start();
    showSplashWith(nullptr, 100, [&looked](frmSplash &window) {
        looked = true;
        EXPECT_TRUE(window.startupRole());
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.Label6()->isHidden());  // no "Close this window" at start-up
        EXPECT_TRUE(window.tmrUnload()->isActive());
        EXPECT_EQ(window.tmrUnload()->interval(), 1000);
    });
    EXPECT_TRUE(looked);
    EXPECT_GE(clock.elapsed(), 950);  // it waited for its tick, not less
    EXPECT_EQ(frmSplash::current(), nullptr);
}

TEST_F(Splash, AsAboutItStaysUntilAKeyIsPressed)
{
    QWidget owner;
    owner.show();
    bool stillOpen = false;
    whileModal<frmSplash>(0, &frmSplash::current, [](frmSplash &window) {
        EXPECT_FALSE(window.startupRole());
        EXPECT_FALSE(window.tmrUnload()->isActive());
        EXPECT_FALSE(window.Label6()->isHidden());
        EXPECT_EQ(window.Label6()->text(), QStringLiteral("Close this window"));
    });
    // Well past the start-up second it is still there; then a key closes it.
    showSplashWith(&owner, 1500, [&stillOpen](frmSplash &window) {
        stillOpen = window.isVisible();
        QTest::keyClick(&window, Qt::Key_X);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(frmSplash::current(), nullptr);
}

TEST_F(Splash, AKeyAtStartupClosesItAtOnce)
{
    programWide().SplashAtStartup = true;
    showSplashWith(nullptr, 50, [](frmSplash &window) {
        QTest::keyClick(&window, Qt::Key_Space);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(frmSplash::current(), nullptr);
}

TEST_F(Splash, OnlyKeysThatTypeSomethingClose)
{
    const struct {
        Qt::Key key;
        bool closes;
    } cases[] = {{Qt::Key_A, true}, {Qt::Key_Escape, true}, {Qt::Key_Return, true}, {Qt::Key_Enter, true},
                 {Qt::Key_Space, true}, {Qt::Key_Backspace, true}, {Qt::Key_Shift, false}, {Qt::Key_Left, false},
        {Qt::Key_F5, false}};
    for (const auto &c : cases) {
        frmSplash window;
        window.show();
        QTest::keyClick(&window, c.key);
        EXPECT_EQ(window.isVisible(), !c.closes) << c.key;
    }
}

TEST_F(Splash, CloseThisWindowClosesTheAboutBox)
{
    showSplashWith(nullptr, 0, [](frmSplash &window) {
        QTest::mouseClick(window.Label6(), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(frmSplash::current(), nullptr);
}

TEST_F(Splash, TheVersionIsFilledInOnEveryShowing)
{
    QStringList seen;
    for (int i = 0; i < 2; ++i) {
        showSplashWith(nullptr, 0, [&seen](frmSplash &window) {
            seen << window.lblVersion()->text();
            window.close();
        });
    }
    const QString expected = QStringLiteral("Version ") + versionText();
    EXPECT_EQ(seen, (QStringList{expected, expected}));
    EXPECT_EQ(expected, QStringLiteral("Version 2.0.9"));
}

TEST_F(Splash, LinksGoToTheShellAndTheWindowStays)
{
    const struct {
        LinkLabel *(frmSplash::*label)() const;
        QString target;
    } cases[] = {
        {&frmSplash::Label2, QString::fromUtf8(buildconfig::homepageUrl)},
        {&frmSplash::Label5, QStringLiteral("mailto:") + QString::fromUtf8(buildconfig::authorEmail) +
                                 QStringLiteral("?Subject=Sending cool poster-picture!")},
        {&frmSplash::lbGallery, QString::fromUtf8(buildconfig::galleryUrl)},
    };
    frmSplash window;
    window.show();
    for (const auto &c : cases) {
        shell.calls.clear();
        QTest::mouseClick((window.*c.label)(), Qt::LeftButton);
        ASSERT_EQ(shell.calls.size(), 1u);
        EXPECT_EQ(shell.calls[0], QUrl(c.target));
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_TRUE(window.Label5()->text().startsWith(QString::fromUtf8(buildconfig::authorEmail)));
}

TEST_F(Splash, ALinkClickedAtStartupLeavesTheTimerRunning)
{
    programWide().SplashAtStartup = true;
    showSplashWith(nullptr, 100, [this](frmSplash &window) {
        QTest::mouseClick(window.Label2(), Qt::LeftButton);
        EXPECT_EQ(shell.calls.size(), 1u);
        EXPECT_TRUE(window.tmrUnload()->isActive());
        EXPECT_TRUE(window.isVisible());
    });
    EXPECT_EQ(frmSplash::current(), nullptr);  // it still went on its tick
}

TEST_F(Splash, ALinkIsOnlyFollowedWhenReleasedOverIt)
{
    frmSplash window;
    window.show();
    QTest::mousePress(window.Label2(), Qt::LeftButton);
    QTest::mouseRelease(window.Label2(), Qt::LeftButton, {}, QPoint(-20, -20));
    QTest::mouseClick(window.Label2(), Qt::RightButton);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(Splash, TheFourLinksCarryTheHandCursor)
{
    frmSplash window;
    for (QLabel *link : {static_cast<QLabel *>(window.Label2()), static_cast<QLabel *>(window.Label5()),
                         static_cast<QLabel *>(window.lbGallery()), static_cast<QLabel *>(window.Label6())}) {
        EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor) << link->objectName().toStdString();
        EXPECT_EQ(link->cursor().hotSpot(), linkCursorHotSpot);
    }
    for (QLabel *plain : window.findChildren<QLabel *>()) {
        if (qobject_cast<LinkLabel *>(plain))
            continue;
        EXPECT_FALSE(plain->testAttribute(Qt::WA_SetCursor)) << plain->objectName().toStdString();
    }
}

TEST_F(Splash, DesignAndPlacement)
{
    frmSplash window;
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ((window.windowFlags() & Qt::WindowType_Mask), Qt::Tool);  // kept out of the taskbar
    EXPECT_EQ(window.Frame1()->parentWidget()->size(), QSize(522, 359));

    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    frmSplash about(&owner);
    about.placeCentred();
    const QPoint ownerCentre = owner.frameGeometry().center();
    EXPECT_LE((about.frameGeometry().center() - ownerCentre).manhattanLength(), 2);
}

}  // namespace
}  // namespace plakatron
