// "Additional settings": its list, its focus, what "Close" and the close box apply, and that every
// opening is a fresh dialog.
#include "support/ModalDriver.h"
#include "core/ProgramWide.h"
#include "ui/frmSettings.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace plakatron {
namespace {

using test::ModalWatchdog;
using test::whileModal;

void setOverlap(int horizontal, int vertical)
{
    programWide().HorizontalOverlap = static_cast<std::int16_t>(horizontal);
    programWide().VerticalOverlap = static_cast<std::int16_t>(vertical);
}

// Opens the dialog through its entry point and runs `step` inside it.
void openAndRun(QWidget *owner, std::function<void(frmSettings &)> step)
{
    ModalWatchdog<frmSettings> watchdog(5000, &frmSettings::current);
    whileModal<frmSettings>(0, &frmSettings::current, std::move(step));
    showSettingsDialog(owner);
}

TEST(SettingsList, FiftyOneEntriesWithTheDefaultMarked)
{
    frmSettings dialog;
    const QComboBox *list = dialog.cmbOverlab();
    ASSERT_EQ(list->count(), 51);
    EXPECT_FALSE(list->isEditable());
    const struct {
        int index;
        const char *text;
    } samples[] = {{0, "0 %"}, {1, "1 %"}, {3, "3 % *"}, {4, "4 %"}, {12, "12 %"}, {50, "50 %"}};
    for (const auto &s : samples)
        EXPECT_EQ(list->itemText(s.index), QString::fromLatin1(s.text));
}

TEST(SettingsDesign, CaptionSizeAndControls)
{
    frmSettings dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Additional settings"));
    EXPECT_EQ(dialog.size(), QSize(338, 78));
    EXPECT_EQ(dialog.Label1()->text(), QStringLiteral("Image overlap (%)  in consecutive pages:"));
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST(SettingsDesign, TakesTheOwnersIcon)
{
    QWidget owner;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    owner.setWindowIcon(QIcon(pixmap));
    frmSettings dialog(&owner);
    EXPECT_EQ(dialog.windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
}

TEST(SettingsOpening, SelectsTheCurrentOverlapOrNothing)
{
    const struct {
        int overlap;
        int selected;
    } cases[] = {{3, 3}, {0, 0}, {50, 50}, {12, 12}, {51, -1}, {-1, -1}, {200, -1}};
    for (const auto &c : cases) {
        setOverlap(c.overlap, c.overlap);
        frmSettings dialog;
        EXPECT_EQ(dialog.cmbOverlab()->currentIndex(), c.selected) << c.overlap;
    }
}

TEST(SettingsOpening, CloseHasTheFocusAndTabReachesTheList)
{
    setOverlap(3, 3);
    QWidget owner;
    owner.show();
    openAndRun(&owner, [](frmSettings &dialog) {
        EXPECT_EQ(dialog.focusWidget(), dialog.Command1());
        QTest::keyClick(dialog.Command1(), Qt::Key_Tab);
        EXPECT_EQ(dialog.focusWidget(), dialog.cmbOverlab());
        dialog.close();
    });
}

TEST(SettingsClose, AppliesTheChoiceToBothOverlaps)
{
    setOverlap(3, 3);
    QWidget owner;
    owner.show();
    openAndRun(&owner, [](frmSettings &dialog) {
        dialog.cmbOverlab()->setCurrentIndex(12);
        QTest::mouseClick(dialog.Command1(), Qt::LeftButton);
    });
    EXPECT_EQ(programWide().HorizontalOverlap, 12);
    EXPECT_EQ(programWide().VerticalOverlap, 12);
    EXPECT_EQ(frmSettings::current(), nullptr);  // unloaded
}

TEST(SettingsClose, KeysRightAfterOpeningActOnClose)
{
    // Unequal values show whether "Close" ran: it makes the vertical overlap follow.
    const struct {
        Qt::Key key;
        bool applies;
    } cases[] = {{Qt::Key_Return, true}, {Qt::Key_Enter, true}, {Qt::Key_Space, true}, {Qt::Key_Escape, false}};
    for (const auto &c : cases) {
        setOverlap(7, 5);
        openAndRun(nullptr, [key = c.key](frmSettings &dialog) {
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, key);
        });
        EXPECT_EQ(programWide().HorizontalOverlap, 7) << c.key;
        EXPECT_EQ(programWide().VerticalOverlap, c.applies ? 7 : 5) << c.key;
        EXPECT_EQ(frmSettings::current(), nullptr);
    }
}

TEST(SettingsClose, TheCloseBoxAppliesNothingAndReopeningShowsTheOldValue)
{
    setOverlap(4, 4);
    openAndRun(nullptr, [](frmSettings &dialog) {
        dialog.cmbOverlab()->setCurrentIndex(20);
        dialog.close();
    });
    EXPECT_EQ(programWide().HorizontalOverlap, 4);
    EXPECT_EQ(programWide().VerticalOverlap, 4);

    openAndRun(nullptr, [](frmSettings &dialog) {
        EXPECT_EQ(dialog.cmbOverlab()->currentIndex(), 4);
        dialog.close();
    });
}

TEST(SettingsClose, AnOutOfRangeOverlapIsKeptWhenNothingWasChosen)
{
    setOverlap(200, 200);
    openAndRun(nullptr, [](frmSettings &dialog) {
        EXPECT_EQ(dialog.cmbOverlab()->currentIndex(), -1);
        QTest::mouseClick(dialog.Command1(), Qt::LeftButton);
    });
    EXPECT_EQ(programWide().HorizontalOverlap, 200);
    EXPECT_EQ(programWide().VerticalOverlap, 200);
}

TEST(SettingsReopening, EveryOpeningIsAFreshDialogWithAFreshList)
{
    setOverlap(3, 3);
    QPointer<frmSettings> first;
    openAndRun(nullptr, [&first](frmSettings &dialog) {
        first = &dialog;
        EXPECT_EQ(dialog.cmbOverlab()->count(), 51);
        dialog.cmbOverlab()->setCurrentIndex(9);
        QTest::mouseClick(dialog.Command1(), Qt::LeftButton);
    });
    EXPECT_TRUE(first.isNull());
    openAndRun(nullptr, [](frmSettings &dialog) {
        EXPECT_EQ(dialog.cmbOverlab()->count(), 51);
        EXPECT_EQ(dialog.cmbOverlab()->currentIndex(), 9);
        dialog.close();
    });
}

}  // namespace
}  // namespace plakatron
