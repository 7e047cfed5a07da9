// Clicking pages in the real main window under the offscreen platform.
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "layout/GridView.h"
#include "layout/PreviewBox.h"
#include "layout/frmWait.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

class GridPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName());
        window = std::make_unique<frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        grid = window->findChild<GridView *>(QStringLiteral("picGrid"));
        preview = window->findChild<PreviewBox *>(QStringLiteral("picPreview"));
        menu = window->findChild<QMenu *>(QStringLiteral("mnu"));
        caption = window->findChild<QLabel *>(QStringLiteral("lbPreview"));
    }
    void TearDown() override
    {
        menu->hide();
        window.reset();
    }

    // The widget position of the middle of a page cell (3 pages across by default).
    QPoint pagePoint(int page) const
    {
        const PosterSettings &s = window->poster();
        const int r = (page - 1) / int(s.SheetsAcross), k = (page - 1) % int(s.SheetsAcross);
        return pointAt((k + 0.5) * s.PagePixelWidth, (r + 0.5) * s.PagePixelHeight);
    }
    // The widget position of a point given in page pixels.
    QPoint pointAt(double x, double y) const
    {
        const double s = grid->pagePixelsPerViewPixel();
        return grid->contentsRect().topLeft() + QPoint(int(x / s), int(y / s));
    }
    void settle() { QApplication::processEvents(); }

    std::unique_ptr<frmMain> window;
    GridView *grid = nullptr;
    PreviewBox *preview = nullptr;
    QMenu *menu = nullptr;
    QLabel *caption = nullptr;
};

}  // namespace

TEST_F(GridPreviewTest, LeftClickSelectsRendersAndNamesThePage)
{
    QTest::mouseClick(grid, Qt::LeftButton, {}, pagePoint(5));
    settle();
    EXPECT_EQ(window->grid().SelectedPage, 5);
    EXPECT_EQ(caption->text(), QStringLiteral("Preview: (page  5)"));
    EXPECT_FALSE(preview->picture().isNull());
    EXPECT_EQ(window->pageCanvas().size(), QSize(820, 1151));
    EXPECT_EQ(loadedWaitWindow(), nullptr) << "the wait window is removed after rendering";
    EXPECT_FALSE(menu->isVisible());

    // The same page again: no new preview, the caption is not rewritten.
    caption->setText(QStringLiteral("untouched"));
    QTest::mouseClick(grid, Qt::LeftButton, {}, pagePoint(5));
    EXPECT_EQ(caption->text(), QStringLiteral("untouched"));
}

TEST_F(GridPreviewTest, OnlyLeftPressAndRightReleaseSelect)
{
    QTest::mousePress(grid, Qt::RightButton, {}, pagePoint(2));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, pagePoint(2));
    EXPECT_EQ(window->grid().SelectedPage, 0);

    // A right click on a new page selects it and opens the menu; on the selected page only the menu.
    QTest::mouseRelease(grid, Qt::RightButton, {}, pagePoint(4));
    EXPECT_EQ(window->grid().SelectedPage, 4);
    EXPECT_TRUE(menu->isVisible());
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Print this picture..."));
    menu->hide();
    caption->setText(QStringLiteral("untouched"));
    QTest::mouseRelease(grid, Qt::RightButton, {}, pagePoint(4));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(caption->text(), QStringLiteral("untouched"));
}

TEST_F(GridPreviewTest, ClicksOutsideTheGridSelectPagesFurtherOn)
{
    // 3 x 2 pages fill the view's height and leave a strip on the right: a click there, in the
    // first row, is page 4.
    const PosterSettings &s = window->poster();
    ASSERT_LT(3 * s.PagePixelWidth / grid->pagePixelsPerViewPixel() + 5, grid->contentsRect().width());
    QTest::mouseClick(grid, Qt::LeftButton, {}, pointAt(3.02 * s.PagePixelWidth, 10));
    EXPECT_EQ(window->grid().SelectedPage, 4);

    // 4 x 2 pages fill the width and leave a strip below: a click there is page 9, previewed
    // from outside the picture (all white but its margins' hints).
    window->findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(3);
    ASSERT_EQ(window->grid().GridRows, 2);
    QTest::mouseClick(grid, Qt::LeftButton, {}, pointAt(10, 2.05 * s.PagePixelHeight));
    EXPECT_EQ(window->grid().SelectedPage, 9);
    EXPECT_EQ(window->pageCanvas().pixel(400, 500), qRgb(255, 255, 255));
}

TEST_F(GridPreviewTest, PreviewMenuOnlyWithASelectedPage)
{
    QTest::mouseClick(preview, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_FALSE(menu->isVisible());
    QTest::mouseClick(grid, Qt::LeftButton, {}, pagePoint(1));
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(GridPreviewTest, ANewLayoutEmptiesThePreviewButKeepsTheCaption)
{
    QTest::mouseClick(grid, Qt::LeftButton, {}, pagePoint(2));
    ASSERT_FALSE(preview->picture().isNull());
    window->findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(4);
    EXPECT_EQ(window->grid().SelectedPage, 0);
    EXPECT_TRUE(preview->picture().isNull());
    EXPECT_TRUE(window->pageCanvas().isNull());
    EXPECT_EQ(caption->text(), QStringLiteral("Preview: (page  2)"));
}

TEST_F(GridPreviewTest, TickDrawsTheBlinkingBoxOverTheUnchangedBackground)
{
    double now = 100;
    grid->setClock([&] { return now; });
    const PosterSettings &s = window->poster();

    // 4 x 2 pages (1.8 sheets down) leave room below the grid; a pointer there draws no red
    // box, so the overlay is the grid alone.
    window->findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(3);
    const QImage background4 = grid->background();
    QTest::mouseMove(grid, pointAt(10, 2.05 * s.PagePixelHeight));
    const QImage gridOnly = grid->composed();

    // Select page 6 (second row, second column) without moving the pointer.
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(1.5 * s.PagePixelWidth, 1.5 * s.PagePixelHeight));
    ASSERT_EQ(window->grid().SelectedPage, 6);
    now += 0.6;
    window->tmrGrid_Timer();
    const QImage first = grid->composed();
    now += 0.3;
    window->tmrGrid_Timer();
    EXPECT_EQ(grid->composed(), first) << "no phase change within half a second";
    now += 0.3;
    window->tmrGrid_Timer();
    const QImage second = grid->composed();
    EXPECT_EQ(grid->background(), background4) << "a tick never redraws the picture";
    const double s_ = grid->pagePixelsPerViewPixel();

    // Any pixel of a small area that differs from the grid-only overlay.
    const auto differs = [&](const QImage &img, QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (img.pixel(x, y) != gridOnly.pixel(x, y))
                    return true;
        return false;
    };
    // The outline across the box's top edge is drawn in both phases.
    const QRect topEdge(int(1.5 * s.PagePixelWidth / s_), int(s.PagePixelHeight / s_) - 2, 1, 5);
    EXPECT_TRUE(differs(first, topEdge));
    EXPECT_TRUE(differs(second, topEdge));
    // Inside the box only the hatched phase differs.
    const QRect inside(int(1.3 * s.PagePixelWidth / s_), int(1.5 * s.PagePixelHeight / s_), 30, 1);
    EXPECT_NE(differs(first, inside), differs(second, inside));
    // Outside it nothing changed.
    const QRect elsewhere(int(0.2 * s.PagePixelWidth / s_), int(0.5 * s.PagePixelHeight / s_), 30, 1);
    EXPECT_FALSE(differs(first, elsewhere));
}

TEST_F(GridPreviewTest, PointerBoxFollowsThePointerOnlyOverThePoster)
{
    window->findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(3);  // 4 x 2, 1.8 down
    const QImage background = grid->background();
    const PosterSettings &s = window->poster();
    const double s_ = grid->pagePixelsPerViewPixel();
    // At start the pointer is at (0, 0): page 1 is outlined.
    window->tmrGrid_Timer();
    const QPoint page1Edge(int(0.5 * s.PagePixelWidth / s_), 1);
    EXPECT_NE(grid->composed().pixel(page1Edge), background.pixel(page1Edge));
    // Over the partly covered second row the box is drawn; below the grid (row 3 > 1.8) it is not.
    QTest::mouseMove(grid, pointAt(10, 1.9 * s.PagePixelHeight));
    EXPECT_EQ(grid->composed().pixel(page1Edge), background.pixel(page1Edge));
    const QPoint row2Edge(int(0.5 * s.PagePixelWidth / s_), int(2 * s.PagePixelHeight / s_) - 1);
    EXPECT_NE(grid->composed().pixel(row2Edge), background.pixel(row2Edge));
    QTest::mouseMove(grid, pointAt(10, 2.05 * s.PagePixelHeight));
    EXPECT_EQ(grid->composed().pixel(row2Edge), background.pixel(row2Edge));
}

TEST_F(GridPreviewTest, AClickWhosePageNumberDoesNotFitIsIgnored)
{
    QTest::mouseClick(grid, Qt::LeftButton, {}, pagePoint(2));
    // Far below the poster: page 3 x 884,000 + 1, beyond 16 bits.
    window->picGrid_MouseDown(Qt::LeftButton, QPointF(10, 1e9));
    window->picGrid_MouseUp(Qt::RightButton, QPointF(10, 1e9), QPoint(5, 5));
    EXPECT_EQ(window->grid().SelectedPage, 2);
    EXPECT_EQ(caption->text(), QStringLiteral("Preview: (page  2)"));
    EXPECT_FALSE(menu->isVisible());
}
