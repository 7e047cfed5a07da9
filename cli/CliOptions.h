// SPDX-License-Identifier: GPL-3.0-or-later
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
    bool rowsMayArrive = false;  // a print job may start before the picture is decoded whole
};

// Rows of "term  description" under a heading, as a help text lists them.
using HelpRows = QList<QPair<QString, QString>>;

// What a verb's help says besides its options: what the verb does, what it writes where, and
// what its exit codes mean. The manual page and the shell completion are made from this text.
struct VerbHelp {
    QString verb;
    QString description;
    HelpRows writes;
    HelpRows exitCodes;
};

// The rows under a heading, the terms in one column and the descriptions wrapped beside them at
// 79 characters, as Qt lists the options.
QString helpTable(const QString &heading, const HelpRows &rows);

// The options a verb shares with the others: the poster's (its picture, its size in sheets or on
// paper, resolution, overlap and paper), or the paper's alone.
enum class VerbTakes { Poster, Paper };
// Parses a verb's arguments with the shared options plus `parser`'s own. Prints the verb's help
// and returns false for -h/--help; CliExit 2 for anything it does not know.
bool parseVerb(QCommandLineParser &parser, const QStringList &arguments, const VerbHelp &help,
               VerbTakes takes = VerbTakes::Poster);
// The help's row for the exit codes a shell sees when a stop signal ends a verb that writes.
HelpRows::value_type stopSignalExit();
// The layout options, each value checked (CliExit 2 naming the option and the allowed values).
// The sheet is a PDF file's of the paper chosen; a verb that prints takes its printer's.
PosterOptions posterOptions(const QCommandLineParser &parser);
// --paper NAME and --landscape, which every verb takes, and the paper they name (CliExit 2 for an
// unknown paper).
void addPaperOptions(QCommandLineParser &parser);
Paper paperOption(const QCommandLineParser &parser);
// The resolutions --resolution takes on `paper`, for its message: "10, 20, ... 2480 (300 ppi) or auto".
QString resolutionRangeText(const Paper &paper);
// A whole number option within [min, max], or CliExit 2.
int integerOption(const QCommandLineParser &parser, const QString &name, int min, int max);

// The picture of the options laid out as the window lays it out (CliExit 1 when it cannot be
// loaded or laid out, 2 when the size asked for cannot be laid out).
Poster posterOf(const PosterOptions &options);
// After a job on a poster of `options` failed: when its picture's rows were still arriving and the
// picture then failed, the error of a picture that cannot be loaded (CliExit 1), as if it had been
// loaded whole first. Waits for the picture's last row.
void checkPictureArrived(const Poster &poster, const PosterOptions &options);
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
