// The two modal windows, shown as their callers show them. "Additional settings": its list, its
// focus, what "Close" and the close box apply, a fresh dialog on every opening. The splash and
// about window: its two roles, the one-second timer, keys, the version text, the links handed to
// the shell with their hand cursor.
#include "support/ModalDriver.h"
#include "core/BuildConfig.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
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

TEST(SettingsDialog, ItsListAndOnlyCloseAppliesWithEveryOpeningFreshAndCloseFocused)
{
    // Unequal overlaps show whether "Close" ran: it sets both to the choice (-1: none made). A
    // stored value outside the list (only an edited settings file gives one) selects nothing,
    // and "Close" keeps it rather than invent one. Key 0 is the title bar's close box. The rows
    // run in order, one opening each.
    const struct { int horizontal, vertical, choice, key; std::pair<int, int> after; } cases[] = {
        {7, 5, -1, Qt::Key_Return, {7, 7}}, {7, 5, -1, Qt::Key_Enter, {7, 7}},
        {4, 4, 9, Qt::Key_Space, {9, 9}},   {0, 5, 20, Qt::Key_Escape, {0, 5}},
        {50, 5, 20, 0, {50, 5}},            {51, 51, -1, Qt::Key_Space, {51, 51}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        programWide().HorizontalOverlap = static_cast<std::int16_t>(c.horizontal);
        programWide().VerticalOverlap = static_cast<std::int16_t>(c.vertical);
        showAndRun<frmSettings>(&showSettingsDialog, nullptr, 0, [&c](frmSettings &dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Additional settings"));
            EXPECT_EQ(dialog.Label1()->text(), QStringLiteral("Image overlap (%)  in consecutive pages:"));
            const QComboBox *list = dialog.cmbOverlab();
            ASSERT_EQ(list->count(), 51);  // rebuilt, never appended to
            EXPECT_FALSE(list->isEditable());
            for (const auto &[index, text] : {std::pair{0, "0 %"}, {3, "3 % *"}, {4, "4 %"}, {50, "50 %"}})
                EXPECT_EQ(list->itemText(index), QLatin1String(text));
            EXPECT_EQ(list->currentIndex(), c.horizontal <= 50 ? c.horizontal : -1);
            EXPECT_EQ(dialog.focusWidget(), dialog.Command1());
            if (c.choice >= 0)
                dialog.cmbOverlab()->setCurrentIndex(c.choice);
            if (c.key == 0)
                dialog.close();
            else
                QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key(c.key));
        });
        const std::pair<int, int> overlaps(programWide().HorizontalOverlap, programWide().VerticalOverlap);
        EXPECT_EQ(overlaps, c.after);
    }
}

// Records what the windows hand to the shell instead of starting a browser.
struct ShellCalls : QList<QUrl> {
    const modToolbox::ShellOpenHandler previous = modToolbox::installShellOpenHandler([this](const QUrl &u) {
        append(u);
        return false;  // the desktop cannot open it: the window must not care
    });
    ~ShellCalls() { modToolbox::installShellOpenHandler(previous); }
};

TEST(Splash, AtStartupItClosesItselfOnItsTimerEvenAfterALinkClick)
{
    ShellCalls shellCalls;
    programWide().SplashAtStartup = true;
    showAndRun<frmSplash>(&showSplash, nullptr, 100, [](frmSplash &window) {
        EXPECT_TRUE(window.Label6()->isHidden());  // no "Close this window" at start-up
        QTest::mouseClick(window.Label2(), Qt::LeftButton);  // handed to the shell, the timer runs on
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.tmrUnload()->interval(), 1000);
        EXPECT_TRUE(window.tmrUnload()->isActive());
    });
    programWide().SplashAtStartup = false;
}

TEST(Splash, AsAboutItFollowsItsLinksAndStaysUntilClosed)
{
    ShellCalls shellCalls;
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    // Well past the start-up second it is still there; keys that type nothing and the links leave
    // it, a press dragged off a link follows nothing. A key that types, Enter or "Close this
    // window" (no key) closes it. Every opening is fresh.
    for (const auto &[delay, key] : {std::pair{1500, Qt::Key_X}, {0, Qt::Key_Return}, {0, Qt::Key_unknown}}) {
        showAndRun<frmSplash>(&showSplash, &owner, delay, [key = key, &owner](frmSplash &window) {
            EXPECT_FALSE(window.Label6()->isHidden());
            EXPECT_EQ(window.lblVersion()->text(), QStringLiteral("Version 2.0.9"));
            const QPoint offCentre = window.frameGeometry().center() - owner.frameGeometry().center();
            EXPECT_LE(offCentre.manhattanLength(), 2);
            for (const Qt::Key typesNothing : {Qt::Key_Shift, Qt::Key_Left, Qt::Key_F5})
                QTest::keyClick(&window, typesNothing);
            for (LinkLabel *link : {window.Label2(), window.Label5(), window.lbGallery()}) {
                EXPECT_EQ(link->cursor().hotSpot(), QPoint(5, 0));  // the pointing hand
                QTest::mousePress(link, Qt::LeftButton);
                QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
                QTest::mouseClick(link, Qt::LeftButton);
            }
            EXPECT_TRUE(window.isVisible());
            if (key == Qt::Key_unknown)
                QTest::mouseClick(window.Label6(), Qt::LeftButton);
            else
                QTest::keyClick(&window, key);
        });
    }
    const QString mail =
        QStringLiteral("mailto:%1?Subject=Sending cool poster-picture!").arg(buildconfig::authorEmail);
    const QList<QUrl> links{QUrl(buildconfig::homepageUrl), QUrl(mail), QUrl(buildconfig::galleryUrl)};
    EXPECT_EQ(shellCalls, links + links + links);
}

}  // namespace
}  // namespace plakatron
