// A measured run of the print loop: lays out a poster as the window does and prints every page
// through PrintJob into a PDF file, as "Print to File (PDF)" would; no window. For whole-process
// time and peak memory:
//   /usr/bin/time -v build/bench/print_poster --sheets 10 --resolution 800 --out /tmp/poster.pdf
// "print_poster --make-photo FILE [WxH]" writes a synthetic photograph (SyntheticPhoto.h, 6000 x
// 4000 unless told, saved as JPEG at quality 90) to try a camera-sized picture with --picture.
#include "cli/CliOptions.h"
#include "core/RuntimeError.h"
#include "printing/PageRenderer.h"
#include "printing/PrintJob.h"
#include "SyntheticPhoto.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPrinter>
#include <cstdio>

using namespace plakatron;

namespace {

int makePhoto(const QString &path, const QString &size)
{
    const QStringList wh = size.split(u'x');
    const int w = wh.value(0).toInt(), h = wh.value(1).toInt();
    if (w <= 0 || h <= 0) {
        std::fprintf(stderr, "size must be WIDTHxHEIGHT\n");
        return 2;
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    if (!writer.write(bench::syntheticPhoto(w, h))) {
        std::fprintf(stderr, "%s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--make-photo"))
        return makePhoto(arguments.value(2), arguments.value(3, QStringLiteral("6000x4000")));
    try {
        QCommandLineParser parser;
        parser.addOption({QStringLiteral("out"), QStringLiteral("The PDF file to write (default poster.pdf)."),
                          QStringLiteral("file"), QStringLiteral("poster.pdf")});
        if (!cli::parseVerb(parser, arguments, QStringLiteral("print_poster"),
                            QStringLiteral("Prints a poster into a PDF file through the print loop.")))
            return 0;
        cli::CliPoster poster(cli::posterOptions(parser));
        const qint64 loaded = clock.elapsed();

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(parser.value(QStringLiteral("out")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printPoster(printer, poster.renderer(), {1, static_cast<std::int16_t>(poster.grid().pageCount())});

        const QImage &page = poster.renderer().pageCanvas();
        std::printf("%d pages of %d x %d pixels: picture loaded and laid out in %lld ms, printed in %lld ms, "
                    "PDF %lld bytes\n",
                    poster.grid().pageCount(), page.width(), page.height(), loaded, clock.elapsed() - loaded,
                    QFileInfo(parser.value(QStringLiteral("out"))).size());
    } catch (const cli::CliExit &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return e.code;
    } catch (const RuntimeError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
