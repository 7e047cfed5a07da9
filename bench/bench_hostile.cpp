// SPDX-License-Identifier: GPL-3.0-or-later
// How long the worst hostile pictures take to load: metafiles that once crashed the drawing or
// ran for minutes, JPEGs of thousands of scans, a picture padded to gigabytes, an icon holding a
// picture larger than it says, PNG text bombs, HEIC and AVIF canvases larger than their boxes say,
// grids of thousands of tiles. Each case is loaded once per run; the label says what came of it
// (the size, or the error number). Every case must end well within the loader's budgets.
//   build/bench/bench_hostile [--benchmark_filter=...]
#include "BenchMain.h"
#include "HostileFiles.h"
#include "TestFiles.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

using namespace plakatron;

namespace {

QString saved(const QString &name, const QByteArray &bytes, qint64 paddedTo = 0)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        if (paddedTo > bytes.size())
            file.resize(paddedTo);  // a sparse tail of zeros: nothing is written to disk
    }
    return path;
}

void loadOnce(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        try {
            const QImage image = loadPicture(path).raster();
            state.SetLabel(QStringLiteral("%1 x %2").arg(image.width()).arg(image.height()).toStdString());
        } catch (const RuntimeError &e) {
            state.SetLabel(QStringLiteral("error %1: %2").arg(e.number()).arg(e.description().left(60)).toStdString());
        }
    }
}

// A tile of one colour, side x side.
QImage tile(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

void registerAll()
{
    using namespace plakatron::test;
    const std::pair<const char *, std::function<QString()>> cases[] = {
        {"flood_maze", [] { return saved("maze.wmf", floodMaze(6000, 20, 0x0419)); }},
        {"flood_maze_surface", [] { return saved("maze-surface.wmf", floodMaze(6000, 20, 0x0548, 1)); }},
        {"polyline_440_points_wide_pen", [] { return saved("polyline.wmf", thickPolyline(6000, 440, 30000)); }},
        {"polyline_32767_points_wide_pen", [] { return saved("polyline-max.wmf", thickPolyline(6000, 32767, 30000)); }},
        {"textout_2000_characters", [] { return saved("text-2000.wmf", longText(2000, false)); }},
        {"textout_32000_characters", [] { return saved("text.wmf", longText(32000, false)); }},
        {"exttextout_32000_characters", [] { return saved("exttext.wmf", longText(32000, true)); }},
        {"savedc_200000", [] { return saved("savedc.wmf", manySaveDc(200000)); }},
        {"font_as_tall_as_6000_pixels", [] { return saved("font.wmf", hugeFont(6000)); }},
        {"jpeg_3000_scans_249mp", [] { return saved("scans-249mp.jpg", jpegScanBomb(15800, 15800, 3000)); }},
        {"jpeg_100_scans_249mp", [] { return saved("scans-100.jpg", jpegScanBomb(15800, 15800, 100)); }},
        {"jpeg_20000_scans_4mp", [] { return saved("scans-4mp.jpg", jpegScanBomb(2000, 2000, 20000)); }},
        {"jpeg_padded_to_3gb", [] {
             QImage image(64, 48, QImage::Format_RGB32);
             image.fill(Qt::darkCyan);
             return saved("padded.jpg", encode(image, "jpeg"), 3LL * 1024 * 1024 * 1024);
         }},
        {"icon_16_holding_png_16300", [] { return saved("large.ico", iconWithPng(16, 16300, true)); }},
        {"icon_256_holding_png_16300", [] { return saved("large-256.ico", iconWithPng(256, 16300, true)); }},
        // Text chunks before the pixels, each inflating to 7.9 MB.
        {"png_250_ztxt_chunks", [] { return saved("text.png", pngWithText(64, 250, 7'900'000, false)); }},
        {"png_250_itxt_chunks", [] { return saved("itext.png", pngWithText(64, 250, 7'900'000, true)); }},
        // Canvases of 3600 megapixels over image-size boxes of 224 x 224; 19881 tiles sharing one.
        {"heic_grid_60000_over_224", [] { return saved("grid.heic", makeHeifDerived(tile(224), false, {"grid", 1, 1, {60000, 60000}, {224, 224}})); }},
        {"avif_grid_60000_over_224", [] { return saved("grid.avif", makeHeifDerived(tile(224), true, {"grid", 1, 1, {60000, 60000}, {224, 224}})); }},
        {"heic_overlay_60000", [] { return saved("overlay.heic", makeHeifDerived(tile(224), false, {"iovl", 1, 1, {60000, 60000}, {224, 224}})); }},
        {"heic_grid_19881_tiles", [] { return saved("tiles.heic", makeHeifDerived(tile(112), false, {"grid", 141, 141, {15792, 15792}, {15792, 15792}})); }},
        {"heic_grid_10_bit_236mp", [] { return saved("deep.heic", makeHeifDerived(tile(1024), false, {"grid", 15, 15, {15360, 15360}, {15360, 15360}, 10})); }},
    };
    for (const auto &[name, make] : cases) {
        benchmark::RegisterBenchmark(name, [make = make](benchmark::State &state) { loadOnce(state, make()); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->UseRealTime();
    }
}

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv, registerAll); }
