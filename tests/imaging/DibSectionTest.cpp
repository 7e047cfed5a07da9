// cDIBSection: sizes and their overflow, the buffer's states, the bottom-up layout, rectangle
// copies in and out of real Qt images, the clipboard, random pixels, the checked byte view; and
// Resample: the worked numbers, the failures, and every fast path against the step-by-step
// reference over thousands of random sources and sizes.
#include "core/Numeric.h"
#include "core/ProgramWide.h"
#include "imaging/DibSection.h"
#include "imaging/ResampleKernel.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>

#if defined(__linux__)
#include <sys/resource.h>
#endif

namespace plakatron::test {
namespace {

// The number of the run-time error the action fails with; 0 when it does not fail.
template <typename F>
int errorNumberOf(F &&action)
{
    try {
        action();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

// Every byte of the buffer in hex, padding included: a line per memory row (row 0, the bottom of
// the picture, first), a blank after every three bytes.
std::string hexRows(const cDIBSection &dib)
{
    const ConstByteView view = dib.bytes();
    std::string text;
    char digits[4];
    for (std::int32_t r = 0; r < view.rows(); ++r, text += '\n')
        for (std::int32_t b = 0; b < view.bytesPerRow(); ++b) {
            std::snprintf(digits, sizeof digits, b % 3 == 0 && b > 0 ? " %02x" : "%02x", view(b, r));
            text += digits;
        }
    return text;
}

// A buffer whose pixel bytes are all random, its padding zero.
std::unique_ptr<cDIBSection> randomBuffer(std::int32_t width, std::int32_t height, std::mt19937 &random)
{
    auto dib = std::make_unique<cDIBSection>();
    dib->Create(width, height);
    const ByteView view = dib->bytes();
    for (std::int32_t r = 0; r < height; ++r)
        for (std::int32_t b = 0; b < 3 * width; ++b)
            view(b, r) = std::uint8_t(random() >> 24);
    return dib;
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
    EXPECT_EQ(errorNumberOf([&] { tall.Create(100'000, 100'000); }), err::Overflow);  // rows fit, the whole not
    EXPECT_EQ(tall.hdc(), nullptr);
}

TEST(DibSection, StatesThroughCreateAndClearUp)
{
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(3, 2));
    EXPECT_EQ(dib.hdc(), &dib);
    EXPECT_EQ(hexRows(dib), "000000 000000 000000 000000\n000000 000000 000000 000000\n");
    const std::uintptr_t first = dib.hDib();
    ASSERT_TRUE(dib.Create(5, 1));
    EXPECT_NE(dib.hDib(), first);
    dib.ClearUp();
    dib.ClearUp();
    EXPECT_EQ(dib.hdc(), nullptr);
    EXPECT_EQ(dib.hDib(), 0u);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(std::pair(dib.Width(), dib.Height()), std::pair(5, 1));  // the last size stays
    ASSERT_TRUE(dib.Create(2, 2));
    EXPECT_FALSE(dib.Create(-3, 2));  // a failed creation still empties the buffer
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
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
    EXPECT_EQ(hexRows(dib), "ff0000 ffffff 0000\n0000ff 00ff00 0000\n");
    EXPECT_EQ(dib.toImage(), picture);
    dib.CreateFromPicture(QImage());
    EXPECT_EQ(dib.hdc(), nullptr);
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

TEST(DibSection, CopiesInAndOutClipToBothPictures)
{
    // dest left, dest top, width, height, source left, source top
    const int cases[][6] = {{0, 0, -1, -1, 0, 0},  {0, 0, 0, -1, 0, 0},   {0, 0, -1, 0, 0, 0},
                            {0, 0, 2, 1, 1, 2},    {2, 3, -1, -1, 0, 0},  {-1, -2, -1, -1, 0, 0},
                            {0, 0, -1, -1, -2, -1}, {1, 1, 9, 9, 3, 2}};
    std::mt19937 random(2);
    const QImage picture = randomBuffer(5, 5, random)->toImage();
    QImage grey(6, 4, QImage::Format_RGB32), black(6, 4, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    black.fill(Qt::black);
    cDIBSection dib;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << "," << c[1] << "," << c[2] << "," << c[3] << "," << c[4] << "," << c[5]);
        // In, from each kind of row (32-bit words, both byte orders, Qt's conversion), always to
        // the buffer's top-left corner; the rest of the fresh buffer stays black.
        const int toCorner[6] = {0, 0, c[2], c[3], c[4], c[5]};
        for (const auto format : {QImage::Format_ARGB32, QImage::Format_RGB888, QImage::Format_BGR888,
                                  QImage::Format_Indexed8}) {
            dib.Create(6, 4);
            dib.LoadPictureBlt(picture.convertToFormat(format), c[4], c[5], c[2], c[3]);
            EXPECT_EQ(dib.toImage(), modelCopy(picture, black, toCorner, {6, 4})) << "format " << format;
        }
        // Out: into images whose rows are written directly or through Qt, and through a painter.
        dib.CreateFromPicture(picture);
        const QImage expected = modelCopy(picture, grey, c, {5, 5});
        for (const auto format : {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_RGBX8888}) {
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
    dib.Create(3, 2);
    dib.RandomiseBits(false, 4);
    MessageCapture capture;
    EXPECT_FALSE(dib.CopyToClipboard(true));
    ASSERT_EQ(capture.messages().size(), 1u);
    const MessageRequest &m = capture.messages().front();
    EXPECT_EQ(m.text, QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"));
    EXPECT_EQ(std::tuple(m.icon, m.buttons, m.title), std::tuple(MsgIcon::None, MsgButtons::Ok, appTitle()));
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));
    EXPECT_TRUE(dib.CopyToClipboard(false));
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), dib.toImage());
}

TEST(DibSection, RandomiseBitsFillsPixelsButNeverPadding)
{
    for (const bool gray : {true, false}) {
        cDIBSection dib;
        dib.Create(5, 7);
        dib.RandomiseBits(gray, 99);
        const ConstByteView view = dib.bytes();
        std::set<int> greens;
        for (int r = 0; r < 7; ++r) {
            EXPECT_EQ(view(15, r), 0) << "padding";
            for (int b = 0; b < 15; b += 3) {
                const int blue = view(b, r), green = view(b + 1, r), red = view(b + 2, r);
                EXPECT_TRUE(gray ? blue == green && green == red : blue == 0) << b << "," << r;  // grey, or no blue
                greens.insert(green);
            }
        }
        EXPECT_GT(greens.size(), 10u);
    }
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
    EXPECT_EQ(hexRows(dib), "000000 000000 0000\n000000 000000 00ab\n");
}

// The resampling written out step by step, one checked byte access at a time, without tables or
// integer shortcuts: the yardstick the fast kernels are held to, byte for byte.
std::unique_ptr<cDIBSection> referenceResample(const cDIBSection &source, std::int32_t newHeight,
                                               std::int32_t newWidth)
{
    auto destination = std::make_unique<cDIBSection>();
    destination->Create(newWidth, newHeight);
    const ConstByteView src = source.bytes();
    const ByteView dst = destination->bytes();
    const float xScale = static_cast<float>(static_cast<double>(source.Width() - 1) / newWidth);
    const float yScale = static_cast<float>(static_cast<double>(source.Height() - 1) / newHeight);
    for (std::int32_t i = 0; i < newHeight; ++i) {
        const float sy = static_cast<float>(static_cast<double>(yScale) * i);
        const auto y0 = static_cast<std::int32_t>(std::floor(sy));
        const float fy = sy - static_cast<float>(y0);
        for (std::int32_t j = 0; j < newWidth; ++j) {
            const float sx = static_cast<float>(static_cast<double>(xScale) * j);
            const auto x0 = static_cast<std::int32_t>(std::floor(sx));
            const float fx = sx - static_cast<float>(x0);
            const std::int32_t b = 3 * x0;
            int column[6];  // blue, green, red at x0, then at x0 + 1
            for (int t = 0; t < 6; ++t)
                column[t] = CLng((1.0 - double(fy)) * src(b + t, y0) + double(fy) * src(b + t, y0 + 1));
            for (int c = 0; c < 3; ++c)
                dst(3 * j + c, i) = CByte((1.0 - double(fx)) * column[c] + double(fx) * column[c + 3]);
        }
    }
    return destination;
}

// Every way a resampled buffer is made: through the public Resample (0 threads), and each kernel
// alone and split over threads as Resample runs them after its checks.
using Way = std::pair<resample::Kernel, int>;
const Way ways[] = {{resample::Kernel::Plain, 0}, {resample::Kernel::Plain, 1}, {resample::Kernel::Plain, 3},
                    {resample::Kernel::Avx2, 1},  {resample::Kernel::Avx2, 3}};

std::unique_ptr<cDIBSection> resampleWith(const Way &way, const cDIBSection &source, std::int32_t height,
                                          std::int32_t width)
{
    if (way.second == 0)
        return source.Resample(height, width);
    auto dest = std::make_unique<cDIBSection>();
    dest->Create(width, height);
    resample::run(resample::Plan(source.Width(), source.Height(), width, height),
                  {source.DIBSectionBitsPtr(), source.BytesPerScanLine(), dest->DIBSectionBitsPtr(),
                   dest->BytesPerScanLine()},
                  way.first, way.second);
    return dest;
}

std::vector<std::uint8_t> allBytes(const cDIBSection &dib)
{
    const ConstByteView view = dib.bytes();
    return {view.rowPointer(0), view.rowPointer(0) + std::size_t(view.bytesPerRow()) * view.rows()};
}

void expectEveryWayMatches(const cDIBSection &source, std::int32_t height, std::int32_t width)
{
    const std::vector<std::uint8_t> expected = allBytes(*referenceResample(source, height, width));
    for (const Way &way : ways) {
        if (way.second > 0 && !resample::isAvailable(way.first))
            continue;  // a kernel this processor lacks
        const auto actual = resampleWith(way, source, height, width);
        ASSERT_TRUE(actual);
        EXPECT_TRUE(allBytes(*actual) == expected)
            << "kernel " << int(way.first) << ", " << way.second << " threads: " << source.Width() << "x"
            << source.Height() << " -> " << width << "x" << height;
    }
}

TEST(Resample, WorkedExampleTwoByTwoToFourByThree)
{
    // Memory rows of 2 pixels (blue, green, red) and 2 bytes of padding, row 0 first.
    cDIBSection source;
    source.Create(2, 2);
    const std::uint8_t worked[] = {0, 0, 0, 200, 100, 10, 0, 0, 40, 80, 120, 255, 255, 255, 0, 0};
    std::copy(std::begin(worked), std::end(worked), source.DIBSectionBitsPtr());
    // Red 02 and 08 in row 0 are the ties 2.5 and 7.5; nothing reaches ffffff.
    EXPECT_EQ(hexRows(*referenceResample(source, 3, 4)), "000000 321902 643205 964b08\n"
                                                          "0d1b28 403a35 745a42 a7794f\n"
                                                          "1b3550 505a67 84807e b8a696\n");
    expectEveryWayMatches(source, 3, 4);
    // Two pixels wide to four: the first pixel, then the 3:1, 1:1 and 1:3 blends (127.5 -> 128).
    const std::uint8_t pair[] = {255, 0, 1, 0, 255, 0};
    std::copy(std::begin(pair), std::end(pair), source.DIBSectionBitsPtr());
    EXPECT_EQ(hexRows(*source.Resample(2, 4)).substr(0, 28), "ff0001 bf4001 808000 40bf00\n");
}

TEST(Resample, EveryWayMatchesTheReferenceOnRandomSourcesAndSizes)
{
    std::mt19937 random(20240611);
    const auto size = [&random](int lo, int hi) { return std::int32_t(lo + int(random() % unsigned(hi - lo + 1))); };
    for (int n = 0; n < 3000 && !HasFailure(); ++n) {
        std::int32_t sw = n % 5 == 0 ? 2 : size(2, 70), sh = n % 7 == 0 ? 2 : size(2, 70);
        std::int32_t dw = size(1, 160), dh = size(1, 160);
        // Exact scales such as 1/4 or 1/256 make weights that are multiples of 1/256, the only
        // ones whose blends can end in an exact half.
        if (n % 8 == 1)
            sw = size(2, 3), dw = (sw - 1) << size(0, 8), dh = size(1, 40);
        else if (n % 8 == 5)
            sh = size(2, 3), dh = (sh - 1) << size(0, 8), dw = size(1, 120);
        else if (n % 8 == 3)
            dw = (sw - 1) << size(0, 4), dh = (sh - 1) << size(0, 4);
        if (dw == sw && dh == sh)
            ++dw;
        expectEveryWayMatches(*randomBuffer(sw, sh, random), dh, dw);
    }
    // Page sizes: the typical and the largest page, enlarged and shrunk.
    const int pages[][4] = {{231, 323, 800, 1131}, {100, 141, 1400, 1980}, {1400, 1980, 231, 323},
                            {977, 1381, 1400, 1980}, {2, 2, 1400, 1980},   {1399, 3, 1400, 1980}};
    for (const auto &c : pages) {
        expectEveryWayMatches(*randomBuffer(c[0], c[1], random), c[3], c[2]);
    }
}

TEST(Resample, SameSizeCopiesAndTheOrderIsHeightThenWidth)
{
    std::mt19937 random(3);
    const auto source = randomBuffer(5, 3, random);  // 15 pixel bytes and 1 byte of padding a row
    const auto copy = source->Resample(3, 5);
    ASSERT_TRUE(copy);
    EXPECT_EQ(hexRows(*copy), hexRows(*source));  // padding included
    const auto swapped = source->Resample(5, 3);
    EXPECT_EQ(std::pair(swapped->Width(), swapped->Height()), std::pair(3, 5));
    EXPECT_EQ(hexRows(*swapped), hexRows(*referenceResample(*source, 5, 3)));
}

TEST(Resample, FailuresAndMissingBuffers)
{
    const int cases[][5] = {// width, height, new height, new width, cleared up
                            {1, 1, 2, 2, 0}, {1, 4, 3, 3, 0}, {4, 1, 1, 8, 0}, {1, 3, 6, 1, 0}, {4, 4, 8, 8, 1}};
    for (const auto &c : cases) {
        cDIBSection source;
        source.Create(c[0], c[1]);
        if (c[4])
            source.ClearUp();
        EXPECT_EQ(errorNumberOf([&] { source.Resample(c[2], c[3]); }), err::SubscriptOutOfRange) << c[0] << "x" << c[1];
    }
    cDIBSection source;
    source.Create(1, 4);
    EXPECT_TRUE(source.Resample(4, 1));  // the same size is still a copy
    EXPECT_EQ(source.Resample(0, 5), nullptr);  // no buffer where none can be created
    EXPECT_EQ(errorNumberOf([&] { source.Resample(1, 800'000'000); }), err::Overflow);  // a 2.4 GB row
}

TEST(Resample, KeepsItsResultWhateverTheCallersRoundingMode)
{
    std::mt19937 random(6);
    const auto source = randomBuffer(37, 23, random);
    const std::string expected = hexRows(*referenceResample(*source, 91, 113));
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        const auto result = source->Resample(91, 113);
        const int after = std::fegetround();  // the caller's mode comes back
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(std::pair(after, hexRows(*result)), std::pair(mode, expected));
    }
}

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
TEST(Resample, NoBufferWhenMemoryCannotBeHad)
{
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(1) << 30;  // far below the 1.8 GB asked for, well above what the tests use
    if (old.rlim_cur != RLIM_INFINITY && old.rlim_cur < tight.rlim_cur)
        GTEST_SKIP() << "address space already limited";
    cDIBSection source;
    source.Create(4, 4);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    const bool resampled = source.Resample(30'000, 20'000) != nullptr;
    setrlimit(RLIMIT_AS, &old);
    EXPECT_FALSE(resampled);
}
#endif

}  // namespace
}  // namespace plakatron::test
