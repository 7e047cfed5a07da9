// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The straightforward way to a page: its crop made whole, as a white picture with the picture's
// part painted on. The yardstick for the renderer, which never makes the crop whole.

#include "imaging/PictureCrop.h"

#include <QImage>
#include <QPainter>

namespace plakatron::test {

inline QImage wholeCrop(const PictureCrop &crop)
{
    QImage image(crop.size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!image.isNull() && crop.picture && !crop.part.isEmpty()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(crop.at, *crop.picture, crop.part);
    }
    return image;
}

}  // namespace plakatron::test
