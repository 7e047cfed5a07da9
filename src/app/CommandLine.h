// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window program's command line: `plakatron [PICTURE]`, what a file manager's "Open with"
// runs, plus --pdf-page N (the page of a PDF to open on), --help and --version.

#include <QString>
#include <QStringList>

namespace plakatron {

struct StartupRequest {
    enum class Action {
        Run,          // start the window, on `picture` when one is named
        ShowHelp,     // print `text` to standard output and end
        ShowVersion,  // likewise
        Fail,         // print `text` to standard error and end with exit code 2
    };
    Action action = Action::Run;
    QString picture;  // as given: a relative path is taken from the current folder
    QString text;
    int pdfPage = 1;  // the page of a PDF picture to open on
};

// arguments as the program got them, its own name first. --help (-h) and --version (-v) answer
// wherever they stand before "--"; "--" makes every following argument a picture's name.
StartupRequest parseCommandLine(const QStringList &arguments);

// arguments without the options the window system library takes itself ("-platform offscreen",
// "-style=Fusion", "--reverse"), as it leaves them: what parseCommandLine will be given once the
// application object is made, known before any display is needed.
QStringList withoutToolkitOptions(const QStringList &arguments);

}  // namespace plakatron
