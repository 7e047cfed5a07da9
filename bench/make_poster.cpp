// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the A0 PDF posters of the vector benchmarks (tools/bench-vector), by Qt's PDF writer:
//   build/bench/make_poster text FILE.pdf     a text-heavy poster (TextPoster.h)
//   build/bench/make_poster line FILE.pdf     white, with one black vertical line 0.5 points wide
//                                             a little left of the middle of its first quarter
#include "TextPoster.h"
#include "support/VectorFiles.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || (args[1] != u"text" && args[1] != u"line") || args[2].startsWith(u'-')) {
        std::fprintf(stderr, "usage: make_poster text|line FILE.pdf\n");
        return 2;
    }
    using namespace plakatron::test;
    const QByteArray pdf = writtenPdf(A0Points, 1, [&](QPainter &p, int) {
        if (args[1] == u"text") {
            plakatron::bench::drawTextPoster(p, A0Points);
        } else {
            p.setRenderHint(QPainter::Antialiasing);
            p.fillRect(QRectF(QPointF(0, 0), A0Points), Qt::white);
            p.setPen(QPen(Qt::black, 0.5));
            p.drawLine(QPointF(LinePosterLineX, 0), QPointF(LinePosterLineX, A0Points.height()));
        }
    });
    QFile file(args[2]);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
