#include "ui/ShellLinks.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>
#include <utility>

namespace plakatron {
namespace {

ShellOpenFunction &shellOpenSlot()
{
    static ShellOpenFunction function;
    return function;
}

AppFolderFunction &appFolderSlot()
{
    static AppFolderFunction function;
    return function;
}

}  // namespace

ShellOpenFunction setShellOpenFunction(ShellOpenFunction function)
{
    return std::exchange(shellOpenSlot(), std::move(function));
}

AppFolderFunction setAppFolderFunction(AppFolderFunction function)
{
    return std::exchange(appFolderSlot(), std::move(function));
}

long shellOpen(const QString &file, const QString &folder, QWidget *owner)
{
    const ShellOpenFunction &function = shellOpenSlot();
    return function ? function(file, folder, owner) : defaultShellOpen(file, folder, owner);
}

QString appFolder()
{
    const AppFolderFunction &function = appFolderSlot();
    return function ? function() : defaultAppFolder();
}

long defaultShellOpen(const QString &file, const QString &folder, QWidget *)
{
    // Addresses keep their scheme; anything else is a file, relative names taken from `folder`.
    const QUrl url = QUrl::fromUserInput(file, folder, QUrl::AssumeLocalFile);
    if (!url.isValid())
        return 0;
    return QDesktopServices::openUrl(url) ? 33 : 0;
}

QString defaultAppFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

}  // namespace plakatron
