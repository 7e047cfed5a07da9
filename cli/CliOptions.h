#pragma once
// Options shared by every verb of plakatron-cli, and the error that ends the tool with an exit code.

#include "layout/PageLayout.h"

#include <QCommandLineParser>
#include <QImage>
#include <QString>
#include <stdexcept>

namespace plakatron::cli {

// Ends the tool: a one-line message on stderr and the exit code (1 failure, 2 bad usage).
struct CliExit : std::runtime_error {
    CliExit(int code, const QString &message) : std::runtime_error(message.toStdString()), code(code) {}
    int code;
};

struct PosterOptions {
    QString picture;         // empty: the built-in picture
    int sheets = DefaultSheetsIndex + 1;
    int resolution = 800;
    int overlap = DefaultOverlap;
};

// Adds --picture, --sheets, --resolution, --overlap to a parser.
void addPosterOptions(QCommandLineParser &parser);
// Reads them back, checking each value (CliExit 2 naming the option and the allowed values).
PosterOptions posterOptions(const QCommandLineParser &parser);

// The picture to lay out: the built-in one or the file (CliExit 1 with the load error).
QImage loadPosterPicture(const PosterOptions &options);

// One layout pass as the window runs it, for these options. CliExit 1 when the pass is abandoned.
struct PosterLayout {
    PosterSettings settings;
    PageGrid grid;
    LayoutLabels labels;
    QImage picture;
};
PosterLayout computePosterLayout(const PosterOptions &options);

}  // namespace plakatron::cli
