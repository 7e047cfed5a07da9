// SPDX-License-Identifier: GPL-3.0-or-later
// A JPEG whose rows arrive while a print job starts: the same picture Qt's reader gives, for every
// kind of JPEG (the kinds that are not decoded row by row come whole), and a file libjpeg gives up
// on fails with the loader's error when its rows are waited for.

#include "TestFiles.h"
#include "core/RuntimeError.h"
#include "input/PictureLoader.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csetjmp>
#include <cstdio>
#include <gtest/gtest.h>

#include <jpeglib.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

struct JpegKind {
    int hSampling = 2, vSampling = 2;  // of the luminance: 2 x 2 is 4:2:0
    bool progressive = false;
    bool grey = false;
    int restartRows = 0;
    int densityUnit = 0, density = 0;  // 1: dots per inch, 2: per centimetre
};

// `image` as libjpeg writes a JPEG of `kind` (Qt's writer sets none of these).
QByteArray jpegOf(const QImage &image, const JpegKind &kind)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char *bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &bytes, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (kind.grey)
        jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    info.comp_info[0].h_samp_factor = kind.hSampling;
    info.comp_info[0].v_samp_factor = kind.vSampling;
    if (kind.progressive)
        jpeg_simple_progression(&info);
    info.restart_in_rows = kind.restartRows;
    info.density_unit = UINT8(kind.densityUnit);
    info.X_density = info.Y_density = UINT16(kind.density);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar *>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray file(reinterpret_cast<const char *>(bytes), qsizetype(size));
    std::free(bytes);
    return file;
}

// Smooth colours with noise on top, so every block holds detail of its own.
QImage noisy(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 255 / width + int(random.bounded(40))) % 256, (y * 255 / height + int(random.bounded(40))) % 256,
                                      int(random.bounded(256))));
    return image;
}

}  // namespace

TEST(ArrivingJpeg, IsThePictureQtsReaderGivesOfEveryKind)
{
    QTemporaryDir dir;
    const QImage picture = noisy(333, 217);
    const struct { const char *what; QByteArray file; bool arrives; } rows[] = {
        {"4:2:0", jpegOf(picture, {}), true},
        {"4:4:4", jpegOf(picture, {1, 1}), true},
        {"4:2:2", jpegOf(picture, {2, 1}), true},
        {"restart markers", jpegOf(picture, {2, 2, false, false, 1}), true},
        {"dots per inch", jpegOf(picture, {2, 2, false, false, 0, 1, 300}), true},
        {"dots per centimetre", jpegOf(picture, {1, 1, false, false, 0, 2, 118}), true},
        {"a large one", jpegOf(noisy(1500, 1100), {}), true},
        {"1 x 1", jpegOf(noisy(1, 1), {}), true},
        {"progressive", jpegOf(picture, {2, 2, true}), false},
        {"grey", jpegOf(picture, {1, 1, false, true}), false},
        {"turned by its Exif tag", jpegWithOrientation(picture, 6), false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        const QString path = dir.filePath(QStringLiteral("picture.jpg"));
        writeFile(path, r.file);
        const Picture whole = loadPicture(path);
        const Picture arriving = loadPicture(path, {}, PictureRequest{1, true, true});
        const QImage expected = whole.raster();
        const QImage got = arriving.raster();
        EXPECT_EQ(arriving.rowsArrive(), r.arrives);
        EXPECT_FALSE(whole.rowsArrive());
        EXPECT_EQ(got.format(), QImage::Format_RGB32);
        EXPECT_TRUE(got == expected) << "the pixels";
        EXPECT_EQ(std::pair(got.dotsPerMeterX(), got.dotsPerMeterY()), std::pair(expected.dotsPerMeterX(), expected.dotsPerMeterY()));
    }
}

// libjpeg gives up on a marker it does not know after the pixels: Qt's reader calls the file
// damaged, and so does the picture whose rows arrived, once its rows are waited for.
TEST(ArrivingJpeg, AFileLibjpegGivesUpOnFailsWithTheLoadersError)
{
    QTemporaryDir dir;
    QByteArray file = jpegOf(noisy(64, 48), {});
    file.insert(file.size() - 2, QByteArray::fromHex("ffc800040000"));
    const QString path = dir.filePath(QStringLiteral("damaged.jpg"));
    writeFile(path, file);
    const auto failure = [](const std::function<void()> &f) -> std::pair<int, QString> {
        try {
            f();
        } catch (const RuntimeError &e) {
            return {e.number(), e.description()};
        }
        return {0, QString()};
    };
    const auto expected = failure([&] { loadPicture(path); });
    EXPECT_EQ(expected, std::pair(481, QStringLiteral("The JPEG picture is damaged or incomplete and cannot be decoded.")));
    const Picture arriving = loadPicture(path, {}, PictureRequest{1, true, true});
    ASSERT_TRUE(arriving.rowsArrive());
    EXPECT_EQ(failure([&] { arriving.raster(); }), expected);
    EXPECT_FALSE(arriving.complete());
}
