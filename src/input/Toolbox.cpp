// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/Toolbox.h"

#include "core/ProgramWide.h"
#include "core/RuntimeError.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <utility>

namespace plakatron::modToolbox {

namespace {

// The classic dialog's buffer holds 255 characters including the terminating NUL.
constexpr qsizetype maxDialogFileName = 254;

// ShellExecute's results as the callers know them.
constexpr long shellFileNotFound = 0;  // its 2, returned as 0
constexpr long shellNoAssociation = 31;
constexpr long shellSuccess = 42;      // any value above 32 means success

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

qsizetype lastSeparator(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path.at(i)))
            return i;
    }
    return -1;
}

// Exactly one separator at the end ("/" stays the root).
QString withTrailingSeparator(QString folder)
{
    folder = QDir::toNativeSeparators(folder);
    while (!folder.isEmpty() && isSeparator(folder.back()))
        folder.chop(1);
    return folder + QDir::separator();
}

FileDialogAnswer runQtDialog(const FileDialogRequest &request)
{
    // Held by a guard: the owner may go away while the dialog's event loop runs.
    QPointer<QFileDialog> dialog = new QFileDialog(request.owner, request.title, request.initialFolder);
    dialog->setAcceptMode(request.saveDialog ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(request.fileMustExist && !request.saveDialog ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    if (request.saveDialog && !request.confirmOverwrite)
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.nameFilters.isEmpty()) {
        // Patterns match names in any letter case (a camera's IMG_0001.JPG under *.jpg), as the
        // classic dialog matches them, whatever the file system.
        dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
        dialog->setNameFilters(request.nameFilters);
        dialog->selectNameFilter(request.nameFilters.value(request.filterIndex - 1));
    }
    if (!request.fileName.isEmpty())
        dialog->selectFile(request.fileName);

    FileDialogAnswer answer;
    answer.filterIndex = request.filterIndex;
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return answer;
    if (accepted) {
        answer.accepted = true;
        answer.path = dialog->selectedFiles().value(0);
        const qsizetype chosen = request.nameFilters.indexOf(dialog->selectedNameFilter());
        if (chosen >= 0)
            answer.filterIndex = int(chosen) + 1;
    }
    delete dialog;
    return answer;
}

FileDialogHandler &dialogHandler()
{
    static FileDialogHandler handler;
    return handler;
}

ShellOpenHandler &shellHandler()
{
    static ShellOpenHandler handler;
    return handler;
}

QString &appFolderOverride()
{
    static QString folder;
    return folder;
}

// What the dialog's result becomes: every NUL removed, then the blanks at both ends. (NULs go
// first, so blanks that stood before trailing NULs cannot survive at the end.)
QString cleanDialogPath(QString path)
{
    path.remove(QChar(u'\0'));
    qsizetype begin = 0;
    qsizetype end = path.size();
    while (begin < end && path.at(begin) == u' ')
        ++begin;
    while (end > begin && path.at(end - 1) == u' ')
        --end;
    return path.mid(begin, end - begin);
}

// A text with a scheme of two letters or more ("https:", "mailto:") is an address; "C:" is a drive.
// Tolerant, because addresses may carry blanks ("mailto:a@b?Subject=Sending cool poster-picture!").
bool isAddress(const QString &text)
{
    const QUrl url(text, QUrl::TolerantMode);
    return url.isValid() && url.scheme().size() > 1;
}

}  // namespace

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        result << parts.at(i) + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return result;
}

QString ShowFileDialog(const QString &filter, QWidget *ownerWindow, const QString &initialFolder,
                       const QString &title, long flags, bool saveDialog, int &filterIndex,
                       const QString &fileName)
{
    if (fileName.size() > maxDialogFileName)
        raise(err::InvalidCall);

    FileDialogRequest request;
    request.owner = ownerWindow;
    request.title = title.isEmpty() ? appTitle() : title;
    request.initialFolder = initialFolder;
    request.nameFilters = qtNameFilters(filter);
    request.filterIndex = filterIndex >= 1 && filterIndex <= request.nameFilters.size() ? filterIndex : 1;
    request.fileName = fileName;
    request.saveDialog = saveDialog;
    request.fileMustExist = (flags & OFN_FILEMUSTEXIST) != 0;
    request.confirmOverwrite = (flags & OFN_OVERWRITEPROMPT) != 0;

    const FileDialogAnswer answer = dialogHandler() ? dialogHandler()(request) : runQtDialog(request);
    filterIndex = answer.filterIndex;
    if (!answer.accepted)
        return QString();
    return cleanDialogPath(answer.path);
}

long ShellOpen(const QString &file, const QString &folder, QWidget *ownerWindow, const QString &parameters,
               const QString &verb)
{
    Q_UNUSED(ownerWindow)
    Q_UNUSED(parameters)
    Q_UNUSED(verb)

    QUrl url;
    if (isAddress(file)) {
        url = QUrl(file, QUrl::TolerantMode);
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return shellFileNotFound;
    } else {
        if (file.isEmpty())
            return shellFileNotFound;
        const QString local = folder.isEmpty() || QDir::isAbsolutePath(file) ? file : QDir(folder).filePath(file);
        if (!QFileInfo::exists(local))
            return shellFileNotFound;
        url = QUrl::fromLocalFile(QFileInfo(local).absoluteFilePath());
    }
    const bool opened = shellHandler() ? shellHandler()(url) : QDesktopServices::openUrl(url);
    return opened ? shellSuccess : shellNoAssociation;
}

bool FileExists(const QString &path)
{
    if (FolderExists(path))
        return false;
    if (path.isEmpty())
        return false;
    return QFileInfo::exists(path);
}

bool FolderExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isDir();
}

QString ExtractFolder(const QString &path)
{
    if (!path.isEmpty() && isSeparator(path.back()))
        return path;
    const qsizetype s = lastSeparator(path);
    if (s < 0)
        return path;
    return path.left(s + 1);
}

QString FolderOfPath(const QString &path) { return ExtractFolder(path); }

std::optional<QString> FileExtension(const QString &path, bool withDot)
{
    const qsizetype s = lastSeparator(path);
    const qsizetype d = path.lastIndexOf(u'.');
    if (s > d)
        return std::nullopt;
    const QString dot = withDot ? QStringLiteral(".") : QString();
    if (d < 0)
        return dot + path;
    return dot + path.mid(d + 1);
}

QString AppFolder()
{
    const QString &override = appFolderOverride();
    return withTrailingSeparator(override.isEmpty() ? QCoreApplication::applicationDirPath() : override);
}

QString SpecialFolderPath(long csidl)
{
    QStandardPaths::StandardLocation location;
    switch (csidl) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY: location = QStandardPaths::DesktopLocation; break;
    case CSIDL_PERSONAL: location = QStandardPaths::DocumentsLocation; break;
    case CSIDL_MYMUSIC: location = QStandardPaths::MusicLocation; break;
    case CSIDL_MYVIDEO: location = QStandardPaths::MoviesLocation; break;
    case CSIDL_MYPICTURES: location = QStandardPaths::PicturesLocation; break;
    case CSIDL_PROFILE: location = QStandardPaths::HomeLocation; break;
    default: return QString();
    }
    const QString folder = QStandardPaths::writableLocation(location);
    if (folder.isEmpty())
        return QString();
    return withTrailingSeparator(folder);
}

FileDialogHandler installFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(dialogHandler(), std::move(handler));
}

ShellOpenHandler installShellOpenHandler(ShellOpenHandler handler)
{
    return std::exchange(shellHandler(), std::move(handler));
}

void setAppFolderForTesting(const QString &folder) { appFolderOverride() = folder; }

}  // namespace plakatron::modToolbox
