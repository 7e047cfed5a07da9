// A measured run of the print loop: lays out a poster as the window does and prints every page
// through PrintJob into a PDF file, as "Print to File (PDF)" would; no window. For whole-process
// time and peak memory:
//   /usr/bin/time -v build/bench/print_poster --sheets 10 --resolution 800 --out /tmp/poster.pdf
// --make-photo FILE --size WxH writes a synthetic photograph (SyntheticPhoto.h, saved as JPEG at
// quality 90) to try a camera-sized picture with --picture FILE.
#include "cli/CliOptions.h"
#include "core/ProgramWide.h"
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

    QCommandLineParser parser;
    cli::addPosterOptions(parser);
    parser.addOption({QStringLiteral("out"), QStringLiteral("The PDF file to write."), QStringLiteral("file"),
                      QStringLiteral("poster.pdf")});
    parser.addOption({QStringLiteral("make-photo"), QStringLiteral("Write a synthetic photograph and stop."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("Size of --make-photo."), QStringLiteral("WxH"),
                      QStringLiteral("6000x4000")});
    parser.addHelpOption();
    parser.process(app);
    if (parser.isSet(QStringLiteral("make-photo")))
        return makePhoto(parser.value(QStringLiteral("make-photo")), parser.value(QStringLiteral("size")));

    try {
        const cli::PosterOptions options = cli::posterOptions(parser);
        programWide().HorizontalOverlap = programWide().VerticalOverlap = static_cast<std::int16_t>(options.overlap);
        const cli::PosterLayout layout = cli::computePosterLayout(options);
        const qint64 loaded = clock.elapsed();
        PageRenderer renderer(PosterSource{&layout.picture, &layout.settings, &layout.grid});

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(parser.value(QStringLiteral("out")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        const PrintRange range{1, static_cast<std::int16_t>(layout.grid.pageCount())};
        printPoster(printer, renderer, range);

        std::printf("%d pages of %d x %d pixels from a %d x %d picture: loaded in %lld ms, printed in %lld ms, "
                    "PDF %lld bytes\n",
                    layout.grid.pageCount(), renderer.pageCanvas().width(), renderer.pageCanvas().height(),
                    layout.picture.width(), layout.picture.height(), loaded, clock.elapsed() - loaded,
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
