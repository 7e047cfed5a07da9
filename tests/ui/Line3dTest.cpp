// The etched separator on a real widget under the offscreen platform: its layout by shape, its
// colours, its saved properties and its mouse events; and the design units under it (twips and
// the 32-bit colour values).
#include "ui/Design.h"
#include "ui/line3d.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace plakatron {
namespace {

TEST(DesignUnits, TwipsBecomeWholePixelsAndColoursFollowThePalette)
{
    const std::pair<int, int> twips[] = {{7, 0}, {8, 1}, {30, 2}, {500, 33}, {11235, 749}, {-15, -1}};
    for (const auto &[value, pixels] : twips)
        EXPECT_EQ(twipsToPixels(value), pixels) << value << " twips";
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Dark, QColor(4, 5, 6));
    // Shadow and highlight show in the drawn lines below.
    const std::pair<std::uint32_t, QColor> colours[] = {
        {0x000000FFu, QColor(255, 0, 0)},  // red lives in the lowest byte
        {rgbColor(40, 40, 50), QColor(40, 40, 50)},
        {0x8000000Fu, QColor(1, 2, 3)},    // face
        {0x80FF0010u, QColor(4, 5, 6)},    // shadow: only the low byte names the system colour
        {0x800000C8u, QColor(Qt::black)},  // no such system colour
    };
    for (const auto &[value, expected] : colours)
        EXPECT_EQ(resolveColor(value, palette), expected) << std::hex << value;
}

// A shown host with one control placed at a design size in twips, in colours of its own.
struct Placed {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    line3d *line = new line3d(host.get());

    Placed(int widthTwips, int heightTwips)
    {
        QPalette palette = host->palette();
        palette.setColor(QPalette::Dark, QColor(10, 20, 30));
        palette.setColor(QPalette::Light, QColor(240, 230, 220));
        host->setPalette(palette);
        host->resize(800, 100);
        line->setGeometry(QRect(QPoint(5, 5), twipsSize(widthTwips, heightTwips)));
        host->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    }
    QColor pixel(int x, int y) const { return line->grab().toImage().pixelColor(x, y); }
};

const QColor shadow(10, 20, 30), highlight(240, 230, 220);

TEST(Line3dWidget, PlacedControlsTakeTheirShapeAndDrawTheGroove)
{
    // The widget measures whole pixels: 11235 twips are 749 pixels = 11235 twips, 500 are 33 = 495.
    const struct {
        int width, height;  // twips, as placed
        QSize size;         // pixels, after the layout
        Line3dSegment first, second;
    } cases[] = {
        {11235, 30, {749, 2}, {0, 0, 11235, 0}, {0, 15, 11235, 15}},  // the main window's separators
        {810, 750, {54, 2}, {0, 0, 810, 0}, {0, 15, 810, 15}},        // wider than high, however little
        {500, 500, {2, 33}, {0, 0, 0, 495}, {15, 0, 15, 495}},        // square counts as vertical
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Placed placed(c.width, c.height);
        EXPECT_EQ(placed.line->size(), c.size);
        EXPECT_TRUE(placed.line->Line1(0) == c.first && placed.line->Line1(1) == c.second);
        const bool horizontal = c.size.width() > c.size.height();
        const int length = horizontal ? c.size.width() : c.size.height();
        for (int along : {0, length / 2, length - 1}) {
            EXPECT_EQ(placed.pixel(horizontal ? along : 0, horizontal ? 0 : along), shadow) << along;
            EXPECT_EQ(placed.pixel(horizontal ? along : 1, horizontal ? 1 : along), highlight) << along;
        }
    }
}

TEST(Line3dWidget, ColoursRecolourTheirOwnLineEnabledIsOnlyStoredReDrawRestores)
{
    Placed placed(11235, 30);
    line3d &line = *placed.line;
    QSignalSpy changed(&line, &line3d::PropertyChanged);
    line.setColor1(rgbColor(255, 0, 0));
    EXPECT_EQ(std::pair(placed.pixel(10, 0), placed.pixel(10, 1)), std::pair(QColor(255, 0, 0), highlight));
    line.setColor2(rgbColor(0, 0, 255));
    EXPECT_EQ(std::pair(placed.pixel(10, 0), placed.pixel(10, 1)), std::pair(QColor(255, 0, 0), QColor(0, 0, 255)));

    const QImage before = line.grab().toImage();
    line.setEnabledFlag(true);
    EXPECT_TRUE(line.Enabled());
    EXPECT_EQ(line.grab().toImage(), before);
    EXPECT_TRUE(line.isEnabled());  // the widget keeps taking input
    EXPECT_EQ(QList<QVariantList>(changed), (QList<QVariantList>{{QStringLiteral("Color1")}, {QStringLiteral("Color2")},
                                                                {QStringLiteral("Enabled")}}));

    const Line3dSegment original = line.Line1(1);
    line.setLine1(1, {0, 0, 100, 0});
    line.Refresh();
    EXPECT_EQ(line.Line1(1), (Line3dSegment{0, 0, 100, 0}));
    line.ReDraw();
    EXPECT_EQ(line.Line1(1), original);
}

TEST(Line3dWidget, MouseEventsAreRaisedInTheControlsOwnTwips)
{
    Placed placed(11235, 30);
    line3d &line = *placed.line;
    line.setEnabledFlag(false);  // the stored flag does not stop the events
    QSignalSpy down(&line, &line3d::MouseDown), move(&line, &line3d::MouseMove), up(&line, &line3d::MouseUp);
    QTest::mousePress(&line, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 1));
    QTest::mouseRelease(&line, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(200, 0));
    QMouseEvent held(QEvent::MouseMove, QPoint(31, 0), line.mapToGlobal(QPoint(31, 0)), Qt::NoButton,
                     Qt::LeftButton | Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&line, &held);
    // Button, Shift, X, Y: pixels times 15, not the host's coordinates; a move names every button held.
    const auto args = [](const QSignalSpy &spy) {
        EXPECT_EQ(spy.count(), 1);
        return spy.isEmpty() ? QVariantList() : spy.first();
    };
    EXPECT_EQ(args(down), (QVariantList{1, 1, 150.f, 15.f}));
    EXPECT_EQ(args(up), (QVariantList{2, 6, 3000.f, 0.f}));
    EXPECT_EQ(args(move), (QVariantList{5, 0, 465.f, 0.f}));
}

TEST(Line3dProperties, OnlyValuesOffTheirDefaultsAreWrittenAndReadBack)
{
    using P = Line3dProperties;
    const std::pair<P, QStringList> saves[] = {
        {{}, {}},
        {{false, P::defaultColor1, 0x80000012u, P::defaultBackColor}, {QStringLiteral("Color2")}},
        {{true, 0u, 0x00FFFFFFu, rgbColor(40, 40, 50)},
         {QStringLiteral("BackColor"), QStringLiteral("Color1"), QStringLiteral("Color2"), QStringLiteral("Enabled")}},
    };
    Placed placed(11235, 30);
    for (const auto &[properties, names] : saves) {
        // The host's own entry stays; a stale one from an earlier save goes when back at its default.
        QVariantMap bag{{QStringLiteral("_ExtentX"), 19817}, {QStringLiteral("Enabled"), true}};
        properties.write(bag);
        EXPECT_EQ(bag.keys(), names + QStringList{QStringLiteral("_ExtentX")});
        placed.line->ReadProperties(bag);
        QVariantMap saved{{QStringLiteral("_ExtentX"), 19817}};
        placed.line->WriteProperties(saved);
        EXPECT_EQ(saved, bag);
        EXPECT_EQ(P::read(bag), properties);
        EXPECT_EQ(std::tuple(placed.line->Enabled(), placed.line->Color1(), placed.line->Color2(), placed.line->BackColor()),
                  std::tuple(properties.Enabled, properties.Color1, properties.Color2, properties.BackColor));
        EXPECT_EQ(std::pair(placed.line->lineColor(0), placed.line->lineColor(1)), std::pair(properties.Color1, properties.Color2));
    }
    EXPECT_EQ(placed.line->size(), twipsSize(11235, 30));  // laid out after reading

    // Signed (32-bit Long) and unsigned forms of a colour both read; damage gives the default.
    const std::pair<QVariant, std::uint32_t> colours[] = {
        {qint32(-2147483630), 0x80000012u}, {quint32(0x80000014u), 0x80000014u}, {QStringLiteral("255"), 0xFFu},
        {QStringLiteral("red"), Line3dProperties::defaultColor1}, {qint64(1) << 40, Line3dProperties::defaultColor1}};
    for (const auto &[stored, expected] : colours)
        EXPECT_EQ(Line3dProperties::read({{QStringLiteral("Color1"), stored}}).Color1, expected) << stored.toString().toStdString();
}

}  // namespace
}  // namespace plakatron
