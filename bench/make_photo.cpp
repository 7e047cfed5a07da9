// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a synthetic photograph for the whole-run print benchmark (tools/bench-print) and the
// loading measurements:
//   build/bench/make_photo FILE [WIDTHxHEIGHT]     (6000 x 4000 unless told; JPEG at quality 90,
//                                                   or PNG, TIFF, WebP by the name's extension)
#include "SyntheticPhoto.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    // An option is never a file name: "--help" must not become a 6000 x 4000 JPEG of that name.
    if (args.size() < 2 || args[1].startsWith(u'-')) {
        std::fprintf(stderr, "usage: make_photo FILE [WIDTHxHEIGHT]\n");
        return 2;
    }
    const QStringList wh = args.value(2, QStringLiteral("6000x4000")).split(u'x');
    const int w = wh.value(0).toInt(), h = wh.value(1).toInt();
    if (w <= 0 || h <= 0) {
        std::fprintf(stderr, "size must be WIDTHxHEIGHT\n");
        return 2;
    }
    const QString suffix = QFileInfo(args[1]).suffix().toLower();
    const QByteArray format = suffix == u"png"             ? "png"
                              : suffix.startsWith(u"tif") ? "tiff"
                              : suffix == u"webp"         ? "webp"
                                                          : "jpeg";
    QImageWriter writer(args[1], format);
    writer.setQuality(90);
    if (!writer.write(plakatron::bench::syntheticPhoto(w, h))) {
        std::fprintf(stderr, "%s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
