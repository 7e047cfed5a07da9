// SPDX-License-Identifier: GPL-3.0-or-later
// What `cmake --install` puts into a prefix (a temporary one here): both programs, the menu entry,
// the metainfo and the icon where the desktop looks for them, the help in the data folder, where
// the installed program finds it, the manual pages, the shell completion, the copyright file and
// the changelog. The menu entry and the metainfo must pass Debian's validators. The Debian package
// depends on the files the programs load without linking them.
#include "app/frmMain.h"
#include "core/BuildConfig.h"
#include "input/ProgramFolders.h"
#include "input/Toolbox.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDirIterator>
#include <QImage>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <libwmf/api.h>
#include <libwmf/font.h>
#include <libwmf/gd.h>

using namespace plakatron;

namespace {

struct ProcessRun {
    int exitCode = -1;
    QString output;  // standard output and error together
};

ProcessRun run(const QString &program, const QStringList &arguments, const QStringList &environment = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &kv : environment)
        env.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAll())};
}

const QString AppId = QLatin1String(buildconfig::appId);

class Install : public ::testing::Test {
protected:
    // One installation for the whole suite.
    static void SetUpTestSuite()
    {
        prefix = new QTemporaryDir;
        installed = run(QStringLiteral(PLAKATRON_CMAKE_COMMAND), {"--install", PLAKATRON_BINARY_DIR, "--prefix", prefix->path()});
    }
    static void TearDownTestSuite()
    {
        delete prefix;
        prefix = nullptr;
    }
    void SetUp() override { ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString(); }
    static QString path(const QString &relative) { return prefix->filePath(relative); }

    static inline QTemporaryDir *prefix = nullptr;
    static inline ProcessRun installed;
    const QString desktopFile = path("share/applications/" + AppId + ".desktop");
    const QString help = path(QStringLiteral("share/plakatron/help/"));
};

// Each file where the desktop looks and nothing else; the icon at every size, and the scalable one
// as drawn.
TEST_F(Install, PutsEachFileWhereTheDesktopLooksAndNothingElse)
{
    const QString icon = "share/icons/hicolor/%1/apps/" + AppId;
    QStringList expected{"bin/plakatron", "bin/plakatron-cli", "libexec/plakatron/plakatron-vector",
                         "share/applications/" + AppId + ".desktop",
                         "share/metainfo/" + AppId + ".metainfo.xml", icon.arg("scalable") + ".svg",
                         "share/plakatron/help/index.htm", "share/plakatron/help/index_de.htm",
                         "share/plakatron/help/style.css", "share/plakatron/help/assembly.svg",
                         "share/man/man1/plakatron.1.gz", "share/man/man1/plakatron-cli.1.gz", "share/bash-completion/completions/plakatron-cli",
                         "share/doc/plakatron/copyright", "share/doc/plakatron/changelog.gz"};
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        expected << icon.arg(QStringLiteral("%1x%1").arg(size)) + ".png";
        const QImage drawn(path(expected.back()));
        EXPECT_TRUE(drawn.size() == QSize(size, size) && drawn.hasAlphaChannel()) << size;
    }
    QStringList found;
    for (QDirIterator it(prefix->path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        found << QDir(prefix->path()).relativeFilePath(it.next());
    expected.sort();
    found.sort();
    EXPECT_EQ(found, expected);
    for (const char *program : {"bin/plakatron", "bin/plakatron-cli", "libexec/plakatron/plakatron-vector"})
        EXPECT_TRUE(QFileInfo(path(QLatin1String(program))).isExecutable()) << program;
    EXPECT_EQ(test::contentOf(path(icon.arg("scalable") + ".svg")),
              test::contentOf(QStringLiteral(PLAKATRON_SOURCE_DIR "/resources/plakatron.svg")));
}

// The menu entry opens one picture of every type the program loads, and names the installed icon.
// Each validator passes the installed files (desktop-file-validate without a remark) and fails a
// broken copy, so a validator that checked nothing could not pass.
TEST_F(Install, TheMenuEntryAndTheMetainfoPassDebiansValidators)
{
    QHash<QString, QString> entry;  // a desktop entry is not an INI file for QSettings: ";" separates items
    for (const QString &line : QString::fromUtf8(test::contentOf(desktopFile)).split(u'\n'))
        entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    EXPECT_EQ(QStringList({entry["Exec"], entry["Icon"], entry["Name"]}).join(u'|'), "plakatron %f|" + AppId + "|Plakatron");
    const QStringList types = entry.value("MimeType").split(u';', Qt::SkipEmptyParts);
    EXPECT_EQ(types.join(u' ').toStdString(),
              "image/jpeg image/png image/tiff image/webp image/heic image/heif image/avif image/bmp image/gif "
              "image/vnd.microsoft.icon image/x-icon image/wmf image/x-wmf application/pdf image/svg+xml "
              "image/svg+xml-compressed");
    for (const QString &type : types)
        EXPECT_TRUE(QMimeDatabase().mimeTypeForName(type).isValid()) << type.toStdString();

    const struct { const char *tool, *package; QStringList options; QString file; const char *from, *to; } rows[] = {
        {"desktop-file-validate", "desktop-file-utils", {}, desktopFile, "Type=Application", "Type=Program"},
        {"appstreamcli", "appstream", {"validate", "--no-net", "--strict", "--pedantic"},
         path("share/metainfo/" + AppId + ".metainfo.xml"), "<name>", "<nome>"},
    };
    QTemporaryDir broken;
    for (const auto &r : rows) {
        SCOPED_TRACE(r.tool);
        const QString tool = QStandardPaths::findExecutable(QLatin1String(r.tool));
        ASSERT_FALSE(tool.isEmpty()) << r.tool << " is missing: install Debian's " << r.package << " (tools/dev does)";
        const ProcessRun good = run(tool, r.options + QStringList{r.file});
        EXPECT_EQ(good.exitCode, 0) << good.output.toStdString();
        // Not even a pedantic remark: the validators' only words are appstreamcli's success.
        EXPECT_TRUE(QString(good.output).remove(QRegularExpression(QStringLiteral("^\\S* ?Validation was successful.\n$"))).isEmpty())
            << good.output.toStdString();
        const QString copy = broken.filePath(QFileInfo(r.file).fileName());
        test::writeFile(copy, test::contentOf(r.file).replace(r.from, r.to));
        EXPECT_NE(run(tool, r.options + QStringList{copy}).exitCode, 0);
    }
}

// Instructions in the installed window opens the help in the data folder; help beside the program
// (a build tree, a portable copy) comes first; with neither it opens nothing and says nothing.
// (That the installed programs run: the manual pages' test runs their --help.)
TEST_F(Install, TheInstalledWindowFindsItsHelp)
{
    const QString bin = path("bin/");
    QTemporaryDir elsewhere;  // a program folder with no help beside it nor installed
    EXPECT_EQ(helpFolder(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/")), QStringLiteral(PLAKATRON_BINARY_DIR "/bin/help/"));
    QStringList opened;
    const auto previous = modToolbox::installShellOpenHandler([&opened](const QUrl &url) {
        opened << url.toLocalFile();
        return true;
    });
    {
        test::MessageCapture messages;
        frmMain window;
        const auto instructions = [&](const QString &programFolder) {
            modToolbox::setAppFolderForTesting(programFolder);
            window.findChild<QAction *>(QStringLiteral("mnuInst"))->trigger();
        };
        instructions(bin);
        ASSERT_TRUE(QDir().mkpath(bin + "help") && QFile::copy(help + "index.htm", bin + "help/index.htm"));
        instructions(bin);
        QDir(bin + "help").removeRecursively();
        instructions(elsewhere.path() + '/');
        window.close();
        EXPECT_TRUE(messages.messages().empty());
    }
    modToolbox::installShellOpenHandler(previous);
    modToolbox::setAppFolderForTesting(QString());
    EXPECT_EQ(opened, QStringList({help + "index.htm", bin + "help/index.htm"}));
}

// The help page, as installed: everything it uses is there and local, every in-page link has its
// target, and it speaks of the program in the program's own words.
TEST_F(Install, TheHelpPageIsCompleteAndInTheProgramsOwnWords)
{
    const QString page = QString::fromUtf8(test::contentOf(help + "index.htm"));
    const QRegularExpression reference(QStringLiteral(R"re((?:src|href)="([^"]+)")re"));
    for (const auto &match : reference.globalMatch(page)) {
        const QString target = match.captured(1);
        EXPECT_TRUE(target.startsWith(u'#') ? page.contains("id=\"" + target.mid(1) + '"')
                                            : !target.contains("://") && QFileInfo(help + target).isFile())
            << target.toStdString();
    }
    EXPECT_TRUE(page.contains("\"style.css\"") && page.contains("\"assembly.svg\""));
    EXPECT_FALSE(test::contentOf(help + "style.css").contains("url("));
    for (const char *words : {"Open Picture...", "Width in A4:", "A4 X resolution:", "Additional settings",
                              "Final image width:", "Final image height:", "Total pages:", "Height in A4:",
                              "Print this picture...", "Print assembly map...", "put 3 below", "put 2 next"})
        EXPECT_TRUE(page.contains(words)) << words;
}

// A row of a help text's tables ("  term   description", its wrapped lines joined) and the heading
// it is under ("" for none).
struct HelpRow {
    QString heading, term, text;
};

QList<HelpRow> helpRows(const QString &help)
{
    static const QRegularExpression row(QStringLiteral("^  (\\S(?:\\S| (?! ))*)  +(\\S.*)$"));
    QList<HelpRow> rows;
    QString heading;
    bool inRow = false;
    for (const QString &line : help.split(u'\n')) {
        if (!line.startsWith(u' ')) {
            heading = line.endsWith(u':') ? line.chopped(1) : QString();
            inRow = false;
        } else if (const QRegularExpressionMatch m = row.match(line); m.hasMatch()) {
            rows.append({heading, m.captured(1), m.captured(2)});
            inRow = true;
        } else if (inRow) {
            rows.last().text += u' ' + line.trimmed();
        }
    }
    return rows;
}

// A manual page as man shows it, in one line per paragraph with single blanks. What man and groff
// say of it are lines of their own, each starting with the program's name ("troff: ...").
ProcessRun manPage(const QString &file)
{
    ProcessRun shown = run(QStringLiteral("man"), {"--warnings", "-l", file}, {"MANWIDTH=1000", "LC_ALL=C.UTF-8"});
    // Typographic quotes and dashes as typed.
    for (const auto &[from, to] : {std::pair{u'\u2019', u'\''}, {u'\u2018', u'\''}, {u'\u2010', u'-'}, {u'\u2212', u'-'}})
        shown.output.replace(from, to);
    shown.output.replace(QRegularExpression(QStringLiteral("[ \t]+")), QStringLiteral(" "));
    return shown;
}

// Each manual page as man shows it, without a word from man or groff, holds every row of its
// program's help and of each verb's help (the verbs those of the tool's own help), each verb's
// under its heading, so nothing a help says is missing from the page; and the sections no help
// has.
TEST_F(Install, TheManualPagesSayWhatTheProgramsHelpSays)
{
    const QString cli = path("bin/plakatron-cli");
    const ProcessRun cliHelp = run(cli, {"--help"});
    QStringList verbs;
    for (const HelpRow &row : helpRows(cliHelp.output))
        if (row.heading == "Verbs")
            verbs << row.term;
    EXPECT_EQ(verbs.join(u' '), "layout page print map calibrate help");
    verbs.removeLast();

    const struct { const char *page, *program; QStringList verbs; QStringList sections; } pages[] = {
        {"plakatron.1.gz", "bin/plakatron", {}, {"OPTIONS", "EXIT STATUS", "FILES", "ENVIRONMENT", "SEE ALSO"}},
        {"plakatron-cli.1.gz", "bin/plakatron-cli", verbs, {"OPTIONS", "VERBS", "EXIT STATUS", "FILES", "ENVIRONMENT", "EXAMPLES"}},
    };
    for (const auto &p : pages) {
        SCOPED_TRACE(p.page);
        const ProcessRun shown = manPage(path("share/man/man1/") + p.page);
        const QString &text = shown.output;
        ASSERT_EQ(shown.exitCode, 0) << text.toStdString();
        const QRegularExpression remark(QStringLiteral("^[a-z]+: "), QRegularExpression::MultilineOption);
        EXPECT_FALSE(text.contains(remark)) << "man or groff warned: " << text.toStdString();
        EXPECT_TRUE(text.contains("Plakatron " PLAKATRON_VERSION)) << "the version in the page's footer";
        for (const QString &section : p.sections)
            EXPECT_TRUE(text.contains(u'\n' + section + u'\n')) << section.toStdString();

        QList<std::pair<QString, QString>> parts{{QString(), run(path(QLatin1String(p.program)), {"--help"}).output}};
        for (const QString &verb : p.verbs)
            parts.append({verb, run(cli, {"help", verb}).output});
        // Words as a reader sees them: blanks and line ends alike, a value's name without Qt's "<>".
        const auto words = [](QString t) {
            return t.remove(QRegularExpression(QStringLiteral("[<>]"))).simplified();
        };
        const QString verbsPart = text.section(QStringLiteral("\nVERBS\n"), 1);
        const QString shared = words(text.section(QStringLiteral("Options of every verb"), 1).section(QStringLiteral("\nVERBS\n"), 0, 0));
        for (const auto &[verb, help] : parts) {
            SCOPED_TRACE(verb.toStdString());
            // A verb's rows are under its heading, the options every verb has in their own section.
            QString own = words(text);
            if (!verb.isEmpty()) {
                const qsizetype start = verbsPart.indexOf("plakatron-cli " + verb + " [options]\n");
                ASSERT_GE(start, 0);
                own = words(verbsPart.mid(start).section(QRegularExpression("\n( plakatron-cli \\w+ \\[options\\]|EXIT STATUS)\n"), 0, 0));
            }
            const auto rows = helpRows(help);
            EXPECT_GE(rows.size(), verb.isEmpty() ? 2 : 8);
            for (const HelpRow &row : rows) {
                if (row.heading == "Verbs")
                    continue;  // each has its heading under VERBS, found above
                const QString described = words(row.term + u' ' + row.text);
                EXPECT_TRUE(own.contains(described) || (row.heading == "Options" && shared.contains(described)))
                    << described.toStdString() << "\nnot in:\n" << own.toStdString();
            }
        }
    }
}

// bash, with Debian's bash-completion, completes plakatron-cli's verbs, each verb's own options
// and file names after an option that takes a file.
TEST_F(Install, BashCompletesTheVerbsTheirOptionsAndFiles)
{
    const QString completions = QStringLiteral("/usr/share/bash-completion/bash_completion");
    ASSERT_TRUE(QFileInfo::exists(completions)) << "install Debian's bash-completion (tools/dev does)";
    QTemporaryDir dir;
    test::writeFile(dir.filePath("photo.jpg"), "");
    ASSERT_TRUE(QDir(dir.path()).mkdir("photos"));
    const struct { const char *typed, *offered; } rows[] = {
        {"plakatron-cli ''", "--help --version -h calibrate help layout map page print"},
        {"plakatron-cli help p", "page print"},
        {"plakatron-cli print --w", "--width --with-map"},
        {"plakatron-cli map --li", ""},
        {"plakatron-cli page --pa", "--page --paper"},
        {"plakatron-cli print --sheets ''", ""},
        {"plakatron-cli print --picture %1/pho", "%1/photo.jpg %1/photos"},
        {"plakatron-cli map -o %1/p", "%1/photo.jpg %1/photos"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.typed);
        const QString script = QStringLiteral("source %1; source %2; COMP_WORDS=(%3); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                              "COMP_LINE=\"${COMP_WORDS[*]}\"; COMP_POINT=${#COMP_LINE}; _plakatron_cli; "
                                              "printf '%s\\n' \"${COMPREPLY[@]}\" | sort")
                                   .arg(completions, path("share/bash-completion/completions/plakatron-cli"),
                                        QString::fromUtf8(r.typed).replace("%1", dir.path()));
        const ProcessRun bash = run(QStringLiteral("bash"), {"-c", script});
        ASSERT_EQ(bash.exitCode, 0) << bash.output.toStdString();
        EXPECT_EQ(bash.output.trimmed().split(u'\n').join(u' '), QString::fromUtf8(r.offered).replace("%1", dir.path()));
    }
}

// CHANGELOG is the one source of the releases: installed as Debian keeps a changelog, and the
// metainfo's releases made from it, the newest being the program's version. The licence is named
// alike in the copyright file (Debian's machine-readable format) and the metainfo, and LICENSE is
// its text. Each screenshot the metainfo names lies in resources/screenshots at the size it says.
TEST_F(Install, ReleasesLicenceAndScreenshotsComeFromTheSourceTree)
{
    const QByteArray changelog = test::contentOf(QStringLiteral(PLAKATRON_SOURCE_DIR "/CHANGELOG"));
    const ProcessRun unpacked = run(QStringLiteral("gzip"), {"-dc", path("share/doc/plakatron/changelog.gz")});
    EXPECT_EQ(unpacked.output.toUtf8(), changelog);
    const ProcessRun parsed = run(QStringLiteral("dpkg-parsechangelog"), {"-l", PLAKATRON_SOURCE_DIR "/CHANGELOG", "-SVersion"});
    EXPECT_EQ(parsed.output, PLAKATRON_VERSION "\n") << "dpkg-parsechangelog reads CHANGELOG without a remark";

    const QString metainfo = QString::fromUtf8(test::contentOf(path("share/metainfo/" + AppId + ".metainfo.xml")));
    QStringList releases;
    for (const auto &m : QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\" date=\"(\\d{4}-\\d\\d-\\d\\d)\">")).globalMatch(metainfo))
        releases << m.captured(1);
    EXPECT_EQ(releases.value(0), PLAKATRON_VERSION);
    EXPECT_EQ(releases.size(), changelog.count("\n -- ")) << "one release for each entry of CHANGELOG";
    EXPECT_TRUE(metainfo.contains("<li>Free software under the GNU General Public License, version 3 or later.</li>"));

    EXPECT_TRUE(metainfo.contains("<project_license>GPL-3.0-or-later</project_license>"));
    const QString copyright = QString::fromUtf8(test::contentOf(path("share/doc/plakatron/copyright")));
    EXPECT_TRUE(copyright.startsWith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
    EXPECT_TRUE(copyright.contains("\nFiles: *\nCopyright: 2026 The Plakatron developers\nLicense: GPL-3+\n")) << copyright.toStdString();
    EXPECT_TRUE(test::contentOf(QStringLiteral(PLAKATRON_SOURCE_DIR "/LICENSE")).startsWith(
        "                    GNU GENERAL PUBLIC LICENSE\n                       Version 3, 29 June 2007\n"));

    const QString published = QLatin1String(buildconfig::homepageUrl) + "screenshots/";
    int screenshots = 0;
    for (const auto &m : QRegularExpression(QStringLiteral("<image type=\"source\" width=\"(\\d+)\" height=\"(\\d+)\">([^<]+)</image>")).globalMatch(metainfo)) {
        ++screenshots;
        ASSERT_TRUE(m.captured(3).startsWith(published)) << m.captured(3).toStdString();
        const QImage shot(QStringLiteral(PLAKATRON_SOURCE_DIR "/resources/screenshots/") + m.captured(3).mid(published.size()));
        EXPECT_EQ(shot.size(), QSize(m.captured(1).toInt(), m.captured(2).toInt())) << m.captured(3).toStdString();
    }
    EXPECT_EQ(screenshots, 2);
}

// The font file libwmf opens for a PostScript font name, as the metafile reader sets libwmf up
// (the gd device): the name's file in the first of libwmf's font folders that has it.
QString libwmfFontFile(const char *psName)
{
    wmfAPI *api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    if (wmf_api_create(&api, WMF_OPT_FUNCTION | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG, &options) != wmf_E_None || !api)
        return QStringLiteral("(libwmf could not be started)");
    QString found = QStringLiteral("(libwmf maps no file to %1)").arg(QLatin1String(psName));
    const auto *fonts = static_cast<const wmfFontData *>(api->font_data);
    const auto *map = fonts ? static_cast<const wmfFontmapData *>(fonts->user_data) : nullptr;
    for (const wmfFT_Mapping *font = map ? map->ps : nullptr; font && font->name; ++font) {
        if (qstrcmp(font->name, psName) != 0)
            continue;
        for (char **folder = map->fontdirs; folder && *folder; ++folder) {
            const QString file = QDir(QString::fromLocal8Bit(*folder)).filePath(QString::fromLocal8Bit(font->mapping));
            if (QFileInfo::exists(file)) {
                found = file;
                break;
            }
        }
        break;
    }
    wmf_api_destroy(api);
    return found;
}

// What `cpack -G DEB` names beside the libraries dpkg-shlibdeps finds in the binaries.
QStringList declaredPackageDepends()
{
    const auto match = QRegularExpression(QStringLiteral("set\\(CPACK_DEBIAN_PACKAGE_DEPENDS \"([^\"]*)\"\\)"))
                           .match(QString::fromUtf8(test::contentOf(QStringLiteral(PLAKATRON_BINARY_DIR "/CPackConfig.cmake"))));
    QStringList names;
    for (const QString &item : match.captured(1).split(u',', Qt::SkipEmptyParts))
        names << item.trimmed().section(u' ', 0, 0);  // without a version
    return names;
}

// Neither the Qt plugins that decode TIFF and WebP, nor Qt's catalogues, nor the fonts libwmf draws
// with (without which it reads no metafile, text or not) are linked by a binary, and their packages
// are at best recommended by the libraries that are: the package names each.
TEST(DebianPackage, DependsOnWhatTheProgramsLoadWithoutLinkingIt)
{
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    const struct { const char *what; QString file; const char *package; } rows[] = {
        {"Qt's TIFF decoder", plugins + "/imageformats/libqtiff.so", "qt6-image-formats-plugins"},
        {"Qt's WebP decoder", plugins + "/imageformats/libqwebp.so", "qt6-image-formats-plugins"},
        {"Qt's SVG decoder (the help window's pictures)", plugins + "/imageformats/libqsvg.so", "libqt6svg6"},
        {"Qt's German texts (the print and file dialogs in the window's language)",
         QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm", "qt6-translations-l10n"},
        {"libwmf's Times-Roman", libwmfFontFile("Times-Roman"), "fonts-urw-base35"},
        {"libwmf's Helvetica", libwmfFontFile("Helvetica"), "fonts-urw-base35"},
    };
    const QStringList declared = declaredPackageDepends();
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        ASSERT_TRUE(QFileInfo::exists(r.file)) << r.file.toStdString() << " is missing: install Debian's " << r.package
                                               << " (tools/dev does)";
        const ProcessRun owner = run(QStringLiteral("dpkg-query"), {"--search", QFileInfo(r.file).canonicalFilePath()});
        ASSERT_EQ(owner.exitCode, 0) << owner.output.toStdString();
        // "package:arch: /path", or "a, b: /path" for a file two packages share.
        QStringList owners;
        for (const QString &name : owner.output.section(u'\n', 0, 0).section(QStringLiteral(": "), 0, 0).split(u','))
            owners << name.trimmed().section(u':', 0, 0);
        EXPECT_EQ(owners, QStringList{QLatin1String(r.package)}) << r.file.toStdString();
        EXPECT_TRUE(declared.contains(QLatin1String(r.package)))
            << r.package << " is not among the package's Depends: " << declared.join(", ").toStdString();
    }
}

}  // namespace
