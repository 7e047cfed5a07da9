// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PdfTools.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <cctype>
#include <gtest/gtest.h>

namespace plakatron::test {

namespace {
// stdout of a poppler tool; adds a test failure when it cannot run.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << program.toStdString() << " did not run (package poppler-utils)";
        return QString();
    }
    if (process.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The line of pdfinfo's report that the pattern matches, with its captures.
QRegularExpressionMatch pdfinfoLine(const QString &pdf, const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(run(QStringLiteral("pdfinfo"), {pdf}));
}
}  // namespace

int pdfPageCount(const QString &pdf)
{
    const QRegularExpressionMatch m = pdfinfoLine(pdf, QStringLiteral(R"(^Pages:\s+(\d+))"));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF pdfPageSize(const QString &pdf)
{
    const QRegularExpressionMatch m = pdfinfoLine(pdf, QStringLiteral(R"(^Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

std::vector<PdfImage> pdfImages(const QString &pdf)
{
    std::vector<PdfImage> images;
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n');
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u' ', Qt::SkipEmptyParts);
        if (f.size() < 14)
            continue;
        images.push_back({f[0].toInt(), f[3].toInt(), f[4].toInt(), f[8], f[12].toInt(), f[13].toInt()});
    }
    return images;
}

std::vector<std::vector<QRectF>> pdfImagePlacements(const QString &pdf)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    run(QStringLiteral("qpdf"), {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), pdf, plain});
    QFile file(plain);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // qpdf marks each page's content stream; the operators that place an image are q, Q, cm and
    // Do (the content streams of Qt's PDF files draw no forms).
    std::vector<std::vector<QRectF>> pages;
    bool inContents = false, inStream = false;
    QTransform matrix;
    std::vector<QTransform> saved;
    QStringList operands;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith("%% Contents for page ")) {
            pages.emplace_back();
            inContents = true;
            matrix = QTransform();
            saved.clear();
            continue;
        }
        if (!inContents)
            continue;
        if (line == "stream") {
            inStream = true;
            continue;
        }
        if (line == "endstream") {
            inStream = inContents = false;
            continue;
        }
        if (!inStream)
            continue;
        for (const QByteArray &word : line.split(' ')) {
            if (word.isEmpty())
                continue;
            if (word == "q") {
                saved.push_back(matrix);
            } else if (word == "Q") {
                if (!saved.empty()) {
                    matrix = saved.back();
                    saved.pop_back();
                }
            } else if (word == "cm" && operands.size() >= 6) {
                const QStringList m = operands.mid(operands.size() - 6);
                matrix = QTransform(m[0].toDouble(), m[1].toDouble(), m[2].toDouble(), m[3].toDouble(), m[4].toDouble(),
                                    m[5].toDouble())
                         * matrix;
            } else if (word == "Do") {
                pages.back().push_back(matrix.mapRect(QRectF(0, 0, 1, 1)));
            }
            if (word.at(0) == '-' || word.at(0) == '.' || std::isdigit(static_cast<unsigned char>(word.at(0))))
                operands << QString::fromLatin1(word);
            else
                operands.clear();
        }
    }
    return pages;
}

QString pdfText(const QString &pdf, int page)
{
    QStringList arguments;
    if (page >= 1)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return run(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

std::vector<QImage> pdfImageContents(const QString &pdf, bool asStored)
{
    QTemporaryDir dir;
    run(QStringLiteral("pdfimages"), {asStored ? QStringLiteral("-all") : QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("image"))});
    std::vector<QImage> images;
    QStringList names = QDir(dir.path()).entryList({QStringLiteral("image-*")}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        images.push_back(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return images;
}

QImage renderPdfPage(const QString &pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                     QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                     QString::number(page), QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QRect inkBounds(const QImage &image, int threshold)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < threshold || qGreen(p) < threshold || qBlue(p) < threshold)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

bool hasDarkPixel(const QImage &image, const QRect &area, int threshold)
{
    const QRect a = area.intersected(image.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < threshold && qGreen(p) < threshold && qBlue(p) < threshold)
                return true;
        }
    return false;
}

std::unique_ptr<QPrinter> pdfPrinter(const QString &path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

}  // namespace plakatron::test
