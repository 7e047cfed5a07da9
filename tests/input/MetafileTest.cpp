// Windows metafiles drawn through libwmf: natural size, where the drawing lands, and files that
// must be refused with a clear error.
#include "TestFiles.h"
#include "core/RuntimeError.h"
#include "input/Metafile.h"
#include "input/MetafileRecords.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace plakatron;
using plakatron::test::MetafileBuilder;

namespace {

const QColor red(255, 0, 0);
constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb redPixel = 0xFFFF0000;

// A placeable 1-inch square (96 x 96 pixels) with a red square over its bottom-right quarter,
// set up with the mapping records the case gives.
QByteArray quarterSquare(const std::function<void(MetafileBuilder &)> &mapping, int left = 0, int top = 0)
{
    MetafileBuilder b;
    b.placeable(left, top, left + 1440, top + 1440, 1440);
    mapping(b);
    b.solidFill(red).rectangle(left + 720, top + 720, left + 1440, top + 1440);
    return b.bytes();
}

struct SizeCase {
    const char *name;
    int left, top, right, bottom, unitsPerInch;
    int width, height;
};

class PlaceableSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PlaceableSize, FrameAt96Dpi)
{
    const SizeCase &c = GetParam();
    MetafileBuilder b;
    b.placeable(c.left, c.top, c.right, c.bottom, c.unitsPerInch).solidFill(red).rectangle(c.left, c.top, c.right, c.bottom);
    const QImage image = renderMetafile(b.bytes());
    EXPECT_EQ(image.size(), QSize(c.width, c.height));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
}

INSTANTIATE_TEST_SUITE_P(Metafile, PlaceableSize,
                         ::testing::Values(SizeCase{"inch_twips", 0, 0, 1440, 1440, 1440, 96, 96},
                                           SizeCase{"wide", 0, 0, 2880, 1440, 1440, 192, 96},
                                           SizeCase{"offset_frame", 100, 200, 1540, 1640, 1440, 96, 96},
                                           SizeCase{"negative_origin", -720, -720, 720, 720, 1440, 96, 96},
                                           SizeCase{"units_576", 0, 0, 5760, 2880, 576, 960, 480},
                                           SizeCase{"units_1000_rounded", 0, 0, 1234, 1000, 1000, 118, 96},
                                           SizeCase{"tiny_is_one_pixel", 0, 0, 7, 7, 1440, 1, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

// However the metafile sets up its coordinates, its frame fills the picture and the drawing
// stays where it is in the frame (it is not stretched over the whole picture).
struct MappingCase {
    const char *name;
    int left, top;
    std::function<void(MetafileBuilder &)> mapping;
};

class PlaceableMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(PlaceableMapping, DrawingKeepsItsPlaceInTheFrame)
{
    const MappingCase &c = GetParam();
    const QImage image = renderMetafile(quarterSquare(c.mapping, c.left, c.top));
    ASSERT_EQ(image.size(), QSize(96, 96));
    EXPECT_EQ(image.pixel(20, 20), white);
    EXPECT_EQ(image.pixel(70, 20), white);
    EXPECT_EQ(image.pixel(20, 70), white);
    EXPECT_EQ(image.pixel(60, 60), redPixel);
    EXPECT_EQ(image.pixel(90, 90), redPixel);
}

INSTANTIATE_TEST_SUITE_P(
    Metafile, PlaceableMapping,
    ::testing::Values(MappingCase{"no_mapping_records", 0, 0, [](MetafileBuilder &) {}},
                      MappingCase{"window_org_and_ext", 100, 200,
                                  [](MetafileBuilder &b) { b.windowOrg(100, 200).windowExt(1440, 1440); }},
                      MappingCase{"anisotropic", 100, 200,
                                  [](MetafileBuilder &b) { b.mapMode(8).windowOrg(100, 200).windowExt(1440, 1440); }},
                      MappingCase{"anisotropic_viewport", 0, 0,
                                  [](MetafileBuilder &b) { b.mapMode(8).windowExt(1440, 1440).viewportExt(300, 300); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Metafile, BitmapRecordIsDrawnTheRightWayUp)
{
    constexpr QRgb blue = 0xFF0000FF, green = 0xFF00FF00;
    MetafileBuilder b;
    // 8 x 8 pixels in four single-coloured quarters; libwmf blends neighbours when it scales, so
    // the quarters' middles are compared.
    std::vector<std::vector<QRgb>> rows;
    for (int y = 0; y < 8; ++y) {
        std::vector<QRgb> row;
        for (int x = 0; x < 8; ++x)
            row.push_back(y < 4 ? (x < 4 ? redPixel : white) : (x < 4 ? blue : green));
        rows.push_back(row);
    }
    b.placeable(0, 0, 1440, 1440, 1440).stretchDib(0, 0, 1440, 1440, rows);
    const QImage image = renderMetafile(b.bytes());
    ASSERT_EQ(image.size(), QSize(96, 96));
    EXPECT_EQ(image.pixel(24, 24), redPixel);
    EXPECT_EQ(image.pixel(72, 24), white);
    EXPECT_EQ(image.pixel(24, 72), blue);
    EXPECT_EQ(image.pixel(72, 72), green);
}

TEST(Metafile, PlaceableWithoutDrawingIsAWhiteFrame)
{
    MetafileBuilder b;
    b.placeable(0, 0, 2880, 1440, 1440);
    const QImage image = renderMetafile(b.bytes());
    ASSERT_EQ(image.size(), QSize(192, 96));
    EXPECT_EQ(image.pixel(0, 0), white);
    EXPECT_EQ(image.pixel(191, 95), white);
}

TEST(Metafile, WithoutPlaceableHeaderTheDrawingFillsLibwmfsEstimate)
{
    // 201 x 101 device units drawn: under 1024 x 1024, so counted as points: 268 x 134 at 96 dpi.
    MetafileBuilder b;
    b.solidFill(red).ellipse(200, 100, 400, 200);
    const QImage image = renderMetafile(b.bytes());
    EXPECT_EQ(image.size(), QSize(268, 134));
    EXPECT_EQ(image.pixel(134, 67), redPixel);  // the centre of the ellipse
    EXPECT_EQ(image.pixel(2, 2), white);        // outside it, in the corner
}

TEST(Metafile, LargeExtentWithoutPlaceableHeaderCountsAsTwips)
{
    MetafileBuilder b;
    b.solidFill(red).rectangle(0, 0, 14400, 7200);
    const QImage image = renderMetafile(b.bytes());
    EXPECT_NEAR(image.width(), 960, 1);
    EXPECT_NEAR(image.height(), 480, 1);
    EXPECT_EQ(image.pixel(480, 240), redPixel);
}

TEST(Metafile, WrongLargestRecordFieldIsCorrected)
{
    MetafileBuilder b;
    b.placeable(0, 0, 1440, 1440, 1440).solidFill(red).rectangle(0, 0, 1440, 1440).headerMaxRecord(0xFFFFFFFF);
    EXPECT_EQ(renderMetafile(b.bytes()).pixel(48, 48), redPixel);
}

TEST(Metafile, MissingEndRecordIsTolerated)
{
    MetafileBuilder b;
    b.placeable(0, 0, 1440, 1440, 1440).solidFill(red).rectangle(0, 0, 1440, 1440);
    EXPECT_EQ(renderMetafile(b.bytes(false)).pixel(48, 48), redPixel);
}

// Text: a 2 x 1 inch frame with "Hi!" in a font of the given height and width, under a window
// of the given extent. libwmf crashed on the last four before its text went through a check.
struct TextCase {
    const char *name;
    int height, width;
    int windowHeight;
    bool visible;
};

class MetafileText : public ::testing::TestWithParam<TextCase> {};

int darkPixels(const QImage &image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

TEST_P(MetafileText, IsDrawnOrLeftOutButNeverCrashes)
{
    const TextCase &c = GetParam();
    MetafileBuilder b;
    b.placeable(0, 0, 2880, 1440, 1440).mapMode(8).windowExt(2880, c.windowHeight);
    // CREATEFONTINDIRECT: height, width, escapement, orientation, weight 700, face "Arial".
    QByteArray font;
    for (int v : {c.height, c.width, 0, 0, 700})
        font.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    font.append(QByteArray(8, '\0')).append("Arial").append(QByteArray(27, '\0'));
    b.record(0x02FB, font).record(0x012D, {0});
    b.record(0x0521, {3, 'H' | ('i' << 8), '!', c.windowHeight / 7, 200});  // TEXTOUT
    const QImage image = renderMetafile(b.bytes());
    ASSERT_EQ(image.size(), QSize(192, 96));
    if (c.visible) {
        EXPECT_GT(darkPixels(image), 20);
    }
}

INSTANTIATE_TEST_SUITE_P(Metafile, MetafileText,
                         ::testing::Values(TextCase{"ordinary", -480, 0, 1440, true},
                                           TextCase{"default_height", 0, 0, 1440, true},
                                           TextCase{"much_too_wide", -480, 30000, 1440, false},
                                           TextCase{"taller_than_anything", 32767, 0, 1440, false},
                                           TextCase{"stretched_mapping", -480, 0, 1, false}),
                         [](const auto &info) { return std::string(info.param.name); });

// A pen far wider than the picture is drawn 64 pixels wide: gd paints a thick pen point by point
// and would take minutes, covering everything anyway.
TEST(Metafile, HugePenIsLimited)
{
    MetafileBuilder b;
    b.placeable(0, 0, 2880, 2880, 1440);                   // 192 x 192 pixels
    b.record(0x02FA, {0, 30000, 0, 0x00FF, 0}).record(0x012D, {0});  // solid red pen, 30000 wide
    b.record(0x0214, {1440, 0}).record(0x0213, {1440, 2880});        // MOVETO, LINETO across the middle
    const QImage image = renderMetafile(b.bytes());
    ASSERT_EQ(image.size(), QSize(192, 192));
    EXPECT_EQ(image.pixel(96, 96), redPixel);
    EXPECT_EQ(image.pixel(96, 120), redPixel);
    EXPECT_EQ(image.pixel(96, 20), white);
    EXPECT_EQ(image.pixel(96, 170), white);
}

// The bitmap check that keeps libwmf's bitmap reader from running through rows that are not
// there (a header size of 32 made it spin for minutes).
TEST(Metafile, BitmapCheck)
{
    const auto dib = [](quint32 headerSize, qint32 width, qint32 height, int bits, quint32 compression,
                        quint32 colours, qsizetype dataBytes) {
        QByteArray d;
        const auto add = [&d](quint32 v, int n) {
            for (int i = 0; i < n; ++i)
                d.append(char((v >> (8 * i)) & 0xFF));
        };
        add(headerSize, 4), add(quint32(width), 4), add(quint32(height), 4), add(1, 2), add(quint32(bits), 2);
        add(compression, 4), add(0, 4), add(2835, 4), add(2835, 4), add(colours, 4), add(0, 4);
        d.append(QByteArray(qMax<qsizetype>(0, qsizetype(headerSize) - 40), '\0'));
        d.append(QByteArray(dataBytes, '\0'));
        return d;
    };
    struct Case {
        const char *name;
        QByteArray bytes;
        bool sound;
    };
    const Case cases[] = {
        {"24 bit 2 x 2", dib(40, 2, 2, 24, 0, 0, 16), true},
        {"top-down rows", dib(40, 2, -2, 24, 0, 0, 16), true},
        {"8 bit with palette", dib(40, 4, 4, 8, 0, 0, 256 * 4 + 16), true},
        {"8 bit with a short palette", dib(40, 4, 4, 8, 0, 2, 2 * 4 + 16), true},
        {"run-length 8 bit", dib(40, 100, 100, 8, 1, 2, 8 + 4), true},
        {"version 5 header", dib(124, 2, 2, 32, 0, 0, 16), true},
        {"unknown header size", dib(32, 2, 2, 24, 0, 0, 16), false},
        {"rows beyond the record", dib(40, 2, 3, 24, 0, 0, 16), false},
        {"huge width", dib(40, 0x7FFFFFFF, 1, 24, 0, 0, 16), false},
        {"no height", dib(40, 2, 0, 24, 0, 0, 16), false},
        {"7 bits a pixel", dib(40, 2, 2, 7, 0, 0, 16), false},
        {"palette larger than the bits allow", dib(40, 2, 2, 4, 0, 17, 17 * 4 + 8), false},
        {"palette beyond the record", dib(40, 2, 2, 8, 0, 0, 16), false},
        {"jpeg compression", dib(40, 2, 2, 24, 4, 0, 16), false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(metafile::bitmapIsSound(c.bytes), c.sound) << c.name;
}

struct BadCase {
    const char *name;
    QByteArray bytes;
    int number;
    const char *says;
};

class BadMetafile : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadMetafile, FailsWithAClearError)
{
    const BadCase &c = GetParam();
    try {
        renderMetafile(c.bytes);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), c.number);
        EXPECT_TRUE(e.description().contains(QLatin1String(c.says))) << e.description().toStdString();
    }
}

QByteArray truncated(const QByteArray &bytes, qsizetype keep) { return bytes.left(keep); }

QByteArray withRecordSize(quint32 words)
{
    QByteArray bytes = MetafileBuilder().placeable(0, 0, 1440, 1440, 1440).rectangle(0, 0, 10, 10).bytes();
    qToLittleEndian<quint32>(words, bytes.data() + 22 + 18);
    return bytes;
}

QByteArray withBitmapHeaderSize(quint32 size)
{
    QByteArray bytes = MetafileBuilder().placeable(0, 0, 1440, 1440, 1440).stretchDib(0, 0, 1440, 1440, {{redPixel}}).bytes();
    qToLittleEndian<quint32>(size, bytes.data() + 22 + 18 + 6 + 22);  // headers, record header, fixed parameters
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Metafile, BadMetafile,
    ::testing::Values(
        BadCase{"no_units_per_inch", MetafileBuilder().placeable(0, 0, 1440, 1440, 0).bytes(), 481, "inch"},
        BadCase{"inverted_frame", MetafileBuilder().placeable(1440, 0, 0, 1440, 1440).bytes(), 481, "empty or inverted"},
        BadCase{"empty_frame", MetafileBuilder().placeable(0, 0, 0, 1440, 1440).bytes(), 481, "empty or inverted"},
        BadCase{"huge_frame", MetafileBuilder().placeable(-32768, -32768, 32767, 32767, 1).bytes(), 7, "too large"},
        BadCase{"huge_one_side", MetafileBuilder().placeable(0, 0, 32767, 10, 96).bytes(), 7, "32767 x 10 pixels"},
        BadCase{"header_cut_short", truncated(MetafileBuilder().placeable(0, 0, 1440, 1440, 1440).bytes(), 30), 481,
                "header is cut short"},
        BadCase{"not_a_metafile_header", MetafileBuilder().headerType(7).bytes(), 481, "not a Windows metafile"},
        BadCase{"record_of_size_zero", withRecordSize(0), 481, "impossible size"},
        BadCase{"record_beyond_the_file", withRecordSize(0x7FFFFFFF), 481, "ends inside record 1"},
        BadCase{"cut_inside_a_record",
                truncated(MetafileBuilder().solidFill(red).rectangle(0, 0, 10, 10).bytes(), 18 + 20), 481,
                "ends inside record"},
        // Cut off right after a record: the records read are whole, but the header gives more.
        BadCase{"cut_after_a_record",
                [] {
                    const QByteArray whole = MetafileBuilder().solidFill(red).rectangle(0, 0, 10, 10).bytes();
                    return truncated(whole, whole.size() - 6 - 14);  // the end record and the rectangle
                }(),
                481, "ends after record 4, before the end its header gives"},
        BadCase{"placeable_header_alone",
                truncated(MetafileBuilder().placeable(0, 0, 1440, 1440, 1440).solidFill(red).bytes(), 22 + 18), 481,
                "ends after record 0"},
        BadCase{"draws_nothing", MetafileBuilder().bytes(), 481, "draws nothing"},
        BadCase{"bitmap_header_of_unknown_size", withBitmapHeaderSize(32), 481, "bitmap in record 1 cannot be read"},
        // A blit of 8 parameter words is neither the 9 of one without a bitmap nor long enough for one.
        BadCase{"blit_too_short_for_its_bitmap", MetafileBuilder().record(0x0940, {0x20, 0xCC, 0, 0, 9, 9, 0, 0}).bytes(),
                481, "bitmap in record 1 cannot be read"}),
    [](const auto &info) { return std::string(info.param.name); });

// Damaged metafiles from bit flips in a sound one: each must come back as a picture or as a
// RuntimeError, never as a crash or another exception.
TEST(Metafile, DamagedRecordsNeverCrash)
{
    MetafileBuilder b;
    b.placeable(0, 0, 1440, 1440, 1440).mapMode(8).windowExt(1440, 1440).solidFill(red);
    b.record(0x0324, {4, 0, 0, 1440, 0, 1440, 1440, 0, 1440});  // POLYGON
    b.record(0x0538, {2, 3, 3, 0, 0, 700, 0, 0, 700, 800, 800, 1400, 800, 800, 1400});  // POLYPOLYGON
    b.stretchDib(100, 100, 600, 600, {{redPixel, white}, {white, redPixel}});
    const QByteArray sound = b.bytes();
    ASSERT_FALSE(renderMetafile(sound).isNull());

    QRandomGenerator random(20240607);
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = sound;
        const int flips = 1 + random.bounded(4);
        for (int i = 0; i < flips; ++i) {
            const int at = 22 + 18 + random.bounded(int(damaged.size()) - 40);
            damaged[at] = char(random.bounded(256));
        }
        try {
            const QImage image = renderMetafile(damaged);
            EXPECT_FALSE(image.isNull());
        } catch (const RuntimeError &e) {
            ++refused;
            EXPECT_FALSE(e.description().isEmpty());
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
