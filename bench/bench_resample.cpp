// Nanoseconds per destination pixel of the bilinear resampling at a typical page size
// (231 x 323 -> 800 x 1131) and the largest (100 x 141 -> 1400 x 1980):
//   ours          Resample as the program calls it (new buffer, all cores that pay off)
//   ours_1thread  the fastest kernel on one core, into a buffer made once
//   ours_plain    the portable kernel on one core
//   opencv        cv::resize with INTER_LINEAR, one thread (when built with OpenCV)
//   memset        writing the destination once: the memory-speed floor
// The counter ns_per_px is wall time per destination pixel (the console prints it with an "s"
// after it). On a shared machine run it with --benchmark_repetitions=10 and read the _min rows.
#include "imaging/DibSection.h"
#include "imaging/ResampleKernel.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#ifdef PLAKATRON_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using plakatron::cDIBSection;
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

void registerAll()
{
    for (const Sizes s : {Sizes{231, 323, 800, 1131}, Sizes{100, 141, 1400, 1980}}) {
        const std::string size = std::to_string(s.destWidth) + "x" + std::to_string(s.destHeight);
        const auto add = [&size](const char *name, auto function, auto... arguments) {
            benchmark::RegisterBenchmark(("BM_Resample/" + std::string(name) + "/" + size).c_str(), function,
                                         arguments...)
                ->UseRealTime()
                ->Unit(benchmark::kMicrosecond)
                // With --benchmark_repetitions: the best run, the least disturbed on a shared machine.
                ->ComputeStatistics("min", [](const std::vector<double> &v) {
                    return *std::min_element(v.begin(), v.end());
                });
        };
        add("ours", ours, s);
        add("ours_1thread", kernel, s, resample::fastest());
        add("ours_plain", kernel, s, resample::Kernel::Plain);
#ifdef PLAKATRON_BENCH_OPENCV
        add("opencv", opencv, s);
#endif
        add("memset", floor, s);
    }
}

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv, registerAll); }
