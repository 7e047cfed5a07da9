// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "core/ProgramWide.h"
#include "input/PictureLoader.h"

#include <optional>

namespace plakatron {

namespace {

const char *const Usage =
    "Usage: plakatron [--pdf-page N] [PICTURE]\n"
    "Prints one picture as a large poster tiled over sheets of paper.\n"
    "\n"
    "PICTURE opens at start-up in place of the built-in picture.\n"
    "\n"
    "      --pdf-page N  open a PDF picture on its page N (1 by default)\n"
    "  -h, --help        show this text and end\n"
    "  -v, --version     show the version and end\n"
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
    QString unknownOption, pdfPageError;
    std::optional<int> pdfPage;
    bool optionsEnd = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (optionsEnd || a == u'-' || !a.startsWith(u'-')) {
            pictures << a;
        } else if (a == QLatin1String("--")) {
            optionsEnd = true;
        } else if (a == QLatin1String("--pdf-page") || a.startsWith(QLatin1String("--pdf-page="))) {
            const bool separate = !a.contains(u'=');
            if (separate && i + 1 == arguments.size()) {
                pdfPageError = QStringLiteral("--pdf-page needs a page number");
                continue;
            }
            const QString value = separate ? arguments.at(++i) : a.section(u'=', 1);
            bool ok = false;
            const int page = value.toInt(&ok);
            if (!ok || page < 1 || page > PictureLimits::maxPdfPages)
                pdfPageError = QStringLiteral("invalid value '%1' for --pdf-page: allowed are 1 ... %2")
                                   .arg(value)
                                   .arg(PictureLimits::maxPdfPages);
            else
                pdfPage = page;
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
    if (!pdfPageError.isEmpty())
        return failure(pdfPageError);
    if (pictures.size() > 1)
        return failure(QStringLiteral("one picture at a time, not %1").arg(pictures.size()));
    if (!pictures.isEmpty() && pictures.front().isEmpty())
        return failure(QStringLiteral("the picture's name is empty"));
    if (pdfPage && pictures.isEmpty())
        return failure(QStringLiteral("--pdf-page needs a PDF picture"));
    return {StartupRequest::Action::Run, pictures.value(0), QString(), pdfPage.value_or(1)};
}

}  // namespace plakatron
