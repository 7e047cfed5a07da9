// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/OpenPicture.h"

#include "core/MessageBox.h"
#include "core/RuntimeError.h"
#include "input/Toolbox.h"

#include <QCoreApplication>

namespace plakatron {

QString defaultPictureFolder() { return modToolbox::SpecialFolderPath(modToolbox::CSIDL_PERSONAL); }

QString openPictureDialog(QWidget *owner, const QString &lastFolder)
{
    int filterIndex = 1;
    return modToolbox::ShowFileDialog(openPictureFilterText(), owner, lastFolder,
                                      QCoreApplication::translate("OpenPicture", "Open Picture"), 0, false,
                                      filterIndex);
}

QString loadFailureMessage(const QString &path, const RuntimeError &error)
{
    return QCoreApplication::translate("OpenPicture", "Unable to load picture '%1'").arg(path) + QStringLiteral("\r\n")
           + describeWithCode(error);
}

}  // namespace plakatron
