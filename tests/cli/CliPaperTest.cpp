// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-cli with papers, sizes asked for and calibrations: the layout's numeric fields, the
// paper of the printed sheets, the calibration sheet and a printer's calibration, and input that
// makes no poster refused with exit 2.
#include "support/CliRunner.h"
#include "support/PdfTools.h"
#include "support/TestCups.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron::test;

namespace {

QJsonObject layout(const char *options, const QStringList &environment = {})
{
    const CliRun run = runCli(words("layout") + words(options), environment);
    EXPECT_EQ(run.exitCode, 0) << options << ": " << run.err.toStdString();
    return QJsonDocument::fromJson(run.out).object();
}

// The numeric fields, "|"-separated, numbers to five digits.
std::string fields(const QJsonObject &j)
{
    QStringList values;
    for (const char *key : {"paper", "orientation", "gridColumns", "gridRows", "pageCount", "widthMillimetres",
                            "heightMillimetres", "pageWidthPixels", "pageHeightPixels", "printedPixelsPerInch"}) {
        const QJsonValue v = j[QLatin1String(key)];
        values << (v.isString() ? v.toString() : QString::number(v.toDouble(), 'g', 5));
    }
    return values.join(u'|').toStdString();
}

}  // namespace

// The labels' numbers, in millimetres and pixels whatever the locale, for the paper and the size
// given as options (every paper and size: the layout's own table).
TEST(CliPaper, LayoutFieldsOfThePaperAndSizeGiven)
{
    const struct { const char *options; const char *fields; const char *labels; } rows[] = {
        {"--paper letter --landscape", "Letter|landscape|3|3|9|762.16|481.18|820|638|77.6", "76.2cm|48.1cm"},
        {"--paper A3 --landscape --height 40in", "A3|landscape|5|4|20|1617.4|1016|820|586|51.363", "1m  61.7cm|1m  1.6cm"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.options);
        const QJsonObject j = layout(r.options, {QStringLiteral("LC_ALL=de_DE.UTF-8")});
        EXPECT_EQ(fields(j), r.fields);
        const QJsonObject labels = j[QStringLiteral("labels")].toObject();
        EXPECT_EQ(QString(labels[QStringLiteral("lbFinalImageWidth")].toString() + u'|'
                          + labels[QStringLiteral("lbFinalImageHeight")].toString())
                      .toStdString(),
                  r.labels);
    }
}

// What makes no poster: one line on stderr, exit 2, nothing written.
TEST(CliPaper, InputThatMakesNoPosterIsRefused)
{
    QTemporaryDir dir;
    const struct { const char *arguments; const char *message; } rows[] = {
        {"layout --paper B5", "unknown paper 'B5': the papers are A4, A3, A5, Letter, Legal and Tabloid"},
        {"layout --width -3cm", "invalid value '-3cm' for --width: give a number and a unit (mm, cm, m or in), such as 150cm"},
        {"map -o %1/m.pdf --width 9m", "A poster 9m wide needs more than 40 sheets of A4 portrait across, the most a poster has."},
        {"layout --sheets 3 --height 1m", "give one of --sheets, --width and --height"},
        {"calibrate -o %1/c.pdf --measured 180,270", "a PDF file prints at its exact size: --measured goes with --printer"},
        {"calibrate", "calibrate needs either -o FILE.pdf or --printer NAME"},
    };
    for (const auto &r : rows) {
        const CliRun run = runCli(words(r.arguments, dir.path()));
        EXPECT_EQ(run.exitCode, 2) << r.arguments;
        EXPECT_EQ(run.err.trimmed().toStdString(), std::string("plakatron-cli: ") + r.message) << r.arguments;
        EXPECT_TRUE(run.out.isEmpty()) << r.arguments;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// Printed sheets are of the paper chosen, as many as the layout says.
TEST(CliPaper, PrintedSheetsAreOfThePaperChosen)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    const CliRun run = runCli(words("print -o %1 --paper Tabloid --landscape --sheets 2", pdf));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(pdfPageCount(pdf), layout("--paper Tabloid --landscape --sheets 2")[QStringLiteral("pageCount")].toInt());
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
    const double before = layout("--printer Office")[QStringLiteral("widthMillimetres")].toDouble();
    const CliRun stored = runCli(words("calibrate --printer Office --measured 183.6,270"));
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    EXPECT_EQ(stored.out.trimmed(), "calibration of Office: across 1.0200, down 1.0000");
    // The printer stretches across by 2 %; the default page, narrower than A4's printable area by
    // 1.84 %, is drawn that much narrower and fills the area's height: on paper it keeps its shape
    // and prints 1.84 % larger.
    const double after = layout("--printer Office")[QStringLiteral("widthMillimetres")].toDouble();
    EXPECT_NEAR(after / before, 1.0184, 0.0005);
    const CliRun refused = runCli(words("calibrate --printer Office --measured 0,270"));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("a calibration lies between 0.8 and 1.25")) << refused.err.toStdString();
    EXPECT_EQ(layout("--printer Office")[QStringLiteral("widthMillimetres")].toDouble(), after);
    EXPECT_EQ(runCli(words("calibrate --printer Office --measured 180,270")).exitCode, 0);  // none again
    EXPECT_EQ(layout("--printer Office")[QStringLiteral("widthMillimetres")].toDouble(), before);
}
