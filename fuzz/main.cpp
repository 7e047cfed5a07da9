// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer's entry points for one target, chosen at build time (PLAKATRON_FUZZ_TARGET). The
// program runs as the window would: a QApplication on the offscreen platform, with HOME, the
// settings folder and every file the target writes in a temporary folder.
#include "FuzzTargets.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Decoders and libwmf warn about every damaged file; at millions of inputs that is noise.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir home;
    if (!home.isValid())
        std::abort();
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path() + QStringLiteral("/.config"));
    // No print queue is reachable: nothing a target does can print, and no input waits for one.
    qputenv("CUPS_SERVER", (home.path() + QStringLiteral("/no-cups-server")).toLocal8Bit());
    qInstallMessageHandler(quiet);
    // Lives for the whole run and is never destroyed: Qt's clean-up must not run from exit().
    static int appArgc = 1;
    static QApplication *app = new QApplication(appArgc, *argv);
    (void)app;
    (void)argc;
    plakatron::fuzz::setWorkFolder(home.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    try {
        plakatron::fuzz::PLAKATRON_FUZZ_TARGET(QByteArrayView(data, qsizetype(size)));
    } catch (const plakatron::fuzz::Violation &v) {
        std::fprintf(stderr, "==plakatron== broken promise: %s\n", v.what());
        std::abort();
    }
    return 0;
}
