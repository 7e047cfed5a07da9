// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading a picture for the window without losing the window: while a decoder works in its child
// process (a metafile's drawing, a HEIC or AVIF picture's decoding, a PDF or SVG picture's reading,
// up to 20 seconds), the window
// repaints and takes Quit (Ctrl+Q, File > Exit's shortcut) and closing, which stop the loading and
// then close it. Other input (clicks, keys, drops, menus) is let go meanwhile: it would act on a
// picture that is about to change. The pointer shows the wait.

#include "input/PictureLoader.h"

#include <QString>
#include <optional>

class QWidget;

namespace plakatron {

// The picture at path, as loadPicture gives it (and its errors); nothing when the user quit while
// it loaded, in which case `window` closes as soon as the caller returns to the event loop.
std::optional<Picture> loadPictureForWindow(const QString &path, QWidget *window, const PictureRequest &request = {});

}  // namespace plakatron
