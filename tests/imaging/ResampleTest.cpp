// Resample: the worked numbers, the failures, and every fast path against the step-by-step
// reference over thousands of random sources and sizes.
#include "ImagingTestSupport.h"
#include "core/Numeric.h"
#include "imaging/ResampleKernel.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>

namespace plakatron::test {
namespace {

// The resampling written out step by step, one checked byte access at a time, without tables or
// integer shortcuts: the yardstick the fast kernels are held to, byte for byte.
void referenceResampleInto(const cDIBSection &source, cDIBSection &destination)
{
    const ConstByteView src = source.bytes();
    const ByteView dst = destination.bytes();
    const float xScale = static_cast<float>(static_cast<double>(source.Width() - 1) / destination.Width());
    const float yScale = static_cast<float>(static_cast<double>(source.Height() - 1) / destination.Height());
    for (std::int32_t i = 0; i < destination.Height(); ++i) {
        const float sy = static_cast<float>(static_cast<double>(yScale) * i);
        const auto y0 = static_cast<std::int32_t>(std::floor(sy));
        const float fy = sy - static_cast<float>(y0);
        for (std::int32_t j = 0; j < destination.Width(); ++j) {
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
}

// Another size than the source's.
std::unique_ptr<cDIBSection> referenceResample(const cDIBSection &source, std::int32_t newHeight,
                                               std::int32_t newWidth)
{
    auto result = std::make_unique<cDIBSection>();
    result->Create(newWidth, newHeight);
    referenceResampleInto(source, *result);
    return result;
}

// Every way a resampled buffer is made; each must give the reference's bytes.
struct Way {
    const char *name;
    resample::Kernel kernel;
    int threads;  // 0: through the public Resample
};
const Way ways[] = {{"Resample", resample::Kernel::Plain, 0},
                    {"plain", resample::Kernel::Plain, 1},
                    {"plain, 3 threads", resample::Kernel::Plain, 3},
                    {"AVX2", resample::Kernel::Avx2, 1},
                    {"AVX2, 3 threads", resample::Kernel::Avx2, 3}};

// Null for a kernel this processor lacks. Kernels run as Resample runs them after its checks.
std::unique_ptr<cDIBSection> resampleWith(const Way &way, const cDIBSection &source, std::int32_t height,
                                          std::int32_t width)
{
    if (way.threads == 0)
        return source.Resample(height, width);
    if (!resample::isAvailable(way.kernel))
        return nullptr;
    auto dest = std::make_unique<cDIBSection>();
    dest->Create(width, height);
    resample::run(resample::Plan(source.Width(), source.Height(), width, height),
                  {source.DIBSectionBitsPtr(), source.BytesPerScanLine(), dest->DIBSectionBitsPtr(),
                   dest->BytesPerScanLine()},
                  way.kernel, way.threads);
    return dest;
}

void expectEveryWayMatches(const cDIBSection &source, std::int32_t height, std::int32_t width)
{
    const auto expected = referenceResample(source, height, width);
    const ConstByteView e = expected->bytes();
    for (const Way &way : ways) {
        const auto actual = resampleWith(way, source, height, width);
        if (!actual)
            continue;
        const ConstByteView a = actual->bytes();
        if (std::memcmp(a.rowPointer(0), e.rowPointer(0), std::size_t(e.bytesPerRow()) * e.rows()) != 0) {
            ADD_FAILURE() << way.name << ": " << source.Width() << "x" << source.Height() << " -> " << width << "x"
                          << height << "\n"
                          << (e.rows() * e.bytesPerRow() < 600 ? hexRows(*actual) + "expected\n" + hexRows(*expected)
                                                                : std::string());
            return;
        }
    }
}

TEST(Resample, WorkedExampleTwoByTwoToFourByThree)
{
    const auto source = bufferFromRows({{{0, 0, 0}, {200, 100, 10}}, {{40, 80, 120}, {255, 255, 255}}});
    // Red 02 and 08 in row 0 are the ties 2.5 and 7.5; nothing reaches ffffff.
    const char *const expected = "000000 321902 643205 964b08\n"
                                 "0d1b28 403a35 745a42 a7794f\n"
                                 "1b3550 505a67 84807e b8a696\n";
    EXPECT_EQ(hexRows(*referenceResample(*source, 3, 4)), expected);
    for (const Way &way : ways) {
        if (const auto result = resampleWith(way, *source, 3, 4)) {
            EXPECT_EQ(hexRows(*result), expected) << way.name;
        }
    }
}

TEST(Resample, TwoPixelsWideToFourGivesTheFirstPixelThenQuarterBlends)
{
    struct Case {
        Pixel left, right;
        const char *row0;
    };
    const Case cases[] = {{{0, 0, 0}, {4, 2, 6}, "000000 010002 020103 030204"},
                          {{10, 20, 30}, {20, 40, 60}, "0a141e 0c1926 0f1e2d 122334"},
                          {{255, 0, 1}, {0, 255, 0}, "ff0001 bf4001 808000 40bf00"}};
    for (const Case &c : cases) {
        const auto source = bufferFromRows({{c.left, c.right}, {{9, 9, 9}, {9, 9, 9}}});
        const std::string rows = hexRows(*source->Resample(2, 4));
        EXPECT_EQ(rows.substr(0, rows.find('\n')), c.row0);
        expectEveryWayMatches(*source, 2, 4);
    }
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
        cDIBSection source;
        source.Create(sw, sh);
        fillRandom(source, random);
        expectEveryWayMatches(source, dh, dw);
    }
}

TEST(Resample, EveryWayMatchesTheReferenceAtPageSizes)
{
    const int cases[][4] = {{231, 323, 800, 1131}, {100, 141, 1400, 1980}, {1400, 1980, 231, 323},
                            {977, 1381, 1400, 1980}, {2, 2, 1400, 1980},   {1399, 3, 1400, 1980}};
    std::mt19937 random(7);
    for (const auto &c : cases) {
        cDIBSection source;
        source.Create(c[0], c[1]);
        fillRandom(source, random);
        expectEveryWayMatches(source, c[3], c[2]);
    }
}

TEST(Resample, SameSizeCopiesAndTheOrderIsHeightThenWidth)
{
    std::mt19937 random(3);
    cDIBSection source;
    source.Create(5, 3);  // 15 pixel bytes and 1 byte of padding a row
    fillRandom(source, random);
    const auto copy = source.Resample(3, 5);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy->DIBSectionBitsPtr(), source.DIBSectionBitsPtr());
    EXPECT_EQ(hexRows(*copy), hexRows(source));
    const auto swapped = source.Resample(5, 3);
    EXPECT_EQ(swapped->Width(), 3);
    EXPECT_EQ(swapped->Height(), 5);
    EXPECT_EQ(hexRows(*swapped), hexRows(*referenceResample(source, 5, 3)));
}

TEST(Resample, FailsForOnePixelSourcesAndEmptyBuffers)
{
    const int cases[][5] = {// width, height, new height, new width, cleared up
                            {1, 1, 2, 2, 0}, {1, 4, 3, 3, 0}, {4, 1, 1, 8, 0},
                            {1, 3, 6, 1, 0}, {4, 4, 8, 8, 1}, {4, 4, 4, 4, 1}};
    for (const auto &c : cases) {
        cDIBSection source;
        source.Create(c[0], c[1]);
        if (c[4])
            source.ClearUp();
        EXPECT_EQ(errorNumberOf([&] { source.Resample(c[2], c[3]); }), err::SubscriptOutOfRange) << c[0] << "x" << c[1];
    }
    cDIBSection thin;  // the same size is still a copy
    thin.Create(1, 4);
    EXPECT_TRUE(thin.Resample(4, 1));
}

TEST(Resample, ShrinkingReadsOnlyTheTwoNeighboursOfEachSample)
{
    // 10 -> 3 columns samples at 0, 3 and 6 (row 1 has weight 0 at this height).
    std::mt19937 random(5);
    cDIBSection source;
    source.Create(10, 2);
    fillRandom(source, random);
    const std::string before = hexRows(*source.Resample(1, 3));
    const ByteView view = source.bytes();
    for (const int unused : {2, 5, 8, 9})
        view(3 * unused + 1, 0) ^= 0x55;
    EXPECT_EQ(hexRows(*source.Resample(1, 3)), before);
    view(3 * 3 + 1, 0) ^= 0x55;
    EXPECT_NE(hexRows(*source.Resample(1, 3)), before);
}

TEST(Resample, NoBufferWhenTheNewOneCannotBeCreatedOverflowForAbsurdSizes)
{
    cDIBSection source;
    source.Create(4, 4);
    EXPECT_EQ(source.Resample(0, 5), nullptr);
    EXPECT_EQ(source.Resample(5, -1), nullptr);
    EXPECT_EQ(errorNumberOf([&] { source.Resample(1, 800'000'000); }), err::Overflow);  // a 2.4 GB row
}

TEST(Resample, KeepsItsResultWhateverTheCallersRoundingMode)
{
    std::mt19937 random(6);
    cDIBSection source;
    source.Create(37, 23);
    fillRandom(source, random);
    const std::string expected = hexRows(*referenceResample(source, 91, 113));
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        const auto result = source.Resample(91, 113);
        const int after = std::fegetround();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(after, mode);
        EXPECT_EQ(hexRows(*result), expected) << "mode " << mode;
    }
}

}  // namespace
}  // namespace plakatron::test
