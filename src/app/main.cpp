// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/Languages.h"
#include "app/modXPManifest.h"
#include "core/BuildConfig.h"
#include "core/FileSystem.h"
#include "core/ProgramWide.h"

#include <QApplication>
#include <cstdio>

using namespace plakatron;

namespace {
int answer(const StartupRequest &request)
{
    const bool failed = request.action == StartupRequest::Action::Fail;
    std::fputs(request.text.toLocal8Bit().constData(), failed ? stderr : stdout);
    return failed ? 2 : 0;
}
}  // namespace

int main(int argc, char **argv)
{
    // --help, --version and a command line the window cannot start with answer without a screen,
    // before the window system is reached. Names as the system has them, whatever their bytes.
    const auto arguments = [&] {
        QStringList names;
        for (int i = 0; i < argc; ++i)
            names << platform::nameFromNative(argv[i]);
        return names;
    };
    const StartupRequest early = parseCommandLine(withoutToolkitOptions(arguments()));
    if (early.action != StartupRequest::Action::Run)
        return answer(early);

    QApplication app(argc, argv);
    QApplication::setApplicationName(appTitle());
    QApplication::setApplicationVersion(versionText());
    // Ties the windows to the installed menu entry and its icon (Wayland's application id).
    QGuiApplication::setDesktopFileName(QLatin1String(buildconfig::appId));
    // Qt has taken its own options (-platform, -style ...) out of argv by now.
    const StartupRequest request = parseCommandLine(arguments());
    if (request.action != StartupRequest::Action::Run)
        return answer(request);
    // The window in the user's language; what the command line answers above stays English.
    installTranslations(QLocale::system());
    if (!modXPManifest::Main({}, request.picture, request.pdfPage))
        return 1;
    return QApplication::exec();
}
