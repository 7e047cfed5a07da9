// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/VectorFiles.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <cmath>
#include <zlib.h>

namespace plakatron::test {

QByteArray writtenPdf(QSizeF points, int pages, const std::function<void(QPainter &, int)> &draw)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);  // one unit a point
        writer.setPageSize(QPageSize(points, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            draw(painter, page);
        }
    }
    return buffer.data();
}

QByteArray writtenSvg(QSizeF size, const std::function<void(QPainter &)> &draw)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size.toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), size));
    {
        QPainter painter(&generator);
        draw(painter);
    }
    // The generator gives the size in millimetres, which come back a pixel short: in pixels.
    QString text = QString::fromUtf8(buffer.data());
    text.replace(QRegularExpression(QStringLiteral(R"(<svg width="[^"]*" height="[^"]*")")),
                 QStringLiteral(R"(<svg width="%1" height="%2")").arg(size.width()).arg(size.height()));
    return text.toUtf8();
}

QByteArray handWrittenPdf(const QString &mediaBox, const QString &pageEntries, const QByteArray &content, int pages)
{
    QList<QByteArray> objects;
    objects << "<< /Type /Catalog /Pages 2 0 R >>";
    objects << (pages > 0 ? QByteArray("<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
                          : QByteArray("<< /Type /Pages /Kids [] /Count 0 >>"));
    objects << QStringLiteral("<< /Type /Page /Parent 2 0 R /MediaBox [%1]%2 /Contents 4 0 R >>")
                   .arg(mediaBox, pageEntries)
                   .toLatin1();
    objects << "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream";
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray gzipped(const QByteArray &data)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

QList<FuzzSeed> vectorFuzzSeeds()
{
    const auto shapes = [](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRectF(4, 4, 40, 20), QColor(200, 40, 40, 128));
        QLinearGradient gradient(0, 0, 60, 0);
        gradient.setColorAt(0, Qt::blue);
        gradient.setColorAt(1, Qt::yellow);
        p.setBrush(gradient);
        p.setPen(QPen(Qt::black, 1.5, Qt::DashLine));
        p.drawEllipse(QRectF(20, 10, 50, 30));
        QPainterPath curve;
        curve.moveTo(0, 48);
        curve.cubicTo(20, 0, 40, 96, 72, 40);
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(9);
        p.setFont(font);
        p.drawText(QPointF(6, 44), QStringLiteral("Poster"));
    };
    const QByteArray halves = "0 0 1 rg 0 0 50 50 re f 1 0 0 rg 50 0 50 50 re f BT /F1 8 Tf 5 5 Td (x) Tj ET";
    QByteArray svgDeep = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"20\">";
    for (int i = 0; i < 8; ++i)
        svgDeep += "<g transform=\"translate(1,1)\">";
    svgDeep += "<rect width=\"4\" height=\"4\"/>" + QByteArray("</g>").repeated(8) + "</svg>";
    const QByteArray svgUse = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )"
                              R"(viewBox="0 0 30 10"><defs><circle id="c" cx="5" cy="5" r="4" fill="teal"/></defs>)"
                              R"(<use xlink:href="#c"/><use xlink:href="#c" x="10"/><use xlink:href="#c" x="20"/>)"
                              R"(<polygon points="0,0 30,10 0,10" fill-opacity="0.3"/></svg>)";
    const QByteArray written = writtenSvg(QSizeF(72, 48), shapes);
    return {
        {"pdf", "shapes.pdf", writtenPdf(QSizeF(72, 48), 1, [&](QPainter &p, int) { shapes(p); })},
        {"pdf", "two-pages.pdf", writtenPdf(QSizeF(30, 20), 2, [](QPainter &p, int page) {
             p.fillRect(QRectF(5, 5, 10 + page * 5, 10), Qt::darkGreen);
         })},
        {"pdf", "turned.pdf", handWrittenPdf(QStringLiteral("0 0 100 50"), QStringLiteral(" /Rotate 90"), halves)},
        {"pdf", "cropped.pdf", handWrittenPdf(QStringLiteral("0 0 100 50"), QStringLiteral(" /CropBox [10 10 60 40]"), halves)},
        {"pdf", "no-pages.pdf", handWrittenPdf(QStringLiteral("0 0 100 50"), QString(), "", 0)},
        {"svg", "shapes.svg", written},
        {"svg", "shapes.svgz", gzipped(written)},
        {"svg", "nested.svg", svgDeep},
        {"svg", "use.svg", svgUse},
        {"svg", "no-size.svg", R"(<svg xmlns="http://www.w3.org/2000/svg"><rect x="2" y="2" width="6" height="3"/></svg>)"},
    };
}

namespace {

// Words that read like a poster's body text, the same every time.
QString bodyText(int paragraph, int words)
{
    static const char *const vocabulary[] = {
        "posters", "sheets", "measured", "results", "we", "show", "that", "the", "method", "improves", "resolution",
        "of", "printed", "figures", "across", "all", "samples", "while", "keeping", "lines", "sharp", "and", "text",
        "legible", "at", "every", "distance", "compared", "with", "raster", "enlargement", "which", "blurs", "edges",
        "significantly", "(p < 0.01)", "in", "our", "study", "of", "120", "conference", "prints"};
    constexpr int count = int(sizeof(vocabulary) / sizeof(*vocabulary));
    QString text;
    unsigned seed = 2654435761u * unsigned(paragraph + 1);
    for (int i = 0; i < words; ++i) {
        seed = seed * 1103515245u + 12345u;
        QString word = QLatin1String(vocabulary[(seed >> 16) % count]);
        if (i == 0)
            word[0] = word[0].toUpper();
        text += word + (i % 17 == 16 ? QStringLiteral(". ") : QStringLiteral(" "));
    }
    return text.trimmed() + u'.';
}

void drawChart(QPainter &p, const QRectF &box, int seed)
{
    p.save();
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    const QColor colours[] = {QColor(200, 40, 40), QColor(40, 120, 200), QColor(60, 160, 60)};
    for (int series = 0; series < 3; ++series) {
        QPainterPath path;
        for (int i = 0; i <= 40; ++i) {
            const double x = box.left() + box.width() * i / 40;
            const double y = box.center().y() - box.height() * 0.35 * std::sin(i * 0.3 + series + seed) * (1 - series * 0.2);
            i == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
        }
        p.setPen(QPen(colours[series], 3));
        p.drawPath(path);
    }
    p.restore();
}

}  // namespace

void drawTextPoster(QPainter &p, QSizeF points)
{
    const double margin = 80;
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(96);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::black);
    p.drawText(QRectF(margin, margin, points.width() - 2 * margin, 130), Qt::AlignCenter,
               QStringLiteral("Sharp Posters from Vector Pages"));
    QFont authors = title;
    authors.setPixelSize(40);
    authors.setBold(false);
    p.setFont(authors);
    p.drawText(QRectF(margin, margin + 140, points.width() - 2 * margin, 60), Qt::AlignCenter,
               QStringLiteral("A. Author, B. Author and C. Author - Department of Printing"));
    p.fillRect(QRectF(margin, margin + 220, points.width() - 2 * margin, 8), QColor(40, 80, 160));

    const int columns = 4;
    const double gap = 50;
    const double width = (points.width() - 2 * margin - (columns - 1) * gap) / columns;
    const double top = margin + 270;
    const double bottom = points.height() - margin - 220;
    QFont heading = authors;
    heading.setPixelSize(36);
    heading.setBold(true);
    QFont body = authors;
    body.setPixelSize(24);
    int paragraph = 0;
    for (int c = 0; c < columns; ++c) {
        const double x = margin + c * (width + gap);
        double y = top;
        for (int section = 0; y < bottom - 100; ++section, ++paragraph) {
            p.setFont(heading);
            p.drawText(QRectF(x, y, width, 50), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("%1. Section %2").arg(c * 4 + section + 1).arg(paragraph + 1));
            y += 60;
            if (section == 1 && c % 2 == 0) {
                drawChart(p, QRectF(x, y, width, 340), c);
                y += 370;
            }
            p.setFont(body);
            const QRectF box(x, y, width, std::min(520.0, bottom - y));
            QRectF used;
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, bodyText(paragraph, 150), &used);
            y += std::min(used.height(), box.height()) + 30;
        }
    }
    QFont small = authors;
    small.setPixelSize(16);
    p.setFont(small);
    QString references;
    for (int i = 1; i <= 12; ++i)
        references += QStringLiteral("[%1] %2  ").arg(i).arg(bodyText(100 + i, 9));
    p.drawText(QRectF(margin, bottom + 20, points.width() - 2 * margin, 200), Qt::AlignLeft | Qt::TextWordWrap, references);
}

}  // namespace plakatron::test
