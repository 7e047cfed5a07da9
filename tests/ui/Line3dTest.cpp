// SPDX-License-Identifier: GPL-3.0-or-later
// The etched separator on a real widget under the offscreen platform: its layout by shape, its
// colours, its saved properties and its mouse events; the twips it is placed in, and the wrapping
// of tool tips.
#include "ui/Design.h"
#include "ui/line3d.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace plakatron {
namespace {

TEST(Design, TwipsBecomeTheNearestWholePixelAndToolTipsWrapBetweenWords)
{
    for (const auto &[twips, pixels] : {std::pair{7, 0}, {8, 1}, {30, 2}, {11235, 749}, {-7, 0}, {-8, -1}})
        EXPECT_EQ(twipsToPixels(twips), pixels) << twips << " twips";
    const struct { const char *text; int length; const char *wrapped; } tips[] = {
        {"short tip", 60, "short tip"},     {"one two three four", 9, "one two\nthree\nfour"},
        {"one two three", 7, "one two\nthree"},  // exactly the length fits
        {"a unbreakableword b", 5, "a\nunbreakableword\nb"},
        {"  spaced   out  ", 60, "spaced out"}, {"", 60, ""},
    };
    for (const auto &t : tips)
        EXPECT_EQ(wrappedToolTip(QString::fromUtf8(t.text), t.length).toStdString(), t.wrapped) << t.text;
}

const QColor shadow(10, 20, 30), highlight(240, 230, 220);

// A shown host with one control placed at a design size in twips, in colours of its own.
struct Placed {
    QWidget host;
    line3d &line = *new line3d(&host);

    Placed(int widthTwips, int heightTwips)
    {
        QPalette palette;
        palette.setColor(QPalette::Dark, shadow);
        palette.setColor(QPalette::Light, highlight);
        host.setPalette(palette);
        line.setGeometry(QRect(QPoint(5, 5), twipsSize(widthTwips, heightTwips)));
        host.show();
    }
    QColor pixel(QPoint at) const { return line.grab().toImage().pixelColor(at); }
};

// Twips as placed, pixels after the layout, the two lines in twips. The widget measures whole
// pixels: 11235 twips are 749 pixels = 11235 twips, 500 are 33 = 495. Along the line the dark pixel
// comes first and the light one beside it.
TEST(Line3dWidget, PlacedControlsTakeTheirShapeAndDrawTheGroove)
{
    const struct { int width, height; QSize size; Line3dSegment first, second; } cases[] = {
        {11235, 30, {749, 2}, {0, 0, 11235, 0}, {0, 15, 11235, 15}},  // the main window's separators
        {810, 750, {54, 2}, {0, 0, 810, 0}, {0, 15, 810, 15}},        // wider than high, however little
        {500, 500, {2, 33}, {0, 0, 0, 495}, {15, 0, 15, 495}},        // square counts as vertical
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Placed placed(c.width, c.height);
        EXPECT_EQ(placed.line.size(), c.size);
        EXPECT_TRUE(placed.line.Line1(0) == c.first && placed.line.Line1(1) == c.second);
        const QPoint along = c.size.width() > c.size.height() ? QPoint(1, 0) : QPoint(0, 1);
        for (const int at : {0, std::max(c.size.width(), c.size.height()) - 1}) {
            EXPECT_EQ(placed.pixel(at * along), shadow) << at;
            EXPECT_EQ(placed.pixel(at * along + QPoint(along.y(), along.x())), highlight) << at;
        }
    }
}

// Each colour recolours its own line; Enabled is only stored (the control still takes input);
// mouse events come as button, Shift state and a position in twips (pixels times 15).
TEST(Line3dWidget, ColoursRecolourTheirOwnLineEnabledIsOnlyStoredEventsComeInTwips)
{
    Placed placed(11235, 30);
    line3d &line = placed.line;
    QSignalSpy changed(&line, &line3d::PropertyChanged), down(&line, &line3d::MouseDown), up(&line, &line3d::MouseUp);
    const auto groove = [&placed] { return std::pair(placed.pixel({10, 0}), placed.pixel({10, 1})); };
    line.setColor1(rgbColor(255, 0, 0));
    EXPECT_EQ(groove(), std::pair(QColor(Qt::red), highlight));
    line.setColor2(rgbColor(0, 0, 255));
    const QImage before = line.grab().toImage();
    line.setEnabledFlag(false);
    EXPECT_EQ(line.grab().toImage(), before);
    EXPECT_EQ(groove(), std::pair(QColor(Qt::red), QColor(Qt::blue)));
    EXPECT_EQ(QList<QVariantList>(changed), (QList<QVariantList>{{"Color1"}, {"Color2"}, {"Enabled"}}));
    QTest::mousePress(&line, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 1));
    QTest::mouseRelease(&line, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(200, 0));
    EXPECT_EQ(QList<QVariantList>(down) + QList<QVariantList>(up),
              (QList<QVariantList>{{1, 1, 150.f, 15.f}, {2, 6, 3000.f, 0.f}}));
}

// Only values off their defaults are written, a stale entry from an earlier save goes when back at
// its default, and the host's own entry stays; what is written reads back.
TEST(Line3dProperties, OnlyValuesOffTheirDefaultsAreWrittenAndReadBack)
{
    using P = Line3dProperties;
    const std::pair<P, QStringList> saves[] = {
        {{}, {}},
        {{false, P::defaultColor1, 0x80000012u, P::defaultBackColor}, {"Color2"}},
        {{true, 0u, 0x00FFFFFFu, rgbColor(40, 40, 50)}, {"BackColor", "Color1", "Color2", "Enabled"}},
    };
    line3d line;
    for (const auto &[properties, names] : saves) {
        QVariantMap bag{{"_ExtentX", 19817}, {"Enabled", true}};
        properties.write(bag);
        EXPECT_EQ(bag.keys(), names + QStringList{"_ExtentX"});
        line.ReadProperties(bag);
        QVariantMap saved{{"_ExtentX", 19817}};
        line.WriteProperties(saved);
        EXPECT_EQ(saved, bag);
        EXPECT_EQ(std::pair(line.lineColor(0), line.lineColor(1)), std::pair(properties.Color1, properties.Color2));
    }
    // Signed (32-bit Long) and unsigned forms of a colour both read; damage gives the default.
    const std::pair<QVariant, std::uint32_t> colours[] = {
        {qint32(-2147483630), 0x80000012u}, {quint32(0x80000014u), 0x80000014u}, {"255", 0xFFu},
        {"red", P::defaultColor1},          {qint64(1) << 40, P::defaultColor1}};
    for (const auto &[stored, expected] : colours)
        EXPECT_EQ(P::read({{"Color1", stored}}).Color1, expected) << stored.toString().toStdString();
}

}  // namespace
}  // namespace plakatron
