// plakatron-cli as a user runs it: the real binary, real picture files in a temporary folder.
#include "app/frmMain.h"
#include "cli/CliRunner.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron::test;

namespace {

QJsonObject layoutJson(const QStringList &arguments)
{
    const CliRun r = runCli(QStringList{QStringLiteral("layout")} + arguments, {QStringLiteral("LC_ALL=C")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
}

class CliLayout : public ::testing::Test {
protected:
    // A plain picture of the given size, as a BMP file.
    QString picture(int w, int h)
    {
        const QString path = dir.filePath(QStringLiteral("%1x%2.bmp").arg(w).arg(h));
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(CliLayout, DefaultsReproduceTheWorkedExample)
{
    const QJsonObject j = layoutJson({});
    EXPECT_EQ(j[QStringLiteral("sourceWidth")].toDouble(), 880);
    EXPECT_EQ(j[QStringLiteral("sourceHeight")].toDouble(), 560);
    EXPECT_EQ(j[QStringLiteral("sheetsAcross")].toDouble(), 3);
    EXPECT_DOUBLE_EQ(j[QStringLiteral("pagePixelHeight")].toDouble(), 1131.2);
    EXPECT_EQ(j[QStringLiteral("gridColumns")].toInt(), 3);
    EXPECT_EQ(j[QStringLiteral("gridRows")].toInt(), 2);
    EXPECT_EQ(j[QStringLiteral("pageCount")].toInt(), 6);
    const QJsonObject labels = j[QStringLiteral("labels")].toObject();
    EXPECT_EQ(labels[QStringLiteral("lbA4Height")].toString(), QStringLiteral("1.35"));
    EXPECT_EQ(labels[QStringLiteral("lbFinalImageWidth")].toString(), QStringLiteral("59.8cm"));
    EXPECT_EQ(labels[QStringLiteral("lbFinalImageHeight")].toString(), QStringLiteral("38cm"));
    EXPECT_EQ(labels[QStringLiteral("lbTotalPages")].toString(), QStringLiteral("6"));
}

TEST_F(CliLayout, LabelExamplesAndClamps)
{
    struct Row { int w, h; QStringList options; const char *key; const char *value; double sheets; };
    const Row rows[] = {
        {100, 504, {QStringLiteral("--sheets"), QStringLiteral("1")}, "lbFinalImageHeight", "1m  .5cm", 1},
        {100, 1732, {QStringLiteral("--sheets"), QStringLiteral("1")}, "lbFinalImageHeight", "3m  45.6cm", 1},
        {880, 560, {QStringLiteral("--sheets"), QStringLiteral("1"), QStringLiteral("--overlap"), QStringLiteral("50")},
         "lbFinalImageWidth", "10cm", 1},
        {25, 100, {}, "lbTotalPages", "12", 2},
        {8, 100, {}, "lbFinalImageWidth", "19.9cm", 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << "x" << r.h);
        const QJsonObject j = layoutJson(QStringList{QStringLiteral("--picture"), picture(r.w, r.h)} + r.options);
        EXPECT_EQ(j[QStringLiteral("labels")].toObject()[QLatin1String(r.key)].toString().toStdString(), r.value);
        EXPECT_EQ(j[QStringLiteral("sheetsAcross")].toDouble(), r.sheets);
    }
}

TEST_F(CliLayout, BadInputEndsWithAOneLineErrorAndItsExitCode)
{
    struct Row { QStringList arguments; int exitCode; const char *mentions; };
    const Row rows[] = {
        {{QStringLiteral("layout"), QStringLiteral("--sheets"), QStringLiteral("41")}, 2, "--sheets"},
        {{QStringLiteral("layout"), QStringLiteral("--resolution"), QStringLiteral("150")}, 2, "--resolution"},
        {{QStringLiteral("layout"), QStringLiteral("--overlap"), QStringLiteral("x")}, 2, "--overlap"},
        {{QStringLiteral("layout"), QStringLiteral("--bogus")}, 2, "bogus"},
        {{QStringLiteral("frobnicate")}, 2, "frobnicate"},
        {{QStringLiteral("layout"), QStringLiteral("--picture"), QStringLiteral("/nonexistent/x.jpg")}, 1,
         "/nonexistent/x.jpg"},
        // So tall that the rows no longer fit 16 bits: the pass is abandoned, cleanly.
        {{QStringLiteral("layout"), QStringLiteral("--picture"), QString(), QStringLiteral("--sheets"),
          QStringLiteral("40"), QStringLiteral("--resolution"), QStringLiteral("1400")},
         1, "Overflow"},
    };
    const QString tall = picture(1, 46400);  // 1 sheet: 46400 / 1.414 rows
    for (Row r : rows) {
        if (r.arguments.size() > 2 && r.arguments[2].isEmpty())
            r.arguments[2] = tall;
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        const CliRun run = runCli(r.arguments);
        EXPECT_EQ(run.exitCode, r.exitCode);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(r.mentions)) << run.err.toStdString();
    }
    const CliRun version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.out, QByteArray("2.0.9\n"));
}

TEST_F(CliLayout, PageIsThePictureTheWindowRenders)
{
    struct Row { int sheets; int resolution; int page; };
    const Row rows[] = {{3, 800, 2}, {4, 400, 8}, {1, 200, 1}};
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.sheets << " sheets at " << r.resolution << ", page " << r.page);
        const QString png = dir.filePath(QStringLiteral("page.png"));
        const CliRun run = runCli({QStringLiteral("page"), QStringLiteral("--sheets"), QString::number(r.sheets),
                                   QStringLiteral("--resolution"), QString::number(r.resolution),
                                   QStringLiteral("--page"), QString::number(r.page), QStringLiteral("-o"), png});
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

TEST_F(CliLayout, PageErrorsLeaveNoFileBehind)
{
    const QString png = dir.filePath(QStringLiteral("kept.png"));
    QFile existing(png);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("previous content");
    existing.close();

    struct Row { QStringList arguments; int exitCode; const char *mentions; };
    const Row rows[] = {
        {{QStringLiteral("--page"), QStringLiteral("7"), QStringLiteral("-o"), png}, 2, "page 7"},
        {{QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("-o"), png}, 2, "--page"},
        {{QStringLiteral("--page"), QStringLiteral("1")}, 2, "-o"},
        {{QStringLiteral("--page"), QStringLiteral("1"), QStringLiteral("-o"), dir.filePath(QStringLiteral("no/such/dir.png"))},
         1, "no/such/dir.png"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        const CliRun run = runCli(QStringList{QStringLiteral("page")} + r.arguments);
        EXPECT_EQ(run.exitCode, r.exitCode);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(r.mentions)) << run.err.toStdString();
    }
    QFile kept(png);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("previous content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.png")});
}
