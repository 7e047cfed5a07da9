// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces of "Open Picture..." and of the load-failure message that the main window puts
// together: the dialog's texts, the stored-folder key and its default, and the message text.

#include "input/PictureTypes.h"

#include <QString>

class QWidget;

namespace plakatron {

class RuntimeError;

// The folder the dialog starts in when none is stored: the user's documents folder.
QString defaultPictureFolder();

// Shows the open dialog (owner, initial folder lastFolder, title "Open Picture", the filter
// openPictureFilterText(): "Supported formats" with every picture extension, matched in any letter
// case (IMG_0001.JPG, photo.Png), then "All files"; typed names of missing files allowed).
// Returns the chosen path, or empty when cancelled.
QString openPictureDialog(QWidget *owner, const QString &lastFolder);

// "Unable to load picture '<path>'\r\n<description>\r\nCode <number>"
QString loadFailureMessage(const QString &path, const RuntimeError &error);

}  // namespace plakatron
