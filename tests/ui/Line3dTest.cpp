// The etched separator: its layout by shape, its colours, its saved properties and its mouse
// events, on a real widget under the offscreen platform.
#include "ui/Design.h"
#include "ui/line3d.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace plakatron {

void PrintTo(const Line3dSegment &s, std::ostream *out)
{
    *out << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")";
}

namespace {

struct LayoutCase {
    int width, height;          // twips, as placed
    int newWidth, newHeight;    // twips, after the layout
    Line3dSegment first, second;
};

const LayoutCase layoutCases[] = {
    // The main window's separators: horizontal, full width, already two pixels high.
    {11235, 30, 11235, 30, {0, 0, 11235, 0}, {0, 15, 11235, 15}},
    // Wider than high, however little: horizontal, squeezed to two pixels.
    {810, 750, 810, 30, {0, 0, 810, 0}, {0, 15, 810, 15}},
    // Square counts as vertical.
    {500, 500, 30, 500, {0, 0, 0, 500}, {15, 0, 15, 500}},
    {30, 11235, 30, 11235, {0, 0, 0, 11235}, {15, 0, 15, 11235}},
};

// The widget measures itself in whole pixels: 11235 twips arrive as 749 pixels = 11235 twips,
// 500 as 33 pixels = 495 twips.
Line3dSegment pixelLines(const Line3dSegment &twips)
{
    const auto snap = [](int v) { return pixelsToTwips(twipsToPixels(v)); };
    return {snap(twips.x1), snap(twips.y1), snap(twips.x2), snap(twips.y2)};
}

// A shown host with one control placed at a design size in twips.
struct Placed {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    line3d *line = nullptr;

    Placed(int widthTwips, int heightTwips)
    {
        host->resize(800, 100);
        QPalette palette = host->palette();
        palette.setColor(QPalette::Dark, QColor(10, 20, 30));
        palette.setColor(QPalette::Light, QColor(240, 230, 220));
        palette.setColor(QPalette::Button, QColor(100, 100, 100));
        host->setPalette(palette);
        line = new line3d(host.get());
        line->setGeometry(QRect(QPoint(5, 5), twipsSize(widthTwips, heightTwips)));
        host->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    }

    QImage picture() const { return line->grab().toImage(); }
};

TEST(Line3dWidget, PlacedControlsTakeTheirShapeAndDrawTheGroove)
{
    for (const LayoutCase &c : layoutCases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Placed placed(c.width, c.height);
        line3d &line = *placed.line;
        EXPECT_EQ(line.size(), twipsSize(c.newWidth, c.newHeight));
        EXPECT_EQ(line.Line1(0), pixelLines(c.first));
        EXPECT_EQ(line.Line1(1), pixelLines(c.second));
        EXPECT_TRUE(line.linesVisible());

        const QImage image = placed.picture();
        const bool horizontal = c.newWidth > c.newHeight;
        const int length = horizontal ? image.width() : image.height();
        for (int along : {0, length / 2, length - 1}) {
            const QPoint first = horizontal ? QPoint(along, 0) : QPoint(0, along);
            const QPoint second = horizontal ? QPoint(along, 1) : QPoint(1, along);
            EXPECT_EQ(image.pixelColor(first), QColor(10, 20, 30)) << along;    // shadow
            EXPECT_EQ(image.pixelColor(second), QColor(240, 230, 220)) << along;  // highlight
        }
    }
}

TEST(Line3dWidget, EachColourRecoloursOnlyItsOwnLine)
{
    Placed placed(11235, 30);
    line3d &line = *placed.line;
    QSignalSpy changed(&line, &line3d::PropertyChanged);

    line.setColor1(rgbColor(255, 0, 0));
    EXPECT_EQ(placed.picture().pixelColor(10, 0), QColor(255, 0, 0));
    EXPECT_EQ(placed.picture().pixelColor(10, 1), QColor(240, 230, 220));

    line.setColor2(rgbColor(0, 0, 255));
    EXPECT_EQ(placed.picture().pixelColor(10, 0), QColor(255, 0, 0));
    EXPECT_EQ(placed.picture().pixelColor(10, 1), QColor(0, 0, 255));

    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(0).at(0).toString(), QStringLiteral("Color1"));
    EXPECT_EQ(changed.at(1).at(0).toString(), QStringLiteral("Color2"));
}

TEST(Line3dWidget, EnabledIsOnlyStored)
{
    Placed placed(11235, 30);
    line3d &line = *placed.line;
    const QImage before = placed.picture();
    QSignalSpy changed(&line, &line3d::PropertyChanged);
    QSignalSpy down(&line, &line3d::MouseDown);

    line.setEnabledFlag(true);
    EXPECT_TRUE(line.Enabled());
    EXPECT_EQ(placed.picture(), before);
    line.setEnabledFlag(false);
    EXPECT_FALSE(line.Enabled());
    EXPECT_EQ(placed.picture(), before);
    EXPECT_TRUE(line.isEnabled());  // the widget keeps taking input
    QTest::mousePress(&line, Qt::LeftButton, {}, QPoint(3, 1));
    EXPECT_EQ(down.count(), 1);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(0).at(0).toString(), QStringLiteral("Enabled"));
}

TEST(Line3dWidget, ReDrawRestoresMovedLinesAndRefreshDoesNothing)
{
    Placed placed(11235, 30);
    line3d &line = *placed.line;
    const Line3dSegment original = line.Line1(1);
    line.setLine1(1, {0, 0, 100, 0});
    line.Refresh();
    EXPECT_EQ(line.Line1(1), (Line3dSegment{0, 0, 100, 0}));
    line.ReDraw();
    EXPECT_EQ(line.Line1(1), original);
    EXPECT_EQ(line.size(), twipsSize(11235, 30));
}

TEST(Line3dWidget, MouseEventsAreRaisedInTheControlsOwnTwips)
{
    Placed placed(11235, 30);
    line3d &line = *placed.line;
    QSignalSpy down(&line, &line3d::MouseDown);
    QSignalSpy move(&line, &line3d::MouseMove);
    QSignalSpy up(&line, &line3d::MouseUp);
    QSignalSpy click(&line, &line3d::Click);

    QTest::mousePress(&line, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 1));
    QTest::mouseRelease(&line, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 1));
    QTest::mousePress(&line, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(200, 0));
    QTest::mouseRelease(&line, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(200, 0));
    const auto moveTo = [&line](QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(QEvent::MouseMove, at, line.mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&line, &event);
    };
    moveTo(QPoint(30, 1), Qt::NoButton);
    moveTo(QPoint(31, 0), Qt::LeftButton | Qt::MiddleButton);

    ASSERT_EQ(down.count(), 2);
    ASSERT_EQ(up.count(), 2);
    const auto expectArgs = [](const QList<QVariant> &args, int button, int shift, float x, float y) {
        EXPECT_EQ(args.at(0).toInt(), button);
        EXPECT_EQ(args.at(1).toInt(), shift);
        EXPECT_FLOAT_EQ(args.at(2).toFloat(), x);
        EXPECT_FLOAT_EQ(args.at(3).toFloat(), y);
    };
    expectArgs(down.at(0), 1, 1, 150.f, 15.f);  // pixels times 15, not the host's coordinates
    expectArgs(up.at(0), 1, 1, 150.f, 15.f);
    expectArgs(down.at(1), 2, 6, 3000.f, 0.f);
    expectArgs(up.at(1), 2, 6, 3000.f, 0.f);
    ASSERT_EQ(move.count(), 2);
    expectArgs(move.at(0), 0, 0, 450.f, 15.f);  // moves are reported with no button held
    expectArgs(move.at(1), 5, 0, 465.f, 0.f);   // and name every button held
    EXPECT_EQ(click.count(), 0);
}

TEST(Line3dProperties, DefaultsAreNotWritten)
{
    Placed placed(11235, 30);
    QVariantMap bag{{QStringLiteral("_ExtentX"), 19817}};  // the host's own entry stays
    placed.line->WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("_ExtentX")});
}

TEST(Line3dProperties, ChangedValuesRoundTripUnderTheirOwnNames)
{
    const struct {
        Line3dProperties properties;
        QStringList names;
    } cases[] = {
        {{true, Line3dProperties::defaultColor1, Line3dProperties::defaultColor2, Line3dProperties::defaultBackColor},
         {QStringLiteral("Enabled")}},
        {{false, rgbColor(1, 2, 3), Line3dProperties::defaultColor2, Line3dProperties::defaultBackColor},
         {QStringLiteral("Color1")}},
        {{false, Line3dProperties::defaultColor1, 0x80000012u, Line3dProperties::defaultBackColor},
         {QStringLiteral("Color2")}},
        {{true, 0u, 0x00FFFFFFu, rgbColor(40, 40, 50)},
         {QStringLiteral("BackColor"), QStringLiteral("Color1"), QStringLiteral("Color2"), QStringLiteral("Enabled")}},
    };
    for (const auto &c : cases) {
        QVariantMap bag;
        c.properties.write(bag);
        EXPECT_EQ(bag.keys(), c.names);
        EXPECT_EQ(Line3dProperties::read(bag), c.properties);

        Placed placed(11235, 30);
        placed.line->ReadProperties(bag);
        EXPECT_EQ(placed.line->Enabled(), c.properties.Enabled);
        EXPECT_EQ(placed.line->Color1(), c.properties.Color1);
        EXPECT_EQ(placed.line->Color2(), c.properties.Color2);
        EXPECT_EQ(placed.line->BackColor(), c.properties.BackColor);
        EXPECT_EQ(placed.line->lineColor(0), c.properties.Color1);
        EXPECT_EQ(placed.line->lineColor(1), c.properties.Color2);
        EXPECT_EQ(placed.line->size(), twipsSize(11235, 30));  // laid out after reading
    }
}

TEST(Line3dProperties, ReadingAcceptsSignedColoursAndSurvivesDamage)
{
    const struct {
        QVariant color1;
        std::uint32_t expected;
    } cases[] = {
        {QVariant(qint32(-2147483632)), 0x80000010u},  // the 32-bit signed form of the shadow colour
        {QVariant(quint32(0x80000010u)), 0x80000010u},
        {QVariant(255), 0x000000FFu},
        {QVariant(QStringLiteral("255")), 0x000000FFu},
        {QVariant(QStringLiteral("red")), Line3dProperties::defaultColor1},
        {QVariant(qint64(1) << 40), Line3dProperties::defaultColor1},  // not a 32-bit value
        {QVariant(), Line3dProperties::defaultColor1},
    };
    for (const auto &c : cases) {
        const QVariantMap bag{{QStringLiteral("Color1"), c.color1}};
        EXPECT_EQ(Line3dProperties::read(bag).Color1, c.expected) << c.color1.toString().toStdString();
    }
    // A stale entry from an earlier save goes when the value is back at its default.
    QVariantMap bag{{QStringLiteral("Color2"), 5}};
    Line3dProperties{}.write(bag);
    EXPECT_FALSE(bag.contains(QStringLiteral("Color2")));
}

}  // namespace
}  // namespace plakatron
