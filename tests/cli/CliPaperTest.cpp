// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-cli with papers, sizes asked for and calibrations: the layout's numeric fields, the
// paper of the printed sheets, the calibration sheet and a printer's calibration, and input that
// makes no poster refused with exit 2.
#include "support/CliRunner.h"
#include "support/PdfTools.h"
#include "support/TestCups.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron::test;

namespace {

QJsonObject layout(const QStringList &options, const QStringList &environment = {})
{
    const CliRun run = runCli(words("layout") + options, environment);
    EXPECT_EQ(run.exitCode, 0) << options.join(u' ').toStdString() << ": " << run.err.toStdString();
    return QJsonDocument::fromJson(run.out).object();
}

// The named fields ("lb..." from the labels), "|"-separated, numbers to five digits.
std::string fields(const QJsonObject &j, const char *keys)
{
    QStringList values;
    for (const QString &key : QString::fromLatin1(keys).split(u' ')) {
        const QJsonValue v = key.startsWith(QLatin1String("lb")) ? j[QStringLiteral("labels")].toObject()[key] : j[key];
        values << (v.isString() ? v.toString()
                   : v.isBool() ? QString::fromLatin1(v.toBool() ? "true" : "false")
                                : QString::number(v.toDouble(), 'g', 5));
    }
    return values.join(u'|').toStdString();
}

}  // namespace

// The labels' numbers, in millimetres and pixels whatever the locale, for the paper and the size
// given as options (every paper and size: the layout's own table).
TEST(CliPaper, LayoutFieldsOfThePaperAndSizeGiven)
{
    const struct { const char *options; const char *fields; } rows[] = {
        {"--paper letter --landscape", "Letter|landscape|3|3|9|762.16|481.18|820|638|77.6|76.2cm|48.1cm"},
        {"--paper A3 --landscape --height 40in", "A3|landscape|5|4|20|1617.4|1016|820|586|51.363|1m  61.7cm|1m  1.6cm"},
    };
    for (const auto &r : rows) {
        const QJsonObject j = layout(words(r.options), {QStringLiteral("LC_ALL=de_DE.UTF-8")});
        EXPECT_EQ(fields(j, "paper orientation gridColumns gridRows pageCount widthMillimetres heightMillimetres "
                            "pageWidthPixels pageHeightPixels printedPixelsPerInch lbFinalImageWidth lbFinalImageHeight"),
                  r.fields) << r.options;
    }
}

// Printed sheets are of the paper chosen, as many as the layout says.
TEST(CliPaper, PrintedSheetsAreOfThePaperChosen)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    const CliRun run = runCli(words("print -o %1 --paper Tabloid --landscape --sheets 2", pdf));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(pdfPageCount(pdf), layout(words("--paper Tabloid --landscape --sheets 2"))[QStringLiteral("pageCount")].toInt());
    EXPECT_EQ(pdfPageSize(pdf).toSize(), QSize(1224, 792));  // 17 x 11 inches
}

// The calibration sheet: one sheet with its two rulers. On a printer, the lengths measured on it
// become the printer's calibration, which the tool's layout for that printer then follows; a
// length a printer cannot have printed is refused and the stored one stays.
TEST(CliPaper, CalibrationSheetAndAPrintersCalibration)
{
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("sheet.pdf"));
    const CliRun printed = runCli(words("calibrate -o %1", sheet));
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    EXPECT_EQ(printed.out.trimmed(), "rulers: across 180 mm, down 270 mm");
    EXPECT_EQ(pdfPageCount(sheet), 1);
    EXPECT_TRUE(pdfText(sheet).contains(QStringLiteral("Across: 180 mm as sent to the printer")));

    PLAKATRON_REQUIRE_TEST_CUPS();
    const double before = layout(words("--printer Office"))[QStringLiteral("widthMillimetres")].toDouble();
    const CliRun stored = runCli(words("calibrate --printer Office --measured 183.6,270"));
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    EXPECT_EQ(stored.out.trimmed(), "calibration of Office: across 1.0200, down 1.0000");
    // The printer stretches across by 2 %; the default page, narrower than A4's printable area by
    // 1.84 %, is drawn that much narrower and fills the area's height: on paper it keeps its shape
    // and prints 1.84 % larger.
    const double after = layout(words("--printer Office"))[QStringLiteral("widthMillimetres")].toDouble();
    EXPECT_NEAR(after / before, 1.0184, 0.0005);
    const CliRun refused = runCli(words("calibrate --printer Office --measured 0,270"));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("a calibration lies between 0.8 and 1.25")) << refused.err.toStdString();
    EXPECT_EQ(layout(words("--printer Office"))[QStringLiteral("widthMillimetres")].toDouble(), after);
    EXPECT_EQ(runCli(words("calibrate --printer Office --measured 180,270")).exitCode, 0);  // none again
    EXPECT_EQ(layout(words("--printer Office"))[QStringLiteral("widthMillimetres")].toDouble(), before);
}

// --resolution takes the window's list for the paper given, up to its 300 ppi, and auto; layout
// says what the print will be (its ppi, the picture's own and whether that blows it up) beside
// the fields it always had (what is not in the list: the tool's table of refusals).
TEST(CliPaper, ResolutionsUpToThreeHundredPpiAndAuto)
{
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("photo.jpg")), {3000, 2000});
    const struct { const char *options; const char *fields; } rows[] = {
        {"", "800|102.68|38.762|true|false|103 ppi on A4, picture 39 ppi (blown up)"},
        {"--resolution 2400", "2400|303.04|38.132|true|false|303 ppi on A4, picture 38 ppi (blown up)"},
        {"--resolution AUTO", "800|102.68|38.762|true|true|800 px: 103 ppi on A4, picture 39 ppi (blown up)"},
        {"--resolution 3508 --paper A3", "3508|309.04|26.605|true|false|309 ppi on A3, picture 27 ppi (blown up)"},
        {"--resolution auto --picture %1/photo.jpg --sheets 1", "2480|313.05|390.06|false|true|2480 px: 313 ppi on A4, picture 390 ppi"},
        {"--resolution auto --picture %1/photo.jpg --sheets 1 --paper A3",
         "3000|264.54|272.48|false|true|3000 px: 265 ppi on A3, picture 272 ppi"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.options);
        const QJsonObject j = layout(words(r.options, dir.path()));
        EXPECT_EQ(fields(j, "pagePixelWidth printedPixelsPerInch picturePixelsPerInch blownUp autoResolution lbResolution"), r.fields);
        // The fields of old are all still there.
        for (const char *key : {"sourceWidth", "pageCount", "labels", "printedPixelsPerInch", "pagesWithoutPicture"})
            EXPECT_TRUE(j.contains(QLatin1String(key))) << key;
    }

    // Every verb that lays a poster out takes them: the page is as wide as chosen.
    const CliRun page = runCli(words("page --page 1 -o %1/p.png --resolution auto --sheets 2 --picture %1/photo.jpg", dir.path()));
    ASSERT_EQ(page.exitCode, 0) << page.err.toStdString();
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("p.png"))).size(), QSize(1500 + 20, 2121 + 20));
}
