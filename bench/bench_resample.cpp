// SPDX-License-Identifier: GPL-3.0-or-later
// Nanoseconds per destination pixel of the bilinear resampling at a typical page size
// (231 x 323 -> 800 x 1131) and the largest (100 x 141 -> 1400 x 1980):
//   ours          Resample as the program calls it (new buffer, all cores that pay off)
//   ours_1thread  the fastest kernel on one core, into a buffer made once
//   ours_plain    the portable kernel on one core
//   opencv        cv::resize with INTER_LINEAR, one thread (when built with OpenCV)
//   memset        writing the destination once: the memory-speed floor
// and of the reduction of page 1 of a 6000 x 4000 photograph on 3 sheets (its crop 2060 x 2888)
// to 1400 x 1980 and 800 x 1131, straight from the picture as the page renderer reads it:
//   averaging         ResampleCrop as the program calls it (all cores that pay off)
//   averaging_1thread the fastest averaging kernel on one core
//   averaging_plain   the portable averaging kernel on one core
//   point_samples     what a reduction was before: the bilinear pass over the columns and rows
//                     it reads, gathered from the picture (all cores that pay off)
// The counter ns_per_px is wall time per destination pixel (the console prints it with an "s"
// after it). On a shared machine run it with --benchmark_repetitions=10 and read the _min rows.
#include "imaging/DibSection.h"
#include "imaging/ReduceKernel.h"
#include "imaging/ResampleKernel.h"

#include "BenchMain.h"
#include "SyntheticPhoto.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#ifdef PLAKATRON_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using plakatron::cDIBSection;
using plakatron::PictureCrop;
namespace resample = plakatron::resample;

struct Sizes {
    int sourceWidth, sourceHeight, destWidth, destHeight;
};

void randomPixels(std::uint8_t *bytes, std::size_t count)
{
    std::mt19937 random(1);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = std::uint8_t(random() >> 24);
}

std::unique_ptr<cDIBSection> randomBuffer(int width, int height)
{
    auto dib = std::make_unique<cDIBSection>();
    dib->Create(width, height);
    randomPixels(dib->DIBSectionBitsPtr(), std::size_t(dib->BytesPerScanLine()) * height);
    return dib;
}

void countPixels(benchmark::State &state, const Sizes &s)
{
    // A rate of "billions of pixels" inverted: seconds per 1e9 pixels, i.e. ns per pixel.
    state.counters["ns_per_px"] =
        benchmark::Counter(double(state.iterations()) * s.destWidth * s.destHeight * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void ours(benchmark::State &state, Sizes s)
{
    const auto source = randomBuffer(s.sourceWidth, s.sourceHeight);
    for (auto _ : state) {
        auto result = source->Resample(s.destHeight, s.destWidth);
        benchmark::DoNotOptimize(result->DIBSectionBitsPtr());
    }
    countPixels(state, s);
}

void kernel(benchmark::State &state, Sizes s, resample::Kernel which)
{
    if (!resample::isAvailable(which)) {
        state.SkipWithError("kernel not available on this processor");
        return;
    }
    const auto source = randomBuffer(s.sourceWidth, s.sourceHeight);
    cDIBSection dest;
    dest.Create(s.destWidth, s.destHeight);
    const resample::Plan plan(s.sourceWidth, s.sourceHeight, s.destWidth, s.destHeight);
    const resample::Frame frame{source->DIBSectionBitsPtr(), source->BytesPerScanLine(), dest.DIBSectionBitsPtr(),
                                dest.BytesPerScanLine()};
    for (auto _ : state) {
        resample::run(plan, frame, which, 1);
        benchmark::ClobberMemory();
    }
    countPixels(state, s);
}

void floor(benchmark::State &state, Sizes s)
{
    cDIBSection dest;
    dest.Create(s.destWidth, s.destHeight);
    const std::size_t bytes = std::size_t(dest.BytesPerScanLine()) * s.destHeight;
    int value = 0;
    for (auto _ : state) {
        std::memset(dest.DIBSectionBitsPtr(), ++value & 0xFF, bytes);
        benchmark::ClobberMemory();
    }
    countPixels(state, s);
}

#ifdef PLAKATRON_BENCH_OPENCV
void opencv(benchmark::State &state, Sizes s)
{
    cv::setNumThreads(1);
    cv::Mat source(s.sourceHeight, s.sourceWidth, CV_8UC3);
    randomPixels(source.data, source.total() * source.elemSize());
    cv::Mat dest;
    for (auto _ : state) {
        cv::resize(source, dest, cv::Size(s.destWidth, s.destHeight), 0, 0, cv::INTER_LINEAR);
        benchmark::DoNotOptimize(dest.data);
    }
    countPixels(state, s);
}
#endif

// Page 1 of the photograph on 3 sheets with 3 % overlap: the cell (2000 x 2828) and its overlap,
// copied to (1, 1) of a white crop.
PictureCrop photoCrop()
{
    static const QImage photo = plakatron::bench::syntheticPhoto(6000, 4000);
    PictureCrop crop{&photo, QSize(2060, 2888), {}, {}};
    crop.place(QRect(1, 1, 2060, 2888), QPoint(1, 1));
    return crop;
}

void averaging(benchmark::State &state, Sizes s)
{
    const PictureCrop crop = photoCrop();
    cDIBSection gathered;
    for (auto _ : state) {
        auto page = cDIBSection::ResampleCrop(crop, s.destHeight, s.destWidth, gathered);
        benchmark::DoNotOptimize(page->DIBSectionBitsPtr());
    }
    countPixels(state, s);
}

// The picture's rows as the crop has them (the crop's white edge left aside: the same work).
class PhotoRows final : public resample::PictureRows {
public:
    explicit PhotoRows(const PictureCrop &crop) : crop_(crop) {}
    const std::uint32_t *row(std::int32_t y, std::uint32_t *) const override
    {
        return reinterpret_cast<const std::uint32_t *>(crop_.picture->constScanLine(crop_.part.top() + y))
            + crop_.part.left();
    }
    std::int32_t readable() const noexcept override { return crop_.picture->width() - crop_.part.left(); }
    std::size_t scratchPixels() const noexcept override { return 0; }

private:
    const PictureCrop &crop_;
};

void averagingKernel(benchmark::State &state, Sizes s, resample::Kernel which)
{
    if (!resample::isAvailable(which)) {
        state.SkipWithError("kernel not available on this processor");
        return;
    }
    const PictureCrop crop = photoCrop();
    const resample::Reduction plan(crop.size.width(), crop.size.height(), s.destWidth, s.destHeight, crop.at.x(),
                                   crop.at.y(), crop.part.width(), crop.part.height());
    cDIBSection dest;
    dest.Create(s.destWidth, s.destHeight);
    const PhotoRows rows(crop);
    for (auto _ : state) {
        resample::reduce(plan, rows, {dest.DIBSectionBitsPtr(), dest.BytesPerScanLine()}, which, 1);
        benchmark::ClobberMemory();
    }
    countPixels(state, s);
}

// A reduction as it was made before averaging: positions and weights of the bilinear pass, the
// columns and rows they read gathered from the picture, the pass over those.
void pointSamples(benchmark::State &state, Sizes s)
{
    const PictureCrop crop = photoCrop();
    const std::int32_t width = crop.size.width(), height = crop.size.height();
    cDIBSection gathered, page;
    for (auto _ : state) {
        page.Create(s.destWidth, s.destHeight);
        const resample::Plan whole(width, height, s.destWidth, s.destHeight);
        const std::vector<std::int32_t> columns = resample::readIndices(whole.columns);
        const std::vector<std::int32_t> rows = resample::readIndices(whole.rows);
        std::vector<std::int32_t> rowsFromTop(rows.size());
        std::transform(rows.rbegin(), rows.rend(), rowsFromTop.begin(),
                       [height](std::int32_t r) { return height - 1 - r; });
        gathered.CreateFromCrop(crop, columns, rowsFromTop);
        const resample::Plan plan = whole.gathered(columns, rows);
        resample::run(plan, {gathered.DIBSectionBitsPtr(), gathered.BytesPerScanLine(), page.DIBSectionBitsPtr(),
                             page.BytesPerScanLine()},
                      resample::fastest());
        benchmark::DoNotOptimize(page.DIBSectionBitsPtr());
    }
    countPixels(state, s);
}

// With --benchmark_repetitions: the best run, the least disturbed on a shared machine.
template <typename... Arguments>
void add(const std::string &name, benchmark::TimeUnit unit, Arguments... arguments)
{
    benchmark::RegisterBenchmark(name.c_str(), arguments...)
        ->UseRealTime()
        ->Unit(unit)
        ->ComputeStatistics("min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
}

void registerAll()
{
    for (const Sizes s : {Sizes{231, 323, 800, 1131}, Sizes{100, 141, 1400, 1980}}) {
        const std::string size = "/" + std::to_string(s.destWidth) + "x" + std::to_string(s.destHeight);
        add("BM_Resample/ours" + size, benchmark::kMicrosecond, ours, s);
        add("BM_Resample/ours_1thread" + size, benchmark::kMicrosecond, kernel, s, resample::fastest());
        add("BM_Resample/ours_plain" + size, benchmark::kMicrosecond, kernel, s, resample::Kernel::Plain);
#ifdef PLAKATRON_BENCH_OPENCV
        add("BM_Resample/opencv" + size, benchmark::kMicrosecond, opencv, s);
#endif
        add("BM_Resample/memset" + size, benchmark::kMicrosecond, floor, s);
    }
    for (const Sizes s : {Sizes{2060, 2888, 1400, 1980}, Sizes{2060, 2888, 800, 1131}}) {
        const std::string page = "/photo-page-" + std::to_string(s.destWidth) + "x" + std::to_string(s.destHeight);
        add("BM_Reduce/averaging" + page, benchmark::kMillisecond, averaging, s);
        add("BM_Reduce/averaging_1thread" + page, benchmark::kMillisecond, averagingKernel, s, resample::fastest());
        add("BM_Reduce/averaging_plain" + page, benchmark::kMillisecond, averagingKernel, s, resample::Kernel::Plain);
        add("BM_Reduce/point_samples" + page, benchmark::kMillisecond, pointSamples, s);
    }
}

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv, registerAll); }
