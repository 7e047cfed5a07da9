// Pages rendered from the built-in picture and from synthetic ones, checked pixel by pixel.
#include "core/ProgramWide.h"
#include "imaging/DibSection.h"
#include "printing/PageGeometry.h"
#include "printing/PageRenderer.h"
#include "support/TestSupport.h"

#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

// A poster as the window holds it, laid out by the real layout pass.
struct Poster {
    Poster(QImage picture, int sheets, double resolution, int overlap) : picture(std::move(picture))
    {
        programWide().HorizontalOverlap = programWide().VerticalOverlap = static_cast<std::int16_t>(overlap);
        settings.PagePixelWidth = resolution;
        settings.PagePixelHeight = resolution * A4Proportion;
        ListIndexSurface surface(sheets - 1);
        LayoutLabels labels;
        RunLayoutPass(QSizeF(this->picture.size()), static_cast<std::int16_t>(overlap), settings, grid, labels, surface);
        renderer.setPreview([this](const QImage &page) { previewed = page; });
    }
    QImage picture;
    PosterSettings settings;
    PageGrid grid;
    PageRenderer renderer{PosterSource{&picture, &settings, &grid}};
    QImage previewed;
};

QImage builtInPicture() { return QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32); }

QImage noise(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(42);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, rng.generate() | 0xff000000u);
    return image;
}

bool allWhite(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

}  // namespace

TEST(PageRenderer, WorkedExamplePageSix)
{
    test::MessageCapture messages;
    Poster poster(builtInPicture(), 4, 800, 5);
    poster.renderer.RenderPage(6, false);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(poster.renderer.CurrentPageRow, 2);
    EXPECT_EQ(poster.renderer.CurrentPageColumn, 2);

    // The crop: 231 x 323, white first column and row, then the source from (221, 313); below
    // source row 559 it is white again.
    const QImage &crop = poster.renderer.crop();
    ASSERT_EQ(crop.size(), QSize(231, 323));
    EXPECT_TRUE(allWhite(crop, QRect(0, 0, 231, 1)));
    EXPECT_TRUE(allWhite(crop, QRect(0, 0, 1, 323)));
    for (const QPoint p : {QPoint(1, 1), QPoint(100, 50), QPoint(230, 247)})
        EXPECT_EQ(crop.pixel(p), poster.picture.pixel(p + QPoint(220, 312))) << p.x() << "," << p.y();
    EXPECT_TRUE(allWhite(crop, QRect(0, 248, 231, 323 - 248)));

    // The page: 800 x 1131 enlarged plus the 20-pixel margins; the enlargement equals the crop
    // resampled on its own.
    const QImage &page = poster.renderer.pageCanvas();
    ASSERT_EQ(page.size(), QSize(820, 1151));
    cDIBSection buffer;
    buffer.CreateFromPicture(crop);
    const QImage expected = buffer.Resample(1131, 800)->toImage();
    EXPECT_EQ(page.copy(0, 0, 800, 1131), expected);
    // Last row: no bottom hint, the bottom margin is plain white; the right margin carries text.
    EXPECT_TRUE(allWhite(page, QRect(0, 1131, 800, 20)));
    EXPECT_FALSE(allWhite(page, QRect(800, 0, 20, 1151)));
    EXPECT_TRUE(poster.previewed.isNull()) << "the preview is only drawn when asked";
}

TEST(PageRenderer, CropIsAnIndependentCutOfTheSource)
{
    // Random pixels make any off-by-one in the cut visible.
    Poster poster(noise(437, 611), 3, 400, 7);
    const int pages = poster.grid.pageCount();
    for (int page = 1; page <= pages + 1; ++page) {
        SCOPED_TRACE(page);
        poster.renderer.RenderPage(static_cast<std::int16_t>(page), true);
        const PagePosition pos = pagePosition(page, poster.settings.SheetsAcross);
        const double cw = cellWidth(437, poster.settings.SheetsAcross);
        const double ch = cellHeight(611, poster.grid.SheetsDown);
        const std::int16_t ox = overlapPixels(cw, 7);
        QImage expected(int(cw) + ox, int(ch) + ox, QImage::Format_RGB32);
        expected.fill(Qt::white);
        for (int y = 1; y < expected.height(); ++y)
            for (int x = 1; x < expected.width(); ++x) {
                const int sx = (pos.column - 1) * int(cw) + x, sy = (pos.row - 1) * int(ch) + y;
                if (sx < 437 && sy < 611)
                    expected.setPixel(x, y, poster.picture.pixel(sx, sy));
            }
        EXPECT_EQ(poster.renderer.crop(), expected);
        EXPECT_EQ(poster.previewed, poster.renderer.pageCanvas());
    }
}

TEST(PageRenderer, MarginsOnlyAboveThreeHundredPixels)
{
    struct Row { double resolution; QSize canvas; };
    const Row rows[] = {{300, {300, 424}}, {400, {420, 586}}, {250, {250, 354}}, {750, {770, 1080}}, {10, {10, 14}}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.resolution);
        Poster poster(builtInPicture(), 3, r.resolution, 3);
        poster.renderer.RenderPage(1, false);
        EXPECT_EQ(poster.renderer.pageCanvas().size(), r.canvas);
    }
    // Page 1 of 3 x 2 has pages below and to the right: both margins carry text.
    Poster poster(builtInPicture(), 3, 400, 3);
    poster.renderer.RenderPage(1, false);
    const QImage &page = poster.renderer.pageCanvas();
    EXPECT_FALSE(allWhite(page, QRect(0, 566, 400, 20)));
    EXPECT_FALSE(allWhite(page, QRect(400, 0, 20, 586)));
    // The bottom hint is centred: as much white on its left as on its right.
    int left = 0, right = 419;
    const auto columnWhite = [&](int x) { return allWhite(page, QRect(x, 566, 1, 20)); };
    while (columnWhite(left))
        ++left;
    while (columnWhite(right))
        --right;
    EXPECT_NEAR(left, 419 - right, 2);
}

TEST(PageRenderer, AFailedStepIsReportedAndTheRestCarriesOn)
{
    test::MessageCapture messages;
    Poster poster(builtInPicture(), 3, 800, 3);
    // A broken poster state: no sheets across makes the position and the cell divide by zero.
    poster.settings.SheetsAcross = 0;
    poster.renderer.RenderPage(2, true);
    ASSERT_GE(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Division by zero\r\nCode 11"));
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.messages()[0].title, QStringLiteral("Plakatron"));
    // The later steps still produced a page and showed it.
    EXPECT_FALSE(poster.renderer.pageCanvas().isNull());
    EXPECT_EQ(poster.previewed, poster.renderer.pageCanvas());
}
