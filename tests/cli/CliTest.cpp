// SPDX-License-Identifier: GPL-3.0-or-later
// plakatron-cli as a user runs it: the real binary, real picture files in a temporary folder.
#include "TestFiles.h"
#include "app/frmMain.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

using namespace plakatron::test;

namespace {

class CliLayout : public ::testing::Test {
protected:
    // A plain picture of the given size, as a BMP file.
    QString picture(int w, int h) { return writePicture(dir.filePath(QStringLiteral("%1x%2.bmp").arg(w).arg(h)), {w, h}); }
    QTemporaryDir dir;
};

// The named fields of the layout object ("lb..." from its labels), "|"-separated.
QString fieldsOf(const QJsonObject &j, const char *keys)
{
    QStringList values;
    for (const QString &key : QString::fromLatin1(keys).split(u' ')) {
        const QJsonValue v = key.startsWith(QLatin1String("lb")) ? j[QStringLiteral("labels")].toObject()[key] : j[key];
        values << (v.isString() ? v.toString() : v.isDouble() ? QString::number(v.toDouble()) : QStringLiteral("?"));
    }
    return values.join(u'|');
}

}  // namespace

// The worked example and a picture given (the clamps and labels of other pictures: the layout's table).
TEST_F(CliLayout, WorkedExampleLabelExamplesAndClamps)
{
    struct Row { int w, h; const char *options; const char *fields; };
    const Row rows[] = {
        {0, 0, "", "3|3|2|6|1.35|57.6cm|37cm|6"},  // the built-in picture: the worked example
        {0, 0, "--sheets 1 --overlap 50", "1|1|1|1|0.45|13.2cm|9.3cm|1"},
        {25, 100, "", "2|2|6|12|5.66|33.9cm|1m  45.8cm|12"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << "x" << r.h << " " << r.options);
        QStringList arguments = words("layout") + words(r.options);
        if (r.w > 0)
            arguments << QStringLiteral("--picture") << picture(r.w, r.h);
        // Nothing but the JSON, even where Qt cannot make its runtime folder (a read-only /tmp).
        const CliRun run = runCli(arguments, {QStringLiteral("LC_ALL=C"), QStringLiteral("TMPDIR=/proc"),
                                              QStringLiteral("XDG_RUNTIME_DIR=")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, QByteArray());
        const QJsonObject j = QJsonDocument::fromJson(run.out).object();
        EXPECT_EQ(fieldsOf(j, "sheetsAcross gridColumns gridRows pageCount lbA4Height lbFinalImageWidth "
                              "lbFinalImageHeight lbTotalPages"),
                  QString::fromUtf8(r.fields));
        if (&r == rows) {
            EXPECT_EQ(fieldsOf(j, "sourceWidth sourceHeight pagePixelWidth pagePixelHeight posterPixelWidth "
                                  "posterPixelHeight sheetsDown"),
                      QStringLiteral("880|560|800|1131.2|2400|1527.27|1.35014"));
        }
    }
}

// The poster of a picture 400 x 16000 at 40 sheets and 10 pixels a sheet: 40 columns, 1132 rows,
// 45280 pages, more than a print job can number.
#define TALL " --picture %1/tall.jpg --sheets 40 --resolution 10"
// The resolutions a page of A4 portrait may have.
#define A4_RESOLUTIONS "allowed on A4 portrait are 10, 20, ... 100, 200, ... 1400, 1600, 1800, 2000, 2200, 2400, " \
                       "2480 (300 ppi) or auto"

TEST_F(CliLayout, BadInputEndsWithAOneLineErrorAndNoFile)
{
    writeFile(dir.filePath(QStringLiteral("kept.png")), "previous content");
    // One pixel wide clamps to one sheet; 46400 high then makes more rows than 16 bits hold.
    picture(1, 46400);
    writePicture(dir.filePath(QStringLiteral("tall.jpg")), {400, 16000});
    // A pipe named as the picture would wait for a writer for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.jpg"))).constData(), 0600), 0);
    // An AVIF whose image data is empty: its decoder's own complaints do not reach stderr.
    QImage tile(32, 24, QImage::Format_RGB32);
    tile.fill(Qt::red);
    writeFile(dir.filePath(QStringLiteral("empty.avif")), makeHeifDerived(tile, true, {"grid", 1, 1, {32, 24}, {32, 24}, 8, true}));
    // A PNG whose header libpng refuses (colour type 7): libpng says so on stderr itself.
    QByteArray png = encode(tile, "png");
    png[25] = 7;
    qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef *>(png.constData() + 12), 17)), png.data() + 29);
    writeFile(dir.filePath(QStringLiteral("header.png")), png);
    // A JPEG libjpeg gives up on after its pixels: found while a print job is under way.
    QByteArray jpeg = encode(tile, "jpg");
    writeFile(dir.filePath(QStringLiteral("damaged.jpg")), jpeg.insert(jpeg.size() - 2, QByteArray::fromHex("ffc800040000")));
    const std::string inputs = listing(dir.path());
    const std::string longName = "layout --picture %1/" + std::string(300, 'x') + ".jpg";
    const struct { const char *arguments; int exitCode; const char *mentions; } rows[] = {
        {"layout --picture %1/empty.avif", 1, "The AVIF picture is damaged or incomplete and cannot be decoded. (Code 481)"},
        {"layout --picture %1/header.png", 1, "The PNG picture is damaged or incomplete and cannot be decoded. (Code 481)"},
        {longName.c_str(), 1, "The file cannot be opened: File name too long. (Code 52)"},
        {"layout --sheets 41", 2, "--sheets"},
        {"layout --resolution 150", 2, "invalid value '150' for --resolution: " A4_RESOLUTIONS},
        {"layout --resolution 2500", 2, "invalid value '2500' for --resolution: " A4_RESOLUTIONS},
        {"layout --resolution 1500", 2, "invalid value '1500' for --resolution: " A4_RESOLUTIONS},
        {"layout --resolution 3508", 2, "invalid value '3508' for --resolution: " A4_RESOLUTIONS},
        {"layout --resolution automatic", 2, "invalid value 'automatic' for --resolution: " A4_RESOLUTIONS},
        {"layout --resolution 2400 --paper A5", 2, "invalid value '2400' for --resolution: allowed on A5 portrait are "
                                                   "10, 20, ... 100, 200, ... 1400, 1600, 1748 (300 ppi) or auto"},
        {"page --page 1 -o %1/p.png --resolution 9000", 2, "invalid value '9000' for --resolution: " A4_RESOLUTIONS},
        {"print -o %1/out.pdf --resolution 0", 2, "invalid value '0' for --resolution: " A4_RESOLUTIONS},
        {"layout --paper B5", 2, "unknown paper 'B5': the papers are A4, A3, A5, Letter, Legal and Tabloid"},
        {"layout --width -3cm", 2, "invalid value '-3cm' for --width: give a number and a unit (mm, cm, m or in), such as 150cm"},
        {"map -o %1/m.pdf --width 9m", 2, "A poster 9m wide needs more than 40 sheets of A4 portrait across, the most a poster has."},
        {"layout --sheets 3 --height 1m", 2, "give one of --sheets, --width and --height"},
        {"calibrate -o %1/c.pdf --measured 180,270", 2, "a PDF file prints at its exact size: --measured goes with --printer"},
        {"calibrate", 2, "calibrate needs either -o FILE.pdf or --printer NAME"},
        {"layout --overlap x", 2, "--overlap"},
        {"layout --bogus", 2, "bogus"},
        {"frobnicate", 2, "frobnicate"},
        {"layout --picture /nonexistent/x.jpg", 1, "/nonexistent/x.jpg"},
        {"layout --picture %1/1x46400.bmp --sheets 40 --resolution 1400", 1, "Overflow"},
        {"layout --picture %1/pipe.jpg", 1, "a pipe, a device or another special file"},
        {"page --page 7 -o %1/kept.png", 2, "page 7"},
        {"page --page 0 -o %1/kept.png", 2, "--page"},
        {"page --page 1", 2, "-o"},
        {"page --page 1 -o %1/no/such/dir.png", 1, "no/such/dir.png': No such file or directory"},
        {"page --page 32768 -o %1/out.png" TALL, 2, "--page"},
        {"print -o %1/out.pdf --page 7", 2, "page 7"},
        {"print -o %1/out.pdf --pages 4-2", 2, "--pages"},
        {"print -o %1/out.pdf --pages 5-9", 2, "--pages 5-9: page range beyond the poster's pages (it has pages 1 to 6)"},
        {"print -o %1/out.pdf --pages 1-999999999999", 2, "page range beyond the poster's pages"},
        {"print -o -", 2, "-o - (standard output) is not written to"},
        {"page --page 1 --output -", 2, "(-o ./- for a file named '-')"},
        {"print -o %1/out.pdf --page 1 --pages 1-2", 2, "either"},
        {"print", 2, "-o FILE.pdf or --printer"},
        {"print -o %1/out.pdf --printer Office", 2, "print got both -o and --printer: give one of them"},
        {"print --printer No_Such_Printer", 2, "No_Such_Printer"},
        {"print -o %1/missing/out.pdf", 1, "missing/out.pdf': No such file or directory"},
        {"print -o %1/out.pdf --picture %1/none.jpg", 1, "File not found"},
        {"print -o %1/out.pdf --picture %1/damaged.jpg", 1,
         "damaged.jpg': The JPEG picture is damaged or incomplete and cannot be decoded. (Code 481)"},
        {"print -o %1/out.pdf" TALL, 2, "45280 pages"},
        {"print -o %1/out.pdf --pages 40000-40001" TALL, 2, "40000-40001"},
        {"print -o %1/out.pdf --pages 32767-32768" TALL, 2, "32768"},
        {"print -o %1/out.pdf --page 40000" TALL, 2, "--page"},
        {"map", 2, "map needs either -o FILE.pdf, -o FILE.png or --printer NAME"},
        {"map -o %1/map.jpg", 2, "ends in neither .pdf nor .png"},
        {"map -o %1/map.pdf --printer Office", 2, "map got both -o and --printer"},
        {"print --help-all", 2, "help-all"},
        {"help frobnicate", 2, "frobnicate"},
        {"help print map", 2, "help takes one verb"},
        {"map -o %1/missing/map.pdf", 1, "cannot write"},
        {"map -o %1/missing/map.png", 1, "cannot write"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments);
        const CliRun run = runCli(words(r.arguments, dir.path()));
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.exitCode, r.exitCode);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(r.mentions)) << run.err.toStdString();
        EXPECT_EQ(listing(dir.path()), inputs) << "nothing written";
    }
    EXPECT_EQ(contentOf(dir.filePath(QStringLiteral("kept.png"))), QByteArray("previous content"));
    EXPECT_EQ(runCli(words("--version")).out, QByteArray(PLAKATRON_VERSION "\n"));
}

// Each verb's help is one text however it is asked for, names what the verb writes where and its
// exit codes, and offers no option that does nothing; the tool's help names every verb.
TEST(CliHelp, OneTextPerVerbWithWhatItWritesAndItsExitCodes)
{
    const CliRun tool = runCli(words("help"));
    EXPECT_EQ(tool.exitCode, 0);
    EXPECT_EQ(runCli(words("--help")).out, tool.out);
    for (const char *verb : {"layout", "page", "print", "map"}) {
        SCOPED_TRACE(verb);
        EXPECT_TRUE(tool.out.contains(QByteArray("\n  ").append(verb).append(' '))) << tool.out.toStdString();
        const CliRun help = runCli(words("help") << QLatin1String(verb));
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
        for (const char *asked : {"--help", "-h"}) {
            const CliRun same = runCli(QStringList{QLatin1String(verb), QLatin1String(asked)});
            EXPECT_EQ(same.exitCode, 0);
            EXPECT_EQ(same.out, help.out) << asked;
        }
        EXPECT_TRUE(help.out.startsWith(QByteArray("Usage: plakatron-cli ").append(verb).append(" [options]\n"))) << help.out.toStdString();
        EXPECT_FALSE(help.out.contains("help-all"));
        const QByteArray writes = help.out.mid(help.out.indexOf("\nWrites:\n"));
        EXPECT_TRUE(writes.contains("\n  standard error ")) << help.out.toStdString();
        const QByteArray exitCodes = help.out.mid(help.out.indexOf("\nExit codes:\n"));
        for (const char *code : {"\n  0 ", "\n  1 ", "\n  2 "})
            EXPECT_TRUE(exitCodes.contains(code)) << code << help.out.toStdString();
        // The verbs that write a file say where, and what a stop signal leaves.
        EXPECT_EQ(writes.contains("\n  -o FILE "), qstrcmp(verb, "layout") != 0);
        EXPECT_EQ(exitCodes.contains("\n  129, 130, 143 "), qstrcmp(verb, "layout") != 0);
    }
}

// With no printer to be found the list is empty, as a script reads it, and the person at the
// terminal is told why.
TEST(CliHelp, AnEmptyPrinterListSaysSo)
{
    QTemporaryDir dir;
    const CliRun list = runCli(words("print --list-printers"), {"CUPS_SERVER=" + dir.filePath(QStringLiteral("no-server")),
                                                                "HOME=" + dir.path()});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, QByteArray());
    EXPECT_EQ(list.err, QByteArray("plakatron-cli: no printer found (none is installed, or the printing system is not running)\n"));
}

// libtiff's warnings and errors (a private tag, a directory without the picture's height) stay off
// standard error: a TIFF that loads leaves it empty, one that does not gets the usual one line.
TEST_F(CliLayout, TiffMessagesStayOffStandardError)
{
    // A 1 x 1 RGB TIFF, uncompressed, with a private tag (65000) libtiff does not know; then the same
    // with the height's tag made an unknown one.
    const std::tuple<quint16, quint16, quint32> tags[] = {{256, 4, 1}, {257, 4, 1}, {258, 3, 8}, {259, 3, 1}, {262, 3, 2},
                                                          {273, 4, 134}, {277, 3, 3}, {278, 4, 1}, {279, 4, 3}, {65000, 3, 7}};
    for (const quint16 heightTag : {257, 65001}) {
        SCOPED_TRACE(heightTag);
        QByteArray tiff("II*\0", 4);
        QDataStream out(&tiff, QIODevice::Append);
        out.setByteOrder(QDataStream::LittleEndian);
        out << quint32(8) << quint16(std::size(tags));
        for (const auto &[tag, type, value] : tags)
            out << (tag == 257 ? heightTag : tag) << type << quint32(1) << value;
        out << quint32(0) << quint8(200) << quint8(30) << quint8(60);
        const QString path = dir.filePath(QStringLiteral("%1.tif").arg(heightTag));
        writeFile(path, tiff);
        const CliRun run = runCli({QStringLiteral("layout"), QStringLiteral("--picture"), path});
        const bool damaged = heightTag != 257;
        EXPECT_EQ(run.exitCode, int(damaged));
        EXPECT_EQ(run.err.count('\n'), int(damaged)) << run.err.toStdString();
        EXPECT_EQ(run.err.contains("The TIFF picture is damaged"), damaged) << run.err.toStdString();
    }
}

TEST_F(CliLayout, PageIsThePictureTheWindowRenders)
{
    // A middle page, the last page of a partly covered row, a page too small for hints.
    const struct { int sheets, resolution, page; } rows[] = {{3, 800, 2}, {4, 400, 8}, {1, 200, 1}};
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.sheets << " sheets at " << r.resolution << ", page " << r.page);
        const QString png = dir.filePath(QStringLiteral("page.png"));
        const QString options = QStringLiteral("page --sheets %1 --resolution %2 --page %3 -o");
        const CliRun run = runCli(options.arg(r.sheets).arg(r.resolution).arg(r.page).split(u' ') << png);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

        plakatron::frmMain window;
        window.findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(r.sheets - 1);
        QComboBox *resolution = window.findChild<QComboBox *>(QStringLiteral("cmbResox"));
        resolution->setCurrentIndex(resolution->findText(QString::number(r.resolution), Qt::MatchStartsWith));
        window.RenderPage(static_cast<std::int16_t>(r.page), false);
        EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), window.pageCanvas());
        window.close();
    }
}
