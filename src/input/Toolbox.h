// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// modToolbox: stateless file, path and shell helpers.
//
// Paths use the platform's separator: '/' here, and on Windows both '/' and '\'. Nothing is
// normalised: a path comes back with the case and the relative parts it went in with.
// The helpers that can only succeed or fail never throw; ShowFileDialog, ShellOpen and AppFolder
// let their errors reach the caller.
//
// The file dialog and the shell are reached through replaceable handlers, so tests can answer
// them without a real dialog and without starting a browser.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

class QWidget;

namespace plakatron::modToolbox {

// Dialog flags a caller may pass, with their Windows values.
inline constexpr long OFN_OVERWRITEPROMPT = 0x2;  // a save dialog asks before replacing a file
inline constexpr long OFN_FILEMUSTEXIST = 0x1000;  // an open dialog accepts only existing files

// Special-folder numbers SpecialFolderPath knows (the shell's numbering).
inline constexpr long CSIDL_DESKTOP = 0x00;
inline constexpr long CSIDL_PERSONAL = 0x05;  // the user's documents folder
inline constexpr long CSIDL_MYMUSIC = 0x0d;
inline constexpr long CSIDL_MYVIDEO = 0x0e;
inline constexpr long CSIDL_DESKTOPDIRECTORY = 0x10;
inline constexpr long CSIDL_MYPICTURES = 0x27;
inline constexpr long CSIDL_PROFILE = 0x28;

// Shows a modal open (or save) dialog. filter alternates display text and pattern list, separated
// by "|" ("Supported formats|*.jpg;*.bmp"); filterIndex is 1-based, read on entry and set to the
// chosen entry on return. Returns the chosen path without surrounding blanks, or empty when the
// user cancels. title empty means the application's title. A fileName longer than 254 characters
// fails with error 5 before the dialog opens.
QString ShowFileDialog(const QString &filter, QWidget *ownerWindow, const QString &initialFolder,
                       const QString &title, long flags, bool saveDialog, int &filterIndex,
                       const QString &fileName = QString());

// Opens a document or an address (http:, https:, mailto:, file:) with its default program.
// Returns 0 when a local file does not exist, a value above 32 (42) on success, and 31 (no program
// for it) when the desktop could not open it. parameters and verb have no equivalent here and are
// ignored; a relative file is taken relative to folder when one is given.
long ShellOpen(const QString &file, const QString &folder = QString(), QWidget *ownerWindow = nullptr,
               const QString &parameters = QString(), const QString &verb = QString());

// True for an existing file of any attributes; false for a folder, an empty path or anything
// that cannot be read.
bool FileExists(const QString &path);
// True when path names an existing folder. Unlike the classic test it does not change the
// process's current folder.
bool FolderExists(const QString &path);
// path up to and including its last separator; path unchanged when it ends in a separator or
// has none ("/pics/a.jpg" -> "/pics/", "a.jpg" -> "a.jpg").
QString ExtractFolder(const QString &path);
QString FolderOfPath(const QString &path);
// The text after the last "." ("JPG", or ".JPG" withDot). No value when the last separator
// comes after the last dot (no extension, or the dot lies in a folder name). A text without any
// dot or separator is taken as a bare extension ("jpg" -> ".jpg").
std::optional<QString> FileExtension(const QString &path, bool withDot);
// The program's folder, ending in exactly one separator.
QString AppFolder();
// The folder for a special-folder number, ending in a separator; empty for a number this
// platform does not know or a folder it cannot name.
QString SpecialFolderPath(long csidl);

// "text|pattern|text|pattern" as Qt name filters: "text (pattern pattern)". A trailing text
// without patterns is dropped, as the classic dialog drops it.
QStringList qtNameFilters(const QString &filter);

// --- seams --------------------------------------------------------------------------------

struct FileDialogRequest {
    QWidget *owner = nullptr;
    QString title;             // already defaulted to the application title
    QString initialFolder;
    QStringList nameFilters;   // Qt form, see qtNameFilters
    int filterIndex = 1;       // 1-based, within nameFilters (1 when there are none)
    QString fileName;          // initial name, may be empty
    bool saveDialog = false;
    bool fileMustExist = false;
    bool confirmOverwrite = false;
};

struct FileDialogAnswer {
    bool accepted = false;
    QString path;              // as the dialog returned it
    int filterIndex = 1;       // 1-based entry chosen
};

using FileDialogHandler = std::function<FileDialogAnswer(const FileDialogRequest &)>;
// Replaces the dialog (an empty handler restores QFileDialog); returns the previous handler.
FileDialogHandler installFileDialogHandler(FileDialogHandler handler);

using ShellOpenHandler = std::function<bool(const QUrl &)>;
// Replaces QDesktopServices::openUrl (an empty handler restores it); returns the previous one.
ShellOpenHandler installShellOpenHandler(ShellOpenHandler handler);

// Makes AppFolder() return folder (a separator is appended when missing); empty restores the
// executable's folder. Tests use it so nothing is written beside the real program.
void setAppFolderForTesting(const QString &folder);

}  // namespace plakatron::modToolbox
