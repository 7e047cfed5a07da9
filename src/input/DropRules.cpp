#include "input/DropRules.h"

#include "input/Toolbox.h"

#include <QDir>
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

const QStringList &acceptedPictureExtensions()
{
    static const QStringList extensions{QStringLiteral(".jpg"), QStringLiteral(".jpeg"), QStringLiteral(".gif"),
                                        QStringLiteral(".ico"), QStringLiteral(".wmf"),  QStringLiteral(".bmp")};
    return extensions;
}

bool hasAcceptedPictureExtension(const QString &path)
{
    const std::optional<QString> extension = modToolbox::FileExtension(path, true);
    return extension && acceptedPictureExtensions().contains(extension->toLower());
}

int dragOverEffect(const QMimeData &data)
{
    const QStringList files = droppedFiles(data);
    return files.size() == 1 && hasAcceptedPictureExtension(files.front()) ? dropEffectCopy : dropEffectNone;
}

DropDecision checkDrop(const QMimeData &data)
{
    const QStringList files = droppedFiles(data);
    if (files.size() != 1)
        return {DropDecision::Action::Ignore, QString()};
    if (!hasAcceptedPictureExtension(files.front()))
        return {DropDecision::Action::Unsupported, files.front()};
    return {DropDecision::Action::Load, files.front()};
}

QString unsupportedFormatMessage() { return QStringLiteral("File format not supported!"); }

}  // namespace plakatron
