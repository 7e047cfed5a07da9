// The two modal windows, shown as their callers show them. "Additional settings": its list, its
// focus, what "Close" and the close box apply, a fresh dialog on every opening. The splash and
// about window: its two roles, the one-second timer, keys, the version text, the links handed to
// the shell with their hand cursor.
#include "support/ModalDriver.h"
#include "core/BuildConfig.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "ui/LinkCursor.h"
#include "ui/LinkLabel.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plakatron {
namespace {

// Shows a window through its entry point, runs `step` `delayMs` into its modal loop, and checks
// that the step found it open and that it unloaded.
template <typename Window>
void showAndRun(void (*show)(QWidget *), QWidget *owner, int delayMs, std::function<void(Window &)> step)
{
    test::ModalWatchdog<Window> watchdog(5000, &Window::current);
    const auto ran = std::make_shared<bool>(false);
    test::whileModal<Window>(delayMs, &Window::current, [ran, step](Window &window) {
        *ran = true;
        step(window);
    });
    show(owner);
    EXPECT_TRUE(*ran) << "the window had closed before the step";
    EXPECT_EQ(Window::current(), nullptr);
}

void openSettings(std::function<void(frmSettings &)> step) { showAndRun(&showSettingsDialog, nullptr, 0, std::move(step)); }

void setOverlap(int horizontal, int vertical)
{
    programWide().HorizontalOverlap = static_cast<std::int16_t>(horizontal);
    programWide().VerticalOverlap = static_cast<std::int16_t>(vertical);
}

std::pair<int, int> overlaps() { return {programWide().HorizontalOverlap, programWide().VerticalOverlap}; }

TEST(SettingsDialog, DesignAndAListOfFiftyOneThatSelectsTheCurrentOverlap)
{
    // A stored value outside the list (only an edited settings file gives one) selects nothing.
    for (const auto &[overlap, selected] : {std::pair{3, 3}, {0, 0}, {50, 50}, {51, -1}, {-1, -1}}) {
        setOverlap(overlap, overlap);
        EXPECT_EQ(frmSettings().cmbOverlab()->currentIndex(), selected) << overlap;
    }
    QWidget owner;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    owner.setWindowIcon(QIcon(red));
    frmSettings dialog(&owner);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Additional settings"));
    EXPECT_EQ(dialog.size(), QSize(338, 78));
    EXPECT_EQ(dialog.Label1()->text(), QStringLiteral("Image overlap (%)  in consecutive pages:"));
    EXPECT_EQ(dialog.windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    const QComboBox *list = dialog.cmbOverlab();
    ASSERT_EQ(list->count(), 51);
    EXPECT_FALSE(list->isEditable());
    for (const auto &[index, text] : {std::pair{0, "0 %"}, {3, "3 % *"}, {4, "4 %"}, {12, "12 %"}, {50, "50 %"}})
        EXPECT_EQ(list->itemText(index), QLatin1String(text));
}

TEST(SettingsDialog, CloseHasTheFocusSoKeysRightAfterOpeningActOnIt)
{
    // Unequal values show whether "Close" ran: it makes the vertical overlap follow.
    for (const auto &[key, applies] : {std::pair{Qt::Key_Return, true}, {Qt::Key_Enter, true},
                                       {Qt::Key_Space, true}, {Qt::Key_Escape, false}}) {
        setOverlap(7, 5);
        openSettings([key = key](frmSettings &dialog) {
            EXPECT_EQ(dialog.focusWidget(), dialog.Command1());
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, key);
        });
        EXPECT_EQ(overlaps(), std::pair(7, applies ? 7 : 5)) << key;
    }
    openSettings([](frmSettings &dialog) {
        QTest::keyClick(dialog.Command1(), Qt::Key_Tab);
        EXPECT_EQ(dialog.focusWidget(), dialog.cmbOverlab());
        dialog.close();
    });
}

TEST(SettingsDialog, OnlyCloseAppliesAndEveryOpeningIsFresh)
{
    setOverlap(4, 4);
    openSettings([](frmSettings &dialog) {
        dialog.cmbOverlab()->setCurrentIndex(20);
        dialog.close();  // the title bar's close box
    });
    EXPECT_EQ(overlaps(), std::pair(4, 4));
    // Choose 9 and "Close"; the next opening shows 9, and "Close" without a choice keeps it.
    for (const int choice : {9, -1}) {
        openSettings([choice](frmSettings &dialog) {
            EXPECT_EQ(dialog.cmbOverlab()->count(), 51);  // rebuilt, never appended to
            EXPECT_EQ(dialog.cmbOverlab()->currentIndex(), programWide().HorizontalOverlap);
            if (choice >= 0)
                dialog.cmbOverlab()->setCurrentIndex(choice);
            QTest::mouseClick(dialog.Command1(), Qt::LeftButton);
        });
        EXPECT_EQ(overlaps(), std::pair(9, 9));
    }
    // Nothing selected for an out-of-range value: "Close" keeps it rather than invent one.
    setOverlap(200, 200);
    openSettings([](frmSettings &dialog) { QTest::mouseClick(dialog.Command1(), Qt::LeftButton); });
    EXPECT_EQ(overlaps(), std::pair(200, 200));
}

// Records what the window hands to the shell instead of starting a browser.
class Splash : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = modToolbox::installShellOpenHandler([this](const QUrl &url) {
            shellCalls.push_back(url);
            return false;  // the desktop cannot open it: the window must not care
        });
    }
    void TearDown() override
    {
        modToolbox::installShellOpenHandler(previous_);
        programWide().SplashAtStartup = false;
    }
    std::vector<QUrl> shellCalls;

private:
    modToolbox::ShellOpenHandler previous_;
};

TEST_F(Splash, AtStartupItClosesItselfOnItsTimerEvenAfterALinkClick)
{
    programWide().SplashAtStartup = true;
    showAndRun<frmSplash>(&showSplash, nullptr, 100, [this](frmSplash &window) {
        EXPECT_TRUE(window.Label6()->isHidden());  // no "Close this window" at start-up
        QTest::mouseClick(window.Label2(), Qt::LeftButton);
        EXPECT_EQ(shellCalls.size(), 1u);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.tmrUnload()->interval(), 1000);
        EXPECT_TRUE(window.tmrUnload()->isActive());
    });
}

TEST_F(Splash, AsAboutItStaysUntilClosedAndShowsTheVersionEveryTime)
{
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    // Well past the start-up second it is still there; keys that type nothing leave it, a key
    // that does closes it; the next time "Close this window" does.
    for (const int delay : {1500, 0}) {
        showAndRun<frmSplash>(&showSplash, &owner, delay, [delay, &owner](frmSplash &window) {
            EXPECT_TRUE(window.isVisible());
            EXPECT_FALSE(window.Label6()->isHidden());
            EXPECT_EQ(window.lblVersion()->text(), QStringLiteral("Version 2.0.9"));
            EXPECT_LE((window.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
            for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Left, Qt::Key_F5})
                QTest::keyClick(&window, key);
            EXPECT_TRUE(window.isVisible());
            if (delay > 0)
                QTest::keyClick(&window, Qt::Key_X);
            else
                QTest::mouseClick(window.Label6(), Qt::LeftButton);
        });
    }
    EXPECT_EQ(fillVersion(QStringLiteral("%v/%v %V"), QStringLiteral("2.0.9")), QStringLiteral("2.0.9/2.0.9 %V"));
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        frmSplash window;
        window.show();
        QTest::keyClick(&window, key);
        EXPECT_FALSE(window.isVisible()) << key;
    }
}

TEST_F(Splash, LinksCarryTheHandAndGoToTheShellWhileTheWindowStays)
{
    frmSplash window;
    window.show();
    const std::pair<LinkLabel *, QString> links[] = {
        {window.Label2(), QString::fromUtf8(buildconfig::homepageUrl)},
        {window.Label5(), QStringLiteral("mailto:") + QString::fromUtf8(buildconfig::authorEmail) +
                              QStringLiteral("?Subject=Sending cool poster-picture!")},
        {window.lbGallery(), QString::fromUtf8(buildconfig::galleryUrl)},
        {window.Label6(), QString()},  // closes the about box instead
    };
    for (const auto &[label, target] : links) {
        EXPECT_EQ(std::pair(label->cursor().shape(), label->cursor().hotSpot()), std::pair(Qt::BitmapCursor, QPoint(5, 0)));
        if (target.isEmpty())
            continue;
        shellCalls.clear();
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_EQ(shellCalls, std::vector<QUrl>{QUrl(target)});
        EXPECT_TRUE(window.isVisible());
    }
    for (const QLabel *plain : window.findChildren<QLabel *>())  // the rest keep the default pointer
        EXPECT_TRUE(qobject_cast<const LinkLabel *>(plain) || !plain->testAttribute(Qt::WA_SetCursor));
    const QImage hand = linkCursorImage();  // 32 x 32, the hot spot on its black fingertip
    EXPECT_EQ(std::tuple(hand.size(), hand.pixel(5, 0), qAlpha(hand.pixel(4, 0))),
              std::tuple(QSize(32, 32), qRgba(0, 0, 0, 255), 0));
    // A press dragged off the link follows nothing.
    shellCalls.clear();
    QTest::mousePress(window.Label2(), Qt::LeftButton);
    QTest::mouseRelease(window.Label2(), Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_TRUE(shellCalls.empty());
}

}  // namespace
}  // namespace plakatron
