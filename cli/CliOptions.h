#pragma once
// What every verb of plakatron-cli shares: the layout options, the error that ends the tool with
// an exit code, and the poster (picture, layout pass, page renderer) as the window would hold it.

#include "layout/PageLayout.h"
#include "core/MessageBox.h"
#include "core/OutputFile.h"
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
    int sheets = DefaultSheetsIndex + 1;
    int resolution = 800;
    int overlap = DefaultOverlap;
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

// Parses a verb's arguments with the layout options plus `parser`'s own. Prints the verb's help
// and returns false for -h/--help; CliExit 2 for anything it does not know.
bool parseVerb(QCommandLineParser &parser, const QStringList &arguments, const VerbHelp &help);
// The help's row for the exit codes a shell sees when a stop signal ends a verb that writes.
HelpRows::value_type stopSignalExit();
// The layout options, each value checked (CliExit 2 naming the option and the allowed values).
PosterOptions posterOptions(const QCommandLineParser &parser);
// A whole number option within [min, max], or CliExit 2.
int integerOption(const QCommandLineParser &parser, const QString &name, int min, int max);

// The picture, laid out by the window's own layout pass, with page renderers over it. Rendering
// failures, which the window shows in message boxes, end the tool here (CliExit 1). Two renderers
// can work at once on different threads (the print job renders one page ahead).
class CliPoster {
public:
    explicit CliPoster(const PosterOptions &options);
    ~CliPoster();
    CliPoster(const CliPoster &) = delete;
    CliPoster &operator=(const CliPoster &) = delete;

    const PosterSettings &settings() const { return settings_; }
    const PageGrid &grid() const { return grid_; }
    const LayoutLabels &labels() const { return labels_; }
    // CliExit 2 when the page is not one of the poster's pages.
    void checkPage(int page) const;
    // The finished page, exactly as the print job prints it, from renderer 0 or 1. Its canvas stays
    // as it is until that renderer renders again.
    const QImage &renderPage(int page, int renderer = 0);
    // The assembly map of this poster, with the overlap its pages are cut with.
    AssemblyMap assemblyMap() const;
    // Renderer 0 or 1 itself, for the print job's pages ahead.
    PageRenderer &renderer(int index) { return renderers_[index]; }

private:
    QImage picture_;
    PosterSettings settings_;
    PageGrid grid_;
    LayoutLabels labels_;
    PageRenderer renderers_[2]{PageRenderer{PosterSource{&picture_, &settings_, &grid_}},
                               PageRenderer{PosterSource{&picture_, &settings_, &grid_}}};
    MessageHandler previousMessages_;
};

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
