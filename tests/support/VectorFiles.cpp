// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/VectorFiles.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
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

}  // namespace plakatron::test
