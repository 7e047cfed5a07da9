// SPDX-License-Identifier: GPL-3.0-or-later
// PDF and SVG files that are damaged, locked, enormous, endlessly nested or reaching outside
// themselves, made here by Qt's writers, by hand and by qpdf. Each is refused with its reason
// (481, 7 or 9) by the vector helper within the deadline, or loads at a bounded size; none
// crashes or hangs the program, and the command-line tool says the same with its exit code.
#include "Loading.h"
#include "input/VectorPicture.h"
#include "support/CliRunner.h"
#include "support/VectorFiles.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace plakatron;
using namespace plakatron::test;

namespace {

QByteArray onePagePdf(QSizeF points = QSizeF(200, 100))
{
    return writtenPdf(points, 1, [](QPainter &p, int) { p.fillRect(QRectF(10, 10, 50, 50), Qt::blue); });
}

// qpdf's encryption of `pdf` (AES-256) with these passwords and further options.
QByteArray encrypted(const QByteArray &pdf, const QString &user, const QStringList &more = {})
{
    const QString in = saved(QStringLiteral("plain-for-qpdf.pdf"), pdf), out = QDir::home().filePath("qpdf-out.pdf");
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), QStringList{QStringLiteral("--encrypt"), user, QStringLiteral("owner-secret"),
                                                   QStringLiteral("256")}
                                           + more + QStringList{QStringLiteral("--"), in, out});
    EXPECT_TRUE(qpdf.waitForFinished(60000));
    EXPECT_EQ(qpdf.exitCode(), 0) << qpdf.readAllStandardError().toStdString();
    return contentOf(out);
}

QByteArray svg(const QByteArray &body, const QByteArray &size = R"(width="100" height="50")")
{
    return R"(<?xml version="1.0"?><svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
           + size + ">" + body + "</svg>";
}

QByteArray repeated(const QByteArray &piece, int times)
{
    QByteArray all;
    all.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        all += piece;
    return all;
}

}  // namespace

TEST(HostileVector, EachIsRefusedWithItsReasonOrLoadsAtABoundedSize)
{
    const QByteArray pdf = onePagePdf();
    const QString damaged = "Error: 481 The PDF is damaged or incomplete: its structure cannot be read.";
    const QString tooLarge = "Error: 7 The picture is too large: ";
    // A FIFO an SVG names: following it would hang the helper until the deadline.
    const QString fifo = QDir::home().filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray laughs = R"(<?xml version="1.0"?><!DOCTYPE svg [<!ENTITY a "lololololololololol">)"
                              R"(<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">)"
                              R"(<!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;"><!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;">)"
                              R"(<!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;"><!ENTITY g "&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;">)"
                              R"(<!ENTITY h "&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;"><!ENTITY i "&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;">]>)"
                              R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10"><text>&i;</text></svg>)";
    const QByteArray external = svg("<image x=\"0\" y=\"0\" width=\"100\" height=\"50\" xlink:href=\"file://" + fifo.toUtf8()
                                    + "\"/><image width=\"100\" height=\"50\" href=\"" + fifo.toUtf8()
                                    + "\"/><image width=\"100\" height=\"50\" href=\"http://127.0.0.1:9/x.png\"/>"
                                      "<style>@import url(\"" + fifo.toUtf8() + "\");</style>");
    const struct { const char *name; QByteArray bytes; QString outcome; int page = 1; } cases[] = {
        {"poster.pdf", pdf, "267 x 133"},
        {"garbage.pdf", "%PDF-1.4\n" + repeated("garbage ", 200), damaged},
        {"cut.pdf", pdf.first(pdf.size() / 3), damaged},
        {"locked.pdf", encrypted(pdf, QStringLiteral("user-secret")),
         "Error: 481 The PDF is protected by a password. Only PDFs that open without one can be loaded."},
        {"empty-password.pdf", encrypted(pdf, QString()), "267 x 133"},
        {"no-printing.pdf", encrypted(pdf, QString(), {QStringLiteral("--print=none")}),
         "Error: 481 The PDF's author does not allow it to be printed."},
        {"no-pages.pdf", handWrittenPdf("0 0 200 100", QString(), "", 0), "Error: 481 The PDF has no pages."},
        {"huge-page.pdf", handWrittenPdf("0 0 9000000 9000000", QString(), ""),
         tooLarge + "12,000,000 x 12,000,000 pixels at its size. Vector pictures of up to 100,000 pixels a side can be loaded."},
        // poppler takes a page of no size for a US Letter page.
        {"zero-page.pdf", handWrittenPdf("0 0 0 0", QString(), ""), "816 x 1056"},
        {"page-3.pdf", writtenPdf(QSizeF(72, 72), 2, [](QPainter &, int) {}), "Error: 9 The PDF has 2 pages: there is no page 3.", 3},
        {"page-2.pdf", writtenPdf(QSizeF(72, 72), 2, [](QPainter &, int) {}), "96 x 96", 2},
        {"laughs.svg", laughs, "Error: 481 The SVG picture is damaged: "},
        {"deep.svg", svg(repeated("<g>", 100000) + repeated("</g>", 100000)), "Error: 7 The SVG picture has 257 elements nested inside each other; pictures of up to 256 can be loaded."},
        {"many.svg", svg(repeated("<rect width=\"1\" height=\"1\"/>", 600000)), "Error: 7 The SVG picture has 500,001 elements; pictures of up to 500,000 can be loaded."},
        {"use-loop.svg", svg(R"(<g id="a"><use xlink:href="#a"/></g>)"), "Error: 481 The SVG picture is damaged: one of its <use> elements refers to itself."},
        {"huge.svg", svg("<rect width=\"1\" height=\"1\"/>", R"(width="9000000" height="10")"),
         tooLarge + "9,000,000 x 10 pixels at its size. Vector pictures of up to 100,000 pixels a side can be loaded."},
        {"no-size.svg", svg("", ""), "Error: 481 The SVG picture has no size: nothing of it can be shown."},
        {"external.svg", external, "100 x 50"},
        {"bomb.svgz", gzipped(svg(QByteArray(80 * 1024 * 1024, ' '))), "Error: 7 The SVGZ picture unpacks to more than 64 MB"},
        {"cut.svgz", gzipped(svg("<rect width=\"10\" height=\"10\"/>")).first(40), "Error: 481 The SVGZ picture is incomplete: the file ends before the picture does."},
    };
    // The limits, not the clock, refuse these (600,000 elements take seconds to count under the
    // sanitizers on a busy machine); the deadline has its own test.
    setDecodingDeadlineForTesting(600'000);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Picture picture;
        const QString outcome = loaded(saved(QLatin1String(c.name), c.bytes), &picture, c.page);
        if (c.outcome.startsWith(u'E'))
            EXPECT_TRUE(outcome.startsWith(c.outcome)) << outcome.toStdString();
        else
            EXPECT_EQ(outcome, c.outcome);
        if (!picture.isNull()) {
            // What loads draws: a part at a page's size, on white where the file draws nothing.
            const QImage part = picture.draw(QRectF(QPointF(0, 0), QSizeF(picture.size())), QSize(50, 25));
            EXPECT_EQ(part.size(), QSize(50, 25));
            EXPECT_EQ(part.format(), QImage::Format_RGB32);
        }
    }
    setDecodingDeadlineForTesting(0);
}

// A reader that crashes or hangs on a file costs the program the picture, within the deadline.
TEST(HostileVector, AHelperThatCrashesOrHangsIsEndedWithItsMessage)
{
    const QString pdf = saved(QStringLiteral("fine.pdf"), onePagePdf());
    const struct { const char *script; QString outcome; } cases[] = {
        {"kill -SEGV $$", "Error: 481 The PDF could not be read: its reader (poppler) failed on it."},
        {"exec sleep 600", "Error: 7 The PDF takes too long to open"},
        {"echo nonsense; exec sleep 600", "Error: 481 The PDF could not be read: its reader (poppler) failed on it."},
        {"exit 0", "Error: 481 The PDF could not be read: its reader (poppler) failed on it."},
    };
    const QString realHelper = vectorHelperProgram();
    setDecodingDeadlineForTesting(500);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        const QString helper = saved(QStringLiteral("helper.sh"), QByteArray("#!/bin/sh\n") + c.script + "\n");
        QFile::setPermissions(helper, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setVectorHelperForTesting(helper);
        EXPECT_TRUE(loaded(pdf).startsWith(c.outcome)) << loaded(pdf).toStdString();
    }
    setVectorHelperForTesting(realHelper);
    setDecodingDeadlineForTesting(0);
    EXPECT_EQ(loaded(pdf), "267 x 133");
}

// The tool: a refused file is exit 1 with the loader's message, a page the PDF lacks exit 2.
TEST(HostileVector, TheToolSaysWhatIsWrongWithItsExitCode)
{
    const QString cut = saved(QStringLiteral("cut.pdf"), onePagePdf().first(300));
    const QString two = saved(QStringLiteral("two.pdf"), writtenPdf(QSizeF(72, 72), 2, [](QPainter &, int) {}));
    const QString jpeg = saved(QStringLiteral("photo.jpg"), contentOf(writePicture(QDir::home().filePath("p.jpg"), QSize(40, 30))));
    const struct { QStringList arguments; int exitCode; QString error; } cases[] = {
        {{"layout", "--picture", cut}, 1, "Unable to load picture '" + cut + "': The PDF is damaged or incomplete"},
        {{"layout", "--picture", two, "--pdf-page", "3"}, 2, "--pdf-page 3: The PDF has 2 pages: there is no page 3."},
        {{"layout", "--picture", two, "--pdf-page", "0"}, 2, "invalid value '0' for --pdf-page: allowed are 1 to 10000"},
        {{"layout", "--pdf-page", "2"}, 2, "--pdf-page needs a PDF picture (--picture FILE.pdf)"},
        {{"layout", "--picture", jpeg, "--pdf-page", "2"}, 2, "--pdf-page 2: "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.error.toUtf8())) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}
