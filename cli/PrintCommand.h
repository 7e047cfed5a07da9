// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// plakatron-cli print, map and calibrate: the window's print job on a PDF file or on an installed
// printer, on the paper chosen; the assembly map as a PDF or PNG file or on a printer; the
// calibration sheet, and a printer's calibration from the lengths measured on it.

#include "layout/Paper.h"

#include <QString>
#include <QStringList>
#include <chrono>

namespace plakatron::cli {

int runPrint(const QStringList &arguments);
int runMap(const QStringList &arguments);
int runCalibrate(const QStringList &arguments);

// "[#########-----------] page 3 of 6, 0.4 s elapsed, about 0.8 s left": the progress bar for
// a terminal, before page `page` of `count` is printed.
QString progressBar(int page, int count, std::chrono::duration<double> elapsed, int width = 24);

// The sheet of the installed printer `name` on `paper`: its printable area and stored calibration
// (CliExit 2 when no such printer is installed).
PrintSheet printerSheet(const QString &name, const Paper &paper);

// "A-B" as a page range within 1 ... pages; false when it is not one.
bool parsePageRange(const QString &text, int &first, int &last);

}  // namespace plakatron::cli
