// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/OpenPicture.h"

#include "core/MessageBox.h"
#include "core/RuntimeError.h"
#include "input/Toolbox.h"

namespace plakatron {

QString defaultPictureFolder() { return modToolbox::SpecialFolderPath(modToolbox::CSIDL_PERSONAL); }

QString openPictureDialog(QWidget *owner, const QString &lastFolder)
{
    int filterIndex = 1;
    return modToolbox::ShowFileDialog(openPictureFilterText(), owner, lastFolder, openPictureTitle, 0, false,
                                      filterIndex);
}

QString loadFailureMessage(const QString &path, const RuntimeError &error)
{
    return QStringLiteral("Unable to load picture '") + path + QStringLiteral("'\r\n") + describeWithCode(error);
}

}  // namespace plakatron
