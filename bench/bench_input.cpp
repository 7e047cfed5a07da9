// SPDX-License-Identifier: GPL-3.0-or-later
// Loading large pictures: a 100-megapixel camera-sized JPEG (the size a poster is made from),
// and a placeable metafile drawn at 24 megapixels. The files are generated on start in a
// temporary folder. Run: build/bench/bench_input
#include "input/PictureLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include "BenchMain.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// 12000 x 8400 = 100.8 megapixels of gradients with sensor-like noise, so the JPEG is about as
// large and as slow to decode as a camera's (some 40 MB at quality 90).
QString hundredMegapixelJpeg()
{
    static const QString path = [] {
        const QString file = folder().filePath("100mp.jpg");
        QImage image(12000, 8400, QImage::Format_RGB32);
        quint32 noise = 12345;
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                noise = noise * 1664525u + 1013904223u;
                const int n = int(noise >> 27);  // 0 ... 31
                line[x] = qRgb(((x / 47) & 0xFF) ^ n, ((y / 33) & 0xFF) ^ n, (((x ^ y) & 0x3F) + n * 4) & 0xFF);
            }
        }
        QImageWriter writer(file, "jpeg");
        writer.setQuality(90);
        if (!writer.write(image))
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        std::fprintf(stderr, "%s: %lld bytes\n", qPrintable(file), QFileInfo(file).size());
        return file;
    }();
    return path;
}

void add16(QByteArray &d, int v) { d.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
void add32(QByteArray &d, quint32 v) { add16(d, int(v & 0xFFFF)), add16(d, int(v >> 16)); }
void record(QByteArray &records, quint16 function, std::initializer_list<int> parameters)
{
    add32(records, quint32(3 + parameters.size()));
    add16(records, function);
    for (int p : parameters)
        add16(records, p);
}

// A placeable metafile of 6000 x 4000 units at 96 units per inch: 6000 x 4000 pixels.
QString largeMetafile()
{
    static const QString path = [] {
        QByteArray records;
        record(records, 0x02FC, {0, 0x00FF, 0x0000, 0});  // red brush
        record(records, 0x012D, {0});
        for (int i = 0; i < 200; ++i) {
            const int x = (i * 97) % 5600, y = (i * 61) % 3600;
            record(records, 0x0324, {3, x, y, x + 400, y, x + 200, y + 400});  // triangles
            record(records, 0x0418, {y + 300, x + 300, y, x});                 // ellipses
        }
        record(records, 0, {});
        QByteArray wmf;
        add32(wmf, 0x9AC6CDD7);
        add16(wmf, 0);
        for (int v : {0, 0, 6000, 4000, 96})
            add16(wmf, v);
        add32(wmf, 0);
        quint16 checksum = 0;
        for (int i = 0; i < 20; i += 2)
            checksum ^= qFromLittleEndian<quint16>(wmf.constData() + i);
        add16(wmf, checksum);
        add16(wmf, 1), add16(wmf, 9), add16(wmf, 0x0300);
        add32(wmf, quint32(9 + records.size() / 2));
        add16(wmf, 1);
        add32(wmf, 9);
        add16(wmf, 0);
        wmf.append(records);
        const QString file = folder().filePath("large.wmf");
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(wmf);
        return file;
    }();
    return path;
}

void LoadJpeg100Megapixels(benchmark::State &state)
{
    const QString path = hundredMegapixelJpeg();
    for (auto _ : state) {
        const QImage image = plakatron::loadPicture(path).raster();
        benchmark::DoNotOptimize(image.constBits());
        state.counters["megapixels"] = double(image.width()) * image.height() / 1e6;
    }
}
BENCHMARK(LoadJpeg100Megapixels)->Unit(benchmark::kMillisecond)->Iterations(3);

void LoadMetafile24Megapixels(benchmark::State &state)
{
    const QString path = largeMetafile();
    for (auto _ : state) {
        const QImage image = plakatron::loadPicture(path).raster();
        benchmark::DoNotOptimize(image.constBits());
        state.counters["megapixels"] = double(image.width()) * image.height() / 1e6;
    }
}
BENCHMARK(LoadMetafile24Megapixels)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char **argv) { return plakatron::bench::runBenchmarks(argc, argv); }
