// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A crop of a picture, described rather than made: a white canvas of `size` pixels with the
// picture's rectangle `part` copied onto it 1:1, its top-left corner at `at`. A page's crop can be
// mostly white and many times larger than the picture (a panorama on one sheet is cut in A4
// proportion), so it is never made whole: cDIBSection::ResampleCrop reads just the pixels the
// page needs through this description.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace plakatron {

struct PictureCrop {
    const QImage *picture = nullptr;  // none: all white
    QSize size;                       // the whole crop
    QRect part;                       // of the picture; what lies outside the picture stays white
    QPoint at;                        // where part's top-left corner lands in the crop

    // Copies `part` of the picture to `at`, clipped to the picture (as a painter clips it).
    void place(const QRect &wanted, QPoint target)
    {
        part = picture ? wanted.intersected(picture->rect()) : QRect();
        at = target + (part.topLeft() - wanted.topLeft());
    }

    // Where the picture's pixels land in the crop (clipped to the picture, not to the crop), and
    // the picture pixel at that rectangle's top left.
    struct Landing {
        QRect inCrop;
        QPoint from;
    };
    Landing landing() const
    {
        const QRect inPicture = picture ? part.intersected(picture->rect()) : QRect();
        return {QRect(at + (inPicture.topLeft() - part.topLeft()), inPicture.size()), inPicture.topLeft()};
    }

    bool operator==(const PictureCrop &) const = default;
};

}  // namespace plakatron
