// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BuiltInPicture.h"

namespace plakatron {

QImage builtInPicture()
{
    return QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32);
}

}  // namespace plakatron
