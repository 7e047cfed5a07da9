// The small rules under the windows: twips, colours, the link cursor, the splash's text rules.
#include "ui/Design.h"
#include "ui/LinkCursor.h"
#include "ui/SystemColor.h"
#include "ui/frmSplash.h"

#include <QFontMetrics>
#include <QPixmap>
#include <gtest/gtest.h>

namespace plakatron {
namespace {

TEST(Twips, DesignValuesBecomeWholePixels)
{
    const struct {
        int twips;
        int pixels;
    } cases[] = {{0, 0}, {7, 0}, {8, 1}, {15, 1}, {30, 2}, {500, 33}, {750, 50}, {810, 54}, {11235, 749}, {-15, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(twipsToPixels(c.twips), c.pixels) << c.twips << " twips";
}

TEST(Twips, WindowsAreCentredOverTheirArea)
{
    EXPECT_EQ(centredTopLeft(QRect(100, 50, 800, 600), QSize(528, 365)), QPoint(236, 167));
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 1280, 1024), QSize(338, 78)), QPoint(471, 473));
    // A window larger than its owner still centres (and so reaches past the owner's edges).
    EXPECT_EQ(centredTopLeft(QRect(10, 10, 100, 100), QSize(300, 200)), QPoint(-90, -40));
}

TEST(SystemColor, DesignValuesResolveAgainstThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Dark, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Light, QColor(7, 8, 9));
    const struct {
        std::uint32_t value;
        QColor expected;
    } cases[] = {
        {0x000000FFu, QColor(255, 0, 0)},        // red lives in the lowest byte
        {0x0000FF00u, QColor(0, 255, 0)},
        {0x00FF0000u, QColor(0, 0, 255)},
        {rgbColor(40, 40, 50), QColor(40, 40, 50)},
        {0x8000000Fu, QColor(1, 2, 3)},          // face
        {0x80000010u, QColor(4, 5, 6)},          // shadow
        {0x80000014u, QColor(7, 8, 9)},          // highlight
        {0x80FF0010u, QColor(4, 5, 6)},          // only the low byte names the system colour
        {0x800000C8u, QColor(Qt::black)},        // no such system colour
    };
    for (const auto &c : cases)
        EXPECT_EQ(resolveColor(c.value, palette), c.expected) << std::hex << c.value;
}

TEST(LinkCursor, IsAThirtyTwoPixelHandPointingAtItsHotSpot)
{
    const QImage image = linkCursorImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    // The hot spot is the black tip of the finger, the first row's only drawn pixels beside it.
    EXPECT_EQ(image.pixel(5, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(4, 0)), 0);
    EXPECT_EQ(image.pixel(5, 1), qRgba(255, 255, 255, 255));  // white inside the outline

    const QCursor cursor = linkCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 0));
    EXPECT_EQ(cursor.bitmap().size(), QSize(32, 32));
    EXPECT_EQ(cursor.mask().size(), QSize(32, 32));
}

TEST(SplashRules, VersionPlaceholderIsFilledEverywhereAndCaseSensitive)
{
    EXPECT_EQ(fillVersion(QStringLiteral("Version %v"), QStringLiteral("2.0.9")), QStringLiteral("Version 2.0.9"));
    EXPECT_EQ(fillVersion(QStringLiteral("%v/%v"), QStringLiteral("2.0.9")), QStringLiteral("2.0.9/2.0.9"));
    EXPECT_EQ(fillVersion(QStringLiteral("Version %V"), QStringLiteral("2.0.9")), QStringLiteral("Version %V"));
}

TEST(SplashRules, TheAddressFollowsTheWrappedInvitation)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    const QString oneLine = QStringLiteral("Send it to:");
    const int lineWidth = metrics.horizontalAdvance(oneLine);

    // Room left on the line: the follower sits after the text and a blank, on the same line.
    const QPoint sameLine = textFollowPosition(oneLine, font, 400, 50, 400);
    EXPECT_EQ(sameLine.y(), 0);
    EXPECT_GE(sameLine.x(), lineWidth + 1);
    EXPECT_LE(sameLine.x(), lineWidth + metrics.horizontalAdvance(QLatin1Char(' ')) + 1);

    // No room: the start of the next line.
    const QPoint nextLine = textFollowPosition(oneLine, font, 400, 400, 400);
    EXPECT_EQ(nextLine.x(), 0);
    EXPECT_GE(nextLine.y(), metrics.height() - 1);

    // A text that wraps: the follower goes after the last line, not the first.
    const QString longText = QStringLiteral("one two three four five six seven eight nine ten eleven twelve");
    const QPoint wrapped = textFollowPosition(longText, font, lineWidth * 2, 10, lineWidth * 4);
    EXPECT_GE(wrapped.y(), metrics.height() - 1);
}

}  // namespace
}  // namespace plakatron
