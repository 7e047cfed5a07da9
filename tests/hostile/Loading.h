// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What loading a file gives, in the words the hostile-input tests compare.

#include "core/MessageBox.h"
#include "core/RuntimeError.h"
#include "input/OpenPicture.h"
#include "input/PictureLoader.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace plakatron::test {

// `bytes` saved under `name` in the home folder (the test's own temporary folder); its path.
inline QString saved(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir::home().filePath(name);
    writeFile(path, bytes);
    return path;
}

// "width x height" of the picture at path (its nominal size), or "Error: number description"
// after checking the window's message for it.
inline QString loaded(const QString &path, Picture *picture = nullptr, int pdfPage = 1)
{
    try {
        const Picture p = loadPicture(path, {}, PictureRequest{pdfPage, false});
        if (picture)
            *picture = p;
        return QStringLiteral("%1 x %2").arg(p.size().width()).arg(p.size().height());
    } catch (const RuntimeError &e) {
        EXPECT_EQ(loadFailureMessage(path, e), "Unable to load picture '" + path + "'\r\n" + e.description()
                                                   + "\r\nCode " + QString::number(e.number()));
        return errorWithNumber(e);
    }
}

}  // namespace plakatron::test
