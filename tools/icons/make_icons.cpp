// SPDX-License-Identifier: GPL-3.0-or-later
// Build step: draws the program's scalable icon at the fixed sizes desktops and Qt ask for, so
// the program needs no SVG support at run time.
//   make_icons ICON.svg OUTPUT_FOLDER SIZE...   writes OUTPUT_FOLDER/plakatron-SIZE.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_icons ICON.svg OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "make_icons: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "make_icons: not a size: %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString path = folder + QStringLiteral("/plakatron-%1.png").arg(size);
        if (!image.save(path)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
