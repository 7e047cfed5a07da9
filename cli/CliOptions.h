#pragma once
// What every verb of plakatron-cli shares: the layout options, the error that ends the tool with
// an exit code, and the poster (picture, layout pass, page renderer) as the window would hold it.

#include "core/OutputFile.h"
#include "layout/Poster.h"
#include "printing/AssemblyMap.h"
#include "printing/PageRenderer.h"

#include <QCommandLineParser>
#include <QImage>
#include <QString>
#include <memory>
#include <stdexcept>

namespace plakatron::cli {

// Ends the tool: a one-line message on stderr and the exit code (1 failure, 2 bad usage).
struct CliExit : std::runtime_error {
    CliExit(int code, const QString &message) : std::runtime_error(message.toStdString()), code(code) {}
    int code;
};

struct PosterOptions {
    QString picture;  // empty: the built-in picture
    int pdfPage = 1;  // the page of a PDF picture
    PosterChoices choices;
};

// Parses a verb's arguments with the layout options plus `parser`'s own. Prints the verb's help
// and returns false for --help; CliExit 2 for anything it does not know.
bool parseVerb(QCommandLineParser &parser, const QStringList &arguments, const QString &verb,
               const QString &description);
// The layout options, each value checked (CliExit 2 naming the option and the allowed values).
PosterOptions posterOptions(const QCommandLineParser &parser);
// A whole number option within [min, max], or CliExit 2.
int integerOption(const QCommandLineParser &parser, const QString &name, int min, int max);

// The picture of the options laid out as the window lays it out (CliExit 1 when it cannot be
// loaded or laid out).
Poster posterOf(const PosterOptions &options);
// CliExit 2 when the page is not one of the poster's pages.
void checkPage(const Poster &poster, int page);
// The finished page, exactly as the print job prints it, on `renderer`'s canvas. A rendering
// failure, which the window shows in a message box, ends the tool here (CliExit 1).
const QImage &renderPage(PageRenderer &renderer, int page);
// The assembly map of this poster; CliExit 1 when there is none to draw.
AssemblyMap assemblyMapOf(const Poster &poster);

// The tool's one-line error for a page whose rendering gave a warning ("description\r\nCode N"):
// "page N cannot be rendered: description: Code N", exit 1.
CliExit renderingFailed(int page, const QString &warning);

// The tool's one-line error for a file that cannot be written: "cannot write 'FILE': REASON", exit 1.
CliExit cannotWrite(const WriteError &error);

// An output file for `path`, its name checked before any work is done (CliExit 1 when it cannot
// be written). Nothing replaces the old file before commitImageFile.
std::unique_ptr<OutputFile> imageFileFor(const QString &path);
// Writes `image` as a PNG file into `file` and puts it in place; CliExit 1 when it cannot, the old
// file left as it was. `quality` is Qt's for PNG: -1 its default compression, 70 a lighter one.
void commitImageFile(const QImage &image, OutputFile &file, int quality = -1);

}  // namespace plakatron::cli
