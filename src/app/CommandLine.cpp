// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "core/ProgramWide.h"

namespace plakatron {

namespace {

const char *const Usage =
    "Usage: plakatron [PICTURE]\n"
    "Prints one picture as a large poster tiled over sheets of paper.\n"
    "\n"
    "PICTURE opens at start-up in place of the built-in picture.\n"
    "\n"
    "  -h, --help     show this text and end\n"
    "  -v, --version  show the version and end\n"
    "\n"
    "plakatron-cli does the same without a window.\n";

StartupRequest failure(const QString &why)
{
    return {StartupRequest::Action::Fail, QString(),
            QStringLiteral("plakatron: ") + why + QStringLiteral("\n") + QString::fromLatin1(Usage).section(u'\n', 0, 0)
                + QStringLiteral("\nTry 'plakatron --help'.\n")};
}

// The options the window system library takes out of the command line when the application
// object is made (its own and its platform plugins'), with "-" or "--", as "-style=x" too.
bool isToolkitOption(const QString &argument, bool &takesValue)
{
    static const QStringList withValue{
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
        QStringLiteral("qwindowicon"), QStringLiteral("icon"), QStringLiteral("qwindowtitle"),
        QStringLiteral("title"), QStringLiteral("session"), QStringLiteral("style"), QStringLiteral("stylesheet"),
        QStringLiteral("display"), QStringLiteral("name"), QStringLiteral("visual")};
    static const QStringList alone{QStringLiteral("reverse"), QStringLiteral("testability"),
                                   QStringLiteral("widgetcount"), QStringLiteral("nograb"), QStringLiteral("dograb"),
                                   QStringLiteral("qdebug"), QStringLiteral("qdevel")};
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    takesValue = false;
    if (const qsizetype equals = name.indexOf(u'='); equals > 0) {
        name.truncate(equals);
        return withValue.contains(name) || name == QLatin1String("qmljsdebugger");
    }
    takesValue = withValue.contains(name);
    return takesValue || alone.contains(name);
}

}  // namespace

QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        bool takesValue = false;
        // Wherever it stands, after "--" too, as the library takes it.
        if (i > 0 && a.size() > 1 && a.startsWith(u'-') && isToolkitOption(a, takesValue)) {
            if (takesValue)
                ++i;
            continue;
        }
        kept << a;
    }
    return kept;
}

StartupRequest parseCommandLine(const QStringList &arguments)
{
    QStringList pictures;
    QString unknownOption;
    bool optionsEnd = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (optionsEnd || a == u'-' || !a.startsWith(u'-')) {
            pictures << a;
        } else if (a == QLatin1String("--")) {
            optionsEnd = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            return {StartupRequest::Action::ShowHelp, QString(), QLatin1String(Usage)};
        } else if (a == QLatin1String("-v") || a == QLatin1String("--version")) {
            return {StartupRequest::Action::ShowVersion, QString(), versionText() + u'\n'};
        } else if (unknownOption.isEmpty()) {
            unknownOption = a;
        }
    }
    if (!unknownOption.isEmpty())
        return failure(QStringLiteral("unknown option '") + unknownOption + u'\'');
    if (pictures.size() > 1)
        return failure(QStringLiteral("one picture at a time, not %1").arg(pictures.size()));
    if (!pictures.isEmpty() && pictures.front().isEmpty())
        return failure(QStringLiteral("the picture's name is empty"));
    return {StartupRequest::Action::Run, pictures.value(0), QString()};
}

}  // namespace plakatron
