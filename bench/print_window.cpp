// SPDX-License-Identifier: GPL-3.0-or-later
// The window's print path as a whole run, for tools/bench-print to time next to plakatron-cli:
//   build/bench/print_window PICTURE SHEETS RESOLUTION OUT.pdf
// The real main window under the offscreen platform loads the picture, takes the two list
// choices, and its Print button runs PrintNow and doPrint; the print dialog answers "Print to
// File (PDF)" with OUT.pdf and the confirmation Yes, through their seams. Settings and printer.dat
// go to a temporary folder. Prints the time from the click to the end of the job on stderr.
#include "app/frmMain.h"
#include "core/MessageBox.h"
#include "input/Toolbox.h"
#include "printing/modPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace plakatron;

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: print_window PICTURE SHEETS RESOLUTION OUT.pdf\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    modToolbox::setAppFolderForTesting(home.path());

    bool failed = false;
    installMessageHandler([&](const MessageRequest &request) {
        if (request.buttons == MsgButtons::YesNo)
            return MsgAnswer::Yes;
        std::fprintf(stderr, "print_window: %s\n", qPrintable(request.text));
        failed = true;
        return MsgAnswer::Ok;
    });
    const QString out = args[4];
    setPrintDialogFunction([&](const PrintDialogRequest &request) {
        request.printer.setOutputFormat(QPrinter::PdfFormat);
        request.printer.setOutputFileName(out);
        return true;
    });

    auto *window = new frmMain;
    window->show();
    window->UpdatePictureFile(args[1]);
    window->findChild<QComboBox *>(QStringLiteral("cmbA4Width"))->setCurrentIndex(args[2].toInt() - 1);
    auto *resolutions = window->findChild<QComboBox *>(QStringLiteral("cmbResox"));
    resolutions->setCurrentIndex(resolutions->findText(args[3]));
    if (failed || resolutions->currentText() != args[3])
        return 1;
    QElapsedTimer clock;
    clock.start();
    window->findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click();
    std::fprintf(stderr, "print_window: %d pages printed in %.2f s\n", window->grid().pageCount(),
                 double(clock.elapsed()) / 1000);
    window->close();
    return failed ? 1 : 0;
}
