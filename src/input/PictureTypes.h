// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The kinds of picture the program loads, as the open dialog, the drop rules and the loader's
// messages name them. They come from the build's one list (cmake/PictureFormats.cmake), which
// also gives the menu entry its MIME types and the package its description.

#include <QString>
#include <QStringList>

namespace plakatron {

// Every extension a picture the program loads may have, in lower case with the dot (".jpg",
// ".jpeg", ".jpe", ".jfif", ".png", ...).
const QStringList &pictureExtensions();

// path's extension, in any letter case, is one of pictureExtensions() ("IMG_0001.JPG", "a.Png").
bool hasPictureExtension(const QString &path);

// The formats by name, for messages: "JPEG, PNG, TIFF, WebP, HEIC, AVIF, BMP, GIF, ICO or WMF".
QString pictureFormatNames();

// The open dialog's filter in the "text|patterns|text|patterns" form: "Supported formats" with a
// pattern for every extension, then "All files".
QString openPictureFilterText();

}  // namespace plakatron
