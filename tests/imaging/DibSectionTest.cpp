// cDIBSection: sizes and their overflow, the buffer's states, the bottom-up layout, rectangle
// copies in and out of real Qt images, the clipboard, random pixels and the checked byte view.
#include "ImagingTestSupport.h"
#include "core/ProgramWide.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include <set>

#if defined(__linux__)
#include <sys/resource.h>
#endif

namespace plakatron::test {
namespace {

QImage randomImage(int width, int height, std::uint32_t seed)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random() | 0xFF000000u);
    return image;
}

TEST(DibSection, BytesPerScanLineRoundsUpToFourAndOverflowsBeyond32Bits)
{
    const std::int32_t cases[][2] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {715'827'881, 2'147'483'644}};
    for (const auto &c : cases) {
        cDIBSection dib;
        EXPECT_FALSE(dib.Create(c[0], 0));  // height 0: the size is recorded, nothing allocated
        EXPECT_EQ(dib.BytesPerScanLine(), c[1]) << c[0];
    }
    cDIBSection wide, tall;
    EXPECT_EQ(errorNumberOf([&] { wide.Create(715'827'882, 1); }), err::Overflow);
    EXPECT_EQ(errorNumberOf([&] { wide.BytesPerScanLine(); }), err::Overflow);
    EXPECT_EQ(errorNumberOf([&] { tall.Create(100'000, 100'000); }), err::Overflow);  // rows fit, the whole not
    EXPECT_EQ(wide.hdc(), nullptr);
    EXPECT_EQ(tall.hdc(), nullptr);
}

TEST(DibSection, StatesThroughCreateAndClearUp)
{
    cDIBSection dib;
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.hdc(), nullptr);
    ASSERT_TRUE(dib.Create(3, 2));
    EXPECT_EQ(dib.hdc(), &dib);
    EXPECT_EQ(hexRows(dib), "000000 000000 000000 | 000000\n000000 000000 000000 | 000000\n");
    const std::uintptr_t first = dib.hDib();
    ASSERT_TRUE(dib.Create(5, 1));
    EXPECT_NE(dib.hDib(), first);
    EXPECT_NE(dib.hDib(), 0u);

    dib.ClearUp();
    dib.ClearUp();
    EXPECT_EQ(dib.hdc(), nullptr);
    EXPECT_EQ(dib.hDib(), 0u);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.Width(), 5);
    EXPECT_EQ(dib.Height(), 1);

    for (const auto &[w, h] : {std::pair{0, 4}, {4, 0}, {-3, 2}}) {
        ASSERT_TRUE(dib.Create(2, 2));
        EXPECT_FALSE(dib.Create(w, h));
        EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    }
}

TEST(DibSection, RowZeroIsTheBottomInBlueGreenRedAndPaddingStaysZero)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));      // top left red
    picture.setPixel(1, 0, qRgb(0, 255, 0));      // top right green
    picture.setPixel(0, 1, qRgb(0, 0, 255));      // bottom left blue
    picture.setPixel(1, 1, qRgb(255, 255, 255));  // bottom right white
    cDIBSection dib;
    dib.CreateFromPicture(picture);
    EXPECT_EQ(hexRows(dib), "ff0000 ffffff | 0000\n0000ff 00ff00 | 0000\n");
    EXPECT_EQ(dib.toImage(), picture);
}

TEST(DibSection, CreateFromPictureTakesAnyImageFormat)
{
    const QImage picture = randomImage(7, 5, 1);
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888,
          QImage::Format_BGR888, QImage::Format_RGBX8888, QImage::Format_RGB16, QImage::Format_Grayscale8,
          QImage::Format_Indexed8, QImage::Format_Mono}) {
        const QImage source = picture.convertToFormat(format);
        cDIBSection dib;
        dib.CreateFromPicture(source);
        EXPECT_EQ(dib.toImage(), source.convertToFormat(QImage::Format_RGB32)) << "format " << format;
    }
    cDIBSection empty;
    empty.CreateFromPicture(QImage());
    EXPECT_EQ(empty.hdc(), nullptr);
    EXPECT_TRUE(empty.toImage().isNull());
}

// What a copy of w x h from (sx, sy) to (dx, dy) leaves in dest: the pixels inside both
// pictures copied, the rest unchanged; a negative size means the whole buffer.
QImage modelCopy(const QImage &source, QImage dest, const int c[6], QSize whole)
{
    const int w = c[2] < 0 ? whole.width() : c[2], h = c[3] < 0 ? whole.height() : c[3];
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (source.valid(c[4] + x, c[5] + y) && dest.valid(c[0] + x, c[1] + y))
                dest.setPixel(c[0] + x, c[1] + y, source.pixel(c[4] + x, c[5] + y));
    return dest;
}

// dest left, dest top, width, height, source left, source top
const int copyCases[][6] = {{0, 0, -1, -1, 0, 0}, {0, 0, 0, -1, 0, 0},  {0, 0, -1, 0, 0, 0},
                            {0, 0, 2, 1, 1, 2},   {2, 3, -1, -1, 0, 0}, {-1, -2, -1, -1, 0, 0},
                            {0, 0, -1, -1, -2, -1}, {1, 1, 9, 9, 3, 2}};

TEST(DibSection, LoadPictureBltCopiesToTheTopLeftCorner)
{
    const QImage picture = randomImage(5, 5, 2);
    QImage black(6, 4, QImage::Format_RGB32);
    black.fill(Qt::black);
    for (const auto &c : copyCases) {
        cDIBSection dib;
        dib.Create(6, 4);
        dib.LoadPictureBlt(picture, c[4], c[5], c[2], c[3]);
        const int toCorner[6] = {0, 0, c[2], c[3], c[4], c[5]};
        EXPECT_EQ(dib.toImage(), modelCopy(picture, black, toCorner, {6, 4})) << c[2] << "x" << c[3];
    }
}

TEST(DibSection, PaintPictureCopiesIntoImagesOfAnyFormatAndPainters)
{
    cDIBSection dib;
    dib.CreateFromPicture(randomImage(4, 3, 3));
    const QImage picture = dib.toImage();
    QImage grey(6, 5, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    for (const auto &c : copyCases) {
        const QImage expected = modelCopy(picture, grey, c, {4, 3});
        for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_RGBX8888}) {
            QImage dest = grey.convertToFormat(format);
            dib.PaintPicture(dest, c[0], c[1], c[2], c[3], c[4], c[5]);
            EXPECT_EQ(dest.convertToFormat(QImage::Format_RGB32), expected) << "format " << format;
        }
        QImage canvas = grey.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&canvas);
        dib.PaintPicture(painter, c[0], c[1], c[2], c[3], c[4], c[5]);
        painter.end();
        EXPECT_EQ(canvas.convertToFormat(QImage::Format_RGB32), expected);
    }
    EXPECT_EQ(errorNumberOf([&] { dib.PaintPicture(grey, 0, 0, -1, -1, 0, 0, 0x00660046); }), err::InvalidCall);
    EXPECT_EQ(errorNumberOf([&] { dib.LoadPictureBlt(grey, 0, 0, -1, -1, 0x00EE0086); }), err::InvalidCall);
}

TEST(DibSection, CopyToClipboardAsBitmapOrRefusesADib)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    cDIBSection dib;
    dib.CreateFromPicture(randomImage(3, 2, 4));
    {
        MessageCapture capture;
        EXPECT_FALSE(dib.CopyToClipboard(true));
        ASSERT_EQ(capture.messages().size(), 1u);
        const MessageRequest &m = capture.messages().front();
        EXPECT_EQ(m.text, QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"));
        EXPECT_EQ(m.icon, MsgIcon::None);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
        EXPECT_EQ(m.title, appTitle());
    }
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));
    EXPECT_TRUE(dib.CopyToClipboard(false));
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), dib.toImage());
    dib.ClearUp();
    EXPECT_FALSE(dib.CopyToClipboard(false));
}

TEST(DibSection, RandomiseBitsFillsPixelsButNeverPadding)
{
    for (const bool gray : {true, false}) {
        cDIBSection dib, again;
        dib.Create(5, 7);
        again.Create(5, 7);
        dib.RandomiseBits(gray, 99);
        again.RandomiseBits(gray, 99);
        EXPECT_EQ(hexRows(dib), hexRows(again));
        const ConstByteView view = dib.bytes();
        std::set<int> greens;
        for (int r = 0; r < 7; ++r) {
            EXPECT_EQ(view(15, r), 0) << "padding";
            for (int b = 0; b < 15; b += 3) {
                EXPECT_EQ(view(b, r), gray ? view(b + 1, r) : 0);
                EXPECT_EQ(view(b + 2, r), gray ? view(b, r) : view(b + 2, r));
                greens.insert(view(b + 1, r));
            }
        }
        EXPECT_GT(greens.size(), 10u);
    }
    cDIBSection cleared;
    cleared.Create(3, 3);
    cleared.ClearUp();
    EXPECT_EQ(errorNumberOf([&] { cleared.RandomiseBits(true); }), err::SubscriptOutOfRange);
}

TEST(DibSection, ByteViewFailsOutsideEitherRangeAndWritesNothing)
{
    cDIBSection dib;
    dib.Create(2, 2);  // 8 bytes a row, 2 rows
    const ByteView view = dib.bytes();
    const std::int64_t outside[][2] = {{8, 0}, {-1, 0}, {0, 2}, {0, -1}};
    for (const auto &i : outside)
        EXPECT_EQ(errorNumberOf([&] { view(i[0], i[1]) = 0xAB; }), err::SubscriptOutOfRange) << i[0] << "," << i[1];
    view(7, 1) = 0xAB;  // the last padding byte: inside the view
    EXPECT_EQ(hexRows(dib), "000000 000000 | 0000\n000000 000000 | 00ab\n");
}

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
TEST(DibSection, CreationFailsCleanlyWhenMemoryCannotBeHad)
{
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(1) << 30;  // far below the 1.8 GB asked for, well above what the tests use
    if (old.rlim_cur != RLIM_INFINITY && old.rlim_cur < tight.rlim_cur)
        GTEST_SKIP() << "address space already limited";
    cDIBSection source;
    source.Create(4, 4);
    cDIBSection big;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    const bool created = big.Create(20'000, 30'000);
    const bool resampled = source.Resample(30'000, 20'000) != nullptr;
    setrlimit(RLIMIT_AS, &old);
    EXPECT_FALSE(created);
    EXPECT_EQ(big.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(big.Width(), 20'000);
    EXPECT_FALSE(resampled);
}
#endif

}  // namespace
}  // namespace plakatron::test
