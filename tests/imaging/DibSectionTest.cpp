// SPDX-License-Identifier: GPL-3.0-or-later
// cDIBSection: sizes and their overflow, the bottom-up layout, the checked byte view, copies in
// and out of real Qt images; Resample and ResampleCrop against the
// step-by-step reference and the whole crop, over thousands of random sources and sizes; the
// averaging reduction on one-pixel stripes and smooth pictures against a reference area average.
#include "core/Numeric.h"
#include "imaging/DibSection.h"
#include "imaging/PixelCopy.h"
#include "imaging/ReduceKernel.h"
#include "imaging/ResampleKernel.h"
#include "support/TestSupport.h"
#include "support/WholeCrop.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <array>
#include <functional>
#include <numbers>
#include <random>

namespace plakatron::test {
namespace {

// The number of the run-time error the action fails with; 0 when it does not fail.
int errorNumberOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

// Every byte of the buffer, padding included, row 0 (the bottom of the picture) first.
QByteArray allBytes(const cDIBSection &dib)
{
    const ConstByteView view = dib.bytes();
    return {reinterpret_cast<const char *>(view.rowPointer(0)), view.bytesPerRow() * view.rows()};
}

// A buffer whose pixel bytes are all random, its padding zero.
std::unique_ptr<cDIBSection> randomBuffer(std::int32_t width, std::int32_t height, std::mt19937 &random)
{
    auto dib = std::make_unique<cDIBSection>();
    dib->Create(width, height);
    const ByteView view = dib->bytes();
    for (std::int32_t i = 0; i < 3 * width * height; ++i)
        view(i % (3 * width), i / (3 * width)) = std::uint8_t(random() >> 24);
    return dib;
}

TEST(DibSection, SizesLayoutAndTheCheckedByteView)
{
    // Rows of whole 4-byte words; the size is recorded even where nothing is allocated (height 0).
    const std::int32_t rows[][2] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {715'827'881, 2'147'483'644}};
    for (const auto &c : rows) {
        cDIBSection dib;
        EXPECT_FALSE(dib.Create(c[0], 0));
        EXPECT_EQ(dib.BytesPerScanLine(), c[1]) << c[0];
    }
    cDIBSection dib;
    EXPECT_EQ(errorNumberOf([&] { dib.Create(715'827'882, 1); }), err::Overflow);
    ASSERT_TRUE(dib.Create(2, 2));
    // The rows fit, the whole does not; the failed creation still empties the buffer.
    EXPECT_EQ(errorNumberOf([&] { dib.Create(100'000, 100'000); }), err::Overflow);
    EXPECT_EQ(dib.hdc(), nullptr);
    // Top left red, top right green, bottom left blue, bottom right white: row 0 is the bottom,
    // each pixel blue, green, red, and the padding zero.
    QImage picture(2, 2, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int i = 0; i < 4; ++i)
        picture.setPixel(i % 2, i / 2, colours[i]);
    dib.CreateFromPicture(picture);
    EXPECT_EQ(allBytes(dib).toHex(' '), "ff 00 00 ff ff ff 00 00 00 00 ff 00 ff 00 00 00");
    EXPECT_EQ(dib.toImage(), picture);
    // The view fails outside either range and writes nothing; the padding lies inside it.
    const ByteView view = dib.bytes();
    for (const auto &[byte, row] : {std::pair{8, 0}, {-1, 0}, {0, 2}, {0, -1}})
        EXPECT_EQ(errorNumberOf([&] { view(byte, row) = 0xAB; }), err::SubscriptOutOfRange) << byte << ", " << row;
    view(7, 1) = 0xAB;
    EXPECT_EQ(allBytes(dib).toHex(' '), "ff 00 00 ff ff ff 00 00 00 00 ff 00 ff 00 00 ab");
    dib.ClearUp();  // the size stays
    EXPECT_EQ(std::tuple(dib.hdc(), dib.hDib(), dib.Width(), dib.Height()), std::tuple(nullptr, 0u, 2, 2));
    dib.CreateFromPicture(QImage());
    EXPECT_EQ(dib.hdc(), nullptr);
}

// What a copy of w x h from (sx, sy) to (dx, dy) leaves in dest: the pixels inside both
// pictures copied, the rest unchanged; a negative size means the whole buffer.
QImage modelCopy(const QImage &source, QImage dest, const std::array<int, 6> &c, QSize whole)
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
    const std::array<int, 6> cases[] = {{0, 0, -1, -1, 0, 0},  {0, 0, 0, -1, 0, 0},    {0, 0, -1, 0, 0, 0},
                                        {0, 0, 2, 1, 1, 2},    {2, 3, -1, -1, 0, 0},   {-1, -2, -1, -1, 0, 0},
                                        {0, 0, -1, -1, -2, -1}, {1, 1, 9, 9, 3, 2}};
    std::mt19937 random(2);
    const QImage picture = randomBuffer(5, 5, random)->toImage();
    QImage grey(6, 4, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    cDIBSection dib;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        const QImage loaded = modelCopy(picture, grey, {0, 0, c[2], c[3], c[4], c[5]}, {6, 4});
        const QImage painted = modelCopy(picture, grey, c, {5, 5});
        // Each kind of row: 32-bit words, both byte orders, and one that Qt converts.
        for (const auto format : {QImage::Format_ARGB32, QImage::Format_RGB888, QImage::Format_BGR888,
                                  QImage::Format_RGBX8888}) {
            // In, always to the buffer's top-left corner; the rest of the buffer stays as it was.
            dib.CreateFromPicture(grey);
            dib.LoadPictureBlt(picture.convertToFormat(format), c[4], c[5], c[2], c[3]);
            EXPECT_EQ(dib.toImage(), loaded) << "format " << format;
            // Out.
            dib.CreateFromPicture(picture);
            QImage dest = grey.convertToFormat(format);
            dib.PaintPicture(dest, c[0], c[1], c[2], c[3], c[4], c[5]);
            EXPECT_EQ(dest.convertToFormat(QImage::Format_RGB32), painted) << "format " << format;
        }
    }
    // Any raster operation but a plain copy.
    EXPECT_EQ(errorNumberOf([&] { dib.PaintPicture(grey, 0, 0, -1, -1, 0, 0, 0x660046); }), err::InvalidCall);
    EXPECT_EQ(errorNumberOf([&] { dib.LoadPictureBlt(grey, 0, 0, -1, -1, 0xEE0086); }), err::InvalidCall);
}

// The resampling written out one checked byte at a time, without tables or integer shortcuts:
// the yardstick the fast kernels are held to, byte for byte.
std::unique_ptr<cDIBSection> referenceResample(const cDIBSection &source, std::int32_t newHeight,
                                               std::int32_t newWidth)
{
    auto dest = std::make_unique<cDIBSection>();
    dest->Create(newWidth, newHeight);
    const ConstByteView src = source.bytes();
    const ByteView dst = dest->bytes();
    // The lower source pixel and the upper one's weight for destination index i of an axis.
    const auto sample = [](std::int32_t size, std::int32_t newSize, std::int32_t i) {
        const float s = static_cast<float>(double(static_cast<float>(double(size - 1) / newSize)) * i);
        return std::pair(static_cast<std::int32_t>(std::floor(s)), double(s - std::floor(s)));
    };
    for (std::int32_t i = 0; i < newHeight; ++i) {
        const auto [y, fy] = sample(source.Height(), newHeight, i);
        for (std::int32_t j = 0; j < 3 * newWidth; ++j) {
            const auto [x, fx] = sample(source.Width(), newWidth, j / 3);
            const std::int32_t b = 3 * x + j % 3;
            const double left = CLng((1.0 - fy) * src(b, y) + fy * src(b, y + 1));
            const double right = CLng((1.0 - fy) * src(b + 3, y) + fy * src(b + 3, y + 1));
            dst(j, i) = CByte((1.0 - fx) * left + fx * right);
        }
    }
    return dest;
}

// Each bilinear kernel alone, its rows split over three threads as Resample splits them, and the
// public Resample (one thread below 131,072 pixels) under the caller's rounding mode, which must
// neither change its result nor be lost: all byte for byte the reference. Resample itself only
// interpolates where the new size is at least as large on both axes; smaller, it averages
// (ReduceTest.cpp), and there only the rounding mode is checked here.
void expectEveryWayMatches(const cDIBSection &src, std::int32_t h, std::int32_t w, int rounding = FE_TONEAREST)
{
    SCOPED_TRACE(testing::Message() << src.Width() << 'x' << src.Height() << " to " << w << 'x' << h);
    const QByteArray expected = allBytes(*referenceResample(src, h, w));
    for (const resample::Kernel kernel : {resample::Kernel::Plain, resample::Kernel::Avx2}) {
        cDIBSection dest;
        dest.Create(w, h);
        resample::run(resample::Plan(src.Width(), src.Height(), w, h),
                      {src.DIBSectionBitsPtr(), src.BytesPerScanLine(), dest.DIBSectionBitsPtr(),
                       dest.BytesPerScanLine()},
                      kernel, 3);
        // Without AVX2 the plain kernel stands in.
        EXPECT_TRUE(allBytes(dest) == expected) << "kernel " << int(kernel);
    }
    std::fesetround(rounding);
    const auto resampled = src.Resample(h, w);
    const int after = std::fegetround();
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(after, rounding);
    ASSERT_TRUE(resampled);
    if (w >= src.Width() && h >= src.Height())
        EXPECT_TRUE(allBytes(*resampled) == expected) << "Resample, rounding mode " << rounding;
    else
        EXPECT_TRUE(allBytes(*resampled) == allBytes(*src.Resample(h, w))) << "Resample, rounding mode " << rounding;
}

TEST(Resample, WorkedExampleTwoByTwoToFourByThree)
{
    // Memory rows of 2 pixels (blue, green, red) and 2 bytes of padding, row 0 first.
    cDIBSection source;
    source.Create(2, 2);
    const std::uint8_t worked[] = {0, 0, 0, 200, 100, 10, 0, 0, 40, 80, 120, 255, 255, 255, 0, 0};
    std::copy(std::begin(worked), std::end(worked), source.DIBSectionBitsPtr());
    // Red 02 and 08 in row 0 are the ties 2.5 and 7.5; nothing reaches ffffff.
    EXPECT_EQ(allBytes(*referenceResample(source, 3, 4)).toHex(' '), "00 00 00 32 19 02 64 32 05 96 4b 08 "
                                                      "0d 1b 28 40 3a 35 74 5a 42 a7 79 4f "
                                                      "1b 35 50 50 5a 67 84 80 7e b8 a6 96");
    expectEveryWayMatches(source, 3, 4);
    // Two pixels wide to four: the first pixel, then the 3:1, 1:1 and 1:3 blends (127.5 -> 128).
    const std::uint8_t pair[] = {255, 0, 1, 0, 255, 0};
    std::copy(std::begin(pair), std::end(pair), source.DIBSectionBitsPtr());
    EXPECT_EQ(allBytes(*source.Resample(2, 4)).toHex(' ').left(35), "ff 00 01 bf 40 01 80 80 00 40 bf 00");
}

TEST(Resample, EveryWayMatchesTheReferenceOnRandomSourcesAndSizes)
{
    std::mt19937 random(20240611);
    const auto size = [&random](int lo, int hi) { return lo + int(random() % unsigned(hi - lo + 1)); };
    const int modes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
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
        expectEveryWayMatches(*randomBuffer(sw, sh, random), dh, dw, modes[n / 8 % 4]);
    }
    // Page sizes: the typical and the largest page, enlarged and shrunk.
    const int pages[][4] = {{231, 323, 800, 1131}, {100, 141, 1400, 1980}, {1400, 1980, 231, 323},
                            {977, 1381, 1400, 1980}, {2, 2, 1400, 1980},   {1399, 3, 1400, 1980}};
    for (const auto &c : pages)
        expectEveryWayMatches(*randomBuffer(c[0], c[1], random), c[3], c[2]);
}

TEST(Resample, SameSizeCopiesFailuresAndMissingBuffers)
{
    // Width, height, new height, new width; a width of 0 leaves the source without pixels.
    const int cases[][4] = {{1, 1, 2, 2}, {1, 4, 3, 3}, {4, 1, 1, 8}, {1, 3, 6, 1}, {0, 4, 8, 8}};
    for (const auto &c : cases) {
        cDIBSection dib;
        dib.Create(c[0], c[1]);
        EXPECT_EQ(errorNumberOf([&] { dib.Resample(c[2], c[3]); }), err::SubscriptOutOfRange) << &c - cases;
    }
    // The same size is a copy, padding included, even of a source 1 pixel wide.
    std::mt19937 random(3);
    const auto narrow = randomBuffer(1, 4, random);  // 3 pixel bytes and 1 byte of padding a row
    EXPECT_EQ(allBytes(*narrow->Resample(4, 1)), allBytes(*narrow));
    EXPECT_EQ(narrow->Resample(0, 5), nullptr);  // no buffer where none can be created
    EXPECT_EQ(errorNumberOf([&] { narrow->Resample(1, 800'000'000); }), err::Overflow);  // a 2.4 GB row
}

// A crop read in part must give the bytes of the crop made whole, resampled; and fail where that
// fails. Random pictures of every kind of row, placed anywhere (also partly or wholly outside the
// crop and the picture), to enlargements, reductions by up to 40 times and the same size.
TEST(ResampleCrop, EqualsTheWholeCropResampled)
{
    std::mt19937 random(20250101);
    const auto size = [&random](int lo, int hi) { return lo + int(random() % unsigned(hi - lo + 1)); };
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_RGB32, QImage::Format_ARGB32,
                                      QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888,
                                      QImage::Format_Indexed8};
    cDIBSection gathered;
    for (int n = 0; n < 1500 && !HasFailure(); ++n) {
        QImage picture = randomBuffer(size(1, 30), size(1, 30), random)->toImage();
        const QImage::Format format = formats[n % std::size(formats)];
        if (format == QImage::Format_ARGB32)  // see-through pixels, which the painter blends
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    picture.setPixel(x, y, (picture.pixel(x, y) & 0xFFFFFF) | (random() & 0xFF000000));
        picture = picture.convertToFormat(format);
        PictureCrop crop{n % 50 == 7 ? nullptr : &picture, QSize(size(0, 90), size(0, 90)), {}, {}};
        crop.place(QRect(size(-10, 35), size(-10, 35), size(0, 40), size(0, 40)), QPoint(size(-5, 40), size(-5, 40)));
        std::int32_t w = size(1, 120), h = size(1, 120);
        if (n % 6 == 1) {
            w = crop.size.width(), h = crop.size.height();
        } else if (n % 6 == 2) {
            w = size(1, 4), h = size(1, 4);
        }
        SCOPED_TRACE(testing::Message() << "case " << n << ": " << crop.size.width() << 'x' << crop.size.height()
                                        << " to " << w << 'x' << h << ", format " << format);
        cDIBSection whole;
        whole.CreateFromPicture(wholeCrop(crop));
        std::unique_ptr<cDIBSection> expected, made;
        const int expectedError = errorNumberOf([&] { expected = whole.Resample(h, w); });
        EXPECT_EQ(errorNumberOf([&] { made = cDIBSection::ResampleCrop(crop, h, w, gathered); }), expectedError);
        ASSERT_EQ(made == nullptr, expected == nullptr);
        if (expected) {
            EXPECT_TRUE(allBytes(*made) == allBytes(*expected));
        }
    }
}

// However large the crop, a page costs what its picture part costs: a page of a panorama's cell,
// 100,000 x 140,000 pixels with a 1000 x 300 picture near its top left, which lands in the page's
// top left corner; the rest is white, and nothing is gathered for it.
TEST(ResampleCrop, AHugeMostlyWhiteCropCostsItsPicture)
{
    std::mt19937 random(5);
    const QImage picture = randomBuffer(1000, 300, random)->toImage();
    PictureCrop crop{&picture, QSize(100'000, 140'000), {}, {}};
    crop.place(QRect(-20, 0, 100'000, 140'000), QPoint(1, 500));
    cDIBSection gathered;
    gathered.Create(1600, 2262);  // what an enlarged page before left in it
    const auto page = cDIBSection::ResampleCrop(crop, 1131, 800, gathered);
    ASSERT_TRUE(page);
    EXPECT_EQ(gathered.hdc(), nullptr);
    const QImage image = page->toImage();
    QRect coloured;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                coloured |= QRect(x, y, 1, 1);
    EXPECT_FALSE(coloured.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 10, 10).contains(coloured)) << coloured.x() << ',' << coloured.y() << ' '
                                                        << coloured.width() << 'x' << coloured.height();
}

// Reducing: the bytes of a worked example. Grey rows 00 64 c8 ff (top) and 28 28 28 28 to 2 x 1:
// along the rows, pixel 0 weighs the source pixels 6 : 6 : 2 : 0 (tent heights at distances 0.5,
// 0.5, 1.5 and 2.5 of half-width 2), in 2^-14: 7022, 7021, 2341, giving 71 and 209 (71.43 and
// 209.29 exactly); down the columns 1 : 1, giving (71 + 40 + 1) / 2 = 56 and 125.
TEST(Reduce, WorkedExampleFourByTwoToTwoByOne)
{
    cDIBSection source;
    source.Create(4, 2);
    const std::uint8_t rows[2][4] = {{40, 40, 40, 40}, {0, 100, 200, 255}};  // row 0 is the bottom
    for (int i = 0; i < 24; ++i)
        source.bytes()(i % 12, i / 12) = rows[i / 12][i % 12 / 3];
    EXPECT_EQ(allBytes(*source.Resample(1, 2)).toHex(' '), "38 38 38 7d 7d 7d 00 00");
}

// A picture's rows straight from a Format_RGB32 image, from pixel `from` on, for the kernels.
class ImageRows final : public resample::PictureRows {
public:
    explicit ImageRows(const QImage &image, QPoint from = {}) : image_(image), from_(from) {}
    const std::uint32_t *row(std::int32_t y, std::uint32_t *) const override
    {
        return reinterpret_cast<const std::uint32_t *>(image_.constScanLine(from_.y() + y)) + from_.x();
    }
    std::int32_t readable() const noexcept override { return image_.width() - from_.x(); }
    std::size_t scratchPixels() const noexcept override { return 0; }

private:
    const QImage &image_;
    QPoint from_;
};

// The bytes each reducing kernel makes of the rows (on three threads): the same for both.
QByteArray reducedByEachKernel(const resample::Reduction &plan, const resample::PictureRows &rows, std::int32_t w,
                               std::int32_t h)
{
    QByteArray first;
    for (const resample::Kernel kernel : {resample::Kernel::Plain, resample::Kernel::Avx2}) {
        cDIBSection dest;
        dest.Create(w, h);
        EXPECT_TRUE(resample::reduce(plan, rows, {dest.DIBSectionBitsPtr(), dest.BytesPerScanLine()}, kernel, 3));
        if (first.isEmpty())
            first = allBytes(dest);
        EXPECT_TRUE(allBytes(dest) == first) << "kernel " << int(kernel);
    }
    return first;
}

// The picture at w x h from each kernel and from Resample: all the same bytes.
QImage reduced(const QImage &picture, std::int32_t w, std::int32_t h)
{
    const resample::Reduction plan(picture.width(), picture.height(), w, h, 0, 0, picture.width(), picture.height());
    const QByteArray kernels = reducedByEachKernel(plan, ImageRows(picture), w, h);
    cDIBSection whole;
    whole.CreateFromPicture(picture);
    const auto page = whole.Resample(h, w);
    EXPECT_TRUE(allBytes(*page) == kernels) << "Resample";
    return page->toImage();
}

// The kernels byte for byte on random pictures with white around them (in any part of the source,
// over its edges, or outside it), reduced along one axis or both, by factors up to 40 and at
// widths that leave every tail of the 32-byte blocks: the shares of white, the picture's last
// pixels read one at a time, bands on three threads.
TEST(Reduce, KernelsAgreeOnPicturesPlacedAnywhere)
{
    std::mt19937 random(2026);
    const auto size = [&random](int lo, int hi) { return lo + int(random() % unsigned(hi - lo + 1)); };
    for (int n = 0; n < 400 && !HasFailure(); ++n) {
        const QImage picture = randomBuffer(size(1, 70), size(1, 70), random)->toImage();
        const int sw = size(2, 300), sh = size(2, 300), left = size(-40, sw), top = size(-40, sh);
        const int w = n % 3 == 1 ? size(sw, sw + 40) : size(1, sw - 1);
        const int h = n % 3 == 2 ? size(sh, sh + 40) : size(1, sh - 1);
        SCOPED_TRACE(testing::Message() << "case " << n << ": " << sw << 'x' << sh << " to " << w << 'x' << h);
        const resample::Reduction plan(sw, sh, w, h, left, top, picture.width(), picture.height());
        reducedByEachKernel(plan, ImageRows(picture, QPoint(plan.pictureLeft - left, plan.pictureTop - top)), w, h);
    }
}

// Mean and standard deviation of one channel (0 blue, 1 green, 2 red) over the rectangle.
std::pair<double, double> spread(const QImage &image, int channel, QRect area)
{
    double sum = 0, squares = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const double v = (image.pixel(x, y) >> (8 * channel)) & 0xFF;
            sum += v;
            squares += v * v;
        }
    const double n = double(area.width()) * area.height(), mean = sum / n;
    return {mean, std::sqrt(std::max(0.0, squares / n - mean * mean))};
}

// The exact mean of each channel over the source area each page pixel covers.
std::vector<double> areaAverage(const QImage &picture, int w, int h)
{
    const double fx = double(picture.width()) / w, fy = double(picture.height()) / h;
    const auto overlap = [](int i, double from, double to) {
        return std::max(0.0, std::min(i + 1.0, to) - std::max(double(i), from));
    };
    std::vector<double> result(std::size_t(w) * h * 3);
    for (int j = 0; j < h; ++j)
        for (int y = int(j * fy); y < std::min(picture.height(), int(std::ceil((j + 1) * fy))); ++y)
            for (int i = 0; i < w; ++i)
                for (int x = int(i * fx); x < std::min(picture.width(), int(std::ceil((i + 1) * fx))); ++x) {
                    const double share =
                        overlap(x, i * fx, (i + 1) * fx) * overlap(y, j * fy, (j + 1) * fy) / (fx * fy);
                    for (int c = 0; c < 3; ++c)
                        result[(std::size_t(j) * w + i) * 3 + c] += share * ((picture.pixel(x, y) >> (8 * c)) & 0xFF);
                }
    return result;
}

// One-pixel stripes (blue across, red down, green a checkerboard) and a smooth picture (waves of
// 16 page pixels and more), reduced by factors from 1.01 to 40 to a page of 61 x 50 pixels. The
// stripes become an even grey from a factor of 2 on (below it they are finer than half a page
// pixel's detail can show either way); the smooth picture stays within 2 levels of the exact
// area average on average.
TEST(Reduce, StripesTurnGreySmoothPicturesKeepTheirAreaAverage)
{
    const int w = 61, h = 50;
    for (const double factor : {1.01, 1.3, 2.0, 2.5, 3.0, 4.7, 10.0, 40.0}) {
        SCOPED_TRACE(testing::Message() << "factor " << factor);
        const int sw = int(std::lround(w * factor)), sh = int(std::lround(h * factor));
        QImage stripes(sw, sh, QImage::Format_RGB32), smooth(sw, sh, QImage::Format_RGB32);
        const double wave = 16 * factor;
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                stripes.setPixel(x, y, qRgb(y % 2 * 255, (x + y) % 2 * 255, x % 2 * 255));
                const auto level = [&](double phase) {
                    const double angle = 2 * std::numbers::pi * (x / wave + y / (1.3 * wave)) + phase;
                    return int(std::lround(128 + 100 * std::sin(angle)));
                };
                smooth.setPixel(x, y, qRgb(level(0), level(2), level(4)));
            }
        const QImage grey = reduced(stripes, w, h);
        for (int c = 0; c < 3; ++c) {
            const auto [mean, deviation] = spread(grey, c, grey.rect());
            EXPECT_NEAR(mean, 127.5, 3) << "channel " << c;
            if (factor >= 2) {
                EXPECT_LT(deviation, 10) << "channel " << c;
            }
        }
        const QImage page = reduced(smooth, w, h);
        const std::vector<double> expected = areaAverage(smooth, w, h);
        double off = 0;
        for (std::size_t k = 0; k < expected.size(); ++k)
            off += std::abs(((page.pixel(int(k / 3 % w), int(k / 3 / w)) >> (8 * (k % 3))) & 0xFF) - expected[k]);
        EXPECT_LT(off / double(expected.size()), 2);
    }
}

// An axis that grows keeps the bilinear positions while the other shrinks: a picture that changes
// only down its rows (or only across) comes out as the bilinear enlargement of that one profile,
// within the one level that the finer weights of the enlargement may round differently.
TEST(Reduce, AnAxisThatGrowsKeepsTheBilinearPositions)
{
    std::mt19937 random(26);
    struct Row {
        QSize picture, page;
        bool downTheRows;  // the picture changes down its rows: the width shrinks, the height grows
    };
    const Row rows[] = {{{300, 40}, {97, 131}, true}, {{41, 2}, {13, 9}, true}, {{60, 500}, {143, 61}, false}};
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << "page " << r.page.width() << 'x' << r.page.height());
        const QImage line = randomBuffer(r.downTheRows ? 1 : r.picture.width(), r.downTheRows ? r.picture.height() : 1,
                                         random)->toImage();
        QImage picture(r.picture, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, r.downTheRows ? line.pixel(0, y) : line.pixel(x, 0));
        // Two columns (rows) of the picture, which the enlargement needs at least.
        cDIBSection narrow;
        narrow.CreateFromPicture(
            picture.copy(0, 0, r.downTheRows ? 2 : picture.width(), r.downTheRows ? picture.height() : 2));
        const QImage expected = narrow.Resample(r.downTheRows ? r.page.height() : 2, r.downTheRows ? 2 : r.page.width())
                                    ->toImage();
        const QImage page = reduced(picture, r.page.width(), r.page.height());
        int worst = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb a = page.pixel(x, y), b = r.downTheRows ? expected.pixel(0, y) : expected.pixel(x, 0);
                for (int c = 0; c < 24; c += 8)
                    worst = std::max(worst, std::abs(int((a >> c) & 0xFF) - int((b >> c) & 0xFF)));
            }
        EXPECT_LE(worst, 1);
    }
}

}  // namespace
}  // namespace plakatron::test

// 32-bit rows to blue, green and red bytes as Qt converts them, at every width around the four
// and the eight pixels taken at once, and only the bytes of the row written.
TEST(PixelCopy, ThirtyTwoBitRowsBecomeQtsBlueGreenRed)
{
    for (const int width : {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 17, 18, 19, 1001}) {
        QImage row(width, 1, QImage::Format_RGB32);
        for (int x = 0; x < width; ++x)
            row.setPixel(x, 0, qRgb((x * 37 + 11) & 255, (x * 91 + 200) & 255, (x * 53 + 7) & 255));
        const QImage expected = row.convertToFormat(QImage::Format_BGR888);
        std::vector<std::uint8_t> bgr(std::size_t(width) * 3 + 1, 0xa5);
        plakatron::pixelcopy::toBgr(row.format(), row.constScanLine(0), bgr.data(), width);
        EXPECT_EQ(0, std::memcmp(bgr.data(), expected.constScanLine(0), std::size_t(width) * 3)) << width;
        EXPECT_EQ(bgr.back(), 0xa5) << width;
    }
}
