// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/PictureTypes.h"

#include "input/PictureTypeList.h"
#include "input/Toolbox.h"

#include <QCoreApplication>

namespace plakatron {

const QStringList &pictureExtensions()
{
    static const QStringList extensions = [] {
        QStringList list;
        for (const char *extension : generated::pictureExtensions)
            list << u'.' + QLatin1String(extension);
        return list;
    }();
    return extensions;
}

bool hasPictureExtension(const QString &path)
{
    const std::optional<QString> extension = modToolbox::FileExtension(path, true);
    return extension && pictureExtensions().contains(extension->toLower());
}

QString pictureFormatNames()
{
    QStringList names;
    for (const char *name : generated::pictureFormatNames)
        names << QLatin1String(name);
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString openPictureFilterText()
{
    QStringList patterns;
    for (const QString &extension : pictureExtensions())
        patterns << u'*' + extension;
    return QCoreApplication::translate("PictureTypes", "Supported formats") + u'|' + patterns.join(u';') + u'|'
           + QCoreApplication::translate("PictureTypes", "All files") + QStringLiteral("|*");
}

}  // namespace plakatron
