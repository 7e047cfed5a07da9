// SPDX-License-Identifier: GPL-3.0-or-later
// Every test program starts here: Qt's offscreen platform, and HOME and the settings folder in a
// temporary directory, so no test can touch the real user's settings, documents or printer file.
#include "input/VectorPicture.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 3;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path() + QStringLiteral("/.config"));

    QApplication app(argc, argv);
    // PDF and SVG pictures are read by the helper the build made.
    plakatron::setVectorHelperForTesting(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron-vector"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
