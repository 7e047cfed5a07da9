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
            QStringLiteral("plakatron: ") + why + QStringLiteral("\nTry 'plakatron --help'.\n")};
}

}  // namespace

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
