// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace plakatron {
namespace {

// Shows a window through its entry point, runs `step` `delayMs` into its modal loop, and checks
// that the step found it open and that it unloaded.
template <typename Window>
void showAndRun(void (*show)(QWidget *), QWidget *owner, int delayMs, std::function<void(Window &)> step)
{
    test::ModalWatchdog<Window> watchdog(30000, &Window::current);
    const auto ran = std::make_shared<bool>(false);  // the step may come after a window that never opened
    test::whileModal<Window>(delayMs, &Window::current, [ran, step](Window &window) {
        *ran = true;
        step(window);
    });
    show(owner);
    EXPECT_TRUE(*ran) << "the window had closed before the step";
    EXPECT_EQ(Window::current(), nullptr);
}

// Unequal overlaps show whether "Close" ran: it sets both to the choice (-1: none made). A stored
// value outside the list (only an edited settings file gives one) selects nothing, and "Close"
// keeps it rather than invent one. Key 0 is the title bar's close box. One opening a row.
TEST(SettingsDialog, ItsListAndOnlyCloseAppliesWithEveryOpeningFreshAndCloseFocused)
{
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
                QTest::keyClick(dialog.focusWidget(), Qt::Key(c.key));
        });
        EXPECT_EQ((std::pair<int, int>(programWide().HorizontalOverlap, programWide().VerticalOverlap)), c.after);
    }
}

// At start-up the splash closes itself after a second, even after a link was followed; as About it
// stays, well past that second, until a key that types, Enter or "Close this window" closes it.
// Keys that type nothing and the links leave it; a press dragged off a link follows nothing. Every
// opening is fresh. The links go to the shell; the desktop failing to open them changes nothing.
TEST(Splash, AtStartupItClosesItselfAsAboutItFollowsItsLinksAndStaysUntilClosed)
{
    QList<QUrl> followed;
    const modToolbox::ShellOpenHandler previous = modToolbox::installShellOpenHandler([&followed](const QUrl &u) {
        followed << u;
        return false;
    });
    programWide().SplashAtStartup = true;
    showAndRun<frmSplash>(&showSplash, nullptr, 100, [](frmSplash &window) {
        EXPECT_TRUE(window.Label6()->isHidden());  // no "Close this window" at start-up
        QTest::mouseClick(window.Label2(), Qt::LeftButton);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.tmrUnload()->interval(), 1000);
    });
    programWide().SplashAtStartup = false;
    EXPECT_EQ(followed.size(), 1);

    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    for (const auto &[delay, key] : {std::pair{1500, Qt::Key_X}, {0, Qt::Key_Return}, {0, Qt::Key_unknown}}) {
        showAndRun<frmSplash>(&showSplash, &owner, delay, [key = key, &owner](frmSplash &window) {
            EXPECT_FALSE(window.Label6()->isHidden());
            EXPECT_EQ(window.lblVersion()->text(), QStringLiteral("Version " PLAKATRON_VERSION));
            // The system it runs on, whole, right-aligned above the version, clear of the texts on the left.
            const auto *platform = window.findChild<QLabel *>(QStringLiteral("lblPlatform"));
            EXPECT_EQ(platform->text(), systemName());
            EXPECT_FALSE(platform->text().contains(QStringLiteral("Windows XP")));
            EXPECT_GE(platform->fontMetrics().horizontalAdvance(platform->text()), 1);
            EXPECT_LE(platform->fontMetrics().horizontalAdvance(platform->text()), platform->width());
            EXPECT_EQ(platform->geometry().right(), window.lblVersion()->geometry().right());
            EXPECT_GE(platform->x(), 56);
            EXPECT_LE((window.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
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
    modToolbox::installShellOpenHandler(previous);
    const QString mail = QStringLiteral("mailto:%1?Subject=Sending cool poster-picture!").arg(buildconfig::authorEmail);
    const QList<QUrl> links{QUrl(buildconfig::homepageUrl), QUrl(mail), QUrl(buildconfig::galleryUrl)};
    EXPECT_EQ(followed.mid(1), links + links + links);
}

}  // namespace
}  // namespace plakatron
