// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/DropRules.h"

#include "input/PictureTypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace plakatron {

namespace {

// The file names a drag carries: its local-file addresses (a browser's web address is no file).
QStringList droppedFiles(const QMimeData &data)
{
    QStringList files;
    if (!data.hasUrls())
        return files;
    const QList<QUrl> urls = data.urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            files << QDir::toNativeSeparators(url.toLocalFile());
    }
    return files;
}

}  // namespace

int dragOverEffect(const QMimeData &data)
{
    const QStringList files = droppedFiles(data);
    return files.size() == 1 && hasPictureExtension(files.front()) ? dropEffectCopy : dropEffectNone;
}

DropDecision checkDrop(const QMimeData &data)
{
    const QStringList files = droppedFiles(data);
    if (files.size() != 1)
        return {DropDecision::Action::Ignore, QString()};
    if (!hasPictureExtension(files.front()))
        return {DropDecision::Action::Unsupported, files.front()};
    return {DropDecision::Action::Load, files.front()};
}

QString dropRefusal(const QMimeData &data)
{
    const QStringList files = droppedFiles(data);
    if (files.size() > 1)
        return QCoreApplication::translate("DropRules", "Only one picture file can be dropped");
    if (files.size() == 1 && !hasPictureExtension(files.front()))
        return QCoreApplication::translate("DropRules", "Not a picture this program reads: %1")
            .arg(QFileInfo(files.front()).fileName());
    return {};
}

QString unsupportedFormatMessage() { return QCoreApplication::translate("DropRules", "File format not supported!"); }

}  // namespace plakatron
