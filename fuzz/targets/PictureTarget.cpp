// SPDX-License-Identifier: GPL-3.0-or-later
// Any file a user can open or drop: loadPicture either gives a picture the rest of the program
// can work with or refuses it with a message, and the window's layout pass copes with whatever
// size came in.
#include "FuzzTargets.h"

#include "core/RuntimeError.h"
#include "input/Metafile.h"
#include "input/PictureLoader.h"
#include "layout/Poster.h"

#include <QFile>

namespace plakatron::fuzz {

namespace {

void writeWhole(const QString &path, QByteArrayView data)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the work file");
    require(file.write(data.data(), data.size()) == data.size(), "cannot write the work file");
}

}  // namespace

void pictureTarget(QByteArrayView data)
{
    const QString path = workFolder() + QStringLiteral("/picture");
    writeWhole(path, data);
    Picture picture;
    try {
        picture = loadPicture(path);
    } catch (const RuntimeError &e) {
        // Refused: the window shows the description with the number; the file is all it read.
        require(e.number() == err::InvalidPicture || e.number() == err::OutOfMemory,
                "a picture file refused with an unexpected error number");
        require(!e.description().trimmed().isEmpty(), "a picture file refused without a description");
        // A crash of libwmf, caught in the child process that draws, is still a finding.
        require(e.description() != metafileReaderFailedDescription(), "libwmf crashed on a metafile");
        return;
    }
    require(!picture.isNull(), "loadPicture returned no picture");
    if (picture.isVector()) {
        require(picture.size().width() <= PictureLimits::maxVectorSide && picture.size().height() <= PictureLimits::maxVectorSide,
                "loadPicture returned a vector picture beyond its own size limit");
    } else {
        const QImage &image = picture.raster();
        require(image.format() == QImage::Format_RGB32, "loadPicture returned a picture not in RGB32");
        require(qint64(image.width()) * image.height() <= PictureLimits::maxPixels,
                "loadPicture returned a picture beyond its own size limit");
    }

    // UpdatePictureFile's next step at the default choices; a failure abandons the pass silently.
    try {
        makePoster(picture, PosterChoices{});
    } catch (const RuntimeError &e) {
        require(e.number() == err::Overflow || e.number() == err::DivisionByZero,
                "a layout pass failed with an unexpected error number");
    }
}

}  // namespace plakatron::fuzz
