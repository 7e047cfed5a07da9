#pragma once
// How the windows of this folder hand a link or file to the desktop, and where they find the
// program's folder. Both are replaceable: the program plugs in its own shell helpers, tests record
// the calls instead of starting a browser.

#include <QString>
#include <functional>

class QWidget;

namespace plakatron {

// file: a path or an address ("https://...", "mailto:..."); folder: the working folder;
// owner: the window asking. Returns the shell's result code: above 32 means success.
using ShellOpenFunction = std::function<long(const QString &file, const QString &folder, QWidget *owner)>;
// The program's folder, ending in a separator.
using AppFolderFunction = std::function<QString()>;

// Replace the helper (an empty function restores the built-in one); returns the previous one.
ShellOpenFunction setShellOpenFunction(ShellOpenFunction function);
AppFolderFunction setAppFolderFunction(AppFolderFunction function);

long shellOpen(const QString &file, const QString &folder, QWidget *owner);
QString appFolder();

// The built-in helpers: the desktop's default action for the file or address, and the folder
// of the running program.
long defaultShellOpen(const QString &file, const QString &folder, QWidget *owner);
QString defaultAppFolder();

}  // namespace plakatron
