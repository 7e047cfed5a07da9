// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextPoster.h"

#include <QPainterPath>
#include <cmath>

namespace plakatron::bench {

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

}  // namespace plakatron::bench
